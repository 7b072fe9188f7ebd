#include "settings/StringTable.h"

#include <array>

namespace {

// Failure of the picture export.
constexpr const char* kSaveFailed = "Can't Save Image. Capacity is insufficient.";

// In the order of TStringId.
constexpr std::array<const char*, 18> kStrings = {
    "Rainbow",    "Cyan",   "Blue",   "Black", "Magenta",     "Green",
    "Red",        "Yellow", "White",  "Pen",   "Highlighter", "Width",
    "Super-Thin", "Thin",   "Middle", "Thick", "Super-Thick", kSaveFailed,
};
static_assert(kStrings.size() == static_cast<size_t>(TStringId::SaveFailed) + 1);

} // namespace

QString StringGet(TStringId id) {
    const auto i = static_cast<size_t>(id);
    return i < kStrings.size() ? QString::fromUtf8(kStrings[i]) : QString();
}
