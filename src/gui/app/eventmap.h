// The event map of the main window: one row per event of one control, naming the handler
// of Form1 that the event runs.
#pragma once

#include <functional>
#include <vector>

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

const char* EventName(WindowEvent event);

}  // namespace lumaro
