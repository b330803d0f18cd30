// Snapkeep on the real window with real JPEG files: saving the list as small copies (the
// pictures never change), loading a folder's first twelve JPEG files, the captions that
// thumbnail clicks and double clicks put in and take out of the caption box, and clearing.
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "core/files/folderentries.h"
#include "core/settings/messagekeys.h"
#include "core/windows/folderrequest.h"
#include "gui/pictures/formgetfolder.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {
QString numbered(int i, const QString& caption) {
    return QStringLiteral("%1  %2").arg(i, 2, 10, QChar('0')).arg(caption);
}

// Every file of a folder with a hash of its bytes.
QMap<QString, QByteArray> hashes(const QString& folder) {
    QMap<QString, QByteArray> result;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(QDir(folder).filePath(name));
        file.open(QIODevice::ReadOnly);
        result[name] = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
    return result;
}

// Answers FormGetFolder by browsing to `folder` and clicking its action button.
std::function<int(QDialog&)> browseTo(ScriptedResponder& responder, const QString& folder) {
    return [&responder, folder](QDialog& dialog) {
        responder.folders.push_back(folder);
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_Browse"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
        return dialog.result();
    };
}

void loadFolder(FormFixture& fx, const QString& folder) {
    fx.responder().folders.push_back(folder);
    QTest::mouseClick(Control<QPushButton>(fx.form(), "cb_Dossier"), Qt::LeftButton);
}

void rightClick(QWidget* widget) { QTest::mouseClick(widget, Qt::RightButton); }

// A double click as the mouse makes it: a click, then a second press seen as a double click.
void doubleClick(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::mouseDClick(widget, Qt::LeftButton);
    QTest::mouseRelease(widget, Qt::LeftButton);
}

// Thumbnail k of the strip and its caption box, found by name.
ImageViewerControl* thumbViewer(Form1& form, int k) {
    return Control<ImageViewerControl>(form, QStringLiteral("IV_%1").arg(k, 2, 10, QChar('0')));
}
QLineEdit* thumbCaption(Form1& form, int k) {
    return Control<QLineEdit>(form, QStringLiteral("textb_MP%1").arg(k));
}

QStringList shownCaptions(Form1& form) {
    QStringList captions;
    for (int k = 0; k < 12; ++k) {
        const QLineEdit* box = thumbCaption(form, k);
        captions << (box->isVisible() ? box->text() : QStringLiteral("-"));
    }
    return captions;
}
}  // namespace

class SnapkeepTest : public QObject {
    Q_OBJECT
private slots:
    void savingFivePicturesWritesFiveSmallCopiesAndChangesNoPicture();
    void savingFifteenSavesTwelveNamesFailuresAndAsksBeforeReplacing();
    void savingIntoThePictureFolderThroughALinkIsRefused();
    void loadingTakesTheFirstTwelveJpegFilesInNameOrder();
    void thumbnailClicksBuildTheCaptionAndDoubleClicksTakeTheFirstSlot();
    void aDefaultFolderThatCannotBeMadeStillLetsTheUserLoadASet();
    void aOnePictureSaveRunsTheProgressBarFromZeroToOneOfOne();
};

