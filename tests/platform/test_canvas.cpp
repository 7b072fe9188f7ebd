#include "RasterTestUtil.h"
#include "platform/raster/Canvas.h"
#include "platform/raster/IntMath.h"
#include "platform/raster/ScanConvert.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace plat {
namespace {

using test::Inked;
using test::MakeBitmap;
using test::PixelSet;
using test::Value;

// Independent reference for the wide pen: distance of the pixel centre to the segment,
// decided exactly in integers.
bool CapsuleCovers(Point a, Point b, int32_t w, int64_t x, int64_t y) {
    const int64_t dx = b.x - a.x, dy = b.y - a.y, vx = x - a.x, vy = y - a.y;
    const int64_t len2 = dx * dx + dy * dy, dot = vx * dx + vy * dy;
    const int64_t w2 = int64_t{w} * w;
    if (len2 == 0 || dot <= 0) return 4 * (vx * vx + vy * vy) <= w2;
    if (dot >= len2) return 4 * ((x - b.x) * (x - b.x) + (y - b.y) * (y - b.y)) <= w2;
    const int64_t cross = vx * dy - vy * dx;
    return Int128{4} * cross * cross <= Int128{w2} * len2;
}

void Line(Bitmap& bmp, Point a, Point b, int32_t width, Color color, PenMode mode = PenMode::Copy) {
    Canvas& c = bmp.GetCanvas();
    c.pen = {color, width, PenStyle::Solid, mode};
    c.MoveTo(a.x, a.y);
    c.LineTo(b.x, b.y);
}

// ---- One-pixel lines -------------------------------------------------------------------

TEST(Canvas, OnePixelLineIncludesStartAndExcludesEnd) {
    struct Case {
        Point a, b;
        PixelSet expected;
    };
    const Case cases[] = {
        {{2, 3}, {6, 3}, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {{6, 3}, {2, 3}, {{6, 3}, {5, 3}, {4, 3}, {3, 3}}},
        {{4, 1}, {4, 4}, {{4, 1}, {4, 2}, {4, 3}}},
        {{1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}},
        {{4, 1}, {1, 4}, {{4, 1}, {3, 2}, {2, 3}}},
        // Slope 1/2: the tie at step 1 stays on the start's row.
        {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {{4, 2}, {0, 0}, {{4, 2}, {3, 2}, {2, 1}, {1, 1}}},
        // Steep, slope 3.
        {{0, 0}, {1, 3}, {{0, 0}, {0, 1}, {1, 2}}},
        // Slope 1/3.
        {{0, 5}, {6, 3}, {{0, 5}, {1, 5}, {2, 4}, {3, 4}, {4, 4}, {5, 3}}},
        {{3, 3}, {3, 3}, {}},
    };
    for (int width : {0, 1}) {
        for (const Case& c : cases) {
            auto bmp = MakeBitmap(PixelFormat::Indexed8, 10, 10);
            Line(*bmp, c.a, c.b, width, PaletteIndex(9));
            EXPECT_EQ(Inked(*bmp), c.expected)
                << c.a.x << "," << c.a.y << " -> " << c.b.x << "," << c.b.y << " width " << width;
        }
    }
}

TEST(Canvas, RandomOnePixelLinesAreConnectedAndExact) {
    std::mt19937 rng(7);
    for (int i = 0; i < 200; ++i) {
        const Point a{int32_t(rng() % 60), int32_t(rng() % 60)};
        const Point b{int32_t(rng() % 60), int32_t(rng() % 60)};
        auto bmp = MakeBitmap(PixelFormat::Indexed8, 60, 60);
        Line(*bmp, a, b, 1, PaletteIndex(1));
        const PixelSet px = Inked(*bmp);
        const size_t steps = size_t(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)));
        EXPECT_EQ(px.size(), steps);
        if (steps == 0) continue;
        EXPECT_TRUE(px.count({a.x, a.y}));
        EXPECT_FALSE(px.count({b.x, b.y}));
        // Every pixel lies within half a pixel of the line along the minor axis.
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        for (auto [x, y] : px) {
            const double dist =
                std::abs((x - a.x) * double(b.y - a.y) - (y - a.y) * double(b.x - a.x)) / len;
            EXPECT_LE(dist, 0.75) << x << "," << y;
        }
    }
}

// ---- Wide pens -------------------------------------------------------------------------

TEST(Canvas, WideSegmentsMatchTheDistanceRule) {
    std::mt19937 rng(11);
    for (int i = 0; i < 300; ++i) {
        const int32_t w = 2 + int32_t(rng() % 20);
        const Point a{int32_t(rng() % 50) - 5, int32_t(rng() % 50) - 5};
        const Point b = (i % 7 == 0) ? a : Point{int32_t(rng() % 50) - 5, int32_t(rng() % 50) - 5};
        auto bmp = MakeBitmap(PixelFormat::Indexed8, 40, 40);
        Line(*bmp, a, b, w, PaletteIndex(1));
        for (int32_t y = 0; y < 40; ++y)
            for (int32_t x = 0; x < 40; ++x)
                ASSERT_EQ(Value(*bmp, x, y) == 1, CapsuleCovers(a, b, w, x, y))
                    << "segment " << a.x << "," << a.y << " -> " << b.x << "," << b.y << " width "
                    << w << " pixel " << x << "," << y;
    }
}

TEST(Canvas, ZeroLengthWideLineIsARoundDisc) {
    for (int32_t w : {2, 3, 7, 12, 25}) {
        auto bmp = MakeBitmap(PixelFormat::Rgb32, 40, 40);
        Line(*bmp, {20, 20}, {20, 20}, w, Rgb(255, 0, 0));
        const PixelSet px = Inked(*bmp);
        PixelSet disc;
        for (int32_t y = 0; y < 40; ++y)
            for (int32_t x = 0; x < 40; ++x)
                if (4 * ((x - 20) * (x - 20) + (y - 20) * (y - 20)) <= w * w) disc.insert({x, y});
        EXPECT_EQ(px, disc) << w;
        // Extent across equals the width rounded to the pixel grid.
        int32_t minX = 99, maxX = -1;
        for (auto [x, y] : px) minX = std::min(minX, x), maxX = std::max(maxX, x);
        EXPECT_EQ(maxX - minX + 1, w / 2 * 2 + 1) << w;
    }
}

TEST(Canvas, WideLineInksABandOfItsWidth) {
    struct Case {
        Point a, b;
        int32_t width;
        int32_t across; // pixels across the middle, perpendicular to the line
    };
    // Horizontal and vertical: rows/columns within w/2 of the line; w = 4 reaches 2 each side.
    const Case cases[] = {{{5, 30}, {55, 30}, 5, 5},
                          {{5, 30}, {55, 30}, 4, 5},
                          {{5, 30}, {55, 30}, 10, 11},
                          {{30, 5}, {30, 55}, 5, 5},
                          {{30, 5}, {30, 55}, 8, 9},
                          // Diagonal: pixels (30 + k, 30 - k) at distance sqrt(2) |k|.
                          {{5, 5}, {55, 55}, 9, 7},
                          {{5, 5}, {55, 55}, 16, 11}};
    for (const Case& c : cases) {
        auto bmp = MakeBitmap(PixelFormat::Indexed8, 60, 60);
        Line(*bmp, c.a, c.b, c.width, PaletteIndex(1));
        int32_t count = 0;
        const bool diagonal = c.a.x != c.b.x && c.a.y != c.b.y;
        for (int32_t k = -30; k < 30; ++k) {
            const int32_t x = diagonal ? 30 + k : (c.a.x == c.b.x ? 30 + k : 30);
            const int32_t y = diagonal ? 30 - k : (c.a.x == c.b.x ? 30 : 30 + k);
            if (x >= 0 && y >= 0 && x < 60 && y < 60) count += Value(*bmp, x, y) == 1;
        }
        EXPECT_EQ(count, c.across) << "width " << c.width;
        // Perpendicular extent in pixels is about the width.
        const double extent = diagonal ? (count - 1) * std::sqrt(2.0) : count - 1;
        EXPECT_LE(std::abs(extent - c.width), 2.0);
    }
}

// ---- Pen modes ---------------------------------------------------------------------------

TEST(Canvas, MergeOnIndexedLayerAccumulatesByOr) {
    auto bmp = MakeBitmap(PixelFormat::Indexed8, 30, 30);
    Line(*bmp, {5, 10}, {25, 10}, 6, PaletteIndex(0x0F), PenMode::Merge);
    const std::vector<uint8_t> once(bmp->ScanLine(0), bmp->ScanLine(0) + 30 * bmp->Stride());
    Line(*bmp, {5, 10}, {25, 10}, 6, PaletteIndex(0x0F), PenMode::Merge);
    EXPECT_EQ(std::vector<uint8_t>(bmp->ScanLine(0), bmp->ScanLine(0) + 30 * bmp->Stride()), once);
    Line(*bmp, {15, 0}, {15, 29}, 3, PaletteIndex(0xB0), PenMode::Merge);
    EXPECT_EQ(Value(*bmp, 15, 10), 0xBFu);
    EXPECT_EQ(Value(*bmp, 6, 10), 0x0Fu);
    EXPECT_EQ(Value(*bmp, 15, 25), 0xB0u);
}

TEST(Canvas, MaskKeepsOnlyTheCommonBits) {
    auto bmp = MakeBitmap(PixelFormat::Indexed8, 20, 20);
    bmp->GetCanvas().brush = {PaletteIndex(0xF3), BrushStyle::Solid};
    bmp->GetCanvas().FillRect({0, 0, 20, 20});
    Line(*bmp, {2, 5}, {18, 5}, 3, PaletteIndex(0x3C), PenMode::Mask);
    EXPECT_EQ(Value(*bmp, 10, 5), 0x30u);
    EXPECT_EQ(Value(*bmp, 10, 4), 0x30u);
    EXPECT_EQ(Value(*bmp, 10, 8), 0xF3u);
}

// Each primitive, drawn with Xor on a zeroed bitmap, must leave its value at exactly the
// pixels Copy covers (a pixel hit twice would drop back to 0); a second Xor restores all.
struct Primitive {
    const char* name;
    int32_t width;
    PenStyle style;
    void (*draw)(Canvas&);
};

const Primitive kPrimitives[] = {
    {"wide segment", 9, PenStyle::Solid,
     [](Canvas& c) {
         c.MoveTo(3, 4);
         c.LineTo(40, 30);
     }},
    {"self-crossing wide polyline", 7, PenStyle::Solid,
     [](Canvas& c) {
         const Point p[] = {{5, 5}, {40, 40}, {40, 5}, {5, 40}, {20, 2}, {22, 3}};
         c.Polyline(p);
     }},
    {"self-crossing one-pixel polyline", 1, PenStyle::Solid,
     [](Canvas& c) {
         const Point p[] = {{5, 5}, {40, 40}, {40, 5}, {5, 40}, {5, 4}};
         c.Polyline(p);
     }},
    {"bezier loop", 11, PenStyle::Solid,
     [](Canvas& c) {
         const Point p[] = {{5, 40}, {60, 0}, {-15, 0}, {40, 40}};
         c.PolyBezier(p);
     }},
    {"dashed polyline", 5, PenStyle::Dash,
     [](Canvas& c) {
         const Point p[] = {{2, 2}, {44, 44}, {44, 2}, {2, 44}};
         c.Polyline(p);
     }},
    {"ellipse outline width 3", 3, PenStyle::Solid, [](Canvas& c) { c.Ellipse(4, 6, 40, 38); }},
    {"ellipse outline width 1", 1, PenStyle::Solid, [](Canvas& c) { c.Ellipse(4, 6, 40, 38); }},
    {"rectangle width 6", 6, PenStyle::Solid, [](Canvas& c) { c.Rectangle(5, 5, 30, 40); }},
    {"wide arc", 8, PenStyle::Solid, [](Canvas& c) { c.Arc(5, 5, 40, 40, 40, 20, 20, 40); }},
};

TEST(Canvas, EveryPrimitiveWritesEachPixelOnce) {
    for (const Primitive& p : kPrimitives) {
        auto copy = MakeBitmap(PixelFormat::Indexed8, 46, 46);
        auto xored = MakeBitmap(PixelFormat::Indexed8, 46, 46);
        for (Bitmap* bmp : {copy.get(), xored.get()}) {
            Canvas& c = bmp->GetCanvas();
            c.pen = {PaletteIndex(0x5A), p.width, p.style,
                     bmp == copy.get() ? PenMode::Copy : PenMode::Xor};
            c.brush.style = BrushStyle::Clear;
            p.draw(c);
        }
        const PixelSet covered = Inked(*copy);
        EXPECT_GT(covered.size(), 20u) << p.name;
        EXPECT_EQ(Inked(*xored), covered) << p.name;
        p.draw(xored->GetCanvas());
        EXPECT_TRUE(Inked(*xored).empty()) << p.name;
    }
}

TEST(Canvas, XorTwiceRestoresA32BitPicture) {
    auto bmp = MakeBitmap(PixelFormat::Rgb32, 50, 50);
    std::mt19937 rng(3);
    for (int32_t y = 0; y < 50; ++y)
        for (int32_t x = 0; x < 50; ++x) bmp->Row32(y)[x] = rng() & 0xFFFFFF;
    const std::vector<uint8_t> before(bmp->ScanLine(0), bmp->ScanLine(0) + 50 * bmp->Stride());
    Canvas& c = bmp->GetCanvas();
    c.pen = {Rgb(0x12, 0x34, 0x56), 13, PenStyle::Solid, PenMode::Xor};
    const Point p[] = {{0, 0}, {49, 49}, {49, 0}, {0, 49}, {25, -10}};
    c.Polyline(p);
    EXPECT_NE(std::vector<uint8_t>(bmp->ScanLine(0), bmp->ScanLine(0) + 50 * bmp->Stride()),
              before);
    c.Polyline(p);
    EXPECT_EQ(std::vector<uint8_t>(bmp->ScanLine(0), bmp->ScanLine(0) + 50 * bmp->Stride()),
              before);
}

TEST(Canvas, ClearPenDrawsNothing) {
    auto bmp = MakeBitmap(PixelFormat::Rgb32, 40, 40);
    Canvas& c = bmp->GetCanvas();
    c.pen = {Rgb(255, 255, 255), 9, PenStyle::Clear, PenMode::Copy};
    c.brush.style = BrushStyle::Clear;
    c.MoveTo(5, 5);
    c.LineTo(30, 30);
    EXPECT_EQ(c.PenPos(), (Point{30, 30}));
    c.MoveTo(10, 10);
    c.LineTo(10, 10);
    const Point p[] = {{0, 0}, {30, 5}, {3, 30}, {39, 39}};
    c.Polyline(p);
    c.PolyBezier(p);
    c.Rectangle(2, 2, 30, 30);
    c.Ellipse(2, 2, 30, 30);
    c.Arc(2, 2, 30, 30, 30, 16, 16, 2);
    EXPECT_TRUE(Inked(*bmp).empty());
}

// ---- Clipping ----------------------------------------------------------------------------

TEST(Canvas, CoordinatesFarOutsideAreClippedExactly) {
    constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    struct Case {
        Point a, b;
        int32_t width;
        PixelSet (*expected)();
    };
    const Case cases[] = {
        // Horizontal through row 5: rows within w/2 of it, all columns.
        {{-1000000000, 5},
         {1000000000, 5},
         3,
         [] {
             PixelSet s;
             for (int32_t y = 4; y <= 6; ++y)
                 for (int32_t x = 0; x < 20; ++x) s.insert({x, y});
             return s;
         }},
        {{kMin, 7},
         {kMax, 7},
         1,
         [] {
             PixelSet s;
             for (int32_t x = 0; x < 20; ++x) s.insert({x, 7});
             return s;
         }},
        // The main diagonal from one corner of the 32-bit plane to the other.
        {{kMin, kMin},
         {kMax, kMax},
         1,
         [] {
             PixelSet s;
             for (int32_t k = 0; k < 20; ++k) s.insert({k, k});
             return s;
         }},
        {{kMin, kMin},
         {kMax, kMax},
         30,
         [] {
             PixelSet s;
             for (int32_t y = 0; y < 20; ++y)
                 for (int32_t x = 0; x < 20; ++x) s.insert({x, y}); // all within 15 of it
             return s;
         }},
        // Vertical at column 12, width 2: columns 11..13.
        {{12, kMax},
         {12, kMin},
         2,
         [] {
             PixelSet s;
             for (int32_t y = 0; y < 20; ++y)
                 for (int32_t x = 11; x <= 13; ++x) s.insert({x, y});
             return s;
         }},
        {{kMin, kMin}, {kMin, kMax}, 40, [] { return PixelSet{}; }},
        {{kMax, kMax}, {kMax, kMax}, 1 << 30, [] { return PixelSet{}; }},
        {{-1000000000, -1000000000}, {1000000000, -999999999}, 63, [] { return PixelSet{}; }},
    };
    for (const Case& c : cases) {
        auto bmp = MakeBitmap(PixelFormat::Indexed8, 20, 20);
        Line(*bmp, c.a, c.b, c.width, PaletteIndex(1));
        EXPECT_EQ(Inked(*bmp), c.expected())
            << c.a.x << "," << c.a.y << " -> " << c.b.x << "," << c.b.y << " width " << c.width;
    }
}

TEST(Canvas, HugeShapesAreClipped) {
    auto bmp = MakeBitmap(PixelFormat::Indexed8, 16, 16);
    Canvas& c = bmp->GetCanvas();
    c.pen = {PaletteIndex(1), 5, PenStyle::Solid, PenMode::Copy};
    c.brush = {PaletteIndex(2), BrushStyle::Solid};
    c.Rectangle(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(Inked(*bmp, 2).size(), 0u); // all brush: the border is far away
    c.Ellipse(-1000000000, -1000000000, 1000000000, 1000000000);
    EXPECT_EQ(Inked(*bmp, 2).size(), 0u);
    c.Arc(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0, 5, 5);
    const Point curve[] = {{INT32_MIN, 0}, {INT32_MAX, 3}, {INT32_MIN, 9}, {INT32_MAX, 8}};
    c.PolyBezier(curve);
    EXPECT_FALSE(Inked(*bmp, 2).empty());
    c.FillRect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    EXPECT_TRUE(Inked(*bmp, 2).empty());
    c.pen.style = PenStyle::Dash;
    c.MoveTo(-100000, 8);
    c.LineTo(100000, 8);
    EXPECT_FALSE(Inked(*bmp, 2).empty());
}

// Random primitives drawn on a small bitmap equal the same primitives drawn on a bigger one
// around it (shifted by the border), seen through the small one's window; the border of a
// guard bitmap stays untouched by primitives inside a window of it.
TEST(Canvas, RandomPrimitivesClipToTheBitmap) {
    std::mt19937 rng(99);
    constexpr int32_t kW = 37, kH = 23, kBorder = 40;
    auto coord = [&](int32_t range) { return int32_t(rng() % uint32_t(3 * range)) - range; };
    for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Mono1, PixelFormat::Rgb32}) {
        for (int round = 0; round < 150; ++round) {
            auto small = MakeBitmap(format, kW, kH);
            auto big = MakeBitmap(format, kW + 2 * kBorder, kH + 2 * kBorder);
            const int kind = int(rng() % 6);
            const int32_t width = (rng() % 3 == 0) ? 1 : 2 + int32_t(rng() % 14);
            const PenStyle style = (rng() % 4 == 0) ? PenStyle::Dash : PenStyle::Solid;
            const PenMode mode = (rng() % 2) ? PenMode::Copy : PenMode::Xor;
            std::vector<Point> pts;
            for (int i = 0; i < 7; ++i) pts.push_back({coord(kW), coord(kH)});
            for (int pass = 0; pass < 2; ++pass) {
                Bitmap& bmp = pass == 0 ? *small : *big;
                const int32_t off = pass == 0 ? 0 : kBorder;
                std::vector<Point> p = pts;
                for (Point& q : p) q = {q.x + off, q.y + off};
                Canvas& c = bmp.GetCanvas();
                c.pen = {Rgb(255, 255, 255), width, style, mode};
                c.brush = {Rgb(200, 200, 200), rng() % 2 ? BrushStyle::Solid : BrushStyle::Clear};
                if (pass == 1) c.brush.style = small->GetCanvas().brush.style;
                switch (kind) {
                case 0:
                    c.MoveTo(p[0].x, p[0].y);
                    c.LineTo(p[1].x, p[1].y);
                    break;
                case 1:
                    c.Polyline(p);
                    break;
                case 2:
                    c.PolyBezier(p);
                    break;
                case 3:
                    c.Rectangle(p[0].x, p[0].y, p[1].x, p[1].y);
                    break;
                case 4:
                    c.Ellipse(p[0].x, p[0].y, p[1].x, p[1].y);
                    break;
                default:
                    c.Arc(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, p[3].x, p[3].y);
                }
            }
            for (int32_t y = 0; y < kH; ++y)
                for (int32_t x = 0; x < kW; ++x)
                    ASSERT_EQ(Value(*small, x, y), Value(*big, x + kBorder, y + kBorder))
                        << "format " << int(format) << " kind " << kind << " round " << round
                        << " at " << x << "," << y;
        }
    }
}

