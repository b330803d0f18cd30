// The display slots while camera-size pictures decode off the window thread: moving the
// selection on never leaves a slot showing a picture that is no longer selected, and the
// picture that is selected always arrives.
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/picturedecoder.h"
#include "support/formfixture.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {
void writeSolid(const QString& path, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path, "JPEG"));
}

bool near(QColor shown, QColor wanted) {
    return qAbs(shown.red() - wanted.red()) < 40 && qAbs(shown.green() - wanted.green()) < 40 &&
           qAbs(shown.blue() - wanted.blue()) < 40;
}

QColor middleOf(ImageViewerControl* viewer) {
    const QImage shown = viewer->grab().toImage();
    return shown.pixelColor(shown.width() / 2, shown.height() / 2);
}
}  // namespace

class SlotDecodeTest : public QObject {
    Q_OBJECT
private slots:
    void slowDecodeNeverLeavesAStalePictureInSlot1();
};

void SlotDecodeTest::slowDecodeNeverLeavesAStalePictureInSlot1() {
    QTemporaryDir pictures;
    const QString port = pictures.filePath("02  Port.jpg");
    writeSolid(pictures.filePath("01  Plage.jpg"), QSize(64, 48), Qt::red);
    writeSolid(port, QSize(64, 48), Qt::red);
    writeSolid(pictures.filePath("03  Phare.jpg"), QSize(64, 48), Qt::blue);
    FormFixture fx;
    Form1& form = fx.start();
    ImageViewerControl* slot1 = Control<ImageViewerControl>(form, "ImageV_1");
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    fx.responder().folders.push_back(pictures.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(list->count(), 3);
    list->setFocus();
    list->setCurrentRow(0);
    QTRY_VERIFY(near(middleOf(slot1), Qt::red));

    // The second picture is replaced by a camera-size one after the listing: its decode is slow.
    writeSolid(port, QSize(6000, 4000), Qt::green);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(slot1->fileName(), port);
    QVERIFY(!near(middleOf(slot1),
                  Qt::red));  // never the picture selected before
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(Control<QLineEdit>(form, "textb_1C")->text(), QStringLiteral("03  Phare"));
    // Until the slow decode has ended and anything it sent has been delivered, slot 1 shows
    // the third picture or nothing, never the second.
    bool decodesEnded = false;
    do {
        decodesEnded = WaitForBackgroundDecodes(0);
        QCoreApplication::processEvents();
        const QColor shown = middleOf(slot1);
        QVERIFY2(!near(shown, Qt::green), qPrintable(shown.name()));
    } while (!decodesEnded);
    QVERIFY(near(middleOf(slot1), Qt::blue));
    QCOMPARE(slot1->fileName(), pictures.filePath("03  Phare.jpg"));

    // Back to the camera-size picture: its decode arrives and is shown.
    QTest::keyClick(list, Qt::Key_Up);
    QTRY_VERIFY(near(middleOf(slot1), Qt::green));
    QCOMPARE(QSize(slot1->pictureWidth(), slot1->pictureHeight()), QSize(6000, 4000));
}

QTEST_MAIN(SlotDecodeTest)
#include "slotdecode_test.moc"