void SnapkeepTest::savingFivePicturesWritesFiveSmallCopiesAndChangesNoPicture() {
    QTemporaryDir pictures;
    for (int i = 1; i <= 5; ++i) WritePicture(pictures.path(), numbered(i, "Rome") + ".jpg");
    FormFixture fx;
    Form1& form = fx.start();
    loadFolder(fx, pictures.path());
    const auto before = hashes(pictures.path());
    fx.responder().shown.clear();

    // The default folder is offered; a new name within it is created by the save.
    QString offered;
    fx.responder().dialogActions.push_back([&offered](QDialog& dialog) {
        auto& asked = static_cast<FormGetFolder&>(dialog);
        offered = Control<QLineEdit>(asked, "textb_GetFolder")->text();
        Control<QPushButton>(asked, "cb_NewFolder")->click();
        QTest::mouseClick(Control<QPushButton>(asked, "cb_OK"), Qt::LeftButton);
        return asked.result();
    });
    fx.responder().dialogActions.push_back([](QDialog& dialog) {
        QTest::keyClicks(Control<QLineEdit>(dialog, "textb_NewFolder"), QStringLiteral("Italie"));
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
        return dialog.result();
    });
    rightClick(Control<QPushButton>(form, "cb_Memo"));
    const QString snapkeep =
        QString::fromStdString(DefaultSnapkeepFolder(form.programFolderPaths()));
    QCOMPARE(offered, snapkeep);
    const QString saved = snapkeep + "Italie/";
    QCOMPARE(FilesIn(saved), (QStringList{"01  Rome.jpg", "02  Rome.jpg", "03  Rome.jpg",
                                          "04  Rome.jpg", "05  Rome.jpg"}));
    const QSize thumbnail = thumbViewer(form, 0)->size();
    for (const QString& name : FilesIn(saved)) {
        const QSize size = QImageReader(saved + name).size();
        QVERIFY2(size.isValid() && size.width() <= thumbnail.width() &&
                     size.height() <= thumbnail.height(),
                 qPrintable(name));
    }
    QCOMPARE(hashes(pictures.path()), before);
    QCOMPARE(fx.responder().shown.size(), 2);  // the two dialogs, no message
    // The thumbnails hold the copies and their captions, but a save shows or hides nothing:
    // the set is seen once loaded.
    QCOMPARE(thumbViewer(form, 4)->fileName(), saved + "05  Rome.jpg");
    QCOMPARE(thumbCaption(form, 4)->text(), QStringLiteral("Rome"));
    QCOMPARE(shownCaptions(form), QStringList(12, QStringLiteral("-")));
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ClearSnapkeep")->isVisible());
    QVERIFY(!Control<QProgressBar>(form, "progb_1")->isVisible());
    fx.responder().folders.push_back(saved);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Memo"), Qt::LeftButton);
    QCOMPARE(shownCaptions(form).mid(3, 3), (QStringList{"Rome", "Rome", "-"}));

    // Clearing empties the strip and leaves every file.
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_ClearSnapkeep"), Qt::LeftButton);
    QCOMPARE(shownCaptions(form), QStringList(12, QStringLiteral("-")));
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ClearSnapkeep")->isVisible());
    QVERIFY(thumbViewer(form, 0)->fileName().isEmpty());
    QCOMPARE(FilesIn(saved).size(), 5);
}

void SnapkeepTest::savingFifteenSavesTwelveNamesFailuresAndAsksBeforeReplacing() {
    QTemporaryDir pictures;
    QTemporaryDir target;
    for (int i = 1; i <= 15; ++i) WritePicture(pictures.path(), numbered(i, "Naples") + ".jpg");
    QFile broken(pictures.filePath(numbered(3, "Naples") + ".jpg"));
    broken.open(QIODevice::WriteOnly | QIODevice::Truncate);
    broken.write("not a picture");
    broken.close();
    FormFixture fx;
    Form1& form = fx.start();
    loadFolder(fx, pictures.path());
    const auto before = hashes(pictures.path());
    fx.responder().shown.clear();

    fx.responder().dialogActions.push_back(browseTo(fx.responder(), target.path()));
    rightClick(Control<QPushButton>(form, "cb_Memo"));
    QCOMPARE(FilesIn(target.path()).size(), 11);
    QVERIFY(!FilesIn(target.path()).contains(numbered(3, "Naples") + ".jpg"));
    QCOMPARE(fx.responder().shown.size(), 4);  // dialog, browser, failures, the limit
    QVERIFY(fx.responder().shown[2].text.endsWith("\n03  Naples.jpg"));
    QCOMPARE(fx.responder().shown[3].caption, QStringLiteral("Snapkeep"));
    QCOMPARE(fx.responder().shown[3].text, form.message(kMessageOnlyTwelveSaved));
    QVERIFY(thumbViewer(form, 2)->fileName().isEmpty());
    QCOMPARE(thumbViewer(form, 11)->fileName(),
             target.path() + "/" + numbered(12, "Naples") + ".jpg");
    QCOMPARE(hashes(pictures.path()), before);

    // The same folder again: one question names the copies already there; No writes nothing.
    const auto copies = hashes(target.path());
    QFile::remove(pictures.filePath(numbered(3, "Naples") + ".jpg"));
    WritePicture(pictures.path(), numbered(3, "Naples") + ".jpg",
                 QStringLiteral("2024:05:01 10:00:00"));
    fx.responder().shown.clear();
    fx.responder().dialogActions.push_back(browseTo(fx.responder(), target.path()));
    fx.responder().answers.push_back(kAnswerNo);
    rightClick(Control<QPushButton>(form, "cb_Memo"));
    QCOMPARE(fx.responder().shown[2].kind, QStringLiteral("question"));
    QVERIFY(
        fx.responder().shown[2].text.contains("\n01  Naples.jpg\n02  Naples.jpg\n04  Naples.jpg"));
    QCOMPARE(fx.responder().shown.size(), 3);
    QCOMPARE(hashes(target.path()), copies);

    fx.responder().dialogActions.push_back(browseTo(fx.responder(), target.path()));
    fx.responder().answers.push_back(kAnswerYes);
    rightClick(Control<QPushButton>(form, "cb_Memo"));
    QCOMPARE(FilesIn(target.path()).size(), 12);
    QVERIFY(!thumbViewer(form, 2)->fileName().isEmpty());
}

