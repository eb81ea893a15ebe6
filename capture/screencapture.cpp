#include "capture/screencapture.h"

namespace kv {

ScreenGrab ScreenCapture::captureScreen() {
    // The monitors are asked at each capture: one plugged in or rearranged since the
    // last capture counts.
    const QRect primary = screen_.monitors().primaryRect();
    return captureWindow(windows_.desktopWindow(), false, primary.x(), primary.y(), primary.width(),
                         primary.height());
}

ScreenGrab ScreenCapture::captureWindow(WId window, bool client, int left, int top, int width,
                                        int height) {
    if (width <= 0 || height <= 0) return {};
    // The desktop window is the screen itself: no need to ask where it is.
    const QRect where = window == windows_.desktopWindow() ? QRect(QPoint(0, 0), QSize(1, 1))
                                                           : windows_.windowRect(window, client);
    if (where.isNull()) return {};
    const QRect area(where.topLeft() + QPoint(left, top), QSize(width, height));
    ScreenGrab picture = screen_.grab(area);
    // A window may reach past the monitors' edges, or into a corner no monitor shows.
    blackOutsideMonitors(picture.image, area.topLeft(), screen_.monitors());
    return picture;
}

ScreenGrab ScreenCapture::captureActiveWindow() {
    const WId window = windows_.activeWindow();
    if (!window) return {};
    const QRect frame = windows_.windowRect(window, false);
    return captureWindow(window, false, 0, 0, frame.width(), frame.height());
}

} // namespace kv
