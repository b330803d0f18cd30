// A folder of HEIC pictures, as phones write them, in the real window: shown upright in the
// slots, the single-picture window and the Snapkeep copies, refused by a turn, and renamed.
#include <libheif/heif.h>

#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/messagekeys.h"
#include "gui/pictures/formgetfolder.h"
#include "gui/pictures/formphoto.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

// A TIFF block (little-endian) whose first directory holds only an orientation.
QByteArray exifWithOrientation(int orientation) {
    QByteArray block("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24);
    block.append(char(orientation)).append(QByteArray(7, '\0'));
    return block;
}

// A 240 x 120 picture, red on its left half and blue on its right, stored as a HEIC file whose
// container turns it as `containerTurn` says (Exif-style orientation, 1 for none), carrying an
// Exif block whose orientation is `exifOrientation` and, as phones do, a small copy of at most
// `thumbnail` pixels a side, turned the same way (none for 0).
void writeHeic(const QString& path, heif_orientation containerTurn, int exifOrientation,
               int thumbnail) {
    heif_image* image = nullptr;
    heif_image_create(240, 120, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, 240, 120, 8);
    int stride = 0;
    uint8_t* pixels = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 240; ++x) {
            uint8_t* pixel = pixels + y * stride + x * 3;
            pixel[0] = x < 120 ? 220 : 20;
            pixel[1] = 20;
            pixel[2] = x < 120 ? 20 : 220;
        }
    }
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = containerTurn;
    heif_image_handle* handle = nullptr;
    QCOMPARE(heif_context_encode_image(context, image, encoder, options, &handle).code,
             heif_error_Ok);
    heif_image_handle* small = nullptr;
    if (thumbnail > 0) {
        QCOMPARE(heif_context_encode_thumbnail(context, image, handle, encoder, options, thumbnail,
                                               &small)
                     .code,
                 heif_error_Ok);
        heif_image_handle_release(small);
    }
    const QByteArray exif = exifWithOrientation(exifOrientation);
    heif_context_add_exif_metadata(context, handle, exif.constData(), int(exif.size()));
    QCOMPARE(heif_context_write_to_file(context, QFile::encodeName(path).constData()).code,
             heif_error_Ok);
    heif_image_handle_release(handle);
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    heif_image_release(image);
    heif_context_free(context);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Which side of the picture is red: the colours at a quarter and three quarters along the
// middle lines of the area where the picture stands.
QString redSide(const QImage& shown, QRect picture) {
    const auto reddish = [&](QPoint at) {
        const QColor colour = shown.pixelColor(at);
        return colour.red() > 150 && colour.blue() < 100;
    };
    const QPoint centre = picture.center();
    const int dx = picture.width() / 4, dy = picture.height() / 4;
    if (reddish(centre - QPoint(0, dy)) && !reddish(centre + QPoint(0, dy))) return "top";
    if (reddish(centre - QPoint(dx, 0)) && !reddish(centre + QPoint(dx, 0))) return "left";
    return "elsewhere";
}

// What a viewer shows: its picture's size and where its red half stands on the screen.
QString shownIn(ImageViewerControl* viewer) {
    const QSize picture(viewer->pictureWidth(), viewer->pictureHeight());
    const QSize fitted = picture.scaled(viewer->size(), Qt::KeepAspectRatio);
    const QRect area(
        QPoint((viewer->width() - fitted.width()) / 2, (viewer->height() - fitted.height()) / 2),
        fitted);
    return QStringLiteral("%1x%2 red %3")
        .arg(picture.width())
        .arg(picture.height())
        .arg(picture.isEmpty() ? "nowhere" : redSide(viewer->grab().toImage(), area));
}

QString shownIn(const QString& jpegCopy) {
    const QImage image(jpegCopy);
    return QStringLiteral("%1x%2 red %3")
        .arg(image.width())
        .arg(image.height())
        .arg(redSide(image, image.rect()));
}

void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

}  // namespace

class HeicPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void heicPicturesShowUprightOnceEverywhereAreNotTurnedAndAreRenamed();
};

