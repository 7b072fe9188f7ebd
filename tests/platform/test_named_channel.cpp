// The named message channel: its address, listening (stale sockets, a live address, failure),
// the wire format from any number of senders, the send function and the inkwarde-key tool.

#include "platform/messages/NamedChannel.h"
#include "support/ScopedEnv.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <optional>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

using plat::NamedChannelAddress;
using plat::NamedChannelSend;
using plat::SendResult;
using plat::TNamedChannelListener;

const QString kMessage = QString::fromLatin1(plat::kExpressKeyMessageName);

// Runs the event loop until done() holds; the deadline only keeps a broken test from hanging.
bool WaitFor(const std::function<bool()>& done, int safetyMs = 10000) {
    QDeadlineTimer deadline(safetyMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    return done();
}

// Lets every event that is already due run, including queued deliveries of codes.
void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

// Gives the test a private runtime folder, so no test touches the user's real channel.
class NamedChannelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        runtimeEnv_.emplace("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    }
    void TearDown() override { runtimeEnv_.reset(); }

    // A listener on the express-key channel that records what it receives.
    std::unique_ptr<TNamedChannelListener> Listener() {
        auto listener = std::make_unique<TNamedChannelListener>();
        QObject::connect(listener.get(), &TNamedChannelListener::CodeReceived,
                         [this](quint32 code) { received_.push_back(code); });
        return listener;
    }

    bool Received(std::size_t count) {
        return WaitFor([&] { return received_.size() >= count; });
    }

    QTemporaryDir runtime_;
    std::optional<ScopedEnv> runtimeEnv_;
    std::vector<uint32_t> received_;
};

// A client socket connected to the channel.
std::unique_ptr<QLocalSocket> Connected(const QString& address) {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(address);
    EXPECT_TRUE(socket->waitForConnected(5000)) << socket->errorString().toStdString();
    return socket;
}

void Write(QLocalSocket& socket, const QByteArray& bytes) {
    EXPECT_EQ(socket.write(bytes), bytes.size());
    EXPECT_TRUE(socket.waitForBytesWritten(5000) || socket.bytesToWrite() == 0);
}

#ifdef Q_OS_UNIX
// A socket file bound by no running process, as a run that was killed leaves behind.
void MakeStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(static_cast<std::size_t>(name.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}
#endif

// ---- the address ----

TEST_F(NamedChannelTest, AddressLiesInTheRuntimeFolderAndIsNamedAfterTheMessage) {
    const QString address = NamedChannelAddress(kMessage);
    EXPECT_EQ(QFileInfo(address).absolutePath(), QFileInfo(runtime_.path()).absoluteFilePath());
    EXPECT_TRUE(address.endsWith(QStringLiteral("wacom-button-message"))) << address.toStdString();
    EXPECT_EQ(NamedChannelAddress(kMessage), address);
    EXPECT_NE(NamedChannelAddress(QStringLiteral("Another Message")), address);
}

#ifdef Q_OS_UNIX
TEST_F(NamedChannelTest, AddressFallsBackToTheTemporaryFolderWithTheUserId) {
    const QString file = runtime_.filePath(QStringLiteral("plain-file"));
    QFile(file).open(QIODevice::WriteOnly);
    const QString tooLong = runtime_.filePath(QString(120, QLatin1Char('d')));
    ASSERT_TRUE(QDir().mkpath(tooLong));
    struct Case {
        const char* what;
        std::function<void()> set;
    };
    const std::vector<Case> cases = {
        {"unset", [] { qunsetenv("XDG_RUNTIME_DIR"); }},
        {"empty", [] { qputenv("XDG_RUNTIME_DIR", ""); }},
        {"relative", [] { qputenv("XDG_RUNTIME_DIR", "run/user"); }},
        {"missing",
         [this] { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.filePath("missing"))); }},
        {"a file", [file] { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(file)); }},
        {"too long for a socket path",
         [tooLong] { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(tooLong)); }},
    };
    const QString expected = QDir::cleanPath(QDir::tempPath()) +
                             QStringLiteral("/inkwarde-%1-wacom-button-message").arg(::getuid());
    for (const Case& c : cases) {
        c.set();
        EXPECT_EQ(NamedChannelAddress(kMessage), expected) << c.what;
    }
}
#endif

