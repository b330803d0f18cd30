// The picture buttons of the real window, clicked as a user would: the three turns on the
// picture of slot 1, and delete to the Trash with its questions and the selection afterwards;
// the files on disk are checked after each click. Every test runs with a home folder and a
// home trash of its own (HOME and XDG_DATA_HOME, read at each move to the Trash).
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "../core/namingfolder.h"
#include "../core/turnjpegs.h"
#include "core/picturefile/jpegsegments.h"
#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "gui/pictures/formgetfolder.h"
#include "gui/pictures/picturesarea.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "reencoding/turnbyencoding.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), qint64(bytes.size()));
}

QStringList listed(QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
}

void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

// A loaded folder of pictures in the window.
struct Loaded {
    explicit Loaded(const QStringList& names) {
        for (const QString& name : names) WritePicture(dir.path(), name + ".jpg", name);
    }
    Form1& start() {
        fx.start();
        fx.responder().folders.push_back(dir.path());
        QTest::mouseClick(Control<QPushButton>(fx.form(), "cb_Dossier"), Qt::LeftButton);
        fx.form().activateWindow();
        return fx.form();
    }
    QString path(const QString& name) const { return dir.path() + "/" + name + ".jpg"; }
    QTemporaryDir dir;
    FormFixture fx;
};

}  // namespace

class PictureOperationsTest : public QObject {
    Q_OBJECT
    // The home folder, on the volume of the test's picture folders, so that their pictures go
    // to the home trash of <home>/share rather than to a trash at the top of another volume.
    QTemporaryDir home;
    QString trash() const { return home.filePath("share/Trash"); }
private slots:
    void initTestCase();
    void eachTurnButtonTurnsThePictureOfSlotOneOnly();
    void turnThatCannotBeWrittenSaysSoAndKeepsThePicture();
    void otherTypesAreTurnedWithoutLosingPagesFramesOrQuality();
    void deleteAsksThenSelectsTheCaretEntryOrNothing();
    void deletedPictureLiesInTheTrashWithItsRecordAndComesBackWhole();
    void trashThatCannotTakeThePictureAsksBeforeDeletingPermanently();
    void enterOnTheRealQuestionsKeepsThePictureTheTrashCannotTake();
    void transferMovesTheSelectionAndRemembersTheParentFolder();
    void fileCountFollowsATransferOfEveryPicture();
    void pictureWhoseNameIsNotUtf8IsShownTurnedAndDeleted();
};

void PictureOperationsTest::initTestCase() {
    QVERIFY(home.isValid());
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("share")));
}

// A portrait taken with the camera on its side: stored landscape, Exif orientation 6.
void PictureOperationsTest::eachTurnButtonTurnsThePictureOfSlotOneOnly() {
    Loaded folder({"01  a", "02  b"});
    writeFile(
        folder.path("01  a"),
        turnjpegs::QuarterJpeg(64, 48, turnjpegs::ExifSegment(6, "2006:05:12 14:23:44", 64, 48)));
    // Its raw file and sidecar are never rewritten by a turn.
    for (const char* companion : {"01  a.NEF", "01  a.xmp"})
        writeFile(folder.dir.filePath(companion), std::string("raw or sidecar ") + companion);
    Form1& form = folder.start();
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    // Nothing in slot 1: nothing to turn, and no turn button is offered.
    QVERIFY(!Control<QPushButton>(form, "pictbttn_090")->isVisible() &&
            !Control<QPushButton>(form, "pictbttn_090")->isEnabled());
    form.picturesArea().RotatePicture(90);
    clickRow(list, 0);
    clickRow(list, 1, Qt::ShiftModifier);
    QVERIFY(Control<QPushButton>(form, "pictbttn_180")->isVisible() &&
            Control<QPushButton>(form, "pictbttn_180")->isEnabled());
    QCOMPARE(Control<ImageViewerControl>(form, "ImageV_1")->pictureWidth(), 48);  // shown upright
    const QByteArray other = readFile(folder.path("02  b"));
    struct {
        QPushButton* button;
        int width, height;
        std::array<int, 4> quarters;  // of the stored pixels, now shown as they are
    } steps[] = {
        {Control<QPushButton>(form, "pictbttn_090"), 64, 48, {3, 2, 1, 0}},
        {Control<QPushButton>(form, "pictbttn_180"), 64, 48, {0, 1, 2, 3}},
        {Control<QPushButton>(form, "pictbttn_270"), 48, 64, {1, 3, 0, 2}},
    };
    for (const auto& step : steps) {
        Control<QLineEdit>(form, "textb_Caption")->setFocus();
        QTest::mouseClick(step.button, Qt::LeftButton);
        const std::string turned = readFile(folder.path("01  a")).toStdString();
        QCOMPARE(ExifOrientation(turned), 1);
        const turnjpegs::Decoded d = turnjpegs::Decode(turned);
        QCOMPARE(d.width, step.width);
        QCOMPARE(d.height, step.height);
        for (int q = 0; q < 4; ++q)
            QVERIFY(turnjpegs::Near(d.quarter(q), turnjpegs::kQuarters[step.quarters[q]]));
        QCOMPARE(Control<ImageViewerControl>(form, "ImageV_1")->pictureWidth(),
                 step.width);  // slot 1 shows the turned file
        QCOMPARE(form.naming().mainWindowState(), WindowState::PicturesSelected);
        QCOMPARE(list->selectedItems().size(), 2);
        QTRY_VERIFY(list->hasFocus());
    }
    QCOMPARE(readFile(folder.path("02  b")), other);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Tout"),
                      Qt::LeftButton);  // both were selected: unselects all
    QVERIFY(!Control<QPushButton>(form, "pictbttn_270")->isVisible());
    QCOMPARE(FilesIn(folder.dir.path()),
             (QStringList{"01  a.NEF", "01  a.jpg", "01  a.xmp", "02  b.jpg"}));
    for (const char* companion : {"01  a.NEF", "01  a.xmp"})
        QCOMPARE(readFile(folder.dir.filePath(companion)),
                 QByteArray("raw or sidecar ") + companion);
    QCOMPARE(folder.fx.responder().shown.size(), 1);  // the folder browser, and no message
}

