// TPenImage: drawing ink into the colour layer and the double-resolution coverage layer.
// Live input and replay use these same steps, so a replayed page equals the live one.

#include "platform/Rnd.h"
#include "platform/raster/Canvas.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/PenList.h"
#include "surface/Compose.h"
#include "surface/PenImage.h"
#include "surface/Smoothing.h"

#include <cmath>

using plat::Canvas;
using plat::PenMode;
using plat::PenStyle;
using plat::Point;

namespace {


PenStyle ToPenStyle(TLineStyle style) {
    return style == TLineStyle::Clear ? PenStyle::Clear : PenStyle::Solid;
}

// One-pixel ink is boosted halfway to opaque so that thin strokes stay visible.
int32_t CoverageAlphaFor(int32_t w1, int32_t alpha) {
    return w1 == 2 ? alpha + (255 - alpha) / 2 : alpha;
}

// Erasing writes coverage 0 over whatever is there; ink accumulates by OR.
PenMode CoverageModeFor(plat::Color coverageColor) {
    return coverageColor == plat::PaletteIndex(0) ? PenMode::Copy : PenMode::Merge;
}

Point ToCoverage(Point p) {
    return {2 * p.x + 1, 2 * p.y + 1};
}

} // namespace

void TPenImage::DPenSet(const TPenType& pen) {
    PenColor = ReviseColorGet(pen.PenColor);
    PenWidth = pen.PenWidth;
    PenAlpha = PenAlphaGet(pen.PenAlpha);
    Pentype = PenRevise;
    PL_UP = PE_UP;
}

void TPenImage::DEraseSet() {
    Pentype = 0;
    PenAlpha = 0;
    PenWidth = EraserWidthFor(EraseDefault);
}

void TPenImage::SetLayerPens(int32_t w1, int32_t w2, int32_t alpha) {
    Canvas& colour = PBitmap.GetCanvas();
    Canvas& coverage = ABitmap.GetCanvas();
    if (MMode == kModeEraser) {
        coverage.pen.color = plat::PaletteIndex(0);
        coverage.pen.width = w2;
        coverage.pen.style = PenStyle::Solid;
        colour.pen.color = surface::kNoInk;
        colour.pen.width = w1;
        colour.pen.style = PenStyle::Solid;
        return;
    }
    // Both styles come from the same counter value, so a dotted segment is drawn or
    // skipped in both layers alike; InkColor advances the counter afterwards.
    coverage.pen.color = plat::PaletteIndex(CoverageAlphaFor(w1, alpha));
    coverage.pen.width = w2;
    coverage.pen.style = ToPenStyle(DotStyle(PenColor));
    const TInkColor ink = InkColor(PenColor);
    colour.pen.color = ink.Color;
    colour.pen.width = w1;
    colour.pen.style = ToPenStyle(ink.Style);
}

void TPenImage::DrawSegment(int32_t p) {
    const int32_t b = PressureWidth(p, PenWidth);
    if (b <= 0) return;
    int32_t w1 = b;
    int32_t w2 = 2 * b;
    if (!is256) {
        w1 = b + 1;
        w2 = PressureWidth(p, MouseF == kGestureEraser ? 2 * b + 1 : 2 * b - 1);
    }
    SetLayerPens(w1, w2, PenAlpha);

    const bool dot = xy0 == xy1;
    Canvas& colour = PBitmap.GetCanvas();
    colour.pen.mode = PenMode::Copy;
    colour.MoveTo(xy0.x, xy0.y);
    // A one-pixel line leaves out its end point, so a dot needs a line one pixel long.
    if (colour.pen.width == 1 && dot)
        colour.LineTo(xy1.x + 1, xy1.y);
    else
        colour.LineTo(xy1.x, xy1.y);

    Canvas& coverage = ABitmap.GetCanvas();
    coverage.pen.mode = CoverageModeFor(coverage.pen.color);
    const Point c0 = ToCoverage(xy0);
    const Point c1 = dot ? Point{2 * xy1.x + 2, 2 * xy1.y + 1} : ToCoverage(xy1);
    coverage.MoveTo(c0.x, c0.y);
    coverage.LineTo(c1.x, c1.y);
    coverage.pen.mode = PenMode::Copy;
}

void TPenImage::DrawSmoothStroke() {
    surface::SmoothPath path = surface::SmoothPathFor(xy, PenReviseValue);
    const int32_t w1 = is256 ? PenWidth : PenWidth + 1;
    const int32_t w2 = is256 ? 2 * PenWidth : 2 * PenWidth - 1;
    const int32_t alpha = PenAlpha;
    const bool dotted = MMode == kModePen && (PenColor & DOTTED_FLAG) != 0;

    Canvas& colour = PBitmap.GetCanvas();
    Canvas& coverage = ABitmap.GetCanvas();
    if (dotted) {
        const TInkColor ink = InkColor(PenColor);
        colour.pen.color = ink.Color;
        colour.pen.width = w1;
        colour.pen.style = PenStyle::Solid;
    } else {
        SetLayerPens(w1, w2, alpha);
    }
    colour.pen.mode = PenMode::Copy;
    DrawPoly(colour, path.curve, path.points);

    for (Point& p : path.points) p = ToCoverage(p);
    if (dotted) {
        coverage.pen.mode = PenMode::Merge;
        DrawDashedPath(coverage, 2 * w1, plat::PaletteIndex(CoverageAlphaFor(w1, alpha)),
                       path.points, path.curve);
    } else {
        coverage.pen.mode = CoverageModeFor(coverage.pen.color);
        DrawPoly(coverage, path.curve, path.points);
    }
    coverage.pen.mode = PenMode::Copy;
}

void TPenImage::FinishSmoothStroke() {
    DrawSmoothStroke();
    RefreshRect(ComposeRect(false));
}

void TPenImage::DrawRainbowLine(Point s, Point e) {
    const double length =
        std::hypot(static_cast<double>(e.x) - s.x, static_cast<double>(e.y) - s.y);
    const int32_t k = plat::Rnd(length / 10);
    xy1 = s;
    for (int32_t i = 1; i <= k; ++i) {
        xy0 = xy1;
        xy1 = {plat::Rnd((static_cast<double>(i) * e.x + static_cast<double>(k - i) * s.x) / k),
               plat::Rnd((static_cast<double>(i) * e.y + static_cast<double>(k - i) * s.y) / k)};
        DrawSegment(PressureFull);
        if (PenList) PenList->AddXY(xy1.x, xy1.y, PressureFull);
    }
}

void TPenImage::DrawPoly(Canvas& canvas, bool curve, std::span<const Point> points) {
    if (points.empty()) return;
    if (curve) {
        canvas.PolyBezier(points);
        return;
    }
    canvas.MoveTo(points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) canvas.LineTo(points[i].x, points[i].y);
}

void TPenImage::DrawDashedPath(Canvas& canvas, int32_t width, plat::Color color,
                               std::span<const Point> points, bool curve) {
    if (points.empty()) return;
    const plat::Pen previous = canvas.pen;
    canvas.pen.color = color;
    canvas.pen.width = width;
    canvas.pen.style = PenStyle::Dash;
    // One path, so the dash pattern runs on across the joints.
    if (curve)
        canvas.PolyBezier(points);
    else
        canvas.Polyline(points);
    canvas.pen = previous;
}
