#pragma once

// Helpers for tests on the headless sway desktop: windows from sway's tree, the
// screen from grim, the clipboard from wl-paste, pointer input from our
// virtual-pointer driver, and the built program started as a Wayland client.
#include "e2e/support/desktop.h"
#include "support/waylanddesktop.h"

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

using wld::clipboardImage;
using wld::kColourPreview;
using wld::kColourTab;
using wld::kDropper;
using wld::kRegionCommand;
using wld::kScreenCommand;
using wld::kWindowCommand;
using wld::pattern;
using wld::pointerArea;
using wld::sameOutside;

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

// The screen as the compositor shows it.
inline QImage grim() {
    return wld::screen();
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

// The virtual pointer (the desktops' shared driver), told the layout's size first.
inline bool pointer(const QStringList& steps) {
    wld::pointerExtent() = pointerExtent();
    return wld::pointer(steps);
}

inline bool click(QPoint at) {
    return pointer({"move", QString::number(at.x()), QString::number(at.y()), "click"});
}

// Makes `picture` the desktop background and waits until the screen shows it
// (outside `skip`: where the pointer rests, once there is one).
inline bool setBackground(const QImage& picture, const QString& file,
                          const QList<QRect>& skip = {}) {
    if (!picture.save(file, "PNG")) return false;
    e2e::run("swaymsg", {"output", "*", "bg", file, "stretch"});
    return e2e::waitFor(
        [&] { return skip.isEmpty() ? grim() == picture : sameOutside(grim(), picture, skip); },
        10000);
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
