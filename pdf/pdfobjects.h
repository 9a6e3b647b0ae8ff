#pragma once

#include <initializer_list>
#include <qpdf/QPDFObjectHandle.hh>

// Reading objects of files made by any program, where anything may stand in place of a
// dictionary or a name; asked of the wrong type, qpdf warns and returns null all the same.
namespace PdfObject
{

// The value at a path of dictionary keys, through the dictionaries of streams; null where a
// step is missing or no dictionary.
inline QPDFObjectHandle at(QPDFObjectHandle object, std::initializer_list<const char *> keys)
{
    for (const char *key : keys) {
        if (object.isStream())
            object = object.getDict();
        object = object.isDictionary() ? object.getKey(key) : QPDFObjectHandle::newNull();
    }
    return object;
}

inline bool isName(QPDFObjectHandle object, const char *name)
{
    return object.isName() && object.getName() == name;
}

} // namespace PdfObject
