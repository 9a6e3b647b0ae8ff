#include "app/clicklabel.h"
#include "app/tabcontrol.h"
#include "common/inputfilter.h"
#include "windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

namespace
{

class CountingKeyboard : public Keyboard
{
public:
    void pressKey(QChar character) override { pressed += character; }
    QString pressed;
};

} // namespace

class TestEntryFields : public QObject
{
    Q_OBJECT

private:
    WindowFixture f_;

    frmMain &window()
    {
        if (!f_.window) {
            f_.start();
            f_.window->show();
            if (!QTest::qWaitForWindowExposed(f_.window.get()))
                qFatal("window not exposed");
        }
        f_.window->Label3_Click();
        return *f_.window;
    }

    void focus(QLineEdit *field)
    {
        field->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), field);
    }

private slots:
    void filter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("allowAll");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("backspace") << 8 << false << 8 << "";
        QTest::newRow("0") << int('0') << false << int('0') << "";
        QTest::newRow("9") << int('9') << false << int('9') << "";
        QTest::newRow("plus allowed") << int('+') << true << int('+') << "";
        QTest::newRow("minus refused") << int('-') << false << 0 << "";
        QTest::newRow("comma allowed") << int(',') << true << int(',') << "";
        QTest::newRow("comma refused") << int(',') << false << 0 << "";
        QTest::newRow("point allowed") << int('.') << true << int('.') << "";
        QTest::newRow("point refused") << int('.') << false << 0 << "";
        QTest::newRow("enter as tab") << 13 << true << 0 << "\t";
        QTest::newRow("enter kept") << 13 << false << 13 << "";
        QTest::newRow("ctrl+v") << 22 << true << 0 << "";
        QTest::newRow("space") << int(' ') << true << 0 << "";
        QTest::newRow("slash") << int('/') << true << 0 << "";
        QTest::newRow("colon") << int(':') << true << 0 << "";
        QTest::newRow("tab") << 9 << true << 0 << "";
        QTest::newRow("umlaut") << 0xE4 << true << 0 << "";
    }

    void filter()
    {
        QFETCH(int, key);
        QFETCH(bool, allowAll);
        QFETCH(int, expected);
        QFETCH(QString, pressed);
        CountingKeyboard keyboard;
        // With allowAll: sign, comma, point and Enter-as-Tab; without: Enter kept only.
        const int result = modDef::FilterNumericKey(key, allowAll, allowAll, allowAll, !allowAll,
                                                    allowAll, keyboard);
        QCOMPARE(result, expected);
        QCOMPARE(keyboard.pressed, pressed);
    }

    void priceFieldTakesAmountCharactersOnly()
    {
        frmMain &w = window();
        focus(w.txtFAP[2]);
        w.txtFAP[2]->clear();
        QTest::keyClicks(w.txtFAP[2], "1a.2 ,-+/5x");
        QCOMPARE(w.txtFAP[2]->text(), QStringLiteral("12,-+5"));
        QTest::keyClick(w.txtFAP[2], Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.txtFAP[2]->text(), QStringLiteral("12,-+5"));

        // Pasting through the context menu or dropping text passes the same filter.
        w.txtFAP[2]->clear();
        QApplication::clipboard()->setText(QStringLiteral("1.234,50 EUR"));
        w.txtFAP[2]->paste();
        QCOMPARE(w.txtFAP[2]->text(), QStringLiteral("1.234,50"));

        // Delete edits; its key text, U+007F on X11, is no character to filter.
        w.txtFAP[2]->setText(QStringLiteral("123"));
        w.txtFAP[2]->setCursorPosition(0);
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        QApplication::sendEvent(w.txtFAP[2], &del);
        QCOMPARE(w.txtFAP[2]->text(), QStringLiteral("23"));

        focus(w.txtMenge[1]);
        w.txtMenge[1]->clear();
        QTest::keyClicks(w.txtMenge[1], "12 Stk.");
        QCOMPARE(w.txtMenge[1]->text(), QStringLiteral("12 Stk."));
    }

    void focusSelectsTheWholeText()
    {
        frmMain &w = window();
        focus(w.txtMengenart[1]);
        w.AName->setText(QStringLiteral("Bitte den Namen eingeben"));
        QTest::mouseClick(w.AName, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(w.AName->selectedText(), QStringLiteral("Bitte den Namen eingeben"));
        QTest::keyClicks(w.AName, "Graf");
        QCOMPARE(w.AName->text(), QStringLiteral("Graf"));

        w.txtMengenart[2]->setText(QStringLiteral("Packung"));
        QTest::mouseClick(w.txtMengenart[2], Qt::LeftButton, {}, QPoint(30, 5));
        QTRY_COMPARE(w.txtMengenart[2]->selectedText(), QStringLiteral("Packung"));

        w.txtFAP[2]->setText(QStringLiteral("3,00"));
        focus(w.txtMengenart[2]);
        QTest::keyClick(w.txtMengenart[2], Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), w.txtFAP[2]);
        QTRY_COMPARE(w.txtFAP[2]->selectedText(), QStringLiteral("3,00"));
    }

    void returningToTheWindowKeepsTheCursor()
    {
        frmMain &w = window();
        focus(w.txtMengenart[3]);
        w.txtMengenart[3]->setText(QStringLiteral("Tube"));
        QCoreApplication::processEvents();
        w.txtMengenart[3]->deselect();
        QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(w.txtMengenart[3], &back);
        QCoreApplication::processEvents();
        QCOMPARE(w.txtMengenart[3]->selectedText(), QString());
    }

    void enterMovesOn_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("next");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("shown");
        QTest::newRow("package 1 to 2") << 1 << "1,5"
                                        << "txtMenge(2)" << 0 << "1,50";
        QTest::newRow("package 3 to 7") << 3 << "1234,5"
                                        << "txtMenge(7)" << 2 << "1.234,50";
        QTest::newRow("package 9 to 4") << 9 << "0"
                                        << "txtMenge(4)" << 1 << "0,00";
        QTest::newRow("package 6 to the name") << 6 << ""
                                               << "AName" << 1 << "";
        QTest::newRow("not a number") << 5 << "-"
                                      << "txtMenge(6)" << 1 << "-";
    }

    void enterMovesOn()
    {
        QFETCH(int, from);
        QFETCH(QString, typed);
        QFETCH(QString, next);
        QFETCH(int, page);
        QFETCH(QString, shown);
        frmMain &w = window();
        w.StammD->setCurrentIndex((from - 1) / 3);
        focus(w.txtFAP[from]);
        w.txtFAP[from]->clear();
        QTest::keyClicks(w.txtFAP[from], typed);
        QTest::keyClick(w.txtFAP[from], Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), next);
        QCOMPARE(w.txtFAP[from]->text(), shown);
        QCOMPARE(w.StammD->Tab(), page);
    }

    void enterInOtherFieldsStays()
    {
        frmMain &w = window();
        for (QLineEdit *field : {w.txtMenge[1], w.txtMengenart[4], w.AName}) {
            w.StammD->setCurrentIndex(field == w.txtMengenart[4] ? 1 : 0);
            focus(field);
            QTest::keyClick(field, Qt::Key_Return);
            QCoreApplication::processEvents();
            QCOMPARE(QApplication::focusWidget(), field);
        }
    }

    void firstActivationSelectsThePrompt()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(QApplication::focusWidget(), w.AName);
        QTRY_COMPARE(w.AName->selectedText(), QStringLiteral("Bitte den Namen eingeben"));
        QTest::keyClicks(w.AName, "Meier");
        QCOMPARE(w.AName->text(), QStringLiteral("Meier"));
    }

    void pageTabsFollowTheMouseWhileAFieldHasTheFocus()
    {
        frmMain &w = window();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.StammD->setCurrentIndex(0);
        QTest::mouseClick(w.txtMenge[1], Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), w.txtMenge[1]);
        QTabBar *bar = w.StammD->tabBar();
        for (int page : {2, 0, 1, 2, 0}) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
            QCoreApplication::processEvents();
            QCOMPARE(bar->currentIndex(), page);
            QCOMPARE(w.StammD->Tab(), page);
            QVERIFY(w.StammD->widget(page)->isVisible());
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(!focus || focus->isVisible());
        }
    }

    void shiftTabGoesBackAcrossPages()
    {
        frmMain &w = window();
        w.StammD->setCurrentIndex(2);
        focus(w.txtMenge[7]);
        QTest::keyClick(w.txtMenge[7], Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_COMPARE(QApplication::focusWidget(), w.txtFAP[3]);
        QCOMPARE(w.StammD->Tab(), 0);
    }
};

QTEST_MAIN(TestEntryFields)
#include "tst_entryfields.moc"
