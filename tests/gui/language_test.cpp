// Choosing a language relabels the real window at once; broken or missing files are said.
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/messagekeys.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {
QByteArray settingsNaming(const QByteArray& language, const QByteArray& captions = "") {
    return "[Language]\r\n" + language +
           "\r\n[Default Folders]\r\n\r\n\r\n\r\n"
           "[SlideShow Title Format]\r\nDate\r\n[File Types]\r\nTypes\r\njpg\r\n[Captions]\r\n" +
           captions + "[End of Application data]\r\n";
}

// A language file of 110 lines whose line for `faultyKey` has no '='.
QByteArray brokenLanguageFile(int faultyKey) {
    QByteArray file;
    for (int key = 0; key < 110; ++key) {
        file += key == faultyKey ? QByteArray("no equals sign")
                                 : QByteArray::number(key) + "=Text " + QByteArray::number(key);
        file += "\r\n";
    }
    return file;
}

void chooseLanguage(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void choosingFrenchRelabelsButtonsTooltipsAndCaptionHeader();
    void aPrefixInTheSettingsFindsTheLanguage();
    void aMissingLanguageFileRevertsToEnglishWithAMessage();
    void aBrokenLanguageFileAtStartIsSaidAndTheRunGoesOnInEnglish();
    void aBrokenLanguageChosenFromTheListKeepsTheLanguageShown();
    void anUpperCaseExtensionOpensAsItIsOnDisk();
    void englishLngIsNotListedTwiceAndEnglishStaysBuiltIn();
    void goingBackToEnglishRestoresTheBuiltInTexts();
    void iconTooltipsAndSelectButtonFollowTheLanguageChosen_data();
    void iconTooltipsAndSelectButtonFollowTheLanguageChosen();
};

void LanguageTest::choosingFrenchRelabelsButtonsTooltipsAndCaptionHeader() {
    FormFixture fx;
    fx.installShipped("French.lng");
    fx.writeHomeFile("Lumaro.ini", settingsNaming("English", "Old header\r\nVacances\r\n"));
    Form1& form = fx.start();
    auto* languages = Control<QComboBox>(form, "combo_Languages");
    QCOMPARE(languages->count(), 2);
    QCOMPARE(languages->currentText(), QStringLiteral("English"));
    auto* captions = Control<QComboBox>(form, "combo_Captions");
    QCOMPARE(captions->itemText(0), QStringLiteral("Available captions"));

    chooseLanguage(languages, 1);
    QCOMPARE(form.currentLanguage(), std::string("French"));
    QCOMPARE(Control<QPushButton>(form, "cb_Dossier")->text(), QStringLiteral("Dossier"));
    QCOMPARE(Control<QPushButton>(form, "cb_Sort")->text(), form.message(kMessageSortByDate));
    QCOMPARE(Control<QPushButton>(form, "cb_Sort")->toolTip(),
             form.message(kMessageSortIsByPictureDate));
    QCOMPARE(Control<QPushButton>(form, "pictbttn_ClearTypes")->toolTip(),
             form.message(kMessageClearList));
    QVERIFY(form.message(kMessageSortIsByPictureDate) !=
            QStringLiteral("Sort is by Picture date, not by file date"));
    QCOMPARE(Control<QGroupBox>(form, "groupb_Exec")->title(), form.message(kMessageCommandsGroup));
    QCOMPARE(captions->itemText(0), form.message(kMessageAvailableCaptions));
    QVERIFY(captions->itemText(0) != QStringLiteral("Available captions"));
    QCOMPARE(captions->itemText(1), QStringLiteral("Vacances"));
    QCOMPARE(captions->count(), 2);

    // The labels stand against their text boxes in the new wording.
    auto* label = Control<QLabel>(form, "label_Dossier");
    auto* box = Control<QLineEdit>(form, "textb_Dossier");
    QCOMPARE(label->x() + label->width() + 5, box->x());

    fx.closeForm();
    QVERIFY(fx.readSettings().startsWith("[Language]\r\nFrench\r\n"));
}

void LanguageTest::aPrefixInTheSettingsFindsTheLanguage() {
    FormFixture fx;
    fx.installShipped("French.lng");
    fx.writeHomeFile("Lumaro.ini", settingsNaming("Fr"));
    Form1& form = fx.start();
    QCOMPARE(form.currentLanguage(), std::string("French"));
    QCOMPARE(Control<QComboBox>(form, "combo_Languages")->currentText(),
             QStringLiteral("Français"));
    QVERIFY(fx.responder().shown.isEmpty());
}

void LanguageTest::aMissingLanguageFileRevertsToEnglishWithAMessage() {
    FormFixture fx;
    fx.writeHomeFile("Lumaro.ini", settingsNaming("Klingon"));
    Form1& form = fx.start();
    QCOMPARE(fx.responder().texts(),
             QStringList{QStringLiteral("Klingon: language file not found. Reverting to English")});
    QCOMPARE(fx.responder().shown[0].caption, QString());
    QCOMPARE(form.currentLanguage(), std::string("English"));
    QCOMPARE(Control<QComboBox>(form, "combo_Languages")->count(), 1);
    QVERIFY(!Control<QComboBox>(form, "combo_Languages")->isVisibleTo(&form));
}

// A damaged file used to close every later start too, the settings keeping its language.
void LanguageTest::aBrokenLanguageFileAtStartIsSaidAndTheRunGoesOnInEnglish() {
    FormFixture fx;
    fx.writeHomeFile("Broken.lng", brokenLanguageFile(5));
    fx.writeHomeFile("Lumaro.ini", settingsNaming("Broken"));
    Form1& form = fx.start();
    QCOMPARE(
        fx.responder().texts(),
        QStringList{QStringLiteral("Error in Broken language file (5). Please reinstall Lumaro")});
    QCoreApplication::processEvents();  // a close it asked for would run now
    QVERIFY(form.isVisible());
    QCOMPARE(form.message(kMessageHelp), QStringLiteral("Help"));
    QCOMPARE(Control<QPushButton>(form, "cb_Dossier")->text(), QStringLiteral("Folder"));
    QCOMPARE(form.currentLanguage(), std::string("English"));
    QCOMPARE(Control<QComboBox>(form, "combo_Languages")->currentText(), QStringLiteral("English"));
    fx.closeForm();
    QVERIFY(fx.readSettings().startsWith("[Language]\r\nEnglish\r\n"));
}

void LanguageTest::aBrokenLanguageChosenFromTheListKeepsTheLanguageShown() {
    FormFixture fx;
    fx.installShipped("French.lng");
    fx.writeHomeFile("Broken.lng", brokenLanguageFile(40));
    fx.writeHomeFile("Lumaro.ini", settingsNaming("French"));
    Form1& form = fx.start();
    auto* languages = Control<QComboBox>(form, "combo_Languages");
    QCOMPARE(languages->itemText(1), QStringLiteral("Broken"));
    chooseLanguage(languages, 1);
    QCOMPARE(fx.responder().texts().last(),
             QStringLiteral("Error in Broken language file (40). Please reinstall Lumaro"));
    QCoreApplication::processEvents();
    QVERIFY(form.isVisible());
    QCOMPARE(form.currentLanguage(), std::string("French"));
    QCOMPARE(languages->currentText(), QStringLiteral("Français"));
    QCOMPARE(Control<QPushButton>(form, "cb_Dossier")->text(), QStringLiteral("Dossier"));
    QCOMPARE(form.message(kMessageHelp), QStringLiteral("Aide"));  // none from the broken file
    fx.closeForm();
    QVERIFY(fx.readSettings().startsWith("[Language]\r\nFrench\r\n"));
}

void LanguageTest::anUpperCaseExtensionOpensAsItIsOnDisk() {
    FormFixture fx;
    fx.installShipped("French.lng");
    QVERIFY(QFile::rename(fx.home() + "/French.lng", fx.home() + "/French.LNG"));
    fx.writeHomeFile("Lumaro.ini", settingsNaming("French"));
    Form1& form = fx.start();
    QVERIFY(fx.responder().shown.isEmpty());
    QCOMPARE(form.currentLanguage(), std::string("French"));
    QCOMPARE(Control<QPushButton>(form, "cb_Dossier")->text(), QStringLiteral("Dossier"));
    QCOMPARE(form.message(kMessageLanguageFileUnreadable).isEmpty(), false);
}

void LanguageTest::englishLngIsNotListedTwiceAndEnglishStaysBuiltIn() {
    FormFixture fx;
    fx.writeHomeFile("English.lng", brokenLanguageFile(0));
    fx.installShipped("French.lng");
    Form1& form = fx.start();
    auto* languages = Control<QComboBox>(form, "combo_Languages");
    QCOMPARE(languages->count(), 2);
    QCOMPARE(languages->itemText(1), QStringLiteral("Français"));
    QVERIFY(fx.responder().shown.isEmpty());
    QCOMPARE(form.message(kMessageFolderButton), QStringLiteral("Folder"));
}

void LanguageTest::goingBackToEnglishRestoresTheBuiltInTexts() {
    FormFixture fx;
    fx.installShipped("French.lng");
    Form1& form = fx.start();
    auto* languages = Control<QComboBox>(form, "combo_Languages");
    chooseLanguage(languages, 1);
    QCOMPARE(Control<QPushButton>(form, "cb_Quit")->text(), form.message(kMessageQuit));
    chooseLanguage(languages, 0);
    QCOMPARE(Control<QPushButton>(form, "cb_Quit")->text(), QStringLiteral("End"));
    QCOMPARE(Control<QPushButton>(form, "cb_Memo")->toolTip(),
             QStringLiteral(
                 "Left click - Load Snapkeep, Right click - Save displayed pictures as Snapkeep"));
    QCOMPARE(form.currentLanguage(), std::string("English"));
}

void LanguageTest::iconTooltipsAndSelectButtonFollowTheLanguageChosen_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("ownName");  // as the language list shows it
    QTest::addColumn<QString>("tenUp");    // the top arrow's tooltip
    QTest::addColumn<QString>("unselect");
    QTest::newRow("English") << "English"
                             << "English"
                             << "Move 10 places up"
                             << "Unselect";
    QTest::newRow("French") << "French"
                            << "Français"
                            << "Monter de 10 rangs"
                            << "Désélectionner";
    QTest::newRow("German") << "German"
                            << "Deutsch"
                            << "10 Plätze nach oben"
                            << "Auswahl aufheben";
    QTest::newRow("Spanish") << "Spanish"
                             << "Español"
                             << "Subir 10 puestos"
                             << "Quitar selección";
}

