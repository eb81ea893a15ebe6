#include "capture/screencapture.h"

namespace kv {

QImage ScreenCapture::captureScreen() {
    const QSize size = screen_.screenSize();
    return captureWindow(windows_.desktopWindow(), false, 0, 0, size.width(), size.height());
}

QImage ScreenCapture::captureWindow(WId window, bool client, int left, int top, int width,
                                    int height) {
    if (width <= 0 || height <= 0) return {};
    // The desktop window is the screen itself: no need to ask where it is.
    const QRect where = window == windows_.desktopWindow() ? QRect(QPoint(0, 0), QSize(1, 1))
                                                           : windows_.windowRect(window, client);
    if (where.isNull()) return {};
    return screen_.grab(QRect(where.topLeft() + QPoint(left, top), QSize(width, height)));
}

QImage ScreenCapture::captureActiveWindow() {
    const WId window = windows_.activeWindow();
    if (!window) return {};
    const QRect frame = windows_.windowRect(window, false);
    return captureWindow(window, false, 0, 0, frame.width(), frame.height());
}

} // namespace kv
