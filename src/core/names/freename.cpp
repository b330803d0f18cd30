// The names a file takes when its own is taken (see freename.h).
#include "core/names/freename.h"

namespace lumaro {

std::string NthFreeName(std::string_view base, int n) {
    std::string name(base);
    if (n > 1) name += " (" + std::to_string(n) + ")";
    return name;
}

int FirstFreeNumber(std::string_view base, const std::vector<const std::string*>& rests,
                    const std::function<bool(const std::string& name)>& taken, int first,
                    int last) {
    for (int n = first; n <= last; ++n) {
        const std::string name = NthFreeName(base, n);
        bool free = true;
        for (size_t k = 0; free && k < rests.size(); ++k) free = !taken(name + *rests[k]);
        if (free) return n;
    }
    return 0;
}

}  // namespace lumaro
