#pragma once

#include "platform/picture.h"

#include <QColor>
#include <QWidget>

namespace kv {

// A box that shows a shared picture unscaled from its top-left corner, over a
// background colour. It shows the picture object itself, not a copy: whoever
// changes the picture in place calls update() to have it shown.
class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const Picture& picture);
    const Picture& picture() const { return picture_; }
    void clearPicture() { setPicture(Picture()); }

    void setBackground(const QColor& colour);
    QColor background() const { return background_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture picture_;
    QColor background_;
};

} // namespace kv
