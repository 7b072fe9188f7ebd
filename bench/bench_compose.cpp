// Composition of a whole 1920x1080 page, beside a plain copy of the same bytes (the
// memory-bandwidth floor for writing the composite).

#include "surface/Compose.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int32_t kW = 1920;
constexpr int32_t kH = 1080;

struct Page {
    std::vector<uint32_t> background, colour, composite;
    std::vector<uint8_t> coverage;
    explicit Page(double inkedShare) {
        const size_t n = static_cast<size_t>(kW) * kH;
        background.assign(n, 0x00FFFFFF);
        colour.assign(n, surface::kNoInk);
        composite.assign(n, 0);
        coverage.assign(static_cast<size_t>(2 * kW + 2) * (2 * kH + 2), 0);
        // Ink as horizontal runs of stroke-like lengths until the share is reached.
        std::mt19937 rng(7);
        size_t inked = 0;
        while (inked < inkedShare * n) {
            const int32_t y = static_cast<int32_t>(rng() % kH);
            const int32_t x = static_cast<int32_t>(rng() % kW);
            const int32_t len = std::min<int32_t>(8 + static_cast<int32_t>(rng() % 40), kW - x);
            const uint32_t ink = rng() & 0x00FFFFFF;
            for (int32_t i = 0; i < len; ++i) colour[static_cast<size_t>(y) * kW + x + i] = ink;
            for (int32_t cy = 2 * y; cy <= 2 * y + 2; ++cy)
                std::memset(&coverage[static_cast<size_t>(cy) * (2 * kW + 2) + 2 * x], 200,
                            static_cast<size_t>(2 * len + 1));
            inked += static_cast<size_t>(len);
        }
    }
    surface::ComposeLayers Views() {
        auto view32 = [](std::vector<uint32_t>& v) {
            return plat::BitmapView{reinterpret_cast<uint8_t*>(v.data()), kW, kH, kW * 4,
                                    plat::PixelFormat::Rgb32, nullptr};
        };
        return {view32(background), view32(colour),
                plat::BitmapView{coverage.data(), 2 * kW + 2, 2 * kH + 2, 2 * kW + 2,
                                 plat::PixelFormat::Indexed8, nullptr},
                view32(composite)};
    }
};

void BM_ComposeAll(benchmark::State& state) {
    Page page(static_cast<double>(state.range(0)) / 100.0);
    const auto layers = page.Views();
    for (auto _ : state) {
        surface::ComposeBox(layers, {0, 0, kW - 1, kH - 1}, false);
        benchmark::DoNotOptimize(page.composite.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(state.range(0)) + "% of pixels inked");
}
BENCHMARK(BM_ComposeAll)->Arg(0)->Arg(10)->Arg(30)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_PlainCopyOfThePage(benchmark::State& state) {
    Page page(0.0);
    for (auto _ : state) {
        std::memcpy(page.composite.data(), page.background.data(), page.composite.size() * 4);
        benchmark::DoNotOptimize(page.composite.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainCopyOfThePage)->Unit(benchmark::kMicrosecond);

} // namespace
