#pragma once

#include <QString>
#include <memory>

// Work of several steps as the user sees it: shown once it takes a moment, with a button
// to cancel it; closed when the object goes.
class Progress
{
public:
    virtual ~Progress() = default;
    // Step `step` (from 0) begins, told by `text`; false once the user has cancelled.
    virtual bool next(int step, const QString &text) = 0;
};

// Message boxes and the other dialogs the window asks the user through. Each carries the
// title given by the caller.
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
    // The PDF file the user chooses to save to, starting from the path `suggested`; empty
    // when the user cancels.
    virtual QString saveFileName(const QString &title, const QString &suggested) = 0;
    // Long work of `steps` steps.
    virtual std::unique_ptr<Progress> progress(const QString &title, int steps) = 0;
};
