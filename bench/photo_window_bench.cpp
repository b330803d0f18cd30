// Opening a 6000 x 4000 camera picture in the single-picture window, from the click on the
// large viewer until the window has drawn it, against decoding the same file once at the size
// the window shows it with QImageReader. Each zoom step is timed too, for the detail lines.
#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>

#include "benchsupport.h"
#include "camerapictures.h"
#include "gui/app/form1.h"
#include "gui/pictures/formphoto.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/picturedecoder.h"

using namespace lumaro;
using namespace lumaro::bench;

namespace {
constexpr int kRounds = 7;

class NoDialogs : public DialogService {
public:
    void message(QWidget*, const QString&, const QString& text) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        std::exit(1);
    }
    int question(QWidget*, const QString&, const QString&) override { return kAnswerNo; }
    int choose(QWidget*, const QString&, const QString&, const QStringList& choices) override {
        return static_cast<int>(choices.size()) - 1;
    }
    std::optional<QString> browseFolder(QWidget*, const QString&) override { return {}; }
    int execDialog(QDialog&) override { return QDialog::Rejected; }
};

// The window has drawn the picture: the viewer holds it decoded, at the size of a zoom step
// too (a camera picture is decoded off the window thread, the larger decode after a smaller).
void drawn(FormPhoto* photo) {
    photo->repaint();
    WaitForBackgroundDecodes(-1);
    QApplication::processEvents();
    while (photo->ImageV->decodedSize().isEmpty()) QApplication::processEvents();
}
}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TempFolder home("photo-window-home");
    TempFolder pictures("photo-window");
    qputenv("LUMARO_HOME", QByteArray::fromStdString(home.path()));
    // Histories of the folders it numbers go there too, never to the user's state folder.
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(home.path()));
    QApplication app(argc, argv);
    const QString path = QString::fromStdString(pictures.path() + "/0001  Dolomites.jpg");
    WriteCameraPicture(path, 2026);
    SetDialogService(std::make_unique<NoDialogs>());

    Form1 form;
    form.show();
    form.ImageV_1->setFileName(path);
    const auto open = [&] {
        emit form.ImageV_1->clicked();
        FormPhoto* photo = form.findChild<FormPhoto*>(QStringLiteral("FormPhoto"));
        if (!photo) {
            std::fprintf(stderr, "the picture window did not open\n");
            std::exit(1);
        }
        drawn(photo);
        return photo;
    };

    FormPhoto* photo = open();
    const QSize shown(photo->area().displayWidth, photo->ImageV->pictureHeight() *
                                                      photo->area().displayWidth /
                                                      photo->ImageV->pictureWidth());
    delete photo;
    const auto decodeAtShownSize = [&] {
        QImageReader reader(path);
        reader.setScaledSize(shown);
        KeepResult(reader.read());
    };
    const Timings t = TimeAlternately(
        decodeAtShownSize,
        [&] {
            FormPhoto* opened = open();
            delete opened;
        },
        kRounds);

    // Zoom steps, from fitZoom until zooming in stops, each until drawn.
    photo = open();
    std::printf("photo-window-open: 6000x4000 JPEG of %.1f MB shown at %dx%d\n",
                QFileInfo(path).size() / 1e6, shown.width(), shown.height());
    std::printf("photo-window-zoom: steps");
    while (photo->pictb_Larger->isEnabled()) {
        const double seconds = secondsOf([&] {
            photo->pictb_Larger->click();
            drawn(photo);
        });
        if (photo->pictb_Larger->isEnabled()) std::printf(" %.0f ms", seconds * 1e3);
    }
    const double fullDecode = secondsOf([&] { KeepResult(QImageReader(path).read()); });
    std::printf("; full-size decode %.0f ms\n", fullDecode * 1e3);
    delete photo;
    PrintBench("photo-window-open", t, 1.5);
    return 0;
}
