#include "platform/kwinscreenshot.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
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

// Everything KWin writes, until it closes its end; empty after `timeoutMs`. Read
// straight into one buffer of the expected size, in reads as large as the pipe
// holds: reading a screen through 64 KiB steps took about 120 ms.
QByteArray readAll(int fd, qsizetype expected, int timeoutMs) {
    if (expected < 0 || expected > (qsizetype(1) << 30)) expected = 0; // not believed
    QByteArray data(std::max<qsizetype>(expected, 1 << 16), Qt::Uninitialized);
    qsizetype filled = 0;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0) return {};
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, left) < 0) {
            if (errno == EINTR) continue;
            return {};
        }
        if (filled == data.size()) data.resize(data.size() * 2);
        const ssize_t n = read(fd, data.data() + filled, size_t(data.size() - filled));
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n < 0) return {};
        if (n == 0) break;
        filled += n;
    }
    data.truncate(filled);
    return data;
}

bool opaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 255) return false;
    }
    return true;
}

} // namespace

QImage kwinRawPicture(QByteArray data, int width, int height, int stride, int format) {
    if (width <= 0 || height <= 0 || stride < width || format <= QImage::Format_Invalid ||
        format >= QImage::NImageFormats || data.size() < qsizetype(stride) * height)
        return {};
    const QImage view(reinterpret_cast<const uchar*>(data.constData()), width, height, stride,
                      QImage::Format(format));
    if (view.depth() * width > stride * 8) return {};
    // A screen's pixels come with an alpha of 255: in a 32-bit format they already are
    // RGB32, and the picture keeps KWin's buffer instead of converting a copy (about
    // 20 ms at 1920 x 1080).
    const bool argb = format == QImage::Format_ARGB32 ||
                      format == QImage::Format_ARGB32_Premultiplied ||
                      format == QImage::Format_RGB32;
    if (argb && opaque(view)) {
        auto* kept = new QByteArray(std::move(data));
        return QImage(
            reinterpret_cast<uchar*>(kept->data()), width, height, stride, QImage::Format_RGB32,
            [](void* buffer) { delete static_cast<QByteArray*>(buffer); }, kept);
    }
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
    // A larger pipe lets KWin write the screen in fewer turns (refused: the default).
    fcntl(fds[0], F_SETPIPE_SZ, 1 << 20);
    // The call carries a copy of the write end, and so does the message until it is
    // gone: every copy of ours must be closed before the read, or the read never sees
    // the end of the data and waits for its whole time.
    const QDBusMessage reply = callCapture(fds[1]);
    close(fds[1]);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        close(fds[0]);
        return {{}, true, reply.errorName() + QLatin1Char(' ') + reply.errorMessage()};
    }
    // The a{sv} answer arrives as a QDBusArgument, which QVariant::toMap() reads as
    // empty: it must be demarshalled.
    const QVariantMap results = reply.arguments().isEmpty()
                                    ? QVariantMap()
                                    : qdbus_cast<QVariantMap>(reply.arguments().first());
    const int width = results.value(QStringLiteral("width")).toInt();
    const int height = results.value(QStringLiteral("height")).toInt();
    const int stride = results.value(QStringLiteral("stride")).toInt();
    const int format = results.value(QStringLiteral("format")).toInt();
    QByteArray data = readAll(fds[0], qsizetype(stride) * height, timeoutMs_);
    close(fds[0]);
    const qsizetype received = data.size();
    QImage image = kwinRawPicture(std::move(data), width, height, stride, format);
    if (image.isNull())
        return {{},
                false,
                QStringLiteral("unusable answer: %1x%2, stride %3, format %4, %5 bytes")
                    .arg(width)
                    .arg(height)
                    .arg(stride)
                    .arg(format)
                    .arg(received)};
    return {std::move(image), false, {}};
}

} // namespace kv
