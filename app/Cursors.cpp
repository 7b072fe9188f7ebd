#include "app/Cursors.h"

#include "platform/Rnd.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

namespace {

using plat::Color;
using plat::CursorImage;
using plat::kCursorSize;

// The pen nib: the pixels near the tip that carry the pen's colour, each with the shading
// factor applied to that colour. The drawing surface recolours exactly these pixels of the
// template pens (slots 2 and 6), so every pen of the set uses the same nib.
struct NibPixel {
    int x, y;
    double f;
};
constexpr std::array<NibPixel, 33> kNib{{
    {0, 0, 1.0},  {1, 1, 1.0},  {2, 1, 1.0},  {3, 1, 1.0},  {4, 1, 1.0},  {2, 2, 1.0},
    {3, 2, 1.0},  {4, 2, 1.0},  {5, 2, 1.0},  {3, 3, 1.0},  {4, 3, 1.0},  {5, 3, 1.0},
    {3, 4, 1.0},  {4, 4, 1.0},  {2, 3, 0.98}, {2, 4, 0.98}, {3, 5, 0.98}, {1, 2, 0.73},
    {1, 3, 0.73}, {1, 4, 0.73}, {2, 5, 0.73}, {1, 0, 0.59}, {2, 0, 0.59}, {3, 0, 0.59},
    {4, 0, 0.59}, {0, 1, 0.59}, {5, 1, 0.59}, {0, 2, 0.59}, {6, 2, 0.59}, {0, 3, 0.59},
    {0, 4, 0.59}, {1, 5, 0.59}, {2, 6, 0.59},
}};

// The colour cycle of the rainbow pen (0x00BBGGRR): magenta, red, orange, yellow, green,
// blue, slate blue.
constexpr std::array<Color, 7> kRainbow{0xFF00FF, 0x0000FF, 0x0066FF, 0x00FFFF,
                                        0x00FF00, 0xFF0000, 0xCC6666};

constexpr Color kCyan = 0xFFFF00;

Color Shade(Color c, double f) {
    const auto part = [f](int v) { return plat::Rnd(v * f); };
    return plat::Rgb(part(plat::RedOf(c)), part(plat::GreenOf(c)), part(plat::BlueOf(c)));
}

QColor ToQColor(Color c) {
    return QColor(plat::RedOf(c), plat::GreenOf(c), plat::BlueOf(c));
}

QImage NewCanvas() {
    QImage image(kCursorSize, kCursorSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// An antialiased drawing becomes a cursor: pixels at least half covered are visible and
// keep their (unpremultiplied) colour, the rest are transparent.
CursorImage FromImage(const QImage& image, plat::Point hotSpot) {
    CursorImage cursor;
    cursor.hotSpot = hotSpot;
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            const QColor c = QColor::fromRgba(image.pixel(x, y));
            const bool visible = c.alpha() >= 128;
            cursor.SetVisible(x, y, visible);
            cursor.SetPixel(x, y, visible ? plat::Rgb(c.red(), c.green(), c.blue()) : 0);
        }
    }
    return cursor;
}

QPen Outline(double width = 1.2) {
    QPen pen(QColor(24, 24, 24));
    pen.setWidthF(width);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

enum class NibKind { Rainbow, Template, Black, White };

Color NibColor(NibKind kind, int x, int y) {
    switch (kind) {
    case NibKind::Rainbow:
        return kRainbow[static_cast<size_t>((x - y + 7) % 7)];
    case NibKind::Template:
        return kCyan;
    case NibKind::Black:
        return 0x000000;
    case NibKind::White:
        return 0xFFFFFF;
    }
    return 0;
}

// A pen lying along the diagonal, its nib at the top-left corner (the hot spot 0,0).
// The painter works in a frame turned by 45 degrees: u along the pen, v across it.
// A highlighter has a broad chisel holder and a wide body.
CursorImage PenCursorImage(NibKind kind, bool highlighter) {
    QImage image = NewCanvas();
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.rotate(45.0);
        const double holderEnd = highlighter ? 11.0 : 9.5;
        const double body = highlighter ? 7.0 : 4.2;
        // Holder: widens from the nib to the body.
        QPolygonF holder;
        holder << QPointF(5.4, -3.4) << QPointF(holderEnd, -body) << QPointF(holderEnd, body)
               << QPointF(5.4, 3.4);
        p.setPen(Outline());
        p.setBrush(QColor(88, 88, 96));
        p.drawPolygon(holder);
        // Body.
        const QRectF bodyRect(holderEnd, -body, 46.0 - holderEnd, 2 * body);
        p.setBrush(highlighter ? QColor(236, 236, 224) : QColor(244, 244, 244));
        p.drawRect(bodyRect);
        // A light stripe along the body gives it some roundness.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(holderEnd + 1.0, -body + 1.2, 44.0 - holderEnd, body * 0.45));
        // Ring between holder and body; on the rainbow pens a band of the colour cycle.
        if (kind == NibKind::Rainbow) {
            const double w = highlighter ? 1.6 : 1.4;
            for (size_t i = 0; i < kRainbow.size(); ++i) {
                p.setBrush(ToQColor(kRainbow[i]));
                p.drawRect(QRectF(holderEnd + 2.0 + w * static_cast<double>(i), -body + 0.6, w,
                                  2 * body - 1.2));
            }
        } else {
            p.setBrush(QColor(150, 150, 160));
            p.drawRect(QRectF(holderEnd + 0.6, -body + 0.6, 1.6, 2 * body - 1.2));
        }
        p.setPen(Outline());
        p.setBrush(Qt::NoBrush);
        p.drawRect(bodyRect);
    }
    CursorImage cursor = FromImage(image, {0, 0});
    for (const NibPixel& n : kNib) {
        cursor.SetPixel(n.x, n.y, Shade(NibColor(kind, n.x, n.y), n.f));
        cursor.SetVisible(n.x, n.y, true);
    }
    return cursor;
}

// An eraser block along the diagonal; its rubber end is centred on the hot spot (6, 6).
CursorImage EraserCursorImage() {
    QImage image = NewCanvas();
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(6.5, 6.5);
        p.rotate(45.0);
        p.setPen(Outline());
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(-4.2, -4.6, 10.2, 9.2)); // rubber
        p.setBrush(QColor(46, 110, 214));
        p.drawRect(QRectF(6.0, -5.0, 22.0, 10.0)); // paper sleeve
        p.setPen(QPen(QColor(255, 255, 255), 1.0));
        p.drawLine(QPointF(9.0, -2.5), QPointF(24.0, -2.5));
    }
    return FromImage(image, {6, 6});
}

