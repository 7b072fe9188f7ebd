#include "platform/raster/Pixels.h"

namespace plat {

int PaletteSize(PixelFormat format) {
    switch (format) {
    case PixelFormat::Indexed8:
        return 256;
    case PixelFormat::Mono1:
        return 2;
    case PixelFormat::Rgb32:
        break;
    }
    return 0;
}

int NearestPaletteIndex(const Palette& palette, int count, Color c) {
    const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
    int best = 0;
    int bestDist = 1 << 30;
    for (int i = 0; i < count; ++i) {
        const Color p = palette[static_cast<size_t>(i)];
        const int dr = RedOf(p) - r, dg = GreenOf(p) - g, db = BlueOf(p) - b;
        const int dist = dr * dr + dg * dg + db * db;
        if (dist < bestDist) {
            bestDist = dist;
            best = i;
            if (dist == 0) break;
        }
    }
    return best;
}

uint32_t PixelValueFor(const BitmapView& view, Color c) {
    const Palette& palette = view.palette ? *view.palette : GreyPalette();
    switch (view.format) {
    case PixelFormat::Rgb32:
        if (IsPaletteIndex(c)) return ColorToPixel32(palette[c & 0xFFu]);
        return ColorToPixel32(c & 0xFFFFFFu);
    case PixelFormat::Indexed8:
        if (IsPaletteIndex(c)) return c & 0xFFu;
        return static_cast<uint32_t>(NearestPaletteIndex(palette, 256, c & 0xFFFFFFu));
    case PixelFormat::Mono1:
        if (IsPaletteIndex(c)) return (c & 0xFFu) != 0 ? 1u : 0u;
        return static_cast<uint32_t>(NearestPaletteIndex(palette, 2, c & 0xFFFFFFu));
    }
    return 0;
}

uint32_t ReadPixelValue(const BitmapView& view, int32_t x, int32_t y) {
    switch (view.format) {
    case PixelFormat::Rgb32:
        return view.Row32(y)[x];
    case PixelFormat::Indexed8:
        return view.Row(y)[x];
    case PixelFormat::Mono1:
        return (view.Row(y)[x >> 3] >> (7 - (x & 7))) & 1u;
    }
    return 0;
}

Color ValueToColor(const BitmapView& view, uint32_t value) {
    if (view.format == PixelFormat::Rgb32) return Pixel32ToColor(value);
    const Palette& palette = view.palette ? *view.palette : GreyPalette();
    return palette[value & 0xFFu];
}

} // namespace plat
