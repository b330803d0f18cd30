// Lumaro: gives the photos of a folder meaningful numbered names.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/files/folderentries.h"
#include "core/settings/constants.h"
#include "gui/app/closeonsignal.h"
#include "gui/app/form1.h"
#include "gui/app/startoptions.h"

namespace {
lumaro::StartOptions parse(int argc, char* argv[]) {
    std::error_code error;
    return lumaro::ParseStartOptions(std::vector<std::string>(argv + 1, argv + argc),
                                     std::filesystem::current_path(error).string());
}
}  // namespace

int main(int argc, char* argv[]) {
    lumaro::SetHomeWhenUnset();  // the Trash finds the home the history uses
    // --help and --version answer without a display, before Qt takes its own options.
    if (const lumaro::StartOptions early = parse(argc, argv); early.help || early.version) {
        if (early.help)
            std::fputs(lumaro::StartHelpText(lumaro::FindProgramFolders()).c_str(), stdout);
        else
            std::printf("Lumaro %s\n", lumaro::kVersionText);
        return 0;
    }
    QApplication app(argc, argv);
    // Taskbars and Wayland compositors find the icon and the name through the desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.lumaro.Lumaro"));
    const lumaro::StartOptions options = parse(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "lumaro: %s (lumaro --help lists the options)\n",
                     options.error.c_str());
        return 1;
    }
    lumaro::Form1 form;
    lumaro::CloseOnTerminationSignals(&form);
    form.show();
    if (!options.folder.empty()) {
        // Once the window shows, so that the first-numbering dialog opens over it.
        QTimer::singleShot(0, &form,
                           [&form, folder = options.folder] { form.OpenFolderAtStart(folder); });
    }
    return app.exec();
}
