// The event map of the main window: one row per event of one control, naming the handler of
// Form1 or of the area that owns the control, which the event runs.
#pragma once

#include <functional>
#include <vector>

class QWidget;

namespace lumaro {

class Form1;

enum class WindowEvent {
    Create,
    Close,
    Destroy,
    Click,
    Select,
    Change,
    RightButtonDown,
    RightButtonUp,
    DoubleClick,
    ImageViewerClick,
    ImageViewerDblClick,
    Timer,
};

struct EventMapRow {
    const char* control;  // objectName of the control, or "Form1"
    WindowEvent event;
    const char* handlerName;
    std::function<void(Form1&)> handler;
};

const std::vector<EventMapRow>& Form1EventMap();

// Connects each row of the map to the Qt signal or mouse event of the control of `window` that
// raises it; `dispatch` runs the row. The window's own rows (Create, Close, Destroy) are raised
// by the window itself.
void AttachEventMap(QWidget& window, const std::function<void(const EventMapRow&)>& dispatch);

const char* EventName(WindowEvent event);

}  // namespace lumaro
