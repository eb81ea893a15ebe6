#pragma once

// Helpers for end-to-end tests: start the built program as a user would and drive
// the real desktop with xdotool, xclip and ImageMagick.

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace e2e {

struct CommandResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a command to its end (timeout in ms) and returns what it printed.
CommandResult run(const QString& program, const QStringList& args, int timeoutMs = 15000,
                  const QByteArray& input = {});
// xdotool with the given arguments; returns its trimmed standard output.
QString xdotool(const QStringList& args);

// The X clipboard as text, and as a PNG image (null when it holds none).
QString clipboardText();
QImage clipboardImage();
// The clipboard's offered targets (xclip -t TARGETS).
QStringList clipboardTargets();

// The whole root window as the X server shows it, through ImageMagick.
QImage grabScreen();

// Geometry of a window by id, in root coordinates (client area, without frame).
QRect windowGeometry(const QString& windowId);

// What a failed wait for a pixel should tell: the colour there and every visible
// window over the point, with its name and geometry.
QString describeScreenAt(QPoint screenPoint);

// Polls `check` every 50 ms until it is true or timeoutMs passes.
bool waitFor(const std::function<bool()>& check, int timeoutMs = 10000);

// The built program, started with a fresh program folder state.
class Program {
public:
    Program();
    ~Program(); // ends the program if it still runs
    bool start(const QStringList& args = {});
    // Window id of the main window once it is mapped ("" when it never appears;
    // the test log then says why, see whyNoMainWindow).
    QString mainWindow(int timeoutMs = 15000);
    // Whether the program still runs, its windows and their map state, and its
    // threads' stacks when gdb can attach: what a missing main window tells.
    QString whyNoMainWindow() const;
    // Screen position of a point given in the main window's own pixels.
    QPoint toScreen(QPoint windowPoint);
    void click(QPoint windowPoint, int button = 1);
    void doubleClick(QPoint windowPoint);
    void moveTo(QPoint windowPoint);
    QProcess& process() { return *process_; }
    void stop();

private:
    std::unique_ptr<QProcess> process_;
    QString window_;
};

QString binary(); // $KOLVANE_BIN

} // namespace e2e
