#include "settings/StringTable.h"

#include <array>

namespace {

// In the order of TStringId.
constexpr std::array<const char*, 17> kStrings = {
    "Rainbow",    "Cyan",   "Blue",   "Black", "Magenta",     "Green",
    "Red",        "Yellow", "White",  "Pen",   "Highlighter", "Width",
    "Super-Thin", "Thin",   "Middle", "Thick", "Super-Thick",
};
static_assert(kStrings.size() == static_cast<size_t>(TStringId::SuperThick) + 1);

} // namespace

QString StringGet(TStringId id) {
    const auto i = static_cast<size_t>(id);
    return i < kStrings.size() ? QString::fromUtf8(kStrings[i]) : QString();
}
