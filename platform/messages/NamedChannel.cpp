#include "platform/messages/NamedChannel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QtGlobal>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace plat {

namespace {

// How long Listen waits to learn whether a process answers on an existing socket.
constexpr int kProbeTimeoutMs = 1000;
// Socket paths must fit the system's address structure (104 bytes on some systems,
// 108 on Linux, terminating zero included).
constexpr qsizetype kMaxSocketPathBytes = 103;

// The message name reduced to lower-case ASCII letters and digits joined by single hyphens:
// "Wacom Button Message" -> "wacom-button-message".
QString NameSlug(const QString& name) {
    QString slug;
    bool gap = false;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        const bool alnum =
            (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
        if (!alnum) {
            gap = true;
            continue;
        }
        if (gap && !slug.isEmpty()) slug += QLatin1Char('-');
        gap = false;
        slug += QChar(u).toLower();
    }
    return slug.isEmpty() ? QStringLiteral("channel") : slug;
}

#ifdef Q_OS_UNIX
bool OwnedByUser(const QFileInfo& info) {
    return info.ownerId() == static_cast<uint>(::getuid());
}

bool FitsSocketPath(const QString& path) {
    return QFile::encodeName(path).size() <= kMaxSocketPathBytes;
}

// $XDG_RUNTIME_DIR when it is an absolute path to an existing, writable directory of the
// user's; empty otherwise.
QString UsableRuntimeDir() {
    const QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir::isAbsolutePath(dir)) return {};
    const QFileInfo info(dir);
    if (!info.isDir() || !info.isWritable() || !OwnedByUser(info)) return {};
    return QDir::cleanPath(dir);
}
#endif

// The code a line of the wire format holds; false when the line holds none. Blanks around
// the number (a "\r" before the newline among them) are allowed.
bool LineCode(const QByteArray& line, uint32_t& code) {
    const QByteArray text = line.trimmed();
    if (text.isEmpty() || text.size() > 10) return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > UINT32_MAX) return false;
    code = static_cast<uint32_t>(value);
    return true;
}

} // namespace

QString NamedChannelAddress(const QString& messageName) {
    const QString slug = NameSlug(messageName);
#ifdef Q_OS_UNIX
    const QString name = QStringLiteral("inkwarde-%1").arg(slug);
    const QString runtimeDir = UsableRuntimeDir();
    if (!runtimeDir.isEmpty()) {
        const QString path = runtimeDir + QLatin1Char('/') + name;
        if (FitsSocketPath(path)) return path;
    }
    // The temporary folder is shared by all users: the user id keeps the addresses apart.
    return QDir::cleanPath(QDir::tempPath()) +
           QStringLiteral("/inkwarde-%1-%2").arg(::getuid()).arg(slug);
#else
    // A pipe name; pipes are machine-wide, so the user name keeps them apart.
    return QStringLiteral("inkwarde-%1-%2").arg(NameSlug(qEnvironmentVariable("USERNAME")), slug);
#endif
}

TNamedChannelListener::TNamedChannelListener(QObject* parent) : QObject(parent) {}

TNamedChannelListener::~TNamedChannelListener() {
    Close();
}

bool TNamedChannelListener::IsListening() const {
    return server_ != nullptr && server_->isListening();
}

bool TNamedChannelListener::Listen(const QString& messageName) {
    Close();
    address_ = NamedChannelAddress(messageName);
    errorText_.clear();

#ifdef Q_OS_UNIX
    const QFileInfo existing(address_);
    const bool present = existing.exists();
    if (present && !OwnedByUser(existing)) {
        errorText_ = QStringLiteral("%1 belongs to another user").arg(address_);
        return false;
    }
#endif
    // A running instance answers on its address and keeps it; a socket left behind by a run
    // that ended abruptly answers nobody.
    {
        QLocalSocket probe;
        probe.connectToServer(address_);
        if (probe.waitForConnected(kProbeTimeoutMs)) {
            probe.abort();
            errorText_ = QStringLiteral("another instance listens on %1").arg(address_);
            return false;
        }
        const auto probeError = probe.error();
        if (probeError != QLocalSocket::ServerNotFoundError &&
            probeError != QLocalSocket::ConnectionRefusedError) {
            errorText_ = QStringLiteral("%1: %2").arg(address_, probe.errorString());
            return false;
        }
    }
#ifdef Q_OS_UNIX
    if (present && !QLocalServer::removeServer(address_)) {
        errorText_ = QStringLiteral("cannot remove the old socket %1").arg(address_);
        return false;
    }
#endif

    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(address_)) {
        errorText_ = QStringLiteral("%1: %2").arg(address_, server->errorString());
        return false;
    }
    server_ = server.release();
    server_->setParent(this);
    connect(server_, &QLocalServer::newConnection, this, &TNamedChannelListener::ConnectionsAccept);
    return true;
}

