#include "picture/PictureView.h"

#include <gtest/gtest.h>

#include <cmath>

#include "picture/PictureFrontend.h"

namespace orvik {
namespace {

// A drawing wider or taller than its view is fitted whole, centred, y up.
TEST(PictureView, FitShowsTheDrawingAndItsSheetCentred) {
    DisplayList list;
    list.sheet = {{-200, -100}, {200, 100}};
    Shape line;
    line.a = {-300, 0};  // reaches past the sheet on the left
    line.b = {0, 50};
    list.shapes.push_back(line);
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{800, 800}, Case{400, 1000}, Case{2000, 300}}) {
        const PictureView view = FitView(list, c.width, c.height);
        const PicturePoint topLeft = view.ToPixels({-300, 100}), bottomRight = view.ToPixels({200, -100});
        EXPECT_GE(topLeft.x, -1e-9);
        EXPECT_GE(topLeft.y, -1e-9);
        EXPECT_LE(bottomRight.x, c.width + 1e-9);
        EXPECT_LE(bottomRight.y, c.height + 1e-9);
        // Centred to the pixel (the frame's sides are whole pixels).
        EXPECT_NEAR(topLeft.x + bottomRight.x, c.width, 1) << "centred across";
        EXPECT_NEAR(topLeft.y + bottomRight.y, c.height, 1) << "centred down";
        EXPECT_TRUE(bottomRight.x - topLeft.x > c.width * 0.9 || bottomRight.y - topLeft.y > c.height * 0.9)
            << "fills one side";
    }
}

TEST(PictureView, ZoomKeepsThePointUnderTheCursorAndPanMovesIt) {
    const PictureView view{2, 10, 300};
    const PicturePoint cursor{120, 80};
    const PicturePoint under = view.ToDrawing(cursor);
    const PicturePoint after = view.ZoomedAt(cursor, 1.25).ToPixels(under);
    EXPECT_NEAR(after.x, cursor.x, 1e-9);
    EXPECT_NEAR(after.y, cursor.y, 1e-9);
    const PicturePoint moved = view.Panned(5, -7).ToPixels(under);
    EXPECT_NEAR(moved.x, cursor.x + 5, 1e-9);
    EXPECT_NEAR(moved.y, cursor.y - 7, 1e-9);
}

TEST(PictureFrontend, ABulgeIsTheArcItNames) {
    struct Case {
        double bulge;
        PicturePoint centre;
        double radius, start, sweep;
    };
    // From (0, 0) to (2, 0): a half circle turning left (counter-clockwise,
    // below the chord) or right; a quarter circle (tan 22.5°) turning left,
    // about a centre above the chord.
    const Case cases[] = {
        {1, {1, 0}, 1, 180, 180},
        {-1, {1, 0}, 1, 180, -180},
        {0.41421356237309503, {1, 1}, 1.4142135623730951, 225, 90},
    };
    for (const Case& c : cases) {
        const BulgeArc arc = ArcOfBulge({0, 0}, c.bulge, {2, 0});
        EXPECT_NEAR(arc.centre.x, c.centre.x, 1e-9) << c.bulge;
        EXPECT_NEAR(arc.centre.y, c.centre.y, 1e-9) << c.bulge;
        EXPECT_NEAR(arc.radius, c.radius, 1e-9) << c.bulge;
        EXPECT_NEAR(std::remainder(arc.start - c.start, 360), 0, 1e-9) << c.bulge;
        EXPECT_NEAR(arc.sweep, c.sweep, 1e-9) << c.bulge;
    }
}

TEST(PictureFrontend, DashesInPixelsAlternateOrDrawSolid) {
    struct Case {
        DashPattern pattern;
        double scale;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {{2, -1}, 10, {20, 10}},
        {{2, 0, -1}, 10, {21, 10}},  // a dot is a dash of one pixel: it joins the dash before it
        {{0, -1}, 10, {1, 10}},  // a dot alone: one pixel
        {{2, -1, 0.5, -1}, 10, {20, 10, 5, 10}},
        {{2, -1}, 1, {}},  // a period under four pixels: solid
    };
    for (const Case& c : cases) EXPECT_EQ(ScreenDashes(c.pattern, c.scale), c.expected);
}

}  // namespace
}  // namespace orvik
