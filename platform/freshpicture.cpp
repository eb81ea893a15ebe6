#include "platform/freshpicture.h"

#include "platform/locatewindow.h"

namespace kv {

ScreenGrab takeWithout(const std::function<ScreenGrab()>& take, const QImage& windowLooks,
                       int attempts) {
    ScreenGrab taken = take();
    for (int i = 1; i < attempts; ++i) {
        if (taken.image.isNull() || windowLooks.isNull()) break;
        if (!locateInPicture(taken.image, windowLooks)) break;
        taken = take();
    }
    return taken;
}

} // namespace kv
