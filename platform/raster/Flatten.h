#pragma once
// Geometry without pixels: Bézier flattening, arc points and dashing on point lists.

#include "platform/raster/Geometry.h"

#include <span>
#include <vector>

namespace plat {

struct PointF {
    double x = 0;
    double y = 0;
    friend bool operator==(const PointF&, const PointF&) = default;
};

// Largest distance allowed between a curve and its polyline, in pixels.
constexpr double kFlattenTolerance = 0.2;

// A cubic Bézier chain (start point, then two control points and an end point per piece;
// points beyond the last whole piece are ignored) as a polyline from its first to its last
// point whose distance from the curve stays below tolerance. Fewer than 4 points: just the
// first point (or nothing).
std::vector<PointF> FlattenBezier(std::span<const Point> points,
                                  double tolerance = kFlattenTolerance);

// Points along the ellipse through the extreme pixel centres of box (columns
// left..right-1, rows top..bottom-1), counter-clockwise with y pointing up, from the ray
// from its centre towards start to the ray towards end; equal rays give the whole ellipse.
std::vector<PointF> ArcPoints(const Rect& box, Point start, Point end,
                              double tolerance = kFlattenTolerance);

// The whole ellipse of ArcPoints as a closed polyline (first point repeated at the end).
std::vector<PointF> EllipsePoints(const Rect& box, double tolerance = kFlattenTolerance);

// Cuts a path into dashes of length dash separated by gaps of length gap, the pattern
// running on across the vertices. Each dash is a polyline; a path of length 0 gives one
// dash of its single point.
std::vector<std::vector<PointF>> DashPath(std::span<const PointF> path, double dash, double gap);

// Nearest integer points (halves round up), consecutive duplicates dropped; coordinates
// are clamped to the 32-bit range.
std::vector<Point> RoundPath(std::span<const PointF> path);

} // namespace plat
