#pragma once
// Colour values as the program stores them: 0x00BBGGRR (red in the low byte).
// A value 0x01000000 + i addresses entry i of an indexed bitmap's palette directly.

#include <cstdint>

namespace plat {

using Color = uint32_t;

constexpr Color kPaletteIndexFlag = 0x01000000u;

constexpr Color PaletteIndex(int i) { return kPaletteIndexFlag | (static_cast<uint32_t>(i) & 0xFFu); }
constexpr bool IsPaletteIndex(Color c) { return (c & 0xFF000000u) == kPaletteIndexFlag; }

constexpr Color Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r) & 0xFF) | ((static_cast<uint32_t>(g) & 0xFF) << 8) |
           ((static_cast<uint32_t>(b) & 0xFF) << 16);
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// A 32-bit pixel holds the bytes blue, green, red, 0; read as a little-endian word
// that is 0x00RRGGBB, the layout of QImage::Format_RGB32.
constexpr uint32_t ColorToPixel32(Color c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Color Pixel32ToColor(uint32_t px) {
    return ((px & 0xFFu) << 16) | (px & 0xFF00u) | ((px >> 16) & 0xFFu);
}

} // namespace plat
