#pragma once
// Named message channels: a per-user local socket named after a message, on which other
// programs of the same user (a tablet driver's helper, a desktop shortcut running the
// inkwarde-key tool) send message codes to the running program.
//
// Wire format: each message is one line holding the code in decimal, "7\n". A line that is
// not a decimal number from 0 to 2^32 - 1 is skipped; a line longer than kMaxLineLength
// bytes ends the connection. A last line without its newline counts when the sender closes.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <deque>

class QLocalServer;
class QLocalSocket;

namespace plat {

// The message the tablet's express keys are reported by.
inline constexpr const char* kExpressKeyMessageName = "Wacom Button Message";

// The channel address of messageName for the current user, the same for sender and
// receiver: on Unix the path of a socket in $XDG_RUNTIME_DIR when that is an existing
// directory of the user's, else in the temporary folder with the user id in the name; on
// Windows a pipe name with the user name in it.
QString NamedChannelAddress(const QString& messageName);

// Listens on a message's channel and reports every code received, in the order received,
// through CodeReceived on the thread the listener belongs to. Any number of senders may be
// connected at once. Codes are handed on from a queued call, never from inside the socket
// handling, so a receiver may run a modal dialog or a nested event loop.
class TNamedChannelListener : public QObject {
    Q_OBJECT
public:
    // Longest line accepted, newline not counted; a connection sending more without a
    // newline is dropped.
    static constexpr qsizetype kMaxLineLength = 64;
    // Codes waiting for delivery beyond this many are dropped (a sender flooding the
    // channel cannot grow memory without bound).
    static constexpr std::size_t kMaxPendingCodes = 1024;

    explicit TNamedChannelListener(QObject* parent = nullptr);
    ~TNamedChannelListener() override;

    // Starts listening on the channel of messageName, accessible to the current user only.
    // A socket left behind by a run that ended without closing it is replaced; an address
    // on which another process listens is left to it. Returns whether it listens; when not,
    // ErrorText says why. Listening again first closes the current channel.
    bool Listen(const QString& messageName);
    // Stops listening and drops the connected senders; the address is freed.
    void Close();

    bool IsListening() const;
    // The address of the last Listen, whether or not it succeeded.
    const QString& Address() const { return address_; }
    // Why the last Listen failed; empty after a successful one.
    const QString& ErrorText() const { return errorText_; }

signals:
    void CodeReceived(quint32 code);

private:
    void ConnectionsAccept();
    // Takes the complete lines the sender has sent; atEnd: the sender has closed, so a
    // last line without newline counts too.
    void ConnectionRead(QLocalSocket* socket, bool atEnd);
    void ConnectionDrop(QLocalSocket* socket);
    void CodeQueue(uint32_t code);
    void CodesDeliver();

    QLocalServer* server_ = nullptr;
    QString address_;
    QString errorText_;
    std::deque<uint32_t> pending_;
    bool deliveryPosted_ = false;
};

enum class SendResult {
    Sent,         // the code was written to a listening channel
    NotListening, // nobody listens on the address (no socket, or a socket left behind)
    Failed,       // the channel exists but the code could not be delivered (see errorText)
};

struct SendOutcome {
    SendResult result = SendResult::Failed;
    QString address;   // where it was sent
    QString errorText; // for NotListening and Failed
};

// Connects to the channel of messageName, writes code and waits until it is written, each
// step for at most timeoutMs milliseconds. Blocks the calling thread.
SendOutcome NamedChannelSend(const QString& messageName, uint32_t code, int timeoutMs = 3000);

} // namespace plat
