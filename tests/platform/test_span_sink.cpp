// The span sinks against their pixel-by-pixel reference on seeded random input.
#include "RasterTestUtil.h"
#include "platform/raster/SpanSink.h"

#include <gtest/gtest.h>
#include <random>

namespace plat {
namespace {

uint32_t Biased(std::mt19937& rng, uint32_t mask) {
    switch (rng() % 4) {
    case 0:
        return 0;
    case 1:
        return 0xFFFFFFFFu & mask;
    default:
        return rng() & mask;
    }
}

TEST(SpanSink, MatchesPixelReferenceForEveryFormatAndOp) {
    std::mt19937 rng(20240611);
    const PixelFormat formats[] = {PixelFormat::Rgb32, PixelFormat::Indexed8, PixelFormat::Mono1};
    const SpanOp ops[] = {SpanOp::Copy, SpanOp::Or, SpanOp::Xor, SpanOp::And};
    for (PixelFormat format : formats) {
        const uint32_t mask = format == PixelFormat::Rgb32      ? 0x00FFFFFFu
                              : format == PixelFormat::Indexed8 ? 0xFFu
                                                                : 1u;
        for (int round = 0; round < 600; ++round) {
            // Odd widths, widths of 1, partial 1-bit bytes, and spans long enough for the
            // 16-byte blocks of the wide writers and their overlapping last block.
            const int32_t w = 1 + int32_t(rng() % 80);
            auto fast = test::MakeBitmap(format, w, 3);
            auto ref = test::MakeBitmap(format, w, 3);
            BitmapView fv = fast->View(), rv = ref->View();
            for (int32_t y = 0; y < 3; ++y)
                for (int32_t x = 0; x < w; ++x) {
                    const uint32_t v = Biased(rng, mask);
                    WritePixelReference(fv, x, y, v, SpanOp::Copy);
                    WritePixelReference(rv, x, y, v, SpanOp::Copy);
                }
            const SpanOp op = ops[rng() % 4];
            const uint32_t value = Biased(rng, mask);
            const int32_t x0 = int32_t(rng() % uint32_t(w));
            const int32_t x1 = x0 + 1 + int32_t(rng() % uint32_t(w - x0));
            const int32_t y = int32_t(rng() % 3);
            SpanSink sink(fv, value, op);
            sink.AddSpan(y, x0, x1);
            for (int32_t x = x0; x < x1; ++x) WritePixelReference(rv, x, y, value, op);
            for (int32_t yy = 0; yy < 3; ++yy)
                for (int32_t x = 0; x < w; ++x)
                    ASSERT_EQ(test::Value(*fast, x, yy), test::Value(*ref, x, yy))
                        << "format " << int(format) << " op " << int(op) << " value " << value
                        << " width " << w << " span y " << y << " x " << x0 << ".." << x1 << " at "
                        << x << "," << yy;
        }
    }
}

} // namespace
} // namespace plat