// ---- round trips ----

TEST_F(NamedChannelTest, CodesSentArriveInOrder) {
    auto listener = Listener();
    ASSERT_TRUE(listener->Listen(kMessage)) << listener->ErrorText().toStdString();
    EXPECT_TRUE(listener->IsListening());
    EXPECT_TRUE(listener->ErrorText().isEmpty());
    EXPECT_EQ(listener->Address(), NamedChannelAddress(kMessage));
    EXPECT_TRUE(QFileInfo::exists(listener->Address()));

    const std::vector<uint32_t> codes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 11, 4294967295u};
    for (uint32_t code : codes) {
        const plat::SendOutcome outcome = NamedChannelSend(kMessage, code);
        EXPECT_EQ(outcome.result, SendResult::Sent) << outcome.errorText.toStdString();
        EXPECT_EQ(outcome.address, listener->Address());
    }
    ASSERT_TRUE(Received(codes.size()));
    EXPECT_EQ(received_, codes);
}

TEST_F(NamedChannelTest, SeveralSendersAtOnceKeepTheirLinesApart) {
    auto listener = Listener();
    ASSERT_TRUE(listener->Listen(kMessage));
    auto a = Connected(listener->Address());
    auto b = Connected(listener->Address());
    auto c = Connected(listener->Address());
    Write(*a, "1");
    Settle();
    Write(*b, "3\n");
    ASSERT_TRUE(Received(1));
    Write(*c, "5\n7\n");
    ASSERT_TRUE(Received(3));
    Write(*a, "0\n");
    ASSERT_TRUE(Received(4));
    EXPECT_EQ(received_, (std::vector<uint32_t>{3, 5, 7, 10}));
}

TEST_F(NamedChannelTest, MalformedLinesAreSkippedAndLaterCodesArrive) {
    auto listener = Listener();
    ASSERT_TRUE(listener->Listen(kMessage));
    auto socket = Connected(listener->Address());
    Write(*socket, "abc\n-1\n+2\n4294967296\n99999999999\n12x\n\n0x5\n1 2\n"
                   " 7 \n3\r\n");
    ASSERT_TRUE(Received(2));
    Write(*socket, QByteArray("\xff\xfe\x00\n", 4) + "9\n");
    ASSERT_TRUE(Received(3));
    EXPECT_EQ(received_, (std::vector<uint32_t>{7, 3, 9}));
    EXPECT_EQ(socket->state(), QLocalSocket::ConnectedState);
    EXPECT_EQ(NamedChannelSend(kMessage, 4).result, SendResult::Sent);
    ASSERT_TRUE(Received(4));
    EXPECT_EQ(received_.back(), 4u);
}

TEST_F(NamedChannelTest, ALineOfTheLongestLengthIsRead) {
    auto listener = Listener();
    ASSERT_TRUE(listener->Listen(kMessage));
    auto socket = Connected(listener->Address());
    QByteArray line(TNamedChannelListener::kMaxLineLength - 1, ' ');
    line += "6\n";
    ASSERT_EQ(line.size(), TNamedChannelListener::kMaxLineLength + 1);
    Write(*socket, line);
    ASSERT_TRUE(Received(1));
    EXPECT_EQ(received_, (std::vector<uint32_t>{6}));
    EXPECT_EQ(socket->state(), QLocalSocket::ConnectedState);
}

