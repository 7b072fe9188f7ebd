#pragma once
// Small services the rest of the program asks of the system.

#include "platform/raster/Bitmap.h"

#include <cstdint>

// Paints the whiteboard's empty page into bitmap: the board colour over (0, 0)-(width,
// height), then the optional grid lines, the first one spacing away from the edge.
// A spacing below 1 draws no lines in that direction.
void BoardPaint(plat::Bitmap& bitmap, int32_t width, int32_t height);
