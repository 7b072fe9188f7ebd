#pragma once
// Exact integer helpers for the scan converters. Products of two 64-bit values are formed
// in 128 bits (a GCC/Clang extension; a compiler without it needs its own MulCompare).

#include <cstdint>

namespace plat {

__extension__ using Int128 = __int128;

// Floor and ceiling of a / b for b > 0.
constexpr Int128 FloorDiv(Int128 a, Int128 b) {
    const Int128 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
constexpr Int128 CeilDiv(Int128 a, Int128 b) {
    const Int128 q = a / b;
    return (a % b != 0 && a > 0) ? q + 1 : q;
}

constexpr int64_t Clamp64(Int128 v, int64_t lo, int64_t hi) {
    return v < lo ? lo : (v > hi ? hi : static_cast<int64_t>(v));
}

} // namespace plat
