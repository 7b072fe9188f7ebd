#include "platform/raster/Flatten.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plat {
namespace {

PointF ToF(Point p) {
    return {double(p.x), double(p.y)};
}

double Length(PointF a, PointF b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

PointF Lerp(PointF a, PointF b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

Rect Normalised(const Rect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

struct EllipseFrame {
    double cx, cy, a, b;
};

EllipseFrame FrameOf(const Rect& boxIn) {
    const Rect box = Normalised(boxIn);
    return {(double(box.left) + box.right - 1) / 2, (double(box.top) + box.bottom - 1) / 2,
            std::max(0.0, (double(box.right) - box.left - 1) / 2),
            std::max(0.0, (double(box.bottom) - box.top - 1) / 2)};
}

// Parameter t of the point (a cos t, b sin t) on the ray from the centre towards p
// (y pointing up): tan t = (a / b) tan(phi).
double ParamTowards(const EllipseFrame& e, Point p) {
    const double phi = std::atan2(-(p.y - e.cy), p.x - e.cx);
    return std::atan2(e.a * std::sin(phi), e.b * std::cos(phi));
}

std::vector<PointF> Sweep(const EllipseFrame& e, double t0, double t1, double tolerance) {
    // A chord of angle dt on radius R deviates R (1 - cos(dt / 2)) from the arc.
    const double radius = std::max({e.a, e.b, 0.5});
    double dt = 2 * std::acos(std::max(0.0, 1 - tolerance / radius));
    dt = std::clamp(dt, 1e-4, std::numbers::pi / 8);
    const int n = std::max(1, int(std::ceil((t1 - t0) / dt)));
    std::vector<PointF> pts;
    pts.reserve(size_t(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const double t = t0 + (t1 - t0) * i / n;
        pts.push_back({e.cx + e.a * std::cos(t), e.cy - e.b * std::sin(t)});
    }
    return pts;
}

} // namespace

std::vector<PointF> FlattenBezier(std::span<const Point> points, double tolerance) {
    std::vector<PointF> out;
    if (points.empty()) return out;
    out.push_back(ToF(points[0]));
    const size_t pieces = (points.size() - 1) / 3;
    for (size_t k = 0; k < pieces; ++k) {
        const PointF p0 = ToF(points[3 * k]), p1 = ToF(points[3 * k + 1]),
                     p2 = ToF(points[3 * k + 2]), p3 = ToF(points[3 * k + 3]);
        // B''(t) is bounded by 6 max |p0 - 2 p1 + p2|, |p1 - 2 p2 + p3|; n uniform steps
        // keep the polyline within |B''| / (8 n^2) of the curve.
        const double m = std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                                  std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
        const int n = std::clamp(int(std::ceil(std::sqrt(0.75 * m / tolerance))), 1, 1024);
        for (int i = 1; i <= n; ++i) {
            const double t = double(i) / n, s = 1 - t;
            const double c0 = s * s * s, c1 = 3 * s * s * t, c2 = 3 * s * t * t, c3 = t * t * t;
            if (i == n) {
                out.push_back(p3);
            } else {
                out.push_back({c0 * p0.x + c1 * p1.x + c2 * p2.x + c3 * p3.x,
                               c0 * p0.y + c1 * p1.y + c2 * p2.y + c3 * p3.y});
            }
        }
    }
    return out;
}

std::vector<PointF> ArcPoints(const Rect& box, Point start, Point end, double tolerance) {
    const EllipseFrame e = FrameOf(box);
    const double t0 = ParamTowards(e, start);
    double t1 = ParamTowards(e, end);
    while (t1 <= t0) t1 += 2 * std::numbers::pi;
    return Sweep(e, t0, t1, tolerance);
}

std::vector<PointF> EllipsePoints(const Rect& box, double tolerance) {
    std::vector<PointF> pts = Sweep(FrameOf(box), 0, 2 * std::numbers::pi, tolerance);
    pts.back() = pts.front();
    return pts;
}

std::vector<std::vector<PointF>> DashPath(std::span<const PointF> path, double dash, double gap) {
    std::vector<std::vector<PointF>> dashes;
    if (path.empty()) return dashes;
    if (!(dash > 0)) return dashes;
    gap = std::max(gap, 0.0);
    bool on = true;
    double left = dash; // length left in the current dash or gap
    std::vector<PointF> current{path[0]};
    for (size_t i = 1; i < path.size(); ++i) {
        const PointF a = path[i - 1], b = path[i];
        const double len = Length(a, b);
        double pos = 0;
        while (len - pos > left) {
            pos += left;
            const PointF cut = Lerp(a, b, pos / len);
            if (on) {
                current.push_back(cut);
                dashes.push_back(std::move(current));
                current.clear();
            } else {
                current.push_back(cut);
            }
            on = !on;
            left = on ? dash : gap;
            if (!on && gap == 0) {
                on = true;
                left = dash;
                current.push_back(cut);
            }
        }
        left -= len - pos;
        if (on) current.push_back(b);
    }
    if (on && !current.empty()) dashes.push_back(std::move(current));
    return dashes;
}

std::vector<Point> RoundPath(std::span<const PointF> path) {
    std::vector<Point> out;
    out.reserve(path.size());
    auto round = [](double v) {
        const double r = std::floor(v + 0.5);
        return int32_t(std::clamp(r, -2147483648.0, 2147483647.0));
    };
    for (const PointF& p : path) {
        const Point q{round(p.x), round(p.y)};
        if (out.empty() || !(out.back() == q)) out.push_back(q);
    }
    return out;
}

} // namespace plat
