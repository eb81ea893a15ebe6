// The portal's screenshot and colour-picker requests, against a fake portal on a
// private bus: what each kind of answer (or no answer) becomes, which files are
// removed, and the reader built on top.
#include "platform/portalscreenreader.h"
#include "platform/portalscreenshot.h"
#include "support/privatebus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace kv;

namespace {

// What the fake portal does with the next request.
struct Script {
    bool answer = true;   // send a Response at all
    bool early = false;   // send it before the method returns
    bool ownPath = false; // answer on a path of its own choosing, as old portals did
    int delayMs = 20;     // after the method returned
    uint response = 0;
    QVariantMap results;
};

class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public:
    explicit FakePortal(QDBusConnection bus) : bus_(bus) {}
    Script script;
    int requests = 0;
    QVariantMap lastOptions;

public Q_SLOTS:
    QDBusObjectPath Screenshot(const QString&, const QVariantMap& options,
                               const QDBusMessage& message) {
        return answer(options, message);
    }
    QDBusObjectPath PickColor(const QString&, const QVariantMap& options,
                              const QDBusMessage& message) {
        return answer(options, message);
    }

private:
    QDBusObjectPath answer(const QVariantMap& options, const QDBusMessage& message) {
        ++requests;
        lastOptions = options;
        const QString token = options.value(QStringLiteral("handle_token")).toString();
        const QString path =
            script.ownPath
                ? QStringLiteral("/org/freedesktop/portal/desktop/request/x/%1").arg(requests)
                : portalRequestPath(message.service(), token);
        if (script.answer) {
            QDBusMessage signal = QDBusMessage::createSignal(
                path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            signal << script.response << script.results;
            if (script.early)
                bus_.send(signal);
            else
                QTimer::singleShot(script.delayMs, this, [this, signal] { bus_.send(signal); });
        }
        return QDBusObjectPath(path);
    }
    QDBusConnection bus_;
};

// A portal that has no colour picker.
class OldFakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public Q_SLOTS:
    QDBusObjectPath Screenshot(const QString&, const QVariantMap&) { return {}; }
};

QImage noise(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    quint32 v = 12345;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            v = v * 1664525u + 1013904223u;
            image.setPixel(x, y, v | 0xff000000u);
        }
    return image;
}

QVariant colourValue(double r, double g, double b) {
    QDBusArgument arg;
    arg.beginStructure();
    arg << r << g << b;
    arg.endStructure();
    return QVariant::fromValue(arg);
}

} // namespace

class TestPortalScreenshot : public QObject {
    Q_OBJECT

    std::unique_ptr<test::PrivateBus> bus_;
    std::unique_ptr<FakePortal> fake_;
    QDBusConnection portalSide_{QString()};
    QDBusConnection ourSide_{QString()};
    QTemporaryDir files_;
    int connections_ = 0;

    PortalScreenshot portal(int timeoutMs = 3000) {
        return PortalScreenshot(ourSide_, timeoutMs, timeoutMs);
    }
    QString writePicture(const QString& name, const QImage& image) {
        const QString path = files_.filePath(name);
        image.save(path, "PNG");
        return path;
    }

private Q_SLOTS:
    void init() {
        bus_ = std::make_unique<test::PrivateBus>();
        QVERIFY2(bus_->ok(), "dbus-daemon did not start");
        const int n = ++connections_;
        portalSide_ = bus_->connect(QStringLiteral("portal%1").arg(n));
        ourSide_ = bus_->connect(QStringLiteral("ours%1").arg(n));
        QVERIFY(portalSide_.isConnected() && ourSide_.isConnected());
        fake_ = std::make_unique<FakePortal>(portalSide_);
        QVERIFY(portalSide_.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"),
                                           fake_.get(), QDBusConnection::ExportAllSlots));
        QVERIFY(portalSide_.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    }
    void cleanup() {
        fake_.reset();
        bus_.reset();
    }

