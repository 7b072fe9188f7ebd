// Resampling of smoothing-pen strokes.

#include "surface/Smoothing.h"

#include <gtest/gtest.h>

using plat::Point;
using surface::SmoothPathFor;

namespace {

std::vector<Point> Zigzag(int n) {
    std::vector<Point> points;
    for (int i = 0; i < n; ++i) points.push_back({10 * i, (i % 2) ? 7 : -3});
    return points;
}

} // namespace

TEST(Smoothing, ShortStrokesAreStraightLines) {
    for (int n : {0, 1, 2, 3, 4}) {
        const auto points = Zigzag(n);
        const auto path = SmoothPathFor(points, 1);
        EXPECT_FALSE(path.curve) << n;
        EXPECT_EQ(path.points, points) << n;
    }
}

TEST(Smoothing, TenPointsKeepEveryPointWithMidpointJoints) {
    std::vector<Point> points;
    for (int i = 0; i < 10; ++i) points.push_back({10 * i, i * i});
    const auto path = SmoothPathFor(points, 1);
    ASSERT_TRUE(path.curve);
    ASSERT_EQ(path.points.size(), 10u);
    for (int i : {0, 1, 2, 4, 5, 7, 8, 9}) EXPECT_EQ(path.points[i], points[i]) << i;
    // Joints: the midpoint of their neighbours, halves rounded down (also below zero).
    EXPECT_EQ(path.points[3], (Point{30, (4 + 16) / 2}));
    EXPECT_EQ(path.points[6], (Point{60, (25 + 49) / 2}));
    const std::vector<Point> odd = {{0, 0}, {1, 1}, {2, -3}, {9, 9}, {4, -4},
                                    {5, 5}, {6, 6}, {7, 7},  {8, 8}, {9, 9}};
    EXPECT_EQ(SmoothPathFor(odd, 1).points[3], (Point{3, -4})); // (2+4)/2, floor(-7/2) = -4
}

TEST(Smoothing, FiveAndSevenPoints) {
    // Five points: two pieces whose last two control points are the last point.
    auto points = Zigzag(5);
    auto path = SmoothPathFor(points, 1);
    ASSERT_TRUE(path.curve);
    ASSERT_EQ(path.points.size(), 7u);
    EXPECT_EQ(path.points[5], points[4]);
    EXPECT_EQ(path.points[6], points[4]);
    // Seven points: two pieces through all of them.
    points = Zigzag(7);
    path = SmoothPathFor(points, 1);
    ASSERT_EQ(path.points.size(), 7u);
    EXPECT_EQ(path.points[6], points[6]);
    EXPECT_EQ(path.points[4], points[4]);
}

TEST(Smoothing, StepsSampleEveryVthPoint) {
    const auto points = Zigzag(20);
    const auto path = SmoothPathFor(points, 2); // m = (18 / 6 + 1) * 3 + 1 = 13
    ASSERT_TRUE(path.curve);
    ASSERT_EQ(path.points.size(), 13u);
    EXPECT_EQ(path.points[1], points[2]);
    EXPECT_EQ(path.points[9 - 1], points[16]);
    EXPECT_EQ(path.points[12], points[19]); // filled with the last point
}

TEST(Smoothing, StepZeroIsOnePieceFromFirstToLast) {
    const auto points = Zigzag(9);
    const auto path = SmoothPathFor(points, 0);
    ASSERT_TRUE(path.curve);
    EXPECT_EQ(path.points, (std::vector<Point>{points[0], points[3], points[6], points[8]}));
    EXPECT_FALSE(SmoothPathFor(Zigzag(5), 0).curve);
}
