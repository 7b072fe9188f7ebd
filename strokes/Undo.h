#pragma once
// Undo and redo history of the page on show: whole copies of its stroke list in a ring
// of 256 slots. Every page switch resets it and seeds it from the new page's list.

#include <cstdint>

class TPenList;

inline constexpr int32_t kUdoSlots = 256;

// Whether the Undo / Redo commands can be used. Written only by this module.
extern bool UdoEnabled;
extern bool RedoEnabled;

// Creates the 256 empty slots and an empty history (also run once at program load).
void UdoInit();
// Frees the slots. Until the next UdoInit every other operation does nothing but clear
// the two flags.
void UdoDone();
// Forgets the history; the slots keep their contents until overwritten.
void UdoReset();
// Records list as the newest state. An empty list after an empty state is not recorded.
void UdoSave(const TPenList& list);
// Records an empty state, if list is not empty and the current state is not empty already.
void UdoSaveBlank(const TPenList& list);
// Steps back / forward one state, copying it into list.
void UdoUndo(TPenList& list);
void UdoRedo(TPenList& list);

// The slot of the state shown now and of the newest state; -1 for an empty history.
int32_t UdoIndexGet();
int32_t UdoTopGet();
