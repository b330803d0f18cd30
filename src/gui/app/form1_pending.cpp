// Handlers whose work arrives with later parts of the program. Each is routed by the event
// map already, so wiring them up later changes no table.
#include "app/form1.h"

namespace lumaro {

// Snapkeep and the slide show.
void Form1::cb_Diaporama_Click() {}

}  // namespace lumaro
