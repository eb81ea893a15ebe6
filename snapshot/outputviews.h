#pragma once

// One full-screen window of the editor per output, where one window cannot cover them
// all.
#include "platform/monitors.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <memory>
#include <vector>

class QScreen;

namespace kv {

class OutputViews;

// One output's full-screen window of the editor. While the editor lives in it (as a
// child, moved so that the output's part of the picture fills the window) the editor
// paints and takes the input itself; otherwise the window paints the editor's picture
// of its part, overlays and bars included.
class OutputView : public QWidget {
public:
    OutputView(OutputViews& views, QScreen* screen, const QRect& part);
    // The output's rectangle in picture pixels (the editor's coordinates).
    const QRect& part() const { return part_; }
    QScreen* outputScreen() const { return screen_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    OutputViews& views_;
    QScreen* screen_;
    QRect part_;
};

// The editor over several outputs of a compositor that places every window itself and
// keeps a full-screen window to one output (Wayland): one window per output. The editor
// lives in the window the pointer is over and moves when the pointer comes into another
// one with no button held; a drag stays with the window it started in, to which the
// compositor sends the pointer wherever it goes, so a selection spans the outputs.
// Keys reach the editor from whichever window has the keyboard.
class OutputViews : public QObject {
public:
    // `editor` covers the whole picture of `monitors`; it is not owned.
    OutputViews(QWidget* editor, const Monitors& monitors);
    // Gives the editor back its own window (hidden) before the windows go.
    ~OutputViews() override;

    const Monitors& monitors() const { return monitors_; }
    int count() const { return int(views_.size()); }
    OutputView* view(int index) const { return views_[std::size_t(index)].get(); }
    // The window the editor lives in now.
    int live() const { return live_; }
    QWidget* editor() const { return editor_; }

    // Every window full screen on its output, the editor in the primary output's (or
    // the one it lived in before).
    void show();
    // Moves the editor into window `index`, keeping its keyboard focus.
    void hostIn(int index);

    // Called by the windows.
    void forwardKey(QKeyEvent* event);
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeEditor();
    void repaintMirrorsSoon();
    void hideAll();
    int indexOfWindow(QObject* window) const;

    QPointer<QWidget> editor_;
    Qt::WindowFlags editorFlags_;
    Monitors monitors_;
    std::vector<std::unique_ptr<OutputView>> views_;
    int live_ = 0;
    bool moving_ = false; // the editor is being moved between windows
    bool mirrorsPending_ = false;
};

} // namespace kv
