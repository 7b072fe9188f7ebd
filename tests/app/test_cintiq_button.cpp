// The express-key component: codes to key events, the click and long-click rule (also across
// the wrap of the tick counter), the error guard, the channel route and the F1 ... F5 keys.

#include "app/CintiqButton.h"
#include "support/ScopedEnv.h"
#include "platform/messages/NamedChannel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <optional>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

bool WaitFor(const std::function<bool()>& done, int safetyMs = 10000) {
    QDeadlineTimer deadline(safetyMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    return done();
}

// A main window that records the key presses and releases it is given.
class OwnerWindow : public QWidget {
public:
    std::vector<int> keysSeen;

protected:
    void keyPressEvent(QKeyEvent* event) override { keysSeen.push_back(event->key()); }
    void keyReleaseEvent(QKeyEvent* event) override { keysSeen.push_back(-event->key()); }
};

class CintiqButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The component listens on the channel: give it a private runtime folder.
        ASSERT_TRUE(runtime_.isValid());
        runtimeEnv_.emplace("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
        owner_ = std::make_unique<OwnerWindow>();
        button_ = new TCintiqButton(owner_.get());
        button_->SetTickSource([this] { return now_; });
        button_->SetErrorReport([this](const QString& text) { errors_.push_back(text); });
        button_->SetOwnerActive([this] { return active_; });
    }
    void TearDown() override {
        owner_.reset(); // frees the component with it
        runtimeEnv_.reset();
    }

    // Records every event of every key as "<key> <event>"; the long-click events only when
    // withLongClick.
    void Record(TCintiqButton& b, bool withLongClick) {
        auto entry = [this, &b](int key, const char* what) {
            return [this, &b, key, what](TCintiqButton& sender) {
                EXPECT_EQ(&sender, &b);
                log_.push_back(std::to_string(key) + " " + what);
            };
        };
        b.SetOnButton1Down(entry(1, "down"));
        b.SetOnButton1Up(entry(1, "up"));
        b.SetOnButton1Click(entry(1, "click"));
        b.SetOnButton2Down(entry(2, "down"));
        b.SetOnButton2Up(entry(2, "up"));
        b.SetOnButton2Click(entry(2, "click"));
        b.SetOnButton3Down(entry(3, "down"));
        b.SetOnButton3Up(entry(3, "up"));
        b.SetOnButton3Click(entry(3, "click"));
        b.SetOnButton4Down(entry(4, "down"));
        b.SetOnButton4Up(entry(4, "up"));
        b.SetOnButton4Click(entry(4, "click"));
        b.SetOnButton5Down(entry(5, "down"));
        b.SetOnButton5Up(entry(5, "up"));
        b.SetOnButton5Click(entry(5, "click"));
        if (!withLongClick) return;
        b.SetOnButton1LngClick(entry(1, "long"));
        b.SetOnButton2LngClick(entry(2, "long"));
        b.SetOnButton3LngClick(entry(3, "long"));
        b.SetOnButton4LngClick(entry(4, "long"));
        b.SetOnButton5LngClick(entry(5, "long"));
    }

    std::vector<bool> Held() const {
        return {button_->Button1Down(), button_->Button2Down(), button_->Button3Down(),
                button_->Button4Down(), button_->Button5Down()};
    }

    // Sends a key event to the owner window; returns whether it was kept from the window.
    bool SendKey(QEvent::Type type, int key, bool autoRepeat = false,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
        const std::size_t seen = owner_->keysSeen.size();
        QCoreApplication::sendEvent(owner_.get(), &event);
        return owner_->keysSeen.size() == seen;
    }

    QTemporaryDir runtime_;
    std::optional<ScopedEnv> runtimeEnv_;
    std::unique_ptr<OwnerWindow> owner_;
    TCintiqButton* button_ = nullptr;
    uint32_t now_ = 100000;
    bool active_ = true;
    Log log_;
    std::vector<QString> errors_;
};

