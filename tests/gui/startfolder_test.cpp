// `lumaro FOLDER`: a folder named at start-up loads as one chosen with the Folder button.
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/messagekeys.h"
#include "gui/app/startoptions.h"
#include "gui/naming/namingarea.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

class StartFolderTest : public QObject {
    Q_OBJECT
private slots:
    void unnumberedFolderNamedRelativelyGoesThroughTheFirstNumbering();
    void pathsThatAreNoReadableFolderAreSaidAndLeaveTheWindowAsItStarts();
    void optionsEndAtTwoDashesAndWrongUsageIsRefused();
    void helpListsTheOptionsWithoutADisplay();
};

void StartFolderTest::unnumberedFolderNamedRelativelyGoesThroughTheFirstNumbering() {
    QTemporaryDir work;
    QDir(work.path()).mkdir(QStringLiteral("Été -x"));
    const QString folder = work.filePath(QStringLiteral("Été -x"));
    WritePicture(folder, "b.jpg", "2021:07:01 10:00:00");
    WritePicture(folder, "a.JPG", "2021:07:03 10:00:00");
    WritePicture(folder, "notes.txt");
    const StartOptions options = ParseStartOptions({"--", "Été -x"}, work.path().toStdString());
    QVERIFY(options.error.empty());

    FormFixture fx;
    Form1& form = fx.start();
    fx.responder().dialogActions.push_back([](QDialog& dialog) {
        QTest::mouseClick(Control<QRadioButton>(dialog, "optb_2"), Qt::LeftButton);
        QTest::mouseClick(Control<QRadioButton>(dialog, "optb_SortByDate"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
        return dialog.result();
    });
    form.OpenFolderAtStart(options.folder);
    QCOMPARE(fx.responder().shown.size(), 1);
    QCOMPARE(fx.responder().shown[0].kind, QStringLiteral("FormatNom"));
    QCOMPARE(FilesIn(folder), (QStringList{"01  b.jpg", "02  a.JPG", "notes.txt"}));
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->count(), 2);
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->item(1)->text(), QStringLiteral("02  a"));
    QCOMPARE(Control<QLineEdit>(form, "textb_Dossier")->text(), folder + "/");
    QCOMPARE(form.naming().mainWindowState(), WindowState::NamesApplied);

    // The folder is the current one: the Folder button's browser opens on it.
    fx.responder().folders.push_back(std::nullopt);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(fx.responder().shown.last().kind, QStringLiteral("browse"));
    QCOMPARE(fx.responder().shown.last().text, folder + "/");
}

void StartFolderTest::pathsThatAreNoReadableFolderAreSaidAndLeaveTheWindowAsItStarts() {
    QTemporaryDir work;
    WritePicture(work.path(), "picture.jpg");
    QDir(work.path()).mkdir(QStringLiteral("locked"));
    QFile::setPermissions(work.filePath("locked"), QFileDevice::WriteOwner);
    const bool lockHolds = !QDir(work.filePath("locked")).isReadable();  // root reads anyway
    QStringList paths{work.filePath("missing"), work.filePath("picture.jpg")};
    if (lockHolds) paths << work.filePath("locked");
    for (const QString& path : paths) {
        FormFixture fx;
        Form1& form = fx.start();
        form.OpenFolderAtStart(path.toStdString());
        QCOMPARE(fx.responder().texts(),
                 QStringList{form.message(kMessageStartFolderNotOpened) + "\n" + path});
        QCOMPARE(form.naming().mainWindowState(), WindowState::NoFolder);
        QVERIFY(Control<QLineEdit>(form, "textb_Dossier")->text().isEmpty());
        QCOMPARE(Control<QListWidget>(form, "lb_Avant")->count(), 0);
        QVERIFY(Control<QPushButton>(form, "cb_Dossier")->isEnabled());
    }
    QFile::setPermissions(work.filePath("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void StartFolderTest::optionsEndAtTwoDashesAndWrongUsageIsRefused() {
    struct Case {
        std::vector<std::string> arguments;
        std::string folder;
        bool wrong;
    };
    const Case cases[] = {
        {{"/p/Italie"}, "/p/Italie", false},
        {{"Italie/"}, "/home/u/Italie/", false},
        {{"."}, "/home/u/", false},  // a project named after the folder, never "."
        {{"../v/./Italie"}, "/home/v/Italie", false},
        {{"--", "--help"}, "/home/u/--help", false},
        {{"-x"}, "", true},
        {{"a", "b"}, "/home/u/a", true},
        {{""}, "", true},
    };
    for (const Case& c : cases) {
        const StartOptions options = ParseStartOptions(c.arguments, "/home/u");
        QCOMPARE(options.folder, c.folder);
        QCOMPARE(!options.error.empty(), c.wrong);
        QVERIFY(!options.help);
    }
    QVERIFY(ParseStartOptions({"x", "--help"}, "/").help);
}

void StartFolderTest::helpListsTheOptionsWithoutADisplay() {
    QProcess lumaro;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QTemporaryDir home;
    env.insert(QStringLiteral("LUMARO_HOME"), home.path());
    lumaro.setProcessEnvironment(env);
    lumaro.start(QStringLiteral(LUMARO_BINARY), {QStringLiteral("--help")});
    QVERIFY(lumaro.waitForFinished(10000));
    QCOMPARE(lumaro.exitCode(), 0);
    const QString help = QString::fromUtf8(lumaro.readAllStandardOutput());
    QVERIFY(help.startsWith(QStringLiteral("Usage: lumaro [FOLDER]\n")));
    QVERIFY(help.contains(QStringLiteral("--version")));
    QVERIFY(help.contains(home.filePath(QStringLiteral("Lumaro.ini"))));
}

QTEST_MAIN(StartFolderTest)
#include "startfolder_test.moc"
