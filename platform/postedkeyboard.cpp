#include "postedkeyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace
{

// Delivers the key when the event loop gets to it, to the focus widget of that moment.
class KeyRelay : public QObject
{
public:
    explicit KeyRelay(QChar character) : character_(character) {}

    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        if (QWidget *target = QApplication::focusWidget()) {
            const int key =
                character_ == u'\t' ? int(Qt::Key_Tab) : int(character_.toUpper().unicode());
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character_));
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character_));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
        deleteLater();
        return true;
    }

private:
    QChar character_;
};

} // namespace

void PostedKeyboard::pressKey(QChar character)
{
    QCoreApplication::postEvent(new KeyRelay(character), new QEvent(QEvent::User));
}
