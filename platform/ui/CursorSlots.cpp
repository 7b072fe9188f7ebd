#include "platform/ui/CursorSlots.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

namespace plat {

CursorImage::CursorImage() {
    image_.SetSize(kCursorSize, kCursorSize);
}

CursorImage::CursorImage(const CursorImage& other) : hotSpot(other.hotSpot), mask_(other.mask_) {
    image_.SetSize(kCursorSize, kCursorSize);
    for (int y = 0; y < kCursorSize; ++y)
        std::memcpy(image_.ScanLine(y), other.image_.ScanLine(y), kCursorSize * 4);
}

CursorImage& CursorImage::operator=(const CursorImage& other) {
    if (this == &other) return *this;
    hotSpot = other.hotSpot;
    mask_ = other.mask_;
    for (int y = 0; y < kCursorSize; ++y)
        std::memcpy(image_.ScanLine(y), other.image_.ScanLine(y), kCursorSize * 4);
    return *this;
}

Color CursorImage::PixelAt(int x, int y) const {
    return Pixel32ToColor(image_.Row32(y)[x]);
}

void CursorImage::SetPixel(int x, int y, Color color) {
    image_.Row32(y)[x] = ColorToPixel32(color & 0xFFFFFFu);
}

int CursorImage::VisibleCount() const {
    return static_cast<int>(std::count(mask_.begin(), mask_.end(), true));
}

namespace {

struct Slot {
    std::unique_ptr<CursorImage> image;
    std::optional<QCursor> cursor; // built on first use
};

std::array<Slot, kCursorSlotCount>& Slots() {
    static std::array<Slot, kCursorSlotCount> table;
    return table;
}

bool InRange(int slot) {
    return slot >= 1 && slot < kCursorSlotCount;
}

QCursor MakeCursor(const CursorImage& image) {
    QImage argb(kCursorSize, kCursorSize, QImage::Format_ARGB32);
    for (int y = 0; y < kCursorSize; ++y) {
        auto* out = reinterpret_cast<QRgb*>(argb.scanLine(y));
        const uint32_t* in = image.Image().Row32(y);
        for (int x = 0; x < kCursorSize; ++x) {
            // Rgb32 pixel words read as 0x00RRGGBB, QRgb's layout without alpha.
            out[x] = image.Visible(x, y) ? (in[x] | 0xFF000000u) : 0u;
        }
    }
    return QCursor(QPixmap::fromImage(argb), image.hotSpot.x, image.hotSpot.y);
}

bool pointerHidden = false;

} // namespace

void SetSlotCursor(int slot, const CursorImage& image) {
    if (!InRange(slot)) return;
    Slot& s = Slots()[static_cast<size_t>(slot)];
    s.image = std::make_unique<CursorImage>(image);
    s.cursor.reset();
}

const CursorImage* SlotCursorImage(int slot) {
    if (!InRange(slot)) return nullptr;
    return Slots()[static_cast<size_t>(slot)].image.get();
}

void ClearCursorSlots() {
    for (Slot& s : Slots()) {
        s.image.reset();
        s.cursor.reset();
    }
}

QCursor SlotCursor(int slot) {
    if (!InRange(slot)) return QCursor(Qt::ArrowCursor);
    Slot& s = Slots()[static_cast<size_t>(slot)];
    if (!s.image) return QCursor(Qt::ArrowCursor);
    if (!s.cursor) s.cursor = MakeCursor(*s.image);
    return *s.cursor;
}

void SetPointerHidden(bool hidden) {
    if (hidden == pointerHidden) return;
    // The override cursor is a stack in Qt; this keeps at most one entry of ours on it.
    if (hidden)
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    pointerHidden = hidden;
}

bool PointerHidden() {
    return pointerHidden;
}

} // namespace plat
