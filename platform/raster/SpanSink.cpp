#include "platform/raster/SpanSink.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plat {
namespace {

uint32_t Combine(uint32_t stored, uint32_t value, SpanOp op) {
    switch (op) {
    case SpanOp::Copy:
        return value;
    case SpanOp::Or:
        return stored | value;
    case SpanOp::Xor:
        return stored ^ value;
    case SpanOp::And:
        return stored & value;
    }
    return stored;
}

// Long spans are written 16 bytes at a time. OR, AND and copy give the same byte when
// applied twice, so a span's ragged ends are covered by blocks that overlap the aligned
// ones, and short spans by two overlapping words; XOR finishes byte by byte.
enum class WordOp { Copy, Or, Xor, And };

template <WordOp op, class T> inline T Apply(T stored, T v) {
    if constexpr (op == WordOp::Copy)
        return v;
    else if constexpr (op == WordOp::Or)
        return stored | v;
    else if constexpr (op == WordOp::Xor)
        return stored ^ v;
    else
        return stored & v;
}

#if defined(__SSE2__)
template <WordOp op> inline __m128i ApplyVec(__m128i stored, __m128i v) {
    if constexpr (op == WordOp::Copy)
        return v;
    else if constexpr (op == WordOp::Or)
        return _mm_or_si128(stored, v);
    else if constexpr (op == WordOp::Xor)
        return _mm_xor_si128(stored, v);
    else
        return _mm_and_si128(stored, v);
}
inline __m128i Load16(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void Store16(uint8_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}
#endif

template <class T> inline T Load(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof(T));
    return v;
}
template <class T> inline void Store(uint8_t* p, T v) {
    std::memcpy(p, &v, sizeof(T));
}

// Applies op with the repeated pattern (a 32-bit word holding four copies of a byte, or
// one pixel) to n bytes at p; on 32-bit rows n is a whole number of pixels. The
// overlapping last block is read before the blocks before it are stored, so that no load
// waits on a store it only partly overlaps.
template <WordOp op> void ApplyPattern(uint8_t* p, size_t n, uint32_t pattern) {
    constexpr bool kRepeatable = op != WordOp::Xor;
    const uint64_t pattern64 = uint64_t{pattern} << 32 | pattern;
#if defined(__SSE2__)
    if (n >= 16) {
        const __m128i v = _mm_set1_epi32(static_cast<int>(pattern));
        if constexpr (kRepeatable) {
            // Aligned blocks inside, then the unaligned first and last blocks (read before
            // anything is stored) over the ragged ends.
            const __m128i first = ApplyVec<op>(Load16(p), v);
            const __m128i last = ApplyVec<op>(Load16(p + n - 16), v);
            const size_t skip = (16 - (reinterpret_cast<uintptr_t>(p) & 15)) & 15;
            const unsigned rotate = unsigned(skip & 3) * 8; // keep the pixel phase
            const uint32_t aligned =
                rotate ? (pattern >> rotate) | (pattern << (32 - rotate)) : pattern;
            const __m128i va = _mm_set1_epi32(static_cast<int>(aligned));
            for (size_t i = skip; i + 16 <= n; i += 16) {
                __m128i* q = reinterpret_cast<__m128i*>(p + i);
                _mm_store_si128(q, ApplyVec<op>(_mm_load_si128(q), va));
            }
            Store16(p, first);
            Store16(p + n - 16, last);
            return;
        } else {
            size_t i = 0;
            for (; i + 16 <= n; i += 16) Store16(p + i, ApplyVec<op>(Load16(p + i), v));
            p += i;
            n -= i;
        }
    }
#endif
    if constexpr (kRepeatable) {
        if (n >= 8) {
            // 8..15 bytes (more without SSE2): whole words and one overlapping word.
            const uint64_t last = Apply<op>(Load<uint64_t>(p + n - 8), pattern64);
            for (size_t i = 0; i + 8 < n; i += 8)
                Store(p + i, Apply<op>(Load<uint64_t>(p + i), pattern64));
            Store(p + n - 8, last);
            return;
        }
        if (n >= 4) {
            const uint32_t first = Apply<op>(Load<uint32_t>(p), pattern);
            const uint32_t last = Apply<op>(Load<uint32_t>(p + n - 4), pattern);
            Store(p, first);
            Store(p + n - 4, last);
            return;
        }
    } else {
        for (; n >= 8; p += 8, n -= 8) Store(p, Apply<op>(Load<uint64_t>(p), pattern64));
        if (n >= 4) {
            Store(p, Apply<op>(Load<uint32_t>(p), pattern));
            p += 4;
            n -= 4;
        }
    }
    // Fewer than 4 bytes are left only on byte rows.
    for (size_t i = 0; i < n; ++i) p[i] = Apply<op>(p[i], static_cast<uint8_t>(pattern));
}

uint32_t Repeat8(uint32_t v) {
    return (v & 0xFFu) * 0x01010101u;
}

// 32-bit rows.
void Copy32(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    ApplyPattern<WordOp::Copy>(row + size_t(x0) * 4, size_t(x1 - x0) * 4, v);
}
void Or32(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    ApplyPattern<WordOp::Or>(row + size_t(x0) * 4, size_t(x1 - x0) * 4, v);
}
void Xor32(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    ApplyPattern<WordOp::Xor>(row + size_t(x0) * 4, size_t(x1 - x0) * 4, v);
}
void And32(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    ApplyPattern<WordOp::And>(row + size_t(x0) * 4, size_t(x1 - x0) * 4, v);
}

// 8-bit rows.
void Copy8(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    std::memset(row + x0, static_cast<int>(v & 0xFF), static_cast<size_t>(x1 - x0));
}
void Or8(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    ApplyPattern<WordOp::Or>(row + x0, size_t(x1 - x0), Repeat8(v));
}
void Xor8(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    ApplyPattern<WordOp::Xor>(row + x0, size_t(x1 - x0), Repeat8(v));
}
void And8(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    ApplyPattern<WordOp::And>(row + x0, size_t(x1 - x0), Repeat8(v));
}

// 1-bit rows, most significant bit first. Every raster operation with a one-bit value is
// one of: set the bits, clear them, flip them, or leave them.
enum class BitAction { Set, Clear, Flip };

template <BitAction action> void ApplyBits(uint8_t* row, int32_t x0, int32_t x1) {
    auto apply = [](uint8_t& byte, uint8_t mask) {
        if constexpr (action == BitAction::Set)
            byte |= mask;
        else if constexpr (action == BitAction::Clear)
            byte &= static_cast<uint8_t>(~mask);
        else
            byte ^= mask;
    };
    const int32_t firstByte = x0 >> 3;
    const int32_t lastByte = (x1 - 1) >> 3;
    const uint8_t headMask = static_cast<uint8_t>(0xFFu >> (x0 & 7));
    const uint8_t tailMask = static_cast<uint8_t>(0xFF00u >> (((x1 - 1) & 7) + 1));
    if (firstByte == lastByte) {
        apply(row[firstByte], static_cast<uint8_t>(headMask & tailMask));
        return;
    }
    apply(row[firstByte], headMask);
    const int32_t full = lastByte - firstByte - 1;
    if (full > 0) {
        uint8_t* mid = row + firstByte + 1;
        if constexpr (action == BitAction::Set)
            std::memset(mid, 0xFF, static_cast<size_t>(full));
        else if constexpr (action == BitAction::Clear)
            std::memset(mid, 0, static_cast<size_t>(full));
        else
            for (int32_t i = 0; i < full; ++i) mid[i] = static_cast<uint8_t>(~mid[i]);
    }
    apply(row[lastByte], tailMask);
}

void SetBits(uint8_t* row, int32_t x0, int32_t x1, uint32_t) {
    ApplyBits<BitAction::Set>(row, x0, x1);
}
void ClearBits(uint8_t* row, int32_t x0, int32_t x1, uint32_t) {
    ApplyBits<BitAction::Clear>(row, x0, x1);
}
void FlipBits(uint8_t* row, int32_t x0, int32_t x1, uint32_t) {
    ApplyBits<BitAction::Flip>(row, x0, x1);
}
void KeepBits(uint8_t*, int32_t, int32_t, uint32_t) {}

SpanSink::WriteFn MonoWriter(uint32_t bit, SpanOp op) {
    switch (op) {
    case SpanOp::Copy:
        return bit ? SetBits : ClearBits;
    case SpanOp::Or:
        return bit ? SetBits : KeepBits;
    case SpanOp::Xor:
        return bit ? FlipBits : KeepBits;
    case SpanOp::And:
        return bit ? KeepBits : ClearBits;
    }
    return KeepBits;
}

SpanSink::WriteFn Writer(PixelFormat format, uint32_t value, SpanOp op) {
    static constexpr SpanSink::WriteFn k32[] = {Copy32, Or32, Xor32, And32};
    static constexpr SpanSink::WriteFn k8[] = {Copy8, Or8, Xor8, And8};
    switch (format) {
    case PixelFormat::Rgb32:
        return k32[static_cast<int>(op)];
    case PixelFormat::Indexed8:
        return k8[static_cast<int>(op)];
    case PixelFormat::Mono1:
        return MonoWriter(value & 1u, op);
    }
    return KeepBits;
}

} // namespace

SpanSink::SpanSink(const BitmapView& view, uint32_t value, SpanOp op)
    : data_(view.data), stride_(view.stride), value_(value),
      write_(Writer(view.format, value, op)) {}

void SpanSink::AddSpan(int32_t y, int32_t x0, int32_t x1) {
    write_(data_ + static_cast<ptrdiff_t>(y) * stride_, x0, x1, value_);
}

void WritePixelReference(const BitmapView& view, int32_t x, int32_t y, uint32_t value, SpanOp op) {
    switch (view.format) {
    case PixelFormat::Rgb32: {
        uint32_t& p = view.Row32(y)[x];
        p = Combine(p, value, op);
        break;
    }
    case PixelFormat::Indexed8: {
        uint8_t& p = view.Row(y)[x];
        p = static_cast<uint8_t>(Combine(p, value & 0xFF, op));
        break;
    }
    case PixelFormat::Mono1: {
        uint8_t& byte = view.Row(y)[x >> 3];
        const int shift = 7 - (x & 7);
        const uint32_t bit = Combine((byte >> shift) & 1u, value & 1u, op) & 1u;
        byte = static_cast<uint8_t>((byte & ~(1u << shift)) | (bit << shift));
        break;
    }
    }
}

} // namespace plat
