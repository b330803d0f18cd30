// The picture viewer against real JPEG files written in a temporary folder.
#include "gui/toolkit/imageviewercontrol.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <memory>

#include "../core/turnjpegs.h"
#include "core/picturefile/jpegsegments.h"
#include "core/picturefile/picturedate.h"
#include "core/turning/exifcopy.h"

using lumaro::ImageViewerControl;

namespace {

struct ExifTags {
    QByteArray dateTimeOriginal;  // empty: no such tag
    QByteArray dateTime;
    int orientation = 0;  // 0: no such tag
};

void putText(std::string& tiff, uint16_t tag, uint32_t at) {
    using lumaro::jpegbytes::put16;
    using lumaro::jpegbytes::put32;
    put16(tiff, tag, false), put16(tiff, 2, false), put32(tiff, 20, false), put32(tiff, at, false);
}

// An Exif block (from "Exif\0\0"), little-endian as most cameras write it: the first directory
// with the orientation and the date of the last change, the Exif directory with the date taken.
QByteArray exifBlock(const ExifTags& tags) {
    using lumaro::jpegbytes::put16;
    using lumaro::jpegbytes::put32;
    const bool original = !tags.dateTimeOriginal.isEmpty();
    const int entries = (tags.orientation != 0) + !tags.dateTime.isEmpty() + original;
    const uint32_t dateAt = 8 + 2 + 12 * entries + 4;
    const uint32_t exifAt = dateAt + (tags.dateTime.isEmpty() ? 0 : 20);
    const uint32_t originalAt = exifAt + 2 + 12 + 4;
    std::string tiff = "II";
    put16(tiff, 42, false);
    put32(tiff, 8, false);
    put16(tiff, uint16_t(entries), false);
    if (tags.orientation != 0) {
        put16(tiff, 0x0112, false), put16(tiff, 3, false), put32(tiff, 1, false);
        put16(tiff, uint16_t(tags.orientation), false), put16(tiff, 0, false);
    }
    if (!tags.dateTime.isEmpty()) putText(tiff, 0x0132, dateAt);
    if (original) {
        put16(tiff, 0x8769, false), put16(tiff, 4, false), put32(tiff, 1, false);
        put32(tiff, exifAt, false);
    }
    put32(tiff, 0, false);
    const auto text = [&tiff](const QByteArray& date) {
        tiff += date.leftJustified(19, ' ', true).toStdString() + '\0';
    };
    if (!tags.dateTime.isEmpty()) text(tags.dateTime);
    if (original) {
        put16(tiff, 1, false);
        putText(tiff, 0x9003, originalAt);
        put32(tiff, 0, false);
        text(tags.dateTimeOriginal);
    }
    return QByteArray::fromStdString(std::string("Exif\0\0", 6) + tiff);
}

// A grey picture with a red top-left corner, so that turns can be seen.
QImage markedPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QPainter(&image).fillRect(0, 0, width / 4, height / 4, Qt::red);
    return image;
}

