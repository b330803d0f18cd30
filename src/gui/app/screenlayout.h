// The three screen layouts: the viewer rectangles and the few spacing values that differ.
#pragma once

#include <QRect>
#include <QSize>
#include <array>

namespace lumaro {

struct ScreenLayout {
    // ImageV_1, ImageV_2, ImageV_F, ImageV_S, ImageV_L, in pixels.
    std::array<QRect, 5> viewers;
    int windowTop;
    int windowLeft;
    int moveButtonSide;
    int firstMoveButtonOffset;
    int commandButtonHeight;
    int pictureButtonHeight;
    bool small;
};

// 600 gives the small layout, 768 the medium one, any other height the large one.
const ScreenLayout& LayoutForScreenHeight(int screenHeight);

// The window a layout fills as it stands; `rightMargin` is the room right of the upper picture
// (the template width of the right column's buttons and 30 pixels).
QSize LayoutWindowSize(const ScreenLayout& layout, int rightMargin);
// The smallest window that shows every control: the small layout's.
QSize SmallestWindowSize(int rightMargin);

// A layout made to fill a window: the largest of the three that fits it, its viewers grown in
// proportion as far as both sides allow, the width they leave given to the list.
struct FittedLayout {
    const ScreenLayout* base = nullptr;
    // The five viewer rectangles, grown and moved right by `widen`.
    std::array<QRect, 5> viewers;
    // Extra width of the list and the file-name group; the picture column moves right by it.
    int widen = 0;
    // Extra height of the list, when the window's width is what bounds the pictures.
    int lower = 0;
    bool operator==(const FittedLayout&) const = default;
};

// A window smaller than the smallest layout gets that layout as it stands.
FittedLayout FitLayoutToWindow(QSize window, int rightMargin);

// The side of a thumbnail in the file-name group: (540 - 70) / 13.
inline constexpr int kThumbnailSide = (540 - 70) / 13;

}  // namespace lumaro