// A hand, palm towards the viewer; open: fingers stretched, the middle fingertip at the
// hot spot (15, 1); closed: the fingers curled into a grip below it.
CursorImage HandCursorImage(bool closed) {
    QImage image = NewCanvas();
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath hand;
        hand.setFillRule(Qt::WindingFill);
        struct Finger {
            double x, top;
        };
        const std::array<Finger, 4> open{{{9.8, 3.5}, {13.4, 0.6}, {17.0, 2.0}, {20.6, 5.0}}};
        const std::array<Finger, 4> curled{{{9.8, 7.0}, {13.4, 6.0}, {17.0, 6.5}, {20.6, 8.0}}};
        const auto& fingers = closed ? curled : open;
        for (const Finger& f : fingers)
            hand.addRoundedRect(QRectF(f.x, f.top, 3.6, 17.0 - f.top), 1.8, 1.8);
        hand.addRoundedRect(QRectF(9.8, 11.0, 14.4, 16.0), 4.0, 4.0); // palm
        QPainterPath thumb;
        if (closed) {
            thumb.addRoundedRect(QRectF(6.0, 13.0, 9.0, 4.0), 2.0, 2.0);
        } else {
            QPolygonF t;
            t << QPointF(10.5, 22.0) << QPointF(4.2, 14.0) << QPointF(5.6, 11.8)
              << QPointF(8.0, 12.6) << QPointF(12.5, 17.0);
            thumb.addPolygon(t);
            thumb.closeSubpath();
        }
        hand = hand.united(thumb).simplified();
        p.setPen(Outline());
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(hand);
        // Lines between the fingers.
        p.setPen(Outline(1.0));
        for (size_t i = 1; i < fingers.size(); ++i) {
            const double x = fingers[i].x;
            const double top = std::max(fingers[i].top, fingers[i - 1].top) + 2.0;
            p.drawLine(QPointF(x, top), QPointF(x, closed ? 11.0 : 14.0));
        }
        if (closed) p.drawLine(QPointF(10.0, 11.0), QPointF(24.0, 11.0)); // knuckle line
    }
    return FromImage(image, {15, 1});
}

// A lasso: a rope loop at the upper right, its loose end at the hot spot (0, 24).
CursorImage LassoCursorImage() {
    QImage image = NewCanvas();
    {
        // Drawn without antialiasing: a thin rope stays crisp at cursor size.
        QPainter p(&image);
        QPainterPath rope;
        rope.addEllipse(QPointF(19.0, 10.0), 10.5, 6.5);
        QPainterPath tail;
        tail.moveTo(11.0, 15.5);
        tail.cubicTo(7.0, 19.0, 9.0, 22.5, 0.5, 24.5);
        const QPen halo(QColor(255, 255, 255), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        const QPen line(QColor(24, 24, 24), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        for (const QPen& pen : {halo, line}) {
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawPath(rope);
            p.drawPath(tail);
        }
        p.setPen(Outline(1.0));
        p.setBrush(QColor(24, 24, 24));
        p.drawEllipse(QPointF(11.0, 15.5), 1.5, 1.5); // knot
    }
    CursorImage cursor = FromImage(image, {0, 24});
    cursor.SetPixel(0, 24, 0x181818);
    cursor.SetVisible(0, 24, true);
    return cursor;
}

} // namespace

CursorImage CursorImageFor(int slot) {
    switch (slot) {
    case kCursorRainbowPen:
        return PenCursorImage(NibKind::Rainbow, false);
    case kCursorColorPen:
        return PenCursorImage(NibKind::Template, false);
    case kCursorBlackPen:
        return PenCursorImage(NibKind::Black, false);
    case kCursorWhitePen:
        return PenCursorImage(NibKind::White, false);
    case kCursorRainbowMarker:
        return PenCursorImage(NibKind::Rainbow, true);
    case kCursorColorMarker:
        return PenCursorImage(NibKind::Template, true);
    case kCursorBlackMarker:
        return PenCursorImage(NibKind::Black, true);
    case kCursorWhiteMarker:
        return PenCursorImage(NibKind::White, true);
    case kCursorEraser:
        return EraserCursorImage();
    case kCursorHand:
        return HandCursorImage(false);
    case kCursorHandClosed:
        return HandCursorImage(true);
    case kCursorLasso:
        return LassoCursorImage();
    default:
        return CursorImage();
    }
}

void CursorsLoad() {
    for (int slot :
         {kCursorRainbowPen, kCursorColorPen, kCursorBlackPen, kCursorWhitePen,
          kCursorRainbowMarker, kCursorColorMarker, kCursorBlackMarker, kCursorWhiteMarker,
          kCursorEraser, kCursorHand, kCursorHandClosed, kCursorLasso})
        plat::SetSlotCursor(slot, CursorImageFor(slot));
}
