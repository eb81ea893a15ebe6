#include "platform/screenshotpermission.h"

#include "platform/platformbackend.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QStringList>

namespace kv {

namespace {

const QString kStore = QStringLiteral("org.freedesktop.impl.portal.PermissionStore");
const QString kStorePath = QStringLiteral("/org/freedesktop/impl/portal/PermissionStore");
constexpr int kLookupTimeoutMs = 1000;

// The answers for programs without a sandbox in a Lookup's a{sas}.
QStringList unsandboxedAnswers(const QVariant& value) {
    if (!value.canConvert<QDBusArgument>()) return {};
    const QDBusArgument arg = value.value<QDBusArgument>();
    QStringList answers;
    arg.beginMap();
    while (!arg.atEnd()) {
        QString app;
        QStringList values;
        arg.beginMapEntry();
        arg >> app >> values;
        arg.endMapEntry();
        if (app.isEmpty()) answers = values;
    }
    arg.endMap();
    return answers;
}

} // namespace

bool desktopAsksForScreenshots() {
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return desktops.contains(QLatin1String("GNOME"), Qt::CaseInsensitive);
}

bool screenshotsAskTheUser() {
    return isWaylandSession() && desktopAsksForScreenshots();
}

ScreenshotPermission readScreenshotPermission(QDBusConnection bus) {
    if (!desktopAsksForScreenshots() || !bus.isConnected()) return ScreenshotPermission::NotAsked;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kStore, kStorePath, kStore, QStringLiteral("Lookup"));
    call << QStringLiteral("screenshot") << QStringLiteral("screenshot");
    const QDBusMessage reply = bus.call(call, QDBus::Block, kLookupTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // A table or an entry that was never written: nobody answered yet.
        const QString name = reply.errorName();
        if (name == QLatin1String("org.freedesktop.portal.Error.NotFound"))
            return ScreenshotPermission::Unknown;
        return ScreenshotPermission::NotAsked;
    }
    if (reply.arguments().isEmpty()) return ScreenshotPermission::NotAsked;
    const QStringList answers = unsandboxedAnswers(reply.arguments().first());
    if (answers.contains(QLatin1String("yes"))) return ScreenshotPermission::Granted;
    if (answers.contains(QLatin1String("no"))) return ScreenshotPermission::Refused;
    return ScreenshotPermission::Unknown;
}

QString screenshotPermissionCommand() {
    return QStringLiteral(
               "gdbus call --session --dest %1 --object-path %2 --method %1.SetPermission "
               "screenshot true screenshot '' \"['yes']\"")
        .arg(kStore, kStorePath);
}

QString screenshotFailureText(PortalOutcome outcome, ScreenshotPermission now) {
    if (now == ScreenshotPermission::Refused &&
        (outcome == PortalOutcome::Refused || outcome == PortalOutcome::Cancelled))
        return QStringLiteral("桌面记住了“不允许应用程序截图”的回答，所以拒绝了截图。"
                              "要重新允许，请在终端中运行：\n%1")
            .arg(screenshotPermissionCommand());
    if (now == ScreenshotPermission::Unknown && outcome == PortalOutcome::TimedOut)
        return QStringLiteral("桌面正在询问是否允许应用程序截图，它的对话框还在等待回答。"
                              "请在对话框中选择“允许”（Allow），然后再截图");
    return portalFailureText(outcome);
}

QString screenshotQuestionNotice(ScreenshotPermission now) {
    if (now != ScreenshotPermission::Unknown) return {};
    return QStringLiteral("第一次截图时，桌面会询问是否允许应用程序截图：请选择“允许”（Allow），"
                          "Kolvane 才能读到屏幕画面");
}

} // namespace kv
