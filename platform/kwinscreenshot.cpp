#include "platform/kwinscreenshot.h"

#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QElapsedTimer>
#include <QVariantMap>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace kv {

namespace {

const QString kService = QStringLiteral("org.kde.KWin");
const QString kPath = QStringLiteral("/org/kde/KWin/ScreenShot2");
const QString kInterface = QStringLiteral("org.kde.KWin.ScreenShot2");

// Everything KWin writes, until it closes its end; empty after `timeoutMs`.
QByteArray readAll(int fd, qsizetype expected, int timeoutMs) {
    QByteArray data;
    data.reserve(expected);
    QElapsedTimer clock;
    clock.start();
    char buffer[1 << 16];
    for (;;) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0) return {};
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, left) < 0) {
            if (errno == EINTR) continue;
            return {};
        }
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n < 0) return {};
        if (n == 0) return data;
        data.append(buffer, n);
    }
}

} // namespace

QImage kwinRawPicture(const QByteArray& data, int width, int height, int stride, int format) {
    if (width <= 0 || height <= 0 || stride < width || format <= QImage::Format_Invalid ||
        format >= QImage::NImageFormats || data.size() < qsizetype(stride) * height)
        return {};
    const QImage view(reinterpret_cast<const uchar*>(data.constData()), width, height, stride,
                      QImage::Format(format));
    if (view.depth() * width > stride * 8) return {};
    return view.convertToFormat(QImage::Format_RGB32);
}

KWinScreenshot::KWinScreenshot(QDBusConnection bus, int timeoutMs)
    : bus_(std::move(bus)), timeoutMs_(timeoutMs) {}

QDBusMessage KWinScreenshot::callCapture(int writeEnd) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("CaptureWorkspace"));
    QVariantMap options;
    options.insert(QStringLiteral("include-cursor"), false);
    options.insert(QStringLiteral("native-resolution"), true);
    call << options << QVariant::fromValue(QDBusUnixFileDescriptor(writeEnd));
    return bus_.call(call, QDBus::Block, timeoutMs_);
}

KWinPicture KWinScreenshot::take() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return {{}, false, QStringLiteral("no pipe")};
    // The call carries a copy of the write end, and so does the message until it is
    // gone: every copy of ours must be closed before the read, or the read never sees
    // the end of the data and waits for its whole time.
    const QDBusMessage reply = callCapture(fds[1]);
    close(fds[1]);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        close(fds[0]);
        return {{}, true, reply.errorName() + QLatin1Char(' ') + reply.errorMessage()};
    }
    const QVariantMap results =
        reply.arguments().isEmpty() ? QVariantMap() : reply.arguments().first().toMap();
    const int width = results.value(QStringLiteral("width")).toInt();
    const int height = results.value(QStringLiteral("height")).toInt();
    const int stride = results.value(QStringLiteral("stride")).toInt();
    const int format = results.value(QStringLiteral("format")).toInt();
    const QByteArray data = readAll(fds[0], qsizetype(stride) * height, timeoutMs_);
    close(fds[0]);
    QImage image = kwinRawPicture(data, width, height, stride, format);
    if (image.isNull())
        return {{},
                false,
                QStringLiteral("unusable answer: %1x%2, stride %3, format %4, %5 bytes")
                    .arg(width)
                    .arg(height)
                    .arg(stride)
                    .arg(format)
                    .arg(data.size())};
    return {std::move(image), false, {}};
}

} // namespace kv
