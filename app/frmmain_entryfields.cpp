// The master-data fields: whole text selected on focus, price fields that take only amount
// characters, turn Enter into Tab and show the amount formatted when left.
#include "common/amount.h"
#include "common/inputfilter.h"
#include "frmmain.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QValidator>

namespace
{

// Pasted or dropped text passes the same filter as typed keys, character by character, but
// keeps the grouping points of the display form, which the field itself shows.
class NumericKeyValidator : public QValidator
{
public:
    NumericKeyValidator(Keyboard &keyboard, QObject *parent)
        : QValidator(parent), keyboard_(keyboard)
    {
    }

    State validate(QString &input, int &pos) const override
    {
        QString kept;
        int keptBeforePos = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const int code = input[i].unicode();
            if (code != 13 &&
                modDef::FilterNumericKey(code, true, true, true, false, true, keyboard_) == code) {
                kept.append(input[i]);
                keptBeforePos += i < pos ? 1 : 0;
            }
        }
        input = kept;
        pos = keptBeforePos;
        return Acceptable;
    }

private:
    Keyboard &keyboard_;
};

} // namespace

void frmMain::watchEntryFields()
{
    for (int i = 1; i <= 9; ++i) {
        for (QLineEdit *field : {txtMenge[i], txtMengenart[i], txtFAP[i]})
            field->installEventFilter(this);
        txtFAP[i]->setValidator(new NumericKeyValidator(platform_.keyboard, txtFAP[i]));
    }
    AName->installEventFilter(this);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (!field)
        return QWidget::eventFilter(watched, event);
    const int price = txtFAP.indexOf(field);
    switch (event->type()) {
    case QEvent::FocusIn:
        entryField_GotFocus(field);
        break;
    case QEvent::FocusOut: {
        // Another window or a context menu taking the focus is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (price > 0 && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtFAP_LostFocus(price);
        break;
    }
    case QEvent::KeyPress: {
        // Tab moves the focus before any field sees it as a character.
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (price > 0 && !tab && !key->text().isEmpty() &&
            txtFAP_KeyPress(price, key->text().front().unicode()) == 0)
            return true;
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::entryField_GotFocus(QLineEdit *field)
{
    // After the focus event: a mouse click would otherwise put the cursor in its place.
    QTimer::singleShot(0, field, [field] { field->setSelection(0, int(field->text().size())); });
}

int frmMain::txtFAP_KeyPress(int, int keyAscii)
{
    return modDef::FilterNumericKey(keyAscii, true, true, false, false, true, platform_.keyboard);
}

void frmMain::txtFAP_LostFocus(int index)
{
    txtFAP[index]->setText(modDef::FormatAmount(txtFAP[index]->text(), false, 2, false));
}