// ---- Dashes --------------------------------------------------------------------------------

std::vector<std::pair<int32_t, int32_t>> Runs(Bitmap& bmp, int32_t y) {
    std::vector<std::pair<int32_t, int32_t>> runs;
    for (int32_t x = 0; x < bmp.Width(); ++x) {
        if (Value(bmp, x, y) == 0) continue;
        if (!runs.empty() && runs.back().second == x)
            runs.back().second = x + 1;
        else
            runs.push_back({x, x + 1});
    }
    return runs;
}

TEST(Canvas, DashedLineHasGapsAndRunsOnAcrossVertices) {
    for (int32_t w : {1, 4, 7}) {
        auto straight = MakeBitmap(PixelFormat::Indexed8, 260, 40);
        auto bent = MakeBitmap(PixelFormat::Indexed8, 260, 40);
        Canvas& s = straight->GetCanvas();
        s.pen = {PaletteIndex(1), w, PenStyle::Dash, PenMode::Copy};
        s.MoveTo(10, 20);
        s.LineTo(250, 20);
        Canvas& b = bent->GetCanvas();
        b.pen = s.pen;
        const Point p[] = {{10, 20}, {17, 20}, {100, 20}, {250, 20}};
        b.Polyline(p);
        EXPECT_EQ(Inked(*bent), Inked(*straight)) << w;
        const auto runs = Runs(*straight, 20);
        ASSERT_GE(runs.size(), 4u) << w;
        for (size_t i = 1; i + 1 < runs.size(); ++i) {
            EXPECT_EQ(runs[i].first - runs[i - 1].first, 6 * w) << w; // dash + gap
            EXPECT_NEAR(runs[i].second - runs[i].first, 3 * w + (w > 1 ? w : 0), 1) << w;
        }
        EXPECT_EQ(runs.front().first, w > 1 ? 10 - w / 2 : 10);
    }
}

