// The window description: every control with its place, texts, fonts, colours and pictures.
#include "browserpane.h"
#include "catalogue/statefile.h"
#include "clicklabel.h"
#include "frmmain.h"
#include "lineshape.h"
#include "tabcontrol.h"
#include "twips.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

namespace
{

QFont font(const QString &family, double points, bool bold, bool underline = false)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

QFont arial(double points, bool bold = false, bool underline = false)
{
    return font(QStringLiteral("Arial"), points, bold, underline);
}

QFont msSansSerif(double points, bool bold = false)
{
    return font(QStringLiteral("MS Sans Serif"), points, bold);
}

QString arrayName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

template <typename T> T *named(T *control, const QString &name)
{
    control->setObjectName(name);
    return control;
}

void setBackground(QWidget *control, QPalette::ColorRole role)
{
    QPalette p = control->palette();
    p.setColor(QPalette::Window, p.color(role));
    control->setPalette(p);
    control->setAutoFillBackground(true);
}

void setTextColour(QWidget *control, const QColor &colour)
{
    QPalette p = control->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    control->setPalette(p);
}

QPixmap picture(const char *file)
{
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(file));
}

// A control of the window's own client area.
template <typename T> T *place(T *control, double left, double top, double width, double height)
{
    control->setGeometry(Twips::toPixels(QRectF(left, top, width, height)));
    return control;
}

ClickLabel *image(QWidget *parent, const QString &name, const char *file)
{
    auto *control = named(new ClickLabel(parent), name);
    if (file)
        control->setPicture(picture(file));
    return control;
}

// A transparent click area over a navigation picture, a button to a screen reader.
ClickLabel *hotSpot(QWidget *parent, const char *name, const QFont &font, const QString &action)
{
    auto *control = named(new ClickLabel(parent), QLatin1String(name));
    control->setAccessibleRole(QAccessible::Button);
    control->setAccessibleName(action);
    control->setFont(font);
    setTextColour(control, QColor(0, 64, 0));
    control->setCursor(Qt::PointingHandCursor);
    return control;
}

} // namespace

