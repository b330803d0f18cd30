// Start-up and close of the real main window: defaults, the settings file, the screen check.
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "gui/pictures/picturesarea.h"
#include "support/formfixture.h"

using namespace lumaro;
using namespace lumaro::testing;

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunShowsDefaultsAndWritesFourteenLinesAtClose();
    void quitButtonAlsoSavesTheSettings();
    void settingsWithTypesAndCaptionsAreReadBackAndWrittenIdentically();
    void undisplayableSettingsBytesAreWrittenBackUnchanged();
    void damagedSettingsFileFallsBackToDefaults();
    void unreadableSettingsFileIsSaidAndNeverWrittenOver();
    void screenLowerThan600IsRefusedAndStillSavesSettings();
    void screenExactly600IsAccepted();
    void missingHelpFileOfTheLanguageFallsBackToEnglish();
    void versionAndAboutText();
};

void StartupTest::firstRunShowsDefaultsAndWritesFourteenLinesAtClose() {
    FormFixture fx;
    Form1& form = fx.start();
    auto* types = Control<QComboBox>(form, "combo_FileTypes");
    QCOMPARE(types->count(), 2);
    QCOMPARE(types->itemText(0), QStringLiteral("Types"));
    QCOMPARE(types->itemText(1), QStringLiteral("jpg"));
    QCOMPARE(types->currentText(), QString());
    QCOMPARE(Control<QLineEdit>(form, "textb_FileType")->text(), QStringLiteral("jpg"));
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ClearTypes")->isEnabled());
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ClearCaptions")->isEnabled());
    QCOMPARE(form.currentLanguage(), std::string("English"));
    QCOMPARE(form.picturesArea().titleFormat(), std::string("Date"));
    QCOMPARE(form.naming().mainWindowState(), WindowState::NoFolder);
    QCOMPARE(Control<QPushButton>(form, "cb_Dossier")->text(), QStringLiteral("Folder"));
    QVERIFY(fx.responder().shown.isEmpty());

    fx.closeForm();
    const QByteArray expected =
        "[Language]\r\nEnglish\r\n[Default Folders]\r\n\r\n\r\n\r\n[SlideShow Title Format]\r\n"
        "Date\r\n[File Types]\r\nTypes\r\njpg\r\n[Captions]\r\nAvailable captions\r\n"
        "[End of Application data]\r\n";
    QCOMPARE(fx.readSettings(), expected);
    QCOMPARE(fx.readSettings().count("\r\n"), 14);
}

// A settings file that is there but cannot be read (here a link that loops) must survive the
// run: defaults it did not read never take its place.
void StartupTest::unreadableSettingsFileIsSaidAndNeverWrittenOver() {
    FormFixture fx;
    const QByteArray path = QFile::encodeName(fx.settingsPath());
    QCOMPARE(symlink("Lumaro.ini", path.constData()), 0);
    Form1& form = fx.start();
    QCOMPARE(fx.responder().texts().size(), 1);
    QVERIFY(fx.responder().texts()[0].startsWith(form.message(kMessageSettingsUnreadable)));
    QCOMPARE(form.currentLanguage(), std::string("English"));
    QCOMPARE(Control<QComboBox>(form, "combo_FileTypes")->count(), 2);
    fx.closeForm();
    struct stat st;
    QCOMPARE(lstat(path.constData(), &st), 0);
    QVERIFY(S_ISLNK(st.st_mode));
}

void StartupTest::quitButtonAlsoSavesTheSettings() {
    FormFixture fx;
    Form1& form = fx.start();
    QTest::mouseClick(Control<QPushButton>(form, "cb_Quit"), Qt::LeftButton);
    // The close is queued: the click returns first, with the message table already emptied.
    QCOMPARE(form.languageTable().size(), 0);
    QTRY_VERIFY(!form.isVisible());
    QVERIFY(fx.readSettings().startsWith("[Language]\r\nEnglish\r\n"));
}

void StartupTest::settingsWithTypesAndCaptionsAreReadBackAndWrittenIdentically() {
    FormFixture fx;
    const QByteArray file =
        "[Language]\r\nEnglish\r\n[Default Folders]\r\n/photos/2024\r\n/photos/out\r\n"
        "/shows/\r\n[SlideShow Title Format]\r\nText\r\n[File Types]\r\nTypes\r\njpeg\r\npng\r\n"
        "jpg\r\n[Captions]\r\nAvailable captions\r\nVacances en Italie\r\nNoël à Lyon\r\n"
        "[End of Application data]\r\n";
    fx.writeHomeFile("Lumaro.ini", file);
    Form1& form = fx.start();
    auto* types = Control<QComboBox>(form, "combo_FileTypes");
    QCOMPARE(types->count(), 4);
    QCOMPARE(types->itemText(1), QStringLiteral("jpeg"));
    QCOMPARE(Control<QLineEdit>(form, "textb_FileType")->text(), QStringLiteral("jpeg"));
    QVERIFY(Control<QPushButton>(form, "pictbttn_ClearTypes")->isEnabled());
    QCOMPARE(types->currentIndex(), 0);
    auto* captions = Control<QComboBox>(form, "combo_Captions");
    QCOMPARE(captions->count(), 3);
    QCOMPARE(captions->itemText(2), QStringLiteral("Noël à Lyon"));
    QCOMPARE(captions->currentIndex(), 0);
    QVERIFY(Control<QPushButton>(form, "pictbttn_ClearCaptions")->isEnabled());
    QCOMPARE(form.picturesArea().titleFormat(), std::string("Text"));
    fx.closeForm();
    QCOMPARE(fx.readSettings(), file);
}

