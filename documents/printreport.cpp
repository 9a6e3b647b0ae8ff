#include "printreport.h"

QString PrintReport::statusText(const QString &caption)
{
    return QStringLiteral("Antrag \"%1\" wird gedruckt...").arg(caption);
}

QString PrintReport::sheetFile(const QString &programFolder, const QString &caption)
{
    return programFolder + u'/' + caption + QStringLiteral(".pdf");
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

void PrintReport::finish()
{
    finished_ = true;
    completeIfDone();
}

void PrintReport::completeIfDone()
{
    if (!finished_ || pending_ > 0 || !onComplete)
        return;
    QString message;
    if (!failures_.isEmpty()) {
        message = QStringLiteral("Diese Anträge wurden nicht gedruckt:\n");
        for (const auto &[caption, reason] : failures_)
            message += QStringLiteral("\n• %1: %2").arg(caption, reason);
    }
    const auto complete = std::exchange(onComplete, nullptr);
    complete(message);
}