// ---- Rectangles and ellipses -----------------------------------------------------------

TEST(Canvas, RectangleWithPenAndBrushOfOneColourCoversTheBitmap) {
    for (PixelFormat format : {PixelFormat::Rgb32, PixelFormat::Indexed8, PixelFormat::Mono1}) {
        auto bmp = MakeBitmap(format, 33, 17);
        Canvas& c = bmp->GetCanvas();
        c.pen = {Rgb(255, 255, 255), 1, PenStyle::Solid, PenMode::Copy};
        c.brush = {Rgb(255, 255, 255), BrushStyle::Solid};
        c.Rectangle(0, 0, 33, 17);
        const uint32_t white = PixelValueFor(bmp->View(), Rgb(255, 255, 255));
        EXPECT_EQ(Inked(*bmp, white).size(), 0u) << int(format);
    }
}

TEST(Canvas, RectangleOutlineAndInside) {
    struct Case {
        int32_t width;
        int32_t reach; // pen pixels on each side of the border pixels' centres
    };
    for (const Case& k : {Case{1, 0}, Case{0, 0}, Case{3, 1}, Case{5, 2}, Case{6, 3}}) {
        auto bmp = MakeBitmap(PixelFormat::Indexed8, 40, 40);
        Canvas& c = bmp->GetCanvas();
        c.pen = {PaletteIndex(1), k.width, PenStyle::Solid, PenMode::Copy};
        c.brush = {PaletteIndex(2), BrushStyle::Solid};
        c.Rectangle(30, 28, 10, 8); // corners in either order: columns 10..29, rows 8..27
        const int32_t r = k.reach;
        for (int32_t y = 0; y < 40; ++y) {
            for (int32_t x = 0; x < 40; ++x) {
                // Distance to the border pixels' centres (square ring 10..29 x 8..27).
                const int32_t ex = std::max({10 - x, x - 29, 0}), ey = std::max({8 - y, y - 27, 0});
                const bool inBox = x >= 10 && x <= 29 && y >= 8 && y <= 27;
                const int32_t edge = std::min({x - 10, 29 - x, y - 8, 27 - y});
                uint32_t want = 0;
                if (inBox)
                    want = edge <= r ? 1 : 2;
                else if (4 * (ex * ex + ey * ey) <= std::max(k.width, 1) * std::max(k.width, 1) &&
                         (ex <= r && ey <= r))
                    want = 1;
                ASSERT_EQ(Value(*bmp, x, y), want)
                    << "width " << k.width << " at " << x << "," << y;
            }
        }
    }
}

