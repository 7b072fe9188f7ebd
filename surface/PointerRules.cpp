#include "surface/PointerRules.h"

#include "platform/Rnd.h"
#include "settings/PenModel.h"

#include <limits>

namespace surface {

namespace {

constexpr int32_t kPressureStep = 50;
constexpr int32_t kPressureLow = 200; // target pressure at 15 pixels per move
constexpr double kSlowDistance = 10;  // moves shorter than this count as resting
constexpr double kFallDistance = 5;   // the target falls to kPressureLow over this much more

} // namespace

int32_t SpeedPressureStep(int32_t lastP, double distance) {
    const int32_t target = distance < kSlowDistance
                               ? PressureFull
                               : plat::Rnd((1 - (distance - kSlowDistance) / kFallDistance) *
                                               (PressureFull - kPressureLow) +
                                           kPressureLow);
    const int32_t avg = plat::Rnd((static_cast<double>(target) + lastP) / 2);
    if (avg > lastP) {
        return lastP > std::numeric_limits<int32_t>::max() - kPressureStep
                   ? std::numeric_limits<int32_t>::max()
                   : lastP + kPressureStep;
    }
    return lastP < std::numeric_limits<int32_t>::min() + kPressureStep
               ? std::numeric_limits<int32_t>::min()
               : lastP - kPressureStep;
}

uint8_t PenGestureFor(plat::ShiftState shift) {
    const bool ctrl = (shift & plat::ssCtrl) != 0;
    const bool alt = (shift & plat::ssAlt) != 0;
    const bool shiftKey = (shift & plat::ssShift) != 0;
    if (ctrl && shiftKey) return kGestureRect;
    if (ctrl && alt) return kGestureCircle;
    if (ctrl) return kGestureLine;
    if (alt) return kGestureEllipse;
    return kGesturePen;
}

PenCursorChoice PenCursorFor(int32_t alpha, int32_t color) {
    const int base = alpha == 255 ? 1 : 5;
    const auto c = static_cast<uint32_t>(color) & static_cast<uint32_t>(COLOR_KEY_MASK);
    if (c == static_cast<uint32_t>(RAINBOW) || c == static_cast<uint32_t>(FUDE_COLOR))
        return {base, false};
    const uint32_t r = c & 0xFF;
    const uint32_t g = (c >> 8) & 0xFF;
    const uint32_t b = (c >> 16) & 0xFF;
    if (r > 0xDD && g > 0xDD && b > 0xDD) return {base + 3, false};
    if (r < 0x22 && g < 0x22 && b < 0x22) return {base + 2, false};
    return {base + 1, true};
}

uint32_t ScaleColor(uint32_t color, double f) {
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int32_t v = plat::Rnd(static_cast<double>((color >> shift) & 0xFF) * f);
        result |= (static_cast<uint32_t>(v) & 0xFF) << shift;
    }
    return result;
}

} // namespace surface
