#pragma once
// Facts about the display the program runs on.

namespace plat {

// True when the primary display shows 8 bits per pixel or fewer (a palette display).
bool IsPaletteDisplay();

} // namespace plat
