// Edges of the single-picture window's arithmetic that the window tests do not reach: the
// enlarged size at the border between its two cases, extreme pictures, truncating halvings
// and centring beyond the 16-bit range. Numbers worked out by hand.
#include "core/windows/photoview.h"

#include <gtest/gtest.h>

namespace lumaro {
namespace {

// A main window at (10, 20), 893 high, whose list stands at (200, 55), 600 high; buttons 32 high.
constexpr int kButtonHeight = 32;
const PhotoRequest kRequest = MakePhotoRequest("/p/01  Mer.jpg", 10, 20, 893, 200, 55, 600);

TEST(PhotoViewTest, EnlargedSizeByShapeOfThePicture) {
    struct Row {
        const char* what;
        int mainHeight, pictureWidth, pictureHeight;
        int left, displayWidth, displayHeight;
    };
    // avail = mainHeight - 2 x 32 - 14; screen 1280 wide; the window stands at 210.
    const Row rows[] = {
        // 1280 x 480 / 640 + 64 + 32 = 1056 > 815: the height decides, from the main window's left.
        {"landscape too high", 893, 640, 480, 10, 1086, 815},
        // 320 + 96 = 416 fits: the screen's width, and the window keeps its left edge.
        {"panorama", 893, 1600, 400, 210, 1280, 416},
        {"panorama just fitting", 494, 1600, 400, 210, 1280, 416},
        {"panorama one pixel too high", 493, 1600, 400, 10, 1660, 415},
        {"portrait", 893, 480, 640, 210, 611, 815},
        {"square counts as portrait", 893, 500, 500, 210, 815, 815},
    };
    for (const Row& row : rows) {
        PhotoRequest request = kRequest;
        request.mainHeight = row.mainHeight;
        const PhotoArea area =
            EnlargedArea(request, row.pictureWidth, row.pictureHeight, kButtonHeight, 1280, 210);
        EXPECT_EQ(area.left, row.left) << row.what;
        EXPECT_EQ(area.displayWidth, row.displayWidth) << row.what;
        EXPECT_EQ(area.displayHeight, row.displayHeight) << row.what;
    }
}

TEST(PhotoViewTest, ExtremePicturesNeitherOverflowNorGiveAZeroSide) {
    EXPECT_EQ(ScaledSide(40000, 60000, 100000), 24000);  // 2.4e9 on the way
    EXPECT_EQ(ScaledSide(635, 1, 5000), 1);
    EXPECT_EQ(ScaledSide(635, 100000, 10), kPhotoLargestSide);
    EXPECT_GT(LayOutPhoto(OpeningArea(kRequest, 1, 5000), 1, kButtonHeight, 33).fitZoom, 0.0);
}

TEST(PhotoViewTest, HalvingsTruncateTowardZero) {
    PhotoZoom z;
    z.reset(1.0);
    z.zoom = 4.0;
    z.scrollMaxX = 1001;
    z.scrollMaxY = 7;
    z.zoomOut(503, 0);
    EXPECT_EQ(z.offsetX, -1);  // (500 - 503) / 2, not -2
    EXPECT_EQ(z.offsetY, 1);   // (3 - 0) / 2
    z.scrollMaxX = 1001;
    z.zoomIn(0, 0);
    EXPECT_EQ(z.offsetX, 1000);  // 1001 / 2 x 2
}

TEST(PhotoViewTest, ZoomingInStopsBeyondTheScrollLimitNotAtIt) {
    PhotoZoom z;
    z.reset(1.0);
    z.scrollMaxX = kPhotoScrollLimit;
    EXPECT_TRUE(z.zoomIn(8000, 0));
    z.scrollMaxY = kPhotoScrollLimit + 1;
    EXPECT_FALSE(z.zoomIn(0, 0));
    EXPECT_EQ(z.zoom, 2.0);
    EXPECT_FALSE(z.largerEnabled);
}

TEST(PhotoViewTest, CentringBeyondTheSixteenBitRangeStopsAtItsEnd) {
    PhotoZoom z;
    z.reset(1.0);
    z.offsetX = -20000;  // far to the right of the middle
    z.offsetY = 20000;
    const ScrollPoint target = z.centre(32000, 0);
    EXPECT_EQ(target.x, 32767);  // 16000 + 20000, not wrapped round to the left edge
    EXPECT_EQ(target.y, -20000);
}

}  // namespace
}  // namespace lumaro
