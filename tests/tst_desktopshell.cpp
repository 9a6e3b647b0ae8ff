// The desktop shell on a desktop of the test's own: one application, for PDF files, that
// notes what it is given; an lp of the test's own for printing; the message boxes.
#include "platform/desktopshell.h"
#include "platform/messageboxdialogs.h"
#include "tablerows.h"
#include "testfiles.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

class TestDesktopShell : public QObject
{
    Q_OBJECT

public:
    explicit TestDesktopShell(const QTemporaryDir &desktop) : desktop_(desktop) {}

    // The system's MIME database, the desktop's applications replaced, and two documents: set
    // up before the first lookup, as GIO reads these folders once per process.
    static void makeDesktop(const QTemporaryDir &desktop)
    {
        const QString viewer = desktop.filePath(QStringLiteral("pdfviewer.sh"));
        writeBytes(viewer, "#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/pdfviewer.log\"\n");
        QFile::setPermissions(viewer, QFile::ReadOwner | QFile::ExeOwner);
        writeBytes(desktop.filePath("antrag.fdf"), "%FDF-1.2\n");
        writeBytes(desktop.filePath("Blatt.pdf"), "%PDF-1.4\n");
        QDir().mkpath(desktop.filePath("share"));
        QFile::link(QStringLiteral("/usr/share/mime"), desktop.filePath("share/mime"));
        writeBytes(desktop.filePath("data/applications/pdfviewer.desktop"),
                   "[Desktop Entry]\nType=Application\nName=pdfviewer\nExec=" + viewer.toUtf8() +
                       " %f\nMimeType=application/pdf;\n");
        writeBytes(desktop.filePath("config/mimeapps.list"),
                   "[Default Applications]\napplication/pdf=pdfviewer.desktop\n");
        qputenv("XDG_DATA_HOME", desktop.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", desktop.filePath("config").toUtf8());
        qputenv("XDG_DATA_DIRS", desktop.filePath("share").toUtf8());
        qputenv("XDG_CONFIG_DIRS", desktop.filePath("none").toUtf8());
    }

private:
    const QTemporaryDir &desktop_;

private slots:
    void open_data()
    {
        // name | document | result
        addRows(R"(missing file|none.pdf|2
                   missing folder|none/antrag.pdf|3
                   no application for the type|antrag.fdf|31
                   started|Blatt.pdf|42)");
    }

    void open()
    {
        QFETCH(QStringList, row);
        DesktopShell shell;
        QCOMPARE(shell.canOpen(desktop_.filePath(row[1])), row[2] != "31");
        QCOMPARE(shell.open(desktop_.filePath(row[1])), row[2].toInt());
        // The PDF application really gets the document.
        QTRY_COMPARE(readBytes(desktop_.filePath("pdfviewer.log"))
                         .contains(desktop_.filePath(row[1]).toUtf8() + '\n'),
                     row[2] == "42");
        QCOMPARE(DesktopShell::mimeTypeOf("/x/ANTRAG.FDF"), QStringLiteral("application/vnd.fdf"));
    }

    void printAnswers_data()
    {
        // name | the lp script (none: no lp) | the document exists | the answer
        addRows(R"(taken|#!/bin/sh\nexit 0|1|
                   refused|#!/bin/sh\necho 'lp: Error - no default destination'; exit 1|1|lp: Error - no default destination
                   not startable|#!/nonexistent\n|1|lp konnte nicht gestartet werden: execvp: No such file or directory
                   no lp||1|Das Druckprogramm lp (CUPS) ist nicht installiert
                   no file|#!/bin/sh\nexit 0|0|Die Datei %1 fehlt)");
    }

    void printAnswers()
    {
        QFETCH(QStringList, row);
        QTemporaryDir bin;
        if (!row[1].isEmpty())
            QFile::setPermissions(writeBytes(bin.filePath("lp"), row[1].toUtf8()),
                                  QFile::ReadOwner | QFile::ExeOwner);
        const QString document = desktop_.filePath(row[2] == "1" ? "Blatt.pdf" : "none.pdf");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());
        DesktopShell shell;
        QStringList answers;
        shell.print(document, [&answers](const QString &answer) { answers << answer; });
        qputenv("PATH", path);
        QTRY_COMPARE(answers, QStringList({row[3].replace(QLatin1String("%1"), document)}));
    }

    // Jobs the printer has not answered for when the program ends still reach it: the running
    // one is waited for, those queued go to lp on their own.
    void jobsOutliveTheShell()
    {
        QTemporaryDir bin;
        QFile::setPermissions(writeBytes(bin.filePath("lp"),
                                         "#!/bin/sh\nsleep 0.2\necho \"$2\" >> \"$(dirname "
                                         "\"$0\")/printed\"\n"),
                              QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8() + ':' + path);
        {
            DesktopShell shell;
            for (int i = 0; i < 2; ++i)
                shell.print(desktop_.filePath("Blatt.pdf"), [](const QString &) {});
        }
        qputenv("PATH", path);
        QTRY_COMPARE(readBytes(bin.filePath("printed")).count('\n'), 2);
    }

    // Enter answers a question with its default: No where Yes would throw work away. A save
    // dialog closed saves nothing, though it holds a file name.
    void dialogsAnswer()
    {
        MessageBoxDialogs dialogs;
        for (const auto byDefault : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {
            QTimer::singleShot(
                0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
            QCOMPARE(dialogs.question("VRA", "Trotzdem schließen?", byDefault),
                     byDefault == Dialogs::Answer::Yes);
        }
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QCOMPARE(dialogs.saveFileName("VRA", desktop_.filePath("neu.pdf")), QString());
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir desktop;
    TestDesktopShell::makeDesktop(desktop);
    QApplication app(argc, argv);
    TestDesktopShell test(desktop);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopshell.moc"
