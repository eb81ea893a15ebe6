#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

class QSocketNotifier;

namespace kv {

// Where a second start hands its request to the instance that holds the
// single-instance lock: a local socket in the user's runtime folder, beside the lock.
QString instanceSocketPath(const QString& name);

// The running instance's end: listens for one-line messages and answers each with
// "ok" once it has been taken. Plain Unix-domain sockets watched by the event
// loop: Qt's network module would load a dozen libraries at every start for this.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    using Receiver = std::function<void(const QString& message)>;
    InstanceChannel(const QString& name, Receiver receiver, QObject* parent = nullptr);
    ~InstanceChannel() override;
    // A message whose sender waits for its outcome: it is run first, from the event
    // loop, and the line `run` returns is the answer (empty or "ok" when it was
    // done, else why not). Every other message is answered "ok" before it runs.
    void answerAfterRunning(const QString& message, std::function<QString()> run);
    // Only the lock holder may listen; a socket left behind by a crashed instance
    // is removed first. False when the socket cannot be made.
    bool listen();

private:
    struct Client {
        QByteArray received;
        std::unique_ptr<QSocketNotifier> notifier;
    };
    void acceptConnections();
    void readFrom(int fd);
    void drop(int fd);
    void answer(int fd, const QString& message);
    QString name_;
    Receiver receiver_;
    std::map<QString, std::function<QString()>> answered_;
    int listenFd_ = -1;
    std::unique_ptr<QSocketNotifier> listening_;
    std::map<int, Client> clients_;
};

// Delivered: answered "ok"; Refused: answered with another line (why it was not
// done); NoAnswer: nobody took it in time.
enum class HandOver { Delivered, NoAnswer, Refused };

// The second start's end: sends one line to the running instance and waits for its
// answer, which lands in `answer` when given. The lock holder may still be starting
// up and not listening yet, so a refused connection is tried again until timeoutMs
// has passed.
HandOver handOverToRunningInstance(const QString& name, const QString& message,
                                   int timeoutMs = 3000, QString* answer = nullptr);

} // namespace kv
