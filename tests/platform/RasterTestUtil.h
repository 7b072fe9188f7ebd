#pragma once
// Small helpers shared by the raster tests.

#include "platform/raster/Bitmap.h"
#include "platform/raster/Pixels.h"

#include <cstdint>
#include <memory>
#include <set>
#include <utility>

namespace plat::test {

using PixelSet = std::set<std::pair<int32_t, int32_t>>; // (x, y)

inline std::unique_ptr<Bitmap> MakeBitmap(PixelFormat format, int32_t w, int32_t h) {
    auto bmp = std::make_unique<Bitmap>(format);
    bmp->SetSize(w, h);
    return bmp;
}

inline uint32_t Value(Bitmap& bmp, int32_t x, int32_t y) {
    return ReadPixelValue(bmp.View(), x, y);
}

// Pixels whose stored value differs from background.
inline PixelSet Inked(Bitmap& bmp, uint32_t background = 0) {
    PixelSet set;
    for (int32_t y = 0; y < bmp.Height(); ++y)
        for (int32_t x = 0; x < bmp.Width(); ++x)
            if (Value(bmp, x, y) != background) set.insert({x, y});
    return set;
}

} // namespace plat::test
