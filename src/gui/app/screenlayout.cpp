// The viewer rectangles and spacings of the small, medium and large screen layouts.
#include "gui/app/screenlayout.h"

namespace lumaro {

namespace {
// The LayoutTable: five viewer rectangles per screen layout.
// clang-format off
const ScreenLayout kSmall = {{QRect(570, 55, 160, 120), QRect(570, 370, 160, 120),
                              QRect(570, 247, 68, 51), QRect(616, 247, 68, 51),
                              QRect(662, 247, 68, 51)},
                             -5, 10, 34, 15, 24, 28, true};
const ScreenLayout kMedium = {{QRect(570, 55, 280, 210), QRect(570, 424, 280, 210),
                               QRect(570, 307, 120, 90), QRect(650, 307, 120, 90),
                               QRect(730, 307, 120, 90)},
                              10, 60, 34, 50, 26, 30, false};
const ScreenLayout kLarge = {{QRect(570, 55, 400, 300), QRect(570, 514, 400, 300),
                              QRect(570, 399, 120, 90), QRect(710, 399, 120, 90),
                              QRect(850, 399, 120, 90)},
                             20, 60, 34, 50, 26, 30, false};
// clang-format on
}  // namespace

const ScreenLayout& LayoutForScreenHeight(int screenHeight) {
    if (screenHeight == 600) return kSmall;
    if (screenHeight == 768) return kMedium;
    return kLarge;
}

}  // namespace lumaro
