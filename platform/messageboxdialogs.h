#pragma once

#include "dialogs.h"

class QWidget;

// Dialogs as application-modal windows: QMessageBox, QFileDialog and QProgressDialog.
class MessageBoxDialogs : public Dialogs
{
public:
    void information(const QString &title, const QString &text) override;
    void warning(const QString &title, const QString &text) override;
    bool question(const QString &title, const QString &text, Answer byDefault) override;
    QString saveFileName(const QString &title, const QString &suggested) override;
    std::unique_ptr<Progress> progress(const QString &title, int steps) override;

    // The window the boxes belong to, whether it is active or not.
    void setOwner(QWidget *owner) { owner_ = owner; }

private:
    QWidget *owner_ = nullptr;
};
