#include "platform/raster/Canvas.h"

#include "platform/raster/Flatten.h"
#include "platform/raster/IntMath.h"
#include "platform/raster/Pixels.h"
#include "platform/raster/ScanConvert.h"
#include "platform/raster/SpanSink.h"
#include "platform/text/GlyphText.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace plat {
namespace {

SpanOp OpFor(PenMode mode) {
    switch (mode) {
    case PenMode::Copy:
        return SpanOp::Copy;
    case PenMode::Merge:
        return SpanOp::Or;
    case PenMode::Xor:
        return SpanOp::Xor;
    case PenMode::Mask:
        return SpanOp::And;
    }
    return SpanOp::Copy;
}

Rect ClipOf(const BitmapView& view) {
    return {0, 0, view.width, view.height};
}

// Width 0 and 1 both mean the one-pixel pen.
int32_t EffectiveWidth(const Pen& pen) {
    return std::max(pen.width, 1);
}

// Strokes a polyline as one primitive: two points go straight to the sink (a single
// segment never covers a pixel twice), longer paths through the union of their spans.
void StrokePoints(std::span<const Point> points, int32_t width, const Rect& clip,
                  SpanReceiver& sink) {
    if (points.size() < 2) return;
    if (points.size() == 2) {
        ScanSegment(points[0], points[1], width, clip, sink);
        return;
    }
    SpanUnion all;
    for (size_t i = 1; i < points.size(); ++i)
        ScanSegment(points[i - 1], points[i], width, clip, all);
    all.Flush(sink);
}

// Dashes of 3 x width with gaps of 3 x width along the path, each dash round-ended; all
// dashes form one primitive.
void StrokeDashed(std::span<const PointF> path, int32_t width, const Rect& clip,
                  SpanReceiver& sink) {
    const double unit = 3.0 * width;
    SpanUnion all;
    for (const std::vector<PointF>& dash : DashPath(path, unit, unit)) {
        std::vector<Point> pts = RoundPath(dash);
        if (pts.size() == 1) pts.push_back(pts[0]); // a dash shorter than a pixel: a dot
        for (size_t i = 1; i < pts.size(); ++i) ScanSegment(pts[i - 1], pts[i], width, clip, all);
    }
    all.Flush(sink);
}

std::vector<PointF> ToF(std::span<const Point> points) {
    std::vector<PointF> out;
    out.reserve(points.size());
    for (Point p : points) out.push_back({double(p.x), double(p.y)});
    return out;
}

// Maps stored values of one view to stored values of another by colour.
class PixelConverter {
public:
    PixelConverter(const BitmapView& src, const BitmapView& dst) : src_(src), dst_(dst) {
        if (src.format != PixelFormat::Rgb32) {
            const int n = PaletteSize(src.format);
            for (int i = 0; i < n; ++i)
                lut_[size_t(i)] = PixelValueFor(dst, ValueToColor(src, uint32_t(i)) & 0xFFFFFFu);
        }
        cacheKey_.fill(0xFFFFFFFFu); // no pixel word has its top byte set after masking
    }
    uint32_t operator()(uint32_t value) {
        if (src_.format != PixelFormat::Rgb32) return lut_[value & 0xFF];
        value &= 0xFFFFFFu;
        if (dst_.format == PixelFormat::Rgb32) return value;
        // Nearest palette entry, remembered in a small direct-mapped cache.
        const size_t slot = ((value * 2654435761u) >> 20) & (kCache - 1);
        if (cacheKey_[slot] != value) {
            cacheKey_[slot] = value;
            cacheValue_[slot] = PixelValueFor(dst_, Pixel32ToColor(value));
        }
        return cacheValue_[slot];
    }

private:
    static constexpr size_t kCache = 4096;
    BitmapView src_, dst_;
    std::array<uint32_t, 256> lut_{};
    std::array<uint32_t, kCache> cacheKey_{};
    std::array<uint32_t, kCache> cacheValue_{};
};

void WriteValue(const BitmapView& view, int32_t x, int32_t y, uint32_t value) {
    switch (view.format) {
    case PixelFormat::Rgb32:
        view.Row32(y)[x] = value;
        break;
    case PixelFormat::Indexed8:
        view.Row(y)[x] = uint8_t(value);
        break;
    case PixelFormat::Mono1:
        WritePixelReference(view, x, y, value, SpanOp::Copy);
        break;
    }
}

bool SamePixels(const BitmapView& src, const BitmapView& dst) {
    if (src.format != dst.format) return false;
    if (src.format == PixelFormat::Rgb32) return true;
    if (src.format == PixelFormat::Mono1) return false; // bit offsets differ; per pixel
    return src.palette && dst.palette && *src.palette == *dst.palette;
}

// A private copy of a bitmap's pixels when it is drawn onto itself.
struct SourceCopy {
    std::vector<uint8_t> pixels;
    BitmapView view;
};

BitmapView ReadView(const Bitmap& src, const Bitmap& target, SourceCopy& copy) {
    BitmapView view = const_cast<Bitmap&>(src).View(); // read only
    if (&src == &target && view.data) {
        copy.pixels.assign(view.data, view.data + size_t(view.stride) * size_t(view.height));
        view.data = copy.pixels.data();
    }
    return view;
}

} // namespace

