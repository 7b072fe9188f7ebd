#pragma once
// The pen model: what a pen is, how pen colour values are encoded, the menu colours and
// widths, the ten user presets, the current pen, and how a pen value becomes the colour,
// style and width of each drawn segment.
//
// Colour values (32 bits):
//   0x00BBGGRR            an RGB colour, red in the low byte
//   RAINBOW   0x08000000  the colour changes on every drawn segment (RainbowColors)
//   FUDE_COLOR 0x08000001 one RainbowColors entry per stroke; the colour of the
//                         stroke-order pen, by which stroke-order strokes are recognised
//   DOTTED_FLAG 0x10000000 may be added to any of these: segments follow DotPattern

#include <QString>
#include <array>
#include <cstdint>

struct TPenType {
    int32_t PenColor = 0;
    int32_t PenWidth = 0;
    uint8_t PenAlpha = 0; // the pen kind: 1 pen (opaque), anything else highlighter
    friend bool operator==(const TPenType&, const TPenType&) = default;
};

struct TPenColorE {
    int32_t Color = 0;
    QString Name;
};

inline constexpr int32_t RAINBOW = 0x08000000;
inline constexpr int32_t FUDE_COLOR = 0x08000001;
inline constexpr int32_t DOTTED_FLAG = 0x10000000;
// Lookups compare colours without the dotted flag; menu colours from the settings keep
// the colour, the rainbow bit and the dotted flag.
inline constexpr int32_t COLOR_KEY_MASK = 0x08FFFFFF;
inline constexpr int32_t MENU_COLOR_MASK = 0x18FFFFFF;

inline constexpr uint8_t PEN_KIND_HIGHLIGHTER = 0;
inline constexpr uint8_t PEN_KIND_PEN = 1;

// The stroke-order pen; applied to the surface directly, never stored in CrPen.
inline constexpr TPenType FUDE_PEN{FUDE_COLOR, 32, PEN_KIND_HIGHLIGHTER};

// The pressure value that means full width.
inline constexpr int32_t PressureFull = 1024;

inline constexpr int32_t kPenColorCount = 9;
inline constexpr int32_t kPenWidthCount = 5;
inline constexpr int32_t kPenPresetCount = 10;

// The seven-colour cycle of the rainbow and stroke-order pens (COLORREF): magenta, red,
// orange, yellow, green, blue, slate blue.
inline constexpr std::array<uint32_t, 7> RainbowColors = {0xFF00FF, 0x0000FF, 0x0066FF, 0x00FFFF,
                                                          0x00FF00, 0xFF0000, 0xCC6666};
// Dotted lines: 1 = segment drawn, 0 = skipped.
inline constexpr std::array<uint8_t, 6> DotPattern = {1, 0, 0, 1, 0, 0};
// PenCounter runs modulo this as a colour phase: a common multiple of 6 and 7.
inline constexpr int32_t kPenCounterCycle = 42;

// The shared counter: colour phase of the rainbow and dotted pens, and the number of the
// stroke-order stroke being drawn.
extern int32_t PenCounter;

extern std::array<TPenColorE, kPenColorCount> PenColors;
extern std::array<int32_t, kPenWidthCount> PenWidths;
extern std::array<TPenType, kPenPresetCount> PenPresets;

// The current pen and the preset PenNext last selected (-1: the pen was set by hand).
extern TPenType CrPen;
extern int32_t CrPenNo;

// Line styles of a drawn segment; Clear draws nothing.
enum class TLineStyle : uint8_t { Solid, Clear };

struct TInkColor {
    uint32_t Color = 0; // COLORREF 0x00BBGGRR
    TLineStyle Style = TLineStyle::Solid;
};

// Built-in presets (also the settings dialog's default-pens button).
void PenPresetsDefaultSet();
// Every value of this module back to its built-in default: menu colours and widths,
// presets, PenCounter 0, CrPen preset 0, CrPenNo -1.
void PenModelDefaultsSet();

// Caption of a pen: kind word, then a space and the size word when the width has one.
QString PenNameGet(const TPenType& pen);
// Captions of presets 0..PenCount-1 joined with CR LF.
QString PenNamesGet(const std::array<TPenType, kPenPresetCount>& presets);
// Index of the first menu colour equal to the colour (dotted flag ignored), or -1.
int32_t ColorIndexGet(int32_t color);
// Selects the preset after CrPenNo (or after the first preset equal to pen when CrPenNo is
// -1) into pen and CrPenNo, wrapping to preset 0.
void PenNext(TPenType& pen);
// The colour the surface draws with: with pen correction on, the rainbow pen becomes the
// per-stroke colour.
int32_t ReviseColorGet(int32_t color);
// Colour and style of the next segment; advances PenCounter unless the colour is the
// per-stroke one.
TInkColor InkColor(int32_t color);
TLineStyle DotStyle(int32_t color);
// Segment width under pen pressure (pressure * width / PressureFull, ties to even).
int32_t PressureWidth(int32_t pressure, int32_t width);
// Opacity the surface uses for a pen kind: 255 for a pen, MarkerPenAlpha otherwise.
int32_t PenAlphaGet(uint8_t kind);

// Tool-state changes of the pen commands.
void CrPenStart();                  // after the settings load: preset 0, CrPenNo 0
void CrPenColorSet(int32_t color);  // colour command: CrPenNo -1
void CrPenWidthSet(int32_t width);  // width command: CrPenNo -1
void CrPenKindSet(uint8_t kind);    // kind command: CrPenNo -1
void CrPenPresetSet(int32_t index); // preset command: CrPenNo unchanged
