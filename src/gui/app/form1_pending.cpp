// Handlers whose work arrives with later parts of the program. Each is routed by the event
// map already, so wiring them up later changes no table.
#include "app/form1.h"

namespace lumaro {

// Snapkeep and the slide show.
void Form1::cb_Diaporama_Click() {}
void Form1::ThumbnailClick(int) {}
void Form1::ThumbnailDoubleClick(int) {}
void Form1::cb_Memo_Click() {}
void Form1::cb_Memo_RightButtonUp() {}
void Form1::pictbttn_ClearSnapkeep_Click() {}

}  // namespace lumaro
