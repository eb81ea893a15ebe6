#pragma once

// Helpers for end-to-end tests of the region editor on an X desktop: a known picture
// as the desktop's background, the editor opened from the main window's "区域截图", a
// selection dragged out, keys typed into the editor and the tool bar's buttons.
#include "e2e/support/desktop.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

namespace e2e {

// "区域截图" on the main window's capture page, in the main window's own pixels.
inline constexpr QPoint kRegionCommand(80, 278);

// Makes `picture` (the screen's size) the root window's background, written to `file`
// on the way, and waits until the screen shows it within `check`.
bool setDesktopBackground(const QImage& picture, const QString& file, const QRect& check);

// The visible windows of the process whose names match the pattern.
QStringList visibleWindowsOf(qint64 pid, const QString& nameRegex);

// Clicks "区域截图" and waits until the editor covers the screen and the main window
// has gone; the editor's window id, or "" (the log says what failed).
QString openRegionEditor(Program& program);
// Waits until the editor has gone and the main window is back.
bool editorLeft(Program& program, int timeoutMs = 10000);

// Drags out exactly `selection`: pressed on its top-left pixel, released just past
// its bottom-right one.
void dragSelection(const QRect& selection);
// Presses at `from`, moves there in steps, releases at `to`.
void drag(QPoint from, QPoint to);
// Moves the pointer there and clicks the left button once.
void clickAt(QPoint at);
// Moves the pointer there and double-clicks the left button (what finishes a selection).
void doubleClickAt(QPoint at);

// A key typed on the keyboard into `window`, once it has the keyboard focus.
bool typeKeyInto(const QString& window, const QString& key);

// The centre of a tool bar button's icon, for a selection just dragged out whose tool
// bar stands under it (right edges aligned, 4 pixels below); `iconLeft` is the icon's
// left edge on the bar.
QPoint toolBarIcon(const QRect& selection, int iconLeft);
inline constexpr int kRectangleIcon = 7; // "矩形工具"

} // namespace e2e
