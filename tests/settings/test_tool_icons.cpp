// Tool icons: the painters' pixels, the command texts, and the image list they paint into.

#include "platform/raster/Canvas.h"
#include "platform/ui/ImageList.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "settings/ToolIcons.h"
#include "settings/ToolPictures.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

namespace {

using plat::Color;
using plat::TImageList;

using PixelSet = std::set<std::pair<int, int>>;

class ToolIconsTest : public ::testing::Test {
protected:
    void SetUp() override {
        PenModelDefaultsSet();
        ToolPicturesLoad(main_, base_, dialog_);
    }

    static Color At(const TImageList& list, int slot, int x, int y) {
        return list.Picture(slot).PixelColor(x, y);
    }

    // Slot of list equals base slot of baseList in every pixel and in its mask, except at
    // the pixels of skip.
    static void ExpectSameAs(const TImageList& list, int slot, const TImageList& baseList,
                             int baseSlot, const PixelSet& skip = {}) {
        for (int y = 0; y < list.Height(); ++y)
            for (int x = 0; x < list.Width(); ++x) {
                if (skip.count({x, y})) continue;
                ASSERT_EQ(At(list, slot, x, y), At(baseList, baseSlot, x, y))
                    << "pixel " << x << "," << y;
                ASSERT_EQ(list.Opaque(slot, x, y), baseList.Opaque(baseSlot, x, y))
                    << "mask " << x << "," << y;
            }
    }

    TImageList main_{18, 18, kMainListCount};
    TImageList base_{18, 18, kBaseListCount};
    TImageList dialog_{38, 18, kDialogListCount};
};

// The pixels a one-pixel line from (x1, y1) to (x2, y2) covers for the horizontal and
// 45-degree lines the painters use (end point excluded).
PixelSet LinePixels(int x1, int y1, int x2, int y2) {
    PixelSet pixels;
    const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    const int dx = (x2 > x1) - (x2 < x1);
    const int dy = (y2 > y1) - (y2 < y1);
    for (int i = 0; i < steps; ++i) pixels.insert({x1 + i * dx, y1 + i * dy});
    return pixels;
}

PixelSet PenPixels() {
    PixelSet p = LinePixels(2, 14, 0, 16);
    p.merge(LinePixels(2, 16, 17, 16));
    return p;
}

PixelSet MarkerPixels() {
    PixelSet p;
    for (auto [x1, y1, x2, y2] : std::vector<std::array<int, 4>>{
             {3, 13, 0, 16}, {3, 14, 1, 16}, {4, 14, 2, 16}, {5, 15, 18, 15}, {4, 16, 18, 16}})
        p.merge(LinePixels(x1, y1, x2, y2));
    return p;
}

// ---- Colour balls --------------------------------------------------------------------

struct BallCase {
    int32_t color;
    int baseSlot;
};

TEST_F(ToolIconsTest, StandardColoursUseTheirPreDrawnBall) {
    const BallCase cases[] = {
        {RAINBOW, 4},   {FUDE_COLOR, 4}, {RAINBOW | DOTTED_FLAG, 4},
        {0xFFFF00, 5},  {0xFF0000, 6},   {0x10FF0000, 6}, // blue, dotted
        {0x000000, 7},  {0xFF00FF, 8},   {0x00FF00, 9},
        {0x0000FF, 10}, {0x00FFFF, 11},  {0xFFFFFF, 12},
    };
    for (const BallCase& c : cases) {
        SCOPED_TRACE(c.color);
        ColorIconPaint(c.color, 3, main_, base_);
        ExpectSameAs(main_, 3, base_, c.baseSlot);
    }
}

TEST_F(ToolIconsTest, OtherColourGetsAShadedBall) {
    const Color c = plat::Rgb(5, 15, 10);
    ColorIconPaint(static_cast<int32_t>(c), 25, main_, base_);
    struct Case {
        int x, y;
        Color expected;
    };
    // Factors 0.95, 0.9, 0.85, 0.8 of (5, 15, 10), rounded with halves to even.
    const Case cases[] = {
        {7, 7, c},                     // ellipse inside
        {1, 7, c},                     // line (1, 6)-(1, 10)
        {3, 12, c},                    // line (3, 3)-(3, 13)
        {1, 5, plat::Rgb(5, 14, 10)},  // 0.95: 4.75, 14.25, 9.5
        {12, 12, plat::Rgb(4, 14, 9)}, // 0.9: 4.5, 13.5, 9
        {1, 10, plat::Rgb(4, 14, 9)},  // 0.9
        {7, 14, plat::Rgb(4, 13, 8)},  // 0.85: 4.25, 12.75, 8.5
        {14, 9, plat::Rgb(4, 12, 8)},  // 0.8
        {6, 14, plat::Rgb(4, 12, 8)},  // 0.8
    };
    for (const Case& k : cases) {
        EXPECT_EQ(At(main_, 25, k.x, k.y), k.expected) << k.x << "," << k.y;
        EXPECT_TRUE(main_.Opaque(25, k.x, k.y)) << k.x << "," << k.y;
    }
    // Nothing of the cyan ball underneath shows: every visible pixel is the colour or a
    // shade of it.
    const std::set<Color> allowed{c, plat::Rgb(5, 14, 10), plat::Rgb(4, 14, 9), plat::Rgb(4, 13, 8),
                                  plat::Rgb(4, 12, 8)};
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x)
            if (main_.Opaque(25, x, y)) {
                EXPECT_TRUE(allowed.count(At(main_, 25, x, y))) << x << "," << y;
            }
    EXPECT_FALSE(main_.Opaque(25, 0, 0));
    EXPECT_FALSE(main_.Opaque(25, 17, 17));
}

