// The pictures of a folder in the real window: choosing the type and folder, the first
// numbering, selecting with the mouse, sorting by date, and the file-type checks.
#include <fcntl.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "gui/naming/formatnom.h"
#include "gui/naming/namingarea.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {
// Answers the name-format dialog by clicking its options and OK, as a user would.
std::function<int(QDialog&)> answerFormat(const char* format, const char* order) {
    return [format, order](QDialog& dialog) {
        QTest::mouseClick(Control<QRadioButton>(dialog, format), Qt::LeftButton);
        QTest::mouseClick(Control<QRadioButton>(dialog, order), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
        return dialog.result();
    };
}

QStringList listed(QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
}

void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}
}  // namespace

class FolderTest : public QObject {
    Q_OBJECT
private slots:
    void numberedFolderLoadsAndShiftControlClicksFillTheSlots();
    void unnumberedFolderIsNumberedByDateAsAnswered();
    void cancelledFormatLeavesEveryName();
    void sortToggleAlternatesOrderAndRenamesNothing();
    void badFileTypesAndEmptyFoldersAreSaidAndRenameNothing();
    void newFileTypeIsAddedAndSaved();
    void rightClickTakesTheCaptionOfOnePicture();
    void captionThatIsNotUtf8KeepsItsBytesThroughRenameAndSettings();
    void formatDialogAnswersReplaceByNameWhenOkIsPressedAtOnce();
    void renameBlockedByAnExistingFileKeepsBothAndIsNamedAtTheEnd();
    void refusedFirstNumberingStillEndsTheLoadWithItsStateAndSortCaption();
};

