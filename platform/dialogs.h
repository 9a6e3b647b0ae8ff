#pragma once

#include <QString>

// Message boxes. Each carries the application title given by the caller.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // An OK box with the information icon.
    virtual void information(const QString &title, const QString &text) = 0;
    // An OK box with the warning icon.
    virtual void warning(const QString &title, const QString &text) = 0;
    // The answer that Enter gives.
    enum class Answer { Yes, No };
    // Yes and No with the question icon; true for Yes.
    virtual bool question(const QString &title, const QString &text, Answer byDefault) = 0;
};
