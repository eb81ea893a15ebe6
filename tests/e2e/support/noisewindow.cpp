#include "e2e/support/noisewindow.h"

#include "e2e/support/desktop.h"

#include <QRegularExpression>

namespace e2e {

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
