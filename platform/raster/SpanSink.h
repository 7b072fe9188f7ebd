#pragma once
// Span sinks: the only code that writes pixels of the primitives. A scan converter emits
// horizontal runs; a sink writes them for one bitmap format and one raster operation.

#include "platform/raster/Bitmap.h"

#include <cstdint>

namespace plat {

enum class SpanOp : uint8_t { Copy, Or, Xor, And };

// Receives the run of pixels x0..x1-1 on row y. Producers clip before they emit, so a
// receiver sees only x0 < x1 inside the clip rectangle it was given.
class SpanReceiver {
public:
    virtual ~SpanReceiver() = default;
    virtual void AddSpan(int32_t y, int32_t x0, int32_t x1) = 0;
};

// Writes spans into a view: value is a stored pixel value (see PixelValueFor).
class SpanSink final : public SpanReceiver {
public:
    SpanSink(const BitmapView& view, uint32_t value, SpanOp op);
    void AddSpan(int32_t y, int32_t x0, int32_t x1) override;

    using WriteFn = void (*)(uint8_t* row, int32_t x0, int32_t x1, uint32_t value);

private:
    uint8_t* data_;
    int32_t stride_;
    uint32_t value_;
    WriteFn write_;
};

// The plain pixel-by-pixel form of the same writes, kept as the reference for the sinks.
void WritePixelReference(const BitmapView& view, int32_t x, int32_t y, uint32_t value, SpanOp op);

} // namespace plat
