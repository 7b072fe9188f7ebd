#include "platform/ui/Display.h"

#include <QGuiApplication>
#include <QScreen>

namespace plat {

bool IsPaletteDisplay() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr && screen->depth() <= 8;
}

} // namespace plat
