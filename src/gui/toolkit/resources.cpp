// Loading the resources compiled into the program, once.
#include "gui/toolkit/resources.h"

#include <QtGlobal>

static void initLumaroResources() { Q_INIT_RESOURCE(lumaro); }

namespace lumaro {

void InitResources() {
    static const bool done = [] {
        initLumaroResources();
        return true;
    }();
    (void)done;
}

}  // namespace lumaro
