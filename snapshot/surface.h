#pragma once

// The region editor's drawing surface: committed picture, working image and screen.
#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <optional>

namespace kv {

// The editor's drawing surface, in three layers:
//  - committed picture: the snapshot with every committed drawing;
//  - working image: the committed picture plus persistent drawing since the last commit;
//  - screen: the working image plus transient drawing (previews), what the window shows.
// Persistent mode decides where drawing goes: into the working image (and so at once on
// the screen), or onto the screen layer only, where the next clear or persistent change
// wipes it again.
class Surface {
public:
    // Every layer becomes the snapshot; persistent mode on.
    void load(const QImage& snapshot);

    bool persistent() const { return persistent_; }
    void setPersistent(bool on) { persistent_ = on; }

    // Draws on the current target: the working image in persistent mode, the screen
    // layer otherwise. `bounds` (when known) limits the repaint to what was drawn.
    void paint(const std::function<void(QPainter&)>& draw, const QRect& bounds = QRect());

    // Persistent mode: the working image returns to the committed picture. Transient
    // mode: the transient drawing leaves the screen. Either way the screen then shows
    // the working image.
    void clear();
    // The committed picture becomes the working image (the caller stores it in the
    // history).
    void commit();
    // Replaces every layer with a picture from the history (undo, redo, reopening).
    void setCommitted(const QImage& picture);
    // Lets go of every layer until the next setCommitted or load, so that whoever shares
    // the pictures may change them in place (the history, stepping).
    void release();

    const QImage& committed() const { return committed_; }
    const QImage& working() const { return working_; }
    const QImage& screen() const { return transientShown_ ? transient_ : working_; }
    QSize size() const { return working_.size(); }

    // One pixel of the surface drawn on now (working image in persistent mode, screen
    // layer otherwise); nothing outside the picture.
    std::optional<QRgb> pixel(int x, int y) const;

    // Told about every change of what the screen layer shows, with the area changed.
    std::function<void(const QRect&)> onScreenChanged;

private:
    void changed(const QRect& r);
    void dropTransient();
    void startTransient();

    bool persistent_ = true;
    QImage committed_;
    QImage working_;
    QImage transient_; // kept allocated between previews, so each one starts cheaply
    bool transientShown_ = false;
    QRect transientArea_; // where transient drawing may differ from the working image
    // Where transient_ may differ from the working image while no preview shows: a new
    // preview brings back only that part (at 3840 x 2160 a whole copy is 33 MB for
    // every mouse move of a figure).
    QRect stale_;
};

} // namespace kv
