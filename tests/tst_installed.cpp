// The program as its package installs it: read-only files under the prefix, the user's files
// in a folder of the user's own.
#include "app/browserpane.h"
#include "app/clicklabel.h"
#include "windowfixture.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <csignal>

namespace
{

QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files.insert(info.filePath(), QByteArray::number(info.size()) + ' ' +
                                          info.lastModified().toString(Qt::ISODateWithMs).toUtf8());
    }
    return files;
}

} // namespace

class TestInstalled : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir root_; // DESTDIR
    QTemporaryDir home_;
    QMap<QString, QByteArray> installed_;

    QString prefix(const QString &path) const
    {
        return root_.path() + QStringLiteral("/usr/") + path;
    }
    QString userFile(const QString &name) const
    {
        return home_.filePath(QStringLiteral(".local/share/vra/") + name);
    }

private slots:
    void initTestCase()
    {
        QProcess install;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), root_.path());
        install.setProcessEnvironment(env);
        install.start(QStringLiteral("cmake"), {"--install", VRA_BUILD_DIR, "--prefix", "/usr"});
        QVERIFY(install.waitForFinished(120000));
        QCOMPARE(install.exitCode(), 0);
        installed_ = snapshot(root_.path());
        qputenv("HOME", home_.path().toUtf8());
        qunsetenv("XDG_DATA_HOME");
    }

    void desktopFilesValidate_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << "desktop-file-validate"
            << QStringList{prefix("share/applications/at.versanta.vra.desktop")};
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{
                                         "validate", "--no-net",
                                         prefix("share/metainfo/at.versanta.vra.metainfo.xml")};
    }

    void desktopFilesValidate()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QProcess validator;
        validator.start(program, arguments);
        QVERIFY2(validator.waitForFinished(60000), qPrintable(program));
        QVERIFY2(validator.exitCode() == 0, validator.readAll().constData());
    }

    // Started and ended by the system, the installed program saves in the user's folder.
    void stateLandsInTheUsersFolder()
    {
        QProcess vra;
        vra.start(prefix("bin/vra"), {});
        QVERIFY(vra.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(userFile("vra.prop")), 30000);
        ::kill(pid_t(vra.processId()), SIGTERM);
        QVERIFY(vra.waitForFinished(30000));
        QCOMPARE(vra.exitCode(), 0);
        QFile state(userFile("vra.prop"));
        QVERIFY(state.open(QIODevice::ReadOnly));
        QCOMPARE(state.readAll().count("\r\n"), 29);
        QCOMPARE(snapshot(root_.path()), installed_);
    }

    // A click fills the installed form into the user's folder; the FDF names that form.
    void sheetClickFillsTheInstalledForm()
    {
        const ProgramFolders folders = ProgramFolders::forExecutable(prefix("bin"));
        QVERIFY(folders.installed());
        FakeShell shell;
        shell.fdfViewer = false;
        FakeDialogs dialogs;
        FakeDelay delay;
        PostedKeyboard keyboard;
        frmMain w(folders, Platform{shell, dialogs, delay, keyboard});
        w.Form_Load();
        QCOMPARE(w.lblFormblatt[5]->text(), QStringLiteral("5 Preisangaben"));
        QCOMPARE(w.StartS[1]->LocationURL(), prefix("share/vra/html/start.html"));
        clickOn(w.lblFormblatt[5]);
        QFile fdf(userFile("antrag.fdf"));
        QVERIFY(fdf.open(QIODevice::ReadOnly));
        QVERIFY(fdf.readAll().contains(prefix("share/vra/5 Preisangaben.pdf").toUtf8()));
        QCOMPARE(shell.opened, QStringList{userFile("ausgefuellt/5 Preisangaben.pdf")});
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(snapshot(root_.path()), installed_);
    }

    // A file where the user's folder belongs: the window opens and says where saving fails.
    void userFolderThatCannotBeMade()
    {
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkpath(".local/share"));
        QFile blocker(home.filePath(".local/share/vra"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("HOME", home.path().toUtf8());
        const ProgramFolders folders = ProgramFolders::forExecutable(prefix("bin"));
        qputenv("HOME", home_.path().toUtf8());
        FakeShell shell;
        FakeDialogs dialogs;
        FakeDelay delay;
        PostedKeyboard keyboard;
        frmMain w(folders, Platform{shell, dialogs, delay, keyboard});
        w.Form_Load();
        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY(dialogs.shown[0].contains(home.filePath(".local/share/vra")));
        QVERIFY(w.sheetCount > 0);
    }
};

QTEST_MAIN(TestInstalled)
#include "tst_installed.moc"
