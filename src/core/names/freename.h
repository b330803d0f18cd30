// The names a file takes, in turn, when its own is taken where it goes: "IMG_1", then
// "IMG_1 (2)", "IMG_1 (3)"... Moves to another folder and Snapkeep copies both follow it.
#pragma once

#include <string>
#include <string_view>

namespace lumaro {

// The `n`-th name to try (n from 1) for a file whose own base name is `base`: `base` itself for
// 1, "<base> (n)" after it. The extension is the caller's.
std::string NthFreeName(std::string_view base, int n);

}  // namespace lumaro
