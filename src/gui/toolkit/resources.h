// The icons and viewer start data compiled into the program.
#pragma once

namespace lumaro {

// Registers the compiled-in resources; the GUI library is static, so nothing else pulls
// them in. Safe to call more than once.
void InitResources();

}  // namespace lumaro
