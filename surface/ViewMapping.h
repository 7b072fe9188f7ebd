#pragma once
// Where the picture sits on the control: the screen position (px, py) of picture pixel
// (0, 0) and the scale bai (screen pixels per picture pixel). Pure geometry: these
// functions say which picture rectangle goes to which screen rectangle; the surface does
// the copying.

#include "platform/raster/Geometry.h"

#include <vector>

namespace surface {

struct ViewState {
    int32_t px = 0;
    int32_t py = 0;
    double bai = 1.0;
};

// Screen point of picture point p: (Rnd(p.x * bai) + px, Rnd(p.y * bai) + py).
plat::Point PictureToScreen(const ViewState& view, plat::Point p);
// Picture point under screen point (x, y): (Rnd((x - px) / bai), Rnd((y - py) / bai)).
plat::Point ScreenToPicture(const ViewState& view, int32_t x, int32_t y);

struct CopyPlan {
    plat::Rect src;  // picture rectangle, clipped to the picture
    plat::Rect dest; // screen rectangle it is stretched onto
};

// Screen rectangle of a picture rectangle.
plat::Rect PictureRectToScreen(const ViewState& view, const plat::Rect& r);

// The copy for a composed box (x1, y1)-(x2, y2) with margin w, snapped outward to the
// 10-pixel block grid and clipped to a picture of pictureW x pictureH.
CopyPlan RefreshPlan(const ViewState& view, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     int32_t w, int32_t pictureW, int32_t pictureH);

struct FullRedrawPlan {
    ViewState view;                  // the view after the redraw (offsets may change)
    CopyPlan copy;                   // the visible part of the picture
    std::vector<plat::Rect> margins; // screen rectangles to paint in the back colour
};

// Full redraw of a picture of w x h on a control of cw x ch. With isFixed the offsets are
// adjusted: a control wider (taller) than the picture centres it, otherwise the picture is
// kept covering the control.
FullRedrawPlan FullRedraw(const ViewState& view, bool isFixed, int32_t w, int32_t h, int32_t cw,
                          int32_t ch);

// Scale and offsets that fit a picture of sw x sh into a control of cw x ch, centred.
ViewState FitView(int32_t sw, int32_t sh, int32_t cw, int32_t ch);

} // namespace surface