// ---- construction ----

TEST_F(CintiqButtonTest, StartsReleasedWithTheDefaultClickTimeAndListening) {
    EXPECT_EQ(button_->ClickTime(), 2000);
    EXPECT_EQ(Held(), std::vector<bool>(5, false));
    EXPECT_EQ(button_->UserMessage, TCintiqButton::kButtonMessage);
    EXPECT_TRUE(button_->ChannelError().isEmpty()) << button_->ChannelError().toStdString();
    EXPECT_EQ(button_->ChannelAddress(),
              plat::NamedChannelAddress(QString::fromLatin1(plat::kExpressKeyMessageName)));
    EXPECT_EQ(button_->parent(), owner_.get());
    button_->SetClickTime(500);
    EXPECT_EQ(button_->ClickTime(), 500);
}

// ---- codes ----

TEST_F(CintiqButtonTest, EachCodeIsThePressOrReleaseOfItsKey) {
    Record(*button_, false);
    for (int key = 1; key <= 5; ++key) {
        SCOPED_TRACE(key);
        log_.clear();
        button_->WndProc(static_cast<uint32_t>(2 * key - 1));
        EXPECT_EQ(log_, (Log{std::to_string(key) + " down"}));
        std::vector<bool> held(5, false);
        held[static_cast<std::size_t>(key - 1)] = true;
        EXPECT_EQ(Held(), held);

        log_.clear();
        button_->WndProc(static_cast<uint32_t>(2 * key));
        EXPECT_EQ(log_, (Log{std::to_string(key) + " click", std::to_string(key) + " up"}));
        EXPECT_EQ(Held(), std::vector<bool>(5, false));
    }
}

TEST_F(CintiqButtonTest, KeysAreHeldIndependently) {
    Record(*button_, false);
    button_->WndProc(1);
    button_->WndProc(9);
    button_->WndProc(5);
    EXPECT_EQ(Held(), (std::vector<bool>{true, false, true, false, true}));
    button_->WndProc(10);
    EXPECT_EQ(Held(), (std::vector<bool>{true, false, true, false, false}));
    EXPECT_EQ(log_, (Log{"1 down", "5 down", "3 down", "5 click", "5 up"}));
}

TEST_F(CintiqButtonTest, CodesOutsideTheTableAreIgnored) {
    Record(*button_, true);
    button_->WndProc(3); // key 2 held
    log_.clear();
    for (uint32_t code : {0u, 11u, 12u, 20u, 0x80000001u, 0xFFFFFFFFu}) button_->WndProc(code);
    EXPECT_TRUE(log_.empty());
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(Held(), (std::vector<bool>{false, true, false, false, false}));
}

TEST_F(CintiqButtonTest, ThePerKeyOperationsCanBeReplaced) {
    class Counting : public TCintiqButton {
    public:
        using TCintiqButton::TCintiqButton;
        int presses3 = 0;

    protected:
        void DoButton3Down() override { ++presses3; }
    };
    Counting counting(owner_.get());
    bool down = false;
    counting.SetOnButton3Down([&](TCintiqButton&) { down = true; });
    counting.WndProc(5);
    EXPECT_EQ(counting.presses3, 1);
    EXPECT_FALSE(down);
    EXPECT_FALSE(counting.Button3Down());
}

// ---- click and long click ----

struct HoldCase {
    const char* what;
    uint32_t pressAt, releaseAt;
    int32_t clickTime;
    bool withLongClick;
    Log expected;
};

