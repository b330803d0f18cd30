// The naming area's rows of the main window's template.
#include "gui/naming/namingcontrols.h"

namespace lumaro {

namespace {
using K = ControlKind;
constexpr const char* kBold10 = "10.MS Sans Serif.Bold";
constexpr const char* kBold8 = "8.MS Sans Serif.Bold";

std::vector<ControlSpec> buildTable() {
    std::vector<ControlSpec> table = {
        {101, "lb_Avant", K::ListBox, "", 103, 33, 186, 237, nullptr, nullptr, nullptr, false},
        {102, "label_Caption", K::Label, "Racine :", 108, 307, 29, 11, nullptr, nullptr, nullptr,
         false},
        {103, "cb_Dossier", K::Button, "Dossier", 15, 34, 70, 16, kBold10, nullptr, nullptr, false},
        {105, "cb_Renommer", K::Button, "Renommer", 15, 94, 70, 16, nullptr, nullptr, nullptr,
         false},
        {106, "textb_Dossier", K::ReadOnlyTextBox, "", 97, 10, 205, 13, nullptr, nullptr, nullptr,
         false},
        {107, "lb_Apres", K::Store, "", 507, 226, 16, 15, nullptr, nullptr, nullptr, true},
        {108, "cb_Tout", K::Button, "Sélectionner Tout", 15, 64, 70, 16, nullptr, nullptr, nullptr,
         false},
        {109, "groupb_FileName", K::GroupBox, "Noms des fichiers", 17, 294, 471, 47, kBold8,
         nullptr, nullptr, false},
        {110, "cb_Appliquer", K::Button, "Appliquer", 15, 129, 70, 16, nullptr, nullptr, nullptr,
         false},
        {111, "cb_AnnulerRenommage", K::Button, "Annuler Renommage", 15, 109, 70, 11, nullptr,
         nullptr, nullptr, false},
        {112, "lb_Olds", K::Store, "", 487, 225, 15, 15, nullptr, nullptr, nullptr, true},
        {113, "cb_AnnulerApplication", K::Button, "Annuler Application", 15, 149, 70, 10, nullptr,
         nullptr, nullptr, false},
        {114, "label_Avant", K::Label, "Sur disque", 175, 25, 41, 8, kBold8, nullptr, nullptr,
         false},
        {115, "pictbttn_ToStart1", K::PictureButton, "", 317, 77, 26, 20, nullptr, "ToStart1",
         nullptr, false},
        {116, "pictbttn_ToEnd1", K::PictureButton, "", 317, 137, 26, 20, nullptr, "ToEnd1", nullptr,
         false},
        {117, "cb_AccepterDeplacer", K::Button, "Accepter", 303, 179, 56, 16, nullptr, nullptr,
         nullptr, false},
        {118, "groupb_Move", K::GroupBox, "Déplacer", 303, 38, 66, 236, kBold8, nullptr, nullptr,
         false},
        {119, "cb_AnnulerDeplacer", K::Button, "Annuler Dépl.", 303, 209, 55, 16, nullptr, nullptr,
         nullptr, false},
        {120, "pictbttn_ToStart10", K::PictureButton, "", 317, 52, 26, 20, nullptr, "ToStart10",
         nullptr, false},
        {121, "pictbttn_ToEnd10", K::PictureButton, "", 317, 162, 26, 20, nullptr, "ToEnd10",
         nullptr, false},
        {122, "pictbttn_TargetMove", K::PictureButton, "", 317, 107, 26, 21, nullptr, "ToTarget",
         nullptr, false},
        {123, "groupb_Scale", K::GroupBox, "", 317, 47, 26, 135, nullptr, nullptr, nullptr, false},
        {127, "label_Dossier", K::Label, "Dossier en cours :", 28, 12, 57, 8, nullptr, nullptr,
         nullptr, false},
        {128, "pictbttn_ClearTypes", K::PictureButton, "", 22, 318, 18, 16, nullptr, "Del", "Types",
         false},
        {129, "pictbttn_ClearCaptions", K::PictureButton, "", 113, 318, 18, 15, nullptr, "Del",
         "Captions", false},
        {131, "label_Type", K::Label, "Type :", 20, 307, 20, 8, nullptr, nullptr, nullptr, false},
        {133, "label_FichiersAuDossier", K::Label, "Fichiers au dossier :", 305, 12, 62, 8, nullptr,
         nullptr, nullptr, false},
        {134, "textb_FichiersAuDossier", K::CentredReadOnlyTextBox, "", 373, 10, 22, 13, nullptr,
         nullptr, nullptr, false},
        {146, "cb_Renumeroter", K::Button, "Rénumeroter", 15, 164, 70, 14, nullptr, nullptr,
         nullptr, false},
        {147, "cb_AnnulerRenumerotage", K::Button, "Annuler Rénuméroter", 15, 178, 70, 11, nullptr,
         nullptr, nullptr, false},
        {158, "textb_Caption", K::TextBox, "", 142, 304, 223, 14, nullptr, nullptr, nullptr, false},
        {159, "textb_FileType", K::TextBox, "", 47, 307, 37, 13, nullptr, nullptr, nullptr, false},
        {160, "combo_Captions", K::ComboBox, "", 143, 323, 221, 77, nullptr, nullptr, nullptr,
         false},
        {161, "combo_FileTypes", K::ComboBox, "", 48, 321, 36, 77, nullptr, nullptr, nullptr,
         false},
        {162, "lb_Sorted", K::Store, "", 488, 246, 16, 15, nullptr, nullptr, nullptr, true},
        {184, "cb_Sort", K::Button, "Tri", 17, 50, 70, 13, nullptr, nullptr, nullptr, false},
    };
    return table;
}
}  // namespace

const std::vector<ControlSpec>& NamingAreaControls() {
    static const std::vector<ControlSpec> table = buildTable();
    return table;
}

}  // namespace lumaro
