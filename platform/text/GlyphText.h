#pragma once
// Text through Qt: fonts chosen by family and cell height (ascent + descent, in pixels),
// extents, and glyph masks without antialiasing for the raster layer to write.

#include "platform/raster/Geometry.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <vector>

namespace plat {

// The font of the family (empty: the default family) whose cell height is as close to
// cellHeight as the font allows, not above it where possible.
QFont FontForCell(const QString& family, int32_t cellHeight);

// Width: the advance of text; height: the font's cell height.
Size MeasureText(const QString& family, int32_t cellHeight, const QString& text);

// Advance widths of text.left(1), text.left(2), ... text.
std::vector<int32_t> PrefixWidths(const QString& family, int32_t cellHeight, const QString& text);

// The glyphs of text laid out in its cell (size MeasureText), the baseline at the font's
// ascent: one byte per pixel, 1 where the rendered coverage is at least one half.
struct GlyphMask {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bits;
    bool At(int32_t x, int32_t y) const { return bits[size_t(y) * size_t(width) + size_t(x)] != 0; }
};
GlyphMask RenderTextMask(const QString& family, int32_t cellHeight, const QString& text);

} // namespace plat