void FolderTest::numberedFolderLoadsAndShiftControlClicksFillTheSlots() {
    QTemporaryDir pictures;
    for (const char* name :
         {"01  Plage.jpg", "02  Port.jpg", "03  Phare.JPG", "04--.jpg", "05  Soir.jpg"}) {
        WritePicture(pictures.path(), QString::fromUtf8(name));
    }
    FormFixture fx;
    Form1& form = fx.start();
    QPushButton* selectAll = Control<QPushButton>(form, "cb_Tout");
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    fx.responder().folders.push_back(pictures.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(listed(list), (QStringList{"01  Plage", "02  Port", "03  Phare", "04--", "05  Soir"}));
    QCOMPARE(form.naming().mainWindowState(), WindowState::FolderLoaded);
    QCOMPARE(Control<QLineEdit>(form, "textb_FichiersAuDossier")->text(), QStringLiteral("5"));
    QCOMPARE(Control<QLineEdit>(form, "textb_Dossier")->text(), pictures.path() + "/");
    QVERIFY(selectAll->isEnabled());

    clickRow(list, 1);
    QCOMPARE(form.naming().mainWindowState(), WindowState::PicturesSelected);
    QCOMPARE(Control<QLineEdit>(form, "textb_1C")->text(), QStringLiteral("02  Port"));
    QCOMPARE(Control<ImageViewerControl>(form, "ImageV_1")->fileName(),
             pictures.path() + "/02  Port.jpg");
    QVERIFY(Control<QLineEdit>(form, "textb_2C")->text().isEmpty());
    clickRow(list, 3, Qt::ShiftModifier);
    QCOMPARE(list->selectedItems().size(), 3);
    QCOMPARE(Control<QLineEdit>(form, "textb_2C")->text(), QStringLiteral("04--"));
    clickRow(list, 2,
             Qt::ControlModifier);  // the picture with its own ".JPG"
    QCOMPARE(list->selectedItems().size(), 2);
    QCOMPARE(Control<ImageViewerControl>(form, "ImageV_2")->fileName(),
             pictures.path() + "/04--.jpg");
    clickRow(list, 2);
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(Control<ImageViewerControl>(form, "ImageV_1")->fileName(),
             pictures.path() + "/03  Phare.JPG");
    QVERIFY(Control<ImageViewerControl>(form, "ImageV_1")->pictureWidth() > 0);
    QVERIFY(Control<QPushButton>(form, "pictbttn_ToStart1")->isEnabled());

    QTest::mouseClick(selectAll, Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::AllSelected);
    QCOMPARE(selectAll->text(), QStringLiteral("Unselect"));
    QCOMPARE(Control<QLineEdit>(form, "textb_2C")->text(), QStringLiteral("05  Soir"));
    QTest::mouseClick(selectAll, Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::SelectionCleared);
    QCOMPARE(selectAll->text(), QStringLiteral("Select all"));
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(Control<QLineEdit>(form, "textb_1C")->text().isEmpty());
    QCOMPARE(FilesIn(pictures.path()).size(), 5);
}

void FolderTest::unnumberedFolderIsNumberedByDateAsAnswered() {
    QTemporaryDir pictures;
    WritePicture(pictures.path(), "b.jpg", "2021:07:01 10:00:00");
    WritePicture(pictures.path(), "a.jpg", "2021:07:03 10:00:00");
    WritePicture(pictures.path(), "c.jpg", "2021:07:02 10:00:00");
    FormFixture fx;
    Form1& form = fx.start();
    fx.responder().folders.push_back(pictures.path());
    fx.responder().dialogActions.push_back(answerFormat("optb_2", "optb_SortByDate"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(fx.responder().shown.last().kind, QStringLiteral("FormatNom"));
    QCOMPARE(fx.responder().shown.last().caption, QStringLiteral("File name"));
    QCOMPARE(FilesIn(pictures.path()), (QStringList{"01  b.jpg", "02  c.jpg", "03  a.jpg"}));
    QCOMPARE(listed(Control<QListWidget>(form, "lb_Avant")),
             (QStringList{"01  b", "02  c", "03  a"}));
    QCOMPARE(form.naming().mainWindowState(), WindowState::NamesApplied);
    QCOMPARE(Control<QPushButton>(form, "cb_Sort")->text(), QStringLiteral("Sort by Name"));
}

void FolderTest::cancelledFormatLeavesEveryName() {
    QTemporaryDir pictures;
    for (const char* name : {"b.jpg", "a.jpg", "c.jpg"}) WritePicture(pictures.path(), name);
    FormFixture fx;
    Form1& form = fx.start();
    fx.responder().folders.push_back(pictures.path());
    fx.responder().dialogActions.push_back([](QDialog& dialog) {
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_Cancel"), Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(FilesIn(pictures.path()), (QStringList{"a.jpg", "b.jpg", "c.jpg"}));
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->count(), 0);
    QCOMPARE(form.naming().mainWindowState(), WindowState::NoFolder);
}

void FolderTest::sortToggleAlternatesOrderAndRenamesNothing() {
    QTemporaryDir pictures;
    WritePicture(pictures.path(), "01  x.jpg", "2020:01:03 08:00:00");
    WritePicture(pictures.path(), "02  y.jpg");
    WritePicture(pictures.path(), "03  z.jpg", "2020:01:01 08:00:00");
    FormFixture fx;
    Form1& form = fx.start();
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    QPushButton* sort = Control<QPushButton>(form, "cb_Sort");
    fx.responder().folders.push_back(pictures.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(sort->text(), QStringLiteral("Sort by Date"));
    QTest::mouseClick(sort, Qt::LeftButton);
    // The picture without a date comes first, and the user is told why.
    QCOMPARE(listed(list), (QStringList{"02  y", "03  z", "01  x"}));
    QCOMPARE(sort->text(), QStringLiteral("Sort by Name"));
    QVERIFY(
        fx.responder().texts().last().startsWith(QStringLiteral("Pictures with no internal date")));
    QTest::mouseClick(sort, Qt::LeftButton);
    QCOMPARE(listed(list), (QStringList{"01  x", "02  y", "03  z"}));
    QCOMPARE(sort->text(), QStringLiteral("Sort by Date"));
    QCOMPARE(sort->toolTip(), QStringLiteral("Sort is by Picture date, not by file date"));
    QCOMPARE(FilesIn(pictures.path()), (QStringList{"01  x.jpg", "02  y.jpg", "03  z.jpg"}));

    // Dates under the large viewers: the Exif date, or "FD" and the file's date.
    clickRow(list, 0);
    clickRow(list, 1, Qt::ShiftModifier);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_Date"), Qt::LeftButton);
    QCOMPARE(Control<QLineEdit>(form, "textb_1N")->text(), QStringLiteral("2020:01:03 08:00:00"));
    QVERIFY(Control<QLineEdit>(form, "textb_2N")->text().startsWith(QStringLiteral("FD ")));
    QCOMPARE(Control<QLineEdit>(form, "textb_2N")->text().size(), 22);
    QVERIFY(Control<QLineEdit>(form, "textb_1N")->isVisibleTo(&form));
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_Date"), Qt::LeftButton);
    QVERIFY(!Control<QLineEdit>(form, "textb_1N")->isVisibleTo(&form));
}

void FolderTest::badFileTypesAndEmptyFoldersAreSaidAndRenameNothing() {
    QTemporaryDir pictures;
    WritePicture(pictures.path(), "a.jpg");
    FormFixture fx;
    Form1& form = fx.start();
    for (const QString& type : {QString(), QStringLiteral("j/pg"), QStringLiteral("j.pg")}) {
        Control<QLineEdit>(form, "textb_FileType")->setText(type);
        QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
        QCOMPARE(fx.responder().shown.last().caption, QStringLiteral("Folder"));
    }
    QCOMPARE(fx.responder().shown[0].text, QStringLiteral("Specify the file type"));
    QVERIFY(fx.responder().shown[1].text.contains(QStringLiteral("cannot contain")));
    QCOMPARE(fx.responder().shown.size(), 3);  // no folder browser was shown

    Control<QLineEdit>(form, "textb_FileType")->setText(QStringLiteral("png"));
    fx.responder().folders.push_back(pictures.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(fx.responder().shown.last().text,
             QStringLiteral("Folder contains no files of type png"));
    QVERIFY(!Control<QPushButton>(form, "cb_Tout")->isEnabled());

    Control<QLineEdit>(form, "textb_FileType")->setText(QStringLiteral("jpg"));
    fx.responder().folders.push_back(pictures.path() + "/missing");
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QVERIFY(
        fx.responder().shown.last().text.startsWith(QStringLiteral("This folder cannot be read")));
    QCOMPARE(FilesIn(pictures.path()), QStringList{"a.jpg"});
}

void FolderTest::newFileTypeIsAddedAndSaved() {
    QTemporaryDir pictures;
    FormFixture fx;
    Form1& form = fx.start();
    Control<QLineEdit>(form, "textb_FileType")->setText(QStringLiteral("jpeg"));
    fx.responder().folders.push_back(std::nullopt);  // the user cancels the browser
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(Control<QComboBox>(form, "combo_FileTypes")->itemText(2), QStringLiteral("jpeg"));
    QVERIFY(Control<QPushButton>(form, "pictbttn_ClearTypes")->isEnabled());
    QVERIFY(fx.readSettings().contains("jpg\r\njpeg\r\n[Captions]"));

    fx.responder().answers.push_back(kAnswerYes);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_ClearTypes"), Qt::LeftButton);
    QCOMPARE(fx.responder().shown.last().text, QStringLiteral("Clear all file types?"));
    QCOMPARE(fx.responder().shown.last().caption, QStringLiteral("Clear"));
    QCOMPARE(Control<QComboBox>(form, "combo_FileTypes")->count(), 2);
    QCOMPARE(Control<QLineEdit>(form, "textb_FileType")->text(), QStringLiteral("jpg"));
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ClearTypes")->isEnabled());
}

void FolderTest::rightClickTakesTheCaptionOfOnePicture() {
    QTemporaryDir pictures;
    WritePicture(pictures.path(), "01  Vacances en Italie.jpg");
    WritePicture(pictures.path(), "02--.jpg");
    FormFixture fx;
    Form1& form = fx.start();
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    fx.responder().folders.push_back(pictures.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(fx.responder().shown.last().text, QStringLiteral("Select a single picture"));
    QVERIFY(list->selectedItems().isEmpty());  // a right click selects nothing
    clickRow(list, 0);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(Control<QLineEdit>(form, "textb_Caption")->text(),
             QStringLiteral("Vacances en Italie"));
    QVERIFY(!Control<QPushButton>(form, "cb_Renumeroter")->isVisibleTo(&form));
}

// A caption whose bytes are not UTF-8, taken from a picture by a right click, is shown with
// replacement characters yet renames another picture with its own bytes and enters the
// settings file with them: nothing is rewritten because it could not be displayed.
void FolderTest::captionThatIsNotUtf8KeepsItsBytesThroughRenameAndSettings() {
    QTemporaryDir pictures;
    const QByteArray folder = QFile::encodeName(pictures.path()) + "/";
    const int fd = open(folder + "01  Caf\xE9 \xFF.jpg", O_WRONLY | O_CREAT, 0644);
    QVERIFY(fd >= 0 && write(fd, "picture", 7) == 7);
    close(fd);
    WritePicture(pictures.path(), "02--.jpg");
    FormFixture fx;
    Form1& form = fx.start();
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    fx.responder().folders.push_back(pictures.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(listed(list), (QStringList{"01  Caf\uFFFD \uFFFD", "02--"}));
    clickRow(list, 0);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(Control<QLineEdit>(form, "textb_Caption")->text(), QStringLiteral("Caf\uFFFD \uFFFD"));
    clickRow(list, 1);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(access(folder + "01  Caf\xE9 \xFF.jpg", F_OK), 0);
    QCOMPARE(access(folder + "02  Caf\xE9 \xFF.jpg", F_OK), 0);
    fx.closeForm();
    QVERIFY(fx.readSettings().contains("[Captions]\r\nAvailable captions\r\nCaf\xE9 \xFF\r\n"));
    // Names the temporary folder cannot spell go by their bytes.
    unlink(folder + "01  Caf\xE9 \xFF.jpg");
    unlink(folder + "02  Caf\xE9 \xFF.jpg");
}

void FolderTest::formatDialogAnswersReplaceByNameWhenOkIsPressedAtOnce() {
    QStringList texts = {"File name", "Cancel", "Format", "Replace", "Insert",
                         "Leave",     "Sort",   "Name",   "Date",    ""};
    {
        FormatNom dialog(texts, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("File name"));
        QCOMPARE(Control<QRadioButton>(dialog, "optb_2")->text(), QStringLiteral("Insert"));
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
    }
    QCOMPARE(texts[0], QStringLiteral("1"));
    QCOMPARE(texts[9], QStringLiteral("N"));
    texts[0] = "File name";
    {
        FormatNom dialog(texts, nullptr);
        dialog.show();
        // Options take clicks on their indicator and text.
        QTest::mouseClick(Control<QRadioButton>(dialog, "optb_3"), Qt::LeftButton, {},
                          QPoint(6, Control<QRadioButton>(dialog, "optb_3")->height() / 2));
        QTest::mouseClick(
            Control<QRadioButton>(dialog, "optb_SortByDate"), Qt::LeftButton, {},
            QPoint(6, Control<QRadioButton>(dialog, "optb_SortByDate")->height() / 2));
        QVERIFY(!Control<QRadioButton>(dialog, "optb_SortByName")->isChecked());
        QVERIFY(!Control<QRadioButton>(dialog, "optb_1")->isChecked());
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }
    QCOMPARE(texts[0], QStringLiteral("-1"));
}

void FolderTest::renameBlockedByAnExistingFileKeepsBothAndIsNamedAtTheEnd() {
    QTemporaryDir pictures;
    // Widths 2 and 3: "07  a" must become "007  a", a name a folder already holds.
    WritePicture(pictures.path(), "07  a.jpg", "2001:01:01 00:00:01");
    WritePicture(pictures.path(), "123  b.jpg");
    QVERIFY(QDir(pictures.path()).mkdir(QStringLiteral("007  a.jpg")));
    FormFixture fx;
    Form1& form = fx.start();
    fx.responder().folders.push_back(pictures.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QVERIFY(fx.responder().shown.last().text.startsWith(
        QStringLiteral("These pictures kept their names")));
    QVERIFY(fx.responder().shown.last().text.contains(QStringLiteral("07  a.jpg")));
    QFile kept(pictures.path() + "/07  a.jpg");
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), JpegBytes("2001:01:01 00:00:01"));
    QVERIFY(QFileInfo(pictures.path() + "/007  a.jpg").isDir());
    QCOMPARE(listed(Control<QListWidget>(form, "lb_Avant")), (QStringList{"07  a", "123  b"}));
}

// A load refused half way must not leave the window in the state of the folder before.
void FolderTest::refusedFirstNumberingStillEndsTheLoadWithItsStateAndSortCaption() {
    QTemporaryDir numbered;
    QTemporaryDir unnumbered;
    for (const char* name : {"01  a.jpg", "02  b.jpg"}) WritePicture(numbered.path(), name);
    for (const char* name : {"x--y.jpg", "c.jpg"}) WritePicture(unnumbered.path(), name);
    FormFixture fx;
    Form1& form = fx.start();
    fx.responder().folders.push_back(numbered.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    clickRow(Control<QListWidget>(form, "lb_Avant"), 0);
    QTest::keyClicks(Control<QLineEdit>(form, "textb_Caption"), QStringLiteral("Nord"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::RenamePending);  // the list disabled

    fx.responder().folders.push_back(unnumbered.path());
    fx.responder().dialogActions.push_back(answerFormat("optb_2", "optb_SortByDate"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QVERIFY(fx.responder().texts().last().contains(QStringLiteral("x--y.jpg")));
    QCOMPARE(form.naming().mainWindowState(), WindowState::FolderLoaded);
    QVERIFY(Control<QListWidget>(form, "lb_Avant")->isEnabled());
    QVERIFY(!Control<QPushButton>(form, "cb_Appliquer")->isEnabled());
    QCOMPARE(Control<QPushButton>(form, "cb_Sort")->text(),
             QStringLiteral("Sort by Name"));  // it was listed by date
    QCOMPARE(FilesIn(unnumbered.path()), (QStringList{"c.jpg", "x--y.jpg"}));
    QCOMPARE(FilesIn(numbered.path()), (QStringList{"01  a.jpg", "02  b.jpg"}));
}

QTEST_MAIN(FolderTest)
#include "folder_test.moc"
