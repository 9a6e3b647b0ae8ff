#pragma once

#include "platform/delay.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <functional>

// A desktop that takes every document and print job at once and opens nothing, so that only
// the program's work counts; with `fdfViewer` false no application takes FDF files, and the
// program fills the forms itself.
class QuietShell : public Shell
{
public:
    explicit QuietShell(bool fdfViewer) : fdfViewer_(fdfViewer) {}
    int open(const QString &) override { return 42; }
    bool canOpen(const QString &path) override
    {
        return fdfViewer_ || !path.endsWith(QLatin1String(".fdf"));
    }
    void print(const QString &, std::function<void(const QString &)> done) override { done({}); }

private:
    bool fdfViewer_;
};

class NoDelay : public Delay
{
public:
    void wait(int) override {}
};

// The median time of `rounds` runs of `work`, in milliseconds.
inline double medianMilliseconds(int rounds, const std::function<void()> &work)
{
    QList<qint64> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times << timer.nsecsElapsed();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2] / 1e6;
}

// Runs `arguments` as a process; its wall time in ms and its peak memory in kB, as GNU time
// tells it (a process's own count would include what its parent had before it started);
// what it prints goes to `output`.
inline std::pair<double, long> measured(const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral("/usr/bin/time"), QStringList{QStringLiteral("-f%M")} + arguments);
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return {-1, -1};
    const double ms = timer.nsecsElapsed() / 1e6;
    if (output)
        *output = process.readAllStandardOutput();
    const QList<QByteArray> lines = process.readAllStandardError().trimmed().split('\n');
    return {ms, lines.last().toLong()};
}

// The run of median time of `rounds` runs of a process, as measured() tells it.
inline std::pair<double, long> medianRun(int rounds, const QStringList &command)
{
    QList<std::pair<double, long>> runs;
    for (int i = 0; i < rounds; ++i)
        runs << measured(command);
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

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
