#include "surface/Compose.h"

#include <cstring>

namespace surface {

namespace {

// Weighted 3x3 coverage sum around coverage pixel (2x+1, 2y+1), divided by 16.
inline uint32_t CoverageAlpha(const plat::BitmapView& coverage, int32_t x, int32_t y) {
    const uint8_t* r0 = coverage.Row(2 * y) + 2 * x;
    const uint8_t* r1 = r0 + coverage.stride;
    const uint8_t* r2 = r1 + coverage.stride;
    const uint32_t s = r0[0] + 2u * r0[1] + r0[2] + 2u * r1[0] + 4u * r1[1] + 2u * r1[2] + r2[0] +
                       2u * r2[1] + r2[2];
    return s >> 4;
}

} // namespace

void ComposeBoxReference(const ComposeLayers& layers, PixelBox box, bool is256) {
    for (int32_t y = box.y1; y <= box.y2; ++y) {
        const uint8_t* src = layers.colour.Row(y);
        const uint8_t* bg = layers.background.Row(y);
        uint8_t* out = layers.composite.Row(y);
        for (int32_t x = box.x1; x <= box.x2; ++x) {
            const uint8_t* s = src + 4 * x;
            const uint8_t* g = bg + 4 * x;
            uint8_t* o = out + 4 * x;
            uint32_t sWord;
            std::memcpy(&sWord, s, 4);
            if (sWord == kNoInk) {
                std::memcpy(o, g, 4);
            } else if (is256) {
                std::memcpy(o, s, 4);
            } else {
                const uint32_t a = CoverageAlpha(layers.coverage, x, y);
                const uint32_t b = 255 - a;
                for (int i = 0; i < 3; ++i)
                    o[i] = static_cast<uint8_t>((s[i] * a + g[i] * b) / 256);
                o[3] = 0;
            }
        }
    }
}

namespace {

inline void BlendPixel(const ComposeLayers& layers, const uint32_t* src, const uint32_t* bg,
                       uint32_t* out, int32_t x, int32_t y, bool is256) {
    const uint32_t s = src[x];
    if (s == kNoInk) {
        out[x] = bg[x];
    } else if (is256) {
        out[x] = s;
    } else {
        const uint32_t g = bg[x];
        const uint32_t a = CoverageAlpha(layers.coverage, x, y);
        const uint32_t b = 255 - a;
        // Blue and red share one multiply, green takes another; every 16-bit lane holds at
        // most 255 * 255, so the lanes never carry into each other.
        const uint32_t rb = (((s & 0x00FF00FFu) * a + (g & 0x00FF00FFu) * b) >> 8) & 0x00FF00FFu;
        const uint32_t gr = ((((s >> 8) & 0xFFu) * a + ((g >> 8) & 0xFFu) * b) >> 8) & 0xFFu;
        out[x] = rb | (gr << 8);
    }
}

} // namespace

void ComposeBox(const ComposeLayers& layers, PixelBox box, bool is256) {
    if (box.x2 < box.x1) return;
    constexpr int32_t kChunk = 8;
    for (int32_t y = box.y1; y <= box.y2; ++y) {
        const uint32_t* src = layers.colour.Row32(y);
        const uint32_t* bg = layers.background.Row32(y);
        uint32_t* out = layers.composite.Row32(y);
        int32_t x = box.x1;
        // Most of a page carries no ink: whole chunks without ink are copied from the
        // background; a chunk with any ink goes pixel by pixel.
        for (; x + kChunk - 1 <= box.x2; x += kChunk) {
            uint32_t inked = 0;
            for (int32_t i = 0; i < kChunk; ++i) inked |= src[x + i] ^ kNoInk;
            if (inked == 0) {
                std::memcpy(out + x, bg + x, kChunk * 4);
            } else {
                for (int32_t i = 0; i < kChunk; ++i)
                    BlendPixel(layers, src, bg, out, x + i, y, is256);
            }
        }
        for (; x <= box.x2; ++x) BlendPixel(layers, src, bg, out, x, y, is256);
    }
}

} // namespace surface