TEST_F(CintiqButtonTest, TheHeldTimeChoosesClickOrLongClick) {
    const std::vector<HoldCase> cases = {
        {"short", 100000, 100150, 2000, true, {"4 down", "4 click", "4 up"}},
        {"3 s, no long-click handler", 100000, 103000, 2000, false, {"4 down", "4 click", "4 up"}},
        {"3 s", 100000, 103000, 2000, true, {"4 down", "4 long", "4 up"}},
        {"exactly the click time", 100000, 102000, 2000, true, {"4 down", "4 click", "4 up"}},
        {"one more", 100000, 102001, 2000, true, {"4 down", "4 long", "4 up"}},
        {"no time", 100000, 100000, 2000, true, {"4 down", "4 click", "4 up"}},
        {"shorter click time", 100000, 100600, 500, true, {"4 down", "4 long", "4 up"}},
        {"short across the wrap",
         0xFFFFFF00u,
         0x00000100u,
         2000,
         true,
         {"4 down", "4 click", "4 up"}},
        {"long across the wrap",
         0xFFFFFF00u,
         0xFFFFFF00u + 3000u,
         2000,
         true,
         {"4 down", "4 long", "4 up"}},
        {"negative click time", 100000, 100000, -1, true, {"4 down", "4 long", "4 up"}},
    };
    for (const HoldCase& c : cases) {
        SCOPED_TRACE(c.what);
        TCintiqButton b(owner_.get());
        b.SetTickSource([this] { return now_; });
        b.SetClickTime(c.clickTime);
        log_.clear();
        Record(b, c.withLongClick);
        now_ = c.pressAt;
        b.WndProc(7);
        now_ = c.releaseAt;
        b.WndProc(8);
        EXPECT_EQ(log_, c.expected);
    }
}

TEST_F(CintiqButtonTest, AReleaseWithoutPressIsMeasuredFromThePreviousPress) {
    Record(*button_, true);
    now_ = 1000;
    button_->WndProc(1);
    now_ = 1100;
    button_->WndProc(2);
    now_ = 3000; // 2000 after the press: still a click
    button_->WndProc(2);
    now_ = 3001;
    button_->WndProc(2);
    EXPECT_EQ(log_, (Log{"1 down", "1 click", "1 up", "1 click", "1 up", "1 long", "1 up"}));
    EXPECT_FALSE(button_->Button1Down());
}

TEST_F(CintiqButtonTest, AReleaseOfAKeyNeverPressedCountsFromTickZero) {
    Record(*button_, true);
    now_ = 2000;
    button_->WndProc(6);
    now_ = 2001;
    button_->WndProc(6);
    EXPECT_EQ(log_, (Log{"3 click", "3 up", "3 long", "3 up"}));
}

// ---- the error guard ----

TEST_F(CintiqButtonTest, AnErrorInAHandlerIsReportedAndTheNextCodeIsHandled) {
    Record(*button_, false);
    button_->SetOnButton1Down(
        [](TCintiqButton&) { throw std::runtime_error("ペンが見つかりません"); });
    button_->WndProc(1);
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], QStringLiteral("ペンが見つかりません"));
    EXPECT_TRUE(button_->Button1Down()); // the press was recorded before its event
    button_->WndProc(2);
    EXPECT_EQ(log_, (Log{"1 click", "1 up"}));

    // An error in the click ends that release: its up event is not raised.
    log_.clear();
    button_->SetOnButton2Click([](TCintiqButton&) { throw 42; });
    button_->WndProc(3);
    button_->WndProc(4);
    ASSERT_EQ(errors_.size(), 2u);
    EXPECT_FALSE(errors_[1].isEmpty());
    EXPECT_EQ(log_, (Log{"2 down"}));
    EXPECT_FALSE(button_->Button2Down());
    button_->WndProc(5);
    EXPECT_EQ(log_, (Log{"2 down", "3 down"}));
}

// ---- the channel route ----

