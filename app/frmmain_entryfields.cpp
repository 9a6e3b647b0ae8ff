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

// Pasted or dropped text keeps only the characters that typing lets in, and the grouping
// points of the display form, which the field itself shows.
class AmountCharactersValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        QString kept;
        int keptBeforePos = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input[i];
            if ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u',' || c == u'.') {
                kept.append(c);
                keptBeforePos += i < pos ? 1 : 0;
            }
        }
        input = kept;
        pos = keptBeforePos;
        return Acceptable;
    }
};

} // namespace

void frmMain::watchEntryFields()
{
    for (int i = 1; i <= 9; ++i) {
        for (QLineEdit *field : {txtMenge[i], txtMengenart[i], txtFAP[i]})
            field->installEventFilter(this);
        txtFAP[i]->setValidator(new AmountCharactersValidator(txtFAP[i]));
    }
    AName->installEventFilter(this);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (!field)
        return QWidget::eventFilter(watched, event);
    const int price = txtFAP.indexOf(field);
    // Another window or a context menu taking the focus and giving it back is neither leaving
    // nor entering the field.
    const auto withinField = [event] {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    };
    switch (event->type()) {
    case QEvent::FocusIn: {
        // The window's first activation hands AName its first focus: typing replaces the prompt.
        const bool first = !std::exchange(focusedBefore_, true);
        if (first || !withinField())
            entryField_GotFocus(field);
        break;
    }
    case QEvent::FocusOut:
        if (price > 0 && !withinField())
            txtFAP_LostFocus(price);
        break;
    case QEvent::KeyPress: {
        // Tab moves the focus and Delete edits before any field sees them as characters.
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool passes = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                            key->key() == Qt::Key_Delete;
        if (price > 0 && !passes && !key->text().isEmpty() &&
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
