// The step the renaming benchmarks time: a renumbering of the whole list, applied.
#pragma once

#include <chrono>
#include <vector>

#include "core/naming/picturelist.h"
#include "core/renaming/apply.h"
#include "core/renaming/renumber.h"
#include "operations/applyoperation.h"

namespace lumaro::bench {

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Renumbers every picture of `list` from `first` (not timed), then applies it (timed) as the
// window and the command line apply it, the history written (its check left out).
inline double ApplyRenumbering(PictureList& list, long long first) {
    std::vector<int> all(list.avant.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    Renumber(list, all, first, "5");
    const auto start = std::chrono::steady_clock::now();
    ApplyOperation(list, {}).run({.historyWaived = true});
    return SecondsSince(start);
}

}  // namespace lumaro::bench
