#pragma once
// Composition of the visible picture from background, ink colour and ink coverage.
//
// For every picture pixel (x, y) with ink colour s and background g:
//   s == 0x7F7F7F (no ink)  -> g
//   palette display         -> s
//   otherwise: S = the 1-2-1 / 2-4-2 / 1-2-1 weighted sum of the nine coverage values
//   around coverage pixel (2x+1, 2y+1); a = S / 16, b = 255 - a, and each of blue, green
//   and red becomes (s * a + g * b) / 256 (divisor 256: full black over white gives 0,
//   full white ink gives 254). The fourth byte is 0.

#include "platform/raster/Bitmap.h"

#include <cstdint>

namespace surface {

inline constexpr uint32_t kNoInk = 0x007F7F7F; // colour-layer word of a pixel without ink

struct ComposeLayers {
    plat::BitmapView background; // Rgb32, sw x sh
    plat::BitmapView colour;     // Rgb32, sw x sh
    plat::BitmapView coverage;   // Indexed8, (2sw+2) x (2sh+2)
    plat::BitmapView composite;  // Rgb32, sw x sh
};

// Inclusive pixel box; callers keep it inside the picture.
struct PixelBox {
    int32_t x1 = 0, y1 = 0, x2 = -1, y2 = -1;
};

// The straightforward form of the rule, one pixel and one byte at a time.
void ComposeBoxReference(const ComposeLayers& layers, PixelBox box, bool is256);

// The form used by the program: runs without ink are copied as a whole, and inked pixels
// blend two colour bytes per 32-bit multiply. Results equal ComposeBoxReference.
void ComposeBox(const ComposeLayers& layers, PixelBox box, bool is256);

} // namespace surface
