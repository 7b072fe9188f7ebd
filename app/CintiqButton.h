#pragma once
// TCintiqButton: the five express keys of a pen display, as per-key events.
//
// Key presses and releases reach the component on two routes, both on the user-interface
// thread:
//  - the express-key message channel ("Wacom Button Message", platform/messages): other
//    programs of the same user (the tablet driver's key mapping, the inkwarde-key tool)
//    send the codes below; the component listens from its construction to its destruction,
//    whether or not the owner window is active;
//  - the keyboard: while the owner window is the active window, F1 ... F5 act as keys
//    1 ... 5 (a key's press as its press, its release as its release, whatever modifiers
//    are held). Auto-repeated presses and releases do nothing. Those key events are taken
//    from the window; other keys are left alone.
//
// Codes: 2k - 1 is the press and 2k the release of key k (1 ... 5); other codes are ignored.
//
// A press records the time and raises OnButtonNDown. A release raises OnButtonNLngClick
// when that handler is assigned and the key was held longer than ClickTime milliseconds
// (measured from the last press, as a 32-bit unsigned tick difference, so the wrap of the
// tick counter does no harm), otherwise OnButtonNClick; then OnButtonNUp. A release without
// a press is measured from the previous press.
//
// An exception thrown by a handler is reported by the error report (by default the
// application's error message box with the exception's text) and the component carries on.

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <utility>

class QEvent;
class QWidget;

namespace plat {
class TNamedChannelListener;
}

class TCintiqButton : public QObject {
    Q_OBJECT
public:
    // Every event is called with the component as the sender.
    using TNotifyEvent = std::function<void(TCintiqButton& sender)>;
    // Milliseconds since a fixed point, wrapping at 2^32.
    using TTickSource = std::function<uint32_t()>;
    using TErrorReport = std::function<void(const QString& text)>;
    using TOwnerActive = std::function<bool()>;

    // The number UserMessage holds while the channel listens (the first number of the range
    // that registered window messages take; the channel itself carries only the codes).
    static constexpr uint32_t kButtonMessage = 0xC000;
    static constexpr int32_t kDefaultClickTime = 2000;

    // owner: the main window; it owns the component, and its being the active window
    // enables the F1 ... F5 keys. Starts listening on the express-key channel.
    explicit TCintiqButton(QWidget* owner);
    ~TCintiqButton() override;

    // kButtonMessage while the express-key channel listens; 0 when listening failed (the
    // address is taken by another running instance, or the system refused it): the channel
    // route then never fires, the keyboard route still works.
    uint32_t UserMessage = 0;

    // Long-click threshold in milliseconds.
    int32_t ClickTime() const { return LongCT; }
    void SetClickTime(int32_t milliseconds) { LongCT = milliseconds; }

    // Whether key N is currently held.
    bool Button1Down() const { return B1Down; }
    bool Button2Down() const { return B2Down; }
    bool Button3Down() const { return B3Down; }
    bool Button4Down() const { return B4Down; }
    bool Button5Down() const { return B5Down; }