TEST_F(CintiqButtonTest, CodesSentOnTheChannelRaiseTheEvents) {
    Record(*button_, true);
    const QString message = QString::fromLatin1(plat::kExpressKeyMessageName);
    now_ = 5000;
    ASSERT_EQ(plat::NamedChannelSend(message, 3).result, plat::SendResult::Sent);
    ASSERT_TRUE(WaitFor([&] { return button_->Button2Down(); }));
    now_ = 9000;
    ASSERT_EQ(plat::NamedChannelSend(message, 4).result, plat::SendResult::Sent);
    ASSERT_EQ(plat::NamedChannelSend(message, 11).result, plat::SendResult::Sent);
    ASSERT_EQ(plat::NamedChannelSend(message, 9).result, plat::SendResult::Sent);
    ASSERT_TRUE(WaitFor([&] { return button_->Button5Down(); }));
    EXPECT_EQ(log_, (Log{"2 down", "2 long", "2 up", "5 down"}));
    // The channel works whether or not the owner is active.
    active_ = false;
    ASSERT_EQ(plat::NamedChannelSend(message, 10).result, plat::SendResult::Sent);
    ASSERT_TRUE(WaitFor([&] { return !button_->Button5Down(); }));
}

TEST_F(CintiqButtonTest, ASecondInstanceDoesNotListenButStillWorks) {
    TCintiqButton second(owner_.get());
    EXPECT_EQ(second.UserMessage, 0u);
    EXPECT_FALSE(second.ChannelError().isEmpty());
    bool clicked = false;
    second.SetOnButton1Click([&](TCintiqButton&) { clicked = true; });
    second.WndProc(1);
    second.WndProc(2);
    EXPECT_TRUE(clicked);
    // The first one keeps the channel.
    EXPECT_EQ(plat::NamedChannelSend(QString::fromLatin1(plat::kExpressKeyMessageName), 1).result,
              plat::SendResult::Sent);
    ASSERT_TRUE(WaitFor([&] { return button_->Button1Down(); }));
}

TEST_F(CintiqButtonTest, DestroyingTheComponentFreesTheChannel) {
    const QString message = QString::fromLatin1(plat::kExpressKeyMessageName);
    delete button_;
    button_ = nullptr;
    EXPECT_EQ(plat::NamedChannelSend(message, 1).result, plat::SendResult::NotListening);
    TCintiqButton next(owner_.get());
    EXPECT_EQ(next.UserMessage, TCintiqButton::kButtonMessage);
}

// ---- the keyboard route ----

TEST_F(CintiqButtonTest, FunctionKeysOneToFiveAreTheKeysWhileTheOwnerIsActive) {
    Record(*button_, false);
    const int keys[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5};
    for (int key : keys) EXPECT_TRUE(SendKey(QEvent::KeyPress, key));
    EXPECT_EQ(Held(), std::vector<bool>(5, true));
    for (int key : keys) EXPECT_TRUE(SendKey(QEvent::KeyRelease, key));
    EXPECT_EQ(Held(), std::vector<bool>(5, false));
    EXPECT_EQ(log_,
              (Log{"1 down", "2 down", "3 down", "4 down", "5 down", "1 click", "1 up", "2 click",
                   "2 up", "3 click", "3 up", "4 click", "4 up", "5 click", "5 up"}));
    EXPECT_TRUE(owner_->keysSeen.empty());
}

TEST_F(CintiqButtonTest, FunctionKeysWorkWithModifiersHeld) {
    Record(*button_, false);
    EXPECT_TRUE(SendKey(QEvent::KeyPress, Qt::Key_F3, false, Qt::ShiftModifier));
    EXPECT_TRUE(SendKey(QEvent::KeyRelease, Qt::Key_F3, false, Qt::NoModifier));
    EXPECT_EQ(log_, (Log{"3 down", "3 click", "3 up"}));
}

TEST_F(CintiqButtonTest, AutoRepeatIsIgnored) {
    Record(*button_, true);
    now_ = 0;
    EXPECT_TRUE(SendKey(QEvent::KeyPress, Qt::Key_F2));
    for (int i = 1; i <= 3; ++i) {
        now_ = static_cast<uint32_t>(i * 1000);
        SendKey(QEvent::KeyRelease, Qt::Key_F2, true);
        SendKey(QEvent::KeyPress, Qt::Key_F2, true);
        EXPECT_TRUE(button_->Button2Down());
    }
    EXPECT_TRUE(owner_->keysSeen.empty());
    now_ = 3500;
    EXPECT_TRUE(SendKey(QEvent::KeyRelease, Qt::Key_F2));
    // Held from the first press: a long click.
    EXPECT_EQ(log_, (Log{"2 down", "2 long", "2 up"}));
}

