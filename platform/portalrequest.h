#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

namespace kv {

// How one request to the desktop portal ended.
enum class PortalOutcome {
    Success,    // the portal answered with results
    Cancelled,  // the user (or the desktop) cancelled the request
    Refused,    // the portal ended the request without results
    NoPortal,   // nothing on the session bus answers for the portal
    NotOffered, // the portal runs but offers no such method
    TimedOut,   // no answer within the time limit
    BadReply,   // an answer that could not be understood
};

struct PortalReply {
    PortalOutcome outcome = PortalOutcome::BadReply;
    QVariantMap results; // on Success
    QString detail;      // D-Bus error text or what was wrong with the answer
};

// Why a request failed, in the words shown to the user; empty for Success.
QString portalFailureText(PortalOutcome outcome);

// Asks the desktop portal (org.freedesktop.portal.Desktop) for something that it
// answers through a request object: calls the method, then waits for the request's
// Response signal, at most `timeoutMs` for the whole exchange. While waiting, window
// events are processed but no user input, so the request cannot be re-entered.
class PortalRequester {
public:
    explicit PortalRequester(QDBusConnection bus, int timeoutMs);

    // Calls `interface`.`method`(args..., options); options get a handle token of
    // ours so that the answer can be listened for before the call is made.
    PortalReply call(const QString& interface, const QString& method, const QVariantList& args,
                     QVariantMap options);

    int timeoutMs() const { return timeoutMs_; }

private:
    QDBusConnection bus_;
    int timeoutMs_;
};

// The bus object path the portal uses for a request with this handle token sent
// from the connection with the unique name `sender` (":1.42").
QString portalRequestPath(const QString& sender, const QString& token);

} // namespace kv
