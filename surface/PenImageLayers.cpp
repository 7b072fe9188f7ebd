// TPenImage: layers, composition, view mapping and display.

#include "platform/raster/Canvas.h"
#include "platform/ui/Application.h"
#include "platform/ui/Display.h"
#include "settings/PenModel.h"
#include "settings/PlatformHelpers.h"
#include "strokes/PenList.h"
#include "strokes/Undo.h"
#include "surface/Compose.h"
#include "surface/PenImage.h"
#include "surface/ViewMapping.h"

#include <algorithm>

using plat::Rect;

TPenImage::TPenImage(QWidget* owner) : plat::TImage(owner) {
    is256 = plat::IsPaletteDisplay();
    BackColor = 0;
    bai = 1.0;
    PBitmap.GetCanvas().font.height = 30;
    ABitmap.SetPalette(plat::GreyPalette());
    ABitmap.GetCanvas().font.height = 60;
    BitmapSet(0, 0);
    xy.clear();
    PL_UP = PE_UP;
    FIsPenDown = false;
    isErase = 0;
}

TPenImage::~TPenImage() = default;

void TPenImage::BitmapSet(int32_t x, int32_t y) {
    x = std::max(x, 0);
    y = std::max(y, 0);
    sw = x;
    sh = y;
    Bitmap.SetSize(x, y);
    PBitmap.SetSize(x, y);
    BBitmap.SetSize(x, y);
    ABitmap.SetSize(2 * x + 2, 2 * y + 2);
}

void TPenImage::BitmapLoad(const plat::Bitmap& pict, bool e) {
    BitmapSet(pict.Width(), pict.Height());
    plat::Canvas& canvas = BBitmap.GetCanvas();
    canvas.brush = {0xFFFFFF, plat::BrushStyle::Solid};
    canvas.FillRect({0, 0, sw, sh});
    canvas.Draw(0, 0, pict);
    if (e) BitmapInit();
}

void TPenImage::WBrdLoad(int32_t w, int32_t h) {
    BitmapSet(w, h);
    BoardPaint(BBitmap, sw, sh);
    BitmapInit();
}

void TPenImage::BitmapInit() {
    MouseF = 0;
    px = 0;
    py = 0;
    bai = 1.0;
    BitmapErase(true);
}

void TPenImage::BitmapErase(bool isInit) {
    ClearLayers();
    if (PenColor == FUDE_COLOR) PenCounter = 0;
    if (!isInit && PenList) {
        PenList->Clear();
        UdoSave(*PenList);
    }
}

void TPenImage::ClearLayers() {
    plat::Canvas& coverage = ABitmap.GetCanvas();
    coverage.pen = {plat::PaletteIndex(0), 1, plat::PenStyle::Solid, plat::PenMode::Copy};
    coverage.brush = {plat::PaletteIndex(0), plat::BrushStyle::Solid};
    coverage.Rectangle(0, 0, 2 * sw + 2, 2 * sh + 2);

    plat::Canvas& colour = PBitmap.GetCanvas();
    colour.pen = {surface::kNoInk, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
    colour.brush = {surface::kNoInk, plat::BrushStyle::Solid};
    colour.Rectangle(0, 0, sw, sh);

    Bitmap.GetCanvas().Draw(0, 0, BBitmap);
}

TComposeBox TPenImage::ComposeRect(bool g) {
    TComposeBox box;
    if (g) {
        box.x1 = std::min(xy0.x, xy1.x);
        box.x2 = std::max(xy0.x, xy1.x);
        box.y1 = std::min(xy0.y, xy1.y);
        box.y2 = std::max(xy0.y, xy1.y);
    } else if (!xy.empty()) {
        box.x1 = box.x2 = xy.front().x;
        box.y1 = box.y2 = xy.front().y;
        for (const plat::Point& p : xy) {
            box.x1 = std::min(box.x1, p.x);
            box.x2 = std::max(box.x2, p.x);
            box.y1 = std::min(box.y1, p.y);
            box.y2 = std::max(box.y2, p.y);
        }
    }
    const int32_t w = PenWidth / 2 + 3;
    box.w = w;
    const int32_t width = Bitmap.Width();
    const int32_t height = Bitmap.Height();
    box.x1 = std::min(std::max(box.x1, w), width - w);
    box.x2 = std::max(std::min(box.x2, width - w), w);
    box.y1 = std::min(std::max(box.y1, w), height - w);
    box.y2 = std::max(std::min(box.y2, height - w), w);

    // In pictures smaller than twice the margin the box is limited to the picture.
    surface::PixelBox pixels{std::max(box.x1 - w, 0), std::max(box.y1 - w, 0),
                             std::min(box.x2 + w - 1, width - 1),
                             std::min(box.y2 + w - 1, height - 1)};
    if (pixels.x1 <= pixels.x2 && pixels.y1 <= pixels.y2) {
        surface::ComposeBox({BBitmap.View(), PBitmap.View(), ABitmap.View(), Bitmap.View()}, pixels,
                            is256);
    }
    return box;
}

void TPenImage::ComposeAll() {
    xy0 = {0, 0};
    xy1 = {sw, sh};
    ComposeRect(true);
}

namespace {

void CopyToScreen(plat::TImage& control, const plat::Bitmap& composite,
                  const surface::CopyPlan& plan) {
    if (plan.src.IsEmpty() || plan.dest.IsEmpty()) return;
    control.ScreenCanvas().StretchDraw(plan.dest, composite, plan.src);
    control.Invalidate(plan.dest);
}

} // namespace

void TPenImage::RefreshRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t w) {
    const surface::CopyPlan plan =
        surface::RefreshPlan({px, py, bai}, x1, y1, x2, y2, w, Bitmap.Width(), Bitmap.Height());
    CopyToScreen(*this, Bitmap, plan);
}

void TPenImage::BitmapDispAll() {
    plat::ProcessMessages();
    const surface::FullRedrawPlan plan =
        surface::FullRedraw({px, py, bai}, isFixed, Bitmap.Width(), Bitmap.Height(),
                            Picture().Width(), Picture().Height());
    px = plan.view.px;
    py = plan.view.py;
    CopyToScreen(*this, Bitmap, plan.copy);
    plat::Canvas& screen = ScreenCanvas();
    screen.pen = {BackColor, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
    screen.brush = {BackColor, plat::BrushStyle::Solid};
    for (const Rect& margin : plan.margins) {
        screen.Rectangle(margin.left, margin.top, margin.right, margin.bottom);
        Invalidate(margin);
    }
}

void TPenImage::BitmapDisp() {
    if (isFixed)
        BitmapDispAll();
    else
        BitmapDispCenter();
}

void TPenImage::BitmapDisp2() {
    BitmapDispAll();
}

void TPenImage::BitmapDispCenter() {
    if (sw <= 0) return;
    const surface::ViewState view = surface::FitView(sw, sh, Picture().Width(), Picture().Height());
    px = view.px;
    py = view.py;
    bai = view.bai;
    BitmapDispAll();
}

void TPenImage::BitmapToImage() {
    const Rect all{0, 0, Picture().Width(), Picture().Height()};
    if (sw > 0 && sh > 0 && !all.IsEmpty()) ScreenCanvas().StretchDraw(all, Bitmap, {0, 0, sw, sh});
    InvalidateAll();
}

plat::Point TPenImage::ScreenToPicture(int32_t x, int32_t y) const {
    return surface::ScreenToPicture({px, py, bai}, x, y);
}
