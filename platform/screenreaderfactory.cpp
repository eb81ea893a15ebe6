#include "platform/screenreaderfactory.h"

#include "platform/nullscreen.h"
#include "platform/portalscreenreader.h"
#include "platform/x11screenreader.h"

#include <QGuiApplication>
#include <QScreen>

namespace kv {

std::unique_ptr<ScreenReader> createScreenReader(PlatformBackend backend) {
    switch (backend) {
    case PlatformBackend::Portal:
        return createPortalScreenReader();
    case PlatformBackend::X11:
        if (auto reader = createX11ScreenReader(X11ReadPath::Best)) return reader;
        return createQtScreenReader();
    case PlatformBackend::Null:
        break;
    }
    // As large as the screen Qt shows windows on, so that the editor covers it.
    const QScreen* screen = QGuiApplication::primaryScreen();
    return std::make_unique<NullScreenReader>(screen ? screen->size() * screen->devicePixelRatio()
                                                     : QSize(1920, 1080));
}

std::unique_ptr<ScreenReader> createScreenReader() {
    return createScreenReader(chooseBackend());
}

} // namespace kv