TEST(Canvas, RectangleWithClearBrushLeavesTheInside) {
    auto bmp = MakeBitmap(PixelFormat::Indexed8, 20, 20);
    Canvas& c = bmp->GetCanvas();
    c.pen = {PaletteIndex(1), 1, PenStyle::Solid, PenMode::Copy};
    c.brush.style = BrushStyle::Clear;
    c.Rectangle(2, 2, 12, 12);
    EXPECT_EQ(Inked(*bmp).size(), 36u); // the 10 x 10 ring
    EXPECT_EQ(Value(*bmp, 5, 5), 0u);
}

PixelSet EllipseRegion(Bitmap& bmp) {
    return Inked(bmp);
}

TEST(Canvas, EllipseStaysInItsBoxAndTouchesEverySide) {
    struct Case {
        Rect box;
    };
    for (const Rect box : {Rect{3, 4, 30, 17}, Rect{5, 5, 26, 26}, Rect{0, 0, 1, 1},
                           Rect{7, 2, 9, 30}, Rect{2, 3, 36, 4}}) {
        auto bmp = MakeBitmap(PixelFormat::Indexed8, 40, 40);
        Canvas& c = bmp->GetCanvas();
        c.pen = {PaletteIndex(1), 1, PenStyle::Solid, PenMode::Copy};
        c.brush = {PaletteIndex(2), BrushStyle::Solid};
        c.Ellipse(box.left, box.top, box.right, box.bottom);
        const PixelSet px = EllipseRegion(*bmp);
        int32_t minX = 99, maxX = -1, minY = 99, maxY = -1;
        for (auto [x, y] : px) {
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
            // Mirror symmetric about the box centre.
            EXPECT_TRUE(px.count({box.left + box.right - 1 - x, y}));
            EXPECT_TRUE(px.count({x, box.top + box.bottom - 1 - y}));
        }
        EXPECT_EQ(minX, box.left);
        EXPECT_EQ(maxX, box.right - 1);
        EXPECT_EQ(minY, box.top);
        EXPECT_EQ(maxY, box.bottom - 1);
        // The outline encloses the brush: no brush pixel touches the outside.
        for (auto [x, y] : px) {
            if (Value(*bmp, x, y) != 2) continue;
            for (auto [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}})
                EXPECT_NE(Value(*bmp, nx, ny), 0u) << nx << "," << ny;
        }
    }
}

