// Lumaro installed with cmake --install into a temporary prefix, run by a user whose home and
// XDG folders are temporary too: the settings go to the XDG config folder, the texts come
// from share/lumaro, and the user's own language files are offered.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "support/formfixture.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {
// Set in the copy of this test that runs from the installed bin/ folder.
constexpr const char* kInstalledRun = "LUMARO_INSTALL_TEST_INSIDE";
const QString kAppId = QStringLiteral("io.github.lumaro.Lumaro");

QByteArray settingsChoosing(const QByteArray& language) {
    return "[Language]\r\n" + language +
           "\r\n[Default Folders]\r\n\r\n\r\n\r\n"
           "[SlideShow Title Format]\r\nDate\r\n[File Types]\r\nTypes\r\njpg\r\n[Captions]\r\n"
           "[End of Application data]\r\n";
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The text of key `key` in a language file.
QString textOfKey(const QString& languageFile, int key) {
    const QList<QByteArray> lines = readFile(languageFile).split('\n');
    const QByteArray line = lines.value(key).trimmed();
    return QString::fromUtf8(line.mid(line.indexOf('=') + 1));
}

struct Run {
    int exitCode = -1;
    QByteArray output;  // standard output and error together
};

Run run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAll()};
}

bool catches(qint64 pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ULL << (signal - 1));
    }
    return false;
}
}  // namespace

class InstallTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void installedTreeHoldsTheProgramsAndRuns();
    void installedTreeIsReadyForADistribution();
    void installedProgramKeepsItsFilesInTheUsersXdgFolders();
    void installedWindowShowsShippedFrenchAndOffersUserLanguages();

private:
    QProcessEnvironment userEnvironment() const;

    QTemporaryDir dir_;
    QString prefix_;
};

QProcessEnvironment InstallTest::userEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LUMARO_HOME"));
    env.insert(QStringLiteral("HOME"), dir_.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir_.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LUMARO_SCREEN_SIZE"), QStringLiteral("1280x1024"));
    return env;
}

void InstallTest::initTestCase() {
    if (qEnvironmentVariableIsSet(kInstalledRun)) return;  // the copy inside the prefix
    prefix_ = dir_.filePath(QStringLiteral("usr"));
    QProcess install;
    install.start(QStringLiteral(LUMARO_CMAKE),
                  {QStringLiteral("--install"), QStringLiteral(LUMARO_BUILD_DIR),
                   QStringLiteral("--prefix"), prefix_});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
    writeFile(dir_.filePath(QStringLiteral("config/lumaro/Lumaro.ini")),
              settingsChoosing("French"));
    writeFile(dir_.filePath(QStringLiteral("data/lumaro/Klingon.lng")),
              readFile(prefix_ + QStringLiteral("/share/lumaro/French.lng")));
}

void InstallTest::installedTreeHoldsTheProgramsAndRuns() {
    if (qEnvironmentVariableIsSet(kInstalledRun)) QSKIP("runs outside the prefix");
    for (const char* path :
         {"bin/lumaro", "bin/lumaro-cli", "share/lumaro/French.lng", "share/lumaro/German.lng",
          "share/lumaro/Spanish.lng", "share/lumaro/English.hlp", "share/lumaro/French.hlp",
          "share/lumaro/German.hlp", "share/lumaro/Spanish.hlp",
          "share/icons/hicolor/scalable/apps/lumaro.svg",
          "share/bash-completion/completions/lumaro-cli"}) {
        QVERIFY2(QFile::exists(prefix_ + "/" + path), path);
    }
    // The programs that are installed, and no test build of them (no stop hook).
    QCOMPARE(QDir(prefix_ + QStringLiteral("/bin")).entryList(QDir::Files),
             (QStringList{QStringLiteral("lumaro"), QStringLiteral("lumaro-cli")}));
    QProcess cli;
    cli.setProcessEnvironment(userEnvironment());
    cli.start(prefix_ + QStringLiteral("/bin/lumaro-cli"), {QStringLiteral("--version")});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(cli.readAllStandardOutput(), QByteArray("lumaro-cli 1.3\n"));
}