TEST_F(ToolIconsTest, OliveBallIsTransparentInsideWithItsShadedEdge) {
    ColorIconPaint(static_cast<int32_t>(kOlive), 25, main_, base_);
    EXPECT_FALSE(main_.Opaque(25, 7, 7));
    EXPECT_FALSE(main_.Opaque(25, 1, 7));
    EXPECT_TRUE(main_.Opaque(25, 1, 5));
    EXPECT_TRUE(main_.Opaque(25, 6, 14));
}

// ---- Pen and highlighter -------------------------------------------------------------

struct StrokeCase {
    const char* name;
    bool marker;
    PixelSet (*pixels)();
    int baseSlot;
    int rainbowSlot;
};

const StrokeCase kStrokeCases[] = {
    {"pen", false, PenPixels, kBasePen, kBasePenRainbow},
    {"highlighter", true, MarkerPixels, kBaseMarker, kBaseMarkerRainbow},
};

void StrokePaint(const StrokeCase& s, int32_t color, int slot, TImageList& list,
                 const TImageList& base) {
    if (s.marker)
        MarkerIconPaint(color, slot, list, base);
    else
        PenIconPaint(color, slot, list, base);
}

TEST_F(ToolIconsTest, PenAndHighlighterRecolourExactlyTipAndStroke) {
    for (const StrokeCase& s : kStrokeCases) {
        SCOPED_TRACE(s.name);
        for (const int32_t color : {0x123456, 0x10123456}) { // the dotted flag is no colour
            StrokePaint(s, color, 19, main_, base_);
            const PixelSet painted = s.pixels();
            for (auto [x, y] : painted) {
                EXPECT_EQ(At(main_, 19, x, y), 0x123456u) << x << "," << y;
                EXPECT_TRUE(main_.Opaque(19, x, y)) << x << "," << y;
            }
            ExpectSameAs(main_, 19, base_, s.baseSlot, painted);
        }
    }
}

TEST_F(ToolIconsTest, RainbowPenAndHighlighterAreTheirBasePictures) {
    for (const StrokeCase& s : kStrokeCases) {
        for (const int32_t color : {RAINBOW, FUDE_COLOR}) {
            SCOPED_TRACE(s.name);
            StrokePaint(s, color, 26, main_, base_);
            ExpectSameAs(main_, 26, base_, s.rainbowSlot);
        }
    }
}

TEST_F(ToolIconsTest, OlivePenAndHighlighterHaveAnInvisibleStroke) {
    for (const StrokeCase& s : kStrokeCases) {
        SCOPED_TRACE(s.name);
        StrokePaint(s, static_cast<int32_t>(kOlive), 18, main_, base_);
        for (auto [x, y] : s.pixels()) EXPECT_FALSE(main_.Opaque(18, x, y)) << x << "," << y;
    }
}

