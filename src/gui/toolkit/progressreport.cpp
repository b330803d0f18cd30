// Progress of long work: the bar's range and value, and how often the window is repainted.
#include "gui/toolkit/progressreport.h"

#include <QProgressBar>
#include <QWidget>
#include <algorithm>

namespace lumaro {

void ProgressReport::attach(QWidget* window, QProgressBar* bar) {
    window_ = window;
    bar_ = bar;
}

// Work started by the user's action begins on a window the event loop has just drawn: its next
// repaint is due one interval later, so short work paints no more than the bar. The bar starts
// empty on a range of its own: never where an earlier operation left it.
void ProgressReport::start(int total) {
    bar_->setRange(0, std::max(total, 1));
    bar_->setValue(0);
    bar_->show();
    sinceWindowPainted.start();
    sinceProgressPainted.start();
}

// Painting costs more than a step of most loops, and the bar paints itself whenever its value
// moves visibly: it is given a new value at screen rate at most. The whole window is repainted
// often enough that it never looks frozen during a long listing, and not so often that the
// painting slows the listing.
void ProgressReport::show(int done, int total) {
    constexpr qint64 kWindowPaintInterval = 50;  // milliseconds
    constexpr qint64 kProgressPaintInterval = 16;
    const bool window =
        !sinceWindowPainted.isValid() || sinceWindowPainted.elapsed() >= kWindowPaintInterval;
    if (!window && sinceProgressPainted.elapsed() < kProgressPaintInterval) return;
    if (bar_->maximum() != total) bar_->setRange(0, std::max(total, 1));
    bar_->setValue(done);
    sinceProgressPainted.start();
    if (window) {
        window_->repaint();
        sinceWindowPainted.start();
    }
}

void ProgressReport::showStep(int done) { bar_->setValue(done); }

void ProgressReport::finish() { bar_->hide(); }

void ProgressReport::run(const std::function<void(const ListProgress&)>& work) {
    start();
    work(reporter());
    finish();
}

ListProgress ProgressReport::reporter() {
    return [this](int done, int total) { show(done, total); };
}

}  // namespace lumaro
