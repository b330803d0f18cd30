// Loading a folder of 10,000 numbered pictures in the real window, from the click on the
// folder button to the listed state, against the core listing of the same folder alone. A
// second line gives the longest time without a repaint of the window while the same folder is
// listed by date from a cold disk, against the tenth of a second a person notices.
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "benchsupport.h"
#include "core/listing/folderlisting.h"
#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/toolkit/dialogservice.h"

using namespace lumaro;
using namespace lumaro::bench;

namespace {
constexpr int kPictures = 10000;

// Chooses the benchmark folder whenever the window asks for one.
class FolderAnswer : public DialogService {
public:
    explicit FolderAnswer(QString folder) : folder_(std::move(folder)) {}
    void message(QWidget*, const QString&, const QString& text) override {
        if (text != expected) std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    QString expected;  // the pictures have no date: a listing by date says so
    int question(QWidget*, const QString&, const QString&) override { return kAnswerNo; }
    int choose(QWidget*, const QString&, const QString&, const QStringList& choices) override {
        return static_cast<int>(choices.size()) - 1;
    }
    std::optional<QString> browseFolder(QWidget*, const QString&) override { return folder_; }
    int execDialog(QDialog&) override { return QDialog::Rejected; }

private:
    QString folder_;
};
// The times at which the window was painted.
class PaintClock : public QObject {
public:
    explicit PaintClock(QWidget* window) : window_(window) { window->installEventFilter(this); }
    std::vector<double> times;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint) times.push_back(now());
        return false;
    }
    static double now() {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

private:
    QWidget* window_;
};

// The longest time in seconds between the click, each repaint of the window and the end.
double longestWithoutRepaint(Form1& form, const std::string& folder) {
    if (!form.pictures.sortByDateNext) form.cb_Sort->click();
    EvictFromPageCache(folder);
    PaintClock clock(&form);
    const double start = PaintClock::now();
    form.cb_Sort->click();
    clock.times.push_back(PaintClock::now());
    double longest = 0, last = start;
    for (double time : clock.times) {
        longest = std::max(longest, time - last);
        last = time;
    }
    return longest;
}
}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TempFolder home("gui-load-home");
    TempFolder pictures("gui-load");
    qputenv("LUMARO_HOME", QByteArray::fromStdString(home.path()));
    // Histories of the folders it numbers go there too, never to the user's state folder.
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(home.path()));
    QApplication app(argc, argv);

    char name[64];
    for (int i = 1; i <= kPictures; ++i) {
        std::snprintf(name, sizeof name, "%05d  Vacances en Italie %d.jpg", i, i % 37);
        WriteFile(pictures.path(), name, "x");
    }
    auto answers = std::make_unique<FolderAnswer>(QString::fromStdString(pictures.path()));
    FolderAnswer* answer = answers.get();
    SetDialogService(std::move(answers));
    Form1 form;
    form.show();
    // A window that was never exposed paints nothing: the repaint clock would time the listing.
    while (!form.windowHandle() || !form.windowHandle()->isExposed()) app.processEvents();

    const Timings t = TimeAlternately(
        [&] { KeepResult(ListFolderOrdered(pictures.path() + "/", "jpg", ListCriterion::Name)); },
        [&] {
            form.cb_Dossier->click();
            if (form.mainWindowState() != WindowState::FolderLoaded ||
                form.lb_Avant->count() != kPictures) {
                std::fprintf(stderr, "the folder did not load: state %d, %d pictures\n",
                             static_cast<int>(form.mainWindowState()), form.lb_Avant->count());
                std::exit(1);
            }
        },
        7);
    answer->expected = form.message(kMessageUndatedPicturesFirst);
    const double longest = longestWithoutRepaint(form, pictures.path());
    std::printf(
        "gui-load: listed by date from a cold disk, the window went at most %.0f ms "
        "without a repaint\n",
        longest * 1e3);
    PrintBench("gui-load", t, 2);
    // The window must never go longer than a tenth of a second without being drawn.
    PrintBenchRatio("gui-load-repaint", longest / 0.1, 1);
    return 0;
}
