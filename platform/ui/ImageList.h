#pragma once
// An image list: a numbered store of equally sized pictures, each a 32-bit picture with a
// mask, as menus and tool buttons show them. Painters replace single slots; whoever shows
// a slot listens to Changed and fetches the new icon.

#include "platform/raster/Bitmap.h"
#include "platform/raster/Color.h"

#include <QIcon>
#include <QObject>
#include <memory>
#include <vector>

namespace plat {

class TImageList : public QObject {
    Q_OBJECT
public:
    TImageList(int32_t width, int32_t height, int32_t count, QObject* parent = nullptr);
    ~TImageList() override;

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Count() const { return static_cast<int32_t>(slots_.size()); }

    // The picture of slot i (Rgb32, Width x Height) and whether its pixel (x, y) is opaque.
    const Bitmap& Picture(int32_t i) const;
    bool Opaque(int32_t i, int32_t x, int32_t y) const;

    // Replaces slot i: the picture with an explicit mask (row-major, true = opaque).
    void Replace(int32_t i, const Bitmap& picture, const std::vector<bool>& mask);
    // Replaces slot i: every pixel of the key colour is transparent, all others opaque.
    void ReplaceMasked(int32_t i, const Bitmap& picture, Color transparentKey);
    // An optional sharper drawing of slot i for high-density screens (any size, ARGB);
    // Icon() offers it beside the exact pixels. Replace/ReplaceMasked drop it.
    void SetHighDensity(int32_t i, const QImage& image);

    // The slot as an icon for menus and buttons (cached until the slot changes).
    QIcon Icon(int32_t i) const;

signals:
    void Changed(int32_t index);

private:
    struct Slot;
    int32_t width_;
    int32_t height_;
    std::vector<std::unique_ptr<Slot>> slots_;
};

} // namespace plat
