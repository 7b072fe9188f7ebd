#include "platform/raster/ScanConvert.h"

#include "platform/raster/IntMath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace plat {
namespace {

// ---- Hairline ------------------------------------------------------------------------

// Along the major axis step i = 0 .. n-1 (n = major delta; the end point is step n and is
// left out). The minor offset of step i is i * m / n rounded to nearest with ties towards
// the start: floor((2 i m + n - 1) / (2 n)).
struct HairlineAxis {
    int64_t start; // start coordinate on this axis
    int64_t step;  // +1 or -1
    int64_t lo;    // clip range, inclusive
    int64_t hi;
};

// Range of steps i whose coordinate start + step * i lies in [lo, hi].
void MajorRange(const HairlineAxis& ax, int64_t& i0, int64_t& i1) {
    if (ax.step > 0) {
        i0 = ax.lo - ax.start;
        i1 = ax.hi - ax.start;
    } else {
        i0 = ax.start - ax.hi;
        i1 = ax.start - ax.lo;
    }
}

} // namespace

void ScanHairline(Point a, Point b, const Rect& clip, SpanReceiver& out) {
    if (clip.IsEmpty()) return;
    const int64_t dx = int64_t{b.x} - a.x;
    const int64_t dy = int64_t{b.y} - a.y;
    const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
    if (adx == 0 && ady == 0) return;
    const bool xMajor = adx >= ady;
    const int64_t n = xMajor ? adx : ady;
    const int64_t m = xMajor ? ady : adx;
    HairlineAxis major{xMajor ? a.x : a.y, (xMajor ? dx : dy) < 0 ? -1 : 1,
                       xMajor ? clip.left : clip.top,
                       int64_t{xMajor ? clip.right : clip.bottom} - 1};
    HairlineAxis minor{xMajor ? a.y : a.x, (xMajor ? dy : dx) < 0 ? -1 : 1,
                       xMajor ? clip.top : clip.left,
                       int64_t{xMajor ? clip.bottom : clip.right} - 1};

    int64_t i0, i1;
    MajorRange(major, i0, i1);
    i0 = std::max<int64_t>(i0, 0);
    i1 = std::min<int64_t>(i1, n - 1);
    // The minor offset k(i) must lie in [kLo, kHi]; k is non-decreasing in i.
    int64_t kLo, kHi;
    MajorRange(minor, kLo, kHi);
    if (kHi < 0 || kLo > m) return;
    if (m == 0) {
        if (kLo > 0 || kHi < 0) return;
    } else {
        // k(i) >= kLo  <=>  i >= (2 n kLo - n + 1) / (2 m);  k(i) <= kHi  <=>  i <= (2 n (kHi + 1)
        // - n) / (2 m)
        if (kLo > 0)
            i0 = std::max<int64_t>(
                i0, Clamp64(CeilDiv(Int128{2} * n * kLo - n + 1, Int128{2} * m), -1, n));
        if (kHi < m)
            i1 = std::min<int64_t>(
                i1, Clamp64(FloorDiv(Int128{2} * n * (kHi + 1) - n, Int128{2} * m), -1, n));
    }
    if (i0 > i1) return;

    // Bresenham from step i0, with the error term taken from the exact formula.
    const int64_t twoN = 2 * n, twoM = 2 * m;
    const Int128 num = Int128{twoM} * i0 + n - 1;
    int64_t k = static_cast<int64_t>(num / twoN);
    int64_t rem = static_cast<int64_t>(num % twoN);
    int64_t p = major.start + major.step * i0;
    if (xMajor) {
        // Runs of equal y become one span.
        int64_t runStart = p, runY = minor.start + minor.step * k;
        for (int64_t i = i0; i <= i1; ++i) {
            const int64_t y = minor.start + minor.step * k;
            if (y != runY) {
                const int64_t prev = p - major.step;
                out.AddSpan(static_cast<int32_t>(runY),
                            static_cast<int32_t>(std::min(runStart, prev)),
                            static_cast<int32_t>(std::max(runStart, prev) + 1));
                runStart = p;
                runY = y;
            }
            p += major.step;
            rem += twoM;
            if (rem >= twoN) {
                rem -= twoN;
                ++k;
            }
        }
        const int64_t last = p - major.step;
        out.AddSpan(static_cast<int32_t>(runY), static_cast<int32_t>(std::min(runStart, last)),
                    static_cast<int32_t>(std::max(runStart, last) + 1));
    } else {
        for (int64_t i = i0; i <= i1; ++i) {
            const int32_t x = static_cast<int32_t>(minor.start + minor.step * k);
            out.AddSpan(static_cast<int32_t>(p), x, x + 1);
            p += major.step;
            rem += twoM;
            if (rem >= twoN) {
                rem -= twoN;
                ++k;
            }
        }
    }
}

