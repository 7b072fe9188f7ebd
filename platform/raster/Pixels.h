#pragma once
// Colour <-> stored pixel value for each bitmap format, shared by the primitives and the
// bitmap copies.

#include "platform/raster/Bitmap.h"
#include "platform/raster/Color.h"

#include <cstdint>

namespace plat {

// Number of palette entries a format uses: 256 for Indexed8, 2 for Mono1, 0 for Rgb32.
int PaletteSize(PixelFormat format);

// Index of the palette entry nearest to c (squared RGB distance, lowest index on ties),
// among the first count entries.
int NearestPaletteIndex(const Palette& palette, int count, Color c);

// The value a pixel of this view stores for colour c: the 32-bit pixel word for Rgb32, the
// index for Indexed8, the bit (0 or 1) for Mono1. A PaletteIndex colour stores its index
// on indexed formats (clamped to 1 on Mono1) and its palette colour on Rgb32 (the view's
// palette, grey if it has none).
uint32_t PixelValueFor(const BitmapView& view, Color c);

// The stored value at (x, y), inside the view.
uint32_t ReadPixelValue(const BitmapView& view, int32_t x, int32_t y);

// The colour of a stored value (palette looked up for indexed formats).
Color ValueToColor(const BitmapView& view, uint32_t value);

} // namespace plat
