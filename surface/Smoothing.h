#pragma once
// Resampling of a smoothing-pen stroke into the points that are actually drawn: a cubic
// Bézier chain through every v-th point, or a plain polyline for short strokes.

#include "platform/raster/Geometry.h"

#include <span>
#include <vector>

namespace surface {

struct SmoothPath {
    std::vector<plat::Point> points;
    bool curve = false; // true: Bézier chain (1 + 3k points); false: polyline
};

// points: the recorded stroke; step: the point step v (0 = one Bézier piece from the first
// to the last point; a negative step counts as 1).
SmoothPath SmoothPathFor(std::span<const plat::Point> points, int32_t step);

} // namespace surface