// ---- Capsule --------------------------------------------------------------------------

namespace {

// Segments whose coordinates stay within this bound are rasterised exactly as given;
// others are first cut down to the part near the clip (then exact for that part).
constexpr int64_t kExactRange = int64_t{1} << 26;
constexpr int32_t kMaxWidth = 1 << 24;
constexpr double kNearInteger = 1e-6;

// floor and ceil for values known to lie well inside the 64-bit range (no libm call).
inline int64_t FastFloor(double v) {
    const int64_t i = int64_t(v);
    return double(i) > v ? i - 1 : i;
}
inline int64_t FastCeil(double v) {
    const int64_t i = int64_t(v);
    return double(i) < v ? i + 1 : i;
}

// Half-widths of a disc of diameter width on the pixel grid: for row offset Y (|Y| <=
// width / 2) the largest k with 4 k^2 <= width^2 - 4 Y^2. Pens repeat a few widths (replay
// alternates a colour and a coverage line), so the last few tables are kept.
const std::vector<int32_t>& DiscHalfWidths(int32_t width) {
    constexpr size_t kSlots = 4;
    struct Slot {
        int32_t width = 0;
        std::vector<int32_t> table;
    };
    thread_local Slot slots[kSlots];
    thread_local size_t next = 0;
    for (Slot& s : slots)
        if (s.width == width) return s.table;
    Slot& slot = slots[next];
    next = (next + 1) % kSlots;
    const int64_t w2 = int64_t{width} * width;
    slot.table.resize(size_t(width / 2) + 1);
    for (size_t y = 0; y < slot.table.size(); ++y) {
        const int64_t room = w2 - 4 * int64_t(y) * int64_t(y);
        int64_t k = int64_t(std::sqrt(double(room)) / 2);
        while (k > 0 && 4 * k * k > room) --k;
        while (4 * (k + 1) * (k + 1) <= room) ++k;
        slot.table[y] = int32_t(k);
    }
    slot.width = width;
    return slot.table;
}

struct Capsule {
    int64_t ax, ay, bx, by, dx, dy, len2, w2;

    // Exact: is the centre of pixel (x, y) within width / 2 of the segment?
    bool Covers(int64_t x, int64_t y) const {
        const int64_t vx = x - ax, vy = y - ay;
        const int64_t dot = vx * dx + vy * dy;
        if (dot <= 0) return 4 * (vx * vx + vy * vy) <= w2;
        if (dot >= len2) {
            const int64_t ux = x - bx, uy = y - by;
            return 4 * (ux * ux + uy * uy) <= w2;
        }
        const int64_t cross = vx * dy - vy * dx;
        return Int128{4} * cross * cross <= Int128{w2} * len2;
    }
};

// Cuts the segment to the box clip grown by margin (Liang-Barsky). False if it misses.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top,
                 double right, double bottom) {
    double t0 = 0, t1 = 1;
    const double ddx = x1 - x0, ddy = y1 - y0;
    auto edge = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    if (!edge(-ddx, x0 - left) || !edge(ddx, right - x0) || !edge(-ddy, y0 - top) ||
        !edge(ddy, bottom - y0))
        return false;
    const double nx0 = x0 + t0 * ddx, ny0 = y0 + t0 * ddy;
    x1 = x0 + t1 * ddx;
    y1 = y0 + t1 * ddy;
    x0 = nx0;
    y0 = ny0;
    return true;
}