// What a distribution and a software centre read: the desktop entry and the metainfo under the
// program's id, both manual pages, and the copyright file naming the licence.
void InstallTest::installedTreeIsReadyForADistribution() {
    if (qEnvironmentVariableIsSet(kInstalledRun)) QSKIP("runs outside the prefix");
    const QString desktop = prefix_ + "/share/applications/" + kAppId + ".desktop";
    const QString metainfo = prefix_ + "/share/metainfo/" + kAppId + ".metainfo.xml";
    QVERIFY(QFile::exists(desktop));
    QVERIFY(!QFile::exists(prefix_ + "/share/applications/lumaro.desktop"));
    QVERIFY(readFile(desktop).contains("\nExec=lumaro %f\n"));

    const QByteArray component = readFile(metainfo);
    for (const char* part :
         {"<id>io.github.lumaro.Lumaro</id>", "<metadata_license>CC0-1.0</metadata_license>",
          "<project_license>GPL-3.0-or-later</project_license>",
          "<launchable type=\"desktop-id\">io.github.lumaro.Lumaro.desktop</launchable>",
          "<binary>lumaro</binary>", "<binary>lumaro-cli</binary>",
          "<content_rating type=\"oars-1.1\"/>", "<release version=\"1.3\""}) {
        QVERIFY2(component.contains(part), part);
    }
    if (!QStandardPaths::findExecutable(QStringLiteral("appstreamcli")).isEmpty()) {
        // Warnings fail too: distributions' checks ask for a component without any.
        const Run validated = run(QStringLiteral("appstreamcli"),
                                  {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                   QStringLiteral("--no-color"), metainfo});
        QVERIFY2(validated.exitCode == 0, validated.output.constData());
        QVERIFY2(!validated.output.contains("W: ") && !validated.output.contains("E: "),
                 validated.output.constData());
    }

    const QString manuals = prefix_ + QStringLiteral("/share/man/man1/");
    const Run lumaroPage = run(QStringLiteral("gzip"), {"-dc", manuals + "lumaro.1.gz"});
    for (const char* part : {".TH LUMARO 1 ", ".B lumaro\n.RI [ FOLDER ]", "\n.B \\-\\-help\n",
                             "\n.B LUMARO_HOME\n", ".BR lumaro\\-cli (1)"}) {
        QVERIFY2(lumaroPage.output.contains(part), part);
    }
    const Run cliPage = run(QStringLiteral("gzip"), {"-dc", manuals + "lumaro-cli.1.gz"});
    QVERIFY(cliPage.output.contains("\n.TH LUMARO-CLI 1 "));

    const QByteArray copyright = readFile(prefix_ + "/share/doc/lumaro/copyright");
    QVERIFY(copyright.startsWith(
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
    QVERIFY(copyright.contains("\nLicense: GPL-3.0-or-later\n This program is free software"));
}

void InstallTest::installedProgramKeepsItsFilesInTheUsersXdgFolders() {
    if (qEnvironmentVariableIsSet(kInstalledRun)) QSKIP("runs outside the prefix");
    const QString settings = dir_.filePath(QStringLiteral("config/lumaro/Lumaro.ini"));
    QProcess help;
    help.setProcessEnvironment(userEnvironment());
    help.start(prefix_ + QStringLiteral("/bin/lumaro"), {QStringLiteral("--help")});
    QVERIFY(help.waitForFinished(10000));
    const QString text = QString::fromUtf8(help.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("settings           ") + settings), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("French  (%1/share/lumaro/French.lng)").arg(prefix_)),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Klingon  (%1)")
                               .arg(dir_.filePath(QStringLiteral("data/lumaro/Klingon.lng")))),
             qPrintable(text));

    // The window starts, and a logout closes it: the settings are written back in the
    // config folder, French kept, and nothing is written in the installed tree.
    QFile::remove(settings);
    writeFile(settings, settingsChoosing("Fr"));
    QProcess lumaro;
    lumaro.setProcessEnvironment(userEnvironment());
    lumaro.start(prefix_ + QStringLiteral("/bin/lumaro"), {});
    QVERIFY(lumaro.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(catches(lumaro.processId(), SIGTERM), 10000);
    ::kill(static_cast<pid_t>(lumaro.processId()), SIGTERM);
    QVERIFY(lumaro.waitForFinished(10000));
    QCOMPARE(lumaro.exitCode(), 0);
    QVERIFY(readFile(settings).startsWith("[Language]\r\nFrench\r\n"));
    QVERIFY(!QFile::exists(prefix_ + QStringLiteral("/bin/Lumaro.ini")));
    QVERIFY(!QFile::exists(prefix_ + QStringLiteral("/share/lumaro/Lumaro.ini")));
    QVERIFY(QFileInfo(dir_.filePath(QStringLiteral("data/lumaro"))).isDir());
}

// The window's own texts cannot be read from another process: a copy of this test program
// placed in the installed bin/ folder finds its files exactly as the installed lumaro does,
// and checks them on a real window.
void InstallTest::installedWindowShowsShippedFrenchAndOffersUserLanguages() {
    if (!qEnvironmentVariableIsSet(kInstalledRun)) {
        const QString copy = prefix_ + QStringLiteral("/bin/install_test");
        QFile::remove(copy);
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
        QProcess inside;
        QProcessEnvironment env = userEnvironment();
        env.insert(QString::fromLatin1(kInstalledRun), QStringLiteral("1"));
        inside.setProcessEnvironment(env);
        inside.start(copy,
                     {QStringLiteral("installedWindowShowsShippedFrenchAndOffersUserLanguages")});
        QVERIFY(inside.waitForFinished(60000));
        const QByteArray output = inside.readAllStandardOutput();
        QVERIFY2(inside.exitCode() == 0, output.constData());
        QVERIFY2(output.contains("PASS   : InstallTest::installedWindowShows"), output.constData());
        QFile::remove(copy);
        return;
    }
    const QString bin = QCoreApplication::applicationDirPath();
    const QString shippedFrench =
        QDir::cleanPath(bin + QStringLiteral("/../share/lumaro/French.lng"));
    ScriptedResponder& responder = ScriptedResponder::install();
    {
        Form1 form;
        form.show();
        QVERIFY(responder.shown.isEmpty());
        QCOMPARE(form.currentLanguage(), std::string("French"));
        QCOMPARE(Control<QPushButton>(form, "cb_Dossier")->text(), textOfKey(shippedFrench, 13));
        QCOMPARE(form.helpFile(),
                 QDir::cleanPath(bin + "/../share/lumaro/French.hlp").toStdString());
        auto* languages = form.findChild<QComboBox*>(QStringLiteral("combo_Languages"));
        QStringList offered;
        for (int i = 0; i < languages->count(); ++i) offered << languages->itemText(i);
        // Each language named in itself; a second file of the same name also by its file's.
        QCOMPARE(offered,
                 (QStringList{"English", "Français", "Deutsch", "Español", "Français (Klingon)"}));
        QCOMPARE(form.settingsFilePath(),
                 qEnvironmentVariable("XDG_CONFIG_HOME").toStdString() + "/lumaro/Lumaro.ini");
    }
    SetDialogService(nullptr);
}

QTEST_MAIN(InstallTest)
#include "install_test.moc"
