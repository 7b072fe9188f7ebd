#include "platform/ui/QtInput.h"

namespace plat {

std::optional<MouseButton> ToMouseButton(Qt::MouseButton button, bool eraser) {
    switch (button) {
    case Qt::LeftButton:
        return eraser ? MouseButton::Right : MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return std::nullopt;
    }
}

ShiftState ToShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, bool eraser) {
    ShiftState s = 0;
    if (modifiers & Qt::ShiftModifier) s |= ssShift;
    if (modifiers & Qt::AltModifier) s |= ssAlt;
    if (modifiers & Qt::ControlModifier) s |= ssCtrl;
    if (buttons & Qt::LeftButton) s |= eraser ? ssRight : ssLeft;
    if (buttons & Qt::RightButton) s |= ssRight;
    if (buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

} // namespace plat
