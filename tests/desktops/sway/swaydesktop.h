#pragma once

// Helpers for tests on the headless sway desktop: windows from sway's tree, the
// screen from grim, the clipboard from wl-paste, pointer input from our
// virtual-pointer driver, and the built program started as a Wayland client.
#include "e2e/support/desktop.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace sway {

inline QJsonObject tree() {
    return QJsonDocument::fromJson(e2e::run("swaymsg", {"-r", "-t", "get_tree"}).out).object();
}

// Every window (view) in sway's tree, tiled or floating.
inline void collectViews(const QJsonObject& node, QList<QJsonObject>& out) {
    if (node.contains("pid") && node.value("type").toString().endsWith("con")) out << node;
    for (const char* key : {"nodes", "floating_nodes"})
        for (const QJsonValue& child : node.value(key).toArray())
            collectViews(child.toObject(), out);
}

inline QList<QJsonObject> viewsOf(qint64 pid) {
    QList<QJsonObject> all, mine;
    collectViews(tree(), all);
    for (const QJsonObject& v : all)
        if (v.value("pid").toInteger() == pid && v.value("visible").toBool()) mine << v;
    return mine;
}

inline QRect rectOf(const QJsonObject& view) {
    const QJsonObject r = view.value("rect").toObject();
    return QRect(r.value("x").toInt(), r.value("y").toInt(), r.value("width").toInt(),
                 r.value("height").toInt());
}

// The screen as the compositor shows it, without the pointer.
inline QImage grim() {
    QTemporaryDir dir;
    const QString file = dir.filePath("screen.png");
    if (e2e::run("grim", {file}).exitCode != 0) return {};
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

inline QImage clipboardImage() {
    return QImage::fromData(e2e::run("wl-paste", {"--no-newline", "-t", "image/png"}).out)
        .convertToFormat(QImage::Format_RGB32);
}

// What the virtual pointer's positions span: the compositor's whole layout of
// outputs, in its pixels, as it is when the pointer is first used.
inline QSize& pointerExtent() {
    static QSize extent = [] {
        QRect layout;
        const QJsonArray outputs =
            QJsonDocument::fromJson(e2e::run("swaymsg", {"-r", "-t", "get_outputs"}).out).array();
        for (const QJsonValue& o : outputs)
            layout |= rectOf(o.toObject());
        return layout.isEmpty() ? QSize(1920, 1080)
                                : QSize(layout.right() + 1, layout.bottom() + 1);
    }();
    return extent;
}

// The virtual pointer, one device for the whole test run (kv_wl_pointer reading
// its steps from standard input): steps as it takes them ("move", "100", ...).
inline bool pointer(const QStringList& steps) {
    static QProcess* driver = nullptr;
    if (!driver) {
        driver = new QProcess;
        driver->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const QSize extent = pointerExtent();
        driver->start(
            QFileInfo(e2e::binary()).dir().filePath("tests/desktops/sway/tools/kv_wl_pointer"),
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

// Different in every pixel across the screen, so that a shifted or scaled copy
// never matches by chance.
inline QImage pattern(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x & 255, y & 255, ((x >> 8) << 4 | (y >> 8)) ^ 0x5a));
    return image;
}

// Makes `picture` the desktop background and waits until the screen shows it.
inline bool setBackground(const QImage& picture, const QString& file) {
    if (!picture.save(file, "PNG")) return false;
    e2e::run("swaymsg", {"output", "*", "bg", file, "stretch"});
    return e2e::waitFor([&] { return grim() == picture; }, 10000);
}

// The built program as a Wayland client of this desktop.
class Program {
public:
    explicit Program(const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
    }
    ~Program() { stop(); }
    // Starts it and waits for its main window; the main window's place, or a null
    // rectangle when none appeared.
    // `scale`: of the output; the window is then sized in its layout units.
    QRect start(int scale = 1) {
        process_.start(e2e::binary(), {});
        if (!process_.waitForStarted(10000)) return {};
        QRect where;
        e2e::waitFor(
            [&] {
                const auto views = viewsOf(process_.processId());
                if (views.size() == 1) where = rectOf(views.first());
                return std::abs(where.width() * scale - 561) < scale;
            },
            15000);
        main_ = where;
        // Mapped is not yet ready for input: Qt handles the first configure and
        // paints before it takes events.
        QTest::qWait(700);
        return where;
    }
    QList<QJsonObject> windows() const { return viewsOf(process_.processId()); }
    // The windows' rectangles from one reading of the tree: reading it twice (a
    // count, then the first) races with windows that come and go in between.
    QList<QRect> windowRects() const {
        QList<QRect> rects;
        for (const QJsonObject& view : windows())
            rects << rectOf(view);
        return rects;
    }
    QRect main() const { return main_; }
    bool click(QPoint inMain) { return sway::click(main_.topLeft() + inMain); }
    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
    QProcess& process() { return process_; }

private:
    QProcess process_;
    QRect main_;
};

// The two pictures agree everywhere outside `skip`.
inline bool sameOutside(const QImage& a, const QImage& b, const QRect& skip) {
    if (a.size() != b.size()) {
        qWarning("sizes differ: %dx%d vs %dx%d", a.width(), a.height(), b.width(), b.height());
        return false;
    }
    QRect differ;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!skip.contains(x, y) && a.pixel(x, y) != b.pixel(x, y)) {
                if (!count)
                    qWarning("first difference at %d,%d: %08x vs %08x", x, y, a.pixel(x, y),
                             b.pixel(x, y));
                differ |= QRect(x, y, 1, 1);
                ++count;
            }
    if (count)
        qWarning("%d pixels differ, within %d,%d %dx%d", count, differ.x(), differ.y(),
                 differ.width(), differ.height());
    return count == 0;
}

// The headless compositor draws the pointer into the output itself, so every
// screenshot (the portal's too) holds it where it was: around a point it rested on.
inline QRect pointerArea(QPoint at, int scale = 1) {
    return QRect(at - QPoint(16, 16) * scale, QSize(56, 56) * scale);
}

// Places of the main window's controls, in its own pixels.
inline const QPoint kRegionCommand(80, 278); // 区域截图
inline const QPoint kWindowCommand(80, 294); // 窗体截图
inline const QPoint kScreenCommand(80, 310); // 全屏截图
inline const QPoint kColourTab(69, 128);     // 取色
inline const QPoint kDropper(376, 224);
inline const QPoint kColourPreview(384, 302);

// Finishes the selection by a double click at `at` (inside it) and returns the
// region the editor put on the clipboard; null when the click or the region failed.
inline QImage finishByDoubleClick(QPoint at) {
    if (!pointer({"move", QString::number(at.x()), QString::number(at.y()), "click", "sleep", "60",
                  "click"}))
        return {};
    QImage region;
    e2e::waitFor(
        [&] {
            region = clipboardImage();
            return !region.isNull();
        },
        10000);
    // Nothing came: which windows are up tells a missed double click (the editor
    // still open) from a lost clipboard offer (the main window back).
    if (region.isNull()) {
        QList<QJsonObject> views;
        collectViews(tree(), views);
        for (const QJsonObject& v : views)
            qWarning("no region on the clipboard; window '%s' of %lld at %d,%d %dx%d",
                     qPrintable(v.value("name").toString()), v.value("pid").toInteger(),
                     rectOf(v).x(), rectOf(v).y(), rectOf(v).width(), rectOf(v).height());
    }
    return region;
}

} // namespace sway
