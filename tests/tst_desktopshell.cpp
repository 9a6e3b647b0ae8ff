#include "platform/desktopshell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A desktop of the test's own: one application, associated with FDF files only, that writes
// the paths it is given into a log.
class TestDesktopShell : public QObject
{
    Q_OBJECT

public:
    explicit TestDesktopShell(const QTemporaryDir &desktop) : desktop_(desktop) {}

private:
    const QTemporaryDir &desktop_;
    QString log() const { return desktop_.filePath(QStringLiteral("opened.log")); }

    QString readLog() const
    {
        QFile file(log());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QString document(const QString &name) const
    {
        const QString path = desktop_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write("%FDF-1.2\n");
        return path;
    }

private slots:
    void fdfGoesByItsExtension()
    {
        QCOMPARE(DesktopShell::mimeTypeOf("/x/antrag.fdf"), QStringLiteral("application/vnd.fdf"));
        QCOMPARE(DesktopShell::mimeTypeOf("/x/ANTRAG.FDF"), QStringLiteral("application/vnd.fdf"));
        QCOMPARE(DesktopShell::mimeTypeOf("/x/Blatt.pdf"), QStringLiteral("application/pdf"));
    }

    void results_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing file") << desktop_.filePath("none.fdf") << 2;
        QTest::newRow("missing folder") << desktop_.filePath("none/antrag.fdf") << 3;
        QTest::newRow("no application for the type") << document("Blatt.pdf") << 31;
    }

    void results()
    {
        QFETCH(QString, path);
        QFETCH(int, expected);
        DesktopShell shell;
        QCOMPARE(shell.open(path), expected);
    }

    void printAnswers_data()
    {
        QTest::addColumn<QByteArray>("lp");
        QTest::addColumn<bool>("file");
        QTest::addColumn<QString>("failure");
        QTest::newRow("taken") << QByteArray("exit 0") << true << "";
        QTest::newRow("refused") << QByteArray("echo 'lp: Error - no default destination'; exit 1")
                                 << true << "lp: Error - no default destination";
        QTest::newRow("no lp") << QByteArray() << true
                               << "Das Druckprogramm lp (CUPS) ist nicht installiert";
        QTest::newRow("no file") << QByteArray("exit 0") << false
                                 << "Die Datei " + desktop_.filePath("none.pdf") + " fehlt";
    }

    void printAnswers()
    {
        QFETCH(QByteArray, lp);
        QFETCH(bool, file);
        QFETCH(QString, failure);
        // A bin folder of the test's own, with an lp that answers as the row says.
        QTemporaryDir bin;
        if (!lp.isEmpty()) {
            QFile script(bin.filePath(QStringLiteral("lp")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\n" + lp + "\n");
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());
        DesktopShell shell;
        QStringList answers;
        shell.print(file ? document("Blatt.pdf") : desktop_.filePath("none.pdf"),
                    [&answers](const QString &answer) { answers << answer; });
        qputenv("PATH", path);
        QTRY_COMPARE(answers, QStringList({failure}));
    }

    void opensWithTheAssociatedApplication()
    {
        const QString fdf = document(QStringLiteral("antrag.fdf"));
        DesktopShell shell;
        QVERIFY(shell.open(fdf) > 32);
        QTRY_COMPARE(readLog(), fdf + u'\n');
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir desktop;
    const QString data = desktop.filePath(QStringLiteral("data"));
    const QString config = desktop.filePath(QStringLiteral("config"));
    QDir().mkpath(data + QStringLiteral("/applications"));
    QDir().mkpath(config);

    const QString viewer = desktop.filePath(QStringLiteral("viewer.sh"));
    QFile script(viewer);
    if (!script.open(QIODevice::WriteOnly))
        return 1;
    script.write("#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/opened.log\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QFile entry(data + QStringLiteral("/applications/fakeviewer.desktop"));
    if (!entry.open(QIODevice::WriteOnly))
        return 1;
    entry.write("[Desktop Entry]\nType=Application\nName=Fake viewer\nExec=" + viewer.toUtf8() +
                " %f\nMimeType=application/vnd.fdf;\n");
    entry.close();
    QFile defaults(config + QStringLiteral("/mimeapps.list"));
    if (!defaults.open(QIODevice::WriteOnly))
        return 1;
    defaults.write("[Default Applications]\napplication/vnd.fdf=fakeviewer.desktop\n");
    defaults.close();

    // Set before the first lookup: GIO reads these once per process.
    qputenv("XDG_DATA_HOME", data.toUtf8());
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    // The system's MIME database, but none of the system's applications.
    const QString share = desktop.filePath(QStringLiteral("share"));
    QDir().mkpath(share);
    QFile::link(QStringLiteral("/usr/share/mime"), share + QStringLiteral("/mime"));
    qputenv("XDG_DATA_DIRS", share.toUtf8());
    qputenv("XDG_CONFIG_DIRS", desktop.filePath(QStringLiteral("none")).toUtf8());

    QCoreApplication app(argc, argv);
    TestDesktopShell test(desktop);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopshell.moc"
