#pragma once
// Owning bitmaps in three formats and the non-owning view that raster code works on.
//
//  Rgb32     4 bytes per pixel: blue, green, red, 0 (QImage::Format_RGB32 memory layout)
//  Indexed8  1 byte per pixel, an index into a 256-entry palette of Color values
//  Mono1     1 bit per pixel, most significant bit first; bit 0 = palette entry 0 (black),
//            bit 1 = entry 1 (white)
//
// Rows are top-down and each row starts on a 32-bit boundary.

#include "platform/raster/Color.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class QImage;

namespace plat {

enum class PixelFormat : uint8_t { Rgb32, Indexed8, Mono1 };

using Palette = std::array<Color, 256>;

// Entry i = (i, i, i): an index stored with this palette is its own grey level.
const Palette& GreyPalette();

struct BitmapView {
    uint8_t* data = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0; // bytes per row
    PixelFormat format = PixelFormat::Rgb32;
    const Palette* palette = nullptr; // Indexed8 and Mono1 only

    uint8_t* Row(int32_t y) const { return data + static_cast<ptrdiff_t>(y) * stride; }
    uint32_t* Row32(int32_t y) const { return reinterpret_cast<uint32_t*>(Row(y)); }
};

int32_t StrideFor(PixelFormat format, int32_t width);

class Canvas;

class Bitmap {
public:
    explicit Bitmap(PixelFormat format = PixelFormat::Rgb32);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // Resizes the pixel memory. Pixels that existed before keep their values (clipped to
    // the new size); new pixels are 0. Row pointers taken before are invalid afterwards.
    void SetSize(int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Stride() const { return stride_; }
    PixelFormat Format() const { return format_; }

    uint8_t* ScanLine(int32_t y) { return pixels_.data() + static_cast<ptrdiff_t>(y) * stride_; }
    const uint8_t* ScanLine(int32_t y) const {
        return pixels_.data() + static_cast<ptrdiff_t>(y) * stride_;
    }
    uint32_t* Row32(int32_t y) { return reinterpret_cast<uint32_t*>(ScanLine(y)); }
    const uint32_t* Row32(int32_t y) const {
        return reinterpret_cast<const uint32_t*>(ScanLine(y));
    }

    BitmapView View();

    // Palette of Indexed8 (256 entries) and Mono1 (entries 0 and 1). Defaults: grey ramp
    // for Indexed8, black and white for Mono1.
    const Palette& GetPalette() const { return palette_; }
    void SetPalette(const Palette& palette) { palette_ = palette; }

    // The pixel at (x, y) as a Color (palette looked up for indexed formats).
    Color PixelColor(int32_t x, int32_t y) const;

    // A QImage over the same memory (no copy) for Rgb32; a converted copy otherwise.
    // The shared image is valid until the next SetSize.
    QImage ToQImage() const;

    // The bitmap's drawing state and primitives; it lives as long as the bitmap.
    Canvas& GetCanvas();

private:
    PixelFormat format_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    std::vector<uint8_t> pixels_;
    Palette palette_{};
    std::unique_ptr<Canvas> canvas_;
};

} // namespace plat
