#include "platform/instancechannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kv {
namespace {

constexpr qsizetype kLongestMessage = 256;
const QByteArray kAnswer = QByteArrayLiteral("ok\n");
const QString kDone = QStringLiteral("ok");

// The socket's address; false when the path does not fit one.
bool addressOf(const QString& path, sockaddr_un& address) {
    const QByteArray encoded = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (encoded.size() >= qsizetype(sizeof address.sun_path)) return false;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    return true;
}

int newSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// Sends all of `bytes` on a non-blocking socket before the deadline.
bool sendAll(int fd, const QByteArray& bytes, const QDeadlineTimer& deadline) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
        pollfd p{fd, POLLOUT, 0};
        if (deadline.hasExpired() || ::poll(&p, 1, int(deadline.remainingTime())) <= 0)
            return false;
    }
    return true;
}

} // namespace

QString instanceSocketPath(const QString& name) {
    // The same folder as the lock (see SingleInstance), so both belong to one user
    // and one session.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir + QLatin1Char('/') + name + QStringLiteral(".socket");
}

InstanceChannel::InstanceChannel(const QString& name, Receiver receiver, QObject* parent)
    : QObject(parent), name_(name), receiver_(std::move(receiver)) {}

InstanceChannel::~InstanceChannel() {
    while (!clients_.empty())
        drop(clients_.begin()->first);
    listening_.reset();
    if (listenFd_ >= 0) ::close(listenFd_);
}

bool InstanceChannel::listen() {
    sockaddr_un address;
    if (listenFd_ >= 0 || !addressOf(instanceSocketPath(name_), address)) return false;
    ::unlink(address.sun_path);
    const int fd = newSocket();
    if (fd < 0) return false;
    // Only this user may connect. The rights are taken away before listen(), and
    // until then every connection is refused.
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    listenFd_ = fd;
    listening_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(listening_.get(), &QSocketNotifier::activated, this,
            &InstanceChannel::acceptConnections);
    return true;
}

void InstanceChannel::acceptConnections() {
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) return; // EAGAIN: none waiting any more
        Client& client = clients_[fd];
        client.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(client.notifier.get(), &QSocketNotifier::activated, this,
                [this, fd] { readFrom(fd); });
    }
}

void InstanceChannel::readFrom(int fd) {
    auto it = clients_.find(fd);
    if (it == clients_.end()) return;
    QByteArray& received = it->second.received;
    char buffer[512];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    if (n <= 0) return drop(fd); // gone before ending its line
    received.append(buffer, n);
    const qsizetype end = received.indexOf('\n');
    if (end < 0) {
        // Whoever sends more than a line without ending it is not one of us.
        if (received.size() > kLongestMessage) drop(fd);
        return;
    }
    const QString message = QString::fromUtf8(received.left(end)).trimmed();
    if (answered_.count(message)) {
        // The sender waits for the outcome: nothing more is read from it, and it
        // is answered once the message has run.
        it->second.notifier->setEnabled(false);
        QMetaObject::invokeMethod(
            this, [this, fd, message] { answer(fd, message); }, Qt::QueuedConnection);
        return;
    }
    // Answer first: the sender exits on the answer and should not wait for
    // whatever the message starts here.
    sendAll(fd, kAnswer, QDeadlineTimer(500));
    drop(fd);
    // Run from the event loop, not from inside the socket's notification: the
    // request may open windows and wait for the display.
    QMetaObject::invokeMethod(
        this,
        [this, message] {
            if (receiver_) receiver_(message);
        },
        Qt::QueuedConnection);
}

void InstanceChannel::answer(int fd, const QString& message) {
    const QString outcome = answered_.at(message)();
    if (!clients_.count(fd)) return;
    // One line, whatever the outcome says.
    QString line = outcome.isEmpty() ? kDone : outcome.simplified();
    sendAll(fd, line.left(kLongestMessage).toUtf8() + '\n', QDeadlineTimer(500));
    drop(fd);
}

void InstanceChannel::answerAfterRunning(const QString& message, std::function<QString()> run) {
    answered_[message] = std::move(run);
}

void InstanceChannel::drop(int fd) {
    auto it = clients_.find(fd);
    if (it == clients_.end()) return;
    // The notifier goes before its socket is closed, and later, from the event
    // loop, as it may be the one whose signal is being handled now.
    it->second.notifier->setEnabled(false);
    it->second.notifier.release()->deleteLater();
    clients_.erase(it);
    ::close(fd);
}

namespace {

// Connects before the deadline, trying again while nobody listens yet; -1 when
// no connection could be had.
int connectBefore(const sockaddr_un& address, const QDeadlineTimer& deadline) {
    for (;;) {
        const int fd = newSocket();
        if (fd < 0) return -1;
        int r = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        if (r != 0 && errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            int error = 0;
            socklen_t length = sizeof error;
            r = ::poll(&p, 1, int(qMax<qint64>(1, deadline.remainingTime()))) == 1 &&
                        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0
                    ? 0
                    : -1;
        }
        if (r == 0) return fd;
        ::close(fd);
        if (deadline.hasExpired()) return -1;
        QThread::msleep(20);
    }
}

} // namespace

HandOver handOverToRunningInstance(const QString& name, const QString& message, int timeoutMs,
                                   QString* answerOut) {
    sockaddr_un address;
    if (!addressOf(instanceSocketPath(name), address)) return HandOver::NoAnswer;
    const QDeadlineTimer deadline(timeoutMs);
    const int fd = connectBefore(address, deadline);
    if (fd < 0) return HandOver::NoAnswer;
    QByteArray answer;
    if (sendAll(fd, message.toUtf8() + '\n', deadline)) {
        while (!answer.endsWith('\n') && answer.size() <= kLongestMessage) {
            pollfd p{fd, POLLIN, 0};
            if (deadline.hasExpired() || ::poll(&p, 1, int(deadline.remainingTime())) <= 0) break;
            char buffer[64];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (n <= 0) break;
            answer.append(buffer, n);
        }
    }
    ::close(fd);
    if (!answer.endsWith('\n')) return HandOver::NoAnswer;
    if (answerOut) *answerOut = QString::fromUtf8(answer).trimmed();
    return answer == kAnswer ? HandOver::Delivered : HandOver::Refused;
}

} // namespace kv
