#include "platform/gnomeshell.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace kv {

namespace {

// The shell answers at once when it answers at all.
constexpr int kAskMs = 500;

} // namespace

bool gnomeShellAnimates(QDBusConnection bus) {
    if (!bus.isConnected()) return true;
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell.Introspect"), QStringLiteral("/org/gnome/Shell/Introspect"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.gnome.Shell.Introspect") << QStringLiteral("AnimationsEnabled");
    const QDBusMessage reply = bus.call(get, QDBus::Block, kAskMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return true;
    const QVariant value = reply.arguments().first().value<QDBusVariant>().variant();
    return value.typeId() == QMetaType::Bool ? value.toBool() : true;
}

} // namespace kv
