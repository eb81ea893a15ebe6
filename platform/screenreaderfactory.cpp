#include "platform/screenreaderfactory.h"

#include "platform/portalscreenreader.h"
#include "platform/x11screenreader.h"

namespace kv {

bool isWaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

std::unique_ptr<ScreenReader> createScreenReader() {
    if (isWaylandSession()) return createPortalScreenReader();
    if (auto reader = createX11ScreenReader(X11ReadPath::Best)) return reader;
    return createQtScreenReader();
}

} // namespace kv
