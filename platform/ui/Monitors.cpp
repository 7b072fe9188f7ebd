#include "platform/ui/Monitors.h"

#include <QGuiApplication>
#include <QList>
#include <QScreen>

namespace plat {

namespace {

// Primary monitor first, then the others in the system's order.
QList<QScreen*> OrderedScreens() {
    QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr && screens.removeOne(primary)) screens.prepend(primary);
    return screens;
}

QScreen* ScreenAt(int32_t index) {
    const QList<QScreen*> screens = OrderedScreens();
    if (screens.isEmpty()) return nullptr;
    if (index < 0 || index >= screens.size()) return screens.front();
    return screens[index];
}

Rect ToRect(const QRect& r) {
    return Rect{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

} // namespace

int32_t MonitorCount() {
    return static_cast<int32_t>(QGuiApplication::screens().size());
}

Rect MonitorWorkArea(int32_t index) {
    QScreen* screen = ScreenAt(index);
    return screen != nullptr ? ToRect(screen->availableGeometry()) : Rect{};
}

Rect MonitorBounds(int32_t index) {
    QScreen* screen = ScreenAt(index);
    return screen != nullptr ? ToRect(screen->geometry()) : Rect{};
}

} // namespace plat
