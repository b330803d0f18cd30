// The folder choice dialogs clicked as a user would: OK only after a browse or a new name,
// every other way out answers no folder, new names nest, bad names keep the new-folder dialog
// open, and nothing of it touches the disk.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "gui/pictures/formgetfolder.h"
#include "gui/pictures/formnewfolder.h"
#include "gui/pictures/picturesarea.h"
#include "support/formfixture.h"
#include "support/scriptedresponder.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {
FolderRequest requestFor(const QString& folder) {
    LanguageTable table;
    table.resize(kLanguageKeyCount);
    table.applyEnglish();
    return FolderRequestFor(FolderChoice::MoveToFolder, table, folder.toStdString());
}

// Answers one FormNewFolder by typing `name` and clicking `button`.
std::function<int(QDialog&)> typeName(const QString& name, const char* button = "cb_OK") {
    return [name, button](QDialog& dialog) {
        QTest::keyClicks(Control<QLineEdit>(dialog, "textb_NewFolder"), name);
        QTest::mouseClick(Control<QPushButton>(dialog, button), Qt::LeftButton);
        return dialog.result();
    };
}
}  // namespace

class FolderDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { responder_ = &ScriptedResponder::install(); }
    void cleanup() { SetDialogService(nullptr); }
    void okWaitsForABrowseAndTheCloseBoxAnswersNoFolder();
    void newNamesNestAndCancelledNamesChangeNothing();
    void badNewNamesKeepTheDialogOpenWithAMessage_data();
    void badNewNamesKeepTheDialogOpenWithAMessage();
    void closingTheNewFolderDialogAnswersNoNameWhateverWasTyped();
    void mainWindowAsksWithTheTextsOfTheFeature();

private:
    ScriptedResponder* responder_ = nullptr;
};

