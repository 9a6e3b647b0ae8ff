// Switching between the start page, the application and the master data.
#include "browserpane.h"
#include "clicklabel.h"
#include "common/ini.h"
#include "frmmain.h"
#include "tabcontrol.h"

namespace
{

struct ViewImages {
    bool image5, image0, image1, image6, image3, image7;
};

void showImages(const QList<ClickLabel *> &image2, const ViewImages &v)
{
    image2[5]->setVisible(v.image5);
    image2[0]->setVisible(v.image0);
    image2[1]->setVisible(v.image1);
    image2[6]->setVisible(v.image6);
    image2[3]->setVisible(v.image3);
    image2[7]->setVisible(v.image7);
}

} // namespace

void frmMain::Label7_Click()
{
    lblNoData->hide();
    StammD->hide();
    InhaltsV->hide();
    StartS[1]->show();
    showImages(Image2, {false, true, true, false, false, true});
}

void frmMain::Label4_Click()
{
    lblNoData->hide();
    StammD->hide();
    InhaltsV->show();
    StartS[1]->hide();
    showImages(Image2, {false, true, false, true, true, false});
}

void frmMain::Label3_Click()
{
    const QString value =
        modDef::ReadIni(folders_.find(QStringLiteral("vra.ini")), QStringLiteral("ANTRAG"),
                        QStringLiteral("Stammdaten"), QStringLiteral("TRUE"));
    if (value.toUpper() == QLatin1String("TRUE")) {
        StammD->show();
        lblNoData->hide();
    } else {
        StammD->hide();
        lblNoData->show();
    }
    InhaltsV->hide();
    StartS[1]->hide();
    showImages(Image2, {true, false, true, false, true, false});
}

void frmMain::InhaltsV_Click(int)
{
    Form_Resize();
}
