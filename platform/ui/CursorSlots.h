#pragma once
// Numbered application cursor slots. A slot holds a 32 x 32 colour image, a mask saying
// which of its pixels are visible, and a hot spot; controls select a cursor by its slot
// number (0 = the platform's default arrow). Slot contents can be read, edited and put
// back, so that a cursor can be recoloured at run time.

#include "platform/raster/Bitmap.h"
#include "platform/raster/Geometry.h"

#include <array>

class QCursor;

namespace plat {

inline constexpr int kCursorSize = 32;
inline constexpr int kCursorSlotCount = 14; // slots 1..13; 0 is the default cursor

class CursorImage {
public:
    // A 32 x 32 black image, nothing visible, hot spot (0, 0).
    CursorImage();
    CursorImage(const CursorImage& other);
    CursorImage& operator=(const CursorImage& other);

    // The colour image (Rgb32, 32 x 32). Pixels can be changed freely.
    Bitmap& Image() { return image_; }
    const Bitmap& Image() const { return image_; }

    // Colour of one pixel as a Color value (0x00BBGGRR); coordinates must be in 0..31.
    Color PixelAt(int x, int y) const;
    void SetPixel(int x, int y, Color color);

    bool Visible(int x, int y) const { return mask_[Index(x, y)]; }
    void SetVisible(int x, int y, bool visible) { mask_[Index(x, y)] = visible; }
    int VisibleCount() const;

    Point hotSpot;

private:
    static int Index(int x, int y) { return y * kCursorSize + x; }
    Bitmap image_{PixelFormat::Rgb32};
    std::array<bool, kCursorSize * kCursorSize> mask_{};
};

// Puts a copy of image into slot 1..kCursorSlotCount-1; other slot numbers are ignored.
void SetSlotCursor(int slot, const CursorImage& image);
// The image held by a slot; nullptr for slot 0, an empty slot or a number out of range.
const CursorImage* SlotCursorImage(int slot);
// Empties every slot (tests, and the end of the program).
void ClearCursorSlots();

// The cursor for a slot: the slot's image, or the default arrow for slot 0, an empty slot
// or a number out of range. Needs a running QGuiApplication.
QCursor SlotCursor(int slot);

// Application-wide pointer hiding, used while the pen is down: while hidden, every window of
// the program shows no pointer. Setting the same state twice changes nothing.
void SetPointerHidden(bool hidden);
bool PointerHidden();

} // namespace plat
