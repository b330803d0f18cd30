// The names a file takes, in turn, when its own is taken where it goes: "IMG_1", then
// "IMG_1 (2)", "IMG_1 (3)"... Moves to another folder and Snapkeep copies both follow it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

// The names tried for one file before it is given up.
inline constexpr int kMostFreeNames = 10000;

// The `n`-th name to try (n from 1) for a file whose own base name is `base`: `base` itself for
// 1, "<base> (n)" after it. The extension is the caller's.
std::string NthFreeName(std::string_view base, int n);

// The first n, from `first` to `last`, for which NthFreeName(base, n) followed by each of
// `rests` (a picture's extension and its companions' rests) is a name `taken` does not know;
// 0 when there is none. `taken` compares names as the folder they go to does.
int FirstFreeNumber(std::string_view base, const std::vector<const std::string*>& rests,
                    const std::function<bool(const std::string& name)>& taken, int first, int last);

}  // namespace lumaro
