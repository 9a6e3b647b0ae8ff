#include "app/browserpane.h"
#include "app/clicklabel.h"
#include "app/tabcontrol.h"
#include "app/twips.h"
#include "platform/qttexts.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

namespace
{

QString containerName(frmMain &w, QWidget *control, int &page)
{
    page = -1;
    for (TabControl *tabs : {w.InhaltsV, w.StammD}) {
        if (control->parentWidget() == tabs || tabs->indexOf(control->parentWidget()) >= 0) {
            page = tabs->pageOf(control);
            return tabs->objectName();
        }
    }
    return control->parentWidget()->objectName();
}

QRectF designGeometry(frmMain &w, QWidget *control)
{
    for (TabControl *tabs : {w.InhaltsV, w.StammD}) {
        if (control->parentWidget() == tabs || tabs->indexOf(control->parentWidget()) >= 0)
            return tabs->memberGeometry(control);
    }
    return Twips::fromPixels(control->geometry());
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("container");
        QTest::addColumn<int>("page");
        QTest::addColumn<QRectF>("geometry");
        QTest::addColumn<bool>("visible");

        const auto row = [](const QString &name, const char *type, const char *container, int page,
                            QRectF geometry, bool visible) {
            QTest::newRow(qPrintable(name))
                << name << QString::fromLatin1(type) << QString::fromLatin1(container) << page
                << geometry << visible;
        };
        row("InhaltsV", "TabControl", "frmMain", -1, {2880, 1440, 8055, 6735}, true);
        row("StammD", "TabControl", "frmMain", -1, {2880, 1440, 8055, 6735}, true);
        row("StartS(1)", "BrowserPane", "frmMain", -1, {2880, 1440, 8055, 6735}, true);
        for (int k = 0; k < 5; ++k) {
            row(QStringLiteral("WebBrowserTab%1(0)").arg(k), "BrowserPane", "InhaltsV", k,
                {120, 480, 5895, 6135}, true);
            row(QStringLiteral("pic(%1)").arg(k + 1), "QWidget", "InhaltsV", k,
                {k == 1 ? 6120.0 : 6000.0, k == 2 ? 1080.0 : 960.0, 1935, 4575}, true);
            row(QStringLiteral("Label%1").arg(10 + k), "QLabel", "InhaltsV", k,
                {6120, 5520, 1815, 1095}, true);
            row(QStringLiteral("Label8(%1)").arg(k == 0 ? 5 : k), "QLabel", "InhaltsV", k,
                {6225, 480, 1215, 495}, true);
        }
        row("Label8(0)", "QLabel", "InhaltsV", -1, {5760, -960, 1215, 495}, true);
        row("lblFormblatt(0)", "ClickLabel", "pic(1)", -1, {480, -120, 810, 210}, false);
        row("imgRead(0)", "ClickLabel", "pic(1)", -1, {120, -120, 195, 150}, false);
        row("cmdPrint", "QPushButton", "frmMain", -1, {720, 7440, 1575, 375}, true);
        row("Bearbeitet", "QLineEdit", "frmMain", -1, {360, 5520, 2295, 375}, false);
        row("txtMsgBox", "QLineEdit", "frmMain", -1, {360, 6120, 2295, 1815}, false);
        row("AName", "QLineEdit", "frmMain", -1, {360, 1800, 2415, 375}, true);
        row("lblInfo", "QLabel", "frmMain", -1, {360, 6240, 2295, 975}, true);
        row("Label7", "ClickLabel", "frmMain", -1, {480, 2400, 2175, 375}, true);
        row("Label3", "ClickLabel", "frmMain", -1, {480, 3120, 2055, 255}, true);
        row("Label4", "ClickLabel", "frmMain", -1, {480, 3600, 2055, 375}, true);
        row("Label5", "ClickLabel", "frmMain", -1, {720, 4320, 2055, 255}, true);
        row("Label6", "ClickLabel", "frmMain", -1, {600, 4800, 1935, 375}, true);
        row("yes(0)", "ClickLabel", "frmMain", -1, {960, 5640, 195, 150}, false);
        row("no(0)", "ClickLabel", "frmMain", -1, {360, 5640, 195, 150}, false);
        row("Image8", "ClickLabel", "frmMain", -1, {360, 1440, 2250, 300}, true);
        row("Image1", "ClickLabel", "frmMain", -1, {360, 120, 2565, 1215}, true);
        row("Image6", "ClickLabel", "frmMain", -1, {240, 240, 2760, 1125}, true);
        row("Image4", "ClickLabel", "frmMain", -1, {360, 8520, 7665, 240}, true);
        row("Image5(0)", "ClickLabel", "frmMain", -1, {360, 1080, 7440, 105}, true);
        row("Image5(1)", "ClickLabel", "frmMain", -1, {360, 8280, 7440, 105}, true);
        row("imgHeader", "ClickLabel", "frmMain", -1, {3720, 120, 6285, 345}, true);
        const double navTop[8] = {3000, 3600, 4200, 2400, 4800, 3000, 3600, 2400};
        for (int i = 0; i < 8; ++i)
            row(QStringLiteral("Image2(%1)").arg(i), "ClickLabel", "frmMain", -1,
                {360, navTop[i], 2400, 450}, true);
        const QRectF titles[6] = {{11903, 240, 6675, 360},  {11520, 600, 7440, 315},
                                  {11370, 960, 7740, 285},  {12248, 1320, 5985, 270},
                                  {12195, 1680, 6090, 285}, {11588, 2040, 7305, 270}};
        for (int j = 1; j <= 6; ++j)
            row(QStringLiteral("imgTitle(%1)").arg(j), "ClickLabel", "frmMain", -1, titles[j - 1],
                false);

        // The master-data grid: three packages per page, slot by slot.
        const double heading[3] = {600, 2520, 4440};
        const double quantity[3] = {1080, 3120, 5040};
        const double price[3] = {1680, 3720, 5640};
        const int headingIndex[9] = {0, 1, 2, 3, 4, 5, 8, 7, 6};
        for (int n = 1; n <= 9; ++n) {
            const int page = (n - 1) / 3;
            const int slot = (n - 1) % 3;
            row(QStringLiteral("txtMenge(%1)").arg(n), "QLineEdit", "StammD", page,
                {1680, quantity[slot], 1455, 375}, true);
            row(QStringLiteral("txtMengenart(%1)").arg(n), "QLineEdit", "StammD", page,
                {4680, quantity[slot], 1695, 375}, true);
            row(QStringLiteral("txtFAP(%1)").arg(n), "QLineEdit", "StammD", page,
                {1680, price[slot], 1455, 375}, true);
            row(QStringLiteral("Label2(%1)").arg(headingIndex[n - 1]), "QLabel", "StammD", page,
                {2880, heading[slot], 1095, 255}, true);
        }
        row("Line1(2)", "LineShape", "StammD", -1, {-360, -480, 2520, 15}, true);
        row("Line1(18)", "LineShape", "StammD", 0, {3960, 5040 - 480, 2400, 15}, true);
        row("Label1(34)", "QLabel", "StammD", 2, {120, 5640, 1455, 375}, true);
        row("Label1(17)", "QLabel", "StammD", 1, {120, 3120, 1455, 375}, true);
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, container);
        QFETCH(int, page);
        QFETCH(QRectF, geometry);
        QFETCH(bool, visible);

