#pragma once
// Translation of Qt's pointer data into the program's button and modifier set. Kept apart
// from the control so that the mapping can be checked without sending events.

#include "platform/ui/Input.h"

#include <Qt>
#include <optional>

namespace plat {

// The program's button for a Qt button; none for buttons the program does not know
// (back, forward, ...). With eraser set (the eraser end of a tablet pen) the contact
// counts as the right button, so that it erases like a right-button press.
std::optional<MouseButton> ToMouseButton(Qt::MouseButton button, bool eraser = false);

// Modifier keys and held buttons. Held buttons follow the same eraser rule.
ShiftState ToShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                        bool eraser = false);

} // namespace plat