// A phone stores its pixels as the sensor saw them and turns them by the container (and says so
// in its Exif block too); an encoder fed a camera JPEG keeps that JPEG's Exif orientation but
// turns nothing. Either way the Exif orientation must not be applied on top of the container.
void HeicPicturesTest::heicPicturesShowUprightOnceEverywhereAreNotTurnedAndAreRenamed() {
    QTemporaryDir dir;
    const QString phone = dir.filePath("01  Phone.heic");
    const QString encoded = dir.filePath("02  Encoded.heic");
    writeHeic(phone, heif_orientation_rotate_90_cw, 6, 160);
    writeHeic(encoded, heif_orientation_normal, 6, 0);
    const QByteArray phoneBytes = readFile(phone);
    const QByteArray encodedBytes = readFile(encoded);

    FormFixture fx;
    Form1& form = fx.start();
    Control<QLineEdit>(form, "textb_FileType")->setText(QStringLiteral("heic"));
    fx.responder().folders.push_back(dir.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->count(), 2);
    clickRow(Control<QListWidget>(form, "lb_Avant"), 0);
    clickRow(Control<QListWidget>(form, "lb_Avant"), 1, Qt::ShiftModifier);
    QCOMPARE(shownIn(Control<ImageViewerControl>(form, "ImageV_1")),
             QStringLiteral("120x240 red top"));
    QCOMPARE(shownIn(Control<ImageViewerControl>(form, "ImageV_2")),
             QStringLiteral("240x120 red left"));

    // A turn would encode the picture again: it is refused, and says why.
    fx.responder().shown.clear();
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_090"), Qt::LeftButton);
    QCOMPARE(fx.responder().shown.size(), 1);
    const QString said = fx.responder().shown.last().text;
    QVERIFY2(said.startsWith(form.message(kMessageTurnFailed) + "\n" + phone), qPrintable(said));
    QVERIFY2(said.contains("HEIF pictures cannot be turned without loss"), qPrintable(said));
    QCOMPARE(readFile(phone), phoneBytes);
    QCOMPARE(shownIn(Control<ImageViewerControl>(form, "ImageV_1")),
             QStringLiteral("120x240 red top"));

    // The Snapkeep copies are JPEG pictures at the size of a thumbnail, for which the phone's
    // own small copy serves: it comes upright too.
    QTemporaryDir copies;
    fx.responder().dialogActions.push_back([&](QDialog& dialog) {
        fx.responder().folders.push_back(copies.path() + "/");
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_Browse"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(Control<QPushButton>(form, "cb_Memo"), Qt::RightButton);
    QCOMPARE(shownIn(copies.filePath("01  Phone.jpg")).section(' ', 1), QStringLiteral("red top"));
    QCOMPARE(shownIn(copies.filePath("02  Encoded.jpg")).section(' ', 1),
             QStringLiteral("red left"));

    QTest::mouseClick(Control<ImageViewerControl>(form, "ImageV_1"), Qt::LeftButton);
    FormPhoto* photo = Control<FormPhoto>(form, "FormPhoto");
    QVERIFY(photo != nullptr);
    QCOMPARE(photo->windowTitle(), QStringLiteral("01  Phone.heic"));
    QCOMPARE(shownIn(Control<ImageViewerControl>(*photo, "ImageV")),
             QStringLiteral("120x240 red top"));
    QVERIFY(photo->height() > photo->width());

    // Renamed as JPEG pictures are: the files keep their bytes and their type.
    QTest::keyClicks(Control<QLineEdit>(form, "textb_Caption"), QStringLiteral("Rome"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(FilesIn(dir.path()), (QStringList{"01  Rome.heic", "02  Rome.heic"}));
    QCOMPARE(readFile(dir.filePath("01  Rome.heic")), phoneBytes);
    QCOMPARE(readFile(dir.filePath("02  Rome.heic")), encodedBytes);
}

QTEST_MAIN(HeicPicturesTest)
#include "heicpictures_test.moc"