void PictureOperationsTest::turnThatCannotBeWrittenSaysSoAndKeepsThePicture() {
    Loaded folder({"01  a"});
    Form1& form = folder.start();
    clickRow(Control<QListWidget>(form, "lb_Avant"), 0);
    const QByteArray before = readFile(folder.path("01  a"));
    {
        FrozenFolder frozen(folder.dir.path().toStdString() + "/");
        if (!frozen.active()) QSKIP("this system lets us write into a read-only folder");
        QTest::mouseClick(Control<QPushButton>(form, "pictbttn_180"), Qt::LeftButton);
    }
    QCOMPARE(readFile(folder.path("01  a")), before);
    QCOMPARE(FilesIn(folder.dir.path()), QStringList{"01  a.jpg"});
    const QString said = folder.fx.responder().shown.last().text;
    QVERIFY2(said.startsWith(form.message(kMessageTurnFailed) + "\n" + folder.path("01  a")),
             qPrintable(said));
}

// Other types are encoded again by the turn, which never leaves less than the file held: pages
// or frames after the first would be lost, so such files are refused; a lossless WebP stays
// lossless, a compressed TIFF compressed; a file with other names is refused as a JPEG file is.
void PictureOperationsTest::otherTypesAreTurnedWithoutLosingPagesFramesOrQuality() {
    QTemporaryDir dir;
    const QTransform right = QTransform().rotate(90);
    QImage image(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) image.setPixel(x, y, qRgb(x * 6, y * 12, (x * y) % 256));
    }
    const QString png = dir.filePath("wide.png");
    QVERIFY(image.save(png, "PNG"));
    chmod(QFile::encodeName(png).constData(), 0600);
    QVERIFY(TurnByEncodingAgain(PathBytes(png), 90).ok());
    QCOMPARE(QImage(png, "PNG").convertToFormat(QImage::Format_RGB32), image.transformed(right));
    struct stat st;
    QCOMPARE(stat(QFile::encodeName(png).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0600u);

    const QString webp = dir.filePath("lossless.webp");
    QImageWriter lossless(webp, "webp");
    lossless.setQuality(100);
    QVERIFY(lossless.write(image) && readFile(webp).contains("VP8L"));
    QVERIFY(TurnByEncodingAgain(PathBytes(webp), 90).ok());
    QVERIFY(readFile(webp).contains("VP8L"));
    QCOMPARE(QImage(webp, "webp").convertToFormat(QImage::Format_RGB32), image.transformed(right));

    // Stored whole, 200 x 100 plain pixels take 60,000 bytes; compressed, a few hundred.
    const QString tiff = dir.filePath("compressed.tif");
    QImage plain(200, 100, QImage::Format_RGB32);
    plain.fill(Qt::darkGreen);
    QImageWriter lzw(tiff, "tiff");
    lzw.setCompression(1);
    QVERIFY(lzw.write(plain) && QFileInfo(tiff).size() < 6000);
    QVERIFY(TurnByEncodingAgain(PathBytes(tiff), 90).ok());
    QCOMPARE(QImage(tiff, "tiff").size(), QSize(100, 200));
    QVERIFY2(QFileInfo(tiff).size() < 6000, qPrintable(QString::number(QFileInfo(tiff).size())));

    QStringList colours;
    for (const char* colour : {"red", "green", "blue"}) {
        colours << dir.filePath(QStringLiteral("%1.png").arg(colour));
        QCOMPARE(QProcess::execute(
                     "convert", {"-size", "12x8", QStringLiteral("xc:") + colour, colours.last()}),
                 0);
    }
    const QStringList twoFrames = QStringList{"-delay", "20"} + colours.mid(0, 2);
    QCOMPARE(QProcess::execute("convert", colours + QStringList{dir.filePath("pages.tif")}), 0);
    QCOMPARE(QProcess::execute("convert", twoFrames + QStringList{dir.filePath("frames.gif")}), 0);
    QCOMPARE(QProcess::execute("convert", twoFrames + QStringList{dir.filePath("frames.webp")}), 0);
    QCOMPARE(link(QFile::encodeName(png).constData(),
                  QFile::encodeName(dir.filePath("linked.png")).constData()),
             0);
    using Why = TurnPictureResult::Why;
    const struct {
        const char* name;
        TurnPictureResult::Status status;
        Why why;
        FileRefusal refusal;
    } refused[] = {
        {"pages.tif", TurnPictureResult::Status::CannotTurn, Why::SeveralPictures,
         FileRefusal::None},
        {"frames.gif", TurnPictureResult::Status::CannotTurn, Why::SeveralPictures,
         FileRefusal::None},
        {"frames.webp", TurnPictureResult::Status::CannotTurn, Why::SeveralPictures,
         FileRefusal::None},
        {"linked.png", TurnPictureResult::Status::NotWritten, Why::None, FileRefusal::OtherNames},
    };
    for (const auto& row : refused) {
        const QString path = dir.filePath(row.name);
        const QByteArray before = readFile(path);
        const TurnPictureResult result = TurnByEncodingAgain(PathBytes(path), 90);
        QVERIFY2(result.status == row.status && result.why == row.why &&
                     result.file.refusal == row.refusal,
                 row.name);
        QCOMPARE(readFile(path), before);
    }
}

