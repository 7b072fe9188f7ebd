#include "settings/ToolIcons.h"

#include "platform/Rnd.h"
#include "platform/raster/Canvas.h"
#include "settings/PenModel.h"
#include "settings/StringTable.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using plat::Bitmap;
using plat::Canvas;
using plat::Color;
using plat::TImageList;

bool HasRainbowBit(int32_t color) {
    return (color & RAINBOW) != 0;
}

// The RGB part of a colour value; the dotted flag and the rainbow bit are not colours.
Color DrawColor(int32_t color) {
    return static_cast<uint32_t>(color) & 0xFFFFFFu;
}

// A picture of the list's size, a copy of the base slot.
void CopyBase(Bitmap& picture, const TImageList& baseList, int32_t baseSlot) {
    picture.SetSize(baseList.Width(), baseList.Height());
    picture.GetCanvas().Draw(0, 0, baseList.Picture(baseSlot));
}

// The transparent colour of a finished picture: its pixel at (height - 1, 0).
Color TransparencyKey(const Bitmap& picture) {
    return picture.PixelColor(picture.Height() - 1, 0);
}

void ReplaceByKey(TImageList& list, int32_t slot, const Bitmap& picture) {
    list.ReplaceMasked(slot, picture, TransparencyKey(picture));
}

struct Segment {
    int32_t x1, y1, x2, y2;
};

// One-pixel lines in the colour; each leaves out its end point.
template <size_t N>
void DrawLines(Bitmap& picture, Color color, const std::array<Segment, N>& lines) {
    Canvas& canvas = picture.GetCanvas();
    canvas.pen = plat::Pen{color, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
    for (const Segment& s : lines) {
        canvas.MoveTo(s.x1, s.y1);
        canvas.LineTo(s.x2, s.y2);
    }
}

void SetPixel(Bitmap& picture, int32_t x, int32_t y, Color color) {
    if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return;
    picture.Row32(y)[x] = plat::ColorToPixel32(color);
}

Color Shade(Color c, double factor) {
    const auto part = [factor](int v) { return std::clamp(plat::Rnd(v * factor), 0, 255); };
    return plat::Rgb(part(plat::RedOf(c)), part(plat::GreenOf(c)), part(plat::BlueOf(c)));
}

// The pre-drawn ball of each standard colour (compared without the dotted flag).
struct StandardBall {
    int32_t color;
    int32_t baseSlot;
};
constexpr std::array<StandardBall, 10> kStandardBalls{{
    {RAINBOW, kBaseBallRainbow},
    {FUDE_COLOR, kBaseBallRainbow},
    {0xFFFF00, 5},
    {0xFF0000, 6},
    {0x000000, 7},
    {0xFF00FF, 8},
    {0x00FF00, 9},
    {0x0000FF, 10},
    {0x00FFFF, 11},
    {0xFFFFFF, 12},
}};

// The ball of any other colour: an ellipse rounded out by a few lines, then darker pixels
// along the lower right edge.
constexpr std::array<Segment, 7> kBallLines{{
    {7, 1, 9, 1},
    {4, 2, 11, 2},
    {2, 4, 2, 12},
    {1, 6, 1, 10},
    {5, 13, 11, 13},
    {13, 5, 13, 11},
    {3, 3, 3, 13},
}};

struct ShadedPixel {
    int32_t x, y;
    double factor;
};
constexpr std::array<ShadedPixel, 19> kBallShading{{
    {1, 5, 0.95},  {12, 12, 0.9},  {4, 13, 0.9},   {13, 4, 0.9},  {12, 3, 0.9},
    {11, 2, 0.9},  {9, 1, 0.9},    {6, 1, 0.9},    {1, 10, 0.9},  {7, 14, 0.85},
    {8, 14, 0.85}, {11, 13, 0.85}, {13, 11, 0.85}, {14, 6, 0.85}, {14, 7, 0.85},
    {14, 8, 0.85}, {14, 9, 0.8},   {9, 14, 0.8},   {6, 14, 0.8},
}};

// The pen's tip and the stroke under it, as drawn in base slot 1.
constexpr std::array<Segment, 2> kPenColorLines{{{2, 14, 0, 16}, {2, 16, 17, 16}}};
// The highlighter's broad tip and its two-row stroke, as drawn in base slot 0.
constexpr std::array<Segment, 5> kMarkerColorLines{{
    {3, 13, 0, 16},
    {3, 14, 1, 16},
    {4, 14, 2, 16},
    {5, 15, 18, 15},
    {4, 16, 18, 16},
}};

// The stripe colours of the rainbow width bar: magenta, red, yellow, green, cyan, blue.
constexpr std::array<Color, 6> kWidthStripes{0xFF00FF, 0x0000FF, 0x00FFFF,
                                             0x00FF00, 0xFFFF00, 0xFF0000};

void PenOrMarkerPaint(int32_t color, int32_t slot, TImageList& list, const TImageList& baseList,
                      bool marker) {
    Bitmap picture;
    if (HasRainbowBit(color)) {
        CopyBase(picture, baseList, marker ? kBaseMarkerRainbow : kBasePenRainbow);
    } else {
        CopyBase(picture, baseList, marker ? kBaseMarker : kBasePen);
        if (marker)
            DrawLines(picture, DrawColor(color), kMarkerColorLines);
        else
            DrawLines(picture, DrawColor(color), kPenColorLines);
    }
    ReplaceByKey(list, slot, picture);
}

} // namespace

