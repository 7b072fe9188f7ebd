// Composition of background, ink colour and ink coverage.

#include "surface/Compose.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using surface::ComposeBox;
using surface::ComposeBoxReference;
using surface::kNoInk;

namespace {

// Layers over plain buffers, with strides wider than the rows so that writes past a row's
// end would show up.
struct TestLayers {
    int32_t w, h;
    std::vector<uint32_t> background, colour, composite;
    std::vector<uint8_t> coverage;
    int32_t stride32, coverageStride;

    TestLayers(int32_t width, int32_t height, int32_t extraWords = 3, int32_t extraBytes = 5)
        : w(width), h(height), stride32(width + extraWords),
          coverageStride(2 * width + 2 + extraBytes) {
        background.assign(static_cast<size_t>(stride32) * h, 0x00FFFFFF);
        colour.assign(static_cast<size_t>(stride32) * h, kNoInk);
        composite.assign(static_cast<size_t>(stride32) * h, 0xDEADBEEF);
        coverage.assign(static_cast<size_t>(coverageStride) * (2 * h + 2), 0);
    }
    surface::ComposeLayers Views() {
        auto view32 = [&](std::vector<uint32_t>& v) {
            return plat::BitmapView{reinterpret_cast<uint8_t*>(v.data()),
                                    w,
                                    h,
                                    stride32 * 4,
                                    plat::PixelFormat::Rgb32,
                                    nullptr};
        };
        return {view32(background), view32(colour),
                plat::BitmapView{coverage.data(), 2 * w + 2, 2 * h + 2, coverageStride,
                                 plat::PixelFormat::Indexed8, nullptr},
                view32(composite)};
    }
    uint32_t& Colour(int x, int y) { return colour[static_cast<size_t>(y) * stride32 + x]; }
    uint32_t& Background(int x, int y) { return background[static_cast<size_t>(y) * stride32 + x]; }
    uint32_t Composite(int x, int y) const {
        return composite[static_cast<size_t>(y) * stride32 + x];
    }
    // Sets the 3x3 coverage around picture pixel (x, y) to one value.
    void FillCoverageAround(int x, int y, uint8_t value) {
        for (int cy = 2 * y; cy <= 2 * y + 2; ++cy)
            for (int cx = 2 * x; cx <= 2 * x + 2; ++cx)
                coverage[static_cast<size_t>(cy) * coverageStride + cx] = value;
    }
    void SetCoverage(int cx, int cy, uint8_t value) {
        coverage[static_cast<size_t>(cy) * coverageStride + cx] = value;
    }
};

uint32_t ComposeOne(uint32_t ink, uint32_t background, uint8_t coverage, bool is256 = false) {
    TestLayers layers(3, 3);
    layers.Colour(1, 1) = ink;
    layers.Background(1, 1) = background;
    layers.FillCoverageAround(1, 1, coverage);
    ComposeBox(layers.Views(), {1, 1, 1, 1}, is256);
    return layers.Composite(1, 1);
}

} // namespace

TEST(Compose, BlendArithmetic) {
    struct Case {
        uint32_t ink, background;
        uint8_t coverage;
        uint32_t expected;
    } cases[] = {
        {0x000000, 0xFFFFFF, 255, 0x000000}, // full black over white
        {0xFFFFFF, 0xFFFFFF, 255, 0xFEFEFE}, // divisor 256: full white ink gives 254
        {0x000000, 0xFFFFFF, 128, 0x7E7E7E}, // a = 128: 255 * 127 / 256 = 126
        {0x0000FF, 0xFFFFFF, 0, 0xFEFEFE},   // no coverage: background scaled by 255/256
        {0xFF0000, 0x000000, 255, 0xFE0000}, // red ink over black
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComposeOne(c.ink, c.background, c.coverage), c.expected) << std::hex << c.ink;
    }
}

