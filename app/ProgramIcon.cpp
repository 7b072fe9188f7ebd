#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// Colours of the picture.
const QColor kPageFill(0xFD, 0xFC, 0xF6);
const QColor kPageEdge(0x8A, 0x8A, 0x8A);
const QColor kPageLine(0xD8, 0xE2, 0xEE);
const QColor kInk(0xDC, 0x1E, 0x1E);
const QColor kDisc(0xB4, 0x00, 0x00);
const QColor kDigit(0xFF, 0xFF, 0xFF);
const QColor kBrushTip(0x20, 0x20, 0x20);
const QColor kFerrule(0xC8, 0xA0, 0x40);
const QColor kHandle(0x8B, 0x4E, 0x22);

// Paints the picture on a px × px grid. Positions are laid out on a 48-unit design grid;
// the page's edges are snapped to whole pixels, so its outline is one crisp pixel line.
void PaintIcon(QPainter& p, int px) {
    const qreal u = px / 48.0;
    const auto snap = [u](qreal v) { return std::round(v * u); };
    const bool small = px < 24;

    // The page: a light sheet with a hairline outline and faint rules.
    const int left = static_cast<int>(snap(3));
    const int top = static_cast<int>(snap(6));
    const int right = static_cast<int>(snap(39));
    const int bottom = static_cast<int>(snap(45));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(left, top, right - left, bottom - top, kPageFill);
    if (!small) {
        p.setPen(QPen(kPageLine, 1));
        for (const qreal y : {17.0, 37.0}) {
            const int row = static_cast<int>(snap(y));
            p.drawLine(left + 1, row, right - 2, row);
        }
    }
    p.setPen(QPen(kPageEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(left, top, right - left - 1, bottom - top - 1);

    p.setRenderHint(QPainter::Antialiasing, true);

    // The stroke: a brush line that swells and thins out, from the disc to the brush tip.
    const QPointF start(snap(11), snap(31));
    const QPointF end(snap(33), snap(24));
    const qreal width = std::max(small ? 2.0 : 1.5, 5.0 * u);
    QPainterPath stroke;
    stroke.moveTo(start);
    stroke.quadTo(QPointF(snap(21), snap(22)), end);
    p.setPen(QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(stroke);

    // The number disc at the stroke's start, with a "1" drawn as lines (no font needed).
    const qreal radius = std::max(small ? 2.0 : 2.5, 6.0 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(kDisc);
    p.drawEllipse(start, radius, radius);
    if (px >= 28) { // below that the digit would only blur the disc
        const qreal w = std::max(1.0, 1.6 * u);
        QPen digit(kDigit, w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        p.setPen(digit);
        const qreal x = start.x() + 0.4 * u;
        const qreal h = radius * 0.62;
        QPainterPath one;
        one.moveTo(x - h * 0.55, start.y() - h * 0.55);
        one.lineTo(x, start.y() - h);
        one.lineTo(x, start.y() + h);
        p.drawPath(one);
        p.drawLine(QPointF(x - h * 0.5, start.y() + h), QPointF(x + h * 0.5, start.y() + h));
    }

    // The brush: its tip touches the stroke's end, the handle points up and to the right,
    // out over the page's corner.
    const QPointF tip = end;
    const QPointF ferruleStart(snap(38.5), snap(18.5));
    const QPointF ferruleEnd(snap(41), snap(16));
    const QPointF handleEnd(snap(46.5), snap(10.5));
    const qreal brushWidth = std::max(small ? 2.0 : 2.5, 5.0 * u);
    QPainterPath hairs;
    const QPointF along = ferruleStart - tip;
    const qreal length = std::hypot(along.x(), along.y());
    const QPointF normal(-along.y() / length * brushWidth / 2, along.x() / length * brushWidth / 2);
    hairs.moveTo(tip);
    hairs.quadTo(tip + along * 0.45 + normal * 1.1, ferruleStart + normal);
    hairs.lineTo(ferruleStart - normal);
    hairs.quadTo(tip + along * 0.45 - normal * 1.1, tip);
    p.setPen(Qt::NoPen);
    p.setBrush(kBrushTip);
    p.drawPath(hairs);
    p.setPen(QPen(kFerrule, brushWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(ferruleStart, ferruleEnd);
    p.setPen(QPen(kHandle, brushWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(ferruleEnd, handleEnd);
}

} // namespace

QImage ProgramIconImage(int size, qreal devicePixelRatio) {
    const int px = std::max(1, static_cast<int>(std::lround(size * devicePixelRatio)));
    QImage image(px, px, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        PaintIcon(p, px);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QPixmap ProgramIconPixmap(int size, qreal devicePixelRatio) {
    return QPixmap::fromImage(ProgramIconImage(size, devicePixelRatio));
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 96, 128, 256})
        icon.addPixmap(ProgramIconPixmap(size));
    return icon;
}
