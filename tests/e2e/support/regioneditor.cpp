#include "e2e/support/regioneditor.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace e2e {

namespace {

QString n(int v) {
    return QString::number(v);
}

} // namespace

bool setDesktopBackground(const QImage& picture, const QString& file, const QRect& check) {
    if (!picture.save(file)) return false;
    run(QStringLiteral("display"), {"-window", "root", file}); // its status says nothing useful
    const QImage wanted = picture.copy(check).convertToFormat(QImage::Format_RGB32);
    return waitFor([&] { return grabScreen().copy(check) == wanted; });
}

QStringList visibleWindowsOf(qint64 pid, const QString& nameRegex) {
    // --all: the pid and the name must both match (xdotool's default is either).
    return xdotool({"search", "--all", "--onlyvisible", "--pid", n(int(pid)), "--name", nameRegex})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString openRegionEditor(Program& program) {
    const qint64 pid = program.process().processId();
    program.click(kRegionCommand);
    QString editor;
    // The editor covers every monitor.
    const QSize screen = QGuiApplication::primaryScreen()->virtualSize();
    const bool shown = waitFor([&] {
        const QStringList ids = visibleWindowsOf(pid, QStringLiteral("^Kolvane "));
        editor = ids.isEmpty() ? QString() : ids.first();
        return !editor.isEmpty() && windowGeometry(editor).size() == screen &&
               visibleWindowsOf(pid, QStringLiteral("^Kolvane$")).isEmpty();
    });
    if (!shown) {
        qWarning("the region editor did not open: %s", qPrintable(describeScreenAt({200, 200})));
        return {};
    }
    // Shown is not yet painted: give its first frame a moment.
    QTest::qWait(200);
    return editor;
}

bool editorLeft(Program& program, int timeoutMs) {
    const qint64 pid = program.process().processId();
    return waitFor(
        [&] {
            return visibleWindowsOf(pid, QStringLiteral("^Kolvane ")).isEmpty() &&
                   !visibleWindowsOf(pid, QStringLiteral("^Kolvane$")).isEmpty();
        },
        timeoutMs);
}

void drag(QPoint from, QPoint to) {
    xdotool({"mousemove", "--sync", n(from.x()), n(from.y()), "mousedown", "1"});
    for (int i = 1; i <= 4; ++i) {
        const QPoint at = from + (to - from) * i / 4;
        xdotool({"mousemove", "--sync", n(at.x()), n(at.y())});
    }
    xdotool({"mouseup", "1"});
}

void dragSelection(const QRect& selection) {
    drag(selection.topLeft(), selection.topLeft() + QPoint(selection.width(), selection.height()));
}

void clickAt(QPoint at) {
    xdotool({"mousemove", "--sync", n(at.x()), n(at.y()), "click", "1"});
}

void doubleClickAt(QPoint at) {
    xdotool({"mousemove", "--sync", n(at.x()), n(at.y())});
    xdotool({"click", "--repeat", "2", "--delay", "80", "1"});
}

bool typeKeyInto(const QString& window, const QString& key) {
    if (!waitFor([&] { return xdotool({"getactivewindow"}) == window; }, 5000)) {
        qWarning("window %s never had the keyboard focus (%s has it)", qPrintable(window),
                 qPrintable(xdotool({"getactivewindow"})));
        return false;
    }
    xdotool({"key", "--clearmodifiers", key});
    return true;
}

QPoint toolBarIcon(const QRect& selection, int iconLeft) {
    const QPoint bar(selection.right() + 1 - 265, selection.bottom() + 1 + 4);
    return bar + QPoint(iconLeft + 8, 5 + 8);
}

} // namespace e2e
