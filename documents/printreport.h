#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>

// What became of the sheets of one print run. The printer answers some time after a sheet was
// handed over, so the report is complete when the run has ended and every answer is in.
class PrintReport : public std::enable_shared_from_this<PrintReport>
{
public:
    // The status shown while a sheet is sent: Antrag "CAPTION" wird gedruckt...
    static QString statusText(const QString &caption);
    // What the user should know of each sheet, by caption, as a report lists it.
    static QString notesText(const QList<std::pair<QString, QString>> &notes);

    // A sheet is handed to the printer; call the result with an empty text when the printer
    // took it, else with the reason. The result keeps the report alive until it is called.
    std::function<void(const QString &failure)> send(const QString &caption);
    // A sheet went to the printer as the blank form, because it could not be filled.
    void printedBlank(const QString &caption, const QString &reason);
    // Something the user should know of a sheet that was printed.
    void noted(const QString &caption, const QString &notice);
    // The run sends nothing more.
    void finish();

    // Called once when the run is finished and every answer is in, with the message for the
    // user, or an empty text when every sheet was taken.
    std::function<void(const QString &message)> onComplete;

private:
    void completeIfDone();

    QList<std::pair<QString, QString>> failures_;
    QList<std::pair<QString, QString>> blank_;
    QList<std::pair<QString, QString>> notes_;
    int pending_ = 0;
    bool finished_ = false;
};