TEST_F(ToolIconsTest, BasePicturesCarryTheirTipAndStrokeWhereThePaintersDraw) {
    // Painting the base colour itself changes nothing: the drawn tip and stroke sit where
    // the painters recolour.
    for (const StrokeCase& s : kStrokeCases) {
        SCOPED_TRACE(s.name);
        StrokePaint(s, 0xFFFF00, 19, main_, base_);
        ExpectSameAs(main_, 19, base_, s.baseSlot);
    }
}

// ---- Width bars ----------------------------------------------------------------------

struct WidthCase {
    int32_t width;
    int top, bottom; // bar rows top..bottom-1, shadow rows bottom and bottom+1
};

TEST_F(ToolIconsTest, WidthBarRowsShadowAndMask) {
    const WidthCase cases[] = {{1, 7, 8},  {2, 7, 9},   {4, 6, 10},
                               {8, 4, 12}, {16, 0, 16}, {32, 0, 16}};
    const Color c = 0x3366CC;
    for (const WidthCase& w : cases) {
        SCOPED_TRACE(w.width);
        WidthIconPaint(static_cast<int32_t>(c), w.width, 44, main_);
        for (int y = 0; y < 18; ++y) {
            const bool opaque = y >= w.top && y <= w.bottom + 1;
            for (int x = 0; x < 18; ++x) ASSERT_EQ(main_.Opaque(44, x, y), opaque) << x << "," << y;
        }
        for (int y = w.top; y < w.bottom; ++y)
            for (int x = 0; x < 18; ++x) ASSERT_EQ(At(main_, 44, x, y), c) << x << "," << y;
        for (int x = 2; x < 18; ++x) {
            EXPECT_EQ(At(main_, 44, x, w.bottom), 0x5A5A5Au);
            EXPECT_EQ(At(main_, 44, x, w.bottom + 1), 0xA5A5A5u);
        }
        EXPECT_EQ(At(main_, 44, 0, w.bottom), 0xB5B5B5u);
        EXPECT_EQ(At(main_, 44, 1, w.bottom), 0x737373u);
        EXPECT_EQ(At(main_, 44, 0, w.bottom + 1), 0xC6C6C6u);
        EXPECT_EQ(At(main_, 44, 1, w.bottom + 1), 0xB5B5B5u);
    }
}

TEST_F(ToolIconsTest, RainbowWidthBarHasDiagonalStripes) {
    const Color stripes[] = {0xFF00FF, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000};
    for (const int32_t color : {RAINBOW, FUDE_COLOR}) {
        WidthIconPaint(color, 8, 20, main_);
        for (int k = 0; k < 8; ++k)
            for (int x = 0; x < 18; ++x) {
                const int j = std::max(0, static_cast<int>(std::floor((x + k - 1) / 3.0)));
                ASSERT_EQ(At(main_, 20, x, 4 + k), stripes[j % 6]) << x << "," << k;
            }
    }
    // The first run of the top row is four pixels long.
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(main_, 20, x, 4), 0xFF00FFu);
    EXPECT_EQ(At(main_, 20, 4, 4), 0x0000FFu);
}

// ---- Swatches ------------------------------------------------------------------------

TEST_F(ToolIconsTest, SwatchIsTheColourInATransparentFrame) {
    SwatchPaint(0x00FF00, 2, dialog_);
    for (int x = 0; x < 38; ++x) {
        EXPECT_FALSE(dialog_.Opaque(2, x, 0));
        EXPECT_FALSE(dialog_.Opaque(2, x, 17));
    }
    for (int y = 0; y < 18; ++y) {
        EXPECT_FALSE(dialog_.Opaque(2, 0, y));
        EXPECT_FALSE(dialog_.Opaque(2, 37, y));
    }
    for (int y = 1; y < 17; ++y)
        for (int x = 1; x < 37; ++x) {
            ASSERT_TRUE(dialog_.Opaque(2, x, y));
            ASSERT_EQ(At(dialog_, 2, x, y), 0x00FF00u);
        }
}

TEST_F(ToolIconsTest, RainbowSwatchIsTheDialogsRainbowPicture) {
    for (const int32_t color : {RAINBOW, FUDE_COLOR}) {
        SwatchPaint(color, 0, dialog_);
        ExpectSameAs(dialog_, 0, dialog_, kDialogSlotRainbow);
    }
    // The pre-drawn swatch is opaque inside its frame.
    EXPECT_TRUE(dialog_.Opaque(kDialogSlotRainbow, 10, 9));
    EXPECT_FALSE(dialog_.Opaque(kDialogSlotRainbow, 17, 0));
}

