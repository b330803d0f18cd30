// What the main window hands to the single-picture window, and the sizes and zoom steps that
// window works out from it: plain arithmetic, so that every number can be checked by hand.
// The window itself, which reads and writes the viewer, is gui/pictures/formphoto.h.
#pragma once

#include <string>

namespace lumaro {

// Scroll ranges above this stop zooming in.
inline constexpr int kPhotoScrollLimit = 16000;
// The first scroll of a centring goes this far; the viewer stops at its largest position.
inline constexpr int kPhotoScrollProbe = 32000;
// No side of the picture area grows beyond this, however narrow the picture.
inline constexpr int kPhotoLargestSide = 32000;

struct PhotoRequest {
    std::string path;       // the picture, as the clicked viewer shows it
    int displayHeight = 0;  // bottom of the picture list inside the main window, less 20
    int top = 0;            // top of the main window
    int left = 0;           // left of the main window + left of the picture list
    int mainHeight = 0;     // height of the main window
    int mainLeft = 0;       // left of the main window
};

// The request for a main window at (mainLeft, mainTop) of height mainHeight, whose picture list
// stands at (listLeft, listTop) inside it with height listHeight.
PhotoRequest MakePhotoRequest(std::string path, int mainLeft, int mainTop, int mainHeight,
                              int listLeft, int listTop, int listHeight);

// Where the window stands and how large its picture area is.
struct PhotoArea {
    int left = 0;
    int displayWidth = 0;
    int displayHeight = 0;
};

// side x numerator / denominator, truncated, worked in 64 bits so that large pictures do not
// overflow, and kept within 1 .. kPhotoLargestSide so that no zoom becomes 0.
int ScaledSide(int side, int numerator, int denominator);

// The window's height for a picture area: the area, two button heights and the frame margins.
int PhotoWindowHeight(int displayHeight, int buttonHeight);

// The size at opening (and after a restore): the request's height, the picture's proportions.
PhotoArea OpeningArea(const PhotoRequest& request, int pictureWidth, int pictureHeight);

// The picture area of a window of that size: the inverse of PhotoWindowHeight and of the
// window width LayOutPhoto gives.
PhotoArea AreaOfWindow(int left, int windowWidth, int windowHeight, int buttonHeight);

// The enlarged size. A landscape picture takes the screen's width unless that makes it higher
// than the main window allows, in which case it takes that height and the main window's left
// edge; otherwise (portrait or square) it takes the main window's height less the buttons.
PhotoArea EnlargedArea(const PhotoRequest& request, int pictureWidth, int pictureHeight,
                       int buttonHeight, int screenWidth, int currentLeft);

// Window, viewer and button places for a picture area.
struct PhotoLayout {
    int windowWidth = 0;
    int windowHeight = 0;
    int viewerWidth = 0;
    int viewerHeight = 0;
    int buttonTop = 0;
    int smallerLeft = 0;
    int largerLeft = 0;
    double fitZoom = 0;  // the zoom at which the picture fills the area's width
};
PhotoLayout LayOutPhoto(const PhotoArea& area, int pictureWidth, int buttonHeight,
                        int smallerWidth);

struct ScrollPoint {
    int x = 0;
    int y = 0;
};

// The zoom steps of the window: doubling and halving between fitZoom and the last step whose
// scroll range stays within kPhotoScrollLimit, keeping the same part of the picture in the
// middle of the view. The caller reads the scroll positions and scrolls the viewer.
struct PhotoZoom {
    double zoom = 0;
    double fitZoom = 0;
    int scrollMaxX = 0;  // largest scroll positions found by the last centring
    int scrollMaxY = 0;
    int offsetX = 0;  // distance of the view from the centre, carried across a step
    int offsetY = 0;
    bool largerEnabled = true;
    bool smallerEnabled = false;

    // A new layout: back to fitZoom, nothing to zoom out to.
    void reset(double fit);
    // Zoom in from scroll position (sx, sy). False when the scroll range is already beyond the
    // limit: then only zooming in is disabled and nothing else changes.
    bool zoomIn(int sx, int sy);
    // Zoom out from scroll position (sx, sy); true when the view must then be centred.
    bool zoomOut(int sx, int sy);
    // After the probe scroll, the largest positions read back; gives where to scroll to.
    ScrollPoint centre(int largestX, int largestY);
};

}  // namespace lumaro
