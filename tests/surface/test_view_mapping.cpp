// Where the picture sits on the control, and which rectangles a refresh copies.

#include "surface/ViewMapping.h"

#include <gtest/gtest.h>

using plat::Rect;
using surface::FullRedraw;
using surface::RefreshPlan;
using surface::ViewState;

TEST(ViewMapping, ScreenToPictureRoundsHalvesToEven) {
    const ViewState half{0, 0, 2.0};
    EXPECT_EQ(surface::ScreenToPicture(half, 5, 7), (plat::Point{2, 4})); // 2.5 -> 2, 3.5 -> 4
    const ViewState shifted{10, -4, 1.0};
    EXPECT_EQ(surface::ScreenToPicture(shifted, 10, 0), (plat::Point{0, 4}));
    EXPECT_EQ(surface::PictureToScreen(shifted, {0, 4}), (plat::Point{10, 0}));
}

TEST(ViewMapping, RefreshSnapsToTenPixelBlocksAndClipsToThePicture) {
    const ViewState unit{0, 0, 1.0};
    // Box 23..47 x 31..32 with margin 5 -> blocks 10..60 x 20..40.
    auto plan = RefreshPlan(unit, 23, 31, 47, 32, 5, 200, 100);
    EXPECT_EQ(plan.src, (Rect{10, 20, 60, 40}));
    EXPECT_EQ(plan.dest, plan.src);
    // At the right and bottom edge the copy stops at the picture.
    plan = RefreshPlan(unit, 190, 90, 195, 95, 5, 200, 100);
    EXPECT_EQ(plan.src, (Rect{180, 80, 200, 100}));
    // Offsets and scale move the screen rectangle.
    plan = RefreshPlan({7, 3, 2.0}, 23, 31, 47, 32, 5, 200, 100);
    EXPECT_EQ(plan.dest, (Rect{27, 43, 127, 83}));
}

TEST(ViewMapping, FixedViewCentresAWidePictureAreaAndPaintsBars) {
    // Control 300 wide, picture 200: centred at 50 with bars on both sides.
    const auto plan = FullRedraw({0, 0, 1.0}, true, 200, 100, 300, 100);
    EXPECT_EQ(plan.view.px, 50);
    EXPECT_EQ(plan.copy.src, (Rect{0, 0, 200, 100}));
    EXPECT_EQ(plan.copy.dest, (Rect{50, 0, 250, 100}));
    ASSERT_EQ(plan.margins.size(), 2u);
    EXPECT_EQ(plan.margins[0], (Rect{0, 0, 50, 100}));
    EXPECT_EQ(plan.margins[1], (Rect{250, 0, 300, 100}));
}

TEST(ViewMapping, FixedViewKeepsOrClosesTheGapOnANarrowControl) {
    struct Case {
        int32_t px, controlW, expectedPx;
    } cases[] = {
        {-30, 150, -30}, // picture 200 still covers 0..150 from -30: kept
        {20, 150, 0},    // a picture right of the left edge moves back to 0
        {-80, 150, -50}, // a gap at the right edge is closed just far enough
    };
    for (const Case& c : cases) {
        const auto plan = FullRedraw({c.px, 0, 1.0}, true, 200, 100, c.controlW, 100);
        EXPECT_EQ(plan.view.px, c.expectedPx) << c.px;
        EXPECT_TRUE(plan.margins.empty()) << c.px;
    }
    // The copy starts on the block grid: px -30 shows from column 30.
    const auto plan = FullRedraw({-30, 0, 1.0}, true, 200, 100, 150, 100);
    EXPECT_EQ(plan.copy.src.left, 30);
    EXPECT_EQ(plan.copy.dest.left, 0);
}

TEST(ViewMapping, FitViewScalesAndCentres) {
    const ViewState v = surface::FitView(200, 100, 400, 400);
    EXPECT_DOUBLE_EQ(v.bai, 2.0);
    EXPECT_EQ(v.px, 0);
    EXPECT_EQ(v.py, 100);
    // A control without area leaves the view as it is instead of dividing by zero.
    EXPECT_DOUBLE_EQ(surface::FitView(200, 100, 0, 0).bai, 1.0);
}
