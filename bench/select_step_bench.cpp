// Moving the selection through a folder of 2,000 camera-size pictures in the real window: one
// step with the arrow keys (Shift+Down: slot 1 keeps the first picture, slot 2 shows the next)
// until both slots show their pictures, against decoding one such picture at the size of a
// slot with QImageReader. A detail line gives the step in which both slots change.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>

#include "benchsupport.h"
#include "camerapictures.h"
#include "folderanswer.h"
#include "gui/app/form1.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/picturedecoder.h"

using namespace lumaro;
using namespace lumaro::bench;

namespace {
constexpr int kPictures = 2000;
constexpr int kDistinctPictures = 4;  // the others are links to these
constexpr int kRounds = 25;
constexpr int kHeldSteps = 20;

void pressShiftDown(QWidget* list) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::ShiftModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::ShiftModifier);
    QApplication::sendEvent(list, &press);
    QApplication::sendEvent(list, &release);
}

// Until both slots hold their decoded pictures, then until they are painted.
void waitUntilShown(const Form1& form) {
    while (form.ImageV_1->decodedSize().isEmpty() || form.ImageV_2->decodedSize().isEmpty()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::processEvents();
}
}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TempFolder home("select-step-home");
    TempFolder pictures("select-step");
    qputenv("LUMARO_HOME", QByteArray::fromStdString(home.path()));
    // Histories of the folders it numbers go there too, never to the user's state folder.
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(home.path()));
    QApplication app(argc, argv);

    std::vector<std::string> sources;
    for (int k = 0; k < kDistinctPictures; ++k) {
        sources.push_back(home.path() + "/camera" + std::to_string(k) + ".jpg");
        WriteCameraPicture(QString::fromStdString(sources.back()), 1000 + k);
    }
    char name[64];
    for (int i = 1; i <= kPictures; ++i) {
        std::snprintf(name, sizeof name, "/%04d  Rome.jpg", i);
        if (link(sources[i % kDistinctPictures].c_str(), (pictures.path() + name).c_str()) != 0) {
            std::perror("link");
            return 1;
        }
    }
    SetDialogService(std::make_unique<FolderAnswer>(QString::fromStdString(pictures.path())));
    Form1 form;
    form.show();
    form.cb_Dossier->click();
    if (form.lb_Avant->count() != kPictures) {
        std::fprintf(stderr, "the folder did not load: %d pictures\n", form.lb_Avant->count());
        return 1;
    }
    form.lb_Avant->setCurrentRow(0);
    pressShiftDown(form.lb_Avant);
    waitUntilShown(form);

    const QSize slotSize =
        QSize(kCameraWidth, kCameraHeight).scaled(form.ImageV_1->size(), Qt::KeepAspectRatio);
    int decoded = 0;
    const auto decodeOne = [&] {
        QImageReader reader(QString::fromStdString(sources[decoded++ % kDistinctPictures]));
        reader.setAutoTransform(true);
        reader.setScaledSize(slotSize);
        KeepResult(reader.read());
    };
    const Timings t = TimeAlternately(
        decodeOne,
        [&] {
            pressShiftDown(form.lb_Avant);
            waitUntilShown(form);
        },
        kRounds);

    // A held key: many steps come before the first picture is decoded; only the last counts.
    QElapsedTimer held;
    held.start();
    for (int i = 0; i < kHeldSteps; ++i) pressShiftDown(form.lb_Avant);
    waitUntilShown(form);
    const double heldMs = held.nsecsElapsed() / 1e6;
    WaitForBackgroundDecodes(-1);
    const int last = form.lb_Avant->selectedItems().size();
    const bool lastShown = form.ImageV_2->fileName().endsWith(
        QStringLiteral("%1  Rome.jpg").arg(last, 4, 10, QLatin1Char('0')));

    // Both slots change: a pair of pictures further on is selected at once.
    int pair = 0;
    const Timings both = TimeAlternately(
        decodeOne,
        [&] {
            const int first = kPictures / 2 + 2 * pair++;
            QAbstractItemModel* model = form.lb_Avant->model();
            form.lb_Avant->selectionModel()->select(
                QItemSelection(model->index(first, 0), model->index(first + 1, 0)),
                QItemSelectionModel::ClearAndSelect);
            waitUntilShown(form);
        },
        kRounds / 2);

    std::printf("select-step: pictures of %.1f MB, %d x %d, shown in slots of %d x %d\n",
                QFileInfo(QString::fromStdString(sources[0])).size() / 1e6, kCameraWidth,
                kCameraHeight, form.ImageV_1->width(), form.ImageV_1->height());
    std::printf("select-step: %d steps at once shown after %.1f ms, the last picture %s\n",
                kHeldSteps, heldMs, lastShown ? "in slot 2" : "NOT in slot 2");
    std::printf(
        "select-step: both slots anew: median %.1f ms against %.1f ms, ratio %.2f "
        "(%.2f to %.2f)\n",
        both.measuredMedian() * 1e3, both.baselineMedian() * 1e3, both.ratio(), both.lowestRatio(),
        both.highestRatio());
    PrintBench("select-step", t, 2.5);
    return lastShown ? 0 : 1;
}
