// The program as a user starts it: its version, and a logout that must not lose the settings.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

class ProgramTest : public QObject {
    Q_OBJECT
private slots:
    void versionIsPrintedWithoutADisplay();
    void terminationSignalClosesTheWindowAndSavesTheSettings();
};

void ProgramTest::versionIsPrintedWithoutADisplay() {
    QProcess lumaro;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    lumaro.setProcessEnvironment(env);
    lumaro.start(QStringLiteral(LUMARO_BINARY), {QStringLiteral("--version")});
    QVERIFY(lumaro.waitForFinished(10000));
    QCOMPARE(lumaro.exitCode(), 0);
    QCOMPARE(lumaro.readAllStandardOutput(), QByteArray("Lumaro 1.3\n"));
}

void ProgramTest::terminationSignalClosesTheWindowAndSavesTheSettings() {
    for (int signal : {SIGTERM, SIGINT}) {
        QTemporaryDir home;
        QProcess lumaro;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LUMARO_HOME"), home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LUMARO_SCREEN_SIZE"), QStringLiteral("1280x1024"));
        lumaro.setProcessEnvironment(env);
        lumaro.start(QStringLiteral(LUMARO_BINARY), {});
        QVERIFY(lumaro.waitForStarted(10000));
        QTest::qWait(1500);  // let the window come up before the logout
        ::kill(static_cast<pid_t>(lumaro.processId()), signal);
        QVERIFY(lumaro.waitForFinished(10000));
        QCOMPARE(lumaro.exitStatus(), QProcess::NormalExit);
        QCOMPARE(lumaro.exitCode(), 0);
        QVERIFY(QFile::exists(home.filePath(QStringLiteral("Lumaro.ini"))));
    }
}

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