// The segment as the row loops see it: a.y <= b.y, coordinates cut down when far out,
// width clamped, and the rows yFirst..yLast it can reach inside the clip.
struct CapsuleSetup {
    Capsule c;
    int32_t width;
    int64_t yFirst, yLast;
};

bool PrepareCapsule(Point a, Point b, int32_t width, const Rect& clip, CapsuleSetup& s) {
    if (clip.IsEmpty()) return false;
    width = std::clamp(width, 1, kMaxWidth);
    int64_t ax = a.x, ay = a.y, bx = b.x, by = b.y;
    const double half = width / 2.0;

    auto outside = [](int64_t v) { return v < -kExactRange || v > kExactRange; };
    if (outside(ax) || outside(ay) || outside(bx) || outside(by)) {
        double x0 = double(ax), y0 = double(ay), x1 = double(bx), y1 = double(by);
        const double m = half + 2;
        if (!ClipSegment(x0, y0, x1, y1, clip.left - m, clip.top - m, clip.right - 1 + m,
                         clip.bottom - 1 + m))
            return false;
        // The part that can reach the clip, extended along the line so that rounding the
        // new end points moves nothing visible.
        x0 = double(ax), y0 = double(ay), x1 = double(bx), y1 = double(by);
        const double big = double(kExactRange / 4);
        ClipSegment(x0, y0, x1, y1, clip.left - big, clip.top - big, clip.right + big,
                    clip.bottom + big);
        ax = std::llround(x0), ay = std::llround(y0), bx = std::llround(x1), by = std::llround(y1);
    }
    if (ay > by) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    s.c = {ax, ay, bx, by, bx - ax, by - ay, 0, int64_t{width} * width};
    s.c.len2 = s.c.dx * s.c.dx + s.c.dy * s.c.dy;
    s.width = width;
    const int64_t h = width / 2; // rows within width/2 of an integer end row
    s.yFirst = std::max<int64_t>(clip.top, ay - h);
    s.yLast = std::min<int64_t>(int64_t{clip.bottom} - 1, by + h);
    return s.yFirst <= s.yLast;
}

// The row bounds from floating-point band edges, with the exact test deciding wherever an
// edge lies within rounding distance of an integer. Works for every coordinate the setup
// lets through; the reference for the incremental form below.
void CapsuleRowsByBandEdges(const CapsuleSetup& s, const Rect& clip, SpanReceiver& out) {
    const Capsule& c = s.c;
    const int64_t ax = c.ax, ay = c.ay, bx = c.bx, by = c.by;
    const double half = s.width / 2.0;
    const int64_t h = s.width / 2;
    const double adx = double(c.dx), ady = double(c.dy);
    const double rLen = half * std::sqrt(double(c.len2)); // (w/2) |d|
    const double invDy = c.dy != 0 ? 1.0 / ady : 0.0;
    const double invDx = c.dx != 0 ? 1.0 / adx : 0.0;
    const double len2d = double(c.len2);
    const double clipL = clip.left, clipR = double(clip.right) - 1;
    const double axd = double(ax);
    const int64_t xMinBand = std::min(ax, bx), xMaxBand = std::max(ax, bx);

    const std::vector<int32_t>& disc = DiscHalfWidths(s.width);
    const int64_t clipLeft = clip.left, clipRight = int64_t{clip.right} - 1;
    for (int64_t y = s.yFirst; y <= s.yLast; ++y) {
        const int64_t yA = y - ay, yB = y - by;
        // Integer bounds of the row; each piece of the capsule (the two end discs and the
        // band between them) gives exact integer bounds, and the row is their hull.
        int64_t xl = INT64_MAX, xr = INT64_MIN;
        if (yA >= -h && yA <= h) {
            const int64_t k = disc[size_t(yA < 0 ? -yA : yA)];
            xl = ax - k;
            xr = ax + k;
        }
        if (yB >= -h && yB <= h) {
            const int64_t k = disc[size_t(yB < 0 ? -yB : yB)];
            xl = std::min(xl, bx - k);
            xr = std::max(xr, bx + k);
        }
        // The band: |cross| <= (w/2)|d| and 0 <= dot <= |d|^2, both linear in x on this row.
        if (c.dy == 0) {
            if (c.dx != 0 && yA >= -h && yA <= h) {
                xl = std::min(xl, xMinBand);
                xr = std::max(xr, xMaxBand);
            }
        } else {
            const double yd = double(yA);
            double bl = (yd * adx - rLen) * invDy, bh = (yd * adx + rLen) * invDy;
            if (c.dx > 0) {
                bl = std::max(bl, -yd * ady * invDx);
                bh = std::min(bh, (len2d - yd * ady) * invDx);
            } else if (c.dx < 0) {
                bl = std::max(bl, (len2d - yd * ady) * invDx);
                bh = std::min(bh, -yd * ady * invDx);
            } else if (yA < 0 || yA > c.dy) {
                bl = 1;
                bh = 0;
            }
            if (bl <= bh) {
                double lo = axd + bl, hi = axd + bh;
                lo = std::max(lo, clipL - 2);
                hi = std::min(hi, clipR + 2);
                if (lo <= hi) {
                    // Where a bound lies within rounding distance of an integer the exact
                    // test decides.
                    const int64_t nl = FastFloor(lo + 0.5), nh = FastFloor(hi + 0.5);
                    const int64_t bandL = std::fabs(lo - double(nl)) < kNearInteger
                                              ? (c.Covers(nl, y) ? nl : nl + 1)
                                              : FastCeil(lo);
                    const int64_t bandR = std::fabs(hi - double(nh)) < kNearInteger
                                              ? (c.Covers(nh, y) ? nh : nh - 1)
                                              : FastFloor(hi);
                    xl = std::min(xl, bandL);
                    xr = std::max(xr, bandR);
                }
            }
        }
        xl = std::max(xl, clipLeft);
        xr = std::min(xr, clipRight);
        if (xl <= xr) out.AddSpan(int32_t(y), int32_t(xl), int32_t(xr + 1));
    }
}

