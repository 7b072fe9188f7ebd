#pragma once
// An image control: a widget that shows its own 32-bit screen picture and hands pointer
// input to three overridable handlers. Mouse events and pen-tablet events arrive with the
// same meaning (press, move, release); no event is merged or dropped on the way.

#include "platform/raster/Bitmap.h"
#include "platform/raster/Canvas.h"
#include "platform/raster/Geometry.h"
#include "platform/ui/Input.h"

#include <QWidget>

namespace plat {

class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);
    ~TImage() override;

    // The screen picture; the owner sizes it to the control (SetPictureSize).
    Bitmap& Picture() { return picture_; }
    Canvas& ScreenCanvas() { return picture_.GetCanvas(); }
    void SetPictureSize(int32_t width, int32_t height);

    // Schedules the given rectangle of the screen picture to be shown.
    void Invalidate(const Rect& rect);
    void InvalidateAll();

    // The control's cursor: a numbered cursor slot (CursorSlots.h), 0 = default cursor.
    void SetCursorSlot(int slot);
    int CursorSlot() const { return cursorSlot_; }
    // Applies the control's cursor at once, without waiting for the next pointer move.
    void ApplyCursorNow();

protected:
    virtual void MouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y);
    virtual void MouseMove(ShiftState shift, int32_t x, int32_t y);
    virtual void MouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void tabletEvent(QTabletEvent* event) override;

private:
    Bitmap picture_;
    int cursorSlot_ = 0;
};

} // namespace plat
