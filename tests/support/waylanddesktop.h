#pragma once

// Helpers for tests on any of the headless Wayland desktops (sway, GNOME, KDE):
// the desktop's input driver, the compositor's own picture of the screen, the
// Wayland clipboard, and the built program's windows as they show on the screen.
// Only sway tells where windows are (its tree, see sway/swaydesktop.h); on GNOME
// and KWin a window is found where the screen differs from the screen without it.
#include "e2e/support/desktop.h"
#include "platform/portalscreenshot.h"

#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace wld {

inline QString desktop() {
    return qEnvironmentVariable("KOLVANE_DESKTOP");
}
inline bool onSway() {
    return desktop().startsWith(QLatin1String("sway"));
}

inline QString buildDir() {
    return QFileInfo(e2e::binary()).dir().path();
}

// The screen as the compositor shows it: grim on sway, else the desktop portal
// (which asks the compositor itself; KWin puts the pointer in, GNOME does not).
inline QImage screen() {
    if (onSway()) {
        QTemporaryDir dir;
        const QString file = dir.filePath("screen.png");
        if (e2e::run("grim", {file}).exitCode != 0) return {};
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }
    kv::PortalScreenshot portal(QDBusConnection::sessionBus(), 15000, 15000);
    const kv::PortalPicture picture = portal.take();
    if (picture.image.isNull())
        qWarning("no picture from the portal: %s", qPrintable(picture.detail));
    return picture.image;
}

bool pointer(const QStringList& steps);

// The clipboard's picture: wl-paste where the compositor lets other programs read
// the clipboard, else (GNOME) through the input driver's remote desktop session.
inline QImage clipboardImage() {
    if (desktop() == QLatin1String("gnome")) {
        QTemporaryDir dir;
        const QString file = dir.filePath("clip.png");
        if (!pointer({"paste", "image/png", file})) return {};
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }
    return QImage::fromData(e2e::run("wl-paste", {"--no-newline", "-t", "image/png"}).out)
        .convertToFormat(QImage::Format_RGB32);
}

// The size of the layout of outputs; set once by a test that knows it differs.
inline QSize& pointerExtent() {
    static QSize extent(1920, 1080);
    return extent;
}

// The desktop's input driver (support/pointersteps.h), one process for the whole
// test run: steps as it takes them ("move", "100", ...).
inline bool pointer(const QStringList& steps) {
    static QProcess* driver = nullptr;
    if (!driver) {
        driver = new QProcess;
        driver->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const QSize extent = pointerExtent();
        const QString tool = onSway()                              ? "sway/tools/kv_wl_pointer"
                             : desktop() == QLatin1String("gnome") ? "gnome/tools/kv_mutter_input"
                                                                   : "kde/tools/kv_kwin_input";
        driver->start(QDir(buildDir()).filePath("tests/desktops/" + tool),
                      {"--extent", QString("%1x%2").arg(extent.width()).arg(extent.height())});
        if (!driver->waitForStarted(5000)) return false;
        // Clients take their pointer when the new device appears; the first events
        // may come before they have it. One move to wake them all, then the steps.
        driver->write(
            QString("move %1 %2\n").arg(extent.width() - 1).arg(extent.height() - 1).toUtf8());
        driver->waitForReadyRead(5000);
        driver->readAll();
        QTest::qWait(300);
    }
    driver->write(steps.join(' ').toUtf8() + "\n");
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    while (!answer.contains('\n') && clock.elapsed() < 20000) {
        QTest::qWait(5); // our own windows keep answering the compositor meanwhile
        answer += driver->readAll();
    }
    return answer.trimmed() == "ok";
}

inline bool click(QPoint at) {
    return pointer({"move", QString::number(at.x()), QString::number(at.y()), "click"});
}

// Where the pointer rests between steps that do not need it: a corner, where the
// pictures of KWin show only its tip.
inline const QPoint kParked(1915, 1075);
inline bool park() {
    return pointer(
        {"move", QString::number(kParked.x()), QString::number(kParked.y()), "sleep", "150"});
}

// Different in every pixel across the screen, so that a shifted or scaled copy
// never matches by chance.
inline QImage pattern(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x & 255, y & 255, ((x >> 8) << 4 | (y >> 8)) ^ 0x5a));
    return image;
}

// The headless compositors draw the pointer into their pictures (GNOME's portal
// leaves it out), so a screenshot may hold it where it was: around a point it
// rested on.
inline QRect pointerArea(QPoint at, int scale = 1) {
    return QRect(at - QPoint(16, 16) * scale, QSize(56, 56) * scale);
}

// The two pictures agree everywhere outside the `skip` rectangles.
inline bool sameOutside(const QImage& a, const QImage& b, const QList<QRect>& skip) {
    if (a.size() != b.size()) {
        qWarning("sizes differ: %dx%d vs %dx%d", a.width(), a.height(), b.width(), b.height());
        return false;
    }
    QRect differ;
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (pa[x] == pb[x]) continue;
            if (std::any_of(skip.begin(), skip.end(),
                            [&](const QRect& r) { return r.contains(x, y); }))
                continue;
            if (!count) qWarning("first difference at %d,%d: %08x vs %08x", x, y, pa[x], pb[x]);
            differ |= QRect(x, y, 1, 1);
            ++count;
        }
    }
    if (count)
        qWarning("%d pixels differ, within %d,%d %dx%d", count, differ.x(), differ.y(),
                 differ.width(), differ.height());
    return count == 0;
}
inline bool sameOutside(const QImage& a, const QImage& b, const QRect& skip) {
    return sameOutside(a, b, QList<QRect>{skip});
}

// The bounding box of the pixels where `now` differs from `empty`, leaving out the
// parked pointer's corner and a top bar of `barHeight` rows (GNOME's clock).
inline QRect changedArea(const QImage& empty, const QImage& now, int barHeight = 0) {
    if (empty.size() != now.size()) return {};
    const QRect corner = pointerArea(kParked);
    QRect changed;
    for (int y = barHeight; y < now.height(); ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(empty.constScanLine(y));
        const QRgb* pb = reinterpret_cast<const QRgb*>(now.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < now.width(); ++x)
            if (pa[x] != pb[x] && !corner.contains(x, y)) {
                if (first < 0) first = x;
                last = x;
            }
        if (first >= 0) changed |= QRect(first, y, last - first + 1, 1);
    }
    return changed;
}

// Places of the main window's controls, in its own pixels.
inline const QPoint kRegionCommand(80, 278); // 区域截图
inline const QPoint kWindowCommand(80, 294); // 窗体截图
inline const QPoint kScreenCommand(80, 310); // 全屏截图
inline const QPoint kColourTab(69, 128);     // 取色
inline const QPoint kDropper(376, 224);
inline const QPoint kColourPreview(384, 302);
inline constexpr int kMainWidth = 561;

} // namespace wld