// ---- Command texts and the icon sets -------------------------------------------------

TEST(ToolIconTexts, CaptionsAndTags) {
    PenModelDefaultsSet();
    EXPECT_EQ(ColorActionText(0), (TActionText{"Rainbow(&0)", RAINBOW}));
    EXPECT_EQ(ColorActionText(1), (TActionText{"Cyan(&1)", 0xFFFF00}));
    EXPECT_EQ(ColorActionText(8), (TActionText{"White(&8)", 0xFFFFFF}));
    EXPECT_EQ(WidthActionText(0), (TActionText{"Width 1(&1)", 1}));
    EXPECT_EQ(WidthActionText(3), (TActionText{"Width 8(&4)", 8}));
    PenColors[2] = TPenColorE{0x123456, "Navy"};
    PenWidths[4] = 24;
    EXPECT_EQ(ColorActionSet(2), (TActionText{"Navy(&2)", 0x123456}));
    EXPECT_EQ(WidthActionText(4), (TActionText{"Width 24(&5)", 24}));
    PenModelDefaultsSet();
}

TEST_F(ToolIconsTest, ColorActionPaintPaintsTheMenuColourIntoTheSlot) {
    PenColors[2] = TPenColorE{0x123456, "Navy"};
    const TActionText text = ColorActionPaint(2, 2, main_, base_);
    EXPECT_EQ(text, (TActionText{"Navy(&2)", 0x123456}));
    EXPECT_EQ(At(main_, 2, 7, 7), 0x123456u);
    PenModelDefaultsSet();
}

TEST_F(ToolIconsTest, ColorIconsSetPaintsTheCurrentColourPictures) {
    CrPen = TPenType{0x0000FF, 4, PEN_KIND_PEN};
    std::vector<std::pair<int32_t, TActionText>> texts;
    ColorIconsSet(0x123456, main_, base_,
                  [&](int32_t i, const TActionText& t) { texts.emplace_back(i, t); });
    EXPECT_EQ(At(main_, kSlotCurrentColor, 7, 7), 0x123456u);
    EXPECT_EQ(At(main_, kSlotPen, 5, 16), 0x123456u);
    EXPECT_EQ(At(main_, kSlotMarker, 5, 16), 0x123456u);
    ASSERT_EQ(texts.size(), 5u);
    const int rows[] = {7, 7, 6, 4, 0}; // the top rows of widths 1, 2, 4, 8, 16
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(texts[i].first, i);
        EXPECT_EQ(texts[i].second, WidthActionText(i));
        EXPECT_EQ(At(main_, kSlotWidth0 + i, 9, rows[i]), 0x123456u);
    }
    // The width button shows the current pen (red, width 4: rows 6..9), not the colour given.
    EXPECT_EQ(At(main_, kSlotCurrentWidth, 9, 6), 0x0000FFu);
    EXPECT_FALSE(main_.Opaque(kSlotCurrentWidth, 9, 5));
    EXPECT_TRUE(main_.Opaque(kSlotCurrentWidth, 9, 11));
}

TEST_F(ToolIconsTest, PresetIconsFollowTheKindOfEachPreset) {
    PenPresets[0] = TPenType{0x123456, 4, PEN_KIND_PEN};
    PenPresets[1] = TPenType{0x123456, 4, PEN_KIND_HIGHLIGHTER};
    PenPresets[2] = TPenType{0x123456, 4, 2}; // any kind but 0 shows the pen
    const int32_t penCount = PenCount;
    PenCount = 1; // all ten are painted whatever PenCount is
    PresetIconsSet(main_, base_);
    PenCount = penCount;
    for (auto [slot, marker] : {std::pair{26, false}, {27, true}, {28, false}}) {
        SCOPED_TRACE(slot);
        const PixelSet painted = marker ? MarkerPixels() : PenPixels();
        ExpectSameAs(main_, slot, base_, marker ? kBaseMarker : kBasePen, painted);
        EXPECT_EQ(At(main_, slot, 5, 16), 0x123456u);
    }
    // The default presets 3..9 are highlighters, e.g. preset 9 in light green.
    EXPECT_EQ(At(main_, 35, 10, 15), 0x99FF99u);
}

