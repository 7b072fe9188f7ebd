// TPenImage: tool modes, pointer gestures and the pen cursors.
//
// A gesture runs from a press to its release: MouseDown / MouseMove / MouseUp are the
// control's handlers, PointerDown / PointerMove / PointerUp the gesture steps. Freehand
// and eraser strokes are drawn into the layers as the pointer moves and recorded in the
// stroke list as they go; each finished gesture records one undo snapshot.

#include "platform/Rnd.h"
#include "platform/raster/Canvas.h"
#include "platform/ui/CursorSlots.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/PenList.h"
#include "strokes/Undo.h"
#include "surface/PenImage.h"
#include "surface/PointerRules.h"
#include "surface/ViewMapping.h"

#include <algorithm>
#include <array>
#include <cmath>

using plat::MouseButton;
using plat::Point;
using plat::ShiftState;

namespace {


constexpr int kCursorDefault = 0;
constexpr int kCursorEraser = 10;
constexpr int kCursorLasso = 13;

constexpr plat::Color kPreviewColor = 0x888888;

// Stroke-order discs: light grey with black digits at the start, inverted at the end.
constexpr plat::Color kDiscLight = 0xEEEEEE;
constexpr plat::Color kDiscDark = 0x000000;

// Pixels of the recoloured pen cursor (the pen tip), by shade of the pen colour.
struct TipPixel {
    int x, y;
};
constexpr std::array<TipPixel, 14> kTipFull = {{{0, 0},
                                                {1, 1},
                                                {2, 1},
                                                {3, 1},
                                                {4, 1},
                                                {2, 2},
                                                {3, 2},
                                                {4, 2},
                                                {5, 2},
                                                {3, 3},
                                                {4, 3},
                                                {5, 3},
                                                {3, 4},
                                                {4, 4}}};
constexpr std::array<TipPixel, 3> kTip098 = {{{2, 3}, {2, 4}, {3, 5}}};
constexpr std::array<TipPixel, 4> kTip073 = {{{1, 2}, {1, 3}, {1, 4}, {2, 5}}};
constexpr std::array<TipPixel, 12> kTip059 = {{{1, 0},
                                               {2, 0},
                                               {3, 0},
                                               {4, 0},
                                               {0, 1},
                                               {5, 1},
                                               {0, 2},
                                               {6, 2},
                                               {0, 3},
                                               {0, 4},
                                               {1, 5},
                                               {2, 6}}};

template <size_t N>
void PaintTip(plat::CursorImage& image, const std::array<TipPixel, N>& pixels, plat::Color c) {
    for (const TipPixel& p : pixels) image.SetPixel(p.x, p.y, c);
}

} // namespace

// --- tool modes ---

void TPenImage::SetMMode(uint8_t m, bool b) {
    // Changing away from or to the lasso drops a selection: the strokes go back into the
    // picture, rebuilt from nothing so that nothing the selection left behind remains.
    if ((MMode == kModeLasso || m == kModeLasso) && PenList && PenList->Selected) {
        PenList->SelectNone();
        ClearLayers();
        PenListPlay(false);
        UdoSave(*PenList);
    }
    if (m == kModePen || m == kModeEraser || m == kModeLasso) MMode = m;

    switch (MMode) {
    case kModePen:
        SetCursorSlot(PenCursor(PenAlpha, PenColor));
        break;
    case kModeEraser:
        DEraseSet();
        SetCursorSlot(kCursorEraser);
        break;
    case kModeLasso:
        SetCursorSlot(kCursorLasso);
        break;
    default:
        SetCursorSlot(kCursorDefault);
        break;
    }

    if (b) BShift = 0;
    // A gesture cut short here (a right-button erase during a pen stroke) must not leave
    // the pointer hidden.
    if (MouseF == surface::kGesturePen || surface::IsShapeGesture(MouseF))
        plat::SetPointerHidden(false);
    MouseF = surface::kGestureNone;
}

