#pragma once
// Drawing state (pen, brush, font) and primitives on one Bitmap, with the line rules
// the program relies on:
//  - a pen of width 0 or 1 draws one-pixel lines that include the start point and
//    exclude the end point;
//  - a wider pen covers the pixels whose centres lie within width / 2 of the segment
//    (round ends and joins); a zero-length segment is a disc of that diameter;
//  - a Clear pen draws nothing; a Dash pen draws dashes 3 x width long with gaps 3 x width,
//    round-ended, continuous along a polyline or Bézier chain;
//  - rectangles and ellipses given by (x1, y1)-(x2, y2) cover columns x1..x2-1 and rows
//    y1..y2-1: the outline with the pen, the inside with the brush unless it is Clear;
//  - arcs run counter-clockwise (y pointing up) from the direction of the start point to
//    the direction of the end point;
//  - the pen mode combines the pen's pixel value with the stored one: Copy, Merge (OR),
//    Xor, Mask (AND); it is applied once to every pixel a primitive covers;
//  - everything is clipped to the bitmap.
// Colours are Color values; on indexed bitmaps a PaletteIndex colour stores its index and
// an RGB colour stores the nearest palette entry.

#include "platform/raster/Bitmap.h"
#include "platform/raster/Color.h"
#include "platform/raster/Geometry.h"

#include <QString>
#include <span>

namespace plat {

enum class PenStyle : uint8_t { Solid, Clear, Dash };
enum class PenMode : uint8_t { Copy, Merge, Xor, Mask };
enum class BrushStyle : uint8_t { Solid, Clear };

struct Pen {
    Color color = 0;
    int32_t width = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
};

struct Brush {
    Color color = 0xFFFFFF;
    BrushStyle style = BrushStyle::Solid;
};

struct Font {
    QString family;     // empty: the system's default family
    int32_t height = 12; // cell height in pixels
    Color color = 0;
};

class Canvas {
public:
    explicit Canvas(Bitmap& target);

    Pen pen;
    Brush brush;
    Font font;

    void MoveTo(int32_t x, int32_t y);
    void LineTo(int32_t x, int32_t y);
    Point PenPos() const { return penPos_; }

    // Move to the first point, line to each following one; one primitive.
    void Polyline(std::span<const Point> points);
    // Cubic Bézier chain: start point, then two control points and an end point per piece
    // (1 + 3k points). Leaves the pen position unchanged.
    void PolyBezier(std::span<const Point> points);

    void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Arc of the ellipse in (x1, y1)-(x2, y2) from the ray towards (x3, y3) to the ray
    // towards (x4, y4), counter-clockwise.
    void Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
             int32_t y4);
    // Fills with the brush colour (in Copy mode), no outline.
    void FillRect(const Rect& rect);

    // Copies src with its top-left corner at (x, y), converting formats pixel by pixel.
    void Draw(int32_t x, int32_t y, const Bitmap& src);
    // Copies srcRect of src onto dest, stretching by nearest pixel (colour on colour).
    void StretchDraw(const Rect& dest, const Bitmap& src, const Rect& srcRect);

    // Text with its cell's top-left corner at (x, y) in font.color; with a Solid brush the
    // cell is filled with the brush colour first. Glyphs are not antialiased.
    void TextOut(int32_t x, int32_t y, const QString& text);
    Size TextExtent(const QString& text) const;

private:
    Bitmap& target_;
    Point penPos_;
};

} // namespace plat
