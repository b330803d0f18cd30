// The single-picture window on the real main window: opened from the two large viewers,
// zoomed, switched between its two sizes, closed by its close box, by Escape and by a rename,
// and refused for a picture that cannot be read. Sizes are checked against numbers worked out
// by hand for a 1280 x 1024 screen.
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "gui/pictures/formphoto.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {
// At 1024 pixels the main window is 893 high; its list stands at LIST_LEFT, 55, 642 high, so
// the picture area opens 55 + 642 - 20 = 677 high. Buttons: 22 x 20 dialog units = 33 x 32.
constexpr int kMainHeight = 893;
constexpr int kOpenHeight = 677;
constexpr int kWindowHeightAtOpening = 677 + 2 * 32 + 14;  // 755

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

class PhotoRoad {
public:
    // "01  Paysage" is 640 x 480, "02  Portrait" 480 x 640; both selected, so that slot 1
    // shows the first and slot 2 the second.
    PhotoRoad() {
        writeJpeg("01  Paysage.jpg", 640, 480);
        writeJpeg("02  Portrait.jpg", 480, 640);
        fx.start();
        fx.responder().folders.push_back(dir.path());
        QTest::mouseClick(Control<QPushButton>(form(), "cb_Dossier"), Qt::LeftButton);
    }
    void writeJpeg(const QString& name, int width, int height) const {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(JpegBytes(QString(), width, height));
    }
    void selectBoth() {
        QListWidget* list = Control<QListWidget>(form(), "lb_Avant");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          list->visualItemRect(list->item(1)).center());
    }
    FormPhoto* openFrom(ImageViewerControl* viewer) {
        QTest::mouseClick(viewer, Qt::LeftButton);
        return photoWindow();
    }
    // The single-picture window while it is open, null when there is none.
    FormPhoto* photoWindow() {
        return fx.form().findChild<FormPhoto*>(QStringLiteral("FormPhoto"));
    }
    QTimer* watchTimer() { return Control<QTimer>(fx.form(), "watchTimer"); }
    Form1& form() { return fx.form(); }
    int openLeft() { return form().x() + Control<QListWidget>(form(), "lb_Avant")->x(); }

    QTemporaryDir dir;
    FormFixture fx;
};

void clickPicture(FormPhoto* photo) {
    QTest::mouseClick(Control<ImageViewerControl>(*photo, "ImageV"), Qt::LeftButton);
}
}  // namespace

class PhotoWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensOneWindowBesideTheListFromEitherSlotAndClosesToState20();
    void zoomOutReturnsToTheSameSpotAndToFitZoomExactly();
    void zoomingInStopsOnlyItselfBeyondTheScrollLimit();
    void pictureClickSwitchesToTheEnlargedSizeAndBack_data();
    void pictureClickSwitchesToTheEnlargedSizeAndBack();
    void windowResizedByTheUserCountsAsEnlarged();
    void renameClosesTheWindowAndKeepsItsOwnState();
    void unreadablePictureIsNamedAndChangesNothing_data();
    void unreadablePictureIsNamedAndChangesNothing();
    void dragAndWheelMoveAZoomedPictureWithoutSwitchingSize();
};

