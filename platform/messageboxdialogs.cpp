#include "messageboxdialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace
{

QMessageBox::StandardButton show(QMessageBox::Icon icon, const QString &title, const QString &text,
                                 QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void MessageBoxDialogs::information(const QString &title, const QString &text)
{
    show(QMessageBox::Information, title, text, QMessageBox::Ok);
}

void MessageBoxDialogs::warning(const QString &title, const QString &text)
{
    show(QMessageBox::Warning, title, text, QMessageBox::Ok);
}

bool MessageBoxDialogs::question(const QString &title, const QString &text)
{
    return show(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}
