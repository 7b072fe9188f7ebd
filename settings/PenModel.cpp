#include "settings/PenModel.h"

#include "settings/Settings.h"
#include "settings/StringTable.h"

#include <algorithm>

int32_t PenCounter = 0;
std::array<TPenColorE, kPenColorCount> PenColors;
std::array<int32_t, kPenWidthCount> PenWidths{};
std::array<TPenType, kPenPresetCount> PenPresets{};
TPenType CrPen;
int32_t CrPenNo = -1;

namespace {

constexpr std::array<TPenType, kPenPresetCount> kDefaultPresets = {{
    {0x0000FF, 4, PEN_KIND_PEN},
    {0xFF0000, 4, PEN_KIND_PEN},
    {0x00FFFF, 4, PEN_KIND_PEN},
    {0xFF00FF, 16, PEN_KIND_HIGHLIGHTER},
    {0x00FF00, 16, PEN_KIND_HIGHLIGHTER},
    {0xFFFF00, 12, PEN_KIND_HIGHLIGHTER},
    {0xFF00FF, 12, PEN_KIND_HIGHLIGHTER},
    {0xFFFFFF, 12, PEN_KIND_HIGHLIGHTER},
    {0x0000FF, 12, PEN_KIND_HIGHLIGHTER},
    {0x99FF99, 12, PEN_KIND_HIGHLIGHTER},
}};

struct TDefaultColor {
    int32_t color;
    TStringId name;
};
constexpr std::array<TDefaultColor, kPenColorCount> kDefaultColors = {{
    {RAINBOW, TStringId::Rainbow},
    {0xFFFF00, TStringId::Cyan},
    {0xFF0000, TStringId::Blue},
    {0x000000, TStringId::Black},
    {0xFF00FF, TStringId::Magenta},
    {0x00FF00, TStringId::Green},
    {0x0000FF, TStringId::Red},
    {0x00FFFF, TStringId::Yellow},
    {0xFFFFFF, TStringId::White},
}};

constexpr std::array<int32_t, kPenWidthCount> kDefaultWidths = {1, 2, 4, 8, 16};

// Remainder in 0..m-1 also for a negative counter, so that table lookups stay in range.
constexpr int32_t IndexMod(int32_t v, int32_t m) {
    return ((v % m) + m) % m;
}

// The colour a value draws in, for comparisons: the dotted flag removed, and the bits
// above the RGB part kept only for the two special values.
constexpr int32_t ColorKey(int32_t color) {
    const int32_t c = color & COLOR_KEY_MASK;
    return (c == RAINBOW || c == FUDE_COLOR) ? c : c & 0xFFFFFF;
}

// Presets in use, whatever PenCount holds.
int32_t PresetsInUse() {
    return std::clamp(PenCount, 1, kPenPresetCount);
}

const bool kDefaultsApplied = (PenModelDefaultsSet(), true);

} // namespace

void PenPresetsDefaultSet() {
    PenPresets = kDefaultPresets;
}

void PenModelDefaultsSet() {
    for (size_t i = 0; i < PenColors.size(); ++i) {
        PenColors[i].Color = kDefaultColors[i].color;
        PenColors[i].Name = StringGet(kDefaultColors[i].name);
    }
    PenWidths = kDefaultWidths;
    PenPresetsDefaultSet();
    PenCounter = 0;
    CrPen = PenPresets[0];
    CrPenNo = -1;
}

QString PenNameGet(const TPenType& pen) {
    QString name =
        StringGet(pen.PenAlpha == PEN_KIND_PEN ? TStringId::Pen : TStringId::Highlighter);
    const int32_t w = pen.PenWidth;
    TStringId size;
    if (w == 1) {
        size = TStringId::SuperThin;
    } else if (w >= 2 && w <= 5) {
        size = TStringId::Thin;
    } else if (w >= 6 && w <= 11) {
        size = TStringId::Middle;
    } else if (w >= 12 && w <= 15) {
        size = TStringId::Thick;
    } else if (w >= 16 && w <= 32) {
        size = TStringId::SuperThick;
    } else {
        return name;
    }
    return name + QLatin1Char(' ') + StringGet(size);
}

