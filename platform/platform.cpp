#include "platform/platform.h"

#include "platform/lazyscreenreader.h"
#include "platform/screenreaderfactory.h"
#include "platform/waylandscale.h"
#include "platform/x11windows.h"

#include <QGuiApplication>

namespace kv {

namespace {

// Whether Qt is a Wayland client here. A compositor places every window itself (one
// output each at full screen; an X window manager can be passed by) and offers the
// clipboard only to the client with the keyboard focus.
bool speaksWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The windows of a session that tells us of none: the screen is there as a whole.
class NoWindows final : public DesktopWindows {
public:
    WId desktopWindow() const override { return 0; }
    WId activeWindow() const override { return 0; }
    QRect windowRect(WId, bool) const override { return {}; }
    bool knowsActiveWindow() const override { return false; }
};

class SessionPlatform final : public Platform {
public:
    SessionPlatform(Backend backend, LazyScreenReader::Factory screen,
                    std::unique_ptr<DesktopWindows> windows)
        : backend_(backend), screen_(std::move(screen)),
          windows_(windows ? std::move(windows) : std::make_unique<NoWindows>()) {}

    Backend backend() const override { return backend_; }
    PlatformCapabilities capabilities() const override {
        PlatformCapabilities c;
        c.samplesLive = backend_ != Backend::Portal;
        c.knowsActiveWindow = windows_->knowsActiveWindow();
        c.oneWindowCoversAllOutputs = !speaksWayland();
        c.canInjectScrolling = false;
        c.readsClipboardWithoutWindow = !speaksWayland();
        c.placesOwnWindows = !speaksWayland();
        return c;
    }
    ScreenReader& screen() override { return screen_; }
    DesktopWindows& windows() override { return *windows_; }

private:
    Backend backend_;
    LazyScreenReader screen_;
    std::unique_ptr<DesktopWindows> windows_;
};

} // namespace

bool hasGraphicalSession() {
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    // A plugin that needs no display server of its own (offscreen, vnc, eglfs ...).
    const QString plugin = qEnvironmentVariable("QT_QPA_PLATFORM").section(QLatin1Char(';'), 0, 0);
    return !plugin.isEmpty() && !plugin.startsWith(QLatin1String("xcb")) &&
           !plugin.startsWith(QLatin1String("wayland"));
}

bool prepareToolkit(Platform::Backend backend) {
    if (backend != Platform::Backend::Portal || !isWaylandSession()) return false;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "wayland;xcb");
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("wayland")) return false;
    // On an output of scale 2 a window is sized in layout units, half its pixels.
    // Scaling Qt by the inverse makes one widget pixel one device pixel again: the
    // pixels of the portal's pictures, which the editor cuts from.
    if (const int scale = waylandOutputScale(); scale > 1) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "1");
        qputenv("QT_SCALE_FACTOR", QByteArray::number(1.0 / scale));
        qputenv("QT_SCALE_FACTOR_ROUNDING_POLICY", "PassThrough");
    }
    return true;
}

std::unique_ptr<Platform> createPlatform(Platform::Backend backend) {
    switch (backend) {
    case Platform::Backend::X11:
        return std::make_unique<SessionPlatform>(
            backend, [] { return createScreenReader(Platform::Backend::X11); },
            createX11DesktopWindows());
    case Platform::Backend::Portal:
        return std::make_unique<SessionPlatform>(
            backend, [] { return createScreenReader(Platform::Backend::Portal); }, nullptr);
    case Platform::Backend::Null:
        break;
    }
    return std::make_unique<SessionPlatform>(
        Platform::Backend::Null, [] { return createScreenReader(Platform::Backend::Null); },
        nullptr);
}

} // namespace kv
