// The names a file takes when its own is taken (see freename.h).
#include "core/names/freename.h"

namespace lumaro {

std::string NthFreeName(std::string_view base, int n) {
    std::string name(base);
    if (n > 1) name += " (" + std::to_string(n) + ")";
    return name;
}

}  // namespace lumaro
