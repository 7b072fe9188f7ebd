#include "surface/Compose.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)

namespace {

// Eight neighbouring pixels at once with 16-bit lanes; the same integer arithmetic as
// BlendPixel, so the results are identical.
//   coverage: for pixel i the columns 2i, 2i+1, 2i+2 of three rows; even and odd columns
//   are split into separate 16-bit lanes, summed 1-2-1 down the rows, then 1-2-1 across.
inline void Blend8(const ComposeLayers& layers, const uint32_t* src, const uint32_t* bg,
                   uint32_t* out, int32_t x, int32_t y, bool is256) {
    const __m128i noInk = _mm_set1_epi32(static_cast<int>(kNoInk));
    const __m128i s0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x));
    const __m128i s1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x + 4));
    const __m128i g0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bg + x));
    const __m128i g1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bg + x + 4));
    const __m128i m0 = _mm_cmpeq_epi32(s0, noInk);
    const __m128i m1 = _mm_cmpeq_epi32(s1, noInk);
    __m128i o0, o1;
    if (is256) {
        o0 = s0;
        o1 = s1;
    } else {
        const __m128i lowBytes = _mm_set1_epi16(0x00FF);
        __m128i even = _mm_setzero_si128(); // columns 2i
        __m128i odd = _mm_setzero_si128();  // columns 2i + 1
        __m128i next = _mm_setzero_si128(); // columns 2i + 2
        for (int r = 0; r < 3; ++r) {
            const uint8_t* row = layers.coverage.Row(2 * y + r) + 2 * x;
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 2));
            __m128i e = _mm_and_si128(a, lowBytes);
            __m128i o = _mm_srli_epi16(a, 8);
            __m128i n = _mm_and_si128(b, lowBytes);
            if (r == 1) { // the middle row weighs twice
                e = _mm_slli_epi16(e, 1);
                o = _mm_slli_epi16(o, 1);
                n = _mm_slli_epi16(n, 1);
            }
            even = _mm_add_epi16(even, e);
            odd = _mm_add_epi16(odd, o);
            next = _mm_add_epi16(next, n);
        }
        const __m128i sum = _mm_add_epi16(_mm_add_epi16(even, next), _mm_slli_epi16(odd, 1));
        const __m128i alpha = _mm_srli_epi16(sum, 4); // a of pixels 0..7
        const __m128i full = _mm_set1_epi16(255);
        const __m128i zero = _mm_setzero_si128();
        auto blendPair = [&](__m128i s, __m128i g, __m128i aPair) {
            const __m128i bPair = _mm_sub_epi16(full, aPair);
            const __m128i sw = _mm_unpacklo_epi8(s, zero);
            const __m128i gw = _mm_unpacklo_epi8(g, zero);
            return _mm_srli_epi16(
                _mm_add_epi16(_mm_mullo_epi16(sw, aPair), _mm_mullo_epi16(gw, bPair)), 8);
        };
        auto blend4 = [&](__m128i s, __m128i g, __m128i a4) {
            // a4 holds a of four pixels in its low four lanes; spread each over 4 channels.
            const __m128i a2 = _mm_unpacklo_epi16(a4, a4);  // a0 a0 a1 a1 a2 a2 a3 a3
            const __m128i aLo = _mm_unpacklo_epi32(a2, a2); // a0 x4, a1 x4
            const __m128i aHi = _mm_unpackhi_epi32(a2, a2); // a2 x4, a3 x4
            const __m128i lo = blendPair(s, g, aLo);
            const __m128i hi = blendPair(_mm_srli_si128(s, 8), _mm_srli_si128(g, 8), aHi);
            return _mm_packus_epi16(lo, hi);
        };
        o0 = blend4(s0, g0, alpha);
        o1 = blend4(s1, g1, _mm_srli_si128(alpha, 8));
    }
    o0 = _mm_or_si128(_mm_and_si128(m0, g0), _mm_andnot_si128(m0, o0));
    o1 = _mm_or_si128(_mm_and_si128(m1, g1), _mm_andnot_si128(m1, o1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), o0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x + 4), o1);
}

} // namespace

#endif

void ComposeBox(const ComposeLayers& layers, PixelBox box, bool is256) {
    if (box.x2 < box.x1) return;
    constexpr int32_t kChunk = 8;
    for (int32_t y = box.y1; y <= box.y2; ++y) {
        const uint32_t* src = layers.colour.Row32(y);
        const uint32_t* bg = layers.background.Row32(y);
        uint32_t* out = layers.composite.Row32(y);
        int32_t x = box.x1;
        // Most of a page carries no ink: whole chunks without ink are copied from the
        // background; a chunk with any ink is blended.
        for (; x + kChunk - 1 <= box.x2; x += kChunk) {
            uint32_t inked = 0;
            for (int32_t i = 0; i < kChunk; ++i) inked |= src[x + i] ^ kNoInk;
            if (inked == 0) {
                std::memcpy(out + x, bg + x, kChunk * 4);
                continue;
            }
#if defined(__SSE2__)
            Blend8(layers, src, bg, out, x, y, is256);
#else
            for (int32_t i = 0; i < kChunk; ++i) BlendPixel(layers, src, bg, out, x + i, y, is256);
#endif
        }
        for (; x <= box.x2; ++x) BlendPixel(layers, src, bg, out, x, y, is256);
    }
}

} // namespace surface