void PhotoWindowTest::opensOneWindowBesideTheListFromEitherSlotAndClosesToState20() {
    PhotoRoad road;
    Form1& form = road.form();
    QCOMPARE(form.height(), kMainHeight);
    QVERIFY(!road.openFrom(Control<ImageViewerControl>(form, "ImageV_1")));  // nothing shown yet
    QCOMPARE(form.naming().mainWindowState(), WindowState::FolderLoaded);
    QVERIFY(!road.watchTimer()->isActive());

    road.selectBoth();
    FormPhoto* photo = road.openFrom(Control<ImageViewerControl>(form, "ImageV_1"));
    QVERIFY(photo);
    QVERIFY(photo->isVisible());
    QCOMPARE(photo->windowTitle(), QStringLiteral("01  Paysage.jpg"));
    QCOMPARE(form.naming().mainWindowState(), WindowState::PhotoWindowOpen);
    QVERIFY(road.watchTimer()->isActive());
    QCOMPARE(road.watchTimer()->interval(), 500);
    // 677 x 640 / 480 = 902.67: a window 902 + 14 wide, 755 high, at the list's left and
    // the main window's top; buttons 12 under the picture, either side of its middle (451).
    QCOMPARE(photo->pos(), QPoint(road.openLeft(), form.y()));
    QCOMPARE(photo->size(), QSize(916, kWindowHeightAtOpening));
    QCOMPARE(Control<ImageViewerControl>(*photo, "ImageV")->geometry(), QRect(0, 0, 909, 684));
    QCOMPARE(Control<QToolButton>(*photo, "pictb_Smaller")->pos(), QPoint(451 - 33 - 18, 689));
    QCOMPARE(Control<QToolButton>(*photo, "pictb_Larger")->pos(), QPoint(451 + 12, 689));
    QVERIFY(Control<QToolButton>(*photo, "pictb_Larger")->isEnabled());
    QVERIFY(!Control<QToolButton>(*photo, "pictb_Smaller")->isEnabled());
    QCOMPARE(Control<ImageViewerControl>(*photo, "ImageV")->zoom(), 902.0 / 640.0);

    // A click on either slot while it is open does nothing.
    QCOMPARE(road.openFrom(Control<ImageViewerControl>(form, "ImageV_2")), photo);
    QCOMPARE(photo->windowTitle(), QStringLiteral("01  Paysage.jpg"));

    // The close box destroys it; the timer brings the commands back once, then stops.
    photo->close();
    QTRY_VERIFY_WITH_TIMEOUT(form.naming().mainWindowState() == WindowState::PhotoWindowClosed,
                             1000);
    QVERIFY(!road.photoWindow());
    QVERIFY(!road.watchTimer()->isActive());
    QVERIFY(Control<QPushButton>(form, "cb_Dossier")->isEnabled());

    photo = road.openFrom(Control<ImageViewerControl>(form, "ImageV_2"));
    QVERIFY(photo);
    QCOMPARE(photo->windowTitle(), QStringLiteral("02  Portrait.jpg"));
    QCOMPARE(photo->size(), QSize(507 + 14, kWindowHeightAtOpening));  // 677 x 480 / 640 = 507.75
    QCOMPARE(form.naming().mainWindowState(), WindowState::PhotoWindowOpen);
}