void frmMain::createControls()
{
    Q_INIT_RESOURCE(resources);
    // Fontconfig would give a wide face for this name; Arial's stand-in keeps the texts in place.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    setFont(msSansSerif(8.25));
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Antragstellung - Versanta"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/vra.ico")));
    setBackground(this, QPalette::Base);
    resize(Twips::toPixels(19680), Twips::toPixels(9315));

    createApplicationView();

    cmdPrint =
        place(named(new QPushButton(QStringLiteral("Drucken"), this), QStringLiteral("cmdPrint")),
              720, 7440, 1575, 375);
    QPalette buttonPalette = cmdPrint->palette();
    buttonPalette.setColor(QPalette::Button, buttonPalette.color(QPalette::Light));
    cmdPrint->setPalette(buttonPalette);

    Bearbeitet =
        place(named(new QLineEdit(QStringLiteral(","), this), QStringLiteral("Bearbeitet")), 360,
              5520, 2295, 375);
    Bearbeitet->hide();
    Bearbeitet->setMaxLength(StateFile::maxValueLength);
    txtMsgBox =
        place(named(new QLineEdit(this), QStringLiteral("txtMsgBox")), 360, 6120, 2295, 1815);
    setTextColour(txtMsgBox, QColor(255, 0, 0));
    txtMsgBox->setFont(msSansSerif(8.25, true));
    txtMsgBox->hide();
    AName = place(named(new QLineEdit(namePrompt, this), QStringLiteral("AName")), 360, 1800, 2415,
                  375);
    AName->setFont(arial(8.25));
    AName->setMaxLength(StateFile::maxValueLength);
    AName->setAccessibleName(QStringLiteral("Name des Antragstellers"));

    StartS = {nullptr,
              place(named(new BrowserPane(this), arrayName("StartS", 1)), 2880, 1440, 8055, 6735)};

    createMasterDataView();

    lblNoData = place(named(new QLabel(QStringLiteral("Es müssen keine Stammdaten eingegeben "
                                                      "werden."),
                                       this),
                            QStringLiteral("lblNoData")),
                      4080, 2160, 4305, 195);
    setBackground(lblNoData, QPalette::Base);
    lblNoData->setFont(msSansSerif(8.25, true));
    lblNoData->adjustSize();
    lblNoData->hide();

    const struct {
        const char *file;
        double width, height;
        const char *heading;
    } titles[] = {
        {"title_a.bmp", 6675, 360,
         "Antrag gemäß IV. Abschnitt der VO-VRA - Aufnahme in den Listarium"},
        {"title_b.bmp", 7440, 315,
         "Antrag gemäß V. Abschnitt der VO-VRA - Änderung der Verwendung (§28 Abs. 1 Z 1)"},
        {"title_c.bmp", 7740, 285,
         "Antrag gemäß V. Abschnitt der VO-VRA - Änderung der Packungsgrösse (§28 Abs. 1 Z 2)"},
        {"title_d.bmp", 5985, 270,
         "Antrag gemäß V. Abschnitt der VO-VRA - Streichung (§28 Abs. 1 Z 3)"},
        {"title_e.bmp", 6090, 285,
         "Antrag gemäß VI. Abschnitt der VO-VRA - Preiserhöhung roter Bereich"},
        {"title_f.bmp", 7305, 270,
         "Antrag gemäß VI. Abschnitt der VO-VRA - Preiserhöhung gelber oder grüner Bereich"}};
    imgTitle = {nullptr};
    for (int j = 1; j <= 6; ++j) {
        const auto &t = titles[j - 1];
        // The layout puts it under the header, centred.
        imgTitle.append(
            place(image(this, arrayName("imgTitle", j), t.file), 0, 0, t.width, t.height));
        imgTitle[j]->setAccessibleName(QString::fromUtf8(t.heading));
        imgTitle[j]->hide();
    }

    lblInfo = place(named(new QLabel(QStringLiteral("Info"), this), QStringLiteral("lblInfo")), 360,
                    6240, 2295, 975);
    setBackground(lblInfo, QPalette::Base);
    lblInfo->setWordWrap(true);
    lblInfo->setTextFormat(Qt::PlainText);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    yes = {place(image(this, arrayName("yes", 0), "mark_yes.gif"), 960, 5640, 195, 150)};
    yes[0]->hide();
    no = {place(image(this, arrayName("no", 0), "mark_no.gif"), 360, 5640, 195, 150)};
    no[0]->hide();
    Image8 = place(image(this, QStringLiteral("Image8"), "name_caption.jpg"), 360, 1440, 2250, 300);
    Image1 = place(image(this, QStringLiteral("Image1"), nullptr), 360, 120, 2565, 1215);
    Image6 = place(image(this, QStringLiteral("Image6"), "logo.gif"), 240, 240, 2760, 1125);
    Image6->setAccessibleName(QStringLiteral("Versanta"));
    Image4 = place(image(this, QStringLiteral("Image4"), "footer.gif"), 360, 8520, 7665, 240);
    Image5 = {place(image(this, arrayName("Image5", 0), "strip.gif"), 360, 1080, 7440, 105),
              place(image(this, arrayName("Image5", 1), "strip.gif"), 360, 8280, 7440, 105)};
    imgHeader = place(image(this, QStringLiteral("imgHeader"), "header.gif"), 3720, 120, 6285, 345);
    imgHeader->setAccessibleName(windowTitle());

    createNavigation();

    drawingOrder_ = {InhaltsV,    cmdPrint,  Bearbeitet,  txtMsgBox,   AName,       StartS[1],
                     StammD,      lblNoData, imgTitle[6], imgTitle[5], imgTitle[4], imgTitle[3],
                     imgTitle[1], lblInfo,   Label7,      imgTitle[2], yes[0],      no[0],
                     Image8,      Image1,    Image6,      Label6,      Label5,      Image4,
                     Image5[1],   Image5[0], Label3,      Image2[2],   imgHeader,   Image2[4],
                     Image2[0],   Image2[5], Image2[3],   Image2[7],   Label4,      Image2[1],
                     Image2[6]};
    applyDrawingOrder();
    applyTabOrder();
}