void PictureOperationsTest::deleteAsksThenSelectsTheCaretEntryOrNothing() {
    Loaded folder({"01  a", "02  b", "03  c", "04  d", "05  e"});
    Form1& form = folder.start();
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    QPushButton* del = Control<QPushButton>(form, "pictbttn_Del");
    ScriptedResponder& responder = folder.fx.responder();
    clickRow(list, 2);  // the middle
    responder.answers.push_back(kAnswerYes);
    QTest::mouseClick(del, Qt::LeftButton);
    QCOMPARE(responder.shown.last().caption, QStringLiteral("Delete file"));
    QCOMPARE(responder.shown.last().text, QStringLiteral("Move '03  c' to the Trash?"));
    QCOMPARE(FilesIn(folder.dir.path()),
             (QStringList{"01  a.jpg", "02  b.jpg", "04  d.jpg", "05  e.jpg"}));
    QCOMPARE(listed(list), (QStringList{"01  a", "02  b", "04  d", "05  e"}));
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(list->selectedItems()[0]->text(), QStringLiteral("04  d"));
    QCOMPARE(Control<ImageViewerControl>(form, "ImageV_1")->fileName(), folder.path("04  d"));
    QCOMPARE(Control<QLineEdit>(form, "textb_1C")->text(), QStringLiteral("04  d"));
    QCOMPARE(form.naming().mainWindowState(), WindowState::PicturesSelected);
    QTRY_VERIFY(list->hasFocus());

    // The second-to-last place: afterwards nothing is selected, and slot 1 is empty.
    clickRow(list, 2);
    responder.answers.push_back(kAnswerYes);
    QTest::mouseClick(del, Qt::LeftButton);
    QCOMPARE(listed(list), (QStringList{"01  a", "02  b", "05  e"}));
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(Control<ImageViewerControl>(form, "ImageV_1")->fileName().isEmpty());
    QVERIFY(!del->isEnabled());

    // No, on the last place after an order by date: nothing deleted, the list back in name order.
    WritePicture(folder.dir.path(), "00  z.jpg", "2999:01:01 00:00:00");
    QTest::mouseClick(Control<QPushButton>(form, "cb_Tout"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Tout"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Sort"), Qt::LeftButton);
    QCOMPARE(listed(list).last(), QStringLiteral("00  z"));
    clickRow(list, 3);
    responder.answers.push_back(kAnswerNo);
    QTest::mouseClick(del, Qt::LeftButton);
    QCOMPARE(listed(list), (QStringList{"00  z", "01  a", "02  b", "05  e"}));
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(FilesIn(folder.dir.path()).size(), 4);
    QCOMPARE(Control<QPushButton>(form, "cb_Sort")->text(), form.message(kMessageSortByDate));
}