void SnapkeepTest::savingIntoThePictureFolderThroughALinkIsRefused() {
    QTemporaryDir pictures;
    QTemporaryDir elsewhere;
    for (int i = 1; i <= 3; ++i) WritePicture(pictures.path(), numbered(i, "Plage") + ".jpg");
    // A copy named like a picture, with the picture's own extension, would replace it.
    const QString link = elsewhere.filePath(QStringLiteral("same"));
    QVERIFY(QFile::link(pictures.path(), link));
    FormFixture fx;
    Form1& form = fx.start();
    loadFolder(fx, pictures.path());
    const auto before = hashes(pictures.path());
    fx.responder().shown.clear();
    fx.responder().dialogActions.push_back(browseTo(fx.responder(), link));
    rightClick(Control<QPushButton>(form, "cb_Memo"));
    QCOMPARE(fx.responder().shown.size(), 3);
    QCOMPARE(fx.responder().shown[2].text, form.message(kMessageSnapkeepIntoPictureFolder));
    QCOMPARE(hashes(pictures.path()), before);
    QVERIFY(!thumbViewer(form, 0)->isVisible());
}

void SnapkeepTest::loadingTakesTheFirstTwelveJpegFilesInNameOrder() {
    FormFixture fx;
    Form1& form = fx.start();
    QPushButton* memo = Control<QPushButton>(form, "cb_Memo");
    // The first load finds no Snapkeep folder: it is made and the user is told, no browser.
    QTest::mouseClick(memo, Qt::LeftButton);
    const QString snapkeep =
        QString::fromStdString(DefaultSnapkeepFolder(form.programFolderPaths()));
    QVERIFY(QFileInfo(snapkeep).isDir());
    QCOMPARE(fx.responder().texts(), QStringList{form.message(kMessageCreateMemoFirst)});

    const QString set = snapkeep + "Italie";
    QDir().mkpath(set + "/00  Dossier.jpg");
    for (int i = 15; i >= 1; --i) {
        WritePicture(set, numbered(i, QStringLiteral("Lieu %1").arg(i)) + (i == 2   ? ".JPG"
                                                                           : i == 3 ? ".jpeg"
                                                                                    : ".jpg"));
    }
    WritePicture(set, QStringLiteral("00  Plan.png"));
    WritePicture(set, QStringLiteral(".00  cachée.jpg"));
    fx.responder().shown.clear();
    fx.responder().folders.push_back(set);
    QTest::mouseClick(memo, Qt::LeftButton);
    QCOMPARE(fx.responder().shown.size(), 1);
    QCOMPARE(fx.responder().shown[0].text,
             snapkeep.chopped(1));  // the browser opened on the folder
    QStringList expected;
    for (int i = 1; i <= 12; ++i) expected << QStringLiteral("Lieu %1").arg(i);
    QCOMPARE(shownCaptions(form), expected);
    QCOMPARE(thumbViewer(form, 2)->fileName(), set + "/03  Lieu 3.jpeg");
    QVERIFY(Control<QPushButton>(form, "pictbttn_ClearSnapkeep")->isVisible());

    // A cancelled browser leaves the strip; a folder without JPEG files empties it and says so.
    QTest::mouseClick(memo, Qt::LeftButton);
    QCOMPARE(shownCaptions(form), expected);
    QCOMPARE(fx.responder().shown.size(), 2);
    fx.responder().folders.push_back(snapkeep);
    QTest::mouseClick(memo, Qt::LeftButton);
    QCOMPARE(fx.responder().shown.last().text, form.message(kMessageNoMemoPictures));
    QCOMPARE(shownCaptions(form), QStringList(12, QStringLiteral("-")));
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ClearSnapkeep")->isVisible());
}

