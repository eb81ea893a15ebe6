#include "platform/instancechannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace kv {
namespace {
constexpr qint64 kLongestMessage = 256;
const QByteArray kAnswer = QByteArrayLiteral("ok\n");
} // namespace

QString instanceSocketPath(const QString& name) {
    // The same folder as the lock (see SingleInstance), so both belong to one user
    // and one session.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir + QLatin1Char('/') + name + QStringLiteral(".socket");
}

InstanceChannel::InstanceChannel(const QString& name, Receiver receiver, QObject* parent)
    : QObject(parent), name_(name), receiver_(std::move(receiver)),
      server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::acceptConnection);
}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::listen() {
    const QString path = instanceSocketPath(name_);
    QLocalServer::removeServer(path);
    return server_->listen(path);
}

void InstanceChannel::acceptConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) {
                // Whoever sends more than a line without ending it is not one of us.
                if (socket->bytesAvailable() > kLongestMessage) socket->abort();
                return;
            }
            const QString message = QString::fromUtf8(socket->readLine(kLongestMessage)).trimmed();
            // Answer first: the sender exits on the answer and should not wait
            // for whatever the message starts here.
            socket->write(kAnswer);
            socket->flush();
            socket->disconnectFromServer();
            // Run from the event loop, not from inside this socket's signal: the
            // request may open windows and wait for the display.
            QMetaObject::invokeMethod(
                this,
                [this, message] {
                    if (receiver_) receiver_(message);
                },
                Qt::QueuedConnection);
        });
    }
}

HandOver handOverToRunningInstance(const QString& name, const QString& message, int timeoutMs) {
    const QString path = instanceSocketPath(name);
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(path);
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime())))) break;
        if (deadline.hasExpired()) return HandOver::NoAnswer;
        QThread::msleep(20);
    }
    socket.write(message.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
        return HandOver::NoAnswer;
    QByteArray answer;
    while (!answer.endsWith('\n')) {
        if (socket.bytesAvailable() == 0 &&
            !socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
        answer += socket.readAll();
    }
    return answer == kAnswer ? HandOver::Delivered : HandOver::NoAnswer;
}

} // namespace kv
