#include "platform/raster/SpanSink.h"

#include <algorithm>
#include <cstring>

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

// 32-bit rows.
void Copy32(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    std::fill(reinterpret_cast<uint32_t*>(row) + x0, reinterpret_cast<uint32_t*>(row) + x1, v);
}
void Or32(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    uint32_t* p = reinterpret_cast<uint32_t*>(row);
    for (int32_t x = x0; x < x1; ++x) p[x] |= v;
}
void Xor32(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    uint32_t* p = reinterpret_cast<uint32_t*>(row);
    for (int32_t x = x0; x < x1; ++x) p[x] ^= v;
}
void And32(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    uint32_t* p = reinterpret_cast<uint32_t*>(row);
    for (int32_t x = x0; x < x1; ++x) p[x] &= v;
}

// 8-bit rows.
void Copy8(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    std::memset(row + x0, static_cast<int>(v & 0xFF), static_cast<size_t>(x1 - x0));
}
void Or8(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    const uint8_t b = static_cast<uint8_t>(v);
    for (int32_t x = x0; x < x1; ++x) row[x] |= b;
}
void Xor8(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    const uint8_t b = static_cast<uint8_t>(v);
    for (int32_t x = x0; x < x1; ++x) row[x] ^= b;
}
void And8(uint8_t* row, int32_t x0, int32_t x1, uint32_t v) {
    const uint8_t b = static_cast<uint8_t>(v);
    for (int32_t x = x0; x < x1; ++x) row[x] &= b;
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
