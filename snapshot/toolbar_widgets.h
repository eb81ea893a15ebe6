#pragma once

// Small widgets shared by the tool bar and the option bar.
#include "platform/clickablelabel.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace kv {

// Small building blocks of the tool bar and the option bar.

// A picture shown unscaled at its top-left corner; it reports pointer movement even
// without a button held, so that hover frames can follow the pointer, and its presses
// and clicks as any clickable label does.
class IconButton : public ClickableLabel {
public:
    explicit IconButton(QWidget* parent, const QImage& image = QImage());
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// A one-pixel rectangle outline over its whole area. The pointer passes through it to
// what lies beneath, so a frame around a button never swallows the button's events.
class OutlineShape : public QWidget {
public:
    OutlineShape(QWidget* parent, const QColor& colour);
    QColor colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

// A filled, pointer-transparent strip: a one-pixel-wide separator line.
class LineShape : public QWidget {
public:
    LineShape(QWidget* parent, const QColor& colour);
};

// Gives `panel` a plain background colour and pointer tracking.
void preparePanel(QWidget* panel, const QColor& background);

// The plain arrow pointer for the whole program, as over any bar.
void showArrowPointer();

} // namespace kv