void PhotoWindowTest::zoomOutReturnsToTheSameSpotAndToFitZoomExactly() {
    PhotoRoad road;
    road.selectBoth();
    Form1& form = road.form();
    FormPhoto* photo = road.openFrom(Control<ImageViewerControl>(form, "ImageV_1"));
    ImageViewerControl* viewer = Control<ImageViewerControl>(*photo, "ImageV");
    QToolButton* larger = Control<QToolButton>(*photo, "pictb_Larger");
    QToolButton* smaller = Control<QToolButton>(*photo, "pictb_Smaller");
    const double fit = viewer->zoom();

    QTest::mouseClick(larger, Qt::LeftButton);
    QCOMPARE(viewer->zoom(), 2 * fit);
    QVERIFY(smaller->isEnabled());
    // Centred: the view stands in the middle of the doubled picture.
    QCOMPARE(viewer->scrollX(), photo->zoomSteps().scrollMaxX / 2);
    QVERIFY(photo->zoomSteps().scrollMaxX > 800);

    // The user looks at another part; one step in and one out come back to it.
    viewer->scrollTo(200, 100);
    QTest::mouseClick(larger, Qt::LeftButton);
    QCOMPARE(viewer->zoom(), 4 * fit);
    QTest::mouseClick(smaller, Qt::LeftButton);
    QVERIFY(qAbs(viewer->scrollX() - 200) <= 1);
    QVERIFY(qAbs(viewer->scrollY() - 100) <= 1);

    QTest::mouseClick(smaller, Qt::LeftButton);
    QCOMPARE(viewer->zoom(), fit);  // exactly, so the button knows it is back
    QVERIFY(!smaller->isEnabled());

    // The keys do what the buttons do, and only what they may.
    QTest::keyClick(photo, Qt::Key_Minus);
    QCOMPARE(viewer->zoom(), fit);
    QTest::keyClick(photo, Qt::Key_Plus);
    QCOMPARE(viewer->zoom(), 2 * fit);
    QTest::keyClick(photo, Qt::Key_Minus);
    QCOMPARE(viewer->zoom(), fit);
    QTest::keyClick(photo, Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(form.naming().mainWindowState() == WindowState::PhotoWindowClosed,
                             1000);
    QVERIFY(!road.photoWindow());
}

void PhotoWindowTest::zoomingInStopsOnlyItselfBeyondTheScrollLimit() {
    PhotoRoad road;
    road.selectBoth();
    FormPhoto* photo = road.openFrom(Control<ImageViewerControl>(road.form(), "ImageV_1"));
    QToolButton* larger = Control<QToolButton>(*photo, "pictb_Larger");
    ImageViewerControl* viewer = Control<ImageViewerControl>(*photo, "ImageV");
    const auto beyond = [&] {
        return photo->zoomSteps().scrollMaxX > 16000 || photo->zoomSteps().scrollMaxY > 16000;
    };
    int steps = 0;
    while (!beyond() && steps < 20) {
        QTest::mouseClick(larger, Qt::LeftButton);
        ++steps;
    }
    QVERIFY(beyond());
    // 902 pixels wide at fit, so four doublings give 14432 - 909 and five 28864 - 909.
    QCOMPARE(steps, 5);
    QVERIFY(larger->isEnabled());
    const double zoom = viewer->zoom();
    const QPoint scroll(viewer->scrollX(), viewer->scrollY());
    QTest::mouseClick(larger, Qt::LeftButton);
    QVERIFY(!larger->isEnabled());
    QVERIFY(Control<QToolButton>(*photo, "pictb_Smaller")->isEnabled());
    QCOMPARE(viewer->zoom(), zoom);
    QCOMPARE(QPoint(viewer->scrollX(), viewer->scrollY()), scroll);

    QTest::mouseClick(Control<QToolButton>(*photo, "pictb_Smaller"), Qt::LeftButton);
    QVERIFY(larger->isEnabled());
}

void PhotoWindowTest::pictureClickSwitchesToTheEnlargedSizeAndBack_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<QSize>("opening");
    QTest::addColumn<QSize>("enlarged");
    QTest::addColumn<bool>("movesToMainLeft");
    // avail = 893 - 2 x 32 - 14 = 815. Landscape: 1280 x 480 / 640 + 96 = 1056 > 815, so
    // 815 high and 815 x 640 / 480 = 1086 wide, from the main window's left.
    QTest::newRow("landscape") << 1 << QSize(916, 755) << QSize(1086 + 14, 815 + 78) << true;
    // Portrait: 815 high, 815 x 480 / 640 = 611 wide, where the window stands.
    QTest::newRow("portrait") << 2 << QSize(521, 755) << QSize(611 + 14, 815 + 78) << false;
}

void PhotoWindowTest::pictureClickSwitchesToTheEnlargedSizeAndBack() {
    QFETCH(int, slot);
    QFETCH(QSize, opening);
    QFETCH(QSize, enlarged);
    QFETCH(bool, movesToMainLeft);
    PhotoRoad road;
    road.selectBoth();
    Form1& form = road.form();
    FormPhoto* photo = road.openFrom(slot == 1 ? Control<ImageViewerControl>(form, "ImageV_1")
                                               : Control<ImageViewerControl>(form, "ImageV_2"));
    QCOMPARE(photo->size(), opening);
    QTest::mouseClick(Control<QToolButton>(*photo, "pictb_Larger"), Qt::LeftButton);

    clickPicture(photo);
    QCOMPARE(photo->size(), enlarged);
    QCOMPARE(photo->x(), movesToMainLeft ? form.x() : road.openLeft());
    QCOMPARE(photo->y(), form.y());
    QCOMPARE(Control<ImageViewerControl>(*photo, "ImageV")->zoom(),
             double(enlarged.width() - 14) / (slot == 1 ? 640 : 480));
    QVERIFY(!Control<QToolButton>(*photo, "pictb_Smaller")->isEnabled());

    clickPicture(photo);
    QCOMPARE(photo->size(), opening);
    QCOMPARE(photo->pos(), QPoint(road.openLeft(), form.y()));
}

void PhotoWindowTest::windowResizedByTheUserCountsAsEnlarged() {
    PhotoRoad road;
    road.selectBoth();
    FormPhoto* photo = road.openFrom(Control<ImageViewerControl>(road.form(), "ImageV_2"));
    photo->resize(photo->width() + 30, photo->height() + 40);
    // The picture area follows the frame.
    QCOMPARE(Control<ImageViewerControl>(*photo, "ImageV")->size(),
             QSize(507 + 7 + 30, 677 + 7 + 40));
    clickPicture(photo);
    QCOMPARE(photo->size(), QSize(521, kWindowHeightAtOpening));
    clickPicture(photo);
    QCOMPARE(photo->height(), kMainHeight);
}