void SnapkeepTest::thumbnailClicksBuildTheCaptionAndDoubleClicksTakeTheFirstSlot() {
    QTemporaryDir set;
    WritePicture(set.path(), QStringLiteral("01  .jpg"));  // a thumbnail without caption
    WritePicture(set.path(), QStringLiteral("02  Rome.jpg"));
    WritePicture(set.path(), QStringLiteral("03  Naples.jpg"));
    WritePicture(set.path(), QStringLiteral("04  Naples.jpg"));
    QTemporaryDir pictures;
    const QString longCaption = QString(120, QChar(0xE9));
    WritePicture(pictures.path(), QStringLiteral("01  ") + longCaption + ".jpg");
    std::ofstream(QFile::encodeName(pictures.path()).toStdString() + "/02  Caf\xE9.jpg",
                  std::ios::binary)
        << JpegBytes().toStdString();
    FormFixture fx;
    Form1& form = fx.start();
    QLineEdit* caption = Control<QLineEdit>(form, "textb_Caption");
    QDir().mkpath(QString::fromStdString(DefaultSnapkeepFolder(form.programFolderPaths())));
    fx.responder().folders.push_back(set.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Memo"), Qt::LeftButton);
    ImageViewerControl* empty = thumbViewer(form, 0);
    ImageViewerControl* rome = thumbViewer(form, 1);

    QTest::mouseClick(rome, Qt::LeftButton);
    QCOMPARE(caption->text(), QStringLiteral("Rome"));
    QTRY_VERIFY(caption->hasFocus());
    caption->setText(QStringLiteral("Vacances"));
    QTest::mouseClick(rome, Qt::LeftButton);
    QCOMPARE(caption->text(), QStringLiteral("Vacances, Rome"));
    QTest::mouseClick(empty, Qt::LeftButton);
    QCOMPARE(caption->text(), QStringLiteral("Vacances, Rome"));

    // A double click takes back out the caption its own first click added, with the ", " before
    // it, and leaves the one clicked before; with nothing in the first slot the thumbnail is
    // emptied, and stays where it is.
    doubleClick(rome);
    QCOMPARE(caption->text(), QStringLiteral("Vacances, Rome"));
    QVERIFY(rome->fileName().isEmpty());
    QVERIFY(rome->isVisible());
    QTest::mouseClick(rome, Qt::LeftButton);
    QCOMPARE(caption->text(), QStringLiteral("Vacances, Rome"));
    // Only the item its click added goes, never the same text within another item; emptying
    // the box disables the clear-captions button, even with captions in the list.
    caption->setText(QStringLiteral("Vacances à Naples"));
    doubleClick(thumbViewer(form, 2));
    QCOMPARE(caption->text(), QStringLiteral("Vacances à Naples"));
    AddItemFromBytes(Control<QComboBox>(form, "combo_Captions"), "Venise");
    caption->clear();
    QVERIFY(Control<QPushButton>(form, "pictbttn_ClearCaptions")->isEnabled());
    doubleClick(thumbViewer(form, 3));
    QVERIFY(caption->text().isEmpty());
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ClearCaptions")->isEnabled());

    // With a picture in the first slot, the thumbnail takes it and its caption, cut to 99
    // characters.
    loadFolder(fx, pictures.path());
    Control<QListWidget>(form, "lb_Avant")->item(0)->setSelected(true);
    QCOMPARE(Control<ImageViewerControl>(form, "ImageV_1")->fileName(),
             pictures.path() + "/01  " + longCaption + ".jpg");
    doubleClick(empty);
    QCOMPARE(empty->fileName(), Control<ImageViewerControl>(form, "ImageV_1")->fileName());
    QCOMPARE(thumbCaption(form, 0)->text(), longCaption.left(99));
    caption->clear();
    QTest::mouseClick(empty, Qt::LeftButton);
    QCOMPARE(caption->text(), longCaption.left(99));

    // A caption whose bytes are not UTF-8 reaches the caption box, and from there a name,
    // with its own bytes.
    Control<QListWidget>(form, "lb_Avant")->item(0)->setSelected(false);
    Control<QListWidget>(form, "lb_Avant")->item(1)->setSelected(true);
    doubleClick(rome);
    caption->clear();
    QTest::mouseClick(rome, Qt::LeftButton);
    QCOMPARE(TextBytes(caption), std::string("Caf\xE9"));
    QTest::mouseClick(empty, Qt::LeftButton);
    QCOMPARE(TextBytes(caption), std::string("Caf\xE9, ") + longCaption.left(99).toStdString());
    // QTemporaryDir cannot remove a name that is not UTF-8.
    std::remove((QFile::encodeName(pictures.path()).toStdString() + "/02  Caf\xE9.jpg").c_str());
}

void SnapkeepTest::aDefaultFolderThatCannotBeMadeStillLetsTheUserLoadASet() {
    QTemporaryDir set;
    WritePicture(set.path(), QStringLiteral("01  Rome.jpg"));
    FormFixture fx;
    Form1& form = fx.start();
    // A file stands where the folder would be: it can be neither listed nor made (even by root).
    const QString snapkeep =
        QString::fromStdString(DefaultSnapkeepFolder(form.programFolderPaths()));
    QFile file(snapkeep.chopped(1));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    fx.responder().folders.push_back(set.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Memo"), Qt::LeftButton);
    QCOMPARE(fx.responder().shown.size(), 1);
    QCOMPARE(fx.responder().shown[0].kind, QStringLiteral("browse"));
    QCOMPARE(fx.responder().shown[0].text,
             QString::fromStdString(BrowserStartFolder(HomeFolder())));
    QCOMPARE(shownCaptions(form).first(), QStringLiteral("Rome"));
}

void SnapkeepTest::aOnePictureSaveRunsTheProgressBarFromZeroToOneOfOne() {
    QTemporaryDir pictures;
    QTemporaryDir target;
    WritePicture(pictures.path(), numbered(1, "Rome") + ".jpg");
    FormFixture fx;
    Form1& form = fx.start();
    QProgressBar* progress = Control<QProgressBar>(form, "progb_1");
    loadFolder(fx, pictures.path());
    // Where a longer operation left the bar.
    progress->setRange(0, 500);
    progress->setValue(250);
    QList<QPair<int, int>> steps;  // value, maximum
    QObject::connect(progress, &QProgressBar::valueChanged, [&](int value) {
        steps.append({value, progress->maximum()});
    });
    fx.responder().dialogActions.push_back(browseTo(fx.responder(), target.path()));
    rightClick(Control<QPushButton>(form, "cb_Memo"));
    QCOMPARE(FilesIn(target.path()).size(), 1);
    QCOMPARE(steps, (QList<QPair<int, int>>{{0, 1}, {1, 1}}));
    QVERIFY(!progress->isVisible());
}

QTEST_MAIN(SnapkeepTest)
#include "snapkeepstrip_test.moc"
