#include "strokes/Undo.h"

#include "strokes/PenList.h"

#include <array>
#include <memory>

bool UdoEnabled = false;
bool RedoEnabled = false;

namespace {

// UdoUsed[i]: slot i holds a state that a later snapshot superseded, so undo may return
// to it. UdoIndex and UdoTop are both -1 (empty history) or both in 0..255.
std::array<std::unique_ptr<TPenList>, kUdoSlots> UdoLists;
std::array<bool, kUdoSlots> UdoUsed{};
int32_t UdoIndex = -1;
int32_t UdoTop = -1;

constexpr int32_t Next(int32_t i) {
    return (i + 1) % kUdoSlots;
}
constexpr int32_t Prev(int32_t i) {
    return (i + kUdoSlots - 1) % kUdoSlots;
}

bool Ready() {
    if (UdoLists[0]) return true;
    UdoEnabled = false;
    RedoEnabled = false;
    return false;
}

TPenList& Slot(int32_t i) {
    return *UdoLists[static_cast<size_t>(i)];
}

void ListCopy(const TPenList& src, TPenList& dst) {
    dst.Clear();
    const int32_t n = src.Count();
    for (int32_t i = 0; i < n; ++i) dst.Add(src.PenE(i));
    dst.Selected = src.Selected;
}

// Undo may step back to the state in slot s only when s is not the newest state and a
// later snapshot superseded it.
bool CanReturnTo(int32_t s) {
    return s != UdoTop && UdoUsed[static_cast<size_t>(s)];
}

// Supersedes the current state and moves to a new newest slot, which the caller fills.
// UdoUsed stays true only for the states undo can reach: the redo states after the current
// one (up to the old top) are discarded, and the new slot may still be marked from the
// ring's previous lap. Left marked, undo would walk on from the oldest state into those
// discarded states once the ring has wrapped.
int32_t Advance() {
    if (UdoIndex != -1) {
        for (int32_t s = UdoIndex; s != UdoTop;) {
            s = Next(s);
            UdoUsed[static_cast<size_t>(s)] = false;
        }
        UdoUsed[static_cast<size_t>(UdoIndex)] = true;
        UdoEnabled = true;
    }
    UdoIndex = Next(UdoIndex); // from -1 this gives 0
    UdoUsed[static_cast<size_t>(UdoIndex)] = false;
    UdoTop = UdoIndex;
    RedoEnabled = false;
    return UdoIndex;
}

// The slots exist from program load on, before any window is created.
const bool kUdoReady = (UdoInit(), true);

} // namespace

void UdoInit() {
    for (auto& slot : UdoLists) slot = std::make_unique<TPenList>();
    UdoReset();
}

void UdoDone() {
    for (auto& slot : UdoLists) slot.reset();
    UdoReset();
}

void UdoReset() {
    UdoIndex = -1;
    UdoTop = -1;
    UdoUsed.fill(false);
    UdoEnabled = false;
    RedoEnabled = false;
}

void UdoSave(const TPenList& list) {
    if (!Ready()) return;
    if (UdoIndex != -1 && list.Count() == 0 && Slot(UdoIndex).Count() == 0) return;
    ListCopy(list, Slot(Advance()));
}

void UdoSaveBlank(const TPenList& list) {
    if (!Ready()) return;
    if (list.Count() == 0) return;
    if (UdoIndex != -1 && Slot(UdoIndex).Count() == 0) return;
    TPenList& slot = Slot(Advance());
    slot.Clear();
    slot.Selected = false;
}

void UdoUndo(TPenList& list) {
    if (!Ready()) return;
    if (UdoTop == -1) {
        UdoEnabled = false;
        RedoEnabled = false;
        return;
    }
    const int32_t p = Prev(UdoIndex);
    if (CanReturnTo(p)) {
        ListCopy(Slot(p), list);
        UdoIndex = p;
    }
    UdoEnabled = CanReturnTo(Prev(UdoIndex));
    RedoEnabled = UdoIndex != UdoTop;
}

void UdoRedo(TPenList& list) {
    if (!Ready()) return;
    if (UdoTop == -1) {
        UdoEnabled = false;
        RedoEnabled = false;
        return;
    }
    if (UdoIndex != UdoTop) {
        const int32_t n = Next(UdoIndex);
        ListCopy(Slot(n), list);
        UdoIndex = n;
    }
    // After a real step the state left behind can always be returned to; with nothing to
    // redo this keeps Undo from being enabled on a history of one state.
    UdoEnabled = CanReturnTo(Prev(UdoIndex));
    RedoEnabled = UdoIndex != UdoTop;
}

int32_t UdoIndexGet() {
    return UdoIndex;
}
int32_t UdoTopGet() {
    return UdoTop;
}