QString writeJpeg(const QString& path, const QImage& image, const ExifTags& tags = {}) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    if (!tags.dateTimeOriginal.isEmpty() || !tags.dateTime.isEmpty() || tags.orientation) {
        bytes = QByteArray::fromStdString(
            lumaro::JpegWithExifBlock(bytes.toStdString(), exifBlock(tags).toStdString()));
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

bool isNear(QColor actual, QColor expected) {
    return qAbs(actual.red() - expected.red()) < 24 &&
           qAbs(actual.green() - expected.green()) < 24 &&
           qAbs(actual.blue() - expected.blue()) < 24;
}

bool isRed(QColor colour) { return isNear(colour, Qt::red); }

void sendMouse(QWidget* widget, QEvent::Type type) {
    const QPointF at(5, 5);
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

class ImageViewerControlTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();  // a fresh folder for every test
        QVERIFY(dir_->isValid());
    }

    void sizesComeFromTheFileAndItsOrientation_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("no orientation") << 0 << 64 << 48;
        QTest::newRow("upright") << 1 << 64 << 48;
        QTest::newRow("upside down keeps sides") << 3 << 64 << 48;
        QTest::newRow("turned right swaps sides") << 6 << 48 << 64;
        QTest::newRow("turned left swaps sides") << 8 << 48 << 64;
    }
    void sizesComeFromTheFileAndItsOrientation() {
        QFETCH(int, orientation);
        QFETCH(int, width);
        QFETCH(int, height);
        ExifTags tags;
        tags.orientation = orientation;
        ImageViewerControl viewer;
        viewer.setFileName(writeJpeg(dir_->filePath("a.jpg"), markedPicture(64, 48), tags));
        QCOMPARE(viewer.pictureWidth(), width);
        QCOMPARE(viewer.pictureHeight(), height);
    }

    void emptyPathAndUnreadableFileLeaveNoPictureBehind() {
        const QString good = writeJpeg(dir_->filePath("good.jpg"), markedPicture(64, 48),
                                       {"2019:05:04 10:11:12", {}, 0});
        QFile broken(dir_->filePath("broken.jpg"));
        broken.open(QIODevice::WriteOnly);
        broken.write("not a picture at all");
        broken.close();

        ImageViewerControl viewer;
        viewer.setFileName(good);
        viewer.setFileName(broken.fileName());
        QCOMPARE(viewer.fileName(), broken.fileName());
        QCOMPARE(viewer.pictureWidth(), 0);
        QCOMPARE(viewer.pictureHeight(), 0);
        QCOMPARE(viewer.dateText(), QString());
        QCOMPARE(viewer.savePicture(dir_->filePath("copy"), "JPG", 10, 10), -1);
        QVERIFY(!QFile::exists(dir_->filePath("copy.jpg")));

        viewer.setFileName(good);
        viewer.setFileName(QString());
        QCOMPARE(viewer.fileName(), QString());
        QCOMPARE(viewer.pictureWidth(), 0);
        QCOMPARE(viewer.dateText(), QString());
        viewer.setFileName(dir_->filePath("missing.jpg"));
        QCOMPARE(viewer.pictureHeight(), 0);
    }

    // The boxes show the date the list is sorted by, whichever tags the picture carries.
    void dateTextIsTheDateTheListingSortsBy_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("modified");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both") << QByteArray("2019:05:04 10:11:12")
                              << QByteArray("2021:01:02 03:04:05") << "2019:05:04 10:11:12";
        QTest::newRow("only DateTime")
            << QByteArray() << QByteArray("2021:01:02 03:04:05") << "2021:01:02 03:04:05";
        QTest::newRow("no dates") << QByteArray() << QByteArray() << QString();
    }
    void dateTextIsTheDateTheListingSortsBy() {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, modified);
        QFETCH(QString, expected);
        ExifTags tags{original, modified, original.isEmpty() && modified.isEmpty() ? 1 : 0};
        ImageViewerControl viewer;
        viewer.setFileName(writeJpeg(dir_->filePath("d.jpg"), markedPicture(32, 32), tags));
        QCOMPARE(viewer.dateText(), expected);
        const std::optional<std::string> sorted =
            lumaro::ReadInternalPictureDate(dir_->filePath("d.jpg").toStdString());
        QCOMPARE(viewer.dateText(), QString::fromStdString(sorted.value_or(std::string())));
        viewer.setFileName(writeJpeg(dir_->filePath("plain.jpg"), markedPicture(32, 32)));
        QCOMPARE(viewer.dateText(), QString());
    }

    void scrollingStopsAtTheLargestPosition_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("largest");
        QTest::newRow("own size") << 8 << 1.0 << QPoint(200, 200);
        QTest::newRow("twice") << 8 << 2.0 << QPoint(600, 500);
        QTest::newRow("smaller than the view") << 8 << 0.25 << QPoint(0, 0);
        QTest::newRow("zoom 0 fits") << 8 << 0.0 << QPoint(0, 0);
        QTest::newRow("main window always fits") << 10 << 2.0 << QPoint(0, 0);
    }
    void scrollingStopsAtTheLargestPosition() {
        QFETCH(int, mode);
        QFETCH(double, zoom);
        QFETCH(QPoint, largest);
        ImageViewerControl viewer;
        viewer.resize(200, 100);
        viewer.setDisplayMode(mode);
        viewer.setFileName(writeJpeg(dir_->filePath("z.jpg"), markedPicture(400, 300)));
        viewer.setZoom(zoom);
        viewer.scrollTo(32000, 32000);
        QCOMPARE(QPoint(viewer.scrollX(), viewer.scrollY()), largest);
        viewer.scrollTo(-7, -7);
        QCOMPARE(QPoint(viewer.scrollX(), viewer.scrollY()), QPoint(0, 0));
        viewer.scrollTo(largest.x() / 2, largest.y() / 2);
        QCOMPARE(QPoint(viewer.scrollX(), viewer.scrollY()), largest / 2);
    }

    void zoomedPictureIsDrawnFromTheScrollPosition() {
        ImageViewerControl viewer;
        viewer.resize(100, 80);
        viewer.setDisplayMode(8);
        viewer.setFileName(writeJpeg(dir_->filePath("s.jpg"), markedPicture(400, 320)));
        viewer.setZoom(1.0);
        QVERIFY(isRed(viewer.grab().toImage().pixelColor(50, 40)));
        viewer.scrollTo(32000, 32000);
        QVERIFY(!isRed(viewer.grab().toImage().pixelColor(5, 5)));
        viewer.scrollTo(0, 0);
        viewer.setZoom(0.5);  // 200 x 160: the red quarter covers the view's corner only
        const QImage shown = viewer.grab().toImage();
        QVERIFY(isRed(shown.pixelColor(5, 5)));
        QVERIFY(!isRed(shown.pixelColor(90, 70)));
    }

    void fittedPictureIsCentredOnTheBackgroundColour() {
        ImageViewerControl viewer;
        viewer.resize(200, 200);
        viewer.setBackgroundColor(0x00D4DCD2);
        QCOMPARE(viewer.backgroundColor(), QColor(210, 220, 212));
        QImage wide(400, 200, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        viewer.setFileName(writeJpeg(dir_->filePath("wide.jpg"), wide));
        const QImage shown = viewer.grab().toImage();
        QCOMPARE(shown.pixelColor(100, 20), QColor(210, 220, 212));
        QCOMPARE(shown.pixelColor(100, 180), QColor(210, 220, 212));
        QVERIFY(isNear(shown.pixelColor(100, 100), Qt::blue));
        QVERIFY(isNear(shown.pixelColor(2, 60), Qt::blue));
        viewer.setFileName(
            writeJpeg(dir_->filePath("tall.jpg"), wide.transformed(QTransform().rotate(90))));
        const QImage tall = viewer.grab().toImage();
        QCOMPARE(tall.pixelColor(20, 100), QColor(210, 220, 212));
        QVERIFY(isNear(tall.pixelColor(100, 100), Qt::blue));
        QVERIFY(isNear(tall.pixelColor(60, 2), Qt::blue));

        viewer.setDisplayOn(false);
        QVERIFY(!viewer.isDisplayOn());
        QVERIFY(viewer.isHidden());
        viewer.setDisplayOn(true);
        QVERIFY(!viewer.isHidden());
    }

    void saveWritesTheAskedSizeUnderTheLowerCaseFormatName_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("written");
        QTest::newRow("JPEG same size") << "JPEG" << QSize(640, 480) << QSize(640, 480);
        QTest::newRow("JPG thumbnail") << "JPG" << QSize(80, 60) << QSize(80, 60);
        QTest::newRow("box of other proportions") << "JPG" << QSize(90, 30) << QSize(40, 30);
    }
    void saveWritesTheAskedSizeUnderTheLowerCaseFormatName() {
        QFETCH(QString, format);
        QFETCH(QSize, asked);
        QFETCH(QSize, written);
        ImageViewerControl viewer;
        viewer.resize(100, 100);
        viewer.setFileName(writeJpeg(dir_->filePath("p.jpg"), markedPicture(640, 480)));
        viewer.grab();  // decoded small for the view; the save must not be limited by that
        const QString target = dir_->filePath("out");
        QCOMPARE(viewer.savePicture(target, format, asked.width(), asked.height()), 0);
        const QImage saved(target + "." + format.toLower());
        QCOMPARE(saved.size(), written);
        QVERIFY(isRed(saved.pixelColor(2, 2)));
        QVERIFY(!QFile::exists(target + "." + format));
    }

    void savedCopyKeepsItsDatesAndIsNotTurnedTwice() {
        // Stored sideways with orientation 6 and shown 48 x 64 upright: the copy is stored
        // upright, its red corner top right as shown.
        ExifTags tags{"2019:05:04 10:11:12", "2020:01:01 00:00:00", 6};
        ImageViewerControl viewer;
        viewer.setFileName(writeJpeg(dir_->filePath("o.jpg"), markedPicture(64, 48), tags));
        QCOMPARE(viewer.savePicture(dir_->filePath("o.jpg"), "JPEG", 48, 64), 0);
        viewer.setFileName(dir_->filePath("o.jpg.jpeg"));
        QCOMPARE(QSize(viewer.pictureWidth(), viewer.pictureHeight()), QSize(48, 64));
        QCOMPARE(viewer.dateText(), QString("2019:05:04 10:11:12"));
        QImageReader reader(dir_->filePath("o.jpg.jpeg"));
        reader.setAutoTransform(true);
        const QImage copy = reader.read();
        QCOMPARE(copy.size(), QSize(48, 64));
        QVERIFY(isRed(copy.pixelColor(45, 2)));
        QVERIFY(!isRed(copy.pixelColor(2, 61)));
    }

    void saveNeverLeavesAHalfWrittenFileNorReplacesItsSource() {
        ImageViewerControl viewer;
        viewer.setFileName(writeJpeg(dir_->filePath("f.jpg"), markedPicture(64, 48)));
        QCOMPARE(viewer.savePicture(dir_->filePath("no such folder/f"), "JPG", 64, 48), -1);
        QCOMPARE(viewer.savePicture(dir_->filePath("f"), "JPG", 0, 48), -1);
        QCOMPARE(viewer.savePicture(dir_->filePath("f"), "JPG", 8, 6), -1);  // itself
        QCOMPARE(QImage(dir_->filePath("f.jpg")).size(), QSize(64, 48));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"f.jpg"});
    }

    // Each Exif orientation shows the stored quarters (0 1 / 2 3) otherwise, as the turn reads
    // them: a turn starts from what was shown. Some editors put their XMP segment, an APP1 too,
    // in front of the Exif segment, here long enough to hold the Exif segment beyond the first
    // bytes the viewer reads.
    void shownInTheOrientationATurnStartsFrom_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("behindXmp");
        QTest::addColumn<QList<int>>("quarters");  // of the stored pixels, as shown
        const QList<QList<int>> shown = {{0, 1, 2, 3}, {1, 0, 3, 2}, {3, 2, 1, 0}, {2, 3, 0, 1},
                                         {0, 2, 1, 3}, {2, 0, 3, 1}, {3, 1, 2, 0}, {1, 3, 0, 2}};
        for (int orientation = 1; orientation <= 8; ++orientation) {
            QTest::addRow("%d", orientation) << orientation << false << shown[orientation - 1];
        }
        QTest::newRow("6 behind XMP") << 6 << true << shown[5];
    }
    void shownInTheOrientationATurnStartsFrom() {
        using namespace lumaro::turnjpegs;
        QFETCH(int, orientation);
        QFETCH(bool, behindXmp);
        QFETCH(QList<int>, quarters);
        const std::string jpeg =
            QuarterJpeg(64, 48,
                        (behindXmp ? XmpSegment(65400) : "") +
                            ExifSegment(orientation, "2006:05:12 14:23:44", 64, 48));
        QCOMPARE(lumaro::ExifOrientation(jpeg), orientation);
        QFile file(dir_->filePath("x.jpg"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(jpeg.data(), qint64(jpeg.size()));
        file.close();
        const QSize size = orientation >= 5 ? QSize(48, 64) : QSize(64, 48);
        ImageViewerControl viewer;
        viewer.resize(size);
        viewer.setFileName(file.fileName());
        QCOMPARE(QSize(viewer.pictureWidth(), viewer.pictureHeight()), size);
        const QImage shown = viewer.grab().toImage();
        for (int q = 0; q < 4; ++q) {
            const QColor got = shown.pixelColor((q % 2 ? 3 : 1) * size.width() / 4,
                                                (q / 2 ? 3 : 1) * size.height() / 4);
            const Rgb want = kQuarters[quarters[q]];
            QVERIFY2(Near({got.red(), got.green(), got.blue()}, want),
                     qPrintable(QString::number(q)));
        }
    }

    void cameraSizePictureIsDecodedOnlyAsLargeAsShown() {
        const QString path = writeJpeg(dir_->filePath("big.jpg"), markedPicture(6000, 4000));
        QElapsedTimer fullTimer;
        fullTimer.start();
        QVERIFY(!QImage(path).isNull());
        const qint64 fullDecode = fullTimer.elapsed();

        ImageViewerControl viewer;
        viewer.resize(300, 200);
        QElapsedTimer timer;
        timer.start();
        viewer.setFileName(path);
        viewer.grab();
        QTRY_VERIFY(!viewer.decodedSize().isEmpty());  // decoded off the window thread
        const qint64 shown = timer.elapsed();
        QCOMPARE(QSize(viewer.pictureWidth(), viewer.pictureHeight()), QSize(6000, 4000));
        QVERIFY2(viewer.decodedSize().width() <= 300,
                 qPrintable(QString::number(viewer.decodedSize().width())));
        QVERIFY(!viewer.decodedSize().isEmpty());
        QVERIFY2(shown < fullDecode,
                 qPrintable(QString("%1 ms against %2 ms").arg(shown).arg(fullDecode)));

        viewer.setDisplayMode(8);  // zoomed to its own pixels, it needs them all
        viewer.setZoom(1.0);
        viewer.grab();
        QTRY_COMPARE(viewer.decodedSize(), QSize(6000, 4000));
    }

    void clickAndDoubleClickAreReportedOnce() {
        ImageViewerControl viewer;
        viewer.resize(40, 40);
        QSignalSpy clicks(&viewer, &ImageViewerControl::clicked);
        QSignalSpy doubleClicks(&viewer, &ImageViewerControl::doubleClicked);
        QTest::mouseClick(&viewer, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QTest::mouseClick(&viewer, Qt::RightButton);
        QCOMPARE(clicks.count(), 1);

        // press, release, double click, release: the second release is part of the double click
        sendMouse(&viewer, QEvent::MouseButtonPress);
        sendMouse(&viewer, QEvent::MouseButtonRelease);
        sendMouse(&viewer, QEvent::MouseButtonDblClick);
        sendMouse(&viewer, QEvent::MouseButtonRelease);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(doubleClicks.count(), 1);
        QTest::mouseDClick(&viewer, Qt::LeftButton);
        QCOMPARE(doubleClicks.count(), 2);
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_MAIN(ImageViewerControlTest)
#include "imageviewercontrol_test.moc"
