#pragma once
// Run-time pictures of the pen state: colour balls, pen and highlighter pictures in a
// colour, width bars, and the colour swatches of the settings dialog. Each painter starts
// from a base picture (or a plain fill), draws into an 18 x 18 (38 x 18) bitmap and replaces
// exactly one slot of an image list. Except for the width bars, the transparent colour is
// the one of the finished picture's pixel (height - 1, 0).
//
// The caption and tag of the colour and width commands come as plain values; whoever owns
// the commands applies them.

#include "platform/ui/ImageList.h"

#include <QString>
#include <cstdint>
#include <functional>

// Slots of the main list that are painted here; the others hold fixed pictures.
inline constexpr int32_t kMainListCount = 45;
inline constexpr int32_t kBaseListCount = 13;
inline constexpr int32_t kDialogListCount = 10;
inline constexpr int32_t kIconSize = 18;
inline constexpr int32_t kSwatchWidth = 38;

inline constexpr int32_t kSlotColor0 = 0;        // colour commands 0..8
inline constexpr int32_t kSlotMarker = 18;       // highlighter in the current colour
inline constexpr int32_t kSlotPen = 19;          // pen in the current colour
inline constexpr int32_t kSlotWidth0 = 20;       // width commands 0..4
inline constexpr int32_t kSlotCurrentColor = 25; // the colour button
inline constexpr int32_t kSlotPreset0 = 26;      // presets 0..9
inline constexpr int32_t kSlotCurrentWidth = 44; // the width button
inline constexpr int32_t kDialogSlotRainbow = 9; // pre-drawn rainbow swatch

// Base list: pre-drawn pictures on olive.
inline constexpr int32_t kBaseMarker = 0;
inline constexpr int32_t kBasePen = 1;
inline constexpr int32_t kBaseMarkerRainbow = 2;
inline constexpr int32_t kBasePenRainbow = 3;
inline constexpr int32_t kBaseBallRainbow = 4;
inline constexpr int32_t kBaseBallCyan = 5; // then blue, black, magenta, green, red, yellow, white

// The background of every base picture and the transparent colour of the painters
// (0x00BBGGRR: olive).
inline constexpr uint32_t kOlive = 0x008080;

// Colour swatch of the settings dialog (38 x 18): the dialog's rainbow swatch for the
// rainbow and per-stroke colours, otherwise the colour inside a transparent 1-pixel frame.
void SwatchPaint(int32_t color, int32_t slot, plat::TImageList& dialogList);
// The pen (kind not 0) and the highlighter (kind 0) with tip and stroke in the colour.
void PenIconPaint(int32_t color, int32_t slot, plat::TImageList& list,
                  const plat::TImageList& baseList);
void MarkerIconPaint(int32_t color, int32_t slot, plat::TImageList& list,
                     const plat::TImageList& baseList);
// A ball in the colour: pre-drawn for the nine standard colours, shaded otherwise.
void ColorIconPaint(int32_t color, int32_t slot, plat::TImageList& list,
                    const plat::TImageList& baseList);
// A bar as thick as the width (at most 16) with a shadow; the rainbow colours as stripes.
void WidthIconPaint(int32_t color, int32_t width, int32_t slot, plat::TImageList& list);

// What a colour or width command shows and carries.
struct TActionText {
    QString Caption;
    int32_t Tag = 0;
    friend bool operator==(const TActionText&, const TActionText&) = default;
};

// Colour command i (0..8): menu colour i's name with "(&i)"; tag the colour.
TActionText ColorActionText(int32_t i);
// Width command i (0..4): "Width", the menu width and "(&i+1)"; tag the width.
TActionText WidthActionText(int32_t i);

// ColorActionText(i), the text colour command i gets (ColorActionSet in the dialog).
TActionText ColorActionSet(int32_t i);
// ColorActionSet, then the ball of menu colour i into the command's slot.
TActionText ColorActionPaint(int32_t i, int32_t slot, plat::TImageList& list,
                             const plat::TImageList& baseList);
// The text of width command i, after painting the width bar of menu width i in the
// colour into the command's slot.
TActionText WidthActionSet(int32_t color, int32_t i, int32_t slot, plat::TImageList& list);

// Applies the text of width command i (0..4) to that command.
using TWidthCommandSet = std::function<void(int32_t i, const TActionText& text)>;

// The current-colour pictures of the main window: the colour button, the pen and
// highlighter, the five width commands (with their texts handed to widthCommandSet) and
// the width button in the current pen's colour and width.
void ColorIconsSet(int32_t color, plat::TImageList& mainList, const plat::TImageList& baseList,
                   const TWidthCommandSet& widthCommandSet);
// The ten preset pictures, slots 26..35.
void PresetIconsSet(plat::TImageList& mainList, const plat::TImageList& baseList);
