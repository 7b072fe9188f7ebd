#pragma once
// A drawing surface on a white 200 x 150 page with an empty stroke list, driven through
// its pointer handlers exactly as the control receives them. Module state (settings, pen
// model, undo history) starts from its defaults in every test; the history is seeded with
// the empty page, as a page switch does.

#include "platform/raster/Bitmap.h"
#include "platform/raster/Canvas.h"
#include "platform/ui/CursorSlots.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/PenList.h"
#include "strokes/Undo.h"
#include "surface/Compose.h"
#include "surface/PenImage.h"

#include <cstring>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <vector>

namespace surfacetest {

inline constexpr int32_t kPageW = 200;
inline constexpr int32_t kPageH = 150;
inline constexpr uint32_t kWhite = 0x00FFFFFF;

// Every byte of a bitmap's rows (padding included: it must stay equal too).
inline std::vector<uint8_t> Bytes(const plat::Bitmap& bitmap) {
    std::vector<uint8_t> out(static_cast<size_t>(bitmap.Stride()) * bitmap.Height());
    if (!out.empty()) std::memcpy(out.data(), bitmap.ScanLine(0), out.size());
    return out;
}

struct LayerBytes {
    std::vector<uint8_t> composite, colour, coverage;
    friend bool operator==(const LayerBytes&, const LayerBytes&) = default;
};

// Pixel word of a 32-bit layer (0x00RRGGBB) and value of the coverage layer.
inline uint32_t Px(const plat::Bitmap& bitmap, int32_t x, int32_t y) {
    return bitmap.Row32(y)[x];
}
inline uint8_t Cov(const plat::Bitmap& coverage, int32_t x, int32_t y) {
    return coverage.ScanLine(y)[x];
}

inline int32_t CountWhere(const plat::Bitmap& bitmap, uint32_t word, bool equal) {
    int32_t n = 0;
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            if ((bitmap.Row32(y)[x] == word) == equal) ++n;
    return n;
}

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool udoReady = (UdoInit(), true);
        (void)udoReady;
        SettingsDefaultsSet();
        PenModelDefaultsSet();
        UdoReset();
        plat::ClearCursorSlots();
        plat::SetPointerHidden(false);
        Make();
    }

    void TearDown() override { plat::SetPointerHidden(false); }

    // (Re)creates the surface; call again after changing settings that the pen reads.
    void Make() {
        list.Clear();
        img = std::make_unique<TPenImage>();
        img->SetPictureSize(kPageW, kPageH);
        img->isFixed = true;
        plat::Bitmap page;
        page.SetSize(kPageW, kPageH);
        plat::Canvas& canvas = page.GetCanvas();
        canvas.brush = {0xFFFFFF, plat::BrushStyle::Solid};
        canvas.FillRect({0, 0, kPageW, kPageH});
        img->BitmapLoad(page, true);
        img->PenList = &list;
        img->BitmapDisp();
        UdoSave(list);
        UsePen({0x0000FF, 4, PEN_KIND_PEN});
    }

    void UsePen(const TPenType& pen) {
        CrPen = pen;
        img->DPenSet(pen);
        img->SetMMode(2, true);
    }

    // The stroke-order pen command: per-stroke colour, numbered pen-up, count from 0.
    void UseStrokeOrderPen() {
        img->DPenSet(FUDE_PEN);
        img->PL_UP = PE_UP_ORDER;
        PenCounter = 0;
        list.AddRCount(0);
        img->SetMMode(2, true);
    }

    void Stroke(std::initializer_list<plat::Point> points,
                plat::MouseButton button = plat::MouseButton::Left, plat::ShiftState shift = 0) {
        const plat::Point* p = points.begin();
        img->MouseDown(button, shift, p->x, p->y);
        for (++p; p != points.end(); ++p) img->MouseMove(shift, p->x, p->y);
        const plat::Point end = *(points.end() - 1);
        img->MouseUp(button, shift, end.x, end.y);
    }

    LayerBytes Layers() const {
        return {Bytes(img->Bitmap), Bytes(img->PBitmap), Bytes(img->ABitmap)};
    }

    std::vector<TPenE> Elements() const {
        std::vector<TPenE> out;
        for (int32_t i = 0; i < list.Count(); ++i) out.push_back(list.PenE(i));
        return out;
    }

    int32_t CountKind(int32_t kind) const {
        int32_t n = 0;
        for (const TPenE& e : Elements())
            if (e.x == kind) ++n;
        return n;
    }

    TPenList list;
    std::unique_ptr<TPenImage> img;
};

} // namespace surfacetest