// The file manager restores from the record in Trash/info: the original path, URL-escaped
// (a name with a space, '%' and an accent), and the deletion date.
void PictureOperationsTest::deletedPictureLiesInTheTrashWithItsRecordAndComesBackWhole() {
    const QString name = QStringLiteral("02  Café 100%");
    Loaded folder({"01  a", name});
    const QByteArray bytes = readFile(folder.path(name));
    Form1& form = folder.start();
    clickRow(Control<QListWidget>(form, "lb_Avant"), 1);
    const qsizetype shownBefore = folder.fx.responder().shown.size();
    folder.fx.responder().answers.push_back(kAnswerYes);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_Del"), Qt::LeftButton);
    QCOMPARE(folder.fx.responder().shown.size(), shownBefore + 1);  // no second question
    QCOMPARE(FilesIn(folder.dir.path()), QStringList{"01  a.jpg"});
    const QString inTrash = trash() + "/files/" + name + ".jpg";
    QCOMPARE(readFile(inTrash), bytes);

    const QList<QByteArray> record =
        readFile(trash() + "/info/" + name + ".jpg.trashinfo").split('\n');
    QCOMPARE(record.value(0), QByteArray("[Trash Info]"));
    const QByteArray escaped = QFile::encodeName(folder.path(name)).toPercentEncoding("/");
    QVERIFY(escaped.contains("%20%20Caf%C3%A9%20100%25.jpg"));
    QVERIFY(record.contains("Path=" + escaped));
    const QRegularExpression date("^DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$");
    QCOMPARE(QStringList(QString::fromUtf8(record.join('\n')).split('\n')).filter(date).size(), 1);

    QVERIFY(QFile::rename(inTrash, folder.path(name)));
    QCOMPARE(readFile(folder.path(name)), bytes);
}

// A home trash under a regular file cannot be made: a second question asks, No keeps the
// picture where it was (and puts nothing in the working folder), Yes deletes it for good.
void PictureOperationsTest::trashThatCannotTakeThePictureAsksBeforeDeletingPermanently() {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    writeFile(home.filePath("regular"), "x");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("regular/share")));
    Loaded folder({"01  a", "02  b"});
    Form1& form = folder.start();
    ScriptedResponder& responder = folder.fx.responder();
    for (const int answer : {kAnswerNo, kAnswerYes}) {
        clickRow(Control<QListWidget>(form, "lb_Avant"), 0);
        responder.answers = {kAnswerYes, answer};
        QTest::mouseClick(Control<QPushButton>(form, "pictbttn_Del"), Qt::LeftButton);
        QCOMPARE(responder.shown.last().caption, QStringLiteral("Delete file"));
        QVERIFY2(responder.shown.last().text.startsWith(
                     form.message(kMessageTrashFailedDeletePermanently) + "\n" +
                     folder.path("01  a") + "\n("),
                 qPrintable(responder.shown.last().text));
        QCOMPARE(FilesIn(folder.dir.path()).contains("01  a.jpg"), answer == kAnswerNo);
        QVERIFY(!QFileInfo::exists(QDir::current().filePath("files/01  a.jpg")));
    }
    QCOMPARE(listed(Control<QListWidget>(form, "lb_Avant")), QStringList{"02  b"});
    qputenv("XDG_DATA_HOME", dataHome);
}

