// The stored start state of the seventeen viewers of the main window.
#pragma once

#include <QString>
#include <vector>

namespace lumaro {

struct ViewerStartData {
    QString name;
    int displayMode = 10;
    bool displayOn = false;
    // The large viewers offer no drag-out, clipboard, edit menu or link updates.
    bool sitePassive = false;
};

// Read from the program's resources, in creation order.
std::vector<ViewerStartData> StoredViewerData();

}  // namespace lumaro
