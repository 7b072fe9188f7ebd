// The cursor set: which slots it fills, the hot spots, and the template pens' nib pixels
// that the drawing surface recolours.

#include "app/Cursors.h"

#include <QCursor>
#include <gtest/gtest.h>

namespace {

TEST(Cursors, SetFillsTheSlotsWithTheirHotSpots) {
    plat::ClearCursorSlots();
    CursorsLoad();
    struct Case {
        int slot;
        plat::Point hotSpot;
    };
    const Case cases[] = {
        {kCursorRainbowPen, {0, 0}},  {kCursorColorPen, {0, 0}},      {kCursorBlackPen, {0, 0}},
        {kCursorWhitePen, {0, 0}},    {kCursorRainbowMarker, {0, 0}}, {kCursorColorMarker, {0, 0}},
        {kCursorBlackMarker, {0, 0}}, {kCursorWhiteMarker, {0, 0}},   {kCursorEraser, {6, 6}},
        {kCursorHand, {15, 1}},       {kCursorHandClosed, {15, 1}},   {kCursorLasso, {0, 24}},
    };
    for (const Case& c : cases) {
        const plat::CursorImage* image = plat::SlotCursorImage(c.slot);
        ASSERT_NE(image, nullptr) << c.slot;
        EXPECT_EQ(image->hotSpot, c.hotSpot) << c.slot;
        EXPECT_GT(image->VisibleCount(), 60) << c.slot;
        EXPECT_EQ(plat::SlotCursor(c.slot).hotSpot(), QPoint(c.hotSpot.x, c.hotSpot.y)) << c.slot;
    }
    EXPECT_EQ(plat::SlotCursorImage(9), nullptr);
    // The hot spot of the pens is their tip; the lasso's is its rope end.
    EXPECT_TRUE(plat::SlotCursorImage(kCursorColorPen)->Visible(0, 0));
    EXPECT_TRUE(plat::SlotCursorImage(kCursorLasso)->Visible(0, 24));
    EXPECT_TRUE(plat::SlotCursorImage(kCursorEraser)->Visible(6, 6));
    plat::ClearCursorSlots();
}

// The pixels the surface recolours, with their shading factors, as cyan would give them.
TEST(Cursors, TemplatePensCarryCyanOnTheRecolouredPixels) {
    struct Px {
        int x, y;
        double f;
    };
    const Px full[] = {{0, 0, 1}, {1, 1, 1}, {2, 1, 1}, {3, 1, 1}, {4, 1, 1}, {2, 2, 1}, {3, 2, 1},
                       {4, 2, 1}, {5, 2, 1}, {3, 3, 1}, {4, 3, 1}, {5, 3, 1}, {3, 4, 1}, {4, 4, 1}};
    const Px shaded[] = {{2, 3, 0.98}, {2, 4, 0.98}, {3, 5, 0.98}, {1, 2, 0.73}, {1, 3, 0.73},
                         {1, 4, 0.73}, {2, 5, 0.73}, {1, 0, 0.59}, {2, 0, 0.59}, {3, 0, 0.59},
                         {4, 0, 0.59}, {0, 1, 0.59}, {5, 1, 0.59}, {0, 2, 0.59}, {6, 2, 0.59},
                         {0, 3, 0.59}, {0, 4, 0.59}, {1, 5, 0.59}, {2, 6, 0.59}};
    for (int slot : {kCursorColorPen, kCursorColorMarker}) {
        const plat::CursorImage image = CursorImageFor(slot);
        const auto check = [&](const Px& p) {
            const int v = static_cast<int>(std::nearbyint(255 * p.f));
            EXPECT_TRUE(image.Visible(p.x, p.y)) << slot << " " << p.x << "," << p.y;
            EXPECT_EQ(image.PixelAt(p.x, p.y), plat::Rgb(0, v, v))
                << slot << " " << p.x << "," << p.y;
        };
        for (const Px& p : full) check(p);
        for (const Px& p : shaded) check(p);
        // No other pixel of the template is cyan-like: recolouring leaves nothing behind.
        int cyanish = 0;
        for (int y = 0; y < plat::kCursorSize; ++y)
            for (int x = 0; x < plat::kCursorSize; ++x) {
                const plat::Color c = image.PixelAt(x, y);
                if (image.Visible(x, y) && plat::RedOf(c) < 60 && plat::GreenOf(c) > 120 &&
                    plat::BlueOf(c) > 120)
                    ++cyanish;
            }
        EXPECT_EQ(cyanish, 33) << slot;
    }
}

TEST(Cursors, HighlightersAreBroaderThanPens) {
    for (int pen = kCursorRainbowPen; pen <= kCursorWhitePen; ++pen) {
        const int marker = pen + (kCursorRainbowMarker - kCursorRainbowPen);
        EXPECT_GT(CursorImageFor(marker).VisibleCount(), CursorImageFor(pen).VisibleCount() * 5 / 4)
            << pen;
    }
    EXPECT_EQ(CursorImageFor(9).VisibleCount(), 0);
}

} // namespace
