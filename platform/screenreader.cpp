#include "platform/screenreader.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace kv {
namespace {

// Qt's own grab of the root window; good enough until the shared-memory reader
// takes over the large reads.
class QtScreenReader final : public ScreenReader {
public:
    std::optional<QRgb> pixel(QPoint p) override {
        QImage one = grab(QRect(p, QSize(1, 1)));
        if (one.isNull() || one.size() != QSize(1, 1)) return std::nullopt;
        return one.pixel(0, 0) | 0xff000000u;
    }
    QImage grab(const QRect& r) override {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen || r.isEmpty()) return {};
        return screen->grabWindow(0, r.x(), r.y(), r.width(), r.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QSize screenSize() const override {
        QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() * screen->devicePixelRatio() : QSize();
    }
};

} // namespace

std::unique_ptr<ScreenReader> createScreenReader() {
    return std::make_unique<QtScreenReader>();
}

} // namespace kv
