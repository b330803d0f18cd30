// The pictures area's rows of the main window's template.
#include "gui/pictures/picturecontrols.h"

namespace lumaro {

namespace {
using K = ControlKind;
constexpr const char* kNarrow = "8.Arial Narrow";

std::vector<ControlSpec> buildTable() {
    std::vector<ControlSpec> table = {
        {141, "textb_2C", K::TextBox, "", 373, 228, 106, 10, nullptr, nullptr, nullptr, false},
        {142, "textb_2N", K::TextBox, "", 379, 259, 106, 10, nullptr, nullptr, nullptr, false},
        {143, "textb_1C", K::TextBox, "", 373, 108, 106, 10, nullptr, nullptr, nullptr, false},
        {144, "textb_1N", K::TextBox, "", 373, 118, 106, 10, nullptr, nullptr, nullptr, false},
        {148, "pictbttn_090", K::PictureButton, "", 485, 33, 17, 17, nullptr, "Rotate90", nullptr,
         false},
        {149, "pictbttn_270", K::PictureButton, "", 485, 71, 17, 17, nullptr, "Rotate270", nullptr,
         false},
        {150, "pictbttn_180", K::PictureButton, "", 485, 51, 17, 17, nullptr, "Rotate180", nullptr,
         false},
        {151, "pictbttn_Del", K::PictureButton, "", 485, 90, 17, 17, nullptr, "Del", nullptr,
         false},
        {152, "cb_Diaporama", K::Button, "Diaporama", 19, 197, 66, 16, nullptr, nullptr, nullptr,
         false},
        {156, "cb_VersDossier", K::Button, "Vers Dossier", 305, 234, 58, 13, nullptr, nullptr,
         nullptr, false},
        {176, "cb_Memo", K::Button, "Memo", 1, 344, 24, 19, nullptr, nullptr, nullptr, false},
        {178, "textb_F", K::CentredReadOnlyTextBox, "123456", 359, 280, 30, 10, kNarrow, nullptr,
         nullptr, true},
        {179, "textb_L", K::CentredReadOnlyTextBox, "", 425, 281, 18, 8, kNarrow, nullptr, nullptr,
         true},
        {180, "textb_S", K::CentredReadOnlyTextBox, "", 397, 280, 18, 10, kNarrow, nullptr, nullptr,
         true},
        {185, "pictbttn_Date", K::PictureButton, "", 485, 109, 17, 14, nullptr, "DateShow", nullptr,
         false},
    };
    // The twelve caption boxes under the thumbnails, ids 186 to 197, evenly from x 32 to 391.
    static const char* const kMpNames[12] = {"textb_MP0", "textb_MP1", "textb_MP2",  "textb_MP3",
                                             "textb_MP4", "textb_MP5", "textb_MP6",  "textb_MP7",
                                             "textb_MP8", "textb_MP9", "textb_MP10", "textb_MP11"};
    for (int i = 0; i < 12; ++i) {
        table.push_back({186 + i, kMpNames[i], K::ReadOnlyTextBox, "", 32 + i * (391 - 32) / 11,
                         370 + (i == 11 ? 2 : 0), i == 11 ? 26 : 25, 5, kNarrow, nullptr, nullptr,
                         true});
    }
    table.push_back({198, "pictbttn_ClearSnapkeep", K::PictureButton, "", 4, 366, 18, 14, nullptr,
                     "Del", "Captions", false});
    return table;
}
}  // namespace

const std::vector<ControlSpec>& PicturesAreaControls() {
    static const std::vector<ControlSpec> table = buildTable();
    return table;
}

}  // namespace lumaro
