// Stroke-order numbers: counting, stroke colours, the number discs and PenOrderAdd.

#include "SurfaceFixture.h"
#include "platform/Rnd.h"
#include "platform/raster/Color.h"

#include <QString>
#include <cmath>

using namespace surfacetest;
using plat::Point;

namespace {

constexpr uint32_t kLightPixel = 0x00EEEEEE;

class StrokeOrderTest : public SurfaceTest {
protected:
    // Radius of the disc showing n, from the measured extent of its digits.
    int32_t DiscRadius(int32_t n) {
        const plat::Size e = img->PBitmap.GetCanvas().TextExtent(QString::number(n));
        return plat::Rnd(std::hypot(e.cx, e.cy) / 2) + 2;
    }

    // A pixel inside the disc centred on c but left of its digits.
    Point FillPixel(Point c, int32_t n) { return {c.x - DiscRadius(n) + 5, c.y}; }
};

TEST_F(StrokeOrderTest, StrokesAreNumberedAndColouredAndGetDiscs) {
    UseStrokeOrderPen();
    const int32_t rows[] = {30, 75, 120};
    const uint32_t colours[] = {0x0000FF, 0x0066FF, 0x00FFFF}; // red, orange, yellow
    for (int32_t i = 0; i < 3; ++i) {
        const int32_t y = rows[i];
        Stroke({{40, y}, {80, y}, {120, y}, {160, y}});
        const int32_t n = i + 1;
        EXPECT_EQ(PenCounter, n);
        EXPECT_EQ(list.PenE(list.Count() - 1).x, PE_UP_ORDER);
        EXPECT_EQ(Px(img->PBitmap, 100, y), plat::ColorToPixel32(colours[i])) << n;

        // Start disc: light grey at the pen's opacity; end disc: opaque black.
        const Point start = FillPixel({40, y}, n);
        EXPECT_EQ(Px(img->PBitmap, start.x, start.y), kLightPixel) << n;
        EXPECT_EQ(Cov(img->ABitmap, 2 * start.x + 1, 2 * start.y + 1), MarkerPenAlpha) << n;
        EXPECT_EQ(Px(img->Bitmap, start.x, start.y), 0x00F7F7F7u) << n; // (238*100+255*155)/256
        const Point end = FillPixel({160, y}, n);
        EXPECT_EQ(Px(img->PBitmap, end.x, end.y), 0u) << n;
        EXPECT_EQ(Cov(img->ABitmap, 2 * end.x + 1, 2 * end.y + 1), 255) << n;
        EXPECT_EQ(Px(img->Picture(), end.x, end.y), Px(img->Bitmap, end.x, end.y)) << n;
    }
    EXPECT_EQ(CountKind(PE_UP_ORDER), 3);
    EXPECT_EQ(CountKind(PE_UP), 0);
}

TEST_F(StrokeOrderTest, WithoutEndNumberOnlyTheStartDiscIsDrawn) {
    EndNumber = false;
    UseStrokeOrderPen();
    Stroke({{40, 75}, {160, 75}});
    const Point start = FillPixel({40, 75}, 1);
    const Point end = FillPixel({160, 75}, 1);
    EXPECT_EQ(Px(img->PBitmap, start.x, start.y), kLightPixel);
    EXPECT_EQ(Px(img->PBitmap, end.x, end.y), plat::ColorToPixel32(0x0000FF));
}

TEST_F(StrokeOrderTest, ASinglePointGetsBothDiscsTheEndDiscLast) {
    UseStrokeOrderPen();
    Stroke({{100, 75}});
    const Point fill = FillPixel({100, 75}, 1);
    EXPECT_EQ(Px(img->PBitmap, fill.x, fill.y), 0u);
    EXPECT_EQ(Cov(img->ABitmap, 2 * fill.x + 1, 2 * fill.y + 1), 255);
}

TEST_F(StrokeOrderTest, AfterNineHundredNinetyThreeComesZero) {
    UseStrokeOrderPen();
    PenCounter = 993;
    Stroke({{40, 75}, {160, 75}});
    EXPECT_EQ(PenCounter, 0);
    EXPECT_EQ(Px(img->PBitmap, 100, 75), plat::ColorToPixel32(RainbowColors[0]));
    Stroke({{40, 30}, {160, 30}});
    EXPECT_EQ(PenCounter, 1);
}

TEST_F(StrokeOrderTest, PenOrderAddSetsTheCounterAndRecordsIt) {
    struct Case {
        int32_t r;
        bool recorded;
    };
    const Case cases[] = {{5, true}, {0, true}, {-1, false}, {-7, false}};
    for (const Case& c : cases) {
        list.Clear();
        PenCounter = 42;
        img->PenOrderAdd(c.r);
        if (c.recorded) {
            EXPECT_EQ(PenCounter, c.r);
            ASSERT_EQ(list.Count(), 1);
            EXPECT_EQ(list.PenE(0).x, PE_RCOUNT);
            EXPECT_EQ(list.PenE(0).y, c.r);
            EXPECT_EQ(list.PenE(0).p, 0);
        } else {
            EXPECT_EQ(PenCounter, 42) << c.r;
            EXPECT_EQ(list.Count(), 0) << c.r;
        }
    }
}

TEST_F(StrokeOrderTest, CountedPressesNumberPerCharacter) {
    // What the main window hands over: the count already made on the character.
    UseStrokeOrderPen();
    int32_t counts[2] = {0, 0};
    img->SetOnPenDown([&](plat::MouseButton, plat::ShiftState, int32_t x, int32_t) {
        img->PenOrderAdd(counts[x < 100 ? 0 : 1]++);
    });
    std::vector<int32_t> numbers;
    for (const int32_t x : {40, 40, 150, 40, 150}) {
        Stroke({{x, 20}, {x, 60}});
        numbers.push_back(PenCounter);
    }
    EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2, 1, 3, 2}));
    EXPECT_EQ(CountKind(PE_RCOUNT), 6); // the pen command's and one per press
}

TEST_F(StrokeOrderTest, DiscSizeFollowsTheDigitsAndItsBoxIsComposed) {
    img->DPenSet(FUDE_PEN);
    for (const int32_t n : {1, 88, 888}) {
        PenCounter = n;
        const TComposeBox box = img->DrawOrderNumber(100, 75, 0xEEEEEE, 0x000000);
        const int32_t r = DiscRadius(n);
        EXPECT_EQ(img->xy0, (Point{100 - r, 75 - r})) << n;
        EXPECT_EQ(img->xy1, (Point{100 + r, 75 + r})) << n;
        EXPECT_EQ(box.x1, 100 - r);
        EXPECT_EQ(box.x2, 100 + r);
        EXPECT_EQ(box.w, FUDE_PEN.PenWidth / 2 + 3);
        // Composed, not yet shown: the screen still shows the white page.
        EXPECT_NE(Px(img->Bitmap, 100 - r + 1, 75), kWhite) << n;
        EXPECT_EQ(Px(img->Picture(), 100 - r + 1, 75), kWhite) << n;
    }
    EXPECT_LT(DiscRadius(1), DiscRadius(888));
    img->ShowOrderNumber(100, 75, 0xEEEEEE, 0x000000);
    EXPECT_EQ(Px(img->Picture(), 100 - DiscRadius(888) + 1, 75),
              Px(img->Bitmap, 100 - DiscRadius(888) + 1, 75));
}

} // namespace
