#include "settings/PlatformHelpers.h"

#include "platform/raster/Canvas.h"
#include "settings/Settings.h"

void BoardPaint(plat::Bitmap& bitmap, int32_t width, int32_t height) {
    plat::Canvas& canvas = bitmap.GetCanvas();
    canvas.pen = {WBBrushColor, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
    canvas.brush = {WBBrushColor, plat::BrushStyle::Solid};
    canvas.Rectangle(0, 0, width, height);

    canvas.pen = {WBPenColor, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
    // A spacing below 1 would never reach the far edge; such a grid is not drawn.
    if (WBHorizontalLine && WBHWidth >= 1) {
        for (int64_t y = 0; y < height;) {
            y += WBHWidth;
            canvas.MoveTo(0, static_cast<int32_t>(y));
            canvas.LineTo(width, static_cast<int32_t>(y));
        }
    }
    if (WBVerticalLine && WBVWidth >= 1) {
        for (int64_t x = 0; x < width;) {
            x += WBVWidth;
            canvas.MoveTo(static_cast<int32_t>(x), 0);
            canvas.LineTo(static_cast<int32_t>(x), height);
        }
    }
}
