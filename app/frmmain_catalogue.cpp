// The application tabs, their form sheets and the title, as vra.ini describes them.
#include "catalogue/catalogue.h"
#include "clicklabel.h"
#include "frmmain.h"
#include "platform/dialogs.h"
#include "platform/profilereader.h"
#include "tabcontrol.h"
#include "twips.h"

#include <QAction>
#include <QTextDocument>

void frmMain::LoadAntrag()
{
    const QString ini = folders_.find(QStringLiteral("vra.ini"));
    const Catalogue catalogue = Catalogue::read(ini);
    // The messages of the start carry the title the window has from then on.
    title_ = catalogue.title();
    LoadProp();
    InhaltsV->setTabs(catalogue.tabs);
    for (const Catalogue::Sheet &sheet : catalogue.sheets)
        addSheet(sheet.tab, sheet.position, sheet.name);
    if (const int picture = catalogue.titlePicture())
        imgTitle[picture]->show();
    if (catalogue.iniTooLarge)
        platform_.dialogs.warning(
            title_, QStringLiteral("Die Einstellungen %1 sind größer als %2 MB und werden nicht "
                                   "gelesen. Es gelten die Voreinstellungen: fünf Teile ohne "
                                   "Formblätter.")
                        .arg(ini)
                        .arg(ProfileReader::maxFileSize >> 20));
}

// Creates the label and the mark of the next sheet from their templates, row by row.
void frmMain::addSheet(int tab, int position, const QString &name)
{
    const int i = ++sheetCount;
    const QRectF labelTemplate = Twips::fromPixels(lblFormblatt[0]->geometry());
    const QRectF markTemplate = Twips::fromPixels(imgRead[0]->geometry());

    auto *label = new ClickLabel(name, pic[tab]);
    label->setObjectName(QStringLiteral("lblFormblatt(%1)").arg(i));
    label->setFont(lblFormblatt[0]->font());
    label->setPalette(lblFormblatt[0]->palette());
    label->setCursor(lblFormblatt[0]->cursor());
    // Names come from a file: shown as they stand, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setToolTip(Qt::convertFromPlainText(name));
    label->setAccessibleRole(QAccessible::Link);
    label->setAccessibleName(name);
    label->setAccessibleDescription(QStringLiteral("Formblatt ausgefüllt öffnen"));
    const double top = labelTemplate.top() + (labelTemplate.height() + 60) * (position + 1);
    label->setGeometry(
        Twips::toPixels(QRectF(labelTemplate.left(), top, 0, labelTemplate.height())));
    label->resize(label->sizeHint().width(), label->height());
    label->show();
    connect(label, &ClickLabel::clicked, this, [this, i] { lblFormblatt_Click(i); });
    auto *afresh = new QAction(QStringLiteral("Formblatt neu beginnen …"), label);
    connect(afresh, &QAction::triggered, this, [this, i] { startAfresh(i); });
    label->addAction(afresh);
    label->setContextMenuPolicy(Qt::ActionsContextMenu);
    lblFormblatt.append(label);

    auto *mark = new ClickLabel(pic[tab]);
    mark->setObjectName(QStringLiteral("imgRead(%1)").arg(i));
    mark->setPicture(imgRead[0]->pixmap());
    mark->setCursor(imgRead[0]->cursor());
    mark->Tag = imgRead[0]->Tag;
    mark->setAccessibleRole(QAccessible::Button);
    const double markTop = top + (labelTemplate.height() - markTemplate.height()) / 2;
    mark->setGeometry(Twips::toPixels(
        QRectF(markTemplate.left(), markTop, markTemplate.width(), markTemplate.height())));
    mark->show();
    connect(mark, &ClickLabel::clicked, this, [this, i] { imgRead_Click(i); });
    imgRead.append(mark);

    // Stops of the Tab key after all others, row by row as they show: on the part that shows.
    mark->setFocusPolicy(Qt::TabFocus);
    label->setFocusPolicy(Qt::TabFocus);
    tabOrder_ << mark << label;
}
