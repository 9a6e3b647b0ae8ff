#include "fakedesktop.h"
#include "platform/desktopshell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A desktop of the test's own with one application, for FDF files only.
class TestDesktopShell : public QObject
{
    Q_OBJECT

public:
    explicit TestDesktopShell(const QTemporaryDir &desktop) : desktop_(desktop) {}

private:
    const QTemporaryDir &desktop_;

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
        QVERIFY(shell.canOpen(fdf));
        QVERIFY(!shell.canOpen(desktop_.filePath("Blatt.pdf")));
        QVERIFY(shell.open(fdf) > 32);
        QTRY_COMPARE(fakeDesktopLog(desktop_, "fdfviewer"), fdf + u'\n');
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir desktop;
    makeFakeDesktop(desktop, {{"application/vnd.fdf", "fdfviewer"}});
    QCoreApplication app(argc, argv);
    TestDesktopShell test(desktop);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopshell.moc"
