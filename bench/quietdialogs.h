#pragma once

#include "platform/dialogs.h"

#include <QStringList>

// Dialogs that show nothing, so that only the program's work counts: questions get the
// answer given, the save dialog the file given, and long work runs to its end.
class QuietDialogs : public Dialogs
{
public:
    explicit QuietDialogs(bool answer, const QString &file = {}) : answer_(answer), file_(file) {}
    void information(const QString &, const QString &) override {}
    void warning(const QString &, const QString &text) override { warnings << text; }
    bool question(const QString &, const QString &, Answer) override { return answer_; }
    QString saveFileName(const QString &, const QString &) override { return file_; }
    std::unique_ptr<Progress> progress(const QString &, int) override
    {
        return std::make_unique<Running>();
    }

    QStringList warnings;

private:
    class Running : public Progress
    {
    public:
        bool next(int, const QString &) override { return true; }
    };

    bool answer_;
    QString file_;
};