        WindowFixture f;
        frmMain &w = f.create();
        auto *control = w.findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), type);
        int actualPage = -1;
        QCOMPARE(containerName(w, control, actualPage), container);
        QCOMPARE(actualPage, page);
        QCOMPARE(Twips::toPixels(designGeometry(w, control)), Twips::toPixels(geometry));
        QCOMPARE(!control->isHidden(), visible);
    }

    void descriptionTexts()
    {
        WindowFixture f;
        frmMain &w = f.create();
        QCOMPARE(w.windowTitle(), QStringLiteral("Antragstellung - Versanta"));
        const QStringList stammCaptions = {"Packungen 1 -3", " Packungen 4 - 6 ",
                                           "Packungen 7 - 9"};
        QCOMPARE(w.StammD->count(), 3);
        for (int p = 0; p < 3; ++p)
            QCOMPARE(w.StammD->tabText(p), stammCaptions[p]);
        QCOMPARE(w.InhaltsV->count(), 5);
        for (int p = 0; p < 5; ++p)
            QCOMPARE(w.InhaltsV->tabText(p), QStringLiteral("Teil %1").arg(p + 1));
        QCOMPARE(w.AName->text(), QStringLiteral("Bitte den Namen eingeben"));
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(","));
        QCOMPARE(w.lblNoData->text(),
                 QStringLiteral("Es müssen keine Stammdaten eingegeben werden."));
        QCOMPARE(w.Label2[8]->text(), QStringLiteral("Packung 7"));
        QCOMPARE(w.Label2[6]->text(), QStringLiteral("Packung 9"));
        QCOMPARE(w.findChildren<QLabel *>(QRegularExpression("^Label1\\(")).size(), 27);
        QCOMPARE(w.findChildren<QWidget *>(QRegularExpression("^Line1\\(")).size(), 19);
        QVERIFY(!w.StartS[0]);
        QCOMPARE(w.windowIcon().availableSizes().size(), 3);
        // The click labels lie in front of their pictures.
        const QObjectList order = w.children();
        QVERIFY(order.indexOf(w.Label3) > order.indexOf(w.Image2[0]));
        QVERIFY(order.indexOf(w.Image2[0]) > order.indexOf(w.Image2[5]));
        QVERIFY(order.indexOf(w.AName) > order.indexOf(w.Image8));
    }

    void qtTextsAreGerman()
    {
        QVERIFY(installGermanQtTexts(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
    }

    void tabMembersLandInPlace()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Label4_Click();
        QCOMPARE(w.WebBrowserTab[0]->mapTo(w.InhaltsV, QPoint()), QPoint(8, 32));
        w.Label3_Click();
        w.StammD->setCurrentIndex(2);
        QCOMPARE(w.txtFAP[9]->mapTo(w.StammD, QPoint()), QPoint(112, 376));
        QVERIFY(w.txtFAP[9]->isVisible());
        QVERIFY(!w.txtFAP[1]->isVisible());
    }

    void startView()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.StartS[1]->isVisible());
        QVERIFY(!w.InhaltsV->isVisible());
        QVERIFY(!w.StammD->isVisible());
        QVERIFY(!w.lblInfo->isVisible());
        QVERIFY(!w.cmdPrint->isVisible());
        QVERIFY(!w.lblNoData->isVisible());
        QVERIFY(!w.Image2[3]->isVisible());
        QVERIFY(w.Image2[7]->isVisible());
        for (int i : {0, 1, 5, 6})
            QVERIFY(w.Image2[i]->isVisible());
        QCOMPARE(w.StartS[1]->LocationURL(), f.dir.path() + "/html/start.html");
        for (int k = 0; k < 5; ++k)
            QCOMPARE(w.WebBrowserTab[k]->LocationURL(),
                     f.dir.path() + QStringLiteral("/html/seite%1.html").arg(k + 1));
        QCOMPARE(w.size(), QSize(774, 613));
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(Twips::toPixels(w.InhaltsV->memberGeometry(w.pic[i])),
                     Twips::toPixels(QRectF(6075, 960, 1920, 4575)));
        QCOMPARE(w.imgTitle[1]->geometry().topLeft(), QPoint(235, 39));
        QCOMPARE(w.imgTitle[3]->x(), 200); // 2992.5 twips
    }

    void fixedSize()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(1000, 900);
        QCOMPARE(w.size(), QSize(774, 613));
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

    void textBoxesCoverTheCaptionsBesideThem()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.Label3_Click();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QLineEdit *field = w.txtMenge[1];
        const QPoint rightBorder(field->width() - 1, field->height() / 2);
        QCOMPARE(field->parentWidget()->childAt(field->mapToParent(rightBorder)), field);
    }

    void viewClicks_data()
    {
        QTest::addColumn<QString>("hotSpot");
        QTest::addColumn<QString>("visible");
        // Visible afterwards, in the order: StartS, InhaltsV, StammD, lblNoData, Image2(0),
        // Image2(5), Image2(1), Image2(6), Image2(3), Image2(7).
        QTest::newRow("start") << "Label7"
                               << "1000101001";
        QTest::newRow("application") << "Label4"
                                     << "0100100110";
        QTest::newRow("master data") << "Label3"
                                     << "0010011010";
    }

    void viewClicks()
    {
        QFETCH(QString, hotSpot);
        QFETCH(QString, visible);
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Start from another view, so that every click changes something.
        w.Label4_Click();
        if (hotSpot == "Label4")
            w.Label3_Click();
        clickOn(w.findChild<QWidget *>(hotSpot));
        const QList<QWidget *> controls = {w.StartS[1], w.InhaltsV,  w.StammD,    w.lblNoData,
                                           w.Image2[0], w.Image2[5], w.Image2[1], w.Image2[6],
                                           w.Image2[3], w.Image2[7]};
        QString actual;
        for (QWidget *c : controls)
            actual += c->isVisible() ? u'1' : u'0';
        QCOMPARE(actual, visible);
    }

    void pictureOutsideHotSpotDoesNothing()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The left edge of the application button is picture only.
        QWidget *under = w.childAt(26, 245);
        QCOMPARE(under, w.Image2[1]);
        clickOn(under);
        QVERIFY(w.StartS[1]->isVisible());
        QVERIFY(!w.InhaltsV->isVisible());
    }

    void tabChangeShowsItsContainer()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickOn(w.Label4);
        for (int tab : {2, 4, 0}) {
            QTabBar *bar = w.InhaltsV->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
            QCOMPARE(w.InhaltsV->Tab(), tab);
            for (int i = 1; i <= 5; ++i)
                QCOMPARE(!w.pic[i]->isHidden(), i == tab + 1);
        }
    }

    void masterDataSetting_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("fields");
        QTest::newRow("true") << QByteArray("[ANTRAG]\nStammdaten=true\n") << true;
        QTest::newRow("True with comment")
            << QByteArray("[ANTRAG]\nStammdaten= True # x\n") << true;
        QTest::newRow("FALSE") << QByteArray("[ANTRAG]\nStammdaten=FALSE\n") << false;
        QTest::newRow("spaced letters") << QByteArray("[ANTRAG]\nStammdaten=T R U E\n") << false;
        QTest::newRow("1") << QByteArray("[ANTRAG]\nStammdaten=1\n") << false;
        QTest::newRow("empty") << QByteArray("[ANTRAG]\nStammdaten=\n") << false;
        QTest::newRow("missing key") << QByteArray("[ANTRAG]\nTabs=5\n") << true;
        QTest::newRow("missing file") << QByteArray() << true;
        QTest::newRow("binary file") << QByteArray("\x7f\x45\x4c\x46\x00\x01\xff", 7) << true;
    }

    void masterDataSetting()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, fields);
        WindowFixture f;
        if (!ini.isEmpty())
            f.writeFile("vra.ini", ini);
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickOn(w.Label3);
        QCOMPARE(w.StammD->isVisible(), fields);
        QCOMPARE(w.lblNoData->isVisible(), !fields);
        QVERIFY(!w.InhaltsV->isVisible());
        clickOn(w.Label7);
        QVERIFY(!w.lblNoData->isVisible());
    }

    void masterDataSettingIsReadOnEveryClick()
    {
        WindowFixture f;
        f.writeFile("vra.ini", "[ANTRAG]\nStammdaten=FALSE\n");
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickOn(w.Label3);
        QVERIFY(w.lblNoData->isVisible());
        f.writeFile("vra.ini", "[ANTRAG]\nStammdaten=TRUE\n");
        clickOn(w.Label3);
        QVERIFY(w.StammD->isVisible());
        QVERIFY(!w.lblNoData->isVisible());
    }

    void missingPagesShowANotice()
    {
        WindowFixture f;
        frmMain &w = f.start();
        QTRY_VERIFY(w.StartS[1]->browser()->toPlainText().contains(
            QStringLiteral("konnte nicht geladen werden")));
    }

    void closeRefusedWhilePrinting()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.isPrinting = true;
        QVERIFY(!w.close());
        clickOn(w.Label6);
        QVERIFY(w.isVisible());
        const QString refusal =
            "information|" + w.title() + "|Der Druck ist noch nicht fertiggestellt!";
        QCOMPARE(f.dialogs.shown, QStringList({refusal, refusal}));

        w.isPrinting = false;
        clickOn(w.Label6);
        QVERIFY(!w.isVisible());
        QCOMPARE(f.dialogs.shown.size(), 2);
    }

    void systemCloseDuringARefusalSaves()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.isPrinting = true;
        f.dialogs.whileShown = [&w] {
            w.closeBySystem();
        };
        w.close();
        QCOMPARE(f.readFile("vra.prop").count("\r\n"), 29);
    }

    void systemCloseNeverRefused()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.isPrinting = true;
        w.closeBySystem();
        QVERIFY(!w.isVisible());
        QVERIFY(f.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
