// The incremental capsule rows against the band-edge reference and the distance rule.
#include "platform/raster/IntMath.h"
#include "platform/raster/ScanConvert.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <vector>

namespace plat {
namespace {

struct Row {
    int32_t y, x0, x1;
    friend bool operator==(const Row&, const Row&) = default;
};

class Recorder final : public SpanReceiver {
public:
    void AddSpan(int32_t y, int32_t x0, int32_t x1) override { rows.push_back({y, x0, x1}); }
    std::vector<Row> rows;
};

// The distance rule itself, pixel by pixel.
bool Covers(Point a, Point b, int32_t w, int64_t x, int64_t y) {
    const int64_t dx = int64_t{b.x} - a.x, dy = int64_t{b.y} - a.y;
    const int64_t vx = x - a.x, vy = y - a.y;
    const int64_t len2 = dx * dx + dy * dy, dot = vx * dx + vy * dy;
    const int64_t w2 = int64_t{w} * w;
    if (len2 == 0 || dot <= 0) return 4 * (vx * vx + vy * vy) <= w2;
    if (dot >= len2) return 4 * ((x - b.x) * (x - b.x) + (y - b.y) * (y - b.y)) <= w2;
    const Int128 cross = Int128{vx} * dy - Int128{vy} * dx;
    return 4 * cross * cross <= Int128{w2} * len2;
}

std::string Describe(Point a, Point b, int32_t w, const Rect& clip) {
    std::ostringstream s;
    s << "a (" << a.x << ", " << a.y << ") b (" << b.x << ", " << b.y << ") width " << w << " clip "
      << clip.left << "," << clip.top << ".." << clip.right << "," << clip.bottom;
    return s.str();
}

// A segment of one of the shapes the row loop treats differently.
void RandomSegment(std::mt19937& rng, int64_t range, Point& a, Point& b) {
    auto coord = [&](int64_t r) { return int32_t(int64_t(rng() % uint64_t(2 * r + 1)) - r); };
    a = {coord(range), coord(range)};
    switch (rng() % 6) {
    case 0: // zero length
        b = a;
        break;
    case 1: // horizontal or vertical
        b = rng() % 2 ? Point{coord(range), a.y} : Point{a.x, coord(range)};
        break;
    case 2: // steep
        b = {a.x + coord(3), coord(range)};
        break;
    case 3: // shallow
        b = {coord(range), a.y + coord(3)};
        break;
    case 4: // short, as pointer moves give them
        b = {a.x + coord(12), a.y + coord(12)};
        break;
    default:
        b = {coord(range), coord(range)};
        break;
    }
}

TEST(ScanCapsule, IncrementalRowsMatchTheReferenceAndTheDistanceRule) {
    std::mt19937 rng(7301);
    // Ranges around a small clip (every pixel checked against the rule), then segments far
    // larger than the clip.
    const int64_t ranges[] = {40, 120, 1 << 15, 1 << 24};
    for (int64_t range : ranges) {
        for (int round = 0; round < 1500; ++round) {
            Point a, b;
            RandomSegment(rng, range, a, b);
            const int32_t w = 2 + int32_t(rng() % 69);
            const int32_t l = int32_t(rng() % 81) - 60, t = int32_t(rng() % 81) - 60;
            const Rect clip{l, t, l + 1 + int32_t(rng() % 90), t + 1 + int32_t(rng() % 90)};
            Recorder fast, ref;
            ScanCapsule(a, b, w, clip, fast);
            ScanCapsuleReference(a, b, w, clip, ref);
            ASSERT_EQ(fast.rows, ref.rows) << Describe(a, b, w, clip);
            if (range > 200) continue;
            // Every covered pixel of the clip in exactly one span, and nothing else.
            std::vector<uint8_t> seen(size_t(clip.Width()) * size_t(clip.Height()), 0);
            for (const Row& r : fast.rows) {
                ASSERT_TRUE(r.y >= clip.top && r.y < clip.bottom && r.x0 >= clip.left &&
                            r.x0 < r.x1 && r.x1 <= clip.right)
                    << Describe(a, b, w, clip);
                for (int32_t x = r.x0; x < r.x1; ++x)
                    ++seen[size_t(r.y - clip.top) * size_t(clip.Width()) + size_t(x - clip.left)];
            }
            for (int32_t y = clip.top; y < clip.bottom; ++y)
                for (int32_t x = clip.left; x < clip.right; ++x)
                    ASSERT_EQ(
                        seen[size_t(y - clip.top) * size_t(clip.Width()) + size_t(x - clip.left)],
                        Covers(a, b, w, x, y) ? 1 : 0)
                        << Describe(a, b, w, clip) << " at " << x << "," << y;
        }
    }
}

TEST(ScanCapsule, FarAndHugeSegmentsMatchTheReference) {
    std::mt19937 rng(99);
    for (int round = 0; round < 400; ++round) {
        // Through a point p of the picture from far outside: ending at p, or reaching as
        // far beyond it.
        Point a, b;
        RandomSegment(rng, int64_t{1} << 30, a, b);
        const Point p{int32_t(rng() % 1920), int32_t(rng() % 1080)};
        b = rng() % 3 == 0 ? p : Point{2 * p.x - a.x, 2 * p.y - a.y};
        const int32_t w = rng() % 4 == 0 ? 2 + int32_t(rng() % 5000) : 2 + int32_t(rng() % 69);
        const Rect clip{0, 0, 1920, 1080};
        Recorder fast, ref;
        ScanCapsule(a, b, w, clip, fast);
        ScanCapsuleReference(a, b, w, clip, ref);
        ASSERT_EQ(fast.rows, ref.rows) << Describe(a, b, w, clip);
    }
}

} // namespace
} // namespace plat