void frmMain::createApplicationView()
{
    InhaltsV = place(named(new TabControl({QStringLiteral("Teil 1"), QStringLiteral("Teil 2"),
                                           QStringLiteral("Teil 3"), QStringLiteral("Teil 4"),
                                           QStringLiteral("Teil 5")},
                                          this),
                           QStringLiteral("InhaltsV")),
                     2880, 1440, 8055, 6735);
    InhaltsV->tabBar()->setFont(arial(8.25));

    pic = {nullptr};
    Label8 = {named(new QLabel(QStringLiteral("Formblatt öffnen")), arrayName("Label8", 0))};
    for (int k = 0; k < 5; ++k) {
        auto *pane = named(new BrowserPane, QStringLiteral("WebBrowserTab%1(0)").arg(k));
        InhaltsV->place(pane, k, QRectF(120, 480, 5895, 6135));
        WebBrowserTab.append(pane);

        auto *container = named(new QWidget, arrayName("pic", k + 1));
        // Its height; the start-up puts it beside the page and gives it the width left there.
        InhaltsV->place(container, k, QRectF(6000, 960, 1935, 4575));
        pic.append(container);

        Label8.append(
            named(new QLabel(QStringLiteral("Formblatt öffnen")), arrayName("Label8", k + 1)));

        auto *hint = named(new QLabel(QStringLiteral("Um ein Formblatt wieder abzuwählen, klicken "
                                                     "Sie auf den grünen Punkt links neben der "
                                                     "Formblattbezeichnung")),
                           QStringLiteral("Label%1").arg(10 + k));
        hint->setWordWrap(true);
        hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        InhaltsV->place(hint, k, QRectF(6120, 5520, 1815, 1095));
    }
    // The heading of page 0 is Label8(5); Label8(0) lies on no page, above the visible area.
    for (int index = 0; index <= 5; ++index) {
        QLabel *heading = Label8[index];
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        heading->setWordWrap(true);
        setTextColour(heading, QColor(0, 64, 0));
        heading->setFont(index == 0 ? msSansSerif(8.25, true) : arial(8.25, true));
        const int page = index == 5 ? 0 : index == 0 ? -1 : index;
        InhaltsV->place(heading, page,
                        index == 0 ? QRectF(5760, -960, 1215, 495) : QRectF(6225, 480, 1215, 495));
    }

    auto *template_ =
        named(new ClickLabel(QStringLiteral("lblFormblatt"), pic[1]), arrayName("lblFormblatt", 0));
    setTextColour(template_, QColor(0, 0, 255));
    template_->setFont(arial(8.25, false, true));
    template_->setGeometry(Twips::toPixels(QRectF(480, -120, 810, 210)));
    template_->setCursor(Qt::PointingHandCursor);
    template_->hide();
    lblFormblatt = {template_};

    auto *mark = image(pic[1], arrayName("imgRead", 0), "mark_no.gif");
    mark->setGeometry(Twips::toPixels(QRectF(120, -120, 195, 150)));
    mark->setCursor(Qt::PointingHandCursor);
    mark->hide();
    imgRead = {mark};
}

void frmMain::createMasterDataView()
{
    StammD = place(
        named(new TabControl({QStringLiteral("Packungen 1 -3"), QStringLiteral(" Packungen 4 - 6 "),
                              QStringLiteral("Packungen 7 - 9")},
                             this),
              QStringLiteral("StammD")),
        2880, 1440, 8055, 6735);
    StammD->tabBar()->setFont(arial(8.25));

    // Per page: the heading labels, the caption labels and the rulers, slot by slot.
    const int headings[][3] = {{0, 1, 2}, {3, 4, 5}, {8, 7, 6}};
    const int captions[][9] = {{0, 1, 2, 3, 4, 6, 13, 14, 15},
                               {9, 10, 11, 17, 18, 19, 21, 22, 23},
                               {24, 25, 26, 28, 29, 30, 32, 33, 34}};
    const int rulers[][6] = {{0, 1, 3, 4, 5, 18}, {6, 7, 8, 9, 10, 11}, {12, 13, 14, 15, 16, 17}};
    const double headingTop[] = {600, 2520, 4440};
    const double rulerTop[] = {720, 2640, 4560};
    const double quantityTop[] = {1080, 3120, 5040};
    const double priceTop[] = {1680, 3720, 5640};

    txtMenge = txtMengenart = txtFAP = QList<QLineEdit *>(10, nullptr);
    Line1 = QList<LineShape *>(19, nullptr);

    const auto caption = [this](int index, const char *text, int page, double left, double top) {
        auto *label = named(new QLabel(QLatin1String(text)), arrayName("Label1", index));
        setBackground(label, QPalette::Midlight);
        label->setFont(arial(9.75));
        label->setAlignment(Qt::AlignCenter);
        StammD->place(label, page, QRectF(left, top, 1455, 375));
    };
    const auto field = [this](QList<QLineEdit *> &array, const char *name, const char *caption,
                              int n, int page, double left, double top, double width) {
        auto *edit = named(new QLineEdit, arrayName(name, n));
        edit->setAccessibleName(
            QStringLiteral("%1, Packung %2").arg(QLatin1String(caption)).arg(n));
        edit->setMaxLength(StateFile::maxValueLength);
        StammD->place(edit, page, QRectF(left, top, width, 375));
        array[n] = edit;
    };
    const auto ruler = [this](int index, int page, double from, double to, double y) {
        auto *line = named(new LineShape(QPalette::WindowText, nullptr), arrayName("Line1", index));
        StammD->place(line, page, QRectF(from, y, to - from, Twips::perPixel));
        Line1[index] = line;
    };

    for (int page = 0; page < 3; ++page) {
        for (int slot = 0; slot < 3; ++slot) {
            const int n = 3 * page + slot + 1;

            auto *heading = named(new QLabel(QStringLiteral("Packung %1").arg(n)),
                                  arrayName("Label2", headings[page][slot]));
            heading->setFont(arial(9.75, true));
            heading->setAlignment(Qt::AlignCenter);
            StammD->place(heading, page, QRectF(2880, headingTop[slot], 1095, 255));

            ruler(rulers[page][2 * slot], page, 240, 2760, rulerTop[slot]);
            ruler(rulers[page][2 * slot + 1], page, 3960, 6360, rulerTop[slot]);

            const int *c = &captions[page][3 * slot];
            caption(c[0], "Menge", page, 120, quantityTop[slot]);
            field(txtMenge, "txtMenge", "Menge", n, page, 1680, quantityTop[slot], 1455);
            caption(c[1], "Mengenart", page, 3120, quantityTop[slot]);
            field(txtMengenart, "txtMengenart", "Mengenart", n, page, 4680, quantityTop[slot],
                  1695);
            caption(c[2], "FAP/DAP", page, 120, priceTop[slot]);
            field(txtFAP, "txtFAP", "FAP/DAP", n, page, 1680, priceTop[slot], 1455);
        }
    }
    auto *offPage = named(new LineShape(QPalette::HighlightedText, nullptr), arrayName("Line1", 2));
    StammD->place(offPage, -1, QRectF(-360, -480, 2520, Twips::perPixel));
    Line1[2] = offPage;
}