int TPenImage::PenCursor(int32_t alpha, int32_t color) {
    const surface::PenCursorChoice choice = surface::PenCursorFor(alpha, color);
    if (!choice.recolour) return choice.slot;
    const plat::CursorImage* loaded = plat::SlotCursorImage(choice.slot);
    if (loaded == nullptr) return choice.slot; // the cursor set is not loaded (yet)

    // The template cursor's tip is painted in the pen colour and three darker shades; its
    // mask and hot spot stay as they are.
    plat::CursorImage image = *loaded;
    const uint32_t c = static_cast<uint32_t>(color) & 0xFFFFFFu;
    PaintTip(image, kTipFull, c);
    PaintTip(image, kTip098, surface::ScaleColor(c, 0.98));
    PaintTip(image, kTip073, surface::ScaleColor(c, 0.73));
    PaintTip(image, kTip059, surface::ScaleColor(c, 0.59));
    plat::SetSlotCursor(choice.slot, image);
    return choice.slot;
}

// --- control handlers ---

void TPenImage::MouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y) {
    plat::TImage::MouseDown(button, shift, x, y);
    if (FOnPenDown) FOnPenDown(button, shift, x, y);
    if (PBitmap.Width() <= 0) return;

    if (button == MouseButton::Left) {
        FIsPenDown = true;
        PresPos = {x, y};
        LastP = PressureFull;
        // The first point of every gesture has pressure 0.
        PointerDown(x, y, 0, shift);
    } else if (button == MouseButton::Right && (MMode == kModePen || MMode == kModeEraser)) {
        isErase = 3;
        EraseMMode = MMode;
        SetMMode(kModeEraser, false);
        ApplyCursorNow();
        FIsPenDown = true;
        PL_UP = PE_UP;
        PointerDown(x, y, 0, shift);
    }
}

void TPenImage::MouseMove(ShiftState shift, int32_t x, int32_t y) {
    plat::TImage::MouseMove(shift, x, y);
    int32_t p = PressureFull;
    if (MouseF == surface::kGesturePen) {
        const double d =
            std::hypot(static_cast<double>(x) - PresPos.x, static_cast<double>(y) - PresPos.y);
        LastP = surface::SpeedPressureStep(LastP, d);
        PresPos = {x, y};
        p = LastP;
    }
    PointerMove(x, y, p, shift);
}

void TPenImage::MouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y) {
    plat::TImage::MouseUp(button, shift, x, y);
    if (button == MouseButton::Left) {
        FIsPenDown = false;
        PointerUp();
    } else if (button == MouseButton::Right) {
        if (isErase == 3) {
            FIsPenDown = false;
            PointerUp();
            if (EraseMMode == kModePen) {
                // Back to the current pen record (also after the stroke-order pen).
                DPenSet(CrPen);
                SetMMode(kModePen, false);
                ApplyCursorNow();
            }
        }
        isErase = 0;
    }
    if (FOnPenUp) FOnPenUp(button, shift, x, y);
}

// --- gesture steps ---

void TPenImage::PointerDown(int32_t x, int32_t y, int32_t p, ShiftState shift) {
    if (MouseF != surface::kGestureNone) return; // a gesture is already in progress
    MouseF = MMode;

    if (MMode == kModeLasso) {
        LassoStart(x, y);
        return;
    }
    // Without a tool there is nothing to draw or record.
    if (MMode != kModePen && MMode != kModeEraser) return;

    if (MMode == kModePen) {
        plat::SetPointerHidden(true);
        MouseF = surface::PenGestureFor(shift | BShift);
        if (PenColor == FUDE_COLOR) PenCounter = (PenCounter + 1) % 994;
    }
    xy0 = xy1 = ScreenToPicture(x, y);

    if (MouseF == surface::kGesturePen && Pentype == 1) {
        xy.clear();
        xy.push_back(xy0);
        PreviewLine(plat::PenMode::Mask);
    } else if (surface::IsShapeGesture(MouseF)) {
        ShapeGestureStart();
    } else {
        // Freehand pens leave a dot at once. The eraser erases one too, as its replay does,
        // so that a click with the eraser clears a spot and replay equals what was drawn.
        DrawSegment(p);
        RefreshRect(ComposeRect(true));
    }

    // Circles and ellipses record their own header when they are committed.
    if (MouseF != surface::kGestureCircle && MouseF != surface::kGestureEllipse && PenList)
        PenList->AddPenDn(xy0.x, xy0.y, p, PenColor, Pentype, MMode, PenWidth, PenAlpha);
}

