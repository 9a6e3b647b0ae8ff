// The window as a user meets it: its controls in place, start-up, the fixed size, the views,
// closing and the state file it keeps, and the master-data fields under mouse and keyboard.
#include "platform/qttexts.h"
#include "windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTabBar>
#include <QTextBrowser>
#include <QWindow>
#include <csignal>
#include <sys/resource.h>

namespace
{

// Whether each control is visible, as a string of 1 and 0.
QString visibility(const QList<QWidget *> &controls)
{
    QString shown;
    for (QWidget *c : controls)
        shown += c->isVisible() ? u'1' : u'0';
    return shown;
}

void focus(QLineEdit *field)
{
    field->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), field);
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private:
    WindowFixture f_; // one window for the tests of the master-data fields

    frmMain &masterData()
    {
        if (!f_.window)
            f_.shown();
        f_.window->Label3_Click();
        return *f_.window;
    }

private slots:
    // In every view, each control that shows lies within its container and no click area,
    // sheet labels and marks included, covers another; the two controls parked off the area
    // never show.
    void controlsStayInPlace()
    {
        WindowFixture f;
        f.copySamples({"vra.ini"});
        frmMain &w = f.shown();
        const QStringList parked = {"Label8(0)", "Line1(2)"};
        for (ClickLabel *view : {w.Label7, w.Label4, w.Label3}) {
            clickOn(view);
            QList<QRect> spots; // of the click areas
            for (QWidget *c : w.findChildren<QWidget *>()) {
                if (c->objectName().isEmpty() || !c->isVisible())
                    continue;
                QWidget *container = c->parentWidget();
                for (TabControl *t : {w.InhaltsV, w.StammD})
                    container = t->indexOf(container) >= 0 ? t : container;
                const QRect place(c->mapTo(container, QPoint()), c->size());
                QVERIFY2(container->rect().contains(place) != parked.contains(c->objectName()),
                         qPrintable(c->objectName()));
                const auto *label = qobject_cast<ClickLabel *>(c);
                if (label && label->accessibleRole() != QAccessible::Graphic) {
                    const QRect spot(c->mapTo(&w, QPoint()), c->size());
                    for (const QRect &other : std::as_const(spots))
                        QVERIFY2(!spot.intersects(other), qPrintable(c->objectName()));
                    spots << spot;
                }
            }
        }
        // Anchors: a tab member lands where the description puts it, tab strip included.
        w.StammD->setCurrentIndex(2);
        QCOMPARE(w.txtFAP[9]->mapTo(w.StammD, QPoint()), QPoint(112, 376));
        QCOMPARE(w.imgTitle[1]->geometry().topLeft(), QPoint(235, 39));
        // Text boxes lie above the captions beside them.
        QLineEdit *field = w.txtMenge[7];
        const QPoint rightBorder(field->width() - 1, field->height() / 2);
        QCOMPARE(field->parentWidget()->childAt(field->mapToParent(rightBorder)), field);
    }

    // After start-up: the start view, Qt's texts in German, the name field taking what is typed
    // at the first activation, and a size that nothing changes.
    void startUp()
    {
        WindowFixture f;
        frmMain &w = f.shown();
        QCOMPARE(visibility({w.StartS[1], w.InhaltsV, w.StammD, w.lblInfo, w.cmdPrint, w.lblNoData,
                             w.Image2[3], w.Image2[7], w.Image2[0], w.Image2[5]}),
                 QStringLiteral("1000000111"));
        QCOMPARE(w.WebBrowserTab[4]->LocationURL(), f.dir.path() + "/html/seite5.html");
        QTRY_VERIFY(w.StartS[1]->browser()->toPlainText().contains(
            QStringLiteral("konnte nicht geladen werden")));
        QVERIFY(installGermanQtTexts(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(w.AName->selectedText(), QStringLiteral("Bitte den Namen eingeben"));
        QTest::keyClicks(w.AName, "Meier");
        QCOMPARE(w.AName->text(), QStringLiteral("Meier"));
        w.resize(1000, 900);
        w.showMinimized();
        w.showNormal();
        QCOMPARE(w.size(), QSize(774, 613));
        w.showMaximized();
        QCOMPARE(w.size(), QSize(774, 613));
        w.showNormal();
        // A window manager that ignores the size limits.
        w.windowHandle()->resize(1000, 900);
        QTRY_COMPARE(w.size(), QSize(774, 613));
    }

    void viewClicks_data()
    {
        // name | click area | visible afterwards: StartS, InhaltsV, StammD, lblNoData and
        // Image2 0, 5, 1, 6, 3, 7 | Stammdaten in vra.ini
        addRows(R"(start|Label7|1000101001|TRUE
                   application|Label4|0100100110|TRUE
                   master data|Label3|0010011010| True # x
                   no master data|Label3|0001011010|T R U E)");
    }

    // vra.ini is read anew on each click; the pictures beside the click areas do nothing.
    void viewClicks()
    {
        QFETCH(QStringList, row);
        WindowFixture f;
        frmMain &w = f.shown();
        clickOn(w.childAt(26, 245));
        QVERIFY(w.StartS[1]->isVisible());
        w.Label4_Click();
        if (row[1] == "Label4")
            w.Label3_Click();
        f.writeFile("vra.ini", "[ANTRAG]\nStammdaten=" + row[3].toUtf8());
        clickOn(w.findChild<QWidget *>(row[1]));
        QCOMPARE(visibility({w.StartS[1], w.InhaltsV, w.StammD, w.lblNoData, w.Image2[0],
                             w.Image2[5], w.Image2[1], w.Image2[6], w.Image2[3], w.Image2[7]}),
                 row[2]);
        // A tab of the application shows its own sheet container only.
        w.Label4_Click();
        QTabBar *bar = w.InhaltsV->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
        QCOMPARE(visibility({w.pic[1], w.pic[2], w.pic[3], w.pic[4], w.pic[5]}), "00100");
    }

    // First start: an empty vra.prop; a close writes the 29 lines, in Windows-1252 while it
    // holds them, else in UTF-8; the next start restores the fields, the marks and the list,
    // values far longer than a line edit's default too.
    void stateRoundTrip()
    {
        WindowFixture f;
        f.writeFile("antrag_.fdf", "/F (Antrag.pdf)\r\n");
        f.writeFile("Zweites.pdf", "%PDF-1.4\n");
        frmMain &w = f.shown("[TAB1]\nFormblatt.1=Erstes\nFormblatt.2=Zweites\n");
        QCOMPARE(f.readFile("vra.prop"), QByteArray());
        w.AName->setText(QStringLiteral("Jörg €"));
        QVERIFY(w.close());
        QVERIFY(f.readFile("vra.prop").endsWith("bf9=\r\nname=J\xF6rg \x80\r\nbear=,\r\n"));
        frmMain &v = f.shown();
        v.AName->setText(QStringLiteral("Jürgen Groß-Łukasz"));
        v.txtMengenart[2]->setText(QStringLiteral("Stück"));
        v.txtFAP[2]->setText(QStringLiteral("1.234,50"));
        v.txtFAP[9]->setText(QStringLiteral("0,5"));
        v.txtMengenart[5]->setText(QString(100000, u'n'));
        v.Label4_Click();
        clickOn(v.lblFormblatt[2]);
        clickOn(v.Label6);
        QVERIFY(!v.isVisible() && f.dialogs.shown.isEmpty());
        QVERIFY(f.readFile("vra.prop")
                    .startsWith("mn1=\r\nma1=\r\nbf1=\r\nmn1=\r\nma1=Stück\r\nbf2=1234.50\r\n"));
        frmMain &again = f.start();
        QCOMPARE(
            QStringList({again.AName->text(), again.txtFAP[2]->text(), again.txtFAP[9]->text(),
                         again.txtFAP[1]->text(), again.Bearbeitet->text(), again.imgRead[2]->Tag}),
            QStringList({"Jürgen Groß-Łukasz", "1.234,50", "0,50", "", ",,2,", "OK"}));
        QCOMPARE(again.txtMengenart[5]->text(), QString(100000, u'n'));
    }

    // A save that fails asks whether to close anyway; one cut short keeps the previous file; a
    // vra.prop that cannot be read is kept as it is, and the user is told once.
    void stateFileFailures()
    {
        WindowFixture f;
        f.writeFile("vra.prop", "mn1=alt\r\n");
        frmMain &w = f.shown();
        w.AName->setText(QString(4000, u'x'));
        // Writes past 1 KB fail as on a full disk.
        rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 1024;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        const bool saved = w.SaveProp();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!saved);
        QCOMPARE(f.readFile("vra.prop"), QByteArray("mn1=alt\r\n"));
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList({"vra.prop"}));

        QVERIFY(f.dir.remove());
        f.dialogs.answer = false;
        QVERIFY(!w.close());
        QVERIFY(f.dialogs.shown[0].startsWith("question,Nein|" + w.title() +
                                              "|Die Eingaben konnten nicht gespeichert werden (" +
                                              f.path("vra.prop")));
        f.dialogs.answer = true;
        QVERIFY(w.close());

        WindowFixture g;
        QVERIFY(QDir(g.dir.path()).mkdir("vra.prop"));
        QVERIFY(g.shown().close());
        QCOMPARE(g.dialogs.shown.size(), 1);
        QVERIFY(g.dialogs.shown[0].startsWith("warning|VRA - Antrag A|Die gespeicherten Eingaben"));
        QVERIFY(QFileInfo(g.path("vra.prop")).isDir());
    }

    void priceFieldTakesAmountCharactersOnly()
    {
        frmMain &w = masterData();
        QLineEdit *price = w.txtFAP[2];
        focus(price);
        price->clear();
        QTest::keyClicks(price, "01234a.5 ,-+/:6789x");
        QTest::keyClick(price, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(price, Qt::Key_Backspace);
        QCOMPARE(price->text(), QStringLiteral("012345,-+678"));
        // Pasting or dropping passes the same filter.
        price->clear();
        QApplication::clipboard()->setText(QStringLiteral("1.234,50 EUR"));
        price->paste();
        QCOMPARE(price->text(), QStringLiteral("1.234,50"));
        // Delete edits; its key text, U+007F on X11, is no character to filter.
        price->setCursorPosition(0);
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        QApplication::sendEvent(price, &del);
        QCOMPARE(price->text(), QStringLiteral(".234,50"));
        focus(w.txtMenge[1]);
        w.txtMenge[1]->clear();
        QTest::keyClicks(w.txtMenge[1], "12 Stk.");
        QCOMPARE(w.txtMenge[1]->text(), QStringLiteral("12 Stk."));
    }

    // Whole text selected on focus by click and by Tab; returning to the window keeps the
    // cursor where it was.
    void focusSelectsTheWholeText()
    {
        frmMain &w = masterData();
        focus(w.txtMengenart[1]);
        w.AName->setText(QStringLiteral("Bitte den Namen eingeben"));
        QTest::mouseClick(w.AName, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(w.AName->selectedText(), QStringLiteral("Bitte den Namen eingeben"));
        QTest::keyClicks(w.AName, "Graf");
        QCOMPARE(w.AName->text(), QStringLiteral("Graf"));
        w.txtFAP[2]->setText(QStringLiteral("3,00"));
        focus(w.txtMengenart[2]);
        QTest::keyClick(w.txtMengenart[2], Qt::Key_Tab);
        QTRY_COMPARE(w.txtFAP[2]->selectedText(), QStringLiteral("3,00"));
        QCoreApplication::processEvents();
        w.txtFAP[2]->deselect();
        QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(w.txtFAP[2], &back);
        QCoreApplication::processEvents();
        QCOMPARE(w.txtFAP[2]->selectedText(), QString());
    }

    void enterMovesOn_data()
    {
        // name | price field (0: a quantity field) | typed | focus afterwards | page | shown
        addRows(R"(package 1 to 2|1|1,5|txtMenge(2)|0|1,50
                   package 3 to 7|3|1234,5|txtMenge(7)|2|1.234,50
                   package 9 to 4|9|0|txtMenge(4)|1|0,00
                   package 6 to the name|6||AName|1|
                   not a number|5|-|txtMenge(6)|1|-
                   a quantity field keeps Enter|0||txtMenge(1)|0|)");
    }

    void enterMovesOn()
    {
        QFETCH(QStringList, row);
        frmMain &w = masterData();
        const int from = row[1].toInt();
        QLineEdit *field = from > 0 ? w.txtFAP[from] : w.txtMenge[1];
        w.StammD->setCurrentIndex(std::max(from - 1, 0) / 3);
        focus(field);
        field->clear();
        QTest::keyClicks(field, row[2]);
        QTest::keyClick(field, Qt::Key_Return);
        QCoreApplication::processEvents();
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), row[3]);
        QCOMPARE(w.StammD->Tab(), row[4].toInt());
        QCOMPARE(field->text(), row[5]);
        // Shift+Tab walks back across the pages.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_VERIFY(from == 0 || QApplication::focusWidget() == field);
    }

    // Page strip, shown page and Tab agree, whatever the order of clicks.
    void pageTabsFollowTheMouseWhileAFieldHasTheFocus()
    {
        frmMain &w = masterData();
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
            QVERIFY(!QApplication::focusWidget() || QApplication::focusWidget()->isVisible());
        }
        // Leaving the master data takes the focus along to a field that shows.
        clickOn(w.Label4);
        QVERIFY(QApplication::focusWidget() && QApplication::focusWidget()->isVisible());
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
