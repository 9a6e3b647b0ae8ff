// The window as a user meets it: its controls in place, start-up, the fixed size, the views,
// closing and the state file it keeps, and the master-data fields under mouse and keyboard.
#include "app/lineshape.h"
#include "platform/qttexts.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QKeyEvent>
#include <QTabBar>
#include <QTextBrowser>
#include <QWindow>
#include <csignal>
#include <sys/resource.h>

namespace
{

// One line of what a control is: place, font, colours, text, alignment (1 << 16: wraps), picture,
// names, a screen reader's role (hexadecimal) and whether it passes over, the pointer.
QString described(QWidget *c)
{
    const QRect g = c->geometry();
    const QFont font = c->font();
    const QPalette colours = c->palette();
    QStringList line{
        c->objectName(), QString::fromLatin1(c->metaObject()->className()),
        QStringLiteral("%1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()),
        QStringLiteral("%1 %2%3%4")
            .arg(font.family())
            .arg(font.pointSizeF())
            .arg(font.bold() ? " bold" : "", font.underline() ? " underlined" : ""),
        colours.color(c->foregroundRole()).name() + u'/' +
            colours.color(c->backgroundRole()).name() + (c->autoFillBackground() ? " filled" : "")};
    if (const auto *label = qobject_cast<QLabel *>(c)) {
        const QImage picture = label->pixmap().toImage();
        line << label->text() << QString::number(label->alignment() | label->wordWrap() << 16, 16)
             << QCryptographicHash::hash(QByteArrayView(picture.constBits(), picture.sizeInBytes()),
                                         QCryptographicHash::Md5)
                    .toHex()
                    .left(8);
    } else if (const auto *field = qobject_cast<QLineEdit *>(c)) {
        line << field->text() << QString::number(field->maxLength());
    } else if (const auto *tabs = qobject_cast<QTabWidget *>(c)) {
        for (int i = 0; i < tabs->count(); ++i)
            line << tabs->tabText(i);
    }
    const QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
    return (line << c->toolTip() << c->accessibleName() << c->accessibleDescription()
                 << QString::number(a->role(), 16) + (a->state().invisible ? " invisible" : "")
                 << QString::number(c->cursor().shape()))
        .join(u'|');
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
    // Every control as shown with Qt's texts in German, and which show in each view, as kept in
    // tests/golden/window.txt; VRA_GOLDEN=write writes it anew after a change on purpose.
    void windowAsDescribed()
    {
        QVERIFY(installGermanQtTexts(*QCoreApplication::instance()));
        WindowFixture f;
        QVERIFY(f.copySamples({"vra.ini"}));
        frmMain &w = f.shown();
        QList<QWidget *> controls; // the window's own, not the parts of Qt's tab bars
        QStringList lines{described(&w) + (w.windowIcon().isNull() ? "" : "|icon")};
        for (QWidget *c : w.findChildren<QWidget *>()) {
            if (!c->objectName().isEmpty() && !c->objectName().startsWith("qt_") &&
                !qobject_cast<QTabBar *>(c->parentWidget()))
                lines << described(controls.emplace_back(c));
        }
        const auto shown = [&](const QString &view) {
            QStringList names;
            for (QWidget *c : std::as_const(controls))
                names << (c->isVisibleTo(&w) ? c->objectName() : QString());
            names.removeAll(QString());
            lines << view + ": " + names.join(u' ');
        };
        shown("start");
        for (int page = 0; page < 3; ++page) {
            clickOn(w.Label3);
            w.StammD->setCurrentIndex(page);
            shown(QStringLiteral("master data %1").arg(page + 1));
        }
        for (int part = 0; part < 5; ++part) {
            clickOn(w.Label4);
            w.InhaltsV->setCurrentIndex(part);
            shown(QStringLiteral("part %1").arg(part + 1));
        }
        const QString golden = QStringLiteral(VRA_SOURCE_DIR "/tests/golden/window.txt");
        if (qgetenv("VRA_GOLDEN") == "write")
            writeBytes(golden, lines.join(u'\n').toUtf8() + '\n');
        const QStringList kept = QString::fromUtf8(readBytes(golden)).split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i)
            QCOMPARE(lines[i], kept.value(i));
        // The dividing lines are drawn; text boxes lie above the captions beside them.
        QCOMPARE(w.Line1[0]->grab().toImage().pixelColor(0, 0), QColor(Qt::black));
        QLineEdit *field = w.txtMenge[7];
        const QPoint rightBorder(field->width() - 1, field->height() / 2);
        QCOMPARE(field->parentWidget()->childAt(field->mapToParent(rightBorder)), field);
    }

    // After start-up: the pages' places, the name field taking what is typed at the first
    // activation, and a size that nothing changes.
    void startUp()
    {
        WindowFixture f;
        frmMain &w = f.shown();
        QCOMPARE(w.WebBrowserTab[4]->LocationURL(), f.dir.path() + "/html/seite5.html");
        QTRY_VERIFY(w.StartS[1]->browser()->toPlainText().contains(
            QStringLiteral("konnte nicht geladen werden")));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(w.AName->selectedText(), QStringLiteral("Bitte den Namen eingeben"));
        QTest::keyClicks(w.AName, "Meier");
        QCOMPARE(w.AName->text(), QStringLiteral("Meier"));
        w.resize(1000, 900);
        w.showMinimized();
        w.showNormal();
        QCOMPARE(w.minimumSize(), w.maximumSize()); // nothing to drag
        w.showMaximized();
        QCOMPARE(w.size(), QSize(774, 613));
        w.showNormal();
        // A window manager that ignores the size limits.
        w.windowHandle()->resize(1000, 900);
        QTRY_COMPARE(w.size(), QSize(774, 613));
    }

    void viewClicks_data()
    {
        // name | clicked | shown: StartS InhaltsV StammD lblNoData Image2 0 5 1 6 3 7 | ini value
        addRows(R"(start|Label7|1000101001|TRUE
                   master data|Label3|0010011010| True # x
                   no master data|Label3|0001011010|T R U E
                   contents|Label4|0100100110|TRUE)");
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
        f.writeFile("vra.ini", "[ANTRAG]\nStammdaten=" + row[3].toUtf8());
        clickOn(w.findChild<QWidget *>(row[1]));
        QString shown;
        for (QWidget *c :
             QList<QWidget *>{w.StartS[1], w.InhaltsV, w.StammD, w.lblNoData, w.Image2[0],
                              w.Image2[5], w.Image2[1], w.Image2[6], w.Image2[3], w.Image2[7]})
            shown += c->isVisible() ? u'1' : u'0';
        QCOMPARE(shown, row[2]);
    }

    // First start: an empty vra.prop; a close writes the 29 lines, in Windows-1252 while it can,
    // else UTF-8; the next start restores fields (long ones too), marks and list.
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

    // A failed save asks whether to close anyway, one cut short keeps the previous file; an
    // unreadable vra.prop is kept as it is and told once, as is a vra.ini too large to read.
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
        // Settings too large to be settings are not read, and the user is told.
        WindowFixture h;
        h.shown("[ANTRAG]\nAntrag=B\n" + QByteArray(5 << 20, ';')).close();
        QVERIFY(h.dialogs.shown.value(0).contains("sind größer als 4 MB und werden nicht gelesen"));
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