void frmMain::createNavigation()
{
    const char *pictures[] = {"nav_stammdaten.gif",
                              "nav_inhaltsverzeichnis.gif",
                              "nav_drucken.gif",
                              "nav_startseite.gif",
                              "nav_schliessen.gif",
                              "nav_stammdaten_selected.gif",
                              "nav_inhaltsverzeichnis_selected.gif",
                              "nav_startseite_selected.gif",
                              "nav_pdf_speichern.gif"};
    // Image2(8) lies below the others, in the column's free space.
    const double tops[] = {3000, 3600, 4200, 2400, 4800, 3000, 3600, 2400, 5400};
    for (int i = 0; i < 9; ++i)
        Image2.append(
            place(image(this, arrayName("Image2", i), pictures[i]), 360, tops[i], 2400, 450));

    // The pictures below them stay nameless: the click areas carry their names.
    Label7 = place(hotSpot(this, "Label7", arial(8.25, true), QStringLiteral("Startseite")), 480,
                   2400, 2175, 375);
    Label3 = place(hotSpot(this, "Label3", arial(8.25, true), QStringLiteral("Stammdaten")), 480,
                   3120, 2055, 255);
    Label4 = place(
        hotSpot(this, "Label4", msSansSerif(8.25, true), QStringLiteral("Inhaltsverzeichnis")), 480,
        3600, 2055, 375);
    Label5 = place(hotSpot(this, "Label5", arial(8.25, true), QStringLiteral("Drucken")), 720, 4320,
                   2055, 255);
    Label6 = place(hotSpot(this, "Label6", msSansSerif(8.25, true), QStringLiteral("Schliessen")),
                   600, 4800, 1935, 375);
    Label15 =
        place(hotSpot(this, "Label15", arial(8.25, true), QStringLiteral("Als PDF speichern")), 480,
              5400, 2175, 375);
}

void frmMain::applyDrawingOrder()
{
    // Labels and images are drawn in description order, the first in front; controls with a
    // window of their own (text boxes, buttons, tab controls, panes) lie above them all.
    const auto windowless = [](QWidget *w) {
        return qobject_cast<QLabel *>(w) != nullptr;
    };
    for (bool windowed : {false, true}) {
        for (auto it = drawingOrder_.crbegin(); it != drawingOrder_.crend(); ++it) {
            if (windowless(*it) != windowed)
                (*it)->raise();
        }
    }
    // So on the pages of the tab controls: the text boxes cover the captions beside them.
    for (TabControl *tabs : {InhaltsV, StammD}) {
        for (int page = 0; page < tabs->count(); ++page) {
            const auto members =
                tabs->widget(page)->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
            for (QWidget *member : members) {
                if (!windowless(member))
                    member->raise();
            }
        }
    }
}

void frmMain::applyTabOrder()
{
    tabOrder_ = {StammD};
    for (int n : {1, 2, 3, 7, 8, 9, 4, 5, 6})
        tabOrder_ << txtMenge[n] << txtMengenart[n] << txtFAP[n];
    tabOrder_ << AName << txtMsgBox << Bearbeitet << InhaltsV;
    for (BrowserPane *pane : WebBrowserTab)
        tabOrder_ << pane;
    tabOrder_ << StartS[1] << cmdPrint;
    for (qsizetype i = 1; i < tabOrder_.size(); ++i)
        setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}
