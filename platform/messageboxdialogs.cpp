#include "messageboxdialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>

namespace
{

QMessageBox::StandardButton show(QWidget *owner, QMessageBox::Icon icon, const QString &title,
                                 const QString &text, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton byDefault = QMessageBox::NoButton)
{
    QMessageBox box(icon, title, text, buttons, owner);
    box.setDefaultButton(byDefault);
    return QMessageBox::StandardButton(box.exec());
}

// Shown only when the work looks like it takes longer than half a second; from then on it
// keeps the window from taking clicks, and lets its own Cancel button take them. Wide enough
// for the title and most texts: one that grows between two steps would move its button away
// from where the user clicked.
class ProgressWindow : public Progress
{
public:
    ProgressWindow(QWidget *owner, const QString &title, int steps) : dialog_(owner)
    {
        dialog_.setWindowTitle(title);
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setMinimumWidth(dialog_.fontMetrics().averageCharWidth() * 60);
        dialog_.setMinimumDuration(500);
        dialog_.setRange(0, steps);
        dialog_.setValue(0);
    }

    bool next(int step, const QString &text) override
    {
        dialog_.setLabelText(text);
        dialog_.setValue(step);
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
};

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

QString MessageBoxDialogs::saveFileName(const QString &title, const QString &suggested)
{
    QFileDialog dialog(owner_, title, suggested, QStringLiteral("PDF-Dateien (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

std::unique_ptr<Progress> MessageBoxDialogs::progress(const QString &title, int steps)
{
    return std::make_unique<ProgressWindow>(owner_, title, steps);
}
