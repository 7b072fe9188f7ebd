#include "platform/ui/Application.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QString>

namespace plat {

void InitApplicationAttributes() {
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    QCoreApplication::setAttribute(Qt::AA_CompressTabletEvents, false);
}

void SetApplicationTitle(const QString& title) {
    QGuiApplication::setApplicationDisplayName(title);
}

void ProcessMessages() {
    QCoreApplication::processEvents();
}

uint32_t TickCount() {
    // The monotonic clock's reading (on Linux and Windows: time since system start).
    QElapsedTimer timer;
    timer.start();
    return static_cast<uint32_t>(static_cast<uint64_t>(timer.msecsSinceReference()));
}

} // namespace plat
