// The main window's template: every control with its id, name, kind, text, place and font; the
// window's own rows here, the areas' rows in their folders.
#include "gui/app/controltable.h"

#include <algorithm>

#include "gui/naming/namingcontrols.h"
#include "gui/pictures/picturecontrols.h"

namespace lumaro {

namespace {
using K = ControlKind;
constexpr const char* kBold10 = "10.MS Sans Serif.Bold";
constexpr const char* kBold8 = "8.MS Sans Serif.Bold";

std::vector<ControlSpec> buildAll() {
    std::vector<ControlSpec> all = WindowOwnControls();
    for (const auto* area : {&NamingAreaControls(), &PicturesAreaControls()})
        all.insert(all.end(), area->begin(), area->end());
    std::sort(all.begin(), all.end(),
              [](const ControlSpec& a, const ControlSpec& b) { return a.id < b.id; });
    return all;
}
}  // namespace

const std::vector<ControlSpec>& WindowOwnControls() {
    static const std::vector<ControlSpec> table = {
        {104, "cb_Quit", K::Button, "Merci", 17, 234, 68, 16, kBold10, nullptr, nullptr, false},
        {125, "cb_Aide", K::Button, "Aide", 448, 10, 24, 13, nullptr, nullptr, nullptr, false},
        {132, "groupb_Exec", K::GroupBox, "Exécution", 15, 28, 80, 241, kBold8, nullptr, nullptr,
         false},
        {135, "pictb_Last", K::PictureBox, "", 585, 265, 0, 0, nullptr, nullptr, nullptr, false},
        {145, "progb_1", K::ProgressBar, "", 373, 130, 104, 10, nullptr, nullptr, nullptr, false},
        {157, "cb_About", K::Button, "Info", 475, 10, 24, 13, nullptr, nullptr, nullptr, false},
        {182, "combo_Languages", K::ComboBox, "", 397, 11, 52, 77, nullptr, nullptr, nullptr,
         false},
    };
    return table;
}

const std::vector<ControlSpec>& MainWindowControls() {
    static const std::vector<ControlSpec> table = buildAll();
    return table;
}

}  // namespace lumaro
