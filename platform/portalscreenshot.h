#pragma once

#include "platform/portalrequest.h"

#include <QDateTime>
#include <QImage>
#include <optional>

namespace kv {

// A picture of the whole screen from the desktop portal, or why there is none.
struct PortalPicture {
    QImage image; // Format_RGB32, null on failure
    PortalOutcome outcome = PortalOutcome::BadReply;
    QString detail;
};

// A colour the user picked through the portal's own picker.
struct PortalColour {
    std::optional<QRgb> colour;
    PortalOutcome outcome = PortalOutcome::BadReply;
    QString detail;
};

// The portal's Screenshot interface: a picture of every output without asking the
// user, and the desktop's colour picker where it has one.
class PortalScreenshot {
public:
    PortalScreenshot(QDBusConnection bus, int screenshotTimeoutMs, int pickTimeoutMs);

    PortalPicture take();
    PortalColour pickColour();

private:
    PortalRequester screenshot_;
    PortalRequester picker_;
};

// Reads the picture the portal answered with (a file URI) and removes the file when
// the portal wrote it for this request, so that captures do not pile up in the
// user's folders. A file older than the request is the user's and stays.
PortalPicture loadPortalPicture(const QVariantMap& results, const QDateTime& requestStart);

// The colour of a PickColor answer: three doubles from 0 to 1.
std::optional<QRgb> portalColourOf(const QVariantMap& results);

} // namespace kv
