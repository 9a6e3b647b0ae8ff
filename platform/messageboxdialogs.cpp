#include "messageboxdialogs.h"

#include <QMessageBox>

namespace
{

QMessageBox::StandardButton show(QWidget *owner, QMessageBox::Icon icon, const QString &title,
                                 const QString &text, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton byDefault = QMessageBox::NoButton)
{
    QMessageBox box(icon, title, text, buttons, owner);
    box.setDefaultButton(byDefault);
    box.setWindowModality(Qt::ApplicationModal);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void MessageBoxDialogs::information(const QString &title, const QString &text)
{
    show(owner_, QMessageBox::Information, title, text, QMessageBox::Ok);
}

void MessageBoxDialogs::warning(const QString &title, const QString &text)
{
    show(owner_, QMessageBox::Warning, title, text, QMessageBox::Ok);
}

bool MessageBoxDialogs::question(const QString &title, const QString &text, Answer byDefault)
{
    return show(owner_, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                byDefault == Answer::Yes ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}
