#pragma once

#include <QByteArray>
#include <map>
#include <optional>
#include <vector>

// The object syntax of PDF and FDF files: what the program needs to read FDF data itself.
struct PdfObject {
    enum class Kind { Null, Boolean, Number, String, Name, Array, Dictionary, Reference };
    struct Entry;

    Kind kind = Kind::Null;
    double number = 0;            // a number, or 1 for true and 0 for false
    QByteArray bytes;             // a string's bytes, unescaped, or a name without its slash
    std::vector<PdfObject> items; // an array's items
    std::vector<Entry> entries;   // a dictionary's entries, in the file's order
    int objectNumber = 0;         // a reference

    bool is(Kind k) const { return kind == k; }
    // The value of `key` in a dictionary; a null object when there is none.
    const PdfObject &operator[](const QByteArray &key) const;
};

struct PdfObject::Entry {
    QByteArray key;
    PdfObject value;
};

// The indirect objects and the trailer of a file without cross-reference table, read in
// order from its start, as FDF files are written.
struct PdfBody {
    std::map<int, PdfObject> objects; // by object number; the first of a number counts
    PdfObject trailer;                // null when the file ends without one

    // `object` itself, or what it refers to; a null object for a reference to nothing.
    const PdfObject &resolve(const PdfObject &object) const;

    // Nothing when the text is not of that form.
    static std::optional<PdfBody> parse(const QByteArray &text);
};
