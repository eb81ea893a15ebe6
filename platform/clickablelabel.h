#pragma once

// A label (text or picture) that reports the pointer's presses, moves and clicks.
#include "platform/picture.h"

#include <QColor>
#include <QLabel>

namespace kv {

// A label that acts on the pointer: it takes every press, move and release over it
// (none reaches the window beneath) and reports them as signals, which the window
// connects to its handlers. A label shows its text as any QLabel does, or, given a
// picture, that picture as a PictureBox would.
//
// What counts as a click is decided here once: the left button let go over the label
// after a left press on it (the second press of a double click counts too), whatever
// other buttons came and went meanwhile.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);
    ClickableLabel(const QString& text, QWidget* parent);

    // The picture shown (the object itself, not a copy; see PictureBox) over the
    // background colour, at a zoom of 1 unless set.
    void setPicture(const Picture& picture);
    const Picture& picture() const { return picture_; }
    void clearPicture() { setPicture(Picture()); }
    void setBackground(const QColor& colour);
    QColor background() const { return background_; }
    void setZoom(double zoom);

    // A label without text asks for no room of its own: its designed size stands.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A button went down; `globalPos` in screen pixels.
    void pressed(Qt::MouseButton button, QPoint globalPos);
    // The second press of a double click, which Qt reports instead of a press.
    void doublePressed(Qt::MouseButton button, QPoint globalPos);
    // The pointer moved over the label (or dragged from it) with these buttons held.
    void moved(Qt::MouseButtons buttons, QPoint globalPos);
    void released(Qt::MouseButton button, QPoint globalPos);
    // A button let go with the pointer over the label (wherever it went down; the
    // label holds the pointer while a button is down, so this is checked here).
    void releasedOver(Qt::MouseButton button);
    // After the release that ends a click.
    void clicked();
    // The pointer left the label.
    void pointerLeft();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Picture picture_;
    QColor background_;
    double zoom_ = 1.0;
    bool leftDown_ = false; // a left press on the label that no left release ended yet
};

} // namespace kv