void FolderDialogsTest::okWaitsForABrowseAndTheCloseBoxAnswersNoFolder() {
    FolderRequest request = requestFor(QStringLiteral("/data/Rome/"));
    FormGetFolder dialog(request, nullptr);
    QPushButton* ok = Control<QPushButton>(dialog, "cb_OK");
    QPushButton* browse = Control<QPushButton>(dialog, "cb_Browse");
    QLineEdit* folderBox = Control<QLineEdit>(dialog, "textb_GetFolder");
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Destination folder"));
    QCOMPARE(ok->text(), QStringLiteral("Transfer"));
    QCOMPARE(folderBox->text(), QStringLiteral("/data/Rome/"));
    QVERIFY(folderBox->isReadOnly());
    QVERIFY(!ok->isEnabled());
    QVERIFY(request.folder.empty());

    // A cancelled browser changes nothing; it was opened on the folder shown.
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(responder_->shown.size(), 1);
    QCOMPARE(responder_->shown[0].kind, QStringLiteral("browse"));
    QCOMPARE(responder_->shown[0].text, QStringLiteral("/data/Rome"));
    QVERIFY(!ok->isEnabled());

    responder_->folders.push_back(QStringLiteral("/data/Paris"));
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(folderBox->text(), QStringLiteral("/data/Paris/"));
    QVERIFY(ok->isEnabled());

    // The close box, even after a browse, answers no folder.
    dialog.close();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(request.folder.empty());

    FolderRequest again = requestFor(QStringLiteral("/data/Rome/"));
    FormGetFolder second(again, nullptr);
    second.show();
    responder_->folders.push_back(QStringLiteral("/"));
    QTest::mouseClick(Control<QPushButton>(second, "cb_Browse"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(second, "cb_OK"), Qt::LeftButton);
    QCOMPARE(second.result(), int(QDialog::Accepted));
    QCOMPARE(again.folder, std::string("/"));
}

void FolderDialogsTest::newNamesNestAndCancelledNamesChangeNothing() {
    QTemporaryDir disk;
    const QString start = disk.path() + "/";
    FolderRequest request = requestFor(start);
    FormGetFolder dialog(request, nullptr);
    dialog.show();
    QStringList seen;
    responder_->dialogActions.push_back([&seen](QDialog& asked) {
        seen << asked.windowTitle() << Control<QPushButton>(asked, "cb_Annul")->text()
             << Control<QLabel>(asked, "label_FolderIn")->text();
        return typeName(QStringLiteral("Rome"))(asked);
    });
    responder_->dialogActions.push_back(typeName(QStringLiteral("Jour 2")));
    responder_->dialogActions.push_back(typeName(QStringLiteral("Naples"), "cb_Annul"));
    QTest::mouseClick(Control<QPushButton>(dialog, "cb_NewFolder"), Qt::LeftButton);
    QCOMPARE(seen, (QStringList{"New destination folder", "Cancel",
                                "New destination folder in " + start}));
    QVERIFY(Control<QPushButton>(dialog, "cb_OK")->isEnabled());
    QTest::mouseClick(Control<QPushButton>(dialog, "cb_NewFolder"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(dialog, "cb_NewFolder"), Qt::LeftButton);
    QCOMPARE(Control<QLineEdit>(dialog, "textb_GetFolder")->text(), start + "Rome/Jour 2/");
    QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
    QCOMPARE(request.folder, (start + "Rome/Jour 2/").toStdString());
    QCOMPARE(responder_->shown.size(), 3);
    // The caller creates the folder: the dialogs left the disk as it was.
    QVERIFY(QDir(disk.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                .isEmpty());
}

void FolderDialogsTest::badNewNamesKeepTheDialogOpenWithAMessage_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("dot") << ".";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("slash") << "Rome/Naples";
    QTest::newRow("nul") << QString::fromLatin1("a\0b", 3);
}

void FolderDialogsTest::badNewNamesKeepTheDialogOpenWithAMessage() {
    QFETCH(QString, typed);
    NewFolderRequest request{"stale",         "Cancel", "New folder",
                             "New folder in", "/data/", "Bad name"};
    FormNewFolder dialog(request, nullptr);
    dialog.show();
    QVERIFY(request.name.empty());
    Control<QLineEdit>(dialog, "textb_NewFolder")->setText(typed);
    QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
    QCOMPARE(responder_->texts(), QStringList{"Bad name"});
    QVERIFY(dialog.isVisible());
    QVERIFY(request.name.empty());

    // Mended, the same dialog takes the name as typed.
    Control<QLineEdit>(dialog, "textb_NewFolder")->setText(QStringLiteral(" Rome 2024"));
    QTest::keyClick(Control<QLineEdit>(dialog, "textb_NewFolder"), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(request.name, std::string(" Rome 2024"));
    QCOMPARE(responder_->shown.size(), 1);
}

void FolderDialogsTest::closingTheNewFolderDialogAnswersNoNameWhateverWasTyped() {
    NewFolderRequest request{"",       "Annuler",   "Nouveau dossier", "Nouveau dossier dans",
                             "/data/", "Nom refusé"};
    FormNewFolder dialog(request, nullptr);
    dialog.show();
    QCOMPARE(Control<QPushButton>(dialog, "cb_Annul")->text(), QStringLiteral("Annuler"));
    QCOMPARE(Control<QLabel>(dialog, "label_FolderIn")->text(),
             QStringLiteral("Nouveau dossier dans /data/"));
    QTest::keyClicks(Control<QLineEdit>(dialog, "textb_NewFolder"), QStringLiteral("Rome"));
    dialog.close();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(request.name.empty());
    QVERIFY(responder_->shown.isEmpty());
}

void FolderDialogsTest::mainWindowAsksWithTheTextsOfTheFeature() {
    FormFixture fx;
    Form1& form = fx.start();
    fx.responder().folders.push_back(QStringLiteral("/data/Paris"));
    QString shownFolder;
    fx.responder().dialogActions.push_back([&shownFolder](QDialog& asked) {
        auto& dialog = static_cast<FormGetFolder&>(asked);
        shownFolder = Control<QLineEdit>(dialog, "textb_GetFolder")->text();
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_Browse"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
        return dialog.result();
    });
    QCOMPARE(form.picturesArea().ChooseFolder(FolderChoice::SnapkeepSave, "/data/Memo/"),
             std::string("/data/Paris/"));
    QCOMPARE(shownFolder, QStringLiteral("/data/Memo/"));
    QCOMPARE(fx.responder().shown[0].kind, QStringLiteral("FormGetFolder"));
    QCOMPARE(fx.responder().shown[0].caption, QStringLiteral("Destination folder"));
    // Nothing answered: the dialog was closed, and no folder comes back.
    QCOMPARE(form.picturesArea().ChooseFolder(FolderChoice::SlideShowFolder, ""), std::string());
    QCOMPARE(fx.responder().shown.last().caption, QStringLiteral("Slide show folder"));
}

QTEST_MAIN(FolderDialogsTest)
#include "folderdialogs_test.moc"
