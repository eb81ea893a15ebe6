#include "platform/portalscreenshot.h"

#include <QDBusArgument>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");

PortalPicture badPicture(const QString& why) {
    return {QImage(), PortalOutcome::BadReply, why};
}

int channel(double v) {
    return int(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

} // namespace

PortalScreenshot::PortalScreenshot(QDBusConnection bus, int screenshotTimeoutMs, int pickTimeoutMs)
    : screenshot_(bus, screenshotTimeoutMs), picker_(bus, pickTimeoutMs) {}

PortalPicture PortalScreenshot::take() {
    // File times may be kept in whole seconds.
    const QDateTime started = QDateTime::currentDateTimeUtc().addSecs(-1);
    QVariantMap options;
    options.insert(QStringLiteral("interactive"), false);
    options.insert(QStringLiteral("modal"), false);
    const PortalReply reply =
        screenshot_.call(kScreenshot, QStringLiteral("Screenshot"), {QString()}, options);
    if (reply.outcome != PortalOutcome::Success) return {QImage(), reply.outcome, reply.detail};
    return loadPortalPicture(reply.results, started);
}

PortalColour PortalScreenshot::pickColour() {
    const PortalReply reply =
        picker_.call(kScreenshot, QStringLiteral("PickColor"), {QString()}, {});
    if (reply.outcome != PortalOutcome::Success) return {std::nullopt, reply.outcome, reply.detail};
    const std::optional<QRgb> colour = portalColourOf(reply.results);
    if (!colour) return {std::nullopt, PortalOutcome::BadReply, QStringLiteral("no colour")};
    return {colour, PortalOutcome::Success, {}};
}

PortalPicture loadPortalPicture(const QVariantMap& results, const QDateTime& requestStart) {
    const QVariant uri = results.value(QStringLiteral("uri"));
    if (uri.typeId() != QMetaType::QString) return badPicture(QStringLiteral("no uri"));
    const QUrl url(uri.toString(), QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile() || !url.host().isEmpty())
        return badPicture(QStringLiteral("not a local file: %1").arg(uri.toString()));
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (!info.isFile()) return badPicture(QStringLiteral("no such file: %1").arg(path));
    QImageReader reader(path);
    QImage image = reader.read();
    // The portal wrote it for us only when it is newer than our request.
    if (info.lastModified().toUTC() >= requestStart) QFile::remove(path);
    if (image.isNull())
        return badPicture(
            QStringLiteral("unreadable picture %1: %2").arg(path, reader.errorString()));
    return {image.convertToFormat(QImage::Format_RGB32), PortalOutcome::Success, {}};
}

std::optional<QRgb> portalColourOf(const QVariantMap& results) {
    const QVariant value = results.value(QStringLiteral("color"));
    if (!value.canConvert<QDBusArgument>()) return std::nullopt;
    const QDBusArgument arg = value.value<QDBusArgument>();
    if (arg.currentSignature() != QLatin1String("(ddd)")) return std::nullopt;
    double r = 0, g = 0, b = 0;
    arg.beginStructure();
    arg >> r >> g >> b;
    arg.endStructure();
    if (!std::isfinite(r) || !std::isfinite(g) || !std::isfinite(b)) return std::nullopt;
    return qRgb(channel(r), channel(g), channel(b));
}

} // namespace kv