// With every picture selected, a change of language relabels the select button by its state,
// and the icon buttons' tooltips come from the language chosen.
void LanguageTest::iconTooltipsAndSelectButtonFollowTheLanguageChosen() {
    QFETCH(QString, language);
    QFETCH(QString, ownName);
    QFETCH(QString, tenUp);
    QFETCH(QString, unselect);
    QTemporaryDir pictures;
    for (const char* name : {"01  a.jpg", "02  b.jpg", "03  c.jpg"})
        WritePicture(pictures.path(), QLatin1String(name));
    FormFixture fx;
    for (const char* shipped : {"French.lng", "German.lng", "Spanish.lng"})
        fx.installShipped(QLatin1String(shipped));
    Form1& form = fx.start();
    fx.responder().folders.push_back(pictures.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    auto* selectAll = Control<QPushButton>(form, "cb_Tout");
    QTest::mouseClick(selectAll, Qt::LeftButton);
    auto* languages = Control<QComboBox>(form, "combo_Languages");
    const int chosen = languages->findData(language);
    chooseLanguage(languages, chosen == 0 ? 1 : 0);  // a change, even to English
    chooseLanguage(languages, chosen);
    QCOMPARE(languages->itemText(chosen), ownName);
    QCOMPARE(selectAll->text(), unselect);
    QCOMPARE(Control<QPushButton>(form, "pictbttn_ToStart10")->toolTip(), tenUp);
    const std::pair<const char*, int> hints[] = {{"pictbttn_ToStart1", kMessageOneTowardStartHint},
                                                 {"pictbttn_TargetMove", kMessageToChosenPlaceHint},
                                                 {"pictbttn_ToEnd1", kMessageOneTowardEndHint},
                                                 {"pictbttn_ToEnd10", kMessageTenTowardEndHint},
                                                 {"pictbttn_Del", kMessageDeleteToTrashHint},
                                                 {"pictbttn_090", kMessageTurnRightHint},
                                                 {"pictbttn_270", kMessageTurnLeftHint},
                                                 {"pictbttn_180", kMessageTurnUpsideDownHint}};
    // The list of types shows its header whole.
    auto* types = Control<QComboBox>(form, "combo_FileTypes");
    QCOMPARE(types->itemText(0), QStringLiteral("Types"));
    QVERIFY(types->width() >= types->sizeHint().width());
    for (const auto& [control, key] : hints) {
        QVERIFY(!form.message(key).isEmpty());
        QCOMPARE(Control<QPushButton>(form, QLatin1String(control))->toolTip(), form.message(key));
    }
}

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
