#include "platform/raster/Flatten.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace plat {
namespace {

double DistanceToPolyline(PointF p, const std::vector<PointF>& line) {
    double best = 1e300;
    for (size_t i = 1; i < line.size(); ++i) {
        const PointF a = line[i - 1], b = line[i];
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
    }
    return best;
}

TEST(Flatten, BezierStaysWithinToleranceAndKeepsEndPoints) {
    const Point pts[] = {{0, 0},    {100, -80}, {150, 200}, {300, 10},
                         {310, 40}, {200, 90},  {250, 250}};
    const std::vector<PointF> line = FlattenBezier(pts, 0.2);
    ASSERT_GE(line.size(), 8u);
    EXPECT_EQ(line.front(), (PointF{0, 0}));
    EXPECT_EQ(line.back(), (PointF{250, 250}));
    EXPECT_TRUE(std::find(line.begin(), line.end(), PointF{300, 10}) != line.end());
    for (int piece = 0; piece < 2; ++piece) {
        const Point* p = pts + 3 * piece;
        for (int i = 0; i <= 1000; ++i) {
            const double t = i / 1000.0, s = 1 - t;
            const PointF c{s * s * s * p[0].x + 3 * s * s * t * p[1].x + 3 * s * t * t * p[2].x +
                               t * t * t * p[3].x,
                           s * s * s * p[0].y + 3 * s * s * t * p[1].y + 3 * s * t * t * p[2].y +
                               t * t * t * p[3].y};
            ASSERT_LE(DistanceToPolyline(c, line), 0.2 + 1e-9) << "piece " << piece << " t " << t;
        }
    }
}

TEST(Flatten, BezierWithTooFewPointsIsItsStart) {
    const Point pts[] = {{3, 4}, {5, 6}, {7, 8}};
    EXPECT_EQ(FlattenBezier(pts).size(), 1u);
    EXPECT_TRUE(FlattenBezier({}).empty());
}

TEST(Flatten, ArcRunsCounterClockwiseOnTheEllipse) {
    // Box columns 0..40, rows 0..20: centre (20, 10), semi-axes 20 and 10.
    const Rect box{0, 0, 41, 21};
    const std::vector<PointF> arc = ArcPoints(box, {40, 10}, {20, 0}); // right to top
    ASSERT_GE(arc.size(), 3u);
    EXPECT_NEAR(arc.front().x, 40, 1e-9);
    EXPECT_NEAR(arc.front().y, 10, 1e-9);
    EXPECT_NEAR(arc.back().x, 20, 1e-9);
    EXPECT_NEAR(arc.back().y, 0, 1e-9);
    for (const PointF& p : arc) {
        EXPECT_NEAR(std::pow((p.x - 20) / 20, 2) + std::pow((p.y - 10) / 10, 2), 1.0, 1e-9);
        EXPECT_GE(p.x, 20 - 1e-9); // the upper right quarter only
        EXPECT_LE(p.y, 10 + 1e-9);
    }
    // The other way round is the remaining three quarters.
    const std::vector<PointF> rest = ArcPoints(box, {20, 0}, {40, 10});
    bool sawLeft = false;
    for (const PointF& p : rest) sawLeft |= p.x < 1;
    EXPECT_TRUE(sawLeft);
    // Equal rays: the whole ellipse.
    const std::vector<PointF> full = ArcPoints(box, {40, 10}, {80, 10});
    EXPECT_NEAR(full.back().x, 40, 1e-9);
    EXPECT_GT(full.size(), arc.size() * 3);
}

double PathLength(const std::vector<PointF>& p) {
    double len = 0;
    for (size_t i = 1; i < p.size(); ++i)
        len += std::hypot(p[i].x - p[i - 1].x, p[i].y - p[i - 1].y);
    return len;
}

TEST(Flatten, DashPatternRunsOnAcrossVertices) {
    // An L-shaped path of length 30 + 30; dash 12, gap 12: dashes at 0..12, 24..36 (across the
    // corner), 48..60.
    const PointF path[] = {{0, 0}, {30, 0}, {30, 30}};
    const auto dashes = DashPath(path, 12, 12);
    ASSERT_EQ(dashes.size(), 3u);
    for (const auto& d : dashes) EXPECT_NEAR(PathLength(d), 12, 1e-9);
    EXPECT_EQ(dashes[1].size(), 3u); // goes round the corner
    EXPECT_EQ(dashes[1][1], (PointF{30, 0}));
    EXPECT_NEAR(dashes[1][0].x, 24, 1e-9);
    EXPECT_NEAR(dashes[2][0].y, 18, 1e-9);
}

TEST(Flatten, ZeroLengthPathIsOneDot) {
    const PointF path[] = {{5, 5}, {5, 5}};
    const auto dashes = DashPath(path, 9, 9);
    ASSERT_EQ(dashes.size(), 1u);
    EXPECT_EQ(RoundPath(dashes[0]).size(), 1u);
}

TEST(Flatten, RoundPathDropsRepeatsAndClamps) {
    const PointF path[] = {{0.4, 0.5}, {0.2, 0.6}, {2.5, -2.5}, {1e12, -1e12}};
    const std::vector<Point> pts = RoundPath(path);
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[0], (Point{0, 1}));
    EXPECT_EQ(pts[1], (Point{3, -2}));
    EXPECT_EQ(pts[2], (Point{INT32_MAX, INT32_MIN}));
}

} // namespace
} // namespace plat