void PhotoWindowTest::renameClosesTheWindowAndKeepsItsOwnState() {
    PhotoRoad road;
    road.selectBoth();
    Form1& form = road.form();
    QVERIFY(road.openFrom(Control<ImageViewerControl>(form, "ImageV_1")));
    QVERIFY(Control<QPushButton>(form, "cb_Renommer")->isEnabled());
    QTest::keyClicks(Control<QLineEdit>(form, "textb_Caption"), QStringLiteral("Mer"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    QVERIFY(!road.photoWindow());
    QCOMPARE(form.naming().mainWindowState(), WindowState::RenamePending);
    // No later tick may bring WindowState::PhotoWindowClosed over the proposal and take its cancel
    // button away.
    QVERIFY(!road.watchTimer()->isActive());
    QVERIFY(Control<QPushButton>(form, "cb_AnnulerRenommage")->isEnabled());
    QVERIFY(Control<QPushButton>(form, "cb_Appliquer")->isEnabled());
}

void PhotoWindowTest::unreadablePictureIsNamedAndChangesNothing_data() {
    QTest::addColumn<bool>("removed");
    QTest::newRow("damaged file") << false;
    QTest::newRow("file removed behind the program's back") << true;
}

void PhotoWindowTest::unreadablePictureIsNamedAndChangesNothing() {
    QFETCH(bool, removed);
    PhotoRoad road;
    Form1& form = road.form();
    const QString path = road.dir.filePath(QStringLiteral("01  Paysage.jpg"));
    if (!removed) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture at all");
    }
    road.selectBoth();
    if (removed) QVERIFY(QFile::remove(path));
    const WindowState state = form.naming().mainWindowState();
    const int shownBefore = road.fx.responder().shown.size();

    QVERIFY(!road.openFrom(Control<ImageViewerControl>(form, "ImageV_1")));
    QCOMPARE(form.naming().mainWindowState(), state);
    QVERIFY(!road.watchTimer()->isActive());
    QCOMPARE(road.fx.responder().shown.size(), shownBefore + 1);
    const QString text = road.fx.responder().shown.last().text;
    QVERIFY(text.startsWith(form.message(kMessagePictureUnreadable)));
    QVERIFY(text.contains(QStringLiteral("01  Paysage.jpg")));
    // The other picture still opens.
    QVERIFY(road.openFrom(Control<ImageViewerControl>(form, "ImageV_2")));
}

void PhotoWindowTest::dragAndWheelMoveAZoomedPictureWithoutSwitchingSize() {
    PhotoRoad road;
    road.selectBoth();
    FormPhoto* photo = road.openFrom(Control<ImageViewerControl>(road.form(), "ImageV_1"));
    ImageViewerControl* viewer = Control<ImageViewerControl>(*photo, "ImageV");
    QTest::mouseClick(Control<QToolButton>(*photo, "pictb_Larger"), Qt::LeftButton);
    QTest::mouseClick(Control<QToolButton>(*photo, "pictb_Larger"), Qt::LeftButton);
    const QPoint start(viewer->scrollX(), viewer->scrollY());

    sendMouse(viewer, QEvent::MouseButtonPress, QPoint(300, 300), Qt::LeftButton);
    sendMouse(viewer, QEvent::MouseMove, QPoint(280, 290), Qt::LeftButton);
    sendMouse(viewer, QEvent::MouseMove, QPoint(200, 250), Qt::LeftButton);
    sendMouse(viewer, QEvent::MouseButtonRelease, QPoint(200, 250), Qt::NoButton);
    QCOMPARE(QPoint(viewer->scrollX(), viewer->scrollY()), start + QPoint(100, 50));
    QCOMPARE(photo->height(), kWindowHeightAtOpening);  // a drag is not a click

    QWheelEvent wheel(QPointF(300, 300), viewer->mapToGlobal(QPointF(300, 300)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewer, &wheel);
    QCOMPARE(viewer->scrollY(), start.y() + 50 + 60);
    QCOMPARE(photo->height(), kWindowHeightAtOpening);
}

QTEST_MAIN(PhotoWindowTest)
#include "photowindow_test.moc"