// ---- The image list ------------------------------------------------------------------

TEST(ImageList, ReplaceSignalsAndMasksByTheKeyColour) {
    TImageList list(18, 18, 4);
    std::vector<int32_t> changed;
    QObject::connect(&list, &TImageList::Changed, [&](int32_t i) { changed.push_back(i); });

    plat::Bitmap picture;
    picture.SetSize(18, 18);
    plat::Canvas& canvas = picture.GetCanvas();
    canvas.brush = plat::Brush{kOlive, plat::BrushStyle::Solid};
    canvas.FillRect(plat::Rect{0, 0, 18, 18});
    canvas.brush = plat::Brush{0x0000FF, plat::BrushStyle::Solid};
    canvas.FillRect(plat::Rect{4, 5, 8, 9});

    list.ReplaceMasked(2, picture, kOlive);
    list.Replace(3, picture, std::vector<bool>(18 * 18, true));
    EXPECT_EQ(changed, (std::vector<int32_t>{2, 3}));

    EXPECT_TRUE(list.Opaque(2, 4, 5));
    EXPECT_TRUE(list.Opaque(2, 7, 8));
    EXPECT_FALSE(list.Opaque(2, 8, 8));
    EXPECT_FALSE(list.Opaque(2, 3, 5));
    EXPECT_EQ(list.Picture(2).PixelColor(5, 6), 0x0000FFu);
    EXPECT_TRUE(list.Opaque(3, 0, 0));
    EXPECT_FALSE(list.Opaque(1, 5, 6)); // untouched slots are empty
    EXPECT_FALSE(list.Opaque(2, 18, 0));
}

TEST(ImageList, IconHasTheExactPixelsAndADoubledForm) {
    TImageList list(18, 18, 2);
    plat::Bitmap picture;
    picture.SetSize(18, 18);
    picture.GetCanvas().brush = plat::Brush{kOlive, plat::BrushStyle::Solid};
    picture.GetCanvas().FillRect(plat::Rect{0, 0, 18, 18});
    picture.GetCanvas().brush = plat::Brush{0xFF0000, plat::BrushStyle::Solid};
    picture.GetCanvas().FillRect(plat::Rect{0, 0, 9, 18});
    list.ReplaceMasked(0, picture, kOlive);

    const QIcon icon = list.Icon(0);
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(18, 18)));
    EXPECT_TRUE(sizes.contains(QSize(36, 36)));
    const QImage exact =
        icon.pixmap(QSize(18, 18), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(exact.size(), QSize(18, 18));
    EXPECT_EQ(exact.pixel(3, 3), qRgba(0, 0, 255, 255));
    EXPECT_EQ(qAlpha(exact.pixel(12, 3)), 0);
    const QImage doubled =
        icon.pixmap(QSize(36, 36), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(doubled.pixel(17, 5), qRgba(0, 0, 255, 255)); // pixel 8 doubled
    EXPECT_EQ(qAlpha(doubled.pixel(18, 5)), 0);

    // A high-density drawing takes the doubled form's place until the next replace.
    QImage sharp(36, 36, QImage::Format_ARGB32);
    sharp.fill(qRgba(0, 255, 0, 255));
    list.SetHighDensity(0, sharp);
    EXPECT_EQ(list.Icon(0).pixmap(QSize(36, 36), 1.0).toImage().pixel(30, 30),
              qRgba(0, 255, 0, 255));
    list.ReplaceMasked(0, picture, kOlive);
    EXPECT_EQ(qAlpha(list.Icon(0).pixmap(QSize(36, 36), 1.0).toImage().pixel(30, 30)), 0);
}

TEST_F(ToolIconsTest, FixedPicturesAreDrawnAndUnusedSlotsEmpty) {
    const int fixed[] = {9, 10, 11, 12, 36, 37, 38, 39, 40, 41, 42, 43};
    for (const int slot : fixed) {
        int opaque = 0;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 18; ++x) opaque += main_.Opaque(slot, x, y);
        EXPECT_GT(opaque, 20) << slot;
        EXPECT_FALSE(main_.Icon(slot).isNull());
    }
    for (int slot = 13; slot <= 17; ++slot)
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 18; ++x) ASSERT_FALSE(main_.Opaque(slot, x, y)) << slot;
}

} // namespace
