#include "platform/raster/Bitmap.h"

#include "platform/raster/Canvas.h"
#include "platform/raster/Pixels.h"

#include <QImage>
#include <algorithm>
#include <cstring>

namespace plat {

const Palette& GreyPalette() {
    static const Palette grey = [] {
        Palette p{};
        for (int i = 0; i < 256; ++i) p[static_cast<size_t>(i)] = Rgb(i, i, i);
        return p;
    }();
    return grey;
}

int32_t StrideFor(PixelFormat format, int32_t width) {
    if (width <= 0) return 0;
    int64_t bits = 0;
    switch (format) {
    case PixelFormat::Rgb32:
        bits = int64_t{width} * 32;
        break;
    case PixelFormat::Indexed8:
        bits = int64_t{width} * 8;
        break;
    case PixelFormat::Mono1:
        bits = width;
        break;
    }
    return static_cast<int32_t>((bits + 31) / 32 * 4);
}

Bitmap::Bitmap(PixelFormat format) : format_(format) {
    if (format == PixelFormat::Mono1) {
        palette_[0] = Rgb(0, 0, 0);
        palette_[1] = Rgb(255, 255, 255);
    } else {
        palette_ = GreyPalette();
    }
}

Bitmap::~Bitmap() = default;

void Bitmap::SetSize(int32_t width, int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == 0 || height == 0) width = height = 0;
    if (width == width_ && height == height_) return;
    const int32_t stride = StrideFor(format_, width);
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);

    // Keep the old pixels of the overlapping area. For Mono1 the last partial byte is masked
    // so that pixels beyond the old width come out 0.
    const int32_t keepW = std::min(width, width_);
    const int32_t keepH = std::min(height, height_);
    if (keepW > 0 && keepH > 0) {
        size_t bytes = 0;
        uint8_t lastMask = 0xFF;
        switch (format_) {
        case PixelFormat::Rgb32:
            bytes = static_cast<size_t>(keepW) * 4;
            break;
        case PixelFormat::Indexed8:
            bytes = static_cast<size_t>(keepW);
            break;
        case PixelFormat::Mono1:
            bytes = static_cast<size_t>(keepW + 7) / 8;
            if (keepW % 8 != 0) lastMask = static_cast<uint8_t>(0xFF00u >> (keepW % 8));
            break;
        }
        for (int32_t y = 0; y < keepH; ++y) {
            uint8_t* dst = pixels.data() + static_cast<ptrdiff_t>(y) * stride;
            std::memcpy(dst, ScanLine(y), bytes);
            dst[bytes - 1] &= lastMask;
        }
    }
    pixels_.swap(pixels);
    width_ = width;
    height_ = height;
    stride_ = stride;
}

BitmapView Bitmap::View() {
    BitmapView v;
    v.data = pixels_.data();
    v.width = width_;
    v.height = height_;
    v.stride = stride_;
    v.format = format_;
    v.palette = &palette_;
    return v;
}

Color Bitmap::PixelColor(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    BitmapView v = const_cast<Bitmap*>(this)->View();
    return ValueToColor(v, ReadPixelValue(v, x, y));
}

static QRgb ToQRgb(Color c) {
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

QImage Bitmap::ToQImage() const {
    if (width_ == 0 || height_ == 0) return QImage();
    switch (format_) {
    case PixelFormat::Rgb32:
        return QImage(pixels_.data(), width_, height_, stride_, QImage::Format_RGB32);
    case PixelFormat::Indexed8:
    case PixelFormat::Mono1: {
        const bool mono = format_ == PixelFormat::Mono1;
        QImage image(width_, height_, mono ? QImage::Format_Mono : QImage::Format_Indexed8);
        QList<QRgb> table;
        const int count = PaletteSize(format_);
        for (int i = 0; i < count; ++i) table.append(ToQRgb(palette_[static_cast<size_t>(i)]));
        image.setColorTable(table);
        const size_t bytes =
            mono ? static_cast<size_t>(width_ + 7) / 8 : static_cast<size_t>(width_);
        for (int32_t y = 0; y < height_; ++y) std::memcpy(image.scanLine(y), ScanLine(y), bytes);
        return image;
    }
    }
    return QImage();
}

Canvas& Bitmap::GetCanvas() {
    if (!canvas_) canvas_ = std::make_unique<Canvas>(*this);
    return *canvas_;
}

} // namespace plat
