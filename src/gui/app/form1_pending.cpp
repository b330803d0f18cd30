// Handlers whose work arrives with later parts of the program. Each is routed by the event
// map already, so wiring them up later changes no table.
#include "app/form1.h"

namespace lumaro {

// Naming: rename, apply, moves and renumbering.
void Form1::cb_Renommer_Click() {}
void Form1::cb_Appliquer_Click() {}
void Form1::cb_AnnulerRenommage_Click() {}
void Form1::cb_AnnulerApplication_Click() {}
void Form1::pictbttn_ToStart1_Click() {}
void Form1::pictbttn_ToEnd1_Click() {}
void Form1::cb_AccepterDeplacer_Click() {}
void Form1::cb_AnnulerDeplacer_Click() {}
void Form1::pictbttn_ToStart10_Click() {}
void Form1::pictbttn_ToEnd10_Click() {}
void Form1::pictbttn_TargetMove_Click() {}
void Form1::cb_Renumeroter_Click() {}
void Form1::cb_AnnulerRenumerotage_Click() {}
void Form1::pictbttn_ClearCaptions_Click() {}
void Form1::pictbttn_ClearCaptions_RightButtonUp() {}
void Form1::textb_Caption_Change() {}
void Form1::combo_Captions_Select() {}

// Picture operations, the single-picture window, Snapkeep and the slide show.
void Form1::ImageV_1_Click() {}
void Form1::ImageV_2_Click() {}
void Form1::pictbttn_090_Click() {}
void Form1::pictbttn_270_Click() {}
void Form1::pictbttn_180_Click() {}
void Form1::pictbttn_Del_Click() {}
void Form1::cb_Diaporama_Click() {}
void Form1::cb_VersDossier_Click() {}
void Form1::ThumbnailClick(int) {}
void Form1::ThumbnailDoubleClick(int) {}
void Form1::cb_Memo_Click() {}
void Form1::cb_Memo_RightButtonUp() {}
void Form1::pictbttn_ClearSnapkeep_Click() {}

}  // namespace lumaro
