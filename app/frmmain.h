#pragma once

#include "common/masterdata.h"
#include "pdf/formfiller.h"
#include "platform/platform.h"
#include "platform/programfolders.h"

#include <QList>
#include <QWidget>
#include <memory>
#include <optional>

class BrowserPane;
class ClickLabel;
class LineShape;
class PrintReport;
class QLabel;
class QLineEdit;
class QPushButton;
class TabControl;

// The one window of the assistant. Its controls are public and named as the window
// description names them; arrays are indexed as described, with nullptr where the
// description has no member.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    // Unload origins, as the close request reports them.
    enum UnloadMode {
        FormControlMenu = 0,
        FormCode = 1,
        AppWindows = 2,
        AppTaskManager = 3,
        FormMDIForm = 4,
        FormOwner = 5
    };

    frmMain(const ProgramFolders &folders, const Platform &platform, QWidget *parent = nullptr);

    // Start-up and shutdown.
    void Form_Load();
    void Form_QueryUnload(bool &cancel, int unloadMode);
    void Form_Unload();
    void Form_Resize();
    void Label6_Click();
    // A close by the system (session end, termination signal): never refused.
    void closeBySystem();

    // View switching.
    void Label7_Click();
    void Label3_Click();
    void Label4_Click();
    void InhaltsV_Click(int previousTab);

    // The catalogue and the state file. SaveProp tells whether the state is safe on disk.
    void LoadAntrag();
    void LoadProp();
    bool SaveProp();

    // Completion marks.
    void RefreshMarks();
    int getCount() const;
    // Whether the sheet's mark is set ("OK").
    bool isCompleted(int sheet) const;
    void lblFormblatt_Click(int index);
    void imgRead_Click(int index);
    // Puts the sheet's filled copy aside, once the user agrees, and fills it from the blank form.
    void startAfresh(int index);

    // The form data of a sheet and opening it. CreateFDF tells why antrag.fdf was not written,
    // OpenPDF why the sheet was not shown; both say nothing when all went well.
    struct Opening {
        QString failure;
        QString notice; // what the user should know of the sheet, shown or not
    };
    std::optional<QByteArray> formData(const QString &DocName) const;
    QString CreateFDF(const QString &DocName);
    Opening OpenPDF();
    int StartDoc(const QString &DocName);

    // The master data as the fields hold them now.
    MasterData masterData() const;

    // Printing every completed sheet.
    void Label5_Click();

    // Saving every completed sheet in one PDF file.
    void Label15_Click();

    // The master-data fields.
    void entryField_GotFocus(QLineEdit *field);
    int txtFAP_KeyPress(int index, int keyAscii);
    void txtFAP_LostFocus(int index);

    // The application title that every message box carries.
    QString title() const { return title_; }
    // What the name field holds until the user types a name.
    inline static const QString namePrompt = QStringLiteral("Bitte den Namen eingeben");

    bool isPrinting = false;
    bool isWritingFdf = false;
    int sheetCount = 0;

    TabControl *InhaltsV = nullptr;
    QList<BrowserPane *> WebBrowserTab; // WebBrowserTab0(0) to WebBrowserTab4(0)
    QList<QWidget *> pic;               // 1 to 5
    QList<ClickLabel *> lblFormblatt;   // 0 is the template
    QList<ClickLabel *> imgRead;        // 0 is the template
    QList<QLabel *> Label8;             // 0 to 5
    QPushButton *cmdPrint = nullptr;
    QLineEdit *Bearbeitet = nullptr;
    QLineEdit *txtMsgBox = nullptr;
    QLineEdit *AName = nullptr;
    QList<BrowserPane *> StartS; // 1 only
    TabControl *StammD = nullptr;
    QList<QLineEdit *> txtMenge;     // 1 to 9
    QList<QLineEdit *> txtMengenart; // 1 to 9
    QList<QLineEdit *> txtFAP;       // 1 to 9
    QList<LineShape *> Line1;        // 0 to 18
    QLabel *lblNoData = nullptr;
    QList<ClickLabel *> imgTitle; // 1 to 6
    QLabel *lblInfo = nullptr;
    ClickLabel *Label7 = nullptr;
    QList<ClickLabel *> yes; // 0 only
    QList<ClickLabel *> no;  // 0 only
    ClickLabel *Image8 = nullptr;
    ClickLabel *Image1 = nullptr;
    ClickLabel *Image6 = nullptr;
    ClickLabel *Label6 = nullptr;
    ClickLabel *Label5 = nullptr;
    ClickLabel *Image4 = nullptr;
    QList<ClickLabel *> Image5; // 0 and 1
    ClickLabel *Label3 = nullptr;
    QList<ClickLabel *> Image2; // 0 to 8
    ClickLabel *imgHeader = nullptr;
    ClickLabel *Label4 = nullptr;
    ClickLabel *Label15 = nullptr; // over Image2(8), "Als PDF speichern"

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createApplicationView();
    void createMasterDataView();
    void createNavigation();
    void assignKeys();
    void applyDrawingOrder();
    void applyTabOrder();
    void addSheet(int tab, int position, const QString &name);
    void setMark(int sheet, bool completed);
    void setMasterData(const MasterData &data);
    void watchEntryFields();
    void unload(int unloadMode);
    // The name by which antrag.fdf gives the form of a sheet: a path where it is not beside.
    QString formName(const QString &caption) const;
    // Where the filled copies of the forms go.
    QString filledFolder() const;
    // The sheet's filled copy, with the master data as they stand now.
    FormFiller::Result fillSheet(const QString &caption) const;
    // Why no form data can be made.
    QString templateMissing() const;
    QString filledForPrinting(const QString &caption, const QString &file, PrintReport &report);
    // Joins the completed sheets into `path`: empty when done, else why not; none when the
    // user cancelled. What the user should know of a sheet goes to `notices`.
    std::optional<QString> saveApplication(const QString &path,
                                           QList<std::pair<QString, QString>> &notices);
    // The applicant's name; empty while the field holds its prompt.
    QString applicantName() const;
    // A file the program reads or writes (a form, its settings, its state, a filled copy).
    bool isProgramFile(const QString &path) const;

    ProgramFolders folders_;
    Platform platform_;
    QString title_;
    int pendingUnloadMode_ = FormControlMenu;
    QString saveError_;          // why the last SaveProp failed
    bool keepStateFile_ = false; // vra.prop could not be read: it must not be overwritten
    bool unloaded_ = false;      // the window has closed; a print run must not go on
    bool focusedBefore_ = false; // an entry field has had the focus in this session
    QString fdfForm_;            // the form antrag.fdf was last written for
    // The last print run, while the printer has not answered for all its sheets.
    std::weak_ptr<PrintReport> printJobs_;
    QList<QWidget *> drawingOrder_; // the window's own controls, frontmost first
    QList<QWidget *> tabOrder_;
};
