#pragma once
// Rounding used by every conversion from a fractional value to an integer coordinate,
// width or pressure: to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4). Values beyond the 32-bit range saturate instead of overflowing.

#include <cmath>
#include <cstdint>
#include <limits>

namespace plat {

inline int32_t Rnd(double v) {
    const double r = std::nearbyint(v); // default rounding mode: ties to even
    if (!(r > static_cast<double>(std::numeric_limits<int32_t>::min())))
        return std::numeric_limits<int32_t>::min(); // also NaN
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

} // namespace plat
