// The window state table: what each state does to each control of the main window.
#include "gui/naming/windowstates.h"

namespace lumaro {

const std::vector<WindowStateRow>& WindowStateTable() {
    // One row a control, one column a state, aligned by hand.
    // clang-format off
    //                                   0     1     2     3     4     5     6     7     8     10    11    12-16 17-18 19    20
    static const std::vector<WindowStateRow> table = {
        {"cb_Dossier",             {"",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "D",  "E"}},
        {"cb_Sort",                {"D",  "a",  "D",  "E",  "D",  "E",  "D",  "E",  "D",  "E",  "E",  "D",  "E",  "D",  "E"}},
        {"cb_Tout",                {"D",  "a",  "E",  "Et", "E",  "E",  "D",  "E",  "D",  "E",  "E",  "D",  "E",  "D",  "E"}},
        {"cb_Renommer",            {"DS", "DS", "ES", "DS", "ES", "DS", "DH", "DS", "DH", "ES", "DS", "D",  "D",  "E",  "E"}},
        {"cb_AnnulerRenommage",    {"DH", "DH", "D",  "DH", "DH", "DH", "ES", "DH", "DH", "DH", "DH", "D",  "DH", "D",  "D"}},
        {"cb_Renumeroter",         {"DS", "DS", "ES", "DS", "ES", "DS", "DS", "DS", "DH", "DS", "DS", "D",  "D",  "D",  "E"}},
        {"cb_AnnulerRenumerotage", {"DH", "DH", "D",  "DH", "DH", "DH", "DH", "DH", "ES", "DH", "DH", "D",  "DH", "",   ""}},
        {"cb_Appliquer",           {"DS", "DH", "D",  "DH", "DS", "DS", "ES", "DS", "ES", "DH", "DS", "D",  "D",  "",   ""}},
        {"cb_AnnulerApplication",  {"DH", "DH", "DH", "DH", "DH", "DH", "DH", "DH", "DH", "ES", "DH", "D",  "D",  "",   ""}},
        {"cb_Diaporama",           {"DS", "E",  "",   "",   "",   "",   "",   "",   "",   "",   "",   "D",  "E",  "D",  "E"}},
        {"cb_VersDossier",         {"D",  "D",  "E",  "D",  "E",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "E"}},
        {"cb_Memo",                {"E",  "E",  "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   ""}},
        {"pictbttn_ClearSnapkeep", {"H",  "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   ""}},
        {"pictbttn_ToStart10",     {"D",  "D",  "b",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "",   "D",  "D",  "E"}},
        {"pictbttn_ToStart1",      {"D",  "D",  "b",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "",   "D",  "D",  "E"}},
        {"pictbttn_TargetMove",    {"D",  "D",  "b",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "",   "d",  "D",  "E"}},
        {"pictbttn_ToEnd1",        {"D",  "D",  "b",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "",   "D",  "D",  "E"}},
        {"pictbttn_ToEnd10",       {"D",  "D",  "b",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "",   "D",  "D",  "E"}},
        {"cb_AccepterDeplacer",    {"D",  "D",  "c",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "E",  "D",  "D",  "D"}},
        {"cb_AnnulerDeplacer",     {"D",  "D",  "c",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "D",  "E",  "D",  "D",  "D"}},
        {"pictbttn_Del",           {"",   "",   "E",  "D",  "D",  "",   "",   "",   "",   "D",  "",   "D",  "E",  "D",  "E"}},
        {"pictbttn_Date",          {"E",  "E",  "",   "",   "",   "",   "D",  "E",  "D",  "E",  "",   "",   "",   "",   ""}},
        {"lb_Avant",               {"",   "",   "E",  "E",  "",   "",   "D",  "E",  "D",  "E",  "E",  "D",  "E",  "D",  "E"}},
    };
    // clang-format on
    return table;
}

int StateColumn(WindowState state) {
    switch (state) {
        case WindowState::NoFolder:
            return 0;
        case WindowState::FolderLoaded:
            return 1;
        case WindowState::PicturesSelected:
            return 2;
        case WindowState::NothingSelected:
            return 3;
        case WindowState::AllSelected:
            return 4;
        case WindowState::SelectionCleared:
            return 5;
        case WindowState::RenamePending:
            return 6;
        case WindowState::ProposalCancelled:
            return 7;
        case WindowState::RenumberingPending:
            return 8;
        case WindowState::NamesApplied:
            return 9;
        case WindowState::ApplyCancelled:
            return 10;
        case WindowState::MovedTenTowardStart:
        case WindowState::MovedOneTowardStart:
        case WindowState::MovedToTarget:
        case WindowState::MovedOneTowardEnd:
        case WindowState::MovedTenTowardEnd:
            return 11;
        case WindowState::MoveAccepted:
        case WindowState::MoveCancelled:
            return 12;
        case WindowState::PhotoWindowOpen:
            return 13;
        case WindowState::PhotoWindowClosed:
            return 14;
        default:
            return -1;
    }
}

}  // namespace lumaro
