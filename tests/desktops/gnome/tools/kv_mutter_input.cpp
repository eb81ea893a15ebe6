// Input for the headless GNOME desktop, which has no input devices: a remote
// desktop session of Mutter (org.gnome.Mutter.RemoteDesktop on the session bus,
// which GNOME grants without asking), driven by the words of
// support/pointersteps.h.
//
//   kv_mutter_input [--extent WxH] STEPS...
//
// Absolute positions would need a screen-cast stream; the pointer is pushed into
// the bottom-right corner once instead, and every move is relative from there.
// The session lives as long as this process (Mutter ends it with its caller).
#include "support/pointersteps.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QFile>

#include <cerrno>
#include <unistd.h>

namespace {

const QString kService = QStringLiteral("org.gnome.Mutter.RemoteDesktop");

class MutterInput final : public kvtest::FakeInput {
public:
    explicit MutterInput(const QString& session)
        : session_(kService, session, QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session")) {}

    bool start(uint32_t w, uint32_t h) {
        ok(session_.call(QStringLiteral("EnableClipboard"), QVariantMap()));
        if (!ok(session_.call(QStringLiteral("Start")))) return false;
        // The seat has a keyboard only once the session's virtual one was used;
        // without one no window has the keyboard focus, and GNOME then takes no
        // program's clipboard offer.
        key(0xffe1, true); // Shift
        key(0xffe1, false);
        // Far past the corner: the pointer stops on the last pixel.
        relative(4.0 * w, 4.0 * h);
        x_ = long(w) - 1;
        y_ = long(h) - 1;
        return true;
    }
    void move(long x, long y) override {
        relative(double(x - x_), double(y - y_));
        x_ = x;
        y_ = y;
    }
    void button(uint32_t code, bool down) override {
        ok(session_.call(QStringLiteral("NotifyPointerButton"), int(code), down));
        settle();
    }
    bool key(uint32_t sym, bool down) override {
        const bool sent = ok(session_.call(QStringLiteral("NotifyKeyboardKeysym"), sym, down));
        settle();
        return sent;
    }
    // GNOME offers no other program its clipboard without focus (no data-control
    // protocol); the remote desktop session reads it.
    bool paste(const std::string& mime, const std::string& file) override {
        const QDBusReply<QDBusUnixFileDescriptor> fd =
            session_.call(QStringLiteral("SelectionRead"), QString::fromStdString(mime));
        if (!fd.isValid()) {
            std::fprintf(stderr, "kv_mutter_input: %s\n", qPrintable(fd.error().message()));
            return false;
        }
        // Mutter writes it on its own time and closes its end when done.
        QByteArray data;
        char buffer[1 << 16];
        for (ssize_t n; (n = read(fd.value().fileDescriptor(), buffer, sizeof buffer)) != 0;) {
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            data.append(buffer, n);
        }
        QFile out(QString::fromStdString(file));
        if (!out.open(QIODevice::WriteOnly)) return false;
        return out.write(data) == data.size() && !data.isEmpty();
    }
    void stop() { session_.call(QStringLiteral("Stop")); }

private:
    void relative(double dx, double dy) {
        ok(session_.call(QStringLiteral("NotifyPointerMotionRelative"), dx, dy));
        settle();
    }
    static bool ok(const QDBusMessage& reply) {
        if (reply.type() != QDBusMessage::ErrorMessage) return true;
        std::fprintf(stderr, "kv_mutter_input: %s\n", qPrintable(reply.errorMessage()));
        return false;
    }
    // The call returns once Mutter queued the event for its input thread; the
    // event reaches the windows a moment later.
    static void settle() { std::this_thread::sleep_for(std::chrono::milliseconds(4)); }

    QDBusInterface session_;
    long x_ = 0, y_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    uint32_t w = 1920, h = 1080;
    int i = 1;
    if (!kvtest::extentOption(argc, argv, i, w, h)) return 2;
    QDBusInterface desktop(kService, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), kService);
    const QDBusReply<QDBusObjectPath> session = desktop.call(QStringLiteral("CreateSession"));
    if (!session.isValid()) {
        std::fprintf(stderr, "kv_mutter_input: no remote desktop session: %s\n",
                     qPrintable(session.error().message()));
        return 1;
    }
    MutterInput input(session.value().path());
    if (!input.start(w, h)) return 1;
    const int status = kvtest::runDriver(input, argc, argv, i);
    input.stop();
    return status;
}
