#pragma once
// The monitors of the desktop and their work areas (the screen minus task bars and docks).
// Monitor 0 is the primary monitor; the others follow in the order the system lists them.

#include "platform/raster/Geometry.h"

#include <cstdint>

namespace plat {

int32_t MonitorCount();
// Work area of monitor index in desktop coordinates; an index out of range gives the
// primary monitor's work area (an empty rectangle when there is no screen at all).
Rect MonitorWorkArea(int32_t index);
// Whole area of monitor index, with the same rule for indices out of range.
Rect MonitorBounds(int32_t index);

} // namespace plat
