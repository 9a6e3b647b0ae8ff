// Start-up and shutdown of the window.
#include "frmmain.h"

#include "accessibility.h"
#include "browserpane.h"
#include "clicklabel.h"
#include "documents/sheetfile.h"
#include "platform/dialogs.h"
#include "tabcontrol.h"
#include "twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmMain::frmMain(const ProgramFolders &folders, const Platform &platform, QWidget *parent)
    : QWidget(parent), folders_(folders), platform_(platform), title_(QStringLiteral("VRA"))
{
    installAccessibility();
    createControls();
    connect(InhaltsV, &TabControl::Click, this, &frmMain::InhaltsV_Click);
    connect(Label7, &ClickLabel::clicked, this, &frmMain::Label7_Click);
    connect(Label3, &ClickLabel::clicked, this, &frmMain::Label3_Click);
    connect(Label4, &ClickLabel::clicked, this, &frmMain::Label4_Click);
    connect(Label5, &ClickLabel::clicked, this, &frmMain::Label5_Click);
    connect(Label6, &ClickLabel::clicked, this, &frmMain::Label6_Click);
    connect(Label15, &ClickLabel::clicked, this, &frmMain::Label15_Click);
    watchEntryFields();
    assignKeys();
}

QString frmMain::formName(const QString &caption) const
{
    const QString name = SheetFile::name(caption);
    const QString form = folders_.find(name);
    return form == folders_.own(name) ? name : form;
}

void frmMain::Form_Load()
{
    isPrinting = false;
    isWritingFdf = false;

    lblInfo->hide();
    cmdPrint->hide();

    InhaltsV->hide();
    StammD->hide();
    StartS[1]->show();

    Image2[3]->hide();
    Image2[7]->show();

    for (int k = 0; k < 5; ++k)
        WebBrowserTab[k]->Navigate(folders_.find(QStringLiteral("html/seite%1.html").arg(k + 1)));
    StartS[1]->Navigate(folders_.find(QStringLiteral("html/start.html")));

    LoadAntrag();
    RefreshMarks();

    const QRectF pane = InhaltsV->memberGeometry(WebBrowserTab[0]);
    const double inhaltsWidth = Twips::fromPixels(InhaltsV->width());
    for (int i = 1; i <= 5; ++i) {
        QRectF r = InhaltsV->memberGeometry(pic[i]);
        r.moveTop(960);
        r.moveLeft(pane.width() + pane.left() + 60);
        r.setWidth(inhaltsWidth - r.left() - 60);
        InhaltsV->setMemberGeometry(pic[i], r);
    }

    Form_Resize();
}

void frmMain::Form_QueryUnload(bool &cancel, int unloadMode)
{
    if (unloadMode != FormControlMenu && unloadMode != FormCode && unloadMode != FormOwner)
        return;
    // Once the run has ended, the jobs the printer has not yet answered for go on by themselves.
    if (isPrinting) {
        platform_.dialogs.information(title_, QStringLiteral("Der Druck ist noch nicht "
                                                             "fertiggestellt!"));
        cancel = true;
        return;
    }
    if (!SaveProp()) {
        cancel = !platform_.dialogs.question(
            title_,
            QStringLiteral("Die Eingaben konnten nicht gespeichert werden (%1).\n\n"
                           "Trotzdem schließen? Die Eingaben dieser Sitzung gehen dann "
                           "verloren.")
                .arg(saveError_),
            Dialogs::Answer::No);
    }
}

void frmMain::Form_Unload()
{
    unloaded_ = true;
    SaveProp();
}

void frmMain::Label6_Click()
{
    unload(FormCode);
}

void frmMain::closeBySystem()
{
    unload(AppWindows);
    // A close already under way (its message box open) swallows this one: save all the same.
    if (!unloaded_)
        Form_Unload();
}

void frmMain::unload(int unloadMode)
{
    pendingUnloadMode_ = unloadMode;
    close();
    pendingUnloadMode_ = FormControlMenu;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    Form_QueryUnload(cancel, pendingUnloadMode_);
    if (cancel) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}
