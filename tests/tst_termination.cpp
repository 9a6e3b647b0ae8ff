// The real program, ended by the system: it saves its state and exits with status 0.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

class TestTermination : public QObject
{
    Q_OBJECT

private slots:
    void signalSavesAndExits_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }

    void signalSavesAndExits()
    {
        QFETCH(int, signal);
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("vra"));
        QVERIFY(QFile::copy(QStringLiteral(VRA_PROGRAM_DIR "/vra"), program));
        // With its vra.ini beside it, the program keeps its state in its own folder.
        QVERIFY(
            QFile::copy(QStringLiteral(VRA_PROGRAM_DIR "/vra.ini"), folder.filePath("vra.ini")));

        QProcess vra;
        vra.setProgram(program);
        vra.start();
        QVERIFY(vra.waitForStarted());
        // Start-up leaves an empty state file behind; a signal from then on is handled.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath(QStringLiteral("vra.prop"))), 30000);
        ::kill(pid_t(vra.processId()), signal);
        QVERIFY(vra.waitForFinished(30000));
        QCOMPARE(vra.exitStatus(), QProcess::NormalExit);
        QCOMPARE(vra.exitCode(), 0);

        QFile state(folder.filePath(QStringLiteral("vra.prop")));
        QVERIFY(state.open(QIODevice::ReadOnly));
        const QByteArray content = state.readAll();
        QCOMPARE(content.count("\r\n"), 29);
        QVERIFY(content.endsWith("name=Bitte den Namen eingeben\r\nbear=,\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestTermination)
#include "tst_termination.moc"