TEST_F(NamedChannelTest, AnOverlongLineDropsTheConnectionOnly) {
    auto listener = Listener();
    ASSERT_TRUE(listener->Listen(kMessage));
    auto flooding = Connected(listener->Address());
    auto other = Connected(listener->Address());
    Write(*other, "1\n");
    // One byte more than a line may hold, then a newline and a good code behind it.
    Write(*flooding, QByteArray(TNamedChannelListener::kMaxLineLength + 1, '5') + "\n3\n");
    ASSERT_TRUE(WaitFor([&] { return flooding->state() == QLocalSocket::UnconnectedState; }));
    Write(*other, "2\n");
    ASSERT_TRUE(Received(2));
    Settle();
    EXPECT_EQ(received_, (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(other->state(), QLocalSocket::ConnectedState);
    EXPECT_EQ(NamedChannelSend(kMessage, 8).result, SendResult::Sent);
    ASSERT_TRUE(Received(3));
    EXPECT_EQ(received_.back(), 8u);
}

TEST_F(NamedChannelTest, ALastLineWithoutNewlineCountsWhenTheSenderCloses) {
    auto listener = Listener();
    ASSERT_TRUE(listener->Listen(kMessage));
    auto socket = Connected(listener->Address());
    Write(*socket, "2\n9");
    ASSERT_TRUE(Received(1));
    socket->disconnectFromServer();
    ASSERT_TRUE(Received(2));
    EXPECT_EQ(received_, (std::vector<uint32_t>{2, 9}));
}

TEST_F(NamedChannelTest, AReceiverRunningAnEventLoopStillGetsEveryCodeInOrder) {
    auto listener = std::make_unique<TNamedChannelListener>();
    ASSERT_TRUE(listener->Listen(kMessage));
    bool nested = false;
    QObject::connect(listener.get(), &TNamedChannelListener::CodeReceived, [&](quint32 code) {
        received_.push_back(code);
        if (code == 1 && !nested) {
            // As a modal dialog would: the next codes arrive while this one is handled.
            nested = true;
            EXPECT_EQ(NamedChannelSend(kMessage, 2).result, SendResult::Sent);
            EXPECT_TRUE(WaitFor([&] { return received_.size() >= 3; }));
        }
    });
    auto socket = Connected(listener->Address());
    Write(*socket, "1\n");
    Write(*socket, "3\n");
    ASSERT_TRUE(Received(3));
    Settle();
    ASSERT_EQ(received_.size(), 3u);
    EXPECT_EQ(received_[0], 1u);
    // 3 was queued before 2 was sent.
    EXPECT_EQ(received_[1], 3u);
    EXPECT_EQ(received_[2], 2u);
}

TEST_F(NamedChannelTest, AReceiverMayDestroyTheListener) {
    auto* listener = new TNamedChannelListener();
    ASSERT_TRUE(listener->Listen(kMessage));
    QObject::connect(listener, &TNamedChannelListener::CodeReceived, [&](quint32 code) {
        received_.push_back(code);
        delete listener;
    });
    auto socket = Connected(listener->Address());
    Write(*socket, "1\n2\n3\n");
    ASSERT_TRUE(Received(1));
    Settle();
    EXPECT_EQ(received_, (std::vector<uint32_t>{1}));
    EXPECT_EQ(NamedChannelSend(kMessage, 4).result, SendResult::NotListening);
}

// ---- listening ----

#ifdef Q_OS_UNIX
TEST_F(NamedChannelTest, ASocketLeftBehindIsReplaced) {
    const QString address = NamedChannelAddress(kMessage);
    MakeStaleSocket(address);
    ASSERT_TRUE(QFileInfo::exists(address));
    EXPECT_EQ(NamedChannelSend(kMessage, 1).result, SendResult::NotListening);

    auto listener = Listener();
    ASSERT_TRUE(listener->Listen(kMessage)) << listener->ErrorText().toStdString();
    EXPECT_EQ(NamedChannelSend(kMessage, 5).result, SendResult::Sent);
    ASSERT_TRUE(Received(1));
    EXPECT_EQ(received_, (std::vector<uint32_t>{5}));
}
#endif

TEST_F(NamedChannelTest, ALiveAddressIsNotTaken) {
    auto first = Listener();
    ASSERT_TRUE(first->Listen(kMessage));
    {
        TNamedChannelListener second;
        EXPECT_FALSE(second.Listen(kMessage));
        EXPECT_FALSE(second.IsListening());
        EXPECT_FALSE(second.ErrorText().isEmpty());
        EXPECT_TRUE(second.ErrorText().contains(first->Address()))
            << second.ErrorText().toStdString();
    }
    // The refused listener neither took nor removed the first one's socket.
    EXPECT_TRUE(first->IsListening());
    EXPECT_TRUE(QFileInfo::exists(first->Address()));
    EXPECT_EQ(NamedChannelSend(kMessage, 9).result, SendResult::Sent);
    ASSERT_TRUE(Received(1));
    EXPECT_EQ(received_, (std::vector<uint32_t>{9}));
}

TEST_F(NamedChannelTest, ClosingFreesTheAddress) {
    auto first = Listener();
    ASSERT_TRUE(first->Listen(kMessage));
    auto sender = Connected(first->Address());
    first->Close();
    EXPECT_FALSE(first->IsListening());
    EXPECT_FALSE(QFileInfo::exists(first->Address()));
    EXPECT_EQ(NamedChannelSend(kMessage, 1).result, SendResult::NotListening);

    auto second = Listener();
    ASSERT_TRUE(second->Listen(kMessage));
    EXPECT_EQ(NamedChannelSend(kMessage, 2).result, SendResult::Sent);
    ASSERT_TRUE(Received(1));
    EXPECT_EQ(received_, (std::vector<uint32_t>{2}));
}

TEST_F(NamedChannelTest, AnAddressThatCannotBeFreedIsReportedNotFatal) {
    // A folder (not empty) sits where the socket would go.
    const QString address = NamedChannelAddress(kMessage);
    ASSERT_TRUE(QDir().mkpath(address + QStringLiteral("/inside")));
    auto listener = Listener();
    EXPECT_FALSE(listener->Listen(kMessage));
    EXPECT_FALSE(listener->IsListening());
    EXPECT_FALSE(listener->ErrorText().isEmpty());
    EXPECT_TRUE(QFileInfo(address).isDir());
    EXPECT_NE(NamedChannelSend(kMessage, 1).result, SendResult::Sent);
}

TEST_F(NamedChannelTest, SendingWithNobodyListeningSaysSo) {
    const plat::SendOutcome outcome = NamedChannelSend(kMessage, 3);
    EXPECT_EQ(outcome.result, SendResult::NotListening);
    EXPECT_EQ(outcome.address, NamedChannelAddress(kMessage));
    EXPECT_FALSE(outcome.errorText.isEmpty());
}

// ---- the inkwarde-key tool ----

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class InkwardeKeyTest : public NamedChannelTest {
protected:
    // Runs the tool with the test's runtime folder, letting the event loop run meanwhile
    // so that a listener in this process accepts the connection.
    ToolRun Run(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(INKWARDE_KEY_PATH), arguments);
        EXPECT_TRUE(process.waitForStarted(10000)) << process.errorString().toStdString();
        EXPECT_TRUE(WaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }
};

TEST_F(InkwardeKeyTest, SendsTheCodeToTheRunningProgram) {
    auto listener = Listener();
    ASSERT_TRUE(listener->Listen(kMessage));
    const ToolRun run = Run({QStringLiteral("7")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    ASSERT_TRUE(Received(1));
    EXPECT_EQ(received_, (std::vector<uint32_t>{7}));

    EXPECT_EQ(Run({QStringLiteral("10")}).exitCode, 0);
    ASSERT_TRUE(Received(2));
    EXPECT_EQ(received_.back(), 10u);
}

TEST_F(InkwardeKeyTest, SaysWhenTheProgramIsNotRunning) {
    const ToolRun run = Run({QStringLiteral("1")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("インクワード 筆順 is not running")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(NamedChannelAddress(kMessage))) << run.err.toStdString();
}

TEST_F(InkwardeKeyTest, RejectsWrongUsageWithoutSending) {
    auto listener = Listener();
    ASSERT_TRUE(listener->Listen(kMessage));
    const std::vector<QStringList> cases = {
        {},
        {QStringLiteral("0")},
        {QStringLiteral("11")},
        {QStringLiteral("x")},
        {QStringLiteral("-1")},
        {QStringLiteral("1.5")},
        {QStringLiteral("")},
        {QStringLiteral("1"), QStringLiteral("2")},
    };
    for (const QStringList& arguments : cases) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Usage: inkwarde-key CODE")))
            << run.err.toStdString();
    }
    Settle();
    EXPECT_TRUE(received_.empty());
}

TEST_F(InkwardeKeyTest, HelpListsTheCodes) {
    const ToolRun run = Run({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("Usage: inkwarde-key CODE")));
    for (int code = 1; code <= 10; ++code) {
        const QString row =
            QStringLiteral("%1  key %2 %3")
                .arg(code, 4)
                .arg((code + 1) / 2)
                .arg(code % 2 ? QStringLiteral("pressed") : QStringLiteral("released"));
        EXPECT_TRUE(run.out.contains(row)) << row.toStdString();
    }
}

} // namespace
