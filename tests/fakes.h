#pragma once

#include "platform/delay.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QMap>
#include <QStringList>
#include <functional>

// Records what the program asks of the desktop and answers as the test says.
class FakeShell : public Shell
{
public:
    int open(const QString &path) override
    {
        opened << path;
        return openResult;
    }
    bool canOpen(const QString &path) override { return !path.endsWith(u".fdf") || fdfViewer; }
    void print(const QString &path, std::function<void(const QString &)> done) override
    {
        printed << path;
        const QString failure = printFailures.value(path);
        if (answerLater)
            pendingAnswers.append([done, failure] { done(failure); });
        else
            done(failure);
    }

    QStringList opened;
    int openResult = 42;
    bool fdfViewer = true; // an application takes FDF files
    QStringList printed;
    QMap<QString, QString> printFailures; // by path
    bool answerLater = false;             // hold the printer's answers in pendingAnswers
    QList<std::function<void()>> pendingAnswers;
};

// Records the message boxes as "kind|title|text" and answers questions as the test says.
class FakeDialogs : public Dialogs
{
public:
    void information(const QString &title, const QString &text) override
    {
        shown << "information|" + title + u'|' + text;
        if (whileShown)
            std::exchange(whileShown, nullptr)();
    }
    void warning(const QString &title, const QString &text) override
    {
        shown << "warning|" + title + u'|' + text;
    }
    // A question whose safe answer is No is recorded as "question,Nein".
    bool question(const QString &title, const QString &text, Answer byDefault) override
    {
        shown << (byDefault == Answer::No ? "question,Nein|" : "question|") + title + u'|' + text;
        return answer;
    }
    QString saveFileName(const QString &title, const QString &suggested) override
    {
        shown << "save|" + title + u'|' + suggested;
        return chosenFile;
    }
    std::unique_ptr<Progress> progress(const QString &, int steps) override
    {
        struct Steps : Progress {
            Steps(FakeDialogs &dialogs, int steps) : dialogs(dialogs), steps(steps) {}
            bool next(int step, const QString &text) override
            {
                dialogs.steps << QStringLiteral("%1/%2 %3").arg(step).arg(steps).arg(text);
                return step != dialogs.cancelAtStep;
            }
            FakeDialogs &dialogs;
            int steps;
        };
        return std::make_unique<Steps>(*this, steps);
    }
    QStringList shown;
    bool answer = true;
    std::function<void()> whileShown; // what happens while the next information box is open
    QString chosenFile;               // what the save dialog returns
    QStringList steps;                // "step/steps text" of every progress step
    int cancelAtStep = -1;            // the step at which the user cancels
};

// Returns at once; `during` stands for whatever the user does while the program waits.
class FakeDelay : public Delay
{
public:
    void wait(int seconds) override
    {
        waits << seconds;
        if (during)
            during();
    }
    QList<int> waits;
    std::function<void()> during;
};
