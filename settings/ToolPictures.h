#pragma once
// The pictures of the tool bar and menus that are drawn once: the base pictures from which
// the pen-state icons are painted (highlighter, pen, their rainbow forms and the colour
// balls, on olive), the settings dialog's rainbow swatch, and the fixed pictures of the
// main list (erasers, pages, stroke-order pen, undo, redo, lasso). Fixed pictures also get
// a drawing at twice the size for high-density screens.

#include "platform/ui/ImageList.h"

// Main-list slots of the fixed pictures.
inline constexpr int32_t kSlotEraseAll = 9;
inline constexpr int32_t kSlotEraser1 = 10; // small; 11 medium, 12 large
inline constexpr int32_t kSlotPrevWord = 36;
inline constexpr int32_t kSlotNextWord = 37;
inline constexpr int32_t kSlotWhiteboard = 38;
inline constexpr int32_t kSlotWordPage = 39;
inline constexpr int32_t kSlotFude = 40;
inline constexpr int32_t kSlotUndo = 41;
inline constexpr int32_t kSlotRedo = 42;
inline constexpr int32_t kSlotLasso = 43;

// Fills the fixed pictures of mainList (slots 13..17 empty), all of baseList (13 slots)
// and the rainbow swatch of dialogList (slot 9). The painted slots are left alone.
void ToolPicturesLoad(plat::TImageList& mainList, plat::TImageList& baseList,
                      plat::TImageList& dialogList);
