// Pure pointer rules: speed-based pressure, gesture choice, pen cursor choice.

#include "settings/PenModel.h"
#include "surface/PointerRules.h"

#include <gtest/gtest.h>
#include <vector>

using namespace surface;

namespace {

std::vector<int32_t> PressureRun(int32_t start, const std::vector<double>& distances) {
    std::vector<int32_t> out;
    int32_t p = start;
    for (double d : distances) {
        p = SpeedPressureStep(p, d);
        out.push_back(p);
    }
    return out;
}

TEST(SpeedPressure, AtRestAlternatesBetweenFullAndOneStepBelow) {
    EXPECT_EQ(PressureRun(PressureFull, {0, 0, 3, 9.99, 0, 0}),
              (std::vector<int32_t>{974, 1024, 974, 1024, 974, 1024}));
}

TEST(SpeedPressure, FastMovesStepDownWithoutLowerBound) {
    const std::vector<int32_t> run = PressureRun(PressureFull, std::vector<double>(30, 40.0));
    for (size_t i = 0; i < run.size(); ++i)
        EXPECT_EQ(run[i], PressureFull - 50 * static_cast<int32_t>(i + 1)) << i;
    EXPECT_LT(run.back(), 0);
}

TEST(SpeedPressure, SlowingDownStepsBackUp) {
    EXPECT_EQ(PressureRun(500, {0, 0, 1}), (std::vector<int32_t>{550, 600, 650}));
}

TEST(SpeedPressure, TargetFallsLinearlyBetweenTenAndFifteenPixels) {
    // 12 pixels: target Rnd(0.6 * 824 + 200) = 694.
    struct Case {
        int32_t last;
        double d;
        int32_t next;
    };
    const Case cases[] = {
        {600, 12, 650},  {800, 12, 750},  // towards 694 from below and above
        {693, 12, 743},  {695, 12, 645},  // mean 693.5 -> 694 (even), 694.5 -> 694
        {1023, 0, 1073}, {1024, 10, 974}, // mean 1023.5 -> 1024 is above 1023
        {199, 15, 249},  {201, 15, 151},  // 15 pixels: target 200; means 199.5, 200.5
        {-500, 1, -450},                  // back up from below zero
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpeedPressureStep(c.last, c.d), c.next) << c.last << " @ " << c.d;
}

TEST(SpeedPressure, StopsAtTheIntegerLimitInsteadOfOverflowing) {
    EXPECT_EQ(SpeedPressureStep(INT32_MIN + 10, 1e9), INT32_MIN);
}

TEST(PenGesture, ModifiersChooseTheShape) {
    using namespace plat;
    struct Case {
        ShiftState shift;
        uint8_t gesture;
    };
    const Case cases[] = {
        {0, kGesturePen},
        {ssShift, kGesturePen},
        {ssLeft | ssRight, kGesturePen},
        {ssCtrl, kGestureLine},
        {ssCtrl | ssLeft, kGestureLine},
        {ssCtrl | ssShift, kGestureRect},
        {ssCtrl | ssShift | ssAlt, kGestureRect},
        {ssCtrl | ssAlt, kGestureCircle},
        {ssAlt, kGestureEllipse},
        {ssAlt | ssShift, kGestureEllipse},
    };
    for (const Case& c : cases) EXPECT_EQ(PenGestureFor(c.shift), c.gesture) << c.shift;
}

TEST(PenCursorChoice, SlotByKindAndColour) {
    struct Case {
        int32_t alpha;
        int32_t color;
        int slot;
        bool recolour;
    };
    const Case cases[] = {
        {255, RAINBOW, 1, false},
        {255, FUDE_COLOR, 1, false},
        {100, FUDE_COLOR | DOTTED_FLAG, 5, false},
        {255, 0xFFFFFF, 4, false},
        {255, 0xDEDEDE, 4, false},
        {255, 0xDDDEDE, 2, true}, // blue byte not above 0xDD
        {100, 0xFFFFFF, 8, false},
        {255, 0x000000, 3, false},
        {255, 0x212121 | DOTTED_FLAG, 3, false},
        {255, 0x002122, 2, true}, // red byte not below 0x22
        {254, 0x000000, 7, false},
        {255, 0x0000FF, 2, true},
        {0, 0x00FF00, 6, true},
    };
    for (const Case& c : cases) {
        const PenCursorChoice choice = PenCursorFor(c.alpha, c.color);
        EXPECT_EQ(choice.slot, c.slot) << std::hex << c.color;
        EXPECT_EQ(choice.recolour, c.recolour) << std::hex << c.color;
    }
}

TEST(PenCursorChoice, ScaleColorRoundsEachByte) {
    // 255 * 0.59 = 150.45, 200 * 0.59 = 118, 10 * 0.59 = 5.9
    EXPECT_EQ(ScaleColor(0x0AC8FF, 0.59), 0x067696u);
    EXPECT_EQ(ScaleColor(0x0000FF, 0.59), 0x000096u);
    EXPECT_EQ(ScaleColor(0x00C800, 0.73), 0x009200u);
    EXPECT_EQ(ScaleColor(0x0A0000, 0.98), 0x0A0000u);
    EXPECT_EQ(ScaleColor(0xFFFFFF, 0.98), 0xFAFAFAu);
}

} // namespace
