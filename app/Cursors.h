#pragma once
// The program's cursor set: twelve 32 x 32 cursors drawn at start-up and loaded into the
// application's cursor slots, where the drawing surface selects them by mode and pen.

#include "platform/ui/CursorSlots.h"

// Slot numbers of the set (slot 9 stays empty).
inline constexpr int kCursorRainbowPen = 1;    // KV_RAINBOW: rainbow and stroke-order pens
inline constexpr int kCursorColorPen = 2;      // KV_SYAN: cyan template, recoloured per pen
inline constexpr int kCursorBlackPen = 3;      // KV_BLACK: dark colours
inline constexpr int kCursorWhitePen = 4;      // KV_WHITE: near-white colours
inline constexpr int kCursorRainbowMarker = 5; // KV_KRAINBOW: the highlighter forms of 1-4
inline constexpr int kCursorColorMarker = 6;   // KV_KSYAN
inline constexpr int kCursorBlackMarker = 7;   // KV_KBLACK
inline constexpr int kCursorWhiteMarker = 8;   // KV_KWHITE
inline constexpr int kCursorEraser = 10;       // KV_ERASE
inline constexpr int kCursorHand = 11;         // KV_HAND: over the selection box
inline constexpr int kCursorHandClosed = 12;   // KV_HAND2: dragging the selection box
inline constexpr int kCursorLasso = 13;        // KV_LASSO

// The picture of one slot of the set; an empty cursor (nothing visible) for other numbers.
plat::CursorImage CursorImageFor(int slot);

// Draws the set and puts it into slots 1-8 and 10-13.
void CursorsLoad();
