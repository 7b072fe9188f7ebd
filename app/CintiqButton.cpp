#include "app/CintiqButton.h"

#include "platform/messages/NamedChannel.h"
#include "platform/ui/Application.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>
#include <exception>

TCintiqButton::TCintiqButton(QWidget* owner) : QObject(owner), owner_(owner) {
    FChannel = new plat::TNamedChannelListener(this);
    UserMessage =
        FChannel->Listen(QString::fromLatin1(plat::kExpressKeyMessageName)) ? kButtonMessage : 0;
    connect(FChannel, &plat::TNamedChannelListener::CodeReceived, this,
            [this](quint32 code) { WndProc(code); });
    LongCT = kDefaultClickTime;
    B1Down = B2Down = B3Down = B4Down = B5Down = false;
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

TCintiqButton::~TCintiqButton() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
    // The channel is a child: it closes and frees its address with the component.
}

QString TCintiqButton::ChannelAddress() const {
    return FChannel->Address();
}

QString TCintiqButton::ChannelError() const {
    return FChannel->ErrorText();
}

void TCintiqButton::SetTickSource(TTickSource tickSource) {
    tickSource_ = std::move(tickSource);
}

void TCintiqButton::SetErrorReport(TErrorReport errorReport) {
    errorReport_ = std::move(errorReport);
}

void TCintiqButton::SetOwnerActive(TOwnerActive ownerActive) {
    ownerActive_ = std::move(ownerActive);
}

void TCintiqButton::WndProc(uint32_t code) {
    try {
        switch (code) {
        case 1:
            DoButton1Down();
            break;
        case 2:
            DoButton1Up();
            break;
        case 3:
            DoButton2Down();
            break;
        case 4:
            DoButton2Up();
            break;
        case 5:
            DoButton3Down();
            break;
        case 6:
            DoButton3Up();
            break;
        case 7:
            DoButton4Down();
            break;
        case 8:
            DoButton4Up();
            break;
        case 9:
            DoButton5Down();
            break;
        case 10:
            DoButton5Up();
            break;
        default:
            break;
        }
    } catch (const std::exception& error) {
        ErrorReport(QString::fromUtf8(error.what()));
    } catch (...) {
        ErrorReport(QStringLiteral("Unknown error."));
    }
}

void TCintiqButton::DoButton1Down() {
    KeyDown(B1Down, B1DownT, F1Down);
}
void TCintiqButton::DoButton1Up() {
    KeyUp(B1Down, B1DownT, F1LngClick, F1Click, F1Up);
}
void TCintiqButton::DoButton2Down() {
    KeyDown(B2Down, B2DownT, F2Down);
}
void TCintiqButton::DoButton2Up() {
    KeyUp(B2Down, B2DownT, F2LngClick, F2Click, F2Up);
}
void TCintiqButton::DoButton3Down() {
    KeyDown(B3Down, B3DownT, F3Down);
}
void TCintiqButton::DoButton3Up() {
    KeyUp(B3Down, B3DownT, F3LngClick, F3Click, F3Up);
}
void TCintiqButton::DoButton4Down() {
    KeyDown(B4Down, B4DownT, F4Down);
}
void TCintiqButton::DoButton4Up() {
    KeyUp(B4Down, B4DownT, F4LngClick, F4Click, F4Up);
}
void TCintiqButton::DoButton5Down() {
    KeyDown(B5Down, B5DownT, F5Down);
}
void TCintiqButton::DoButton5Up() {
    KeyUp(B5Down, B5DownT, F5LngClick, F5Click, F5Up);
}

void TCintiqButton::KeyDown(bool& down, uint32_t& downT, const TNotifyEvent& onDown) {
    down = true;
    downT = tickSource_ ? tickSource_() : plat::TickCount();
    if (onDown) onDown(*this);
}

void TCintiqButton::KeyUp(bool& down, uint32_t downT, const TNotifyEvent& onLngClick,
                          const TNotifyEvent& onClick, const TNotifyEvent& onUp) {
    down = false;
    const uint32_t now = tickSource_ ? tickSource_() : plat::TickCount();
    const uint32_t elapsed = now - downT; // modulo 2^32: right across the counter's wrap
    if (onLngClick && static_cast<int64_t>(elapsed) > static_cast<int64_t>(LongCT)) {
        onLngClick(*this);
    } else if (onClick) {
        onClick(*this);
    }
    if (onUp) onUp(*this);
}

void TCintiqButton::ErrorReport(const QString& text) {
    if (errorReport_) {
        errorReport_(text);
        return;
    }
    QMessageBox::critical(owner_, QGuiApplication::applicationDisplayName(), text);
}

bool TCintiqButton::OwnerActive() const {
    if (ownerActive_) return ownerActive_();
    return owner_ != nullptr && owner_->isActiveWindow();
}

bool TCintiqButton::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int index = keyEvent->key() - Qt::Key_F1;
    if (index < 0 || index > 4) return QObject::eventFilter(watched, event);

    bool& taken = keyTaken_[index];
    const auto key = static_cast<uint32_t>(index + 1);
    if (keyEvent->isAutoRepeat()) {
        // Repeats of a key whose press was taken belong to it, and do nothing.
        if (!taken) return QObject::eventFilter(watched, event);
        event->accept();
        return true;
    }
    switch (type) {
    case QEvent::ShortcutOverride:
        // The key press that follows is ours: no shortcut may claim it.
        if (!taken && !OwnerActive()) return QObject::eventFilter(watched, event);
        event->accept();
        return true;
    case QEvent::KeyPress:
        if (!OwnerActive()) return QObject::eventFilter(watched, event);
        taken = true;
        // Accepted, so that Qt does not offer the same event to the parent widgets again.
        event->accept();
        WndProc(2 * key - 1);
        return true;
    default: // QEvent::KeyRelease
        if (!taken && !OwnerActive()) return QObject::eventFilter(watched, event);
        taken = false;
        event->accept();
        WndProc(2 * key);
        return true;
    }
}