void SwatchPaint(int32_t color, int32_t slot, TImageList& dialogList) {
    Bitmap picture;
    if (HasRainbowBit(color)) {
        CopyBase(picture, dialogList, kDialogSlotRainbow);
    } else {
        picture.SetSize(kSwatchWidth, kIconSize);
        Canvas& canvas = picture.GetCanvas();
        canvas.pen = plat::Pen{kOlive, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
        canvas.brush = plat::Brush{DrawColor(color), plat::BrushStyle::Solid};
        canvas.Rectangle(0, 0, kSwatchWidth, kIconSize);
    }
    ReplaceByKey(dialogList, slot, picture);
}

void PenIconPaint(int32_t color, int32_t slot, TImageList& list, const TImageList& baseList) {
    PenOrMarkerPaint(color, slot, list, baseList, false);
}

void MarkerIconPaint(int32_t color, int32_t slot, TImageList& list, const TImageList& baseList) {
    PenOrMarkerPaint(color, slot, list, baseList, true);
}

void ColorIconPaint(int32_t color, int32_t slot, TImageList& list, const TImageList& baseList) {
    const int32_t c = color & COLOR_KEY_MASK;
    Bitmap picture;
    const auto standard = std::find_if(kStandardBalls.begin(), kStandardBalls.end(),
                                       [c](const StandardBall& b) { return b.color == c; });
    if (standard != kStandardBalls.end()) {
        CopyBase(picture, baseList, standard->baseSlot);
    } else {
        CopyBase(picture, baseList, kBaseBallCyan);
        const Color rgb = DrawColor(c);
        Canvas& canvas = picture.GetCanvas();
        canvas.pen = plat::Pen{rgb, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
        canvas.brush = plat::Brush{rgb, plat::BrushStyle::Solid};
        canvas.Ellipse(2, 2, 14, 14);
        DrawLines(picture, rgb, kBallLines);
        for (const ShadedPixel& p : kBallShading) SetPixel(picture, p.x, p.y, Shade(rgb, p.factor));
    }
    ReplaceByKey(list, slot, picture);
}

void WidthIconPaint(int32_t color, int32_t width, int32_t slot, TImageList& list) {
    // A width below 0 has no bar; keeping n >= 0 keeps the rows in order.
    const int32_t n = std::clamp(width, 0, 16);
    const int32_t top = (kIconSize - n) / 2 - 1;
    const int32_t bottom = top + n;

    Bitmap picture;
    picture.SetSize(kIconSize, kIconSize);
    Canvas& canvas = picture.GetCanvas();
    canvas.brush = plat::Brush{kOlive, plat::BrushStyle::Solid};
    canvas.FillRect(plat::Rect{0, 0, kIconSize, kIconSize});

    for (int32_t y = top; y < bottom; ++y) {
        const int32_t k = y - top;
        for (int32_t x = 0; x < kIconSize; ++x) {
            Color c = DrawColor(color);
            if (HasRainbowBit(color)) {
                // Diagonal stripes 3 pixels wide, each row one pixel further left.
                const int32_t j = std::max(0, (x + k - 1) / 3);
                c = kWidthStripes[static_cast<size_t>(j % 6)];
            }
            SetPixel(picture, x, y, c);
        }
    }

    for (int32_t x = 2; x < kIconSize; ++x) {
        SetPixel(picture, x, bottom, 0x5A5A5A);
        SetPixel(picture, x, bottom + 1, 0xA5A5A5);
    }
    SetPixel(picture, 0, bottom, 0xB5B5B5);
    SetPixel(picture, 1, bottom, 0x737373);
    SetPixel(picture, 0, bottom + 1, 0xC6C6C6);
    SetPixel(picture, 1, bottom + 1, 0xB5B5B5);

    // The bar and its shadow rows are opaque, the olive around them never shows.
    std::vector<bool> mask(static_cast<size_t>(kIconSize) * kIconSize, false);
    for (int32_t y = std::max(top, 0); y <= std::min(bottom + 1, kIconSize - 1); ++y)
        std::fill_n(mask.begin() + static_cast<ptrdiff_t>(y) * kIconSize, kIconSize, true);
    list.Replace(slot, picture, mask);
}

TActionText ColorActionText(int32_t i) {
    if (i < 0 || i >= kPenColorCount) return {};
    const TPenColorE& entry = PenColors[static_cast<size_t>(i)];
    return {entry.Name + QStringLiteral("(&%1)").arg(i), entry.Color};
}

TActionText WidthActionText(int32_t i) {
    if (i < 0 || i >= kPenWidthCount) return {};
    const int32_t width = PenWidths[static_cast<size_t>(i)];
    return {StringGet(TStringId::Width) + QStringLiteral(" %1(&%2)").arg(width).arg(i + 1), width};
}

TActionText ColorActionSet(int32_t i) {
    return ColorActionText(i);
}

TActionText ColorActionPaint(int32_t i, int32_t slot, TImageList& list,
                             const TImageList& baseList) {
    TActionText text = ColorActionSet(i);
    if (i >= 0 && i < kPenColorCount) ColorIconPaint(text.Tag, slot, list, baseList);
    return text;
}

TActionText WidthActionSet(int32_t color, int32_t i, int32_t slot, TImageList& list) {
    TActionText text = WidthActionText(i);
    if (i >= 0 && i < kPenWidthCount) WidthIconPaint(color, text.Tag, slot, list);
    return text;
}

void ColorIconsSet(int32_t color, TImageList& mainList, const TImageList& baseList,
                   const TWidthCommandSet& widthCommandSet) {
    ColorIconPaint(color, kSlotCurrentColor, mainList, baseList);
    PenIconPaint(color, kSlotPen, mainList, baseList);
    MarkerIconPaint(color, kSlotMarker, mainList, baseList);
    for (int32_t i = 0; i < kPenWidthCount; ++i) {
        const TActionText text = WidthActionSet(color, i, kSlotWidth0 + i, mainList);
        if (widthCommandSet) widthCommandSet(i, text);
    }
    WidthIconPaint(CrPen.PenColor, CrPen.PenWidth, kSlotCurrentWidth, mainList);
}

void PresetIconsSet(TImageList& mainList, const TImageList& baseList) {
    for (int32_t i = 0; i < kPenPresetCount; ++i) {
        const TPenType& preset = PenPresets[static_cast<size_t>(i)];
        if (preset.PenAlpha != 0)
            PenIconPaint(preset.PenColor, kSlotPreset0 + i, mainList, baseList);
        else
            MarkerIconPaint(preset.PenColor, kSlotPreset0 + i, mainList, baseList);
    }
}
