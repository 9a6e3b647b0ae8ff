// The form sheets of the application: their lists, a click on a sheet and on its mark, what a
// screen reader announces, and printing every completed sheet.
#include "documents/sheetfile.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTextDocument>

const QByteArray twoTabs = "[ANTRAG]\r\nTabs=2\r\nAntrag=c\r\n"
                           "[TAB1]\r\nFormblatt.1=Erstes Blatt\r\nFormblatt.2=Zweites\r\n"
                           "[TAB2]\r\nFormblatt.1=Drittes\r\nFormblatt.2=Viertes\r\n"
                           "Formblatt.3=Fünftes\r\n";

class TestSheets : public QObject
{
    Q_OBJECT

private:
    // A shown and active application view over `ini`, with the template "/F (Antrag.pdf) f1a1"
    // unless there is one, and a form for every sheet that has none.
    frmMain &open(WindowFixture &f, const QByteArray &ini)
    {
        if (!QFile::exists(f.path("antrag_.fdf")))
            f.writeFile("antrag_.fdf", "/F (Antrag.pdf) f1a1\r\n");
        frmMain &w = f.shown(ini);
        for (int n = 1; n <= w.sheetCount; ++n) {
            if (!QFile::exists(f.path(SheetFile::name(w.lblFormblatt[n]->text()))))
                f.writeFile(SheetFile::name(w.lblFormblatt[n]->text()), "%PDF-1.4\n");
        }
        w.Label4_Click();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            qFatal("window not active");
        return w;
    }

    // Six sheets "Blatt 1" to "Blatt 6" with forms, those given completed.
    frmMain &printable(WindowFixture &f, const QList<int> &completed)
    {
        QByteArray ini = "[TAB1]\r\n";
        for (int k = 1; k <= 6; ++k) {
            ini += "Formblatt." + QByteArray::number(k) + "=Blatt " + QByteArray::number(k) + "\n";
            QFile::copy(sampleFile("1 Antragsteller.pdf"),
                        f.path(QStringLiteral("Blatt %1.pdf").arg(k)));
        }
        f.copySamples({"antrag_.fdf"});
        frmMain &w = open(f, ini);
        for (int n : completed)
            clickOn(w.lblFormblatt[n]);
        return w;
    }

    // The filled copy of sheet n, which is what goes to the printer.
    QString filled(const WindowFixture &f, int n)
    {
        return f.path(QStringLiteral("ausgefuellt/Blatt %1.pdf").arg(n));
    }

private slots:
    // The lists the catalogue builds, the marks' states announced, a print with none completed.
    void catalogueBuildsTheLists()
    {
        WindowFixture f;
        frmMain &w = open(f, twoTabs);
        QCOMPARE(w.sheetCount, 5);
        QCOMPARE(w.title(), QStringLiteral("VRA - Antrag C"));
        QVERIFY(!w.imgTitle[3]->isHidden());
        QVERIFY(w.InhaltsV->isTabVisible(1) && !w.InhaltsV->isTabVisible(2));
        QCOMPARE(w.imgRead[3]->parentWidget(), w.pic[2]);
        // Roles and names are kept with the window's description.
        QAccessibleInterface *sheet = QAccessible::queryAccessibleInterface(w.lblFormblatt[1]);
        QCOMPARE(sheet->text(QAccessible::Name), QStringLiteral("Erstes Blatt"));
        QAccessibleInterface *mark = QAccessible::queryAccessibleInterface(w.imgRead[1]);
        QCOMPARE(mark->text(QAccessible::Name), QStringLiteral("„Erstes Blatt“ offen"));
        sheet->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(mark->text(QAccessible::Name),
                     QStringLiteral("„Erstes Blatt“ fertiggestellt"));
        mark->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(w.imgRead[1]->Tag, QString());
        clickOn(w.Label5);
        QCOMPARE(f.dialogs.shown, QStringList({"information|VRA - Antrag C|Es wurden noch keine "
                                               "Anträge fertiggestellt!"}));
    }

