// TPenImage: replay of the page's stroke list. The list is walked once, front to back,
// driving the same drawing steps that drew the strokes live; the layers are composed and
// shown once at the end. Selected strokes are drawn in black into a one-bit selection
// image instead, which becomes the selection box.

#include "platform/raster/Canvas.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/PenList.h"
#include "surface/PenImage.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int32_t kStrokeOrderCycle = 994;

constexpr plat::Color kDiscLight = 0xEEEEEE;
constexpr plat::Color kDiscDark = 0x000000;

// Which point the walk expects next.
enum class PlayState : int8_t {
    None = 0,           // before the first header: points are ignored
    First = 1,          // first point of a drawn stroke
    Further = 2,        // further point of a drawn stroke
    SelectedFirst = -1, // first point of a selected stroke
    SelectedFurther = -2,
};

} // namespace

void TPenImage::PlayDown(int32_t x, int32_t y, int32_t p) {
    MouseF = MMode;
    if (MMode == kModePen && PenColor == FUDE_COLOR)
        PenCounter = (PenCounter + 1) % kStrokeOrderCycle;
    xy0 = {x, y};
    xy.clear();
    xy.push_back(xy0);
    xy1 = xy0;
    if (!(MouseF == kModePen && Pentype == 1)) DrawSegment(p);
}

void TPenImage::PlayMove(int32_t x, int32_t y, int32_t p) {
    xy1 = {x, y};
    xy.push_back(xy1);
    if (!(MouseF == kModePen && Pentype == 1)) DrawSegment(p);
    xy0 = xy1;
}

void TPenImage::PlayUp() {
    if (MouseF == kModePen && Pentype == 1) DrawSmoothStroke();
    MouseF = 0;
}

void TPenImage::PenListPlay(bool b) {
    const uint8_t savedMouseF = MouseF;
    const uint8_t savedMMode = MMode;
    const int32_t savedPentype = Pentype;
    const int32_t savedPenColor = PenColor;
    const int32_t savedPenWidth = PenWidth;
    const int32_t savedPenAlpha = PenAlpha;

    auto selection = std::make_unique<plat::Bitmap>(plat::PixelFormat::Mono1);
    selection->SetSize(sw, sh);
    plat::Canvas& sel = selection->GetCanvas();
    sel.brush = {0xFFFFFF, plat::BrushStyle::Solid};
    sel.FillRect({0, 0, sw, sh});
    sel.pen = {0x000000, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
    SelBounds bounds{sw, 0, sh, 0};
    auto widen = [&bounds](int32_t x, int32_t y) {
        bounds.minX = std::min(bounds.minX, x);
        bounds.maxX = std::max(bounds.maxX, x);
        bounds.minY = std::min(bounds.minY, y);
        bounds.maxY = std::max(bounds.maxY, y);
    };

    plat::Point start{0, 0};
    plat::Point last{0, 0};
    PlayState state = PlayState::None;
    bool numbered = false; // the current stroke is a drawn stroke of the stroke-order pen
    const int32_t n = PenList ? PenList->Count() : 0;
    PenCounter = 0;

    for (int32_t i = 0; i < n; ++i) {
        const TPenE e = PenList->PenE(i);
        if (PenEIsPoint(e.x)) {
            switch (state) {
            case PlayState::None:
                break;
            case PlayState::First:
                start = last = {e.x, e.y};
                PlayDown(e.x, e.y, e.p);
                state = PlayState::Further;
                break;
            case PlayState::Further:
                PlayMove(e.x, e.y, e.p);
                last = {e.x, e.y};
                break;
            case PlayState::SelectedFirst:
                widen(e.x, e.y);
                sel.MoveTo(e.x, e.y);
                state = PlayState::SelectedFurther;
                break;
            case PlayState::SelectedFurther:
                widen(e.x, e.y);
                sel.LineTo(e.x, e.y);
                last = {e.x, e.y};
                break;
            }
            continue;
        }
        switch (e.x) {
        case PE_DN:
            // A stroke that never got its pen-up (cut short by a right-button erase) was
            // never finished live either: it ends here without its smoothing.
            MouseF = 0;
            Pentype = e.t;
            MMode = e.m & PE_MODE_MASK;
            numbered = false;
            if ((e.m & PE_SELECTED) != 0) {
                state = PlayState::SelectedFirst;
                sel.pen.width = e.w;
            } else {
                state = PlayState::First;
                PenColor = e.c;
                PenWidth = e.w;
                PenAlpha = e.a;
                numbered = MMode == kModePen && PenColor == FUDE_COLOR;
            }
            break;
        case PE_UP:
            PlayUp();
            break;
        case PE_UP_ORDER:
            PlayUp();
            // Discs belong to drawn strokes of the stroke-order pen, as live: not to an
            // eraser stroke that got the numbered pen-up, and not to a selected stroke,
            // which is lifted out of the picture with its discs until the selection ends.
            if (numbered) {
                DrawOrderNumber(start.x, start.y, kDiscLight, kDiscDark);
                if (EndNumber) DrawOrderNumber(last.x, last.y, kDiscDark, kDiscLight);
            }
            break;
        case PE_RCOUNT:
            PenCounter = e.y;
            break;
        default:
            break;
        }
    }

    if (n > 1) ComposeAll();

    Pentype = savedPentype;
    MMode = savedMMode;
    PenColor = savedPenColor;
    PenWidth = savedPenWidth;
    PenAlpha = savedPenAlpha;

    if (b)
        BitmapDisp();
    else
        BitmapDisp2();

    SelBoxShow(std::move(selection), bounds);

    MouseF = savedMouseF;
    MMode = savedMMode;
}

void TPenImage::SelBoxShow(std::unique_ptr<plat::Bitmap> image, const SelBounds& /*bounds*/) {
    // The selection box is built and shown here (lasso work); for now the image is only
    // released.
    image.reset();
}
