#include "platform/desktopscale.h"

#include "platform/units.h"

#include <QStringList>
#include <cmath>
#include <optional>

namespace kv {
namespace {

constexpr double kStep = 0.25;
constexpr double kMaxScale = 8.0;

std::optional<double> positiveNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0.0) return std::nullopt;
    return value;
}

// "name=2;other=1" picks by name; "2;1" lists factors by screen, the primary first.
std::optional<double> screenFactor(const QString& list, const QString& screenName) {
    const QStringList entries = list.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        const int eq = entry.indexOf(QLatin1Char('='));
        if (eq < 0) continue;
        if (!screenName.isEmpty() && entry.left(eq).trimmed() == screenName)
            return positiveNumber(entry.mid(eq + 1));
    }
    if (!entries.isEmpty() && !entries.first().contains(QLatin1Char('=')))
        return positiveNumber(entries.first());
    return std::nullopt;
}

double requestedScale(const DesktopScaleInputs& in) {
    const std::optional<double> screen = screenFactor(in.screenScaleFactors, in.screenName);
    const std::optional<double> global = positiveNumber(in.scaleFactor);
    if (screen || global) return screen.value_or(1.0) * global.value_or(1.0);
    if (const std::optional<double> dpi = positiveNumber(in.fontDpi)) return *dpi / 96.0;
    if (in.xftDpi > 0) return in.xftDpi / 96.0;
    return 1.0;
}

bool fits(double scale, QSize screen) {
    if (screen.isEmpty()) return true;
    return kDesignedWindowSize.width() * scale <= screen.width() &&
           kDesignedWindowSize.height() * scale <= screen.height();
}

} // namespace

double ChooseDesktopScale(const DesktopScaleInputs& in) {
    const double wanted = std::min(requestedScale(in), kMaxScale);
    double scale = std::max(1.0, nearInt(wanted / kStep) * kStep);
    while (scale > 1.0 && !fits(scale, in.screenSize))
        scale -= kStep;
    return scale;
}

int XftDpiFromResources(const QByteArray& resources) {
    for (const QByteArray& line : resources.split('\n')) {
        const int colon = line.indexOf(':');
        if (colon < 0 || line.left(colon).trimmed() != "Xft.dpi") continue;
        bool ok = false;
        const double dpi = line.mid(colon + 1).trimmed().toDouble(&ok);
        return ok && std::isfinite(dpi) && dpi > 0 && dpi < 10000 ? nearInt(dpi) : 0;
    }
    return 0;
}

} // namespace kv
