// The image control's pointer input and painting, the cursor slots, the application
// attributes and the monitor helpers.

#include "platform/ui/Application.h"
#include "platform/ui/CursorSlots.h"
#include "platform/ui/ImageControl.h"
#include "platform/ui/Monitors.h"
#include "platform/ui/QtInput.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTabletEvent>
#include <gtest/gtest.h>
#include <vector>

namespace {

using plat::MouseButton;
using plat::ShiftState;

struct Call {
    char kind; // 'd' down, 'm' move, 'u' up
    MouseButton button;
    ShiftState shift;
    int32_t x, y;
    friend bool operator==(const Call&, const Call&) = default;
};

class RecordingImage : public plat::TImage {
public:
    std::vector<Call> calls;

protected:
    void MouseDown(MouseButton b, ShiftState s, int32_t x, int32_t y) override {
        calls.push_back({'d', b, s, x, y});
    }
    void MouseMove(ShiftState s, int32_t x, int32_t y) override {
        calls.push_back({'m', MouseButton::Left, s, x, y});
    }
    void MouseUp(MouseButton b, ShiftState s, int32_t x, int32_t y) override {
        calls.push_back({'u', b, s, x, y});
    }
};

void SendMouse(QWidget& w, QEvent::Type type, QPointF pos, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(type, pos, w.mapToGlobal(pos), button, buttons, mods);
    QCoreApplication::sendEvent(&w, &e);
}

// A tablet event from a stylus (or its eraser end); returns whether it was accepted.
bool SendTablet(QWidget& w, QEvent::Type type, QPointF pos, Qt::MouseButton button,
                Qt::MouseButtons buttons, bool eraser = false,
                Qt::KeyboardModifiers mods = Qt::NoModifier) {
    static const QPointingDevice pen(
        "test pen", 1001, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen,
        QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
    static const QPointingDevice rubber(
        "test eraser", 1002, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Eraser,
        QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
    QTabletEvent e(type, eraser ? &rubber : &pen, pos, w.mapToGlobal(pos), 0.5, 0, 0, 0, 0, 0, mods,
                   button, buttons);
    e.setAccepted(false);
    QCoreApplication::sendEvent(&w, &e);
    return e.isAccepted();
}

TEST(QtInput, ButtonsAndModifiersMap) {
    struct Case {
        Qt::MouseButton qt;
        bool eraser;
        std::optional<MouseButton> expected;
    };
    const Case cases[] = {
        {Qt::LeftButton, false, MouseButton::Left},
        {Qt::RightButton, false, MouseButton::Right},
        {Qt::MiddleButton, false, MouseButton::Middle},
        {Qt::BackButton, false, std::nullopt},
        {Qt::NoButton, false, std::nullopt},
        {Qt::LeftButton, true, MouseButton::Right},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plat::ToMouseButton(c.qt, c.eraser), c.expected) << c.qt << " " << c.eraser;

    EXPECT_EQ(plat::ToShiftState(Qt::NoModifier, Qt::NoButton), 0);
    EXPECT_EQ(plat::ToShiftState(Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier,
                                 Qt::LeftButton | Qt::RightButton | Qt::MiddleButton),
              plat::ssShift | plat::ssAlt | plat::ssCtrl | plat::ssLeft | plat::ssRight |
                  plat::ssMiddle);
    // Keypad and meta keys are not part of the set.
    EXPECT_EQ(plat::ToShiftState(Qt::MetaModifier | Qt::KeypadModifier, Qt::NoButton), 0);
    EXPECT_EQ(plat::ToShiftState(Qt::NoModifier, Qt::LeftButton, true), plat::ssRight);
}

TEST(ImageControl, MouseEventsArriveAsPressMoveRelease) {
    RecordingImage img;
    img.resize(100, 80);
    EXPECT_TRUE(img.hasMouseTracking()); // moves without a button are delivered

    SendMouse(img, QEvent::MouseButtonPress, {10.6, 20.4}, Qt::LeftButton, Qt::LeftButton,
              Qt::ShiftModifier);
    SendMouse(img, QEvent::MouseMove, {12.0, 21.0}, Qt::NoButton, Qt::LeftButton,
              Qt::ShiftModifier | Qt::ControlModifier);
    SendMouse(img, QEvent::MouseButtonPress, {13.0, 22.0}, Qt::RightButton,
              Qt::LeftButton | Qt::RightButton, Qt::AltModifier);
    SendMouse(img, QEvent::MouseButtonRelease, {14.0, 23.0}, Qt::LeftButton, Qt::RightButton);
    SendMouse(img, QEvent::MouseButtonRelease, {15.0, 24.0}, Qt::RightButton, Qt::NoButton);
    SendMouse(img, QEvent::MouseMove, {-3.0, 90.0}, Qt::NoButton, Qt::NoButton);
    // A button the program does not know is not reported as a press.
    SendMouse(img, QEvent::MouseButtonPress, {5.0, 5.0}, Qt::BackButton, Qt::BackButton);

    const std::vector<Call> expected{
        {'d', MouseButton::Left, plat::ssShift | plat::ssLeft, 11, 20},
        {'m', MouseButton::Left, plat::ssShift | plat::ssCtrl | plat::ssLeft, 12, 21},
        {'d', MouseButton::Right, plat::ssAlt | plat::ssLeft | plat::ssRight, 13, 22},
        {'u', MouseButton::Left, plat::ssRight, 14, 23},
        {'u', MouseButton::Right, 0, 15, 24},
        {'m', MouseButton::Left, 0, -3, 90},
    };
    EXPECT_EQ(img.calls, expected);
}

TEST(ImageControl, TabletEventsArriveLikeMouseEventsAndAreAccepted) {
    RecordingImage img;
    img.resize(100, 80);
    EXPECT_TRUE(img.testAttribute(Qt::WA_TabletTracking));

    EXPECT_TRUE(SendTablet(img, QEvent::TabletMove, {5.0, 6.0}, Qt::NoButton, Qt::NoButton));
    EXPECT_TRUE(SendTablet(img, QEvent::TabletPress, {30.2, 40.7}, Qt::LeftButton, Qt::LeftButton,
                           false, Qt::ControlModifier));
    EXPECT_TRUE(SendTablet(img, QEvent::TabletMove, {31.5, 41.49}, Qt::NoButton, Qt::LeftButton,
                           false, Qt::ControlModifier));
    EXPECT_TRUE(SendTablet(img, QEvent::TabletRelease, {32.0, 42.0}, Qt::LeftButton, Qt::NoButton));
    // The eraser end erases like the right button.
    EXPECT_TRUE(
        SendTablet(img, QEvent::TabletPress, {50.0, 50.0}, Qt::LeftButton, Qt::LeftButton, true));
    EXPECT_TRUE(
        SendTablet(img, QEvent::TabletRelease, {51.0, 50.0}, Qt::LeftButton, Qt::NoButton, true));

    const std::vector<Call> expected{
        {'m', MouseButton::Left, 0, 5, 6},
        {'d', MouseButton::Left, plat::ssCtrl | plat::ssLeft, 30, 41},
        {'m', MouseButton::Left, plat::ssCtrl | plat::ssLeft, 32, 41},
        {'u', MouseButton::Left, 0, 32, 42},
        {'d', MouseButton::Right, plat::ssRight, 50, 50},
        {'u', MouseButton::Right, 0, 51, 50},
    };
    EXPECT_EQ(img.calls, expected);
}

TEST(ImageControl, PaintsItsPictureAndWhiteBeyondIt) {
    plat::TImage img;
    img.resize(40, 30);
    img.SetPictureSize(30, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            img.Picture().Row32(y)[x] = plat::ColorToPixel32(x < 15 ? 0x0000FF : 0x00FF00);
    const QImage shot = img.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(40, 30));
    EXPECT_EQ(shot.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(14, 19), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(15, 0), qRgb(0, 255, 0));
    EXPECT_EQ(shot.pixel(29, 19), qRgb(0, 255, 0));
    EXPECT_EQ(shot.pixel(30, 5), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(5, 20), qRgb(255, 255, 255));
}

TEST(ImageControl, CursorFollowsItsSlot) {
    plat::ClearCursorSlots();
    plat::CursorImage image;
    image.hotSpot = {3, 4};
    image.SetVisible(3, 4, true);
    plat::SetSlotCursor(7, image);

    plat::TImage img;
    img.SetCursorSlot(7);
    EXPECT_EQ(img.CursorSlot(), 7);
    EXPECT_EQ(img.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(img.cursor().hotSpot(), QPoint(3, 4));
    img.SetCursorSlot(0);
    EXPECT_EQ(img.cursor().shape(), Qt::ArrowCursor);
    plat::ClearCursorSlots();
}

TEST(CursorSlots, HoldCopiesThatCanBeEditedAndPutBack) {
    plat::ClearCursorSlots();
    plat::CursorImage image;
    EXPECT_EQ(image.Image().Width(), 32);
    EXPECT_EQ(image.Image().Height(), 32);
    EXPECT_EQ(image.VisibleCount(), 0);
    image.SetPixel(0, 0, 0x00FFFF);
    image.SetVisible(0, 0, true);
    image.hotSpot = {15, 1};
    plat::SetSlotCursor(2, image);

    image.SetPixel(0, 0, 0x123456); // the slot holds its own copy
    const plat::CursorImage* held = plat::SlotCursorImage(2);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->PixelAt(0, 0), 0x00FFFFu);
    EXPECT_EQ(held->hotSpot, (plat::Point{15, 1}));

    // Recolour: take the slot's image, change a pixel, put it back.
    plat::CursorImage edited = *held;
    edited.SetPixel(1, 1, 0x0000FF);
    edited.SetVisible(1, 1, true);
    plat::SetSlotCursor(2, edited);
    EXPECT_EQ(plat::SlotCursorImage(2)->PixelAt(1, 1), 0x0000FFu);
    EXPECT_EQ(plat::SlotCursorImage(2)->PixelAt(0, 0), 0x00FFFFu);
    EXPECT_TRUE(plat::SlotCursorImage(2)->Visible(0, 0));

    QCursor cursor = plat::SlotCursor(2);
    EXPECT_EQ(cursor.hotSpot(), QPoint(15, 1));
    const QImage shown = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown.pixel(1, 1), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(shown.pixel(2, 2)), 0); // masked out

    for (int slot : {0, -1, 14, 99}) {
        plat::SetSlotCursor(slot, image); // ignored
        EXPECT_EQ(plat::SlotCursorImage(slot), nullptr) << slot;
        EXPECT_EQ(plat::SlotCursor(slot).shape(), Qt::ArrowCursor) << slot;
    }
    EXPECT_EQ(plat::SlotCursor(9).shape(), Qt::ArrowCursor); // empty slot
    plat::ClearCursorSlots();
    EXPECT_EQ(plat::SlotCursorImage(2), nullptr);
}

TEST(CursorSlots, PointerHidingIsIdempotent) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    plat::SetPointerHidden(true);
    plat::SetPointerHidden(true);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    EXPECT_TRUE(plat::PointerHidden());
    plat::SetPointerHidden(false); // one restore undoes both hides
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    plat::SetPointerHidden(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(plat::PointerHidden());
}

TEST(Application, PointerEventsAreNotCompressed) {
    plat::InitApplicationAttributes();
    EXPECT_FALSE(QCoreApplication::testAttribute(Qt::AA_CompressHighFrequencyEvents));
    EXPECT_FALSE(QCoreApplication::testAttribute(Qt::AA_CompressTabletEvents));
}

TEST(Monitors, PrimaryFirstAndOutOfRangeFallsBackToIt) {
    ASSERT_GE(plat::MonitorCount(), 1);
    const plat::Rect primary = plat::MonitorWorkArea(0);
    const QRect qt = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(primary, (plat::Rect{qt.x(), qt.y(), qt.x() + qt.width(), qt.y() + qt.height()}));
    EXPECT_FALSE(primary.IsEmpty());
    EXPECT_EQ(plat::MonitorWorkArea(plat::MonitorCount()), primary);
    EXPECT_EQ(plat::MonitorWorkArea(-1), primary);
    const plat::Rect bounds = plat::MonitorBounds(0);
    EXPECT_LE(bounds.left, primary.left);
    EXPECT_GE(bounds.right, primary.right);
}

} // namespace
