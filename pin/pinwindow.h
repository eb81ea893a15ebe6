#pragma once

#include "pin/pincontext.h"
#include "pin/pingeometry.h"
#include "pin/zoomedpicture.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

namespace kv {

// A picture pinned to the screen: a frameless window above ordinary windows, with
// no task-bar entry, showing the picture one picture pixel per screen pixel at
// 100 %. A one-pixel border lies outside the picture (the pin is the picture plus
// one pixel on every side), so every picture pixel stays exact; it lights up while
// the pointer is over the pin. On X the window is only the part of the pin that
// lies on the desktop: an enlarged 4K picture would otherwise need a window (and a
// buffer in the X server) of up to 30720 x 17280 pixels.
//
// A click gives it the keyboard focus, a left drag moves it, the wheel zooms
// around the pointer through the zoom steps, Ctrl+wheel sets the opacity; key 1
// back to 100 %, Esc or a double click closes it; Ctrl+C copies and Ctrl+S saves
// the picture (its own pixels, whatever the zoom); C and Shift+C copy the colour
// under the pointer. The right button opens its menu.
class PinWindow : public QWidget {
    Q_OBJECT
public:
    // `pictureTopLeft`: where the picture's first pixel stands, in screen pixels.
    // `sizeStep`: the window's sides are whole multiples of it (see PinContext).
    PinWindow(const QImage& picture, QPoint pictureTopLeft, const PinContext& context,
              int sizeStep = 1);
    ~PinWindow() override;

    const QImage& picture() const { return view_.picture(); }
    int zoom() const { return view_.zoom(); }
    int opacityPercent() const { return opacity_; }
    bool staysOnTop() const;
    // Where the picture (without the border) stands on the screen.
    QRect pictureGeometry() const;

    // Zooms to `percent` keeping the picture point under `anchor` (screen
    // pixels) where it is.
    void zoomTo(int percent, QPoint anchor);
    void zoomBy(int notches, QPoint anchor);
    // Key 1 and "原始大小": 100 %, around the pointer when it is over the pin,
    // else around the picture's top-left.
    void actualSize();
    void setOpacityPercent(int percent);
    // "置顶": above ordinary windows, or among them.
    void setStaysOnTop(bool on);

    // The picture to the clipboard, as a finished region is offered.
    void copyPicture();
    // The save dialog; a failed save is reported and the pin stays as it was.
    void savePicture();
    // The colour of the picture pixel shown at `screenPos`, as "#RRGGBB" or
    // "RGB(r,g,b)", to the clipboard; nothing when the point shows no picture.
    void copyColourAt(QPoint screenPos, bool rgb);

signals:
    // "关闭全部贴图" was chosen on this pin.
    void closeAllAsked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void showMenu(QPoint globalPos);
    // The whole pin (picture and border) on the screen, and the window that shows
    // it: its part on the desktop. `offset_` is where the pin's own (0, 0) lies in
    // the window (never right of or below the window's own).
    QRect pinRect() const;
    void place();
    // In the pin's own pixels: the picture's part, and the border round it.
    QRect pictureArea() const { return QRect(QPoint(1, 1), view_.shownSize()); }
    QRegion border() const;

    const PinContext& context_;
    int sizeStep_;
    ZoomedPicture view_;
    QPoint pictureTopLeft_; // screen pixels
    QPoint offset_;
    QPoint placedAt_; // where place() put the window last
    int opacity_ = 100;
    bool hovered_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
    WheelNotches zoomWheel_;
    WheelNotches opacityWheel_;
};

} // namespace kv