void TPenImage::PointerMove(int32_t x, int32_t y, int32_t p, ShiftState shift) {
    if (MouseF == surface::kGesturePen || MouseF == surface::kGestureEraser) {
        xy1 = ScreenToPicture(x, y);
        if (MouseF == surface::kGesturePen && Pentype == 1) {
            xy.push_back(xy1);
            PreviewLine(plat::PenMode::Mask);
        } else {
            DrawSegment(p);
            RefreshRect(ComposeRect(true));
        }
        xy0 = xy1;
        if (PenList) PenList->AddXY(xy1.x, xy1.y, p);
    } else if (MouseF == surface::kGestureLasso) {
        LassoMove(x, y);
    } else if (surface::IsShapeGesture(MouseF)) {
        ShapeGestureMove(x, y, shift);
    }
}

void TPenImage::PointerUp() {
    if (MouseF == surface::kGesturePen || MouseF == surface::kGestureEraser) {
        const bool pen = MouseF == surface::kGesturePen;
        if (pen) plat::SetPointerHidden(false);
        if (pen && Pentype == 1) FinishSmoothStroke();
        if (PenList) {
            PenList->AddPenUp(PL_UP);
            // The discs go with the numbered pen-up, exactly where replay draws them: the
            // smoothed rainbow pen shares the stroke-order colour but not its pen-up.
            if (pen && PenColor == FUDE_COLOR && PL_UP == PE_UP_ORDER) {
                const int32_t count = PenList->Count();
                const Point first = PenList->NearP_DN(count, 1);
                ShowOrderNumber(first.x, first.y, kDiscLight, kDiscDark);
                if (EndNumber) {
                    const Point last = PenList->NearP_UP(count, 1);
                    ShowOrderNumber(last.x, last.y, kDiscDark, kDiscLight);
                }
            }
            UdoSave(*PenList);
        }
    } else if (MouseF == surface::kGestureLasso) {
        LassoEnd();
    } else if (surface::IsShapeGesture(MouseF)) {
        plat::SetPointerHidden(false);
        ShapeGestureEnd();
        if (PenList) UdoSave(*PenList);
    }
    MouseF = surface::kGestureNone;
}

void TPenImage::PreviewLine(plat::PenMode mode) {
    const surface::ViewState view{px, py, bai};
    const Point s0 = surface::PictureToScreen(view, xy0);
    const Point s1 = surface::PictureToScreen(view, xy1);
    const int32_t width = plat::Rnd(PenWidth * bai);

    plat::Canvas& screen = ScreenCanvas();
    const plat::Pen previous = screen.pen;
    screen.pen = {kPreviewColor, width, plat::PenStyle::Solid, mode};
    screen.MoveTo(s0.x, s0.y);
    screen.LineTo(s1.x, s1.y);
    screen.pen = previous;
    screen.pen.mode = plat::PenMode::Copy;

    const int32_t reach = width / 2 + 2;
    Invalidate({std::min(s0.x, s1.x) - reach, std::min(s0.y, s1.y) - reach,
                std::max(s0.x, s1.x) + reach + 1, std::max(s0.y, s1.y) + reach + 1});
}

// --- shape gestures and lasso: their own work goes here ---

void TPenImage::ShapeGestureStart() {
    // Shapes are drawn here: the line gesture shows its first XOR preview at the press.
}

void TPenImage::ShapeGestureMove(int32_t /*x*/, int32_t /*y*/, plat::ShiftState /*shift*/) {
    // Shapes are drawn here: the XOR preview follows the pointer (and a circle turns into
    // an arc when Ctrl and Alt are no longer both held).
}

void TPenImage::ShapeGestureEnd() {
    // Shapes are drawn here: the finished shape is drawn into the layers and recorded.
}

void TPenImage::LassoStart(int32_t /*x*/, int32_t /*y*/) {
    // The lasso is drawn here: drop the selection, replay, and start the lasso path.
}

void TPenImage::LassoMove(int32_t /*x*/, int32_t /*y*/) {
    // The lasso is drawn here: extend the lasso path.
}

void TPenImage::LassoEnd() {
    // The lasso is drawn here: select the strokes inside the lasso.
}