Canvas::Canvas(Bitmap& target) : target_(target) {}

void Canvas::MoveTo(int32_t x, int32_t y) {
    penPos_ = {x, y};
}

void Canvas::LineTo(int32_t x, int32_t y) {
    const Point from = penPos_;
    penPos_ = {x, y};
    if (pen.style == PenStyle::Clear) return;
    const BitmapView view = target_.View();
    if (!view.data) return;
    SpanSink sink(view, PixelValueFor(view, pen.color), OpFor(pen.mode));
    if (pen.style == PenStyle::Dash) {
        const Point pts[2] = {from, penPos_};
        StrokeDashed(ToF(pts), EffectiveWidth(pen), ClipOf(view), sink);
        return;
    }
    ScanSegment(from, penPos_, EffectiveWidth(pen), ClipOf(view), sink);
}

void Canvas::Polyline(std::span<const Point> points) {
    if (points.empty()) return;
    penPos_ = points.back();
    if (pen.style == PenStyle::Clear || points.size() < 2) return;
    const BitmapView view = target_.View();
    if (!view.data) return;
    SpanSink sink(view, PixelValueFor(view, pen.color), OpFor(pen.mode));
    if (pen.style == PenStyle::Dash)
        StrokeDashed(ToF(points), EffectiveWidth(pen), ClipOf(view), sink);
    else
        StrokePoints(points, EffectiveWidth(pen), ClipOf(view), sink);
}

void Canvas::PolyBezier(std::span<const Point> points) {
    if (pen.style == PenStyle::Clear || points.size() < 4) return;
    const BitmapView view = target_.View();
    if (!view.data) return;
    SpanSink sink(view, PixelValueFor(view, pen.color), OpFor(pen.mode));
    const std::vector<PointF> curve = FlattenBezier(points);
    if (pen.style == PenStyle::Dash) {
        StrokeDashed(curve, EffectiveWidth(pen), ClipOf(view), sink);
        return;
    }
    std::vector<Point> pts = RoundPath(curve);
    if (pts.size() == 1) pts.push_back(pts[0]); // a curve collapsed to a point: a dot
    StrokePoints(pts, EffectiveWidth(pen), ClipOf(view), sink);
}

namespace {

// What a closed shape needs to be drawn: the outline's and the inside's span writers, the
// normalised box and the outline width (0 for a clear pen).
struct ClosedShape {
    ClosedShape(const BitmapView& target, const Pen& pen, const Brush& brush, int32_t x1,
                int32_t y1, int32_t x2, int32_t y2)
        : view(target), penSink(view, PixelValueFor(view, pen.color), OpFor(pen.mode)),
          brushSink(view, PixelValueFor(view, brush.color), OpFor(pen.mode)),
          inside(brush.style == BrushStyle::Solid ? &brushSink : nullptr), box{std::min(x1, x2),
                                                                               std::min(y1, y2),
                                                                               std::max(x1, x2),
                                                                               std::max(y1, y2)},
          width(pen.style == PenStyle::Clear ? 0 : EffectiveWidth(pen)),
          dashed(pen.style == PenStyle::Dash) {}
    BitmapView view;
    SpanSink penSink;
    SpanSink brushSink;
    SpanReceiver* inside;
    Rect box;
    int32_t width;
    bool dashed;
};

} // namespace

void Canvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const BitmapView view = target_.View();
    if (!view.data) return;
    ClosedShape shape(view, pen, brush, x1, y1, x2, y2);
    const Rect& box = shape.box;
    if (shape.dashed) {
        ScanRectangle(box, shape.width, ClipOf(view), nullptr, shape.inside);
        if (box.IsEmpty()) return;
        const Point corners[5] = {{box.left, box.top},
                                  {box.right - 1, box.top},
                                  {box.right - 1, box.bottom - 1},
                                  {box.left, box.bottom - 1},
                                  {box.left, box.top}};
        StrokeDashed(ToF(corners), shape.width, ClipOf(view), shape.penSink);
        return;
    }
    ScanRectangle(box, shape.width, ClipOf(view), &shape.penSink, shape.inside);
}

void Canvas::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const BitmapView view = target_.View();
    if (!view.data) return;
    ClosedShape shape(view, pen, brush, x1, y1, x2, y2);
    const Rect& box = shape.box;
    if (shape.dashed) {
        ScanEllipse(box, shape.width, ClipOf(view), nullptr, shape.inside);
        if (!box.IsEmpty())
            StrokeDashed(EllipsePoints(box), shape.width, ClipOf(view), shape.penSink);
        return;
    }
    ScanEllipse(box, shape.width, ClipOf(view), &shape.penSink, shape.inside);
}

void Canvas::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                 int32_t y4) {
    if (pen.style == PenStyle::Clear) return;
    const BitmapView view = target_.View();
    if (!view.data) return;
    const Rect box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    if (box.IsEmpty()) return;
    SpanSink sink(view, PixelValueFor(view, pen.color), OpFor(pen.mode));
    const std::vector<PointF> arc = ArcPoints(box, {x3, y3}, {x4, y4});
    if (pen.style == PenStyle::Dash) {
        StrokeDashed(arc, EffectiveWidth(pen), ClipOf(view), sink);
        return;
    }
    std::vector<Point> pts = RoundPath(arc);
    if (pts.size() == 1) pts.push_back(pts[0]);
    StrokePoints(pts, EffectiveWidth(pen), ClipOf(view), sink);
}

void Canvas::FillRect(const Rect& rect) {
    if (brush.style == BrushStyle::Clear || rect.IsEmpty()) return;
    const BitmapView view = target_.View();
    if (!view.data) return;
    SpanSink sink(view, PixelValueFor(view, brush.color), SpanOp::Copy);
    ScanRectangle(rect, 0, ClipOf(view), nullptr, &sink);
}

void Canvas::Draw(int32_t x, int32_t y, const Bitmap& src) {
    const BitmapView dst = target_.View();
    if (!dst.data || src.Width() == 0 || src.Height() == 0) return;
    SourceCopy copy;
    const BitmapView from = ReadView(src, target_, copy);
    const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(int64_t{x} + from.width, dst.width);
    const int64_t bottom = std::min<int64_t>(int64_t{y} + from.height, dst.height);
    if (left >= right || top >= bottom) return;
    const bool same = SamePixels(from, dst);
    const size_t bpp = dst.format == PixelFormat::Rgb32 ? 4 : 1;
    PixelConverter convert(from, dst);
    for (int64_t dy = top; dy < bottom; ++dy) {
        const int32_t sy = int32_t(dy - y);
        if (same) {
            std::memcpy(dst.Row(int32_t(dy)) + size_t(left) * bpp,
                        from.Row(sy) + size_t(left - x) * bpp, size_t(right - left) * bpp);
            continue;
        }
        for (int64_t dx = left; dx < right; ++dx)
            WriteValue(dst, int32_t(dx), int32_t(dy),
                       convert(ReadPixelValue(from, int32_t(dx - x), sy)));
    }
}