// floor(a / b) for b > 0 in 64 bits.
inline int64_t FloorDiv64(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// floor(num / div) for div > 0, stepped by a constant numerator increment per row:
// quotient q and remainder r (0 <= r < div) move by the quotient and remainder of the step.
struct RowDivider {
    int64_t q, r, dq, dr, div;

    RowDivider(int64_t num, int64_t step, int64_t divisor) { Reset(num, step, divisor); }
    void Reset(int64_t num, int64_t step, int64_t divisor) {
        div = divisor;
        q = FloorDiv64(num, divisor);
        r = num - q * divisor;
        dq = FloorDiv64(step, divisor);
        dr = step - dq * divisor;
    }
    int64_t Floor() const { return q; }
    int64_t Ceil() const { return q + (r != 0); }
    void Next() {
        q += dq;
        r += dr;
        if (r >= div) {
            r -= div;
            ++q;
        }
    }
};

// Largest m with 4 m^2 <= q (q >= 0): the half-width of the band in cross-product units.
int64_t HalfRootFloor(Int128 q) {
    int64_t m = int64_t(std::sqrt(double(q)) / 2);
    while (m > 0 && Int128{4} * m * m > q) --m;
    while (Int128{4} * (m + 1) * (m + 1) <= q) ++m;
    return m;
}

// The same rows in exact integer arithmetic, updated row by row. With u = x - a.x and
// Y = y - a.y, a pixel centre lies in the band when
//   |cross| = |u dy - Y dx| <= m,  m the largest integer with 4 m^2 <= w^2 |d|^2,
//   0 <= dot = u dx + Y dy <= |d|^2,
// so each row's band is u in [ceil((Y dx - m) / dy), floor((Y dx + m) / dy)] cut by the
// dot range; all four bounds are quotients whose numerators change by a constant per row.
// Coordinates within kExactRange keep every numerator below 2^57 (|d| < 2^28, m < 2^52).
//
// Rows more than w/2 below a and above b meet neither end disc, and there the band lies
// wholly inside the dot range (the band's end edges reach at most w/2 above or below
// their end point), so those rows need the two side lines only.
void CapsuleRowsIncremental(const CapsuleSetup& s, const Rect& clip, SpanReceiver& out) {
    const Capsule& c = s.c;
    const int64_t ax = c.ax, ay = c.ay, bx = c.bx, by = c.by, dx = c.dx, dy = c.dy;
    const int64_t h = s.width / 2;
    const int32_t* disc = DiscHalfWidths(s.width).data();
    const int64_t clipLeft = clip.left, clipRight = int64_t{clip.right} - 1;
    auto emit = [&](int64_t y, int64_t xl, int64_t xr) {
        xl = std::max(xl, clipLeft);
        xr = std::min(xr, clipRight);
        if (xl <= xr) out.AddSpan(int32_t(y), int32_t(xl), int32_t(xr + 1));
    };
    auto discs = [&](int64_t y, int64_t& xl, int64_t& xr) {
        const int64_t yA = y - ay, yB = y - by;
        if (yA >= -h && yA <= h) {
            const int64_t k = disc[yA < 0 ? -yA : yA];
            xl = ax - k;
            xr = ax + k;
        }
        if (yB >= -h && yB <= h) {
            const int64_t k = disc[yB < 0 ? -yB : yB];
            xl = std::min(xl, bx - k);
            xr = std::max(xr, bx + k);
        }
    };

    if (dy == 0) {
        // Horizontal (or a dot): the band is the segment's own columns on the rows of the
        // end discs.
        const int64_t xMinBand = std::min(ax, bx), xMaxBand = std::max(ax, bx);
        for (int64_t y = s.yFirst; y <= s.yLast; ++y) {
            int64_t xl = INT64_MAX, xr = INT64_MIN;
            discs(y, xl, xr);
            if (dx != 0 && y - ay >= -h && y - ay <= h) {
                xl = std::min(xl, xMinBand);
                xr = std::max(xr, xMaxBand);
            }
            emit(y, xl, xr);
        }
        return;
    }

    const int64_t m = HalfRootFloor(Int128{c.w2} * c.len2);
    const int64_t y0 = s.yFirst - ay;
    RowDivider sideLo(y0 * dx - m, dx, dy), sideHi(y0 * dx + m, dx, dy);
    // The dot range as bounds on u; for dx == 0 it is the rows 0 <= Y <= dy (no column
    // limit), and the dividers (of 1) are unused.
    const int64_t dotDiv = dx > 0 ? dx : (dx < 0 ? -dx : 1);
    const int64_t dotStep = dx > 0 ? -dy : dy;
    auto dotLoNum = [&](int64_t yA) { return dx > 0 ? -yA * dy : yA * dy - c.len2; };
    auto dotHiNum = [&](int64_t yA) { return dx > 0 ? c.len2 - yA * dy : yA * dy; };
    RowDivider dotLo(dotLoNum(y0), dotStep, dotDiv), dotHi(dotHiNum(y0), dotStep, dotDiv);
    const int64_t midFirst = std::max(s.yFirst, ay + h + 1);
    const int64_t midLast = std::min(s.yLast, by - h - 1);
    for (int64_t y = s.yFirst; y <= s.yLast; ++y) {
        if (y == midFirst && midFirst <= midLast) {
            for (; y <= midLast; ++y) {
                emit(y, ax + sideLo.Ceil(), ax + sideHi.Floor());
                sideLo.Next();
                sideHi.Next();
            }
            if (y > s.yLast) break;
            dotLo.Reset(dotLoNum(y - ay), dotStep, dotDiv);
            dotHi.Reset(dotHiNum(y - ay), dotStep, dotDiv);
        }
        int64_t xl = INT64_MAX, xr = INT64_MIN;
        discs(y, xl, xr);
        int64_t lo = sideLo.Ceil(), hi = sideHi.Floor();
        if (dx != 0) {
            lo = std::max(lo, dotLo.Ceil());
            hi = std::min(hi, dotHi.Floor());
        } else if (y < ay || y > by) {
            hi = lo - 1;
        }
        if (lo <= hi) {
            xl = std::min(xl, ax + lo);
            xr = std::max(xr, ax + hi);
        }
        emit(y, xl, xr);
        sideLo.Next();
        sideHi.Next();
        dotLo.Next();
        dotHi.Next();
    }
}

bool WithinExactRange(const Capsule& c) {
    auto in = [](int64_t v) { return v >= -kExactRange && v <= kExactRange; };
    return in(c.ax) && in(c.ay) && in(c.bx) && in(c.by);
}

} // namespace

