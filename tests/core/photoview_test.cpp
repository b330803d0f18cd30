// Sizes and zoom steps of the single-picture window against numbers worked out by hand.
#include "pictures/photoview.h"

#include <gtest/gtest.h>

namespace lumaro {
namespace {

// A main window at (10, 20), 893 high, whose list stands at (200, 55), 600 high; buttons 32 high.
constexpr int kButtonHeight = 32;
const PhotoRequest kRequest = MakePhotoRequest("/p/01  Mer.jpg", 10, 20, 893, 200, 55, 600);

TEST(PhotoViewTest, RequestAndOpeningSizeTruncateTheDivisions) {
    EXPECT_EQ(kRequest.displayHeight, 635);  // 55 + 600 - 20
    EXPECT_EQ(kRequest.top, 20);
    EXPECT_EQ(kRequest.left, 210);
    EXPECT_EQ(kRequest.mainHeight, 893);
    EXPECT_EQ(kRequest.mainLeft, 10);

    const PhotoArea landscape = OpeningArea(kRequest, 640, 480);
    EXPECT_EQ(landscape.displayWidth, 846);  // 635 x 640 / 480 = 846.67
    EXPECT_EQ(landscape.displayHeight, 635);
    EXPECT_EQ(landscape.left, 210);
    EXPECT_EQ(OpeningArea(kRequest, 480, 640).displayWidth, 476);  // 476.25

    // Window 846 + 14 wide, 635 + 2 x 32 + 14 high; buttons under the picture, either side of
    // its middle (423).
    const PhotoLayout layout = LayOutPhoto(landscape, 640, kButtonHeight, 33);
    EXPECT_EQ(layout.windowWidth, 860);
    EXPECT_EQ(layout.windowHeight, 713);
    EXPECT_EQ(layout.viewerWidth, 853);
    EXPECT_EQ(layout.viewerHeight, 642);
    EXPECT_EQ(layout.buttonTop, 647);
    EXPECT_EQ(layout.smallerLeft, 372);
    EXPECT_EQ(layout.largerLeft, 435);
    EXPECT_DOUBLE_EQ(layout.fitZoom, 846.0 / 640.0);
    const PhotoArea back = AreaOfWindow(210, layout.windowWidth, layout.windowHeight, kButtonHeight);
    EXPECT_EQ(back.displayWidth, 846);
    EXPECT_EQ(back.displayHeight, 635);
}

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

TEST(PhotoViewTest, ZoomInAndOutKeepsTheSamePartInTheMiddleAndEndsAtFitZoomExactly) {
    PhotoZoom z;
    z.reset(846.0 / 640.0);
    EXPECT_TRUE(z.largerEnabled);
    EXPECT_FALSE(z.smallerEnabled);

    ASSERT_TRUE(z.zoomIn(0, 0));
    EXPECT_TRUE(z.smallerEnabled);
    const ScrollPoint first = z.centre(1000, 700);
    EXPECT_EQ(first.x, 500);
    EXPECT_EQ(first.y, 350);

    // The user scrolls left by 200; the next step carries that distance, doubled.
    ASSERT_TRUE(z.zoomIn(300, 350));
    EXPECT_EQ(z.offsetX, 400);
    EXPECT_EQ(z.offsetY, 0);
    const ScrollPoint second = z.centre(2900, 2100);
    EXPECT_EQ(second.x, 1050);
    EXPECT_EQ(second.y, 1050);

    ASSERT_TRUE(z.zoomOut(1050, 1050));  // still above fitZoom: centre
    const ScrollPoint third = z.centre(1000, 700);
    EXPECT_EQ(third.x, 300);
    EXPECT_EQ(third.y, 350);

    EXPECT_FALSE(z.zoomOut(300, 350));  // back at fitZoom: nothing to centre
    EXPECT_EQ(z.zoom, z.fitZoom);
    EXPECT_FALSE(z.smallerEnabled);
    EXPECT_EQ(z.scrollMaxX, 0);
    EXPECT_EQ(z.scrollMaxY, 0);
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

TEST(PhotoViewTest, BeyondTheScrollLimitZoomingInOnlyDisablesItself) {
    PhotoZoom z;
    z.reset(1.0);
    z.scrollMaxX = kPhotoScrollLimit;  // at the limit: one more step is allowed
    ASSERT_TRUE(z.zoomIn(8000, 0));
    EXPECT_EQ(z.zoom, 2.0);

    z.centre(12000, kPhotoScrollLimit + 1);
    const PhotoZoom before = z;
    EXPECT_FALSE(z.zoomIn(100, 100));
    EXPECT_FALSE(z.largerEnabled);
    EXPECT_TRUE(z.smallerEnabled);
    EXPECT_EQ(z.zoom, before.zoom);
    EXPECT_EQ(z.offsetX, before.offsetX);
    EXPECT_EQ(z.offsetY, before.offsetY);
    EXPECT_EQ(z.scrollMaxY, before.scrollMaxY);

    z.zoomOut(0, 0);
    EXPECT_TRUE(z.largerEnabled);
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
