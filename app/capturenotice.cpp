#include "app/capturenotice.h"

#include "platform/screenshotpermission.h"

namespace kv {

QString CaptureNotice::text() {
    if (!screenshotsAskTheUser()) return {};
    if (!readAt_.isValid() || readAt_.elapsed() > 2000) {
        text_ = screenshotQuestionNotice(readScreenshotPermission(QDBusConnection::sessionBus()));
        readAt_.start();
    }
    return text_;
}

} // namespace kv
