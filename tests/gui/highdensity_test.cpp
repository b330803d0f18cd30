// The main window on a screen of high density (scale 2 unless QT_SCALE_FACTOR says otherwise,
// set before the application starts): every text fits, icons are drawn at the screen's pixels,
// pictures are decoded for the device pixels they cover, fitted or zoomed.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/textfit.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

class HighDensityTest : public QObject {
    Q_OBJECT
private slots:
    void textsFitAndIconsAreDrawnAtTheScreensPixels();
    void picturesAreDecodedForTheDevicePixelsTheyCover_data();
    void picturesAreDecodedForTheDevicePixelsTheyCover();
};

void HighDensityTest::textsFitAndIconsAreDrawnAtTheScreensPixels() {
    FormFixture fx(1024);
    for (const char* shipped : {"French.lng", "German.lng", "Spanish.lng"})
        fx.installShipped(QLatin1String(shipped));
    Form1& form = fx.start();
    const qreal ratio = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
    QCOMPARE(form.devicePixelRatioF(), ratio);

    auto* languages = Control<QComboBox>(form, "combo_Languages");
    for (int language = 0; language < languages->count(); ++language) {
        languages->setCurrentIndex(language);
        emit languages->activated(language);
        for (QWidget* control : form.findChildren<QWidget*>()) {
            QVERIFY2(TextWidthNeeded(control) <= control->width(),
                     qPrintable(languages->currentText() + ": " + control->objectName()));
        }
    }
    // An icon drawn from a bitmap of its size in window units would come out blurred.
    int icons = 0;
    for (QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
        if (button->icon().isNull()) continue;
        const QPixmap drawn = button->icon().pixmap(button->iconSize(), ratio);
        QVERIFY2(drawn.size() == button->iconSize() * ratio, qPrintable(button->objectName()));
        ++icons;
    }
    QVERIFY(icons >= 10);
    const QSize windowIcon(64, 64);
    QCOMPARE(form.windowIcon().pixmap(windowIcon, ratio).size(), windowIcon * ratio);
}

void HighDensityTest::picturesAreDecodedForTheDevicePixelsTheyCover_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("zoom");
    QTest::addRow("fitted in the main window") << 10 << 0.0;
    QTest::addRow("zoomed out in the single-picture window") << 8 << 0.25;
    QTest::addRow("fitted in the single-picture window") << 8 << 0.0;
}

void HighDensityTest::picturesAreDecodedForTheDevicePixelsTheyCover() {
    QFETCH(int, mode);
    QFETCH(double, zoom);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.jpg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(JpegBytes(QString(), 1600, 1200));
    file.close();

    ImageViewerControl viewer;
    viewer.resize(400, 300);  // the picture, zoomed to a quarter, fills it
    viewer.setDisplayMode(mode);
    viewer.setZoom(zoom);
    viewer.setFileName(path);
    viewer.show();
    viewer.grab();
    const QSize covered = QSize(400, 300) * viewer.devicePixelRatioF();
    QTRY_VERIFY(!viewer.decodedSize().isEmpty());
    QVERIFY2(viewer.decodedSize().width() >= covered.width(),
             qPrintable(QStringLiteral("%1 decoded for %2 device pixels")
                            .arg(viewer.decodedSize().width())
                            .arg(covered.width())));
}

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HighDensityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "highdensity_test.moc"
