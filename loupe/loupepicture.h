#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>

namespace kv {

class ScreenReader;

// The loupe shows the pixels around a hot spot enlarged: kLoupeCells x kLoupeCells
// source pixels, each a square of kLoupeZoom x kLoupeZoom screen pixels, with a
// 1-pixel grid between the cells and round the whole, and caption lines below.
constexpr int kLoupeCells = 15;
constexpr int kLoupeRadius = kLoupeCells / 2; // cells on each side of the centre
constexpr int kLoupeZoom = 8;
constexpr int kLoupePitch = kLoupeZoom + 1; // a cell and its grid line
constexpr int kLoupeGridSide = kLoupeCells * kLoupePitch + 1;
constexpr int kLoupeCaptionLine = 16;

// The source pixels around a hot spot: `pixels` is kLoupeCells square, its centre
// the hot spot; only the cells inside `valid` (picture coordinates) show something
// that could be read, the others lie off the desktop.
struct LoupeSource {
    QImage pixels;
    QRect valid;
    // The hot spot's pixel; nothing when it could not be read.
    bool centreValid() const { return valid.contains(kLoupeRadius, kLoupeRadius); }
    QRgb centre() const { return pixels.pixel(kLoupeRadius, kLoupeRadius); }
};

// The square of source pixels round `hot`, cut from a picture whose top-left pixel
// is the screen point `origin` (the editor's frozen picture, for example).
LoupeSource LoupeSourceFrom(const QImage& picture, QPoint origin, QPoint hot);
// The same square read from the screen, as far as it lies inside `desktop`.
LoupeSource LoupeSourceFrom(ScreenReader& screen, const QRect& desktop, QPoint hot);
// The screen rectangle a source round `hot` covers.
inline QRect LoupeSourceArea(QPoint hot) {
    return QRect(hot - QPoint(kLoupeRadius, kLoupeRadius), QSize(kLoupeCells, kLoupeCells));
}

// Size of the loupe's picture with `captionLines` lines of text below the grid.
QSize LoupePictureSize(int captionLines);
// Where the cell (column, row) is drawn inside the picture: its kLoupeZoom square.
QRect LoupeCellRect(int column, int row);

// Draws the loupe's picture into `out` (resized when it has another size):
// the enlarged cells, the grid, the outlined centre cell and the caption lines.
void RenderLoupe(const LoupeSource& source, const QStringList& caption, QImage& out);

} // namespace kv
