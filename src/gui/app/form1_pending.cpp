// Handlers whose work arrives with later parts of the program. Each is routed by the event
// map already, so wiring them up later changes no table.
#include "app/form1.h"

namespace lumaro {

// Picture operations and Snapkeep.
void Form1::pictbttn_090_Click() {}
void Form1::pictbttn_270_Click() {}
void Form1::pictbttn_180_Click() {}
void Form1::pictbttn_Del_Click() {}
void Form1::cb_VersDossier_Click() {}

}  // namespace lumaro