void Canvas::StretchDraw(const Rect& dest, const Bitmap& src, const Rect& srcRect) {
    const BitmapView dst = target_.View();
    if (!dst.data || dest.IsEmpty() || srcRect.IsEmpty() || src.Width() == 0 || src.Height() == 0)
        return;
    SourceCopy copy;
    const BitmapView from = ReadView(src, target_, copy);
    const int64_t left = std::max<int64_t>(dest.left, 0), top = std::max<int64_t>(dest.top, 0);
    const int64_t right = std::min<int64_t>(dest.right, dst.width);
    const int64_t bottom = std::min<int64_t>(dest.bottom, dst.height);
    if (left >= right || top >= bottom) return;
    // Nearest pixel: destination centre dx + 1/2 maps to source
    // srcRect.left + (dx - dest.left + 1/2) * srcWidth / destWidth.
    const int64_t dw = int64_t{dest.right} - dest.left, dh = int64_t{dest.bottom} - dest.top;
    const int64_t sw = int64_t{srcRect.right} - srcRect.left;
    const int64_t sh = int64_t{srcRect.bottom} - srcRect.top;
    auto map = [](int64_t d, int64_t dStart, int64_t dLen, int64_t sStart, int64_t sLen) {
        return sStart + int64_t(FloorDiv(Int128{2 * (d - dStart) + 1} * sLen, Int128{2} * dLen));
    };
    std::vector<int32_t> columns;
    columns.reserve(size_t(right - left));
    for (int64_t dx = left; dx < right; ++dx) {
        const int64_t sx = map(dx, dest.left, dw, srcRect.left, sw);
        columns.push_back(sx >= 0 && sx < from.width ? int32_t(sx) : -1);
    }
    if (from.format == PixelFormat::Rgb32 && dst.format == PixelFormat::Rgb32) {
        // Colour on colour: the converter would only clear the unused top byte. At scale 1
        // the visible columns are one run of the source row.
        const bool unscaled = dw == sw;
        int64_t runFirst = left, runLast = right; // destination columns with a source
        if (unscaled) {
            const int64_t shift = int64_t{srcRect.left} - dest.left; // sx = dx + shift
            runFirst = std::max<int64_t>(left, -shift);
            runLast = std::min<int64_t>(right, int64_t{from.width} - shift);
        }
        for (int64_t dy = top; dy < bottom; ++dy) {
            const int64_t sy = map(dy, dest.top, dh, srcRect.top, sh);
            if (sy < 0 || sy >= from.height) continue;
            const uint32_t* in = from.Row32(int32_t(sy));
            uint32_t* outRow = dst.Row32(int32_t(dy));
            if (unscaled) {
                if (runFirst >= runLast) continue;
                const uint32_t* s0 = in + (runFirst + srcRect.left - dest.left);
                for (int64_t dx = runFirst; dx < runLast; ++dx)
                    outRow[dx] = s0[dx - runFirst] & 0xFFFFFFu;
                continue;
            }
            for (int64_t dx = left; dx < right; ++dx) {
                const int32_t sx = columns[size_t(dx - left)];
                if (sx >= 0) outRow[dx] = in[sx] & 0xFFFFFFu;
            }
        }
        return;
    }
    PixelConverter convert(from, dst);
    for (int64_t dy = top; dy < bottom; ++dy) {
        const int64_t sy = map(dy, dest.top, dh, srcRect.top, sh);
        if (sy < 0 || sy >= from.height) continue;
        for (int64_t dx = left; dx < right; ++dx) {
            const int32_t sx = columns[size_t(dx - left)];
            if (sx < 0) continue;
            WriteValue(dst, int32_t(dx), int32_t(dy),
                       convert(ReadPixelValue(from, sx, int32_t(sy))));
        }
    }
}

void Canvas::TextOut(int32_t x, int32_t y, const QString& text) {
    const BitmapView view = target_.View();
    if (!view.data) return;
    const GlyphMask mask = RenderTextMask(font.family, font.height, text);
    const Rect clip = ClipOf(view);
    if (brush.style == BrushStyle::Solid) {
        SpanSink fill(view, PixelValueFor(view, brush.color), SpanOp::Copy);
        ScanRectangle({x, y, int32_t(std::min<int64_t>(int64_t{x} + mask.width, INT32_MAX)),
                       int32_t(std::min<int64_t>(int64_t{y} + mask.height, INT32_MAX))},
                      0, clip, nullptr, &fill);
    }
    SpanSink ink(view, PixelValueFor(view, font.color), SpanOp::Copy);
    // Runs of set mask pixels, clipped to the bitmap.
    const int64_t rowFirst = std::max<int64_t>(0, -int64_t{y});
    const int64_t rowLast = std::min<int64_t>(mask.height, int64_t{view.height} - y);
    const int64_t colFirst = std::max<int64_t>(0, -int64_t{x});
    const int64_t colLast = std::min<int64_t>(mask.width, int64_t{view.width} - x);
    for (int64_t my = rowFirst; my < rowLast; ++my) {
        int64_t mx = colFirst;
        while (mx < colLast) {
            while (mx < colLast && !mask.At(int32_t(mx), int32_t(my))) ++mx;
            const int64_t start = mx;
            while (mx < colLast && mask.At(int32_t(mx), int32_t(my))) ++mx;
            if (start < mx) ink.AddSpan(int32_t(y + my), int32_t(x + start), int32_t(x + mx));
        }
    }
}

Size Canvas::TextExtent(const QString& text) const {
    return MeasureText(font.family, font.height, text);
}

} // namespace plat
