// The three screen layouts: the viewer rectangles and the few spacing values that differ.
#pragma once

#include <QRect>
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

// The side of a thumbnail in the file-name group: (540 - 70) / 13.
inline constexpr int kThumbnailSide = (540 - 70) / 13;

}  // namespace lumaro
