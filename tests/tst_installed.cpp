// The program as its package installs it: read-only files under the prefix, the user's files
// in a folder of the user's own, saved there when the system ends the program.
#include "windowfixture.h"

#include <QDirIterator>
#include <QProcess>
#include <csignal>

class TestInstalled : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir root_; // DESTDIR
    QTemporaryDir home_;
    QStringList installed_;

    QString prefix(const QString &path) const { return root_.filePath("usr/" + path); }
    QString userFile(const QString &name) const
    {
        return home_.filePath(".local/share/vra/" + name);
    }

    // Every file and folder under the prefix, with its size and time.
    QStringList tree() const
    {
        QStringList files;
        QDirIterator it(root_.path(), QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            files << info.filePath() + ' ' + QString::number(info.size()) + ' ' +
                         info.lastModified().toString(Qt::ISODateWithMs);
        }
        return files;
    }

private slots:
    // Installed with cmake as the package does; its desktop files pass their validators.
    void initTestCase()
    {
        qputenv("DESTDIR", root_.path().toUtf8());
        QCOMPARE(QProcess::execute("cmake", {"--install", VRA_BUILD_DIR, "--prefix", "/usr"}), 0);
        qunsetenv("DESTDIR");
        installed_ = tree();
        qputenv("HOME", home_.path().toUtf8());
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(QProcess::execute("desktop-file-validate",
                                   {prefix("share/applications/at.versanta.vra.desktop")}),
                 0);
        QCOMPARE(QProcess::execute("appstreamcli",
                                   {"validate", "--no-net",
                                    prefix("share/metainfo/at.versanta.vra.metainfo.xml")}),
                 0);
    }

    void signalSavesInTheUsersFolder_data() { addRows("SIGTERM|15\nSIGHUP|1\nSIGINT|2"); }

    // Ended by the system, the installed program saves in the user's folder and exits with 0.
    void signalSavesInTheUsersFolder()
    {
        QFETCH(QStringList, row); // name | signal number
        QFile::remove(userFile("vra.prop"));
        QProcess vra;
        vra.start(prefix("bin/vra"), {});
        // Start-up leaves an empty state file behind; a signal from then on is handled.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(userFile("vra.prop")), 30000);
        ::kill(pid_t(vra.processId()), row[1].toInt());
        QVERIFY(vra.waitForFinished(30000));
        QCOMPARE(vra.exitStatus(), QProcess::NormalExit);
        QCOMPARE(vra.exitCode(), 0);
        const QByteArray content = readBytes(userFile("vra.prop"));
        QCOMPARE(content.count("\r\n"), 29);
        QVERIFY(content.endsWith("name=Bitte den Namen eingeben\r\nbear=,\r\n"));
        QCOMPARE(tree(), installed_);
    }

    // A click fills the installed form into the user's folder; the FDF names that form.
    void sheetClickFillsTheInstalledForm()
    {
        WindowFixture f;
        f.shell.fdfViewer = false;
        frmMain &w = f.start(ProgramFolders::forExecutable(prefix("bin")));
        QCOMPARE(w.StartS[1]->LocationURL(), prefix("share/vra/html/start.html"));
        clickOn(w.lblFormblatt[5]);
        QVERIFY(readBytes(userFile("antrag.fdf"))
                    .contains(prefix("share/vra/5 Preisangaben.pdf").toUtf8()));
        QCOMPARE(f.shell.opened, QStringList{userFile("ausgefuellt/5 Preisangaben.pdf")});
        QVERIFY(f.dialogs.shown.isEmpty());
        QCOMPARE(tree(), installed_);
    }

    void folderDecision_data()
    {
        // name | delivered files beside the executable | files under share/vra | installed
        addRows(R"(installed layout||vra.ini|1
                   pages and template beside, no vra.ini|html/start.html antrag_.fdf|vra.ini|0
                   settings beside|vra.ini|vra.ini|0
                   nothing delivered anywhere|||0)");
    }

    // Any file delivered beside the executable makes its folder the program's; the user's go first.
    void folderDecision()
    {
        QFETCH(QStringList, row);
        QTemporaryDir root;
        for (const QString &name : row[1].split(u' ', Qt::SkipEmptyParts))
            writeBytes(root.filePath("bin/" + name), "x");
        for (const QString &name : row[2].split(u' ', Qt::SkipEmptyParts))
            writeBytes(root.filePath("share/vra/" + name), "x");
        QDir(root.path()).mkpath("bin");
        const ProgramFolders folders = ProgramFolders::forExecutable(root.filePath("bin"));
        QCOMPARE(folders.find("antrag_.fdf"),
                 root.filePath(row[3] == "1" ? "share/vra/antrag_.fdf" : "bin/antrag_.fdf"));
        QCOMPARE(folders.find(writeBytes(folders.own("eigen.txt"), "x").section(u'/', -1)),
                 folders.own("eigen.txt"));
    }

    // A file where the user's folder belongs: the window opens and says where saving fails.
    void userFolderThatCannotBeMade()
    {
        QTemporaryDir home;
        const QString blocker = writeBytes(home.filePath(".local/share/vra"), {});
        qputenv("HOME", home.path().toUtf8());
        const ProgramFolders folders = ProgramFolders::forExecutable(prefix("bin"));
        qputenv("HOME", home_.path().toUtf8());
        WindowFixture f;
        frmMain &w = f.start(folders);
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f.dialogs.shown[0].contains(blocker));
        QVERIFY(w.sheetCount > 0);
    }
};

QTEST_MAIN(TestInstalled)
#include "tst_installed.moc"
