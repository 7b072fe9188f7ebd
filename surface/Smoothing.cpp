#include "surface/Smoothing.h"

#include <cmath>

namespace surface {

namespace {

// Halving with signed arithmetic rounds down (toward minus infinity).
int32_t FloorHalf(int64_t sum) {
    return static_cast<int32_t>(sum >= 0 ? sum / 2 : -((-sum + 1) / 2));
}

} // namespace

SmoothPath SmoothPathFor(std::span<const plat::Point> xy, int32_t step) {
    SmoothPath path;
    const int32_t n = static_cast<int32_t>(xy.size());
    const int32_t v = step < 0 ? 1 : step;
    if (v == 0) {
        if (n > 5) {
            path.curve = true;
            path.points = {xy[0], xy[static_cast<size_t>(std::trunc(n / 3.0))],
                           xy[static_cast<size_t>(std::trunc(2.0 * n / 3.0))], xy[n - 1]};
        } else {
            path.points.assign(xy.begin(), xy.end());
        }
        return path;
    }

    // m: the smallest Bézier chain length (1 + 3k) that holds every v-th point.
    const int32_t m = ((n - 2) / (3 * v) + 1) * 3 + 1;
    if (m <= 5 || n == 0) {
        path.points.assign(xy.begin(), xy.end());
        return path;
    }
    path.curve = true;
    path.points.resize(static_cast<size_t>(m), xy[n - 1]);
    const int32_t sampled = std::min(n / v, m);
    for (int32_t i = 0; i < sampled; ++i) path.points[i] = xy[static_cast<size_t>(i) * v];
    // Each joint becomes the midpoint of its two control points, so the pieces meet with
    // matching tangents.
    auto& q = path.points;
    for (int32_t i = 1; i <= m / 3 - 1; ++i) {
        q[3 * i] = {FloorHalf(int64_t{q[3 * i - 1].x} + q[3 * i + 1].x),
                    FloorHalf(int64_t{q[3 * i - 1].y} + q[3 * i + 1].y)};
    }
    return path;
}

} // namespace surface
