// TPenImage: stroke-order numbers. The number of the stroke being drawn is PenCounter; a
// stroke-order stroke shows it in a disc at its start (and, with EndNumber, at its end),
// drawn into the colour layer and, at twice the size, into the coverage layer.

#include "platform/Rnd.h"
#include "platform/raster/Canvas.h"
#include "settings/PenModel.h"
#include "strokes/PenList.h"
#include "surface/PenImage.h"

#include <QString>
#include <cmath>

void TPenImage::PenOrderAdd(int32_t r) {
    // A negative count (a word of fewer than two characters) keeps numbering on.
    if (r < 0) return;
    PenCounter = r;
    if (PenList) PenList->AddRCount(r);
}

TComposeBox TPenImage::DrawOrderNumber(int32_t x, int32_t y, plat::Color fillColor,
                                       plat::Color lineColor) {
    const QString text = QString::number(PenCounter);
    plat::Canvas& colour = PBitmap.GetCanvas();
    const plat::Size extent = colour.TextExtent(text);
    const int32_t r = plat::Rnd(std::sqrt(static_cast<double>(extent.cx) * extent.cx +
                                          static_cast<double>(extent.cy) * extent.cy) /
                                2) +
                      2;
    const int32_t textX = x - extent.cx / 2;
    const int32_t textY = y - extent.cy / 2;

    colour.pen = {lineColor, 3, plat::PenStyle::Solid, plat::PenMode::Copy};
    colour.brush = {fillColor, plat::BrushStyle::Solid};
    colour.Ellipse(x - r, y - r, x + r, y + r);
    colour.font.color = lineColor;
    colour.TextOut(textX, textY, text);
    colour.brush.style = plat::BrushStyle::Clear;

    // Coverage: the black parts of a disc are opaque, the light parts take the pen's
    // opacity. The pen stays 3 wide at the double resolution.
    const bool darkLine = lineColor == 0;
    const plat::Color opaque = plat::PaletteIndex(255);
    const plat::Color pen = plat::PaletteIndex(PenAlpha);
    plat::Canvas& coverage = ABitmap.GetCanvas();
    coverage.pen = {darkLine ? opaque : pen, 3, plat::PenStyle::Solid, plat::PenMode::Copy};
    coverage.brush = {darkLine ? pen : opaque, plat::BrushStyle::Solid};
    coverage.Ellipse(2 * (x - r), 2 * (y - r), 2 * (x + r), 2 * (y + r));
    coverage.font.color = darkLine ? opaque : pen;
    coverage.TextOut(2 * textX, 2 * textY, text);
    coverage.brush.style = plat::BrushStyle::Clear;

    xy0 = {x - r, y - r};
    xy1 = {x + r, y + r};
    return ComposeRect(true);
}

void TPenImage::ShowOrderNumber(int32_t x, int32_t y, plat::Color fillColor,
                                plat::Color lineColor) {
    RefreshRect(DrawOrderNumber(x, y, fillColor, lineColor));
}
