#pragma once
// Helpers for top-level windows.

#include "platform/raster/Geometry.h"

class QWidget;

namespace plat {

// Sets the window's outer bounds (frame included) to area, then maximises it there.
// Window systems carry out a maximise asynchronously; this lets events run until the
// window's frame fills area or timeoutMs have passed, so that the caller sees the final
// size. Returns whether the frame reached area in time.
bool MaximizeOnArea(QWidget* window, const Rect& area, int timeoutMs);

// Brings the window to the foreground and makes it the active window (a minimised window
// is restored first).
void BringToForeground(QWidget* window);

} // namespace plat
