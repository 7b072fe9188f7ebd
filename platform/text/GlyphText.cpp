#include "platform/text/GlyphText.h"

#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace plat {
namespace {

int CellOf(const QFont& font) {
    return QFontMetrics(font).height();
} // ascent + descent

QFont WithPixelSize(const QString& family, int pixelSize) {
    QFont font = family.isEmpty() ? QFont() : QFont(family);
    font.setPixelSize(std::max(1, pixelSize));
    return font;
}

} // namespace

QFont FontForCell(const QString& family, int32_t cellHeight) {
    cellHeight = std::clamp(cellHeight, 1, 4096);
    // Resolving a font is slow compared with drawing a digit; keep the answers.
    static QHash<QPair<QString, int>, QFont> cache;
    const auto key = qMakePair(family, int(cellHeight));
    if (auto it = cache.constFind(key); it != cache.constEnd()) return it.value();

    // The em size is what Qt takes; scale it to the wanted cell, then step to the largest
    // size whose cell still fits.
    const int first = std::max(1, CellOf(WithPixelSize(family, cellHeight)));
    int size = std::max(1, int(int64_t{cellHeight} * cellHeight / first));
    for (int i = 0; i < 16 && size > 1 && CellOf(WithPixelSize(family, size)) > cellHeight; ++i)
        --size;
    for (int i = 0; i < 16 && CellOf(WithPixelSize(family, size + 1)) <= cellHeight; ++i) ++size;
    QFont font = WithPixelSize(family, size);
    if (cache.size() > 64) cache.clear();
    cache.insert(key, font);
    return font;
}

Size MeasureText(const QString& family, int32_t cellHeight, const QString& text) {
    const QFontMetrics metrics(FontForCell(family, cellHeight));
    return {metrics.horizontalAdvance(text), metrics.height()};
}

std::vector<int32_t> PrefixWidths(const QString& family, int32_t cellHeight, const QString& text) {
    const QFontMetrics metrics(FontForCell(family, cellHeight));
    std::vector<int32_t> widths;
    widths.reserve(size_t(text.size()));
    for (qsizetype i = 1; i <= text.size(); ++i)
        widths.push_back(metrics.horizontalAdvance(text.left(i)));
    return widths;
}

GlyphMask RenderTextMask(const QString& family, int32_t cellHeight, const QString& text) {
    const QFont font = FontForCell(family, cellHeight);
    const QFontMetrics metrics(font);
    GlyphMask mask;
    mask.width = metrics.horizontalAdvance(text);
    mask.height = metrics.height();
    if (mask.width <= 0 || mask.height <= 0) {
        mask.width = std::max(mask.width, 0);
        return mask;
    }
    QImage image(mask.width, mask.height, QImage::Format_Grayscale8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(0, metrics.ascent()), text);
    }
    mask.bits.resize(size_t(mask.width) * size_t(mask.height));
    for (int y = 0; y < mask.height; ++y) {
        const uchar* row = image.constScanLine(y);
        uint8_t* dst = mask.bits.data() + size_t(y) * size_t(mask.width);
        for (int x = 0; x < mask.width; ++x) dst[x] = row[x] >= 128 ? 1 : 0;
    }
    return mask;
}

} // namespace plat
