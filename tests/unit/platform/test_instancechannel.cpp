// Handing a request from a second start to the running instance over the local
// socket beside the single-instance lock.
#include "platform/instancechannel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QTest>
#include <QTimer>
#include <future>

using namespace kv;

Q_DECLARE_METATYPE(HandOver)

namespace {

// A name no other test or program on this desktop uses.
QString uniqueName(const char* what) {
    return QStringLiteral("kolvane-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(what);
}

// The second start blocks on its socket, so it runs beside this thread's event loop.
std::future<HandOver> sendAside(const QString& name, const QString& message, int timeoutMs) {
    return std::async(std::launch::async,
                      [=] { return handOverToRunningInstance(name, message, timeoutMs); });
}

HandOver waitWhileServing(std::future<HandOver>& sent) {
    while (sent.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return sent.get();
}

} // namespace

class TestInstanceChannel : public QObject {
    Q_OBJECT
private slots:
    // Every message arrives whole, once, in order, and each sender hears that it did.
    void delivers() {
        QStringList received;
        InstanceChannel channel(uniqueName("delivers"), [&](const QString& m) { received << m; });
        QVERIFY(channel.listen());
        const QStringList messages{"region", "full-screen", "window", "区域"};
        for (const QString& m : messages) {
            auto sent = sendAside(uniqueName("delivers"), m, 3000);
            QCOMPARE(waitWhileServing(sent), HandOver::Delivered);
        }
        QTRY_COMPARE(received, messages);
    }

    // The request is run from the event loop after the answer went out, so a
    // request that opens windows does not keep the sender waiting.
    void answersBeforeRunning() {
        bool ran = false;
        InstanceChannel channel(uniqueName("order"), [&](const QString&) { ran = true; });
        QVERIFY(channel.listen());
        auto sent = sendAside(uniqueName("order"), "region", 3000);
        QCOMPARE(waitWhileServing(sent), HandOver::Delivered);
        QTRY_VERIFY(ran);
    }

    // A message whose sender waits for the outcome: it runs first, and the sender
    // hears "ok" or the line saying why not; other messages are still answered
    // before they run.
    void answersAfterRunning_data() {
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<HandOver>("handOver");
        QTest::addColumn<QString>("answer");
        QTest::newRow("done") << QString() << HandOver::Delivered << "ok";
        QTest::newRow("done, said so") << QString("ok") << HandOver::Delivered << "ok";
        QTest::newRow("refused") << QString("the clipboard holds no picture") << HandOver::Refused
                                 << "the clipboard holds no picture";
        QTest::newRow("refused over two lines")
            << QString("no\npicture") << HandOver::Refused << "no picture";
    }
    void answersAfterRunning() {
        QFETCH(QString, outcome);
        QFETCH(HandOver, handOver);
        QFETCH(QString, answer);
        bool ran = false;
        QStringList received;
        InstanceChannel channel(uniqueName("answer"), [&](const QString& m) { received << m; });
        channel.answerAfterRunning("pin", [&] {
            ran = true;
            return outcome;
        });
        QVERIFY(channel.listen());
        QString heard;
        auto sent = std::async(std::launch::async, [&] {
            return handOverToRunningInstance(uniqueName("answer"), "pin", 3000, &heard);
        });
        QCOMPARE(waitWhileServing(sent), handOver);
        QVERIFY(ran);
        QCOMPARE(heard, answer);
        QVERIFY(received.isEmpty()); // not given to the plain receiver as well
        auto other = sendAside(uniqueName("answer"), "region", 3000);
        QCOMPARE(waitWhileServing(other), HandOver::Delivered);
        QTRY_COMPARE(received, QStringList{"region"});
    }

    // Nobody listens (the lock holder hangs or is gone): the sender gives up in time.
    void nobodyListens() {
        QElapsedTimer t;
        t.start();
        QCOMPARE(handOverToRunningInstance(uniqueName("nobody"), "region", 300),
                 HandOver::NoAnswer);
        QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
    }

    // The lock holder is still starting and listens a moment after the second
    // start tries: the request still gets through.
    void listenerComesLate() {
        QString got;
        InstanceChannel channel(uniqueName("late"), [&](const QString& m) { got = m; });
        auto sent = sendAside(uniqueName("late"), "window", 3000);
        QTest::qWait(300);
        QVERIFY(channel.listen());
        QCOMPARE(waitWhileServing(sent), HandOver::Delivered);
        QTRY_COMPARE(got, QString("window"));
    }

    // A crashed instance leaves its socket file behind; the next one listens anyway.
    void staleSocketFile() {
        const QString name = uniqueName("stale");
        QFile stale(instanceSocketPath(name));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QString got;
        InstanceChannel channel(name, [&](const QString& m) { got = m; });
        QVERIFY(channel.listen());
        auto sent = sendAside(name, "region", 3000);
        QCOMPARE(waitWhileServing(sent), HandOver::Delivered);
        QTRY_COMPARE(got, QString("region"));
    }

    // Something that connects and streams without ever ending a line is dropped,
    // and nothing of it reaches the program.
    void endlessLineIsDropped() {
        int calls = 0;
        InstanceChannel channel(uniqueName("endless"), [&](const QString&) { ++calls; });
        QVERIFY(channel.listen());
        QLocalSocket socket;
        socket.connectToServer(instanceSocketPath(uniqueName("endless")));
        QVERIFY(socket.waitForConnected(2000));
        socket.write(QByteArray(4096, 'x'));
        QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(calls, 0);
    }
};

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "test_instancechannel.moc"