QString PenNamesGet(const std::array<TPenType, kPenPresetCount>& presets) {
    const int32_t n = std::clamp(PenCount, 0, kPenPresetCount);
    QString names;
    for (int32_t i = 0; i < n; ++i) {
        if (i > 0) names += QStringLiteral("\r\n");
        names += PenNameGet(presets[static_cast<size_t>(i)]);
    }
    return names;
}

int32_t ColorIndexGet(int32_t color) {
    const int32_t key = ColorKey(color);
    for (int32_t i = 0; i < kPenColorCount; ++i) {
        if (PenColors[static_cast<size_t>(i)].Color == key) return i;
    }
    return -1;
}

void PenNext(TPenType& pen) {
    const int32_t count = PresetsInUse();
    int32_t start = CrPenNo;
    if (start == -1) {
        for (int32_t i = 0; i < count; ++i) {
            if (PenPresets[static_cast<size_t>(i)] == pen) {
                start = i;
                break;
            }
        }
    }
    const int32_t next = (start >= -1 && start < count - 1) ? start + 1 : 0;
    CrPenNo = next;
    pen = PenPresets[static_cast<size_t>(next)];
}

int32_t ReviseColorGet(int32_t color) {
    return (color == RAINBOW && PenRevise == 1) ? FUDE_COLOR : color;
}

TLineStyle DotStyle(int32_t color) {
    if ((color & DOTTED_FLAG) == 0) return TLineStyle::Solid;
    const auto phase =
        static_cast<size_t>(IndexMod(PenCounter, static_cast<int32_t>(DotPattern.size())));
    return DotPattern[phase] == 1 ? TLineStyle::Solid : TLineStyle::Clear;
}

TInkColor InkColor(int32_t color) {
    TInkColor ink;
    ink.Style = DotStyle(color);
    const int32_t c = color & COLOR_KEY_MASK;
    if (c == RAINBOW || c == FUDE_COLOR) {
        ink.Color = RainbowColors[static_cast<size_t>(
            IndexMod(PenCounter, static_cast<int32_t>(RainbowColors.size())))];
    } else {
        ink.Color = static_cast<uint32_t>(c) & 0xFFFFFFu;
    }
    if (c != FUDE_COLOR) PenCounter = (PenCounter + 1) % kPenCounterCycle;
    return ink;
}

int32_t PressureWidth(int32_t pressure, int32_t width) {
    if (!PenPressure) return width;
    // pressure * width / PressureFull to the nearest integer, halves to the even one.
    const int64_t num = static_cast<int64_t>(pressure) * width;
    const int64_t den = PressureFull;
    int64_t q = num / den;
    int64_t r = num % den;
    if (r < 0) { // floor division
        q -= 1;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1) != 0)) q += 1;
    return static_cast<int32_t>(std::clamp<int64_t>(q, INT32_MIN, INT32_MAX));
}

int32_t PenAlphaGet(uint8_t kind) {
    return kind == PEN_KIND_PEN ? 255 : (MarkerPenAlpha & 0xFF);
}

void CrPenStart() {
    CrPen = PenPresets[0];
    CrPenNo = 0;
}

void CrPenColorSet(int32_t color) {
    CrPen.PenColor = color;
    CrPenNo = -1;
}

void CrPenWidthSet(int32_t width) {
    CrPen.PenWidth = width;
    CrPenNo = -1;
}

void CrPenKindSet(uint8_t kind) {
    CrPen.PenAlpha = kind;
    CrPenNo = -1;
}

void CrPenPresetSet(int32_t index) {
    if (index < 0 || index >= kPenPresetCount) return;
    CrPen = PenPresets[static_cast<size_t>(index)];
}