    // The events of key N: Down on its press; Click or LngClick, then Up, on its release.
    const TNotifyEvent& OnButton1Down() const { return F1Down; }
    const TNotifyEvent& OnButton1Up() const { return F1Up; }
    const TNotifyEvent& OnButton1Click() const { return F1Click; }
    const TNotifyEvent& OnButton1LngClick() const { return F1LngClick; }
    void SetOnButton1Down(TNotifyEvent handler) { F1Down = std::move(handler); }
    void SetOnButton1Up(TNotifyEvent handler) { F1Up = std::move(handler); }
    void SetOnButton1Click(TNotifyEvent handler) { F1Click = std::move(handler); }
    void SetOnButton1LngClick(TNotifyEvent handler) { F1LngClick = std::move(handler); }
    const TNotifyEvent& OnButton2Down() const { return F2Down; }
    const TNotifyEvent& OnButton2Up() const { return F2Up; }
    const TNotifyEvent& OnButton2Click() const { return F2Click; }
    const TNotifyEvent& OnButton2LngClick() const { return F2LngClick; }
    void SetOnButton2Down(TNotifyEvent handler) { F2Down = std::move(handler); }
    void SetOnButton2Up(TNotifyEvent handler) { F2Up = std::move(handler); }
    void SetOnButton2Click(TNotifyEvent handler) { F2Click = std::move(handler); }
    void SetOnButton2LngClick(TNotifyEvent handler) { F2LngClick = std::move(handler); }
    const TNotifyEvent& OnButton3Down() const { return F3Down; }
    const TNotifyEvent& OnButton3Up() const { return F3Up; }
    const TNotifyEvent& OnButton3Click() const { return F3Click; }
    const TNotifyEvent& OnButton3LngClick() const { return F3LngClick; }
    void SetOnButton3Down(TNotifyEvent handler) { F3Down = std::move(handler); }
    void SetOnButton3Up(TNotifyEvent handler) { F3Up = std::move(handler); }
    void SetOnButton3Click(TNotifyEvent handler) { F3Click = std::move(handler); }
    void SetOnButton3LngClick(TNotifyEvent handler) { F3LngClick = std::move(handler); }
    const TNotifyEvent& OnButton4Down() const { return F4Down; }
    const TNotifyEvent& OnButton4Up() const { return F4Up; }
    const TNotifyEvent& OnButton4Click() const { return F4Click; }
    const TNotifyEvent& OnButton4LngClick() const { return F4LngClick; }
    void SetOnButton4Down(TNotifyEvent handler) { F4Down = std::move(handler); }
    void SetOnButton4Up(TNotifyEvent handler) { F4Up = std::move(handler); }
    void SetOnButton4Click(TNotifyEvent handler) { F4Click = std::move(handler); }
    void SetOnButton4LngClick(TNotifyEvent handler) { F4LngClick = std::move(handler); }
    const TNotifyEvent& OnButton5Down() const { return F5Down; }
    const TNotifyEvent& OnButton5Up() const { return F5Up; }
    const TNotifyEvent& OnButton5Click() const { return F5Click; }
    const TNotifyEvent& OnButton5LngClick() const { return F5LngClick; }
    void SetOnButton5Down(TNotifyEvent handler) { F5Down = std::move(handler); }
    void SetOnButton5Up(TNotifyEvent handler) { F5Up = std::move(handler); }
    void SetOnButton5Click(TNotifyEvent handler) { F5Click = std::move(handler); }
    void SetOnButton5LngClick(TNotifyEvent handler) { F5LngClick = std::move(handler); }

    // Handles one express-key code (both routes end here): 1 ... 10 run the press or release
    // operation of their key under an error guard; other codes are ignored.
    void WndProc(uint32_t code);

    // The channel's address, and why listening failed (empty while it listens).
    QString ChannelAddress() const;
    QString ChannelError() const;

    // Replaceable services; an empty function restores the default. The tick source
    // defaults to plat::TickCount, the error report to a modal error message box over the
    // owner, the owner-active test to whether the owner is the active window.
    void SetTickSource(TTickSource tickSource);
    void SetErrorReport(TErrorReport errorReport);
    void SetOwnerActive(TOwnerActive ownerActive);

protected:
    // The per-key operations; a subclass may replace them.
    virtual void DoButton1Down();
    virtual void DoButton1Up();
    virtual void DoButton2Down();
    virtual void DoButton2Up();
    virtual void DoButton3Down();
    virtual void DoButton3Up();
    virtual void DoButton4Down();
    virtual void DoButton4Up();
    virtual void DoButton5Down();
    virtual void DoButton5Up();

    // The keyboard route, installed on the application.
    bool eventFilter(QObject* watched, QEvent* event) override;

    plat::TNamedChannelListener* FChannel = nullptr; // receives the express-key codes
    int32_t LongCT = kDefaultClickTime;              // long-click threshold, milliseconds
    uint32_t B1DownT = 0;                            // tick count at the last press of key 1 ... 5
    uint32_t B2DownT = 0;
    uint32_t B3DownT = 0;
    uint32_t B4DownT = 0;
    uint32_t B5DownT = 0;
    bool B1Down = false; // key 1 ... 5 is held
    bool B2Down = false;
    bool B3Down = false;
    bool B4Down = false;
    bool B5Down = false;
    TNotifyEvent F1Down, F1Up, F1Click, F1LngClick;
    TNotifyEvent F2Down, F2Up, F2Click, F2LngClick;
    TNotifyEvent F3Down, F3Up, F3Click, F3LngClick;
    TNotifyEvent F4Down, F4Up, F4Click, F4LngClick;
    TNotifyEvent F5Down, F5Up, F5Click, F5LngClick;

private:
    void KeyDown(bool& down, uint32_t& downT, const TNotifyEvent& onDown);
    void KeyUp(bool& down, uint32_t downT, const TNotifyEvent& onLngClick,
               const TNotifyEvent& onClick, const TNotifyEvent& onUp);
    void ErrorReport(const QString& text);
    bool OwnerActive() const;

    QPointer<QWidget> owner_;
    TTickSource tickSource_;
    TErrorReport errorReport_;
    TOwnerActive ownerActive_;
    // Keys whose press the keyboard route took: their repeats and release are theirs too,
    // even if the owner stopped being active meanwhile.
    bool keyTaken_[5] = {};
};