void TNamedChannelListener::Close() {
    if (server_ == nullptr) return;
    // Connected senders are children of the server; they go with it, without reporting.
    for (QLocalSocket* socket : server_->findChildren<QLocalSocket*>()) socket->disconnect(this);
    delete server_; // closes it and removes the socket
    server_ = nullptr;
}

void TNamedChannelListener::ConnectionsAccept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // Bounds what is taken from the system at a time; the rest waits there.
        socket->setReadBufferSize(4096);
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket] { ConnectionRead(socket, false); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            ConnectionRead(socket, true);
            socket->disconnect(this);
            socket->deleteLater();
        });
        // Data may have arrived with the connection.
        if (socket->bytesAvailable() > 0) ConnectionRead(socket, false);
        if (socket->state() != QLocalSocket::ConnectedState) {
            ConnectionRead(socket, true);
            socket->disconnect(this);
            socket->deleteLater();
        }
    }
}

void TNamedChannelListener::ConnectionRead(QLocalSocket* socket, bool atEnd) {
    for (;;) {
        const QByteArray head = socket->peek(kMaxLineLength + 1);
        const qsizetype newline = head.indexOf('\n');
        if (newline < 0) {
            if (head.size() > kMaxLineLength) {
                ConnectionDrop(socket);
                return;
            }
            if (atEnd && !head.isEmpty()) {
                uint32_t code = 0;
                if (LineCode(socket->read(head.size()), code)) CodeQueue(code);
            }
            return;
        }
        const QByteArray line = socket->read(newline + 1);
        uint32_t code = 0;
        if (LineCode(line, code)) CodeQueue(code);
    }
}

void TNamedChannelListener::ConnectionDrop(QLocalSocket* socket) {
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void TNamedChannelListener::CodeQueue(uint32_t code) {
    if (pending_.size() >= kMaxPendingCodes) return;
    pending_.push_back(code);
    if (deliveryPosted_) return;
    deliveryPosted_ = true;
    QMetaObject::invokeMethod(this, &TNamedChannelListener::CodesDeliver, Qt::QueuedConnection);
}

void TNamedChannelListener::CodesDeliver() {
    deliveryPosted_ = false;
    // A receiver may destroy the listener (its window closed) or run a nested event loop in
    // which further codes are delivered; both are safe here.
    const QPointer<TNamedChannelListener> self(this);
    while (self && !pending_.empty()) {
        const uint32_t code = pending_.front();
        pending_.pop_front();
        emit CodeReceived(code);
    }
}

SendOutcome NamedChannelSend(const QString& messageName, uint32_t code, int timeoutMs) {
    SendOutcome outcome;
    outcome.address = NamedChannelAddress(messageName);
#ifdef Q_OS_UNIX
    const QFileInfo existing(outcome.address);
    if (existing.exists() && !OwnedByUser(existing)) {
        outcome.errorText = QStringLiteral("%1 belongs to another user").arg(outcome.address);
        return outcome;
    }
#endif
    QLocalSocket socket;
    socket.connectToServer(outcome.address);
    if (!socket.waitForConnected(timeoutMs)) {
        const auto error = socket.error();
        outcome.result = error == QLocalSocket::ServerNotFoundError ||
                                 error == QLocalSocket::ConnectionRefusedError
                             ? SendResult::NotListening
                             : SendResult::Failed;
        outcome.errorText = socket.errorString();
        return outcome;
    }
    const QByteArray line = QByteArray::number(code) + '\n';
    if (socket.write(line) != line.size()) {
        outcome.errorText = socket.errorString();
        return outcome;
    }
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(timeoutMs)) {
            outcome.errorText = socket.errorString();
            return outcome;
        }
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
    outcome.result = SendResult::Sent;
    return outcome;
}

} // namespace plat
