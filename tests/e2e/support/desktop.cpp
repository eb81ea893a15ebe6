#include "e2e/support/desktop.h"

#include <QBuffer>
#include <QColor>
#include <QColorSpace>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

namespace e2e {

CommandResult run(const QString& program, const QStringList& args, int timeoutMs,
                  const QByteArray& input) {
    QProcess p;
    p.start(program, args);
    CommandResult r;
    if (!p.waitForStarted(5000)) return r;
    if (!input.isEmpty()) p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString xdotool(const QStringList& args) {
    return QString::fromUtf8(run(QStringLiteral("xdotool"), args).out).trimmed();
}

QString clipboardText() {
    return QString::fromUtf8(
        run(QStringLiteral("xclip"), {"-selection", "clipboard", "-o"}, 5000).out);
}

QImage clipboardImage() {
    const CommandResult r =
        run(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", "image/png", "-o"}, 5000);
    QImage img;
    if (r.exitCode == 0) img.loadFromData(r.out, "PNG");
    return img;
}

QStringList clipboardTargets() {
    const CommandResult r =
        run(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", "TARGETS", "-o"}, 5000);
    return QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QImage grabScreen() {
    const CommandResult r = run(QStringLiteral("import"), {"-window", "root", "png:-"}, 20000);
    QImage img;
    img.loadFromData(r.out, "PNG");
    // Drop ImageMagick's colour-space tag: tests compare pixels, not tags.
    img.setColorSpace(QColorSpace());
    return img.convertToFormat(QImage::Format_RGB32);
}

QRect windowGeometry(const QString& windowId) {
    const QString shell = xdotool({"getwindowgeometry", "--shell", windowId});
    int x = 0, y = 0, w = 0, h = 0;
    for (const QString& line : shell.split(QLatin1Char('\n'))) {
        const QStringList kv = line.split(QLatin1Char('='));
        if (kv.size() != 2) continue;
        const int v = kv[1].toInt();
        if (kv[0] == QLatin1String("X"))
            x = v;
        else if (kv[0] == QLatin1String("Y"))
            y = v;
        else if (kv[0] == QLatin1String("WIDTH"))
            w = v;
        else if (kv[0] == QLatin1String("HEIGHT"))
            h = v;
    }
    return QRect(x, y, w, h);
}

QString describeScreenAt(QPoint p) {
    const QImage screen = grabScreen();
    QString text = QStringLiteral("(%1, %2) shows %3; windows there:")
                       .arg(p.x())
                       .arg(p.y())
                       .arg(QColor(screen.pixel(p)).name().toUpper());
    const QStringList ids = xdotool({"search", "--onlyvisible", "--name", ""})
                                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& id : ids) {
        const QRect g = windowGeometry(id);
        if (!g.contains(p)) continue;
        text += QStringLiteral(" [%1 \"%2\" %3x%4+%5+%6]")
                    .arg(id, xdotool({"getwindowname", id}))
                    .arg(g.width())
                    .arg(g.height())
                    .arg(g.x())
                    .arg(g.y());
    }
    return text + QStringLiteral("; pointer ") + xdotool({"getmouselocation"});
}

bool waitFor(const std::function<bool()>& check, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (check()) return true;
        QTest::qWait(50);
    }
    return check();
}

QString binary() {
    return qEnvironmentVariable("KOLVANE_BIN");
}

Program::Program() : process_(std::make_unique<QProcess>()) {
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
}

Program::~Program() {
    stop();
}

bool Program::start(const QStringList& args) {
    process_->start(binary(), args);
    return process_->waitForStarted(5000);
}

QString Program::mainWindow(int timeoutMs) {
    if (!window_.isEmpty()) return window_;
    const QString pid = QString::number(process_->processId());
    waitFor(
        [&] {
            const QStringList ids =
                xdotool({"search", "--all", "--onlyvisible", "--pid", pid, "--name", "^Kolvane$"})
                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            if (!ids.isEmpty()) window_ = ids.first();
            return !window_.isEmpty();
        },
        timeoutMs);
    // Give the window manager a moment to place and map it for good.
    if (!window_.isEmpty())
        QTest::qWait(300);
    else
        qWarning("%s", qPrintable(whyNoMainWindow()));
    return window_;
}

QString Program::whyNoMainWindow() const {
    if (process_->state() == QProcess::NotRunning)
        return process_->exitStatus() == QProcess::CrashExit
                   ? QStringLiteral("no main window: Kolvane crashed")
                   : QStringLiteral("no main window: Kolvane ended with code %1")
                         .arg(process_->exitCode());
    const QString pid = QString::number(process_->processId());
    QString why = QStringLiteral("no main window: Kolvane (pid %1) runs; its windows:").arg(pid);
    for (const QString& id : xdotool({"search", "--all", "--pid", pid, "--name", "."})
                                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        why += QStringLiteral("\n  %1 \"%2\" %3")
                   .arg(id, xdotool({"getwindowname", id}),
                        QString::fromUtf8(run(QStringLiteral("xwininfo"), {"-id", id}).out)
                            .section(QStringLiteral("Map State: "), 1)
                            .section(QLatin1Char('\n'), 0, 0));
    // Where a hung start waits; gdb may be missing or not allowed to attach.
    const CommandResult stacks =
        run(QStringLiteral("gdb"), {"-p", pid, "-batch", "-nx", "-ex", "thread apply all bt 25"},
            30000);
    if (stacks.exitCode >= 0 && !stacks.out.isEmpty())
        why += QStringLiteral("\nits threads:\n") + QString::fromLocal8Bit(stacks.out);
    return why;
}

QPoint Program::toScreen(QPoint windowPoint) {
    return windowGeometry(mainWindow()).topLeft() + windowPoint;
}

void Program::moveTo(QPoint windowPoint) {
    const QPoint p = toScreen(windowPoint);
    // "--sync" would wait forever for a move when the pointer is already there, so
    // move and then wait until the server reports the pointer at the target.
    xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())});
    const QString want = QStringLiteral("x:%1 y:%2 ").arg(p.x()).arg(p.y());
    waitFor([&] { return xdotool({"getmouselocation"}).startsWith(want); }, 2000);
}

void Program::click(QPoint windowPoint, int button) {
    moveTo(windowPoint);
    xdotool({"click", QString::number(button)});
}

void Program::doubleClick(QPoint windowPoint) {
    moveTo(windowPoint);
    xdotool({"click", "--repeat", "2", "--delay", "80", "1"});
}

void Program::stop() {
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(3000)) {
            process_->kill();
            process_->waitForFinished(2000);
        }
    }
    window_.clear();
}

} // namespace e2e