    // Without a mouse: keys choose the views from a field, Tab walks the master data in order
    // and the part's marks and sheets, Enter and Space click; a double-click opens once.
    void keyboardAndDoubleClicks()
    {
        WindowFixture f;
        frmMain &w = open(f, twoTabs);
        // A key to the widget with the focus, `times` over; who has the focus after each.
        const auto press = [](int key, Qt::KeyboardModifiers modifiers = {}, int times = 1) {
            QStringList names;
            while (names.size() < times) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
                names << QApplication::focusWidget()->objectName();
            }
            return names.join(u' ');
        };
        press(Qt::Key_2, Qt::AltModifier);
        QStringList fields;
        for (int n : {1, 2, 3, 7, 8, 9, 4, 5, 6})
            for (const char *field : {"txtMenge(%1)", "txtMengenart(%1)", "txtFAP(%1)"})
                fields << QString::fromLatin1(field).arg(n);
        w.txtMenge[1]->setFocus();
        QCOMPARE(press(Qt::Key_Tab, {}, 29),
                 (fields.mid(1) << "AName qt_tabwidget_tabbar" << fields[0]).join(u' '));
        press(Qt::Key_3, Qt::AltModifier);
        QCOMPARE(press(Qt::Key_Tab, {}, 6), QStringLiteral("qt_tabwidget_tabbar  imgRead(1) "
                                                           "lblFormblatt(1) imgRead(2) "
                                                           "lblFormblatt(2)"));
        press(Qt::Key_Enter, Qt::KeypadModifier);
        press(Qt::Key_Enter, Qt::KeypadModifier); // at once again: a repeat left unmarked
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(",,2,"));
        QCOMPARE(press(Qt::Key_Backtab, Qt::ShiftModifier), QStringLiteral("imgRead(2)"));
        auto *ring = static_cast<QWidget *>(w.imgRead[2]->parentWidget()->children().last());
        QCOMPARE(ring->geometry(), w.imgRead[2]->geometry().adjusted(-3, -3, 3, 3)); // raised
        // Two pixels wide on every side; the corners are as the rasterizer rounds them.
        const QImage drawn = ring->grab(ring->rect().adjusted(0, 1, 0, -1)).toImage();
        QCOMPARE(drawn, drawn.mirrored(true, true));
        for (const QPoint p : {QPoint(0, 5), QPoint(1, 5), QPoint(2, 5)})
            QCOMPARE(drawn.pixelColor(p) == ring->palette().color(QPalette::Highlight), p.x() < 2);
        press(Qt::Key_Space);
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(","));
        // The parts offered, round the end and back; the focus goes along into the part shown.
        QSignalSpy moves(qApp, &QApplication::focusChanged);
        for (const char *focus : {"", "imgRead(2)"})
            QCOMPARE(press(Qt::Key_PageDown, Qt::ControlModifier), QLatin1String(focus));
        QCOMPARE(moves.size(), 2);
        QCOMPARE(press(Qt::Key_PageUp, Qt::ControlModifier), QString());
        QTest::mouseClick(w.lblFormblatt[1], Qt::LeftButton);
        QTest::mouseDClick(w.lblFormblatt[1], Qt::LeftButton);
        QTest::mouseRelease(w.lblFormblatt[1], Qt::LeftButton);
        QTest::mouseClick(w.lblFormblatt[1], Qt::LeftButton);
        QCOMPARE(f.shell.opened.size(), 2);
        press(Qt::Key_1, Qt::AltModifier);
        press(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(w.StartS[1]->isVisible() && f.dialogs.shown.first().startsWith("question"));
        // The prompt in the name field names nobody in the file's name.
        press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(f.dialogs.shown.last().endsWith("/VRA - Antrag C.pdf"));
    }

    // Names come from a file: markup in them is shown as it stands, in the label and its tip;
    // a "/" stays out of the file name, which would leave the program's folder.
    void namesAreText()
    {
        WindowFixture f;
        const QString name = QStringLiteral("<b>Fett</b>/Formblatt");
        frmMain &w = open(f, "[TAB1]\nFormblatt.1=" + name.toUtf8() + "\n");
        ClickLabel *label = w.lblFormblatt[1];
        QVERIFY(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(name));
        QTextDocument tip;
        tip.setHtml(label->toolTip());
        QCOMPARE(tip.toPlainText(), name);
        clickOn(label);
        QCOMPARE(f.readFile("antrag.fdf"),
                 QByteArray("/F (<b>Fett<_b>_Formblatt.pdf) Bitte den Namen eingeben\r\n"));
    }

    void clicksKeepMarksAndListInStep()
    {
        WindowFixture f;
        frmMain &w = open(f, twoTabs);
        w.AName->setText(QStringLiteral("Jörg"));
        clickOn(w.lblFormblatt[1]);
        QCOMPARE(f.readFile("antrag.fdf"), QByteArray("/F (Erstes Blatt.pdf) J\xF6rg\r\n"));
        QCOMPARE(w.imgRead[1]->pixmap().toImage(), w.yes[0]->pixmap().toImage());
        // A failed opening is told and leaves mark and list as they were; the hidden box keeps
        // its text past a later success.
        f.shell.openResult = 31;
        clickOn(w.lblFormblatt[2]);
        QVERIFY(f.dialogs.shown.last().startsWith(
            "warning|VRA - Antrag C|Das Formblatt „Zweites“ kann nicht angezeigt werden.\n\nFür "
            "PDF-Dateien ist kein Programm eingerichtet."));
        QCOMPARE(w.imgRead[2]->Tag, QString());
        f.shell.openResult = 33;
        w.InhaltsV->setCurrentIndex(1);
        clickOn(w.lblFormblatt[5]);
        clickOn(w.lblFormblatt[3]);
        QCOMPARE(f.shell.opened.size(), 4);
        QCOMPARE(w.txtMsgBox->text(), QStringLiteral("No association for file extension"));
        QVERIFY(w.txtMsgBox->isHidden());
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(",,1,,5,,3,"));

        clickOn(w.imgRead[5]);
        clickOn(w.imgRead[5]); // clearing a clear mark is harmless
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(",,1,,3,"));
        QCOMPARE(w.imgRead[5]->pixmap().toImage(), w.no[0]->pixmap().toImage());
        QCOMPARE(w.getCount(), 2);
        // Marks follow the list at start; items beyond the sheets stay in it.
        w.Bearbeitet->setText(QStringLiteral(",11,,4,"));
        w.RefreshMarks();
        QCOMPARE(w.getCount(), 1);
        QCOMPARE(w.imgRead[4]->Tag, QStringLiteral("OK"));
    }

    // Form data that could not be written must not open an older file in their place, and a
    // sheet whose form is missing is not shown either: each is told, none is marked.
    void unwrittenFormDataIsNotOpened()
    {
        WindowFixture f;
        frmMain &w = open(f, twoTabs);
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("antrag.fdf")));
        clickOn(w.lblFormblatt[1]);
        QCOMPARE(w.txtMsgBox->text(), QStringLiteral("Access denied"));
        QVERIFY(QDir(f.dir.path()).rmdir(QStringLiteral("antrag.fdf")));
        QVERIFY(QFile::remove(f.path("antrag_.fdf")));
        f.writeFile("antrag.fdf", "stale");
        clickOn(w.lblFormblatt[2]);
        QCOMPARE(w.txtMsgBox->text(), QStringLiteral("File not found"));
        QVERIFY(f.shell.opened.isEmpty());
        QCOMPARE(f.readFile("antrag.fdf"), QByteArray("stale"));
        QVERIFY(!w.isWritingFdf);
        f.copySamples({"antrag_.fdf"});
        QVERIFY(QFile::remove(f.path("Drittes.pdf")));
        clickOn(w.lblFormblatt[3]);
        QVERIFY(f.shell.opened.isEmpty());
        QCOMPARE(f.dialogs.shown.size(), 3);
        for (const char *reason : {"antrag.fdf: ", "antrag_.fdf fehlt", "Drittes.pdf fehlt"})
            QVERIFY(f.dialogs.shown.join(u'|').contains(QLatin1String(reason)));
        QCOMPARE(w.getCount(), 0);
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(","));
    }

    // Declined, nothing is printed; accepted, the sheets go in order, each with status, wait
    // and the master data of the moment; marks changed in a wait count when the run gets there.
    void printsTheCompletedSheetsInOrder()
    {
        WindowFixture f;
        frmMain &w = printable(f, {5, 3, 1});
        f.dialogs.answer = false;
        clickOn(w.Label5);
        QVERIFY(f.shell.printed.isEmpty() && !w.lblInfo->isVisible());
        f.dialogs.answer = true;
        QStringList status;
        f.delay.during = [&] {
            status << w.lblInfo->text();
            QVERIFY(w.lblInfo->isVisible() && !w.cmdPrint->isVisible() && w.isPrinting);
            QCOMPARE(w.cursor().shape(), Qt::WaitCursor);
            if (status.size() == 1) {
                clickOn(w.imgRead[3]);      // cleared ahead of the run: skipped
                clickOn(w.lblFormblatt[4]); // completed ahead of the run: printed
                clickOn(w.imgRead[1]);      // cleared behind it: already sent
            }
        };
        clickOn(w.Label5);
        const QString question =
            "question|VRA - Antrag A|Sollen alle fertiggestellten Anträge (3) gedruckt werden?";
        QCOMPARE(f.dialogs.shown, QStringList({question, question}));
        QCOMPARE(f.shell.printed, QStringList({filled(f, 1), filled(f, 4), filled(f, 5)}));
        QCOMPARE(status[0], QStringLiteral("Antrag \"Blatt 1\" wird gedruckt..."));
        QCOMPARE(f.delay.waits, QList<int>({2, 2, 2}));
        QVERIFY(!w.lblInfo->isVisible() && !w.isPrinting && w.cursor().shape() == Qt::ArrowCursor);
        QVERIFY(readBytes(filled(f, 1)).contains("(Bitte den Namen eingeben)"));
        f.delay.during = nullptr;
        w.AName->setText(QStringLiteral("Zweite Fassung"));
        clickOn(w.Label5);
        QVERIFY(readBytes(filled(f, 5)).contains("(Zweite Fassung)"));
    }

    // During a wait the user's closes and a second run are refused, by mouse and by key; the
    // system's close, even while a refusal is on screen, saves and ends the run. Once a run has
    // ended, the window closes though the printer has not answered yet.
    void closesDuringTheRun()
    {
        WindowFixture f;
        frmMain &w = printable(f, {1, 2, 3});
        f.delay.during = [&] {
            QVERIFY(!w.close());
            if (f.delay.waits.size() == 2)
                f.dialogs.whileShown = std::bind(&frmMain::closeBySystem, &w);
            clickOn(w.Label6);
            clickOn(w.Label5);
            QTest::keyClick(w.AName, Qt::Key_Q, Qt::ControlModifier);
            QTest::keyClick(w.AName, Qt::Key_P, Qt::ControlModifier);
            clickOn(w.Label15);
        };
        clickOn(w.Label5);
        QCOMPARE(f.dialogs.shown.count("information|VRA - Antrag A|Der Druck ist noch nicht "
                                       "fertiggestellt!"),
                 6);
        QVERIFY(!f.dialogs.shown.join(u'|').contains("PDF-Datei"));
        QCOMPARE(f.shell.printed.size(), 2);
        QVERIFY(f.readFile("vra.prop").contains("bear=,,1,,2,,3,\r\n"));

        WindowFixture g;
        frmMain &v = printable(g, {1});
        g.shell.answerLater = true;
        clickOn(v.Label5);
        QVERIFY(v.close());
        for (const auto &answer : std::exchange(g.shell.pendingAnswers, {}))
            answer();
        QCOMPARE(g.dialogs.shown.size(), 1);
    }

    void failuresAreReportedAtTheEnd()
    {
        WindowFixture f;
        frmMain &w = printable(f, {2, 3, 5, 6});
        QVERIFY(QFile::remove(f.path("Blatt 3.pdf")));
        f.shell.printFailures.insert(f.path("Blatt 3.pdf"), QStringLiteral("Die Datei fehlt"));
        f.shell.printFailures.insert(filled(f, 5), QStringLiteral("lp: Fehler"));
        f.writeFile("Blatt 6.pdf", "%PDF-1.4 damaged");
        f.shell.printFailures.insert(f.path("Blatt 6.pdf"), QStringLiteral("lp: voll"));
        f.shell.answerLater = true;
        clickOn(w.Label5);
        QCOMPARE(f.shell.printed, QStringList({filled(f, 2), f.path("Blatt 3.pdf"), filled(f, 5),
                                               f.path("Blatt 6.pdf")}));
        // Until the printer has answered for every sheet, a new run waits and says so.
        clickOn(w.Label5);
        QCOMPARE(f.shell.printed.size(), 4);
        QVERIFY(f.dialogs.shown.last().startsWith("information|VRA - Antrag A|Der Drucker hat"));
        for (const auto &answer : std::exchange(f.shell.pendingAnswers, {}))
            answer();
        QCOMPARE(f.dialogs.shown.size(), 3);
        QVERIFY(f.dialogs.shown.last().startsWith(
            "warning|VRA - Antrag A|Diese Anträge wurden nicht gedruckt:\n\n• Blatt 3: Die Datei "
            "fehlt\n• Blatt 5: lp: Fehler\n• Blatt 6: lp: voll\n\nDiese Anträge wurden ohne die "
            "Stammdaten "
            "gedruckt:\n\n• Blatt 6: Das Formular " +
            f.path("Blatt 6.pdf") + " ist beschädigt"));
        QVERIFY(w.close());
    }
};

QTEST_MAIN(TestSheets)
#include "tst_sheets.moc"
