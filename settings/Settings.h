#pragma once
// The program's persistent settings as module-level values, known by their storage key
// names. They start with the built-in defaults; the settings store overwrites them at
// start-up and writes them back when the settings dialog is confirmed.

#include <QString>
#include <array>
#include <cstdint>

// Application settings (section "System").
extern bool StartMaximize;
extern bool StartOrder;
extern QString TextFont;
extern bool EndNumber;
extern QString ButtonArray;
extern int32_t SaveFileType; // 0 JPEG, 1 BMP, 2 PNG
extern int32_t JPEGQuality;  // 1..100
extern bool useReg;
extern bool Common;

// Base settings.
extern int32_t CrMonitor;
extern double Zoom;
extern int32_t DTFButtonSet;
extern int32_t PenCount;       // presets in use, 1..10
extern int32_t PenRevise;      // 1: pen correction (smoothing) on
extern int32_t PenReviseValue; // point step of the smoothing
extern int32_t MarkerPenAlpha; // highlighter opacity, 0..255
extern bool PenPressure;
extern int32_t EraseDefault; // "Erase"/Default: 0 all, 1 small, 2 medium, other large

// Whiteboard.
extern uint32_t WBBrushColor;
extern uint32_t WBPenColor;
extern bool WBHorizontalLine;
extern bool WBVerticalLine;
extern int32_t WBHWidth;
extern int32_t WBVWidth;
extern std::array<uint32_t, 8> WBBoardColors;

inline constexpr const char* kDefaultTextFont = "ＭＳ 明朝";

// Puts every value above back to its built-in default (start-up and tests).
void SettingsDefaultsSet();

// Eraser width for the "Erase"/Default value: 1 -> 12, 2 -> 24, anything else -> 36.
int32_t EraserWidthFor(int32_t eraseDefault);
