#include "printreport.h"

#include <QStringList>

namespace
{

// The heading and a line for each sheet.
QString section(const QString &heading, const QList<std::pair<QString, QString>> &sheets)
{
    QString text = heading;
    for (const auto &[caption, reason] : sheets)
        text += QStringLiteral("\n• %1: %2").arg(caption, reason);
    return text;
}

} // namespace

QString PrintReport::notesText(const QList<std::pair<QString, QString>> &notes)
{
    return section(QStringLiteral("Hinweise zu diesen Anträgen:\n"), notes);
}

QString PrintReport::statusText(const QString &caption)
{
    return QStringLiteral("Antrag \"%1\" wird gedruckt...").arg(caption);
}

std::function<void(const QString &)> PrintReport::send(const QString &caption)
{
    ++pending_;
    return [self = shared_from_this(), caption](const QString &failure) {
        if (!failure.isEmpty())
            self->failures_.append({caption, failure});
        --self->pending_;
        self->completeIfDone();
    };
}

void PrintReport::printedBlank(const QString &caption, const QString &reason)
{
    blank_.append({caption, reason});
}

void PrintReport::noted(const QString &caption, const QString &notice)
{
    notes_.append({caption, notice});
}

void PrintReport::finish()
{
    finished_ = true;
    completeIfDone();
}

void PrintReport::completeIfDone()
{
    if (!finished_ || pending_ > 0 || !onComplete)
        return;
    QStringList sections;
    if (!failures_.isEmpty())
        sections << section(QStringLiteral("Diese Anträge wurden nicht gedruckt:\n"), failures_);
    if (!blank_.isEmpty())
        sections << section(QStringLiteral("Diese Anträge wurden ohne die Stammdaten gedruckt:\n"),
                            blank_);
    if (!notes_.isEmpty())
        sections << notesText(notes_);
    const QString message = sections.join(QStringLiteral("\n\n"));
    const auto complete = std::exchange(onComplete, nullptr);
    complete(message);
}
