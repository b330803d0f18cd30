// The program as a user starts it: its version, and a logout that must not lose the settings.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {
// Whether the process already catches the signal: its handler is in place once the window
// exists, and a signal that arrives before the event loop runs waits in the pipe.
bool catches(qint64 pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            const qulonglong mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
            return mask & (1ULL << (signal - 1));
        }
    }
    return false;
}
}  // namespace

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
        QTRY_VERIFY_WITH_TIMEOUT(catches(lumaro.processId(), signal), 10000);
        ::kill(static_cast<pid_t>(lumaro.processId()), signal);
        QVERIFY(lumaro.waitForFinished(10000));
        QCOMPARE(lumaro.exitStatus(), QProcess::NormalExit);
        QCOMPARE(lumaro.exitCode(), 0);
        QVERIFY(QFile::exists(home.filePath(QStringLiteral("Lumaro.ini"))));
    }
}

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
