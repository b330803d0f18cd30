// Sizes and zoom steps of the single-picture window.
#include "core/windows/photoview.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace lumaro {

namespace {
constexpr int kFrameMargin = 14;
constexpr int kViewerMargin = 7;
constexpr int kButtonGap = 12;
constexpr int kSmallerGap = 18;
constexpr int kListBottomMargin = 20;
constexpr int kLandscapeExtra = 32;
constexpr int kShortMin = -32768;
constexpr int kShortMax = 32767;

// Positions are passed to the viewer as 16-bit values: one beyond them stops at the end
// instead of wrapping round to the other side of the picture.
int asShort(int value) { return std::clamp(value, kShortMin, kShortMax); }
}  // namespace

PhotoRequest MakePhotoRequest(std::string path, int mainLeft, int mainTop, int mainHeight,
                              int listLeft, int listTop, int listHeight) {
    PhotoRequest request;
    request.path = std::move(path);
    request.displayHeight = listTop + listHeight - kListBottomMargin;
    request.top = mainTop;
    request.left = mainLeft + listLeft;
    request.mainHeight = mainHeight;
    request.mainLeft = mainLeft;
    return request;
}

int ScaledSide(int side, int numerator, int denominator) {
    if (denominator <= 0) return 1;
    const int64_t scaled = int64_t(side) * numerator / denominator;
    return int(std::clamp<int64_t>(scaled, 1, kPhotoLargestSide));
}

int PhotoWindowHeight(int displayHeight, int buttonHeight) {
    return displayHeight + 2 * buttonHeight + kFrameMargin;
}

PhotoArea AreaOfWindow(int left, int windowWidth, int windowHeight, int buttonHeight) {
    return {left, windowWidth - kFrameMargin, windowHeight - 2 * buttonHeight - kFrameMargin};
}

PhotoArea OpeningArea(const PhotoRequest& request, int pictureWidth, int pictureHeight) {
    PhotoArea area;
    area.left = request.left;
    area.displayHeight = request.displayHeight;
    area.displayWidth = ScaledSide(area.displayHeight, pictureWidth, pictureHeight);
    return area;
}

PhotoArea EnlargedArea(const PhotoRequest& request, int pictureWidth, int pictureHeight,
                       int buttonHeight, int screenWidth, int currentLeft) {
    PhotoArea area;
    area.left = currentLeft;
    const int available = request.mainHeight - 2 * buttonHeight - kFrameMargin;
    if (pictureWidth > pictureHeight) {
        area.displayWidth = screenWidth;
        area.displayHeight = ScaledSide(area.displayWidth, pictureHeight, pictureWidth) +
                             2 * buttonHeight + kLandscapeExtra;
        if (available < area.displayHeight) {
            area.displayHeight = available;
            area.displayWidth = ScaledSide(available, pictureWidth, pictureHeight);
            area.left = request.mainLeft;
        }
        return area;
    }
    area.displayHeight = available;
    area.displayWidth = ScaledSide(available, pictureWidth, pictureHeight);
    return area;
}

PhotoLayout LayOutPhoto(const PhotoArea& area, int pictureWidth, int buttonHeight,
                        int smallerWidth) {
    PhotoLayout layout;
    layout.windowWidth = area.displayWidth + kFrameMargin;
    layout.windowHeight = PhotoWindowHeight(area.displayHeight, buttonHeight);
    layout.buttonTop = area.displayHeight + kButtonGap;
    layout.smallerLeft = area.displayWidth / 2 - smallerWidth - kSmallerGap;
    layout.largerLeft = area.displayWidth / 2 + kButtonGap;
    layout.fitZoom = pictureWidth > 0 ? double(area.displayWidth) / pictureWidth : 0.0;
    layout.viewerWidth = area.displayWidth + kViewerMargin;
    layout.viewerHeight = area.displayHeight + kViewerMargin;
    return layout;
}

void PhotoZoom::reset(double fit) {
    zoom = fit;
    fitZoom = fit;
    scrollMaxX = 0;
    scrollMaxY = 0;
    largerEnabled = true;
    smallerEnabled = false;
}

bool PhotoZoom::zoomIn(int sx, int sy) {
    smallerEnabled = true;
    if (scrollMaxX > kPhotoScrollLimit || scrollMaxY > kPhotoScrollLimit) {
        largerEnabled = false;
        return false;
    }
    offsetX = (scrollMaxX / 2 - sx) * 2;
    offsetY = (scrollMaxY / 2 - sy) * 2;
    zoom *= 2.0;
    return true;
}

bool PhotoZoom::zoomOut(int sx, int sy) {
    largerEnabled = true;
    const double newZoom = zoom * 0.5;
    // Halving undoes a doubling exactly, so the fitting zoom is met again bit for bit.
    if (newZoom == fitZoom) {
        smallerEnabled = false;
        scrollMaxX = 0;
        scrollMaxY = 0;
    }
    offsetX = (scrollMaxX / 2 - sx) / 2;
    offsetY = (scrollMaxY / 2 - sy) / 2;
    zoom = newZoom;
    return zoom > fitZoom;
}

ScrollPoint PhotoZoom::centre(int largestX, int largestY) {
    scrollMaxX = largestX;
    scrollMaxY = largestY;
    return {asShort(scrollMaxX / 2 - offsetX), asShort(scrollMaxY / 2 - offsetY)};
}

}  // namespace lumaro
