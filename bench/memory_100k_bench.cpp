// Memory of the window with a list of 100,000 pictures and all seventeen viewers showing
// 24-megapixel pictures: the resident size in MB (the ratio against 1 MB), target 300 MB.
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>
#include <fstream>

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
constexpr int kPictures = 100000;
constexpr double kTargetMegabytes = 300;

double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    }
    return 0;
}
}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TempFolder home("memory-100k-home");
    TempFolder pictures("memory-100k");
    qputenv("LUMARO_HOME", QByteArray::fromStdString(home.path()));
    // Histories of the folders it numbers go there too, never to the user's state folder.
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(home.path()));
    QApplication app(argc, argv);

    const QString camera = QString::fromStdString(home.path() + "/camera.jpg");
    WriteCameraPicture(camera, 7);
    char name[80];
    for (int i = 1; i <= kPictures; ++i) {
        std::snprintf(name, sizeof name, "%06d  Vacances en Italie %d.jpg", i, i % 37);
        WriteFile(pictures.path(), name, "x");
    }
    SetDialogService(std::make_unique<FolderAnswer>(QString::fromStdString(pictures.path())));
    Form1 form;
    form.show();
    const double started = residentMegabytes();
    form.cb_Dossier->click();
    if (form.lb_Avant->count() != kPictures) {
        std::fprintf(stderr, "the folder did not load: %d pictures\n", form.lb_Avant->count());
        return 1;
    }
    const double listed = residentMegabytes();
    const QList<ImageViewerControl*> viewers = form.findChildren<ImageViewerControl*>();
    for (ImageViewerControl* viewer : viewers) {
        viewer->setDisplayOn(true);
        viewer->setFileName(camera);
    }
    const auto allShown = [&] {
        for (const ImageViewerControl* viewer : viewers) {
            if (viewer->decodedSize().isEmpty()) return false;
        }
        return true;
    };
    while (!allShown()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    WaitForBackgroundDecodes(-1);
    QCoreApplication::processEvents();
    const double shown = residentMegabytes();

    std::printf(
        "memory-100k: %.0f MB with the window, %.0f MB with %d pictures listed, "
        "%.0f MB with %d viewers showing %dx%d pictures\n",
        started, listed, kPictures, shown, static_cast<int>(viewers.size()), kCameraWidth,
        kCameraHeight);
    PrintBenchRatio("memory-100k", shown, kTargetMegabytes);
    return viewers.size() == 17 ? 0 : 1;
}
