#include "e2e/support/noisewindow.h"

#include "e2e/support/desktop.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace e2e {

NoiseWindow::NoiseWindow(QRect where, bool managed) : image_(where.size(), QImage::Format_RGB32) {
    QRandomGenerator rng(quint32(where.x()));
    for (int y = 0; y < image_.height(); ++y)
        for (int x = 0; x < image_.width(); ++x)
            image_.setPixel(x, y, rng.generate() | 0xff000000u);
    if (!managed) setWindowFlags(Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    setWindowTitle("capture target");
    setFixedSize(where.size());
    move(where.topLeft());
}

void NoiseWindow::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, image_);
}

QRect clientGeometry(WId window) {
    const QString out =
        QString::fromLocal8Bit(run("xwininfo", {"-id", QString::number(window)}).out);
    auto field = [&](const char* name) {
        const auto m = QRegularExpression(QString("%1:\\s+(-?\\d+)").arg(name)).match(out);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                 field("Height"));
}

QRect frameGeometry(WId window) {
    const QString out = QString::fromLocal8Bit(
        run("xprop", {"-id", QString::number(window), "_NET_FRAME_EXTENTS"}).out);
    const auto m = QRegularExpression("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)").match(out);
    if (!m.hasMatch()) return {};
    return clientGeometry(window).adjusted(-m.captured(1).toInt(), -m.captured(3).toInt(),
                                           m.captured(2).toInt(), m.captured(4).toInt());
}

} // namespace e2e
