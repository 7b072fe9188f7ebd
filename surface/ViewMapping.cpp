#include "surface/ViewMapping.h"

#include "platform/Rnd.h"

#include <algorithm>
#include <cmath>

namespace surface {

using plat::Rnd;

plat::Point PictureToScreen(const ViewState& view, plat::Point p) {
    return {Rnd(p.x * view.bai) + view.px, Rnd(p.y * view.bai) + view.py};
}

plat::Point ScreenToPicture(const ViewState& view, int32_t x, int32_t y) {
    return {Rnd((x - view.px) / view.bai), Rnd((y - view.py) / view.bai)};
}

plat::Rect PictureRectToScreen(const ViewState& view, const plat::Rect& r) {
    return {Rnd(r.left * view.bai) + view.px, Rnd(r.top * view.bai) + view.py,
            Rnd(r.right * view.bai) + view.px, Rnd(r.bottom * view.bai) + view.py};
}

namespace {

// Clips a picture rectangle to the picture; the screen rectangle follows the clipped one,
// which is what clipping the copy itself does.
CopyPlan PlanFor(const ViewState& view, plat::Rect src, int32_t pictureW, int32_t pictureH) {
    src.left = std::clamp(src.left, 0, pictureW);
    src.right = std::clamp(src.right, src.left, pictureW);
    src.top = std::clamp(src.top, 0, pictureH);
    src.bottom = std::clamp(src.bottom, src.top, pictureH);
    return {src, PictureRectToScreen(view, src)};
}

} // namespace

CopyPlan RefreshPlan(const ViewState& view, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     int32_t w, int32_t pictureW, int32_t pictureH) {
    // Integer division truncates toward zero, as the block grid of the full redraw does.
    const plat::Rect blocks{((x1 - w) / 10) * 10, ((y1 - w) / 10) * 10, ((x2 + w) / 10 + 1) * 10,
                            ((y2 + w) / 10 + 1) * 10};
    return PlanFor(view, blocks, pictureW, pictureH);
}

namespace {

// One axis of the fixed-view adjustment.
int32_t FixedOffset(int32_t offset, double bai, int32_t pictureLen, int32_t controlLen) {
    const double scaled = pictureLen * bai;
    if (controlLen > scaled) return Rnd(controlLen - scaled) / 2;
    if (offset > 0) offset = 0;
    if (controlLen > offset + scaled) offset = controlLen - Rnd(scaled);
    return offset;
}

int32_t FirstBlock(int32_t offset, double bai) {
    if (offset >= 0) return 0;
    return -static_cast<int32_t>(std::trunc(offset / (bai * 10))) * 10;
}

int32_t EndBlock(int32_t first, int32_t offset, double bai, int32_t pictureLen,
                 int32_t controlLen) {
    if (controlLen >= pictureLen * bai + offset) return pictureLen;
    const double blocks = std::trunc(controlLen / (bai * 10) + 2);
    return static_cast<int32_t>(std::min<double>(pictureLen, blocks * 10 + first));
}

} // namespace

FullRedrawPlan FullRedraw(const ViewState& view, bool isFixed, int32_t w, int32_t h, int32_t cw,
                          int32_t ch) {
    FullRedrawPlan plan;
    plan.view = view;
    if (isFixed) {
        plan.view.px = FixedOffset(view.px, view.bai, w, cw);
        plan.view.py = FixedOffset(view.py, view.bai, h, ch);
    }
    const ViewState& v = plan.view;
    const int32_t left = FirstBlock(v.px, v.bai);
    const int32_t top = FirstBlock(v.py, v.bai);
    const int32_t right = EndBlock(left, v.px, v.bai, w, cw);
    const int32_t bottom = EndBlock(top, v.py, v.bai, h, ch);
    plan.copy = PlanFor(v, {left, top, right, bottom}, w, h);

    const plat::Rect& d = plan.copy.dest;
    if (d.left > 0) plan.margins.push_back({0, 0, d.left, ch});
    if (d.top > 0) plan.margins.push_back({0, 0, cw, d.top});
    if (cw > d.right) plan.margins.push_back({d.right, 0, cw, ch});
    if (ch > d.bottom) plan.margins.push_back({0, d.bottom, cw, ch});
    return plan;
}

ViewState FitView(int32_t sw, int32_t sh, int32_t cw, int32_t ch) {
    ViewState view;
    if (sw <= 0 || sh <= 0 || cw <= 0 || ch <= 0) return view; // nothing to fit into
    view.bai = std::min(static_cast<double>(cw) / sw, static_cast<double>(ch) / sh);
    view.px = (cw - Rnd(sw * view.bai)) / 2;
    view.py = (ch - Rnd(sh * view.bai)) / 2;
    return view;
}

} // namespace surface
