// The rows of the main window's event map, and the names of its events.
#include "gui/app/eventmap.h"

#include <string>

#include "gui/app/form1.h"
#include "gui/naming/namingarea.h"
#include "gui/pictures/picturesarea.h"

namespace lumaro {

namespace {
using E = WindowEvent;
#define ROW(control, event, handler) \
    { control, E::event, #handler, &Form1::handler }
// A row whose handler is the naming area's.
#define NAMING(control, event, handler)                                           \
    {                                                                             \
        control, E::event, #handler, [](Form1& form) { form.naming().handler(); } \
    }
// A row whose handler is the pictures area's.
#define PICTURES(control, event, handler)                                               \
    {                                                                                   \
        control, E::event, #handler, [](Form1& form) { form.picturesArea().handler(); } \
    }

// The thumbnails share two handlers; each row only passes its own index.
void addThumbnailRows(std::vector<EventMapRow>& rows, int first, int last) {
    static const char* const kNames[12] = {"IV_00", "IV_01", "IV_02", "IV_03", "IV_04", "IV_05",
                                           "IV_06", "IV_07", "IV_08", "IV_09", "IV_10", "IV_11"};
    for (int i = first; i <= last; ++i) {
        rows.push_back({kNames[i], E::ImageViewerClick, "ThumbnailClick",
                        [i](Form1& form) { form.picturesArea().ThumbnailClick(i); }});
        rows.push_back({kNames[i], E::ImageViewerDblClick, "ThumbnailDoubleClick",
                        [i](Form1& form) { form.picturesArea().ThumbnailDoubleClick(i); }});
    }
}

std::vector<EventMapRow> buildMap() {
    std::vector<EventMapRow> rows = {
        ROW("Form1", Create, Form1_Create),
        ROW("Form1", Close, Form1_Close_SaveSettings),
        ROW("Form1", Close, Form1_Close_EndApplication),
        ROW("Form1", Destroy, Form1_Destroy),
        NAMING("lb_Avant", RightButtonDown, lb_Avant_RightButtonDown),
        NAMING("lb_Avant", Select, lb_Avant_Select),
        NAMING("cb_Dossier", Click, cb_Dossier_Click),
        ROW("cb_Quit", Click, cb_Quit_Click),
        NAMING("cb_Renommer", Click, cb_Renommer_Click),
        NAMING("cb_Tout", Click, cb_Tout_Click),
        NAMING("cb_Appliquer", Click, cb_Appliquer_Click),
        NAMING("cb_AnnulerRenommage", Click, cb_AnnulerRenommage_Click),
        NAMING("cb_AnnulerApplication", Click, cb_AnnulerApplication_Click),
        NAMING("pictbttn_ToStart1", Click, pictbttn_ToStart1_Click),
        NAMING("pictbttn_ToEnd1", Click, pictbttn_ToEnd1_Click),
        NAMING("cb_AccepterDeplacer", Click, cb_AccepterDeplacer_Click),
        NAMING("cb_AnnulerDeplacer", Click, cb_AnnulerDeplacer_Click),
        NAMING("pictbttn_ToStart10", Click, pictbttn_ToStart10_Click),
        NAMING("pictbttn_ToEnd10", Click, pictbttn_ToEnd10_Click),
        NAMING("pictbttn_TargetMove", Click, pictbttn_TargetMove_Click),
        ROW("cb_Aide", Click, cb_Aide_Click),
        NAMING("pictbttn_ClearTypes", Click, pictbttn_ClearTypes_Click),
        NAMING("pictbttn_ClearCaptions", Click, pictbttn_ClearCaptions_Click),
        NAMING("pictbttn_ClearCaptions", RightButtonUp, pictbttn_ClearCaptions_RightButtonUp),
        PICTURES("ImageV_1", ImageViewerClick, ImageV_1_Click),
        PICTURES("ImageV_2", ImageViewerClick, ImageV_2_Click),
        NAMING("cb_Renumeroter", Click, cb_Renumeroter_Click),
        NAMING("cb_AnnulerRenumerotage", Click, cb_AnnulerRenumerotage_Click),
        PICTURES("pictbttn_090", Click, pictbttn_090_Click),
        PICTURES("pictbttn_270", Click, pictbttn_270_Click),
        PICTURES("pictbttn_180", Click, pictbttn_180_Click),
        PICTURES("pictbttn_Del", Click, pictbttn_Del_Click),
        PICTURES("cb_Diaporama", Click, cb_Diaporama_Click),
        PICTURES("cb_VersDossier", Click, cb_VersDossier_Click),
        ROW("cb_About", Click, cb_About_Click),
        NAMING("textb_Caption", Change, textb_Caption_Change),
        NAMING("combo_Captions", Select, combo_Captions_Select),
        NAMING("combo_FileTypes", Select, combo_FileTypes_Select),
    };
    addThumbnailRows(rows, 1, 11);
    const std::vector<EventMapRow> tail = {
        PICTURES("cb_Memo", Click, cb_Memo_Click),
        PICTURES("cb_Memo", RightButtonUp, cb_Memo_RightButtonUp),
    };
    rows.insert(rows.end(), tail.begin(), tail.end());
    addThumbnailRows(rows, 0, 0);
    const std::vector<EventMapRow> last = {
        PICTURES("watchTimer", Timer, watchTimer_Timer),
        ROW("combo_Languages", DoubleClick, combo_Languages_DoubleClick),
        ROW("combo_Languages", Select, combo_Languages_Select),
        NAMING("cb_Sort", Click, cb_Sort_Click),
        PICTURES("pictbttn_Date", Click, pictbttn_Date_Click),
        PICTURES("pictbttn_ClearSnapkeep", Click, pictbttn_ClearSnapkeep_Click),
    };
    rows.insert(rows.end(), last.begin(), last.end());
    return rows;
}
#undef ROW
#undef PICTURES
#undef NAMING
}  // namespace

const std::vector<EventMapRow>& Form1EventMap() {
    static const std::vector<EventMapRow> map = buildMap();
    return map;
}

const char* EventName(WindowEvent event) {
    switch (event) {
        case E::Create:
            return "CreateEvent";
        case E::Close:
            return "CloseEvent";
        case E::Destroy:
            return "DestroyEvent";
        case E::Click:
            return "ClickEvent";
        case E::Select:
            return "SelectEvent";
        case E::Change:
            return "ChangeEvent";
        case E::RightButtonDown:
            return "RightButtonDownEvent";
        case E::RightButtonUp:
            return "RightButtonUpEvent";
        case E::DoubleClick:
            return "DoubleClickEvent";
        case E::ImageViewerClick:
            return "ImageViewerClick";
        case E::ImageViewerDblClick:
            return "ImageViewerDblClick";
        case E::Timer:
            return "TimerEvent";
    }
    return "";
}

}  // namespace lumaro