TEST(Canvas, NumberDiscIsARoundRingAroundItsFill) {
    // A disc as the stroke-order numbers draw it: pen width 3 on a square box.
    for (int32_t r : {9, 12, 17}) {
        auto bmp = MakeBitmap(PixelFormat::Indexed8, 60, 60);
        Canvas& c = bmp->GetCanvas();
        c.pen = {PaletteIndex(1), 3, PenStyle::Solid, PenMode::Copy};
        c.brush = {PaletteIndex(2), BrushStyle::Solid};
        c.Ellipse(30 - r, 30 - r, 30 + r, 30 + r);
        // Centre (30 - 1/2, 30 - 1/2); pen circle radius r - 1/2.
        for (int32_t y = 0; y < 60; ++y)
            for (int32_t x = 0; x < 60; ++x) {
                const double d = std::hypot(x - 29.5, y - 29.5);
                const uint32_t want = std::abs(d - (r - 0.5)) <= 1.5 ? 1 : (d < r - 0.5 ? 2 : 0);
                ASSERT_EQ(Value(*bmp, x, y), want) << "r " << r << " at " << x << "," << y;
                // Round: the same under a quarter turn about the centre.
                ASSERT_EQ(Value(*bmp, x, y), Value(*bmp, 59 - y, x));
            }
    }
}