// Captions, types and folders that are not UTF-8, or hold a NUL, are shown with replacement
// characters but reach the file again byte for byte at the close.
void StartupTest::undisplayableSettingsBytesAreWrittenBackUnchanged() {
    FormFixture fx;
    static const char kFile[] =
        "[Language]\r\nEnglish\r\n[Default Folders]\r\n/photos/\xE9t\xE9/\r\n\r\n\r\n"
        "[SlideShow Title Format]\r\nDate\r\n[File Types]\r\nTypes\r\njp\xC3\r\njpg\r\n"
        "[Captions]\r\nAvailable captions\r\nCaf\xE9 Ren\xE9\r\nNo\0l\r\n[End of Application "
        "data]\r\n";
    const QByteArray file(kFile, sizeof kFile - 1);
    fx.writeHomeFile("Lumaro.ini", file);
    fx.start();
    auto* captions = Control<QComboBox>(fx.form(), "combo_Captions");
    QCOMPARE(captions->count(), 3);
    QCOMPARE(captions->itemText(1), QStringLiteral("Caf\uFFFD Ren\uFFFD"));
    QCOMPARE(captions->itemText(2), QString::fromUtf8("No\0l", 4));
    fx.closeForm();
    QCOMPARE(fx.readSettings(), file);
}

void StartupTest::damagedSettingsFileFallsBackToDefaults() {
    FormFixture fx;
    fx.writeHomeFile("Lumaro.ini",
                     "[Language]\r\nFrench\r\n[Default Folders]\r\n/a\r\n/b\r\n/c\r\n"
                     "[SlideShow Title Format]\r\nText\r\n[File Types]\r\nTypes\r\njp");
    Form1& form = fx.start();
    QCOMPARE(Control<QComboBox>(form, "combo_FileTypes")->count(), 2);
    QCOMPARE(form.currentLanguage(), std::string("English"));
    QCOMPARE(form.picturesArea().titleFormat(), std::string("Date"));
    QVERIFY(fx.responder().shown.isEmpty());
}

void StartupTest::screenLowerThan600IsRefusedAndStillSavesSettings() {
    FormFixture fx(599);
    Form1& form = fx.start();
    QCOMPARE(fx.responder().shown.size(), 1);
    QCOMPARE(fx.responder().shown[0].caption, QStringLiteral("Lumaro"));
    QCOMPARE(fx.responder().shown[0].text, QStringLiteral("Minimum resolution is 800x600"));
    QTRY_VERIFY(!form.isVisible());
    QVERIFY(fx.readSettings().startsWith("[Language]"));
}

void StartupTest::screenExactly600IsAccepted() {
    FormFixture fx(600);
    Form1& form = fx.start();
    QVERIFY(fx.responder().shown.isEmpty());
    QTest::qWait(50);
    QVERIFY(form.isVisible());
    QCOMPARE(form.y(), -5);
}

void StartupTest::missingHelpFileOfTheLanguageFallsBackToEnglish() {
    FormFixture fx;
    fx.installShipped("French.lng");
    fx.installShipped("English.hlp");
    fx.writeHomeFile("Lumaro.ini",
                     "[Language]\r\nFrench\r\n[Default Folders]\r\n\r\n\r\n\r\n"
                     "[SlideShow Title Format]\r\nDate\r\n[File Types]\r\nTypes\r\n"
                     "jpg\r\n[Captions]\r\n[End of Application data]\r\n");
    Form1& form = fx.start();
    QCOMPARE(form.currentLanguage(), std::string("French"));
    QCOMPARE(QString::fromStdString(form.helpFile()), fx.home() + "/English.hlp");
    fx.installShipped("French.hlp");
    form.ApplyLanguage(1);
    QCOMPARE(QString::fromStdString(form.helpFile()), fx.home() + "/French.hlp");
}

void StartupTest::versionAndAboutText() {
    FormFixture fx;
    fx.start();
    QTest::mouseClick(Control<QPushButton>(fx.form(), "cb_About"), Qt::LeftButton);
    QCOMPARE(fx.responder().shown.size(), 1);
    QCOMPARE(fx.responder().shown[0].caption, QStringLiteral("About"));
    const QString text = fx.responder().shown[0].text;
    QVERIFY(text.endsWith(QStringLiteral("\n\nLicence: GPL-3.0-or-later\n\nVersion 1.3")));
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
