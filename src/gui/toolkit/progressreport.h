// The progress of long work on a window's progress bar, painted no more often than a screen
// shows it, with the window repainted often enough that it never looks frozen.
#pragma once

#include <QElapsedTimer>
#include <functional>

#include "core/listing/folderlisting.h"

class QProgressBar;
class QWidget;

namespace lumaro {

class ProgressReport {
public:
    // Reports on `bar`, repainting `window` as the work goes.
    void attach(QWidget* window, QProgressBar* bar);

    // Shows the bar empty on a range of `total` steps; a loop that learns its total as it goes
    // sets it through show().
    void start(int total = 1);
    void show(int done, int total);
    // One whole step done, shown at once: for loops whose every step is slow.
    void showStep(int done);
    void finish();
    // Runs `work` between start() and finish(), with show() as its progress.
    void run(const std::function<void(const ListProgress&)>& work);
    // show() as a ListProgress, for work that reports as it goes.
    ListProgress reporter();

private:
    QWidget* window_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QElapsedTimer sinceWindowPainted;    // long loops repaint the window a few times a second
    QElapsedTimer sinceProgressPainted;  // and the bar as often as a screen shows it
};

}  // namespace lumaro