TEST(Canvas, ArcCoversOnlyItsQuarter) {
    auto bmp = MakeBitmap(PixelFormat::Indexed8, 50, 50);
    Canvas& c = bmp->GetCanvas();
    c.pen = {PaletteIndex(1), 3, PenStyle::Solid, PenMode::Copy};
    c.Arc(5, 5, 46, 46, 45, 25, 25, 0); // centre (25, 25): from the right to the top
    const PixelSet px = Inked(*bmp);
    ASSERT_FALSE(px.empty());
    for (auto [x, y] : px) {
        EXPECT_GE(x, 23) << x << "," << y;
        EXPECT_LE(y, 27) << x << "," << y;
        EXPECT_NEAR(std::hypot(x - 25, y - 25), 20, 2.0);
    }
    EXPECT_TRUE(px.count({45, 25}));
    EXPECT_TRUE(px.count({25, 5}));
}

// ---- Bitmap copies ---------------------------------------------------------------------------

TEST(Canvas, DrawConvertsFormats) {
    auto indexed = MakeBitmap(PixelFormat::Indexed8, 4, 2);
    Palette pal = indexed->GetPalette();
    pal[3] = Rgb(10, 200, 30);
    indexed->SetPalette(pal);
    indexed->ScanLine(0)[1] = 3;
    indexed->ScanLine(1)[2] = 128;
    auto mono = MakeBitmap(PixelFormat::Mono1, 3, 1);
    mono->ScanLine(0)[0] = 0xA0; // pixels 0 and 2 white

    auto rgb = MakeBitmap(PixelFormat::Rgb32, 10, 10);
    Canvas& c = rgb->GetCanvas();
    c.Draw(5, 7, *indexed);
    c.Draw(-1, 0, *mono); // clipped on the left
    EXPECT_EQ(rgb->PixelColor(6, 7), Rgb(10, 200, 30));
    EXPECT_EQ(rgb->PixelColor(7, 8), Rgb(128, 128, 128));
    EXPECT_EQ(rgb->PixelColor(5, 7), Rgb(0, 0, 0));
    EXPECT_EQ(rgb->PixelColor(0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(rgb->PixelColor(1, 0), Rgb(255, 255, 255));

    // 32-bit to 8-bit: the nearest entry of the target's palette.
    auto grey = MakeBitmap(PixelFormat::Indexed8, 10, 10);
    grey->GetCanvas().Draw(0, 0, *rgb);
    EXPECT_EQ(Value(*grey, 6, 7), 80u); // (10, 200, 30) is nearest to grey 80, its mean
    EXPECT_EQ(Value(*grey, 1, 0), 255u);
    EXPECT_EQ(Value(*grey, 7, 8), 128u);

    // 32-bit to 1-bit.
    auto sel = MakeBitmap(PixelFormat::Mono1, 10, 10);
    sel->GetCanvas().Draw(0, 0, *rgb);
    EXPECT_EQ(Value(*sel, 1, 0), 1u);
    EXPECT_EQ(Value(*sel, 0, 0), 0u);
    EXPECT_EQ(Value(*sel, 7, 8), 1u);
}

TEST(Canvas, StretchDrawPicksTheNearestPixelAndClips) {
    auto src = MakeBitmap(PixelFormat::Indexed8, 3, 2);
    for (int32_t x = 0; x < 3; ++x) {
        src->ScanLine(0)[x] = uint8_t(10 + x);
        src->ScanLine(1)[x] = uint8_t(20 + x);
    }
    auto dst = MakeBitmap(PixelFormat::Rgb32, 8, 5);
    dst->GetCanvas().StretchDraw({-1, 0, 5, 4}, *src, {0, 0, 3, 2}); // twice the size
    const int32_t expect[4][6] = {{10, 10, 11, 11, 12, 12},
                                  {10, 10, 11, 11, 12, 12},
                                  {20, 20, 21, 21, 22, 22},
                                  {20, 20, 21, 21, 22, 22}};
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 5; ++x) {
            const int g = expect[y][x + 1];
            EXPECT_EQ(dst->PixelColor(x, y), Rgb(g, g, g)) << x << "," << y;
        }
    EXPECT_EQ(dst->PixelColor(5, 0), 0u);
    EXPECT_EQ(dst->PixelColor(0, 4), 0u);

    // Down to a third: the middle of each 3 x 3 block.
    auto big = MakeBitmap(PixelFormat::Indexed8, 9, 9);
    for (int32_t y = 0; y < 9; ++y)
        for (int32_t x = 0; x < 9; ++x) big->ScanLine(y)[x] = uint8_t(y * 9 + x);
    auto smallDst = MakeBitmap(PixelFormat::Indexed8, 3, 3);
    smallDst->GetCanvas().StretchDraw({0, 0, 3, 3}, *big, {0, 0, 9, 9});
    EXPECT_EQ(Value(*smallDst, 0, 0), 10u);
    EXPECT_EQ(Value(*smallDst, 2, 1), 4u * 9 + 7);
}

TEST(Canvas, StretchDrawColourOnColourMatchesTheNearestPixelRule) {
    // Unscaled and scaled, partly outside either bitmap; source words with their unused
    // top byte set, which the copy clears.
    std::mt19937 rng(515);
    for (int round = 0; round < 200; ++round) {
        auto src = MakeBitmap(PixelFormat::Rgb32, 1 + int32_t(rng() % 40), 1 + int32_t(rng() % 30));
        for (int32_t y = 0; y < src->Height(); ++y)
            for (int32_t x = 0; x < src->Width(); ++x) src->Row32(y)[x] = uint32_t(rng());
        auto dst = MakeBitmap(PixelFormat::Rgb32, 1 + int32_t(rng() % 40), 1 + int32_t(rng() % 30));
        const int32_t sl = int32_t(rng() % 50) - 10, st = int32_t(rng() % 40) - 10;
        const Rect srcRect{sl, st, sl + 1 + int32_t(rng() % 40), st + 1 + int32_t(rng() % 30)};
        const int32_t dl = int32_t(rng() % 50) - 10, dt = int32_t(rng() % 40) - 10;
        const bool unscaled = rng() % 2 == 0;
        const Rect dest{dl, dt, dl + (unscaled ? srcRect.Width() : 1 + int32_t(rng() % 60)),
                        dt + (unscaled ? srcRect.Height() : 1 + int32_t(rng() % 45))};
        dst->GetCanvas().StretchDraw(dest, *src, srcRect);
        auto map = [](int64_t d, int64_t d0, int64_t dLen, int64_t s0, int64_t sLen) {
            return s0 + int64_t(FloorDiv(Int128{2 * (d - d0) + 1} * sLen, Int128{2} * dLen));
        };
        for (int32_t y = 0; y < dst->Height(); ++y)
            for (int32_t x = 0; x < dst->Width(); ++x) {
                uint32_t expect = 0;
                if (x >= dest.left && x < dest.right && y >= dest.top && y < dest.bottom) {
                    const int64_t sx =
                        map(x, dest.left, dest.Width(), srcRect.left, srcRect.Width());
                    const int64_t sy =
                        map(y, dest.top, dest.Height(), srcRect.top, srcRect.Height());
                    if (sx >= 0 && sx < src->Width() && sy >= 0 && sy < src->Height())
                        expect = src->Row32(int32_t(sy))[sx] & 0xFFFFFFu;
                }
                ASSERT_EQ(dst->Row32(y)[x], expect) << "round " << round << " at " << x << "," << y;
            }
    }
}

TEST(Canvas, PaletteIndexAndNearestColours) {
    auto bmp = MakeBitmap(PixelFormat::Indexed8, 4, 1);
    Palette pal{};
    pal[0] = Rgb(0, 0, 0);
    pal[1] = Rgb(255, 0, 0);
    pal[2] = Rgb(0, 0, 255);
    bmp->SetPalette(pal);
    Canvas& c = bmp->GetCanvas();
    c.pen = {PaletteIndex(200), 1, PenStyle::Solid, PenMode::Copy};
    c.MoveTo(0, 0);
    c.LineTo(1, 0);
    c.pen.color = Rgb(250, 20, 10); // nearest: red, entry 1
    c.LineTo(2, 0);
    c.pen.color = Rgb(20, 20, 200); // nearest: blue, entry 2
    c.LineTo(3, 0);
    EXPECT_EQ(Value(*bmp, 0, 0), 200u);
    EXPECT_EQ(Value(*bmp, 1, 0), 1u);
    EXPECT_EQ(Value(*bmp, 2, 0), 2u);

    auto mono = MakeBitmap(PixelFormat::Mono1, 4, 1);
    Canvas& m = mono->GetCanvas();
    m.pen = {Rgb(240, 240, 240), 1, PenStyle::Solid, PenMode::Copy};
    m.MoveTo(0, 0);
    m.LineTo(2, 0);
    EXPECT_EQ(Value(*mono, 0, 0), 1u);
    EXPECT_EQ(Value(*mono, 2, 0), 0u);
}

// ---- Text ------------------------------------------------------------------------------------

TEST(Canvas, TextExtentGrowsWithTheTextAndHasTheCellHeight) {
    auto bmp = MakeBitmap(PixelFormat::Rgb32, 10, 10);
    Canvas& c = bmp->GetCanvas();
    for (int32_t h : {12, 30, 60}) {
        c.font.height = h;
        const Size one = c.TextExtent("8"), three = c.TextExtent("888");
        EXPECT_GT(one.cx, 0) << h;
        EXPECT_GT(three.cx, 2 * one.cx) << h;
        EXPECT_EQ(three.cy, one.cy);
        EXPECT_LE(one.cy, h);
        EXPECT_GE(one.cy, h - h / 6 - 1) << h;
    }
    EXPECT_EQ(c.TextExtent("").cx, 0);
}

TEST(Canvas, TextOutWritesOnlyInsideItsCell) {
    for (BrushStyle brush : {BrushStyle::Clear, BrushStyle::Solid}) {
        auto bmp = MakeBitmap(PixelFormat::Indexed8, 120, 60);
        Canvas& c = bmp->GetCanvas();
        c.font = {QString(), 30, PaletteIndex(255)};
        c.brush = {PaletteIndex(7), brush};
        const Size cell = c.TextExtent("123");
        c.TextOut(20, 15, "123");
        size_t ink = 0, fill = 0;
        for (auto [x, y] : Inked(*bmp)) {
            EXPECT_TRUE(x >= 20 && x < 20 + cell.cx && y >= 15 && y < 15 + cell.cy)
                << x << "," << y;
            const uint32_t v = Value(*bmp, x, y);
            EXPECT_TRUE(v == 255 || v == 7) << v; // no antialiasing: only the two colours
            (v == 255 ? ink : fill) += 1;
        }
        EXPECT_GT(ink, 50u);
        if (brush == BrushStyle::Solid)
            EXPECT_EQ(ink + fill, size_t(cell.cx) * size_t(cell.cy));
        else
            EXPECT_EQ(fill, 0u);
        // Text partly outside is clipped, not wrapped.
        c.TextOut(-10, 50, "88888");
    }
}

} // namespace
} // namespace plat
