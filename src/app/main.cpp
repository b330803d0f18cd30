// Lumaro: gives the photos of a folder meaningful numbered names.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/closeonsignal.h"
#include "app/form1.h"
#include "settings/constants.h"

int main(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Lumaro %s\n", lumaro::kVersionText);
            return 0;
        }
    }
    QApplication app(argc, argv);
    lumaro::Form1 form;
    lumaro::CloseOnTerminationSignals(&form);
    form.show();
    return app.exec();
}
