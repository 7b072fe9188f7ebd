#pragma once
// Pointer input as the program's modules see it: a button, a modifier set and control
// coordinates. Mouse and pen-tablet events are both delivered in this form.

#include <cstdint>

namespace plat {

enum class MouseButton : uint8_t { Left, Right, Middle };

// Modifier keys and held buttons, as bit flags.
enum ShiftFlag : uint16_t {
    ssShift = 1 << 0,
    ssAlt = 1 << 1,
    ssCtrl = 1 << 2,
    ssLeft = 1 << 3,
    ssRight = 1 << 4,
    ssMiddle = 1 << 5,
};
using ShiftState = uint16_t;

} // namespace plat