void ScanCapsule(Point a, Point b, int32_t width, const Rect& clip, SpanReceiver& out) {
    CapsuleSetup s;
    if (!PrepareCapsule(a, b, width, clip, s)) return;
    // A segment cut down from far outside can end beyond the incremental form's range
    // when the clip itself is huge; the band-edge form handles those.
    if (WithinExactRange(s.c))
        CapsuleRowsIncremental(s, clip, out);
    else
        CapsuleRowsByBandEdges(s, clip, out);
}

void ScanCapsuleReference(Point a, Point b, int32_t width, const Rect& clip, SpanReceiver& out) {
    CapsuleSetup s;
    if (PrepareCapsule(a, b, width, clip, s)) CapsuleRowsByBandEdges(s, clip, out);
}

void ScanSegment(Point a, Point b, int32_t width, const Rect& clip, SpanReceiver& out) {
    if (width <= 1)
        ScanHairline(a, b, clip, out);
    else
        ScanCapsule(a, b, width, clip, out);
}

// ---- Rectangle ------------------------------------------------------------------------

namespace {

Rect Normalised(const Rect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

// Fills box (half-open, 64-bit so that grown boxes cannot overflow) clipped.
void FillBox(int64_t left, int64_t top, int64_t right, int64_t bottom, const Rect& clip,
             SpanReceiver& out) {
    left = std::max<int64_t>(left, clip.left);
    right = std::min<int64_t>(right, clip.right);
    top = std::max<int64_t>(top, clip.top);
    bottom = std::min<int64_t>(bottom, clip.bottom);
    if (left >= right) return;
    for (int64_t y = top; y < bottom; ++y) out.AddSpan(int32_t(y), int32_t(left), int32_t(right));
}

} // namespace

void ScanRectangle(const Rect& boxIn, int32_t penWidth, const Rect& clip, SpanReceiver* outline,
                   SpanReceiver* inside) {
    const Rect box = Normalised(boxIn);
    if (box.IsEmpty() || clip.IsEmpty()) return;
    const int64_t l = box.left, t = box.top, r = box.right, b = box.bottom;
    if (penWidth <= 0) {
        if (inside) FillBox(l, t, r, b, clip, *inside);
        return;
    }
    if (penWidth == 1) {
        if (outline) {
            FillBox(l, t, r, t + 1, clip, *outline);
            if (b - t > 1) FillBox(l, b - 1, r, b, clip, *outline);
            FillBox(l, t + 1, l + 1, b - 1, clip, *outline);
            if (r - l > 1) FillBox(r - 1, t + 1, r, b - 1, clip, *outline);
        }
        if (inside) FillBox(l + 1, t + 1, r - 1, b - 1, clip, *inside);
        return;
    }
    if (outline) {
        // The rectangle's corners are pixel centres; keep them in 32 bits for the capsule.
        const Point p[5] = {{box.left, box.top},
                            {box.right - 1, box.top},
                            {box.right - 1, box.bottom - 1},
                            {box.left, box.bottom - 1},
                            {box.left, box.top}};
        SpanUnion ring;
        for (int i = 0; i < 4; ++i) ScanCapsule(p[i], p[i + 1], penWidth, clip, ring);
        ring.Flush(*outline);
    }
    // The pen reaches width/2 (rounded down) pixels inwards from each border pixel.
    const int64_t reach = penWidth / 2 + 1;
    if (inside) FillBox(l + reach, t + reach, r - reach, b - reach, clip, *inside);
}

// ---- Ellipse --------------------------------------------------------------------------

namespace {

// Work in doubled coordinates so that the centre is a lattice point: X = 2x - cx2 with
// cx2 = left + right - 1 (twice the centre). An ellipse with doubled semi-axes A, B holds
// X^2 B^2 + Y^2 A^2 <= A^2 B^2 (or < for the strict inner one).
struct EllipseTest {
    int64_t a, b; // doubled semi-axes
    bool strict;

