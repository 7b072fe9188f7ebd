#include "platform/ui/ImageList.h"

#include <QImage>
#include <QPixmap>
#include <algorithm>

namespace plat {

struct TImageList::Slot {
    Bitmap picture;
    std::vector<bool> mask; // row-major, true = opaque
    QImage highDensity;     // ARGB32 premultiplied, or null
    mutable QIcon icon;
    mutable bool iconValid = false;
};

namespace {

// The picture a slot index outside the list answers with.
const Bitmap& EmptyPicture() {
    static const Bitmap empty;
    return empty;
}

// The exact pixels of a slot: opaque pixels keep their colour, the rest are transparent.
QImage SlotImage(const Bitmap& picture, const std::vector<bool>& mask) {
    const int32_t w = picture.Width();
    const int32_t h = picture.Height();
    QImage image(w, h, QImage::Format_ARGB32);
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* src = picture.Row32(y);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < w; ++x) {
            const bool opaque = mask[static_cast<size_t>(y) * w + x];
            // Rgb32 reads as 0x00RRGGBB, the QRgb layout without alpha.
            dst[x] = opaque ? (src[x] | 0xFF000000u) : 0u;
        }
    }
    return image;
}

} // namespace

TImageList::TImageList(int32_t width, int32_t height, int32_t count, QObject* parent)
    : QObject(parent), width_(std::max(width, 1)), height_(std::max(height, 1)) {
    slots_.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int32_t i = 0; i < count; ++i) {
        auto slot = std::make_unique<Slot>();
        slot->picture.SetSize(width_, height_);
        slot->mask.assign(static_cast<size_t>(width_) * height_, false);
        slots_.push_back(std::move(slot));
    }
}

TImageList::~TImageList() = default;

const Bitmap& TImageList::Picture(int32_t i) const {
    if (i < 0 || i >= Count()) return EmptyPicture();
    return slots_[static_cast<size_t>(i)]->picture;
}

bool TImageList::Opaque(int32_t i, int32_t x, int32_t y) const {
    if (i < 0 || i >= Count() || x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return slots_[static_cast<size_t>(i)]->mask[static_cast<size_t>(y) * width_ + x];
}

void TImageList::Replace(int32_t i, const Bitmap& picture, const std::vector<bool>& mask) {
    if (i < 0 || i >= Count()) return;
    Slot& slot = *slots_[static_cast<size_t>(i)];
    // Copy into the list's own size and format; whatever the source lacks is transparent.
    const bool rgb32 = picture.Format() == PixelFormat::Rgb32;
    for (int32_t y = 0; y < height_; ++y) {
        uint32_t* dst = slot.picture.Row32(y);
        for (int32_t x = 0; x < width_; ++x) {
            const size_t m = static_cast<size_t>(y) * width_ + x;
            const bool inside = x < picture.Width() && y < picture.Height();
            if (!inside) {
                dst[x] = 0;
                slot.mask[m] = false;
                continue;
            }
            dst[x] = rgb32 ? picture.Row32(y)[x] : ColorToPixel32(picture.PixelColor(x, y));
            const size_t srcIndex = static_cast<size_t>(y) * picture.Width() + x;
            slot.mask[m] = srcIndex < mask.size() && mask[srcIndex];
        }
    }
    slot.highDensity = QImage();
    slot.iconValid = false;
    emit Changed(i);
}

void TImageList::ReplaceMasked(int32_t i, const Bitmap& picture, Color transparentKey) {
    std::vector<bool> mask(static_cast<size_t>(picture.Width()) * picture.Height());
    const Color key = transparentKey & 0xFFFFFFu;
    for (int32_t y = 0; y < picture.Height(); ++y)
        for (int32_t x = 0; x < picture.Width(); ++x)
            mask[static_cast<size_t>(y) * picture.Width() + x] = picture.PixelColor(x, y) != key;
    Replace(i, picture, mask);
}

void TImageList::SetHighDensity(int32_t i, const QImage& image) {
    if (i < 0 || i >= Count()) return;
    Slot& slot = *slots_[static_cast<size_t>(i)];
    slot.highDensity =
        image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    slot.iconValid = false;
    emit Changed(i);
}

QIcon TImageList::Icon(int32_t i) const {
    if (i < 0 || i >= Count()) return QIcon();
    const Slot& slot = *slots_[static_cast<size_t>(i)];
    if (slot.iconValid) return slot.icon;
    const QImage exact = SlotImage(slot.picture, slot.mask);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(exact));
    // QIcon picks the pixmap that fits the device pixel ratio. Without a drawing of its own,
    // a slot gets its pixels doubled so that it stays crisp instead of being blurred.
    if (!slot.highDensity.isNull())
        icon.addPixmap(QPixmap::fromImage(slot.highDensity));
    else
        icon.addPixmap(QPixmap::fromImage(
            exact.scaled(width_ * 2, height_ * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    slot.icon = icon;
    slot.iconValid = true;
    return icon;
}

} // namespace plat
