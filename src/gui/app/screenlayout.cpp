// The viewer rectangles and spacings of the small, medium and large screen layouts.
#include "gui/app/screenlayout.h"

#include <algorithm>

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

namespace {
constexpr int kPictureColumn = 570;
constexpr int kColumnTop = 55;
// Below the lower picture: its two text boxes and the window's bottom margin.
constexpr int kBelowPictures = 79;

QRect grown(const QRect& r, int num, int den, int widen) {
    return QRect(kPictureColumn + widen + (r.x() - kPictureColumn) * num / den,
                 kColumnTop + (r.y() - kColumnTop) * num / den, r.width() * num / den,
                 r.height() * num / den);
}
}  // namespace

QSize LayoutWindowSize(const ScreenLayout& layout, int rightMargin) {
    const QRect& V1 = layout.viewers[0];
    const QRect& V2 = layout.viewers[1];
    return QSize(V1.x() + V1.width() + rightMargin, V2.y() + V2.height() + kBelowPictures);
}

QSize SmallestWindowSize(int rightMargin) { return LayoutWindowSize(kSmall, rightMargin); }

FittedLayout FitLayoutToWindow(QSize window, int rightMargin) {
    const ScreenLayout* base = &kSmall;
    for (const ScreenLayout* candidate : {&kLarge, &kMedium}) {
        const QSize needed = LayoutWindowSize(*candidate, rightMargin);
        if (needed.width() <= window.width() && needed.height() <= window.height()) {
            base = candidate;
            break;
        }
    }
    const QRect& V1 = base->viewers[0];
    const QRect& V2 = base->viewers[1];
    const int columnHeight = V2.y() + V2.height() - kColumnTop;
    const int roomAcross = window.width() - rightMargin - kPictureColumn;
    const int roomDown = window.height() - kBelowPictures - kColumnTop;
    // The upper picture's new width sets the scale num / den of every viewer, so that all of
    // them keep their shape and their places relative to one another.
    const int den = V1.width();
    const int num = std::max(den, std::min(roomAcross, den * roomDown / columnHeight));
    FittedLayout fitted;
    fitted.base = base;
    fitted.widen = std::max(0, roomAcross - num);
    for (int i = 0; i < 5; ++i) fitted.viewers[i] = grown(base->viewers[i], num, den, fitted.widen);
    const QRect& lower = fitted.viewers[1];
    fitted.lower = std::max(0, roomDown - (lower.y() + lower.height() - kColumnTop));
    return fitted;
}

const ScreenLayout& LayoutForScreenHeight(int screenHeight) {
    if (screenHeight == 600) return kSmall;
    if (screenHeight == 768) return kMedium;
    return kLarge;
}

}  // namespace lumaro
