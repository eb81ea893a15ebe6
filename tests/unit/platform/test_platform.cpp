// The platform chosen for the session, what each backend says the session allows,
// and the Null backend's made-up screen.
#include "platform/nullscreen.h"
#include "platform/platform.h"
#include "platform/x11windows.h"

#include <QtTest>

using namespace kv;

namespace {

// Sets (or, given a null value, removes) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedEnv() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void chosenBackend_data() {
        QTest::addColumn<QByteArray>("asked");   // KOLVANE_PLATFORM
        QTest::addColumn<QByteArray>("wayland"); // WAYLAND_DISPLAY
        QTest::addColumn<QByteArray>("session"); // XDG_SESSION_TYPE
        QTest::addColumn<int>("backend");
        const QByteArray none;
        QTest::newRow("X session")
            << none << none << QByteArray("x11") << int(PlatformBackend::X11);
        QTest::newRow("Wayland display")
            << none << QByteArray("wayland-1") << none << int(PlatformBackend::Portal);
        QTest::newRow("Wayland session type")
            << none << none << QByteArray("wayland") << int(PlatformBackend::Portal);
        QTest::newRow("forced null")
            << QByteArray("null") << QByteArray("wayland-1") << none << int(PlatformBackend::Null);
        QTest::newRow("forced x11 under Wayland")
            << QByteArray("X11") << QByteArray("wayland-1") << none << int(PlatformBackend::X11);
        QTest::newRow("forced portal")
            << QByteArray("portal") << none << none << int(PlatformBackend::Portal);
        QTest::newRow("unknown name: the session's")
            << QByteArray("gdi") << none << none << int(PlatformBackend::X11);
    }
    void chosenBackend() {
        QFETCH(QByteArray, asked);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, session);
        QFETCH(int, backend);
        ScopedEnv a("KOLVANE_PLATFORM", asked), w("WAYLAND_DISPLAY", wayland),
            s("XDG_SESSION_TYPE", session);
        QCOMPARE(int(chooseBackend()), backend);
    }

    void graphicalSession_data() {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("qpa");
        QTest::addColumn<bool>("graphical");
        const QByteArray none;
        QTest::newRow("X display") << QByteArray(":0") << none << none << true;
        QTest::newRow("Wayland display") << none << QByteArray("wayland-0") << none << true;
        QTest::newRow("nothing") << none << none << none << false;
        QTest::newRow("xcb asked, no display") << none << none << QByteArray("xcb") << false;
        QTest::newRow("offscreen plugin") << none << none << QByteArray("offscreen") << true;
    }
    void graphicalSession() {
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, qpa);
        QFETCH(bool, graphical);
        ScopedEnv d("DISPLAY", display), w("WAYLAND_DISPLAY", wayland), q("QT_QPA_PLATFORM", qpa);
        QCOMPARE(hasGraphicalSession(), graphical);
    }

    // What each backend allows; the windows it knows agree with its capabilities.
    void capabilities_data() {
        QTest::addColumn<int>("backend");
        QTest::addColumn<bool>("samplesLive");
        QTest::addColumn<bool>("knowsActiveWindow");
        QTest::newRow("x11") << int(PlatformBackend::X11) << true << true;
        QTest::newRow("portal") << int(PlatformBackend::Portal) << false << false;
        QTest::newRow("null") << int(PlatformBackend::Null) << true << false;
    }
    void capabilities() {
        QFETCH(int, backend);
        QFETCH(bool, samplesLive);
        QFETCH(bool, knowsActiveWindow);
        const auto platform = createPlatform(PlatformBackend(backend));
        QCOMPARE(int(platform->backend()), backend);
        const PlatformCapabilities c = platform->capabilities();
        QCOMPARE(c.samplesLive, samplesLive);
        QCOMPARE(c.knowsActiveWindow, knowsActiveWindow);
        QCOMPARE(platform->windows().knowsActiveWindow(), knowsActiveWindow);
        // Qt runs on X here: one window can cover every output.
        QVERIFY(c.oneWindowCoversAllOutputs);
        QVERIFY(!c.canInjectScrolling);
    }

    // The Null platform reads a made-up screen as large as Qt's: never a failure,
    // every pixel from its position, nothing under a real pointer.
    void nullScreen() {
        const auto platform = createPlatform(PlatformBackend::Null);
        ScreenReader& screen = platform->screen();
        const QScreen* qt = QGuiApplication::primaryScreen();
        QCOMPARE(screen.screenSize(), qt->size() * qt->devicePixelRatio());
        const ScreenGrab read = screen.grab(QRect(300, 20, 4, 3));
        QVERIFY(!read.failed());
        QCOMPARE(read.image.size(), QSize(4, 3));
        QCOMPARE(read.image.format(), QImage::Format_RGB32);
        QCOMPARE(read.image.pixel(2, 1), NullScreenReader::gradient(QPoint(302, 21), QPoint()));
        QVERIFY(screen.grab(QRect(5, 5, 0, 4)).image.isNull());
        QVERIFY(!screen.pixel(QPoint(1, 1)));
        QVERIFY(screen.holdPicture().held);
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
