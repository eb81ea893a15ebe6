#include "platform/platformbackend.h"

namespace kv {

bool isWaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

PlatformBackend chooseBackend() {
    const QString asked = qEnvironmentVariable("KOLVANE_PLATFORM").trimmed().toLower();
    if (asked == QLatin1String("null")) return PlatformBackend::Null;
    if (asked == QLatin1String("portal")) return PlatformBackend::Portal;
    if (asked == QLatin1String("x11")) return PlatformBackend::X11;
    return isWaylandSession() ? PlatformBackend::Portal : PlatformBackend::X11;
}

QString backendName(PlatformBackend backend) {
    switch (backend) {
    case PlatformBackend::X11:
        return QStringLiteral("x11");
    case PlatformBackend::Portal:
        return QStringLiteral("portal");
    case PlatformBackend::Null:
        return QStringLiteral("null");
    }
    return {};
}

} // namespace kv