    void screenshotAnswers_data() {
        QTest::addColumn<bool>("early");
        QTest::addColumn<bool>("ownPath");
        QTest::newRow("answer after the call returns") << false << false;
        QTest::newRow("answer before the call returns") << true << false;
        QTest::newRow("answer on the portal's own path") << false << true;
    }
    // The picture arrives exactly, whenever and wherever the portal answers, the
    // request asks the user nothing, and the file written for it is gone.
    void screenshotAnswers() {
        QFETCH(bool, early);
        QFETCH(bool, ownPath);
        const QImage shown = noise(QSize(64, 48));
        const QString file = writePicture(QStringLiteral("shot.png"), shown);
        fake_->script.early = early;
        fake_->script.ownPath = ownPath;
        fake_->script.results = {{QStringLiteral("uri"), QUrl::fromLocalFile(file).toString()}};
        const PortalPicture got = portal().take();
        QCOMPARE(int(got.outcome), int(PortalOutcome::Success));
        QCOMPARE(got.image.format(), QImage::Format_RGB32);
        QCOMPARE(got.image, shown);
        QCOMPARE(fake_->lastOptions.value(QStringLiteral("interactive")).toBool(), false);
        QVERIFY(!QFile::exists(file));
    }

    // A file that was there before the request is not ours to remove.
    void olderFileStays() {
        const QString file = writePicture(QStringLiteral("mine.png"), noise(QSize(8, 8)));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                              QFileDevice::FileModificationTime));
        f.close();
        fake_->script.results = {{QStringLiteral("uri"), QUrl::fromLocalFile(file).toString()}};
        QCOMPARE(int(portal().take().outcome), int(PortalOutcome::Success));
        QVERIFY(QFile::exists(file));
    }

    void failures_data() {
        QTest::addColumn<uint>("response");
        QTest::addColumn<QVariant>("uri");
        QTest::addColumn<int>("outcome");
        const QString missing = files_.filePath(QStringLiteral("never-written.png"));
        QTest::newRow("cancelled") << 1u << QVariant() << int(PortalOutcome::Cancelled);
        QTest::newRow("ended by the portal") << 2u << QVariant() << int(PortalOutcome::Refused);
        QTest::newRow("unknown response") << 7u << QVariant() << int(PortalOutcome::Refused);
        QTest::newRow("no uri") << 0u << QVariant() << int(PortalOutcome::BadReply);
        QTest::newRow("uri not a string") << 0u << QVariant(42) << int(PortalOutcome::BadReply);
        QTest::newRow("not a uri")
            << 0u << QVariant(QStringLiteral("%%%")) << int(PortalOutcome::BadReply);
        QTest::newRow("plain path")
            << 0u << QVariant(QStringLiteral("/tmp/x.png")) << int(PortalOutcome::BadReply);
        QTest::newRow("remote") << 0u << QVariant(QStringLiteral("http://example.org/x.png"))
                                << int(PortalOutcome::BadReply);
        QTest::newRow("file on another host")
            << 0u << QVariant(QStringLiteral("file://elsewhere/tmp/x.png"))
            << int(PortalOutcome::BadReply);
        QTest::newRow("missing file") << 0u << QVariant(QUrl::fromLocalFile(missing).toString())
                                      << int(PortalOutcome::BadReply);
    }
    // Every failure is told as such, with no picture.
    void failures() {
        QFETCH(uint, response);
        QFETCH(QVariant, uri);
        QFETCH(int, outcome);
        fake_->script.response = response;
        if (uri.isValid()) fake_->script.results = {{QStringLiteral("uri"), uri}};
        const PortalPicture got = portal().take();
        QCOMPARE(int(got.outcome), outcome);
        QVERIFY(got.image.isNull());
        QVERIFY(!portalFailureText(got.outcome).isEmpty());
    }

    // A file that is no picture is reported, and removed all the same: it was
    // written for this request.
    void unreadablePicture() {
        const QString file = files_.filePath(QStringLiteral("garbage.png"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
        f.close();
        fake_->script.results = {{QStringLiteral("uri"), QUrl::fromLocalFile(file).toString()}};
        const PortalPicture got = portal().take();
        QCOMPARE(int(got.outcome), int(PortalOutcome::BadReply));
        QVERIFY(!QFile::exists(file));
    }

    void timedOut() {
        fake_->script.answer = false;
        QCOMPARE(int(portal(300).take().outcome), int(PortalOutcome::TimedOut));
        // An answer that comes too late does not count for the next request.
        fake_->script.answer = true;
        fake_->script.delayMs = 600;
        fake_->script.response = 1;
        QCOMPARE(int(portal(300).take().outcome), int(PortalOutcome::TimedOut));
        fake_->script.delayMs = 20;
        fake_->script.response = 2;
        QCOMPARE(int(portal(3000).take().outcome), int(PortalOutcome::Refused));
        QTest::qWait(700);
    }

    void noPortal() {
        QVERIFY(portalSide_.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop")));
        QCOMPARE(int(portal().take().outcome), int(PortalOutcome::NoPortal));
    }

    void pickedColours_data() {
        QTest::addColumn<QVariant>("colour");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<uint>("expected");
        QTest::newRow("exact") << colourValue(1.0, 0.0, 30.0 / 255) << true
                               << uint(qRgb(255, 0, 30));
        QTest::newRow("rounded") << colourValue(0.5, 0.25, 0.75) << true
                                 << uint(qRgb(128, 64, 191));
        QTest::newRow("out of range clamps")
            << colourValue(-1, 2, 0.0) << true << uint(qRgb(0, 255, 0));
        QTest::newRow("not a number") << colourValue(qQNaN(), 0, 0) << false << 0u;
        QTest::newRow("a string") << QVariant(QStringLiteral("red")) << false << 0u;
        QTest::newRow("missing") << QVariant() << false << 0u;
    }
    void pickedColours() {
        QFETCH(QVariant, colour);
        QFETCH(bool, valid);
        QFETCH(uint, expected);
        if (colour.isValid()) fake_->script.results = {{QStringLiteral("color"), colour}};
        const PortalColour got = portal().pickColour();
        QCOMPARE(got.colour.has_value(), valid);
        QCOMPARE(int(got.outcome), int(valid ? PortalOutcome::Success : PortalOutcome::BadReply));
        if (valid) QCOMPARE(uint(*got.colour), expected);
    }

    // A portal without a picker: the reader says so once and asks no more.
    void pickerNotOffered() {
        OldFakePortal old;
        portalSide_.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
        QVERIFY(portalSide_.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &old,
                                           QDBusConnection::ExportAllSlots));
        QCOMPARE(int(portal().pickColour().outcome), int(PortalOutcome::NotOffered));
        PortalScreenReader reader(std::make_unique<PortalScreenshot>(ourSide_, 3000, 3000));
        QVERIFY(!reader.pickColour().offered);
    }

    // The reader: rectangles are cut from one whole picture, black off it; a held
    // picture answers single pixels without new requests; failures have a reason.
    void reader() {
        const QImage shown = noise(QSize(40, 30));
        auto script = [&] {
            fake_->script.results = {
                {QStringLiteral("uri"),
                 QUrl::fromLocalFile(writePicture(QStringLiteral("r.png"), shown)).toString()}};
        };
        PortalScreenReader reader(std::make_unique<PortalScreenshot>(ourSide_, 3000, 3000));
        script();
        const ScreenGrab part = reader.grab(QRect(5, 6, 10, 8));
        QCOMPARE(part.image, shown.copy(5, 6, 10, 8));
        QVERIFY(!part.failed());
        script();
        const QImage edge = reader.grab(QRect(35, 25, 10, 10)).image;
        QCOMPARE(edge.copy(0, 0, 5, 5), shown.copy(35, 25, 5, 5));
        QCOMPARE(edge.pixel(7, 7), qRgb(0, 0, 0));

        // Single pixels each take a picture of their own...
        script();
        QCOMPARE(*reader.pixel(QPoint(3, 4)), shown.pixel(3, 4));
        // ...but a held picture in which no window of ours can be found answers
        // nothing, rather than pixels from the wrong place, and asks no more.
        script();
        const PictureHold hold = reader.holdPicture();
        QVERIFY(!hold.held);
        QVERIFY(!hold.failure.isEmpty());
        const int before = fake_->requests;
        QVERIFY(!reader.pixel(QPoint(3, 4)));
        QCOMPARE(fake_->requests, before);
        reader.releasePicture();

        fake_->script.response = 1;
        const ScreenGrab cancelled = reader.grab(QRect(0, 0, 4, 4));
        QVERIFY(cancelled.image.isNull());
        QCOMPARE(cancelled.failure, portalFailureText(PortalOutcome::Cancelled));
    }
};

QTEST_GUILESS_MAIN(TestPortalScreenshot)
#include "test_portalscreenshot.moc"
