#pragma once
// Pure rules of the pointer input: the simulated pen pressure, the gesture a press starts
// and the pen cursor a pen gets. No widgets, no pixels, so they can be checked on plain
// values and sequences.

#include "platform/ui/Input.h"

#include <cstdint>

namespace surface {

// Gesture codes (MouseF) of the surface.
inline constexpr uint8_t kGestureNone = 0;
inline constexpr uint8_t kGesturePen = 2;
inline constexpr uint8_t kGestureEraser = 3;
inline constexpr uint8_t kGestureLasso = 4;
inline constexpr uint8_t kGestureLine = 8;
inline constexpr uint8_t kGestureRect = 9;
inline constexpr uint8_t kGestureCircle = 10;
inline constexpr uint8_t kGestureArc = 11;
inline constexpr uint8_t kGestureEllipse = 12;

constexpr bool IsShapeGesture(uint8_t gesture) {
    return gesture >= kGestureLine && gesture <= kGestureEllipse;
}

// One step of the speed-based pressure. distance is the pointer's travel since the
// previous move, in control pixels. The target is full pressure (1024) below 10 pixels
// and falls linearly to 200 at 15 pixels (further below beyond); the pressure moves 50
// towards it: up when the rounded mean of target and current value lies above the current
// value, down otherwise. At rest it therefore alternates between 1024 and 974; it has no
// lower bound (it only stops at the 32-bit limit).
int32_t SpeedPressureStep(int32_t lastP, double distance);

// The gesture a press in pen mode starts, from the held modifiers:
//   Ctrl alone -> line; Ctrl+Shift (Alt allowed) -> rectangle; Ctrl+Alt -> circle;
//   Alt without Ctrl (Shift allowed) -> ellipse; anything else -> freehand.
uint8_t PenGestureFor(plat::ShiftState shift);

// Which pen cursor slot a pen shows. base is 1 for a pen (alpha 255), 5 for a highlighter;
// rainbow and per-stroke colours use base, near-white colours base + 3, near-black
// colours base + 2, every other colour base + 1, which is recoloured to the pen's colour.
struct PenCursorChoice {
    int slot = 1;
    bool recolour = false;
};
PenCursorChoice PenCursorFor(int32_t alpha, int32_t color);

// A colour with each of its three bytes multiplied by f and rounded (halves to even).
uint32_t ScaleColor(uint32_t color, double f);

} // namespace surface
