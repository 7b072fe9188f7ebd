// Ink in the colour and coverage layers: widths, erasing, dotted and rainbow pens.

#include "SurfaceFixture.h"
#include "platform/raster/Color.h"

using namespace surfacetest;
using plat::Point;

namespace {

class RenderTest : public SurfaceTest {
protected:
    // Draws one segment a -> b directly with the current pen in mode m.
    void Segment(Point a, Point b, uint8_t mode = 2, int32_t pressure = PressureFull) {
        img->MMode = mode;
        img->MouseF = mode;
        img->xy0 = a;
        img->xy1 = b;
        img->DrawSegment(pressure);
        img->MouseF = 0;
    }
    // Rows of coverage column cx that carry any coverage.
    int32_t CoverageRows(int32_t cx) const {
        int32_t n = 0;
        for (int32_t cy = 0; cy < img->ABitmap.Height(); ++cy) n += Cov(img->ABitmap, cx, cy) != 0;
        return n;
    }
    int32_t InkRows(int32_t x) const {
        int32_t n = 0;
        for (int32_t y = 0; y < kPageH; ++y) n += Px(img->PBitmap, x, y) != surface::kNoInk;
        return n;
    }
};

TEST_F(RenderTest, PenWidthGivesColourAndCoverageBands) {
    // A horizontal pen of width w: colour band w + 1 rows, coverage band 2w - 1 half-rows.
    for (int32_t w : {3, 4, 8}) {
        img->ClearLayers();
        img->DPenSet({0x000000, w, PEN_KIND_PEN});
        Segment({40, 70}, {120, 70});
        const int32_t expectedInk = (w + 1) % 2 ? w + 1 : w + 2; // even widths cover one more
        EXPECT_EQ(InkRows(80), expectedInk) << w;
        EXPECT_EQ(CoverageRows(161), 2 * w - 1) << w;
    }
}

TEST_F(RenderTest, EraserOfTheSameWidthRemovesAllInk) {
    for (int32_t w : {12, 24, 36}) {
        img->ClearLayers();
        img->DPenSet({0x00FF00, w, PEN_KIND_HIGHLIGHTER});
        Segment({30, 40}, {160, 110});
        img->PenWidth = w; // eraser of the same width along the same path
        img->PenAlpha = 0;
        Segment({30, 40}, {160, 110}, 3);
        EXPECT_EQ(CountWhere(img->PBitmap, surface::kNoInk, false), 0) << w;
        for (int32_t cy = 0; cy < img->ABitmap.Height(); ++cy)
            for (int32_t cx = 0; cx < img->ABitmap.Width(); ++cx)
                ASSERT_EQ(Cov(img->ABitmap, cx, cy), 0) << w << " at " << cx << "," << cy;
    }
}

TEST_F(RenderTest, OnePixelInkIsBoostedHalfwayToOpaque) {
    MarkerPenAlpha = 100;
    img->DPenSet({0x000000, 1, PEN_KIND_HIGHLIGHTER}); // colour width 2 -> boosted
    Segment({50, 50}, {60, 50});
    EXPECT_EQ(Cov(img->ABitmap, 111, 101), 177);
    img->ClearLayers();
    img->DPenSet({0x000000, 2, PEN_KIND_HIGHLIGHTER});
    Segment({50, 50}, {60, 50});
    EXPECT_EQ(Cov(img->ABitmap, 111, 101), 100);
}

TEST_F(RenderTest, DottedPenSkipsTheSameSegmentsInBothLayers) {
    img->DPenSet({0x10000000, 4, PEN_KIND_PEN}); // black, dotted
    PenCounter = 0;
    // Twelve separate segments side by side; those at counter 0 and 3 (mod 6) are drawn.
    for (int32_t i = 0; i < 12; ++i) {
        Segment({10 + 15 * i, 60}, {16 + 15 * i, 60});
        const bool drawn = (i % 6 == 0) || (i % 6 == 3);
        EXPECT_EQ(Px(img->PBitmap, 13 + 15 * i, 60) != surface::kNoInk, drawn) << i;
        EXPECT_EQ(Cov(img->ABitmap, 2 * (13 + 15 * i) + 1, 121) != 0, drawn) << i;
    }
    EXPECT_EQ(PenCounter, 12);
}

TEST_F(RenderTest, RainbowChangesColourPerSegmentStrokeOrderColourKeepsOne) {
    img->DPenSet({RAINBOW, 4, PEN_KIND_PEN});
    PenCounter = 0;
    for (int32_t i = 0; i < 7; ++i) {
        Segment({10 + 20 * i, 30}, {20 + 20 * i, 30});
        EXPECT_EQ(plat::Pixel32ToColor(Px(img->PBitmap, 15 + 20 * i, 30)), RainbowColors[i]) << i;
    }
    img->DPenSet({FUDE_COLOR, 4, PEN_KIND_HIGHLIGHTER});
    PenCounter = 2;
    for (int32_t i = 0; i < 3; ++i) {
        Segment({10 + 20 * i, 90}, {20 + 20 * i, 90});
        EXPECT_EQ(plat::Pixel32ToColor(Px(img->PBitmap, 15 + 20 * i, 90)), RainbowColors[2]);
    }
    EXPECT_EQ(PenCounter, 2);
}

TEST_F(RenderTest, ZeroPressureDrawsNothingWithPressureOn) {
    PenPressure = true;
    img->DPenSet({0x000000, 4, PEN_KIND_PEN});
    Segment({50, 50}, {50, 50}, 2, 0);
    EXPECT_EQ(CountWhere(img->PBitmap, surface::kNoInk, false), 0);
    Segment({50, 50}, {50, 50}, 2, PressureFull / 2); // half pressure: width 2
    EXPECT_GT(CountWhere(img->PBitmap, surface::kNoInk, false), 0);
}

TEST_F(RenderTest, RainbowLineIsCutIntoTenPixelPieces) {
    img->DPenSet({RAINBOW, 4, PEN_KIND_PEN});
    img->MMode = 2;
    PenCounter = 0;
    img->DrawRainbowLine({20, 20}, {120, 20}); // length 100: ten pieces
    EXPECT_EQ(list.Count(), 10);
    EXPECT_EQ(list.PenE(9).x, 120);
    EXPECT_EQ(PenCounter, 10);
    img->DrawRainbowLine({20, 60}, {24, 60}); // shorter than 5 pixels: nothing
    EXPECT_EQ(list.Count(), 10);
}

// Layers and their life cycle.

TEST_F(SurfaceTest, EraseAllEmptiesTheListAndRecordsOneState) {
    Stroke({{20, 20}, {60, 40}});
    ASSERT_GT(list.Count(), 0);
    const int32_t top = UdoTopGet();
    img->BitmapErase(true); // undo and redo clear only the layers
    EXPECT_GT(list.Count(), 0);
    EXPECT_EQ(UdoTopGet(), top);
    img->BitmapErase(false);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(UdoTopGet(), top + 1);
    EXPECT_EQ(CountWhere(img->Bitmap, kWhite, false), 0);
}

TEST_F(SurfaceTest, LoadingAPictureOfAnotherSizeResizesEveryLayer) {
    plat::Bitmap page;
    page.SetSize(64, 32);
    img->BitmapLoad(page, true);
    EXPECT_EQ(img->sw, 64);
    EXPECT_EQ(img->sh, 32);
    for (const plat::Bitmap* layer : {&img->Bitmap, &img->PBitmap, &img->BBitmap}) {
        EXPECT_EQ(layer->Width(), 64);
        EXPECT_EQ(layer->Height(), 32);
    }
    EXPECT_EQ(img->ABitmap.Width(), 130);
    EXPECT_EQ(img->ABitmap.Height(), 66);
    // The black page shows through: the loaded picture is drawn over the white fill.
    EXPECT_EQ(Px(img->Bitmap, 10, 10), 0u);
}

TEST_F(SurfaceTest, ComposedBoxesStopAtThePictureEdges) {
    img->PenWidth = 10; // margin 8
    struct Case {
        Point a, b;
        int32_t x1, y1, x2, y2;
    } cases[] = {
        {{0, 0}, {3, 2}, 8, 8, 8, 8},                 // top-left corner
        {{195, 140}, {199, 149}, 192, 140, 192, 142}, // bottom-right corner
        {{50, 60}, {70, 65}, 50, 60, 70, 65},         // inside: unchanged
        {{-500, -500}, {900, 900}, 8, 8, 192, 142},   // far outside
    };
    for (const Case& c : cases) {
        img->xy0 = c.a;
        img->xy1 = c.b;
        const TComposeBox box = img->ComposeRect(true);
        EXPECT_EQ(box.w, 8);
        EXPECT_EQ((std::array{box.x1, box.y1, box.x2, box.y2}),
                  (std::array{c.x1, c.y1, c.x2, c.y2}));
    }
}

TEST_F(SurfaceTest, WhiteboardPageHasItsGridLines) {
    WBHWidth = 50;
    WBVerticalLine = true;
    WBVWidth = 40;
    img->WBrdLoad(200, 150);
    const uint32_t grid = plat::ColorToPixel32(WBPenColor);
    EXPECT_EQ(Px(img->Bitmap, 10, 50), grid);
    EXPECT_EQ(Px(img->Bitmap, 10, 100), grid);
    EXPECT_EQ(Px(img->Bitmap, 10, 49), kWhite);
    EXPECT_EQ(Px(img->Bitmap, 40, 10), grid);
    EXPECT_EQ(Px(img->Bitmap, 0, 10), kWhite); // no line on the edge itself
    // A spacing of 0 draws no lines instead of looping for ever.
    WBHWidth = 0;
    WBVWidth = 0;
    img->WBrdLoad(200, 150);
    EXPECT_EQ(CountWhere(img->Bitmap, kWhite, false), 0);
}

} // namespace