TEST(Compose, GreyInkColourIsNoInkAndPaletteDisplayIgnoresCoverage) {
    // Ink of exactly 0x7F7F7F cannot be seen: the background shows whatever the coverage.
    EXPECT_EQ(ComposeOne(0x7F7F7F, 0x00ABCDEF, 255), 0x00ABCDEFu);
    // On a palette display inked pixels show their colour unblended.
    EXPECT_EQ(ComposeOne(0x000000FF, 0x00FFFFFF, 0, true), 0x000000FFu);
    EXPECT_EQ(ComposeOne(0x7F7F7F, 0x00FFFFFF, 0, true), 0x00FFFFFFu);
}

TEST(Compose, CoverageWeightsFollowTheOneTwoOneKernel) {
    // A single coverage value of 16 at the centre contributes 4 * 16 / 16 = 4;
    // at a corner 16 / 16 = 1; at an edge 2.
    struct Case {
        int cx, cy;
        uint32_t a;
    } cases[] = {{3, 3, 4}, {2, 2, 1}, {4, 4, 1}, {3, 2, 2}, {2, 3, 2}, {5, 3, 0}};
    for (const Case& c : cases) {
        TestLayers layers(3, 3);
        layers.Colour(1, 1) = 0x00FFFFFF;
        layers.Background(1, 1) = 0;
        layers.SetCoverage(c.cx, c.cy, 16);
        ComposeBox(layers.Views(), {1, 1, 1, 1}, false);
        const uint32_t expectedByte = (255 * c.a) / 256;
        EXPECT_EQ(layers.Composite(1, 1) & 0xFF, expectedByte) << c.cx << "," << c.cy;
    }
}

TEST(Compose, FastPathEqualsReferenceOnRandomLayers) {
    std::mt19937 rng(20261211);
    auto biasedByte = [&]() -> uint8_t {
        const uint32_t r = rng() % 4;
        if (r == 0) return 0x00;
        if (r == 1) return 0xFF;
        return static_cast<uint8_t>(rng());
    };
    auto biasedWord = [&]() -> uint32_t {
        if (rng() % 3 == 0) return kNoInk;
        return static_cast<uint32_t>(biasedByte()) | (static_cast<uint32_t>(biasedByte()) << 8) |
               (static_cast<uint32_t>(biasedByte()) << 16);
    };
    const int32_t sizes[][2] = {{1, 1}, {1, 7}, {7, 1}, {13, 9}, {64, 3}, {31, 17}, {101, 5}};
    for (bool is256 : {false, true}) {
        for (const auto& size : sizes) {
            TestLayers fast(size[0], size[1]);
            for (auto& v : fast.background) v = biasedWord() & 0x00FFFFFF;
            for (auto& v : fast.colour) v = biasedWord();
            for (auto& v : fast.coverage) v = biasedByte();
            TestLayers ref = fast;
            const surface::PixelBox all{0, 0, size[0] - 1, size[1] - 1};
            ComposeBox(fast.Views(), all, is256);
            ComposeBoxReference(ref.Views(), all, is256);
            for (int y = 0; y < size[1]; ++y)
                for (int x = 0; x < size[0]; ++x)
                    ASSERT_EQ(fast.Composite(x, y), ref.Composite(x, y))
                        << "size " << size[0] << "x" << size[1] << " at " << x << "," << y
                        << " ink " << std::hex << fast.Colour(x, y) << " bg "
                        << fast.Background(x, y) << " is256 " << is256;
            // Nothing outside the rows was touched (the stride padding keeps its marker).
            for (int y = 0; y < size[1]; ++y)
                for (int x = size[0]; x < fast.stride32; ++x)
                    ASSERT_EQ(fast.composite[static_cast<size_t>(y) * fast.stride32 + x],
                              0xDEADBEEFu);
        }
    }
}

TEST(Compose, OnlyTheBoxIsWritten) {
    TestLayers layers(20, 10);
    for (auto& v : layers.colour) v = 0x000000;
    std::fill(layers.coverage.begin(), layers.coverage.end(), 255);
    ComposeBox(layers.Views(), {5, 2, 9, 4}, false);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 5 && x <= 9 && y >= 2 && y <= 4;
            EXPECT_EQ(layers.Composite(x, y), inside ? 0u : 0xDEADBEEFu) << x << "," << y;
        }
}
