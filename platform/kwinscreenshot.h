#pragma once

// KWin's own screenshot interface (org.kde.KWin.ScreenShot2), what Plasma's
// screenshot tool uses: raw pixels through a pipe, without the portal's round trip
// through a file. KWin answers only programs whose installed desktop entry declares
// the interface (X-KDE-DBUS-Restricted-Interfaces) and names their executable by its
// full path; anyone else gets an error, and the portal is used instead.
#include <QDBusConnection>
#include <QImage>
#include <QString>

namespace kv {

struct KWinPicture {
    QImage image;         // Format_RGB32; null when KWin did not give one
    bool refused = false; // KWin answered, but not to us: no use asking again
    QString detail;
};

class KWinScreenshot {
public:
    KWinScreenshot(QDBusConnection bus, int timeoutMs);
    // The whole workspace (every output), without the pointer.
    KWinPicture take();

private:
    // Asks KWin to write the workspace's pixels into `writeEnd`; its answer.
    QDBusMessage callCapture(int writeEnd);

    QDBusConnection bus_;
    int timeoutMs_;
};

// The picture in KWin's raw answer: `data` of `width` x `height` at `stride`, in
// the QImage format numbered `format`.
QImage kwinRawPicture(QByteArray data, int width, int height, int stride, int format);

} // namespace kv
