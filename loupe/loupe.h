#pragma once

#include "loupe/loupepicture.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

namespace kv {

// The loupe's own window: small, frameless and above everything, shown without
// taking the keyboard focus, letting every pointer event through to what lies
// below, and never part of the window it floats over (so a cut of that window
// never holds it).
class LoupeWindow : public QWidget {
    Q_OBJECT
public:
    LoupeWindow();
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

// A loupe that follows a hot spot: each Show draws the source pixels round it and
// puts the window beside it on its monitor (see PlaceLoupe).
class Loupe {
public:
    Loupe();
    ~Loupe();
    Loupe(const Loupe&) = delete;
    Loupe& operator=(const Loupe&) = delete;

    void Show(QPoint hot, const LoupeSource& source, const QStringList& caption,
              const QRect& monitor, const std::vector<QRect>& keepClear = {});
    void Hide();
    bool visible() const;
    // Where the loupe is on the screen; empty while it is hidden.
    QRect geometry() const;
    // Whether the loupe, where it is now, lies over any part of `screenArea`.
    bool covers(const QRect& screenArea) const { return geometry().intersects(screenArea); }
    // The picture shown last.
    const QImage& picture() const { return picture_; }
    LoupeWindow* window() const { return window_.get(); }

private:
    std::unique_ptr<LoupeWindow> window_;
    QImage picture_;
};

} // namespace kv
