#include "platform/portalrequest.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <optional>

namespace kv {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

// Receives the Response signal of one request and ends the wait.
class ResponseCatcher final : public QObject {
    Q_OBJECT
public:
    explicit ResponseCatcher(QEventLoop& loop) : loop_(loop) {}
    std::optional<PortalReply> reply;

public Q_SLOTS:
    void onResponse(uint response, const QVariantMap& results) {
        if (reply) return;
        PortalReply r;
        switch (response) {
        case 0:
            r.outcome = PortalOutcome::Success;
            r.results = results;
            break;
        case 1:
            r.outcome = PortalOutcome::Cancelled;
            break;
        default:
            r.outcome = PortalOutcome::Refused;
            r.detail = QStringLiteral("response %1").arg(response);
            break;
        }
        reply = r;
        loop_.quit();
    }

private:
    QEventLoop& loop_;
};

PortalOutcome outcomeOfError(const QDBusError& error) {
    if (error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return PortalOutcome::NoPortal;
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::Disconnected:
        return PortalOutcome::NoPortal;
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownObject:
        return PortalOutcome::NotOffered;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return PortalOutcome::TimedOut;
    default:
        return PortalOutcome::Refused;
    }
}

QString nextToken() {
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("kolvane%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

} // namespace

QString portalFailureText(PortalOutcome outcome) {
    switch (outcome) {
    case PortalOutcome::Success:
        return {};
    case PortalOutcome::Cancelled:
        return QStringLiteral("请求被取消");
    case PortalOutcome::Refused:
        return QStringLiteral("桌面门户拒绝了请求");
    case PortalOutcome::NoPortal:
        return QStringLiteral("会话总线上没有桌面门户（xdg-desktop-portal）");
    case PortalOutcome::NotOffered:
        return QStringLiteral("桌面门户不提供此功能");
    case PortalOutcome::TimedOut:
        return QStringLiteral("桌面门户没有及时应答");
    case PortalOutcome::BadReply:
        return QStringLiteral("桌面门户的应答无法使用");
    }
    return {};
}

QString portalRequestPath(const QString& sender, const QString& token) {
    QString name = sender;
    if (name.startsWith(QLatin1Char(':'))) name.remove(0, 1);
    name.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(name, token);
}

PortalRequester::PortalRequester(QDBusConnection bus, int timeoutMs)
    : bus_(std::move(bus)), timeoutMs_(timeoutMs) {}

PortalReply PortalRequester::call(const QString& interface, const QString& method,
                                  const QVariantList& args, QVariantMap options) {
    if (!bus_.isConnected()) return {PortalOutcome::NoPortal, {}, bus_.lastError().message()};
    const QString token = nextToken();
    options.insert(QStringLiteral("handle_token"), token);

    QEventLoop loop;
    ResponseCatcher catcher(loop);
    // Listened for before the call: the answer may come before the call's reply.
    QString path = portalRequestPath(bus_.baseService(), token);
    const char* slot = SLOT(onResponse(uint, QVariantMap));
    bus_.connect(kService, path, kRequest, QStringLiteral("Response"), &catcher, slot);

    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
    message.setArguments(QVariantList(args) << options);
    QDBusPendingCallWatcher watcher(bus_.asyncCall(message, timeoutMs_));
    std::optional<PortalReply> failed;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, [&] {
        const QDBusPendingReply<QDBusObjectPath> handle = watcher;
        if (handle.isError()) {
            failed = PortalReply{outcomeOfError(handle.error()), {}, handle.error().message()};
            loop.quit();
            return;
        }
        // Older portals chose the path themselves.
        const QString given = handle.value().path();
        if (given != path && !catcher.reply) {
            bus_.disconnect(kService, path, kRequest, QStringLiteral("Response"), &catcher, slot);
            path = given;
            bus_.connect(kService, path, kRequest, QStringLiteral("Response"), &catcher, slot);
        }
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(timeoutMs_);
    if (!catcher.reply && !failed) loop.exec(QEventLoop::ExcludeUserInputEvents);
    bus_.disconnect(kService, path, kRequest, QStringLiteral("Response"), &catcher, slot);

    if (catcher.reply) return *catcher.reply;
    if (failed) return *failed;
    // Given up: tell the portal, so that it does not show or keep anything for us.
    if (watcher.isFinished() && !watcher.isError())
        bus_.call(QDBusMessage::createMethodCall(kService, path, kRequest, QStringLiteral("Close")),
                  QDBus::NoBlock);
    return {PortalOutcome::TimedOut, {}, QStringLiteral("no answer in %1 ms").arg(timeoutMs_)};
}

} // namespace kv

#include "portalrequest.moc"
