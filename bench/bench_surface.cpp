// The drawing surface on a 1920x1080 page: whole-page composition, one live move of the
// stroke-order pen, replay of a page with 300 strokes, saving the page as JPEG, PNG and BMP,
// and the peak memory of it all.

#include "platform/raster/Bitmap.h"
#include "platform/raster/Canvas.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/PenList.h"
#include "strokes/Undo.h"
#include "surface/PenImage.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr int32_t kW = 1920;
constexpr int32_t kH = 1080;

std::unique_ptr<TPenImage> MakePage() {
    auto img = std::make_unique<TPenImage>();
    img->SetPictureSize(kW, kH);
    img->isFixed = true;
    plat::Bitmap page;
    page.SetSize(kW, kH);
    page.GetCanvas().brush = {0xFFFFFF, plat::BrushStyle::Solid};
    page.GetCanvas().FillRect({0, 0, kW, kH});
    img->BitmapLoad(page, true);
    return img;
}

// 300 strokes of 60 points: stroke-order strokes with their counters and discs, pens and
// highlighters, written as a pen walks (steps of 3 to 12 pixels).
void FillPage(TPenList& list) {
    std::mt19937 rng(42);
    for (int32_t s = 0; s < 300; ++s) {
        int32_t x = 100 + static_cast<int32_t>(rng() % (kW - 200));
        int32_t y = 100 + static_cast<int32_t>(rng() % (kH - 200));
        const int32_t kind = s % 3;
        if (kind == 0) list.AddRCount(s % 20);
        const int32_t color = kind == 0 ? FUDE_COLOR : kind == 1 ? 0x0000FF : 0x00FF00;
        const int32_t width = kind == 0 ? 32 : kind == 1 ? 4 : 16;
        const int32_t alpha = kind == 1 ? 255 : 100;
        list.AddPenDn(x, y, 0, color, 0, 2, width, alpha);
        for (int32_t i = 1; i < 60; ++i) {
            x += static_cast<int32_t>(rng() % 19) - 6;
            y += static_cast<int32_t>(rng() % 13) - 6;
            list.AddXY(x, y, PressureFull);
        }
        list.AddPenUp(kind == 0 ? PE_UP_ORDER : PE_UP);
    }
}

void BM_ComposeAllPage(benchmark::State& state) {
    auto img = MakePage();
    TPenList list;
    FillPage(list);
    img->PenList = &list;
    img->PenListPlay(false);
    for (auto _ : state) {
        img->ComposeAll();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeAllPage)->Unit(benchmark::kMicrosecond);

void BM_PlainCopyOfAPage(benchmark::State& state) {
    auto img = MakePage();
    const size_t bytes = static_cast<size_t>(img->Bitmap.Stride()) * kH;
    for (auto _ : state) {
        std::memcpy(img->Bitmap.ScanLine(0), img->BBitmap.ScanLine(0), bytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainCopyOfAPage)->Unit(benchmark::kMicrosecond);

// One pointer move of the stroke-order pen: the segment into both layers, its box
// composed and copied to the screen picture.
void BM_StrokeOrderPenMove(benchmark::State& state) {
    auto img = MakePage();
    img->DPenSet(FUDE_PEN);
    img->MMode = 2;
    img->MouseF = 2;
    std::mt19937 rng(3);
    plat::Point p{kW / 2, kH / 2};
    for (auto _ : state) {
        img->xy0 = p;
        p.x = std::clamp(p.x + static_cast<int32_t>(rng() % 17) - 8, 50, kW - 50);
        p.y = std::clamp(p.y + static_cast<int32_t>(rng() % 17) - 8, 50, kH - 50);
        img->xy1 = p;
        img->DrawSegment(PressureFull);
        img->RefreshRect(img->ComposeRect(true));
    }
}
BENCHMARK(BM_StrokeOrderPenMove)->Unit(benchmark::kMicrosecond);

void BM_PenListPlay300Strokes(benchmark::State& state) {
    auto img = MakePage();
    TPenList list;
    FillPage(list);
    img->PenList = &list;
    for (auto _ : state) {
        img->ClearLayers();
        img->PenListPlay(false);
    }
    state.counters["elements"] = list.Count();
}
BENCHMARK(BM_PenListPlay300Strokes)->Unit(benchmark::kMillisecond);

// Saving the page with its 300 strokes to a temporary folder: encoding and writing the file.
// Arg: 0 JPEG (the default quality 100, optimised Huffman tables), 1 PNG, 2 BMP.
void BM_BitmapSave(benchmark::State& state) {
    const int32_t savedQuality = JPEGQuality;
    JPEGQuality = 100;
    auto img = MakePage();
    TPenList list;
    FillPage(list);
    img->PenList = &list;
    img->PenListPlay(false);
    QTemporaryDir dir;
    const char* names[] = {"page.jpg", "page.png", "page.bmp"};
    const QString path = dir.filePath(QString::fromLatin1(names[state.range(0)]));
    for (auto _ : state) {
        if (!img->BitmapSave(path).isEmpty()) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetLabel(names[state.range(0)]);
    state.counters["file_KiB"] = static_cast<double>(QFileInfo(path).size()) / 1024.0;
    JPEGQuality = savedQuality;
}
BENCHMARK(BM_BitmapSave)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    // Peak memory of a page with its strokes on it, as the program holds it: one surface
    // (four layers and the screen picture), the 300-stroke list and the 256 undo slots
    // each holding a copy of it.
    {
        auto img = MakePage();
        TPenList list;
        FillPage(list);
        img->PenList = &list;
        img->PenListPlay(true);
        for (int i = 0; i < 256; ++i) UdoSave(list);
        std::printf("peak resident memory with a 1920x1080 page and 300 strokes: %ld KiB\n",
                    PeakResidentKiB());
    }
    return 0;
}