// With the real message boxes, Enter answers each question with its default button: Yes to the
// Trash, then No to deleting for good, asked with the warning icon. The picture stays.
void PictureOperationsTest::enterOnTheRealQuestionsKeepsThePictureTheTrashCannotTake() {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    writeFile(home.filePath("regular"), "x");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("regular/share")));
    Loaded folder({"01  a", "02  b"});
    Form1& form = folder.start();
    clickRow(Control<QListWidget>(form, "lb_Avant"), 0);
    SetDialogService(nullptr);
    QList<QMessageBox::Icon> icons;
    QTimer enter;
    connect(&enter, &QTimer::timeout, [&icons] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->property("answered").toBool()) return;
        box->setProperty("answered", true);
        icons << box->icon();
        QTest::keyClick(box, Qt::Key_Return);
    });
    enter.start(20);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_Del"), Qt::LeftButton);
    enter.stop();
    qputenv("XDG_DATA_HOME", dataHome);
    QCOMPARE(icons, (QList<QMessageBox::Icon>{QMessageBox::Information, QMessageBox::Warning}));
    QCOMPARE(FilesIn(folder.dir.path()), (QStringList{"01  a.jpg", "02  b.jpg"}));
}

// Chooses `folder` in the folder dialog through its browse button, noting the folder it opened on.
std::function<int(QDialog&)> chooseFolder(ScriptedResponder& responder, const QString& folder,
                                          QString* openedOn) {
    return [&responder, folder, openedOn](QDialog& dialog) {
        auto& form = static_cast<FormGetFolder&>(dialog);
        *openedOn = Control<QLineEdit>(form, "textb_GetFolder")->text();
        responder.folders.push_back(folder);
        QTest::mouseClick(Control<QPushButton>(form, "cb_Browse"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(form, "cb_OK"), Qt::LeftButton);
        return dialog.result();
    };
}

void PictureOperationsTest::transferMovesTheSelectionAndRemembersTheParentFolder() {
    Loaded folder({"01  a", "02  b", "03  c", "04  d"});
    QTemporaryDir elsewhere;
    const QString rome = elsewhere.filePath("Rome");
    QVERIFY(QDir().mkpath(rome));
    WritePicture(rome, "02  b.jpg", "already there");
    Form1& form = folder.start();
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    ScriptedResponder& responder = folder.fx.responder();
    clickRow(list, 1);
    clickRow(list, 2, Qt::ShiftModifier);
    QString openedOn;
    responder.dialogActions.push_back(chooseFolder(responder, rome, &openedOn));
    QTest::mouseClick(Control<QPushButton>(form, "cb_VersDossier"), Qt::LeftButton);
    QCOMPARE(openedOn, QDir::homePath() + "/");
    QCOMPARE(FilesIn(folder.dir.path()), (QStringList{"01  a.jpg", "04  d.jpg"}));
    QCOMPARE(FilesIn(rome), (QStringList{"02  b (2).jpg", "02  b.jpg", "03  c.jpg"}));
    QCOMPARE(readFile(rome + "/02  b (2).jpg"), JpegBytes("02  b"));
    QCOMPARE(readFile(rome + "/02  b.jpg"), JpegBytes("already there"));
    QCOMPARE(listed(list), (QStringList{"01  a", "04  d"}));
    QCOMPARE(form.naming().mainWindowState(), WindowState::NothingSelected);
    QVERIFY(Control<ImageViewerControl>(form, "ImageV_1")->fileName().isEmpty() &&
            Control<ImageViewerControl>(form, "ImageV_2")->fileName().isEmpty());
    QVERIFY(!Control<QProgressBar>(form, "progb_1")->isVisible());
    QVERIFY(folder.fx.readSettings().contains(("\r\n" + elsewhere.path() + "/\r\n").toUtf8()));

    // The picture folder through a link: nothing moves, nothing is said, and the dialog opened
    // on the parent of the last destination.
    const QString link = elsewhere.filePath("link");
    QVERIFY(QFile::link(folder.dir.path(), link));
    clickRow(list, 0);
    const int shownBefore = responder.shown.size();
    responder.dialogActions.push_back(chooseFolder(responder, link, &openedOn));
    QTest::mouseClick(Control<QPushButton>(form, "cb_VersDossier"), Qt::LeftButton);
    QCOMPARE(openedOn, elsewhere.path() + "/");
    QCOMPARE(FilesIn(folder.dir.path()), (QStringList{"01  a.jpg", "04  d.jpg"}));
    QCOMPARE(responder.shown.size(), shownBefore + 2);  // the dialog and its browser only

    // A destination that refuses the copies: each picture stays, and one message names them.
    const QString frozenPath = elsewhere.filePath("Frozen");
    QVERIFY(QDir().mkpath(frozenPath));
    FrozenFolder frozen(frozenPath.toStdString() + "/");
    if (!frozen.active()) QSKIP("this system lets us write into a read-only folder");
    QTest::mouseClick(Control<QPushButton>(form, "cb_Tout"), Qt::LeftButton);
    responder.dialogActions.push_back(chooseFolder(responder, frozenPath, &openedOn));
    QTest::mouseClick(Control<QPushButton>(form, "cb_VersDossier"), Qt::LeftButton);
    QCOMPARE(FilesIn(folder.dir.path()), (QStringList{"01  a.jpg", "04  d.jpg"}));
    const QString said = responder.shown.last().text;
    QVERIFY2(said.startsWith(form.message(kMessageCopyFailed) + "\n" + folder.path("01  a")),
             qPrintable(said));
    QVERIFY(said.contains(folder.path("04  d")));
    QCOMPARE(form.naming().mainWindowState(), WindowState::NothingSelected);
}

// Every picture moved out: the list and the count of files both say none are left.
void PictureOperationsTest::fileCountFollowsATransferOfEveryPicture() {
    Loaded folder({"01  a", "02  b", "03  c"});
    QTemporaryDir elsewhere;
    Form1& form = folder.start();
    auto* count = Control<QLineEdit>(form, "textb_FichiersAuDossier");
    QCOMPARE(count->text(), QStringLiteral("3"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Tout"), Qt::LeftButton);
    QString openedOn;
    ScriptedResponder& responder = folder.fx.responder();
    responder.dialogActions.push_back(chooseFolder(responder, elsewhere.path(), &openedOn));
    QTest::mouseClick(Control<QPushButton>(form, "cb_VersDossier"), Qt::LeftButton);
    QCOMPARE(FilesIn(folder.dir.path()), QStringList());
    QCOMPARE(FilesIn(elsewhere.path()), (QStringList{"01  a.jpg", "02  b.jpg", "03  c.jpg"}));
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->count(), 0);
    QCOMPARE(count->text(), QStringLiteral("0"));
}

// Names from old cameras and archives may hold bytes that are not UTF-8: the picture is still
// shown, turned and deleted under its own name, and no other file is touched.
void PictureOperationsTest::pictureWhoseNameIsNotUtf8IsShownTurnedAndDeleted() {
    for (const std::string& bytes : {std::string("Caf\xE9 \xFF\xC3(.jpg"),
                                     std::string("\xED\xA0\x80 \xC0\xAF \xF4\x90\x80\x80")}) {
        QCOMPARE(PathBytes(PathText(bytes)), bytes);
    }
    Loaded folder({"02  b"});
    const std::string odd = QFile::encodeName(folder.dir.path()).toStdString() + "/01  Caf\xE9.jpg";
    {
        std::ofstream out(odd, std::ios::binary);
        out << turnjpegs::QuarterJpeg(64, 48, std::string());
    }
    Form1& form = folder.start();
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->count(), 2);
    clickRow(Control<QListWidget>(form, "lb_Avant"), 0);
    QCOMPARE(PathBytes(Control<ImageViewerControl>(form, "ImageV_1")->fileName()), odd);
    QCOMPARE(Control<ImageViewerControl>(form, "ImageV_1")->pictureWidth(), 64);

    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_090"), Qt::LeftButton);
    std::ifstream in(odd, std::ios::binary);
    const turnjpegs::Decoded turned =
        turnjpegs::Decode(std::string(std::istreambuf_iterator<char>(in), {}));
    QCOMPARE(turned.width, 48);
    QCOMPARE(turned.height, 64);
    QCOMPARE(Control<ImageViewerControl>(form, "ImageV_1")->pictureWidth(), 48);

    // The Trash records names as text: this one is deleted permanently after the second yes.
    folder.fx.responder().answers = {kAnswerYes, kAnswerYes};
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_Del"), Qt::LeftButton);
    QVERIFY(folder.fx.responder().shown.last().text.startsWith(
        form.message(kMessageTrashFailedDeletePermanently)));
    QCOMPARE(access(odd.c_str(), F_OK), -1);
    QCOMPARE(FilesIn(folder.dir.path()), QStringList{"02  b.jpg"});
    QCOMPARE(listed(Control<QListWidget>(form, "lb_Avant")), QStringList{"02  b"});
}

QTEST_MAIN(PictureOperationsTest)
#include "pictureoperations_test.moc"
