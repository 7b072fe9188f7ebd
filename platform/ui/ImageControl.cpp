#include "platform/ui/ImageControl.h"

#include "platform/ui/CursorSlots.h"
#include "platform/ui/QtInput.h"

#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QTabletEvent>

namespace plat {

namespace {

QPoint ControlPoint(const QPointF& position) {
    return position.toPoint();
}

bool IsEraser(const QTabletEvent* event) {
    return event->pointerType() == QPointingDevice::PointerType::Eraser;
}

} // namespace

TImage::TImage(QWidget* parent) : QWidget(parent) {
    // Moves without a pressed button must arrive too (pressure and previews follow them),
    // for the mouse and for a hovering pen alike.
    setMouseTracking(true);
    setAttribute(Qt::WA_TabletTracking, true);
    // paintEvent covers every pixel of the dirty region itself.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setFocusPolicy(Qt::NoFocus);
}

TImage::~TImage() = default;

void TImage::SetPictureSize(int32_t width, int32_t height) {
    picture_.SetSize(width < 0 ? 0 : width, height < 0 ? 0 : height);
    update();
}

void TImage::Invalidate(const Rect& rect) {
    if (rect.IsEmpty()) return;
    update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

void TImage::InvalidateAll() {
    update();
}

void TImage::SetCursorSlot(int slot) {
    cursorSlot_ = slot;
    // Always set again: the slot's image may have been replaced since (recoloured pens).
    setCursor(SlotCursor(slot));
}

void TImage::ApplyCursorNow() {
    // Qt hands a widget's cursor to the window system as soon as it is set when the pointer
    // is over the widget, so setting it again shows it at once, without a pointer move
    // (and without the synthetic move a pointer warp would deliver).
    setCursor(SlotCursor(cursorSlot_));
}

void TImage::MouseDown(MouseButton, ShiftState, int32_t, int32_t) {}
void TImage::MouseMove(ShiftState, int32_t, int32_t) {}
void TImage::MouseUp(MouseButton, ShiftState, int32_t, int32_t) {}

void TImage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect pictureRect(0, 0, picture_.Width(), picture_.Height());
    const QImage image = picture_.ToQImage();
    for (const QRect& dirty : event->region()) {
        const QRect shown = dirty.intersected(pictureRect);
        if (!shown.isEmpty()) painter.drawImage(shown.topLeft(), image, shown);
        // Whatever lies beyond the picture (only while the owner has not sized it yet).
        const QRegion outside = QRegion(dirty).subtracted(QRegion(pictureRect));
        for (const QRect& part : outside) painter.fillRect(part, Qt::white);
    }
}

void TImage::mousePressEvent(QMouseEvent* event) {
    const auto button = ToMouseButton(event->button());
    event->accept();
    if (!button) return;
    const QPoint p = ControlPoint(event->position());
    MouseDown(*button, ToShiftState(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TImage::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const QPoint p = ControlPoint(event->position());
    MouseMove(ToShiftState(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    const auto button = ToMouseButton(event->button());
    event->accept();
    if (!button) return;
    const QPoint p = ControlPoint(event->position());
    MouseUp(*button, ToShiftState(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TImage::tabletEvent(QTabletEvent* event) {
    // Accepted tablet events are not delivered a second time as synthesised mouse events,
    // so every contact reaches the handlers exactly once.
    const bool eraser = IsEraser(event);
    const QPoint p = ControlPoint(event->position());
    const ShiftState shift = ToShiftState(event->modifiers(), event->buttons(), eraser);
    switch (event->type()) {
    case QEvent::TabletPress:
        event->accept();
        if (const auto button = ToMouseButton(event->button(), eraser))
            MouseDown(*button, shift, p.x(), p.y());
        break;
    case QEvent::TabletMove:
        event->accept();
        MouseMove(shift, p.x(), p.y());
        break;
    case QEvent::TabletRelease:
        event->accept();
        if (const auto button = ToMouseButton(event->button(), eraser))
            MouseUp(*button, shift, p.x(), p.y());
        break;
    default:
        event->ignore();
        break;
    }
}

} // namespace plat