    bool Inside(int64_t X, int64_t Y) const {
        if (a <= 0 || b <= 0) return false;
        if (a < (int64_t{1} << 29) && b < (int64_t{1} << 29) && std::llabs(X) <= 4 * a &&
            std::llabs(Y) <= 4 * b) {
            // |X| b, |Y| a < 2^60: the sums of squares fit in 128 bits.
            const Int128 aa = Int128{a} * a, bb = Int128{b} * b;
            const Int128 lhs = Int128{X} * X * bb + Int128{Y} * Y * aa;
            const Int128 rhs = aa * bb;
            return strict ? lhs < rhs : lhs <= rhs;
        }
        // Boxes wider than 2^28 pixels (far outside any bitmap): floating point.
        const double u = double(X) / double(a), v = double(Y) / double(b);
        const double s = u * u + v * v;
        return strict ? s < 1.0 : s <= 1.0;
    }
};

// Rightmost column of row Y (doubled) inside the ellipse, or nullopt-like false.
bool RowRight(const EllipseTest& e, int64_t cx2, int64_t Y, int64_t& xr) {
    if (e.a <= 0 || e.b <= 0) return false;
    const int64_t xMid = int64_t(CeilDiv(cx2, 2)); // the column nearest the centre, X in {0, 1}
    if (!e.Inside(2 * xMid - cx2, Y)) return false;
    const double v = double(Y) / double(e.b);
    const double halfX = double(e.a) * std::sqrt(std::max(0.0, 1.0 - v * v));
    int64_t x = std::max<int64_t>(xMid, int64_t(std::floor((double(cx2) + halfX) / 2.0)));
    while (x > xMid && !e.Inside(2 * x - cx2, Y)) --x;
    while (e.Inside(2 * (x + 1) - cx2, Y)) ++x;
    xr = x;
    return true;
}

void EmitClipped(SpanReceiver* out, int64_t y, int64_t x0, int64_t x1, const Rect& clip) {
    if (!out) return;
    x0 = std::max<int64_t>(x0, clip.left);
    x1 = std::min<int64_t>(x1, int64_t{clip.right} - 1);
    if (x0 <= x1) out->AddSpan(int32_t(y), int32_t(x0), int32_t(x1 + 1));
}

} // namespace

void ScanEllipse(const Rect& boxIn, int32_t penWidth, const Rect& clip, SpanReceiver* outline,
                 SpanReceiver* inside) {
    const Rect box = Normalised(boxIn);
    if (box.IsEmpty() || clip.IsEmpty()) return;
    const int64_t W = int64_t{box.right} - box.left, H = int64_t{box.bottom} - box.top;
    const int64_t cx2 = int64_t{box.left} + box.right - 1;
    const int64_t cy2 = int64_t{box.top} + box.bottom - 1;

    if (penWidth <= 1) {
        const EllipseTest region{W, H, false};
        const int64_t yFirst = std::max<int64_t>(clip.top, box.top);
        const int64_t yLast = std::min<int64_t>(int64_t{clip.bottom} - 1, int64_t{box.bottom} - 1);
        if (yFirst > yLast) return;
        // Row extents of the region, with one row of context above and below.
        // Centre rows span the whole box and every row keeps its centre column(s), so that
        // very thin ellipses still reach all four sides of the box.
        const int64_t xMid = int64_t(CeilDiv(cx2, 2));
        auto extent = [&](int64_t y, int64_t& xl, int64_t& xr) {
            if (y < box.top || y >= box.bottom) return false;
            const int64_t Y = 2 * y - cy2;
            if (Y >= -1 && Y <= 1)
                xr = int64_t{box.right} - 1;
            else if (!RowRight(region, cx2, Y, xr) || xr < xMid)
                xr = xMid;
            xl = cx2 - xr;
            return true;
        };
        int64_t pl = 0, pr = 0, ml = 0, mr = 0, nl = 0, nr = 0;
        bool prev = extent(yFirst - 1, pl, pr);
        bool mid = extent(yFirst, ml, mr);
        for (int64_t y = yFirst; y <= yLast; ++y) {
            const bool next = extent(y + 1, nl, nr);
            if (mid) {
                if (penWidth <= 0) {
                    EmitClipped(inside, y, ml, mr, clip);
                } else {
                    // Interior: the pixels whose four neighbours are all in the region.
                    int64_t il = ml + 1, ir = mr - 1;
                    if (prev && next) {
                        il = std::max({il, pl, nl});
                        ir = std::min({ir, pr, nr});
                    } else {
                        ir = il - 1;
                    }
                    if (il > ir) {
                        EmitClipped(outline, y, ml, mr, clip);
                    } else {
                        EmitClipped(outline, y, ml, il - 1, clip);
                        EmitClipped(inside, y, il, ir, clip);
                        EmitClipped(outline, y, ir + 1, mr, clip);
                    }
                }
            }
            prev = mid;
            pl = ml;
            pr = mr;
            mid = next;
            ml = nl;
            mr = nr;
        }
        return;
    }

    // Wide pen: the ring between the ellipses grown and shrunk by width/2 around the one
    // through the extreme pixel centres (doubled semi-axes W - 1 and H - 1).
    const EllipseTest outer{W - 1 + penWidth, H - 1 + penWidth, false};
    const EllipseTest inner{W - 1 - penWidth, H - 1 - penWidth, true};
    const int64_t reach = penWidth / 2 + 1;
    const int64_t yFirst = std::max<int64_t>(clip.top, int64_t{box.top} - reach);
    const int64_t yLast =
        std::min<int64_t>(int64_t{clip.bottom} - 1, int64_t{box.bottom} - 1 + reach);
    for (int64_t y = yFirst; y <= yLast; ++y) {
        const int64_t Y = 2 * y - cy2;
        int64_t orr = 0, irr = 0;
        if (!RowRight(outer, cx2, Y, orr)) continue;
        if (RowRight(inner, cx2, Y, irr)) {
            EmitClipped(outline, y, cx2 - orr, cx2 - irr - 1, clip);
            EmitClipped(inside, y, cx2 - irr, irr, clip);
            EmitClipped(outline, y, irr + 1, orr, clip);
        } else {
            EmitClipped(outline, y, cx2 - orr, orr, clip);
        }
    }
}

// ---- Span union -----------------------------------------------------------------------

void SpanUnion::AddSpan(int32_t y, int32_t x0, int32_t x1) {
    if (spans_.empty()) {
        minY_ = maxY_ = y;
    } else {
        minY_ = std::min(minY_, y);
        maxY_ = std::max(maxY_, y);
    }
    spans_.push_back({y, x0, x1});
}

void SpanUnion::Flush(SpanReceiver& out) {
    if (spans_.empty()) return;
    // Counting sort by row, then by start within each (short) row.
    const size_t rows = size_t(int64_t{maxY_} - minY_ + 1);
    rowStart_.assign(rows + 1, 0);
    for (const Span& s : spans_) ++rowStart_[size_t(s.y - minY_) + 1];
    for (size_t i = 1; i <= rows; ++i) rowStart_[i] += rowStart_[i - 1];
    sorted_.resize(spans_.size());
    {
        std::vector<uint32_t> fill(rowStart_.begin(), rowStart_.end() - 1);
        for (const Span& s : spans_) sorted_[fill[size_t(s.y - minY_)]++] = s;
    }
    for (size_t row = 0; row < rows; ++row) {
        auto first = sorted_.begin() + rowStart_[row];
        auto last = sorted_.begin() + rowStart_[row + 1];
        if (first == last) continue;
        std::sort(first, last, [](const Span& p, const Span& q) { return p.x0 < q.x0; });
        int32_t x0 = first->x0, x1 = first->x1;
        for (auto it = first + 1; it != last; ++it) {
            if (it->x0 <= x1) {
                x1 = std::max(x1, it->x1);
            } else {
                out.AddSpan(first->y, x0, x1);
                x0 = it->x0;
                x1 = it->x1;
            }
        }
        out.AddSpan(first->y, x0, x1);
    }
    spans_.clear();
}

} // namespace plat
