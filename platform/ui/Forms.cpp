#include "platform/ui/Forms.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>

namespace plat {

bool MaximizeOnArea(QWidget* window, const Rect& area, int timeoutMs) {
    // resize() sets the inner size and move() the frame's position.
    const QSize frameExtra = window->frameGeometry().size() - window->size();
    window->resize(std::max(1, area.Width() - frameExtra.width()),
                   std::max(1, area.Height() - frameExtra.height()));
    window->move(area.left, area.top);
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);

    const QSize target(area.Width(), area.Height());
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (window->frameGeometry().size() == target) return true;
        if (timer.elapsed() >= timeoutMs) return false;
        QThread::msleep(2);
    }
}

void BringToForeground(QWidget* window) {
    if (window == nullptr) return;
    if (window->isMinimized()) window->showNormal();
    window->raise();
    window->activateWindow();
}

} // namespace plat