TEST_F(CintiqButtonTest, FunctionKeysGoToTheWindowWhileTheOwnerIsInactive) {
    Record(*button_, false);
    active_ = false;
    EXPECT_FALSE(SendKey(QEvent::KeyPress, Qt::Key_F1));
    EXPECT_FALSE(SendKey(QEvent::KeyRelease, Qt::Key_F1));
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(owner_->keysSeen, (std::vector<int>{Qt::Key_F1, -Qt::Key_F1}));
}

TEST_F(CintiqButtonTest, TheReleaseOfATakenPressIsTakenAfterTheOwnerTurnedInactive) {
    Record(*button_, false);
    EXPECT_TRUE(SendKey(QEvent::KeyPress, Qt::Key_F5));
    active_ = false; // a dialog opened on the press, say
    EXPECT_TRUE(SendKey(QEvent::KeyRelease, Qt::Key_F5));
    EXPECT_EQ(log_, (Log{"5 down", "5 click", "5 up"}));
    // The next release of that key is the window's again.
    EXPECT_FALSE(SendKey(QEvent::KeyRelease, Qt::Key_F5));
}

TEST_F(CintiqButtonTest, OtherKeysAreLeftAlone) {
    Record(*button_, true);
    const int keys[] = {Qt::Key_F6,     Qt::Key_F12,    Qt::Key_A,    Qt::Key_1,
                        Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space};
    std::vector<int> expected;
    for (int key : keys) {
        EXPECT_FALSE(SendKey(QEvent::KeyPress, key));
        EXPECT_FALSE(SendKey(QEvent::KeyRelease, key));
        expected.push_back(key);
        expected.push_back(-key);
    }
    EXPECT_EQ(owner_->keysSeen, expected);
    EXPECT_TRUE(log_.empty());
}

TEST_F(CintiqButtonTest, NoShortcutClaimsAFunctionKeyWhileTheOwnerIsActive) {
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_F4, Qt::NoModifier);
    override.ignore();
    EXPECT_TRUE(QCoreApplication::sendEvent(owner_.get(), &override));
    EXPECT_TRUE(override.isAccepted());

    active_ = false;
    QKeyEvent other(QEvent::ShortcutOverride, Qt::Key_F4, Qt::NoModifier);
    other.ignore();
    QCoreApplication::sendEvent(owner_.get(), &other);
    EXPECT_FALSE(other.isAccepted());
}

TEST_F(CintiqButtonTest, AHiddenOwnerIsNotActive) {
    // The real owner-active test: a window that is not shown is never the active one.
    button_->SetOwnerActive({});
    Record(*button_, false);
    EXPECT_FALSE(SendKey(QEvent::KeyPress, Qt::Key_F1));
    EXPECT_FALSE(SendKey(QEvent::KeyRelease, Qt::Key_F1));
    EXPECT_TRUE(log_.empty());
}

TEST_F(CintiqButtonTest, AnActivatedOwnerTakesTheFunctionKeys) {
    button_->SetOwnerActive({});
    Record(*button_, false);
    owner_->show();
    owner_->activateWindow();
    if (!WaitFor([&] { return QApplication::activeWindow() == owner_.get(); }, 2000))
        GTEST_SKIP() << "this platform does not activate windows";
    EXPECT_TRUE(SendKey(QEvent::KeyPress, Qt::Key_F1));
    EXPECT_TRUE(SendKey(QEvent::KeyRelease, Qt::Key_F1));
    EXPECT_EQ(log_, (Log{"1 down", "1 click", "1 up"}));
}

} // namespace
