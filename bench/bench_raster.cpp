// Wide round-ended segments, as live drawing and replay produce them: our rasteriser
// against QPainter (aliased, round caps) on the same segments and bitmap sizes. Times are
// per segment (items_per_second); compare ours/QPainter of the same width and target.
#include "platform/raster/Canvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

constexpr int kW = 1920, kH = 1080;

struct Segment {
    int x0, y0, x1, y1;
};

// A fixed pseudo-random walk of pen moves of 2..40 pixels, with every 50th move a long
// stroke across the picture.
const std::vector<Segment>& Segments() {
    static const std::vector<Segment> segments = [] {
        std::mt19937 rng(12345);
        std::vector<Segment> s;
        int x = kW / 2, y = kH / 2;
        for (int i = 0; i < 4000; ++i) {
            int nx, ny;
            if (i % 50 == 49) {
                nx = int(rng() % kW);
                ny = int(rng() % kH);
            } else {
                const double angle = (rng() % 3600) * 3.14159265358979 / 1800;
                const double len = 2 + rng() % 39;
                nx = std::clamp(int(x + len * std::cos(angle)), 0, kW - 1);
                ny = std::clamp(int(y + len * std::sin(angle)), 0, kH - 1);
            }
            s.push_back({x, y, nx, ny});
            x = nx;
            y = ny;
        }
        return s;
    }();
    return segments;
}

void EnsureApp() {
    static int argc = 1;
    static char name[] = "bench_raster";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

void Ours(benchmark::State& state, plat::PixelFormat format, plat::PenMode mode) {
    const int width = int(state.range(0));
    plat::Bitmap bmp(format);
    bmp.SetSize(kW, kH);
    plat::Canvas& c = bmp.GetCanvas();
    c.pen = {format == plat::PixelFormat::Rgb32 ? plat::Rgb(200, 30, 60) : plat::PaletteIndex(0x55),
             width, plat::PenStyle::Solid, mode};
    const auto& segs = Segments();
    for (auto _ : state) {
        for (const Segment& s : segs) {
            c.MoveTo(s.x0, s.y0);
            c.LineTo(s.x1, s.y1);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(segs.size()));
}

void Qt(benchmark::State& state, QImage::Format format) {
    EnsureApp();
    const int width = int(state.range(0));
    QImage image(kW, kH, format);
    image.fill(0);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(200, 30, 60), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const auto& segs = Segments();
    for (auto _ : state) {
        for (const Segment& s : segs) painter.drawLine(s.x0, s.y0, s.x1, s.y1);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(segs.size()));
}

void OursRgb32Copy(benchmark::State& s) {
    Ours(s, plat::PixelFormat::Rgb32, plat::PenMode::Copy);
}
void OursIndexed8Merge(benchmark::State& s) {
    Ours(s, plat::PixelFormat::Indexed8, plat::PenMode::Merge);
}
void QPainterRgb32(benchmark::State& s) {
    Qt(s, QImage::Format_RGB32);
}
void QPainterGrayscale8(benchmark::State& s) {
    Qt(s, QImage::Format_Grayscale8);
}

BENCHMARK(OursRgb32Copy)->Arg(33)->Arg(63)->Unit(benchmark::kMillisecond);
BENCHMARK(QPainterRgb32)->Arg(33)->Arg(63)->Unit(benchmark::kMillisecond);
BENCHMARK(OursIndexed8Merge)->Arg(33)->Arg(63)->Unit(benchmark::kMillisecond);
BENCHMARK(QPainterGrayscale8)->Arg(33)->Arg(63)->Unit(benchmark::kMillisecond);

} // namespace
