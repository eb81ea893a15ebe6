#include "loupe/loupepicture.h"

#include "platform/screenreader.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace kv {

namespace {

constexpr QRgb kGrid = qRgb(128, 128, 128);
// Cells off the desktop are a fine checker, which no single colour looks like.
constexpr QRgb kOffLight = qRgb(88, 88, 88);
constexpr QRgb kOffDark = qRgb(40, 40, 40);
constexpr QRgb kCaptionBack = qRgb(32, 32, 32);
constexpr int kCaptionPad = 4;

LoupeSource emptySource() {
    LoupeSource s;
    s.pixels = QImage(kLoupeCells, kLoupeCells, QImage::Format_RGB32);
    s.pixels.fill(Qt::black);
    return s;
}

// Copies `from` (already cut to `inside`) into the source square of `area`.
void place(LoupeSource& s, const QImage& from, const QRect& inside, const QRect& area) {
    const QImage rgb =
        from.format() == QImage::Format_RGB32 || from.format() == QImage::Format_ARGB32
            ? from
            : from.convertToFormat(QImage::Format_RGB32);
    const QPoint at = inside.topLeft() - area.topLeft();
    for (int y = 0; y < inside.height(); ++y) {
        auto* dst = reinterpret_cast<QRgb*>(s.pixels.scanLine(at.y() + y)) + at.x();
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < inside.width(); ++x)
            dst[x] = src[x] | 0xff000000u;
    }
    s.valid = QRect(at, inside.size());
}

// Black on light colours, white on dark ones, so the centre's outline always shows.
QRgb outlineFor(QRgb c) {
    const int luma = (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000;
    return luma >= 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}

void drawCells(const LoupeSource& source, QImage& out) {
    for (int y = 0; y < kLoupeGridSide; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        if (y % kLoupePitch == 0) {
            std::fill(line, line + kLoupeGridSide, kGrid);
            continue;
        }
        const int row = y / kLoupePitch;
        const auto* src = reinterpret_cast<const QRgb*>(source.pixels.constScanLine(row));
        for (int column = 0; column < kLoupeCells; ++column) {
            QRgb* cell = line + column * kLoupePitch;
            cell[0] = kGrid;
            if (source.valid.contains(column, row)) {
                std::fill(cell + 1, cell + kLoupePitch, src[column] | 0xff000000u);
            } else {
                for (int x = 1; x < kLoupePitch; ++x)
                    cell[x] = ((x + y) & 1) ? kOffLight : kOffDark;
            }
        }
        line[kLoupeGridSide - 1] = kGrid;
    }
}

// The centre cell's outline lies on the grid lines round it, so every cell keeps
// all of its pixels.
void outlineCentre(const LoupeSource& source, QImage& out) {
    const QRgb colour = outlineFor(source.centreValid() ? source.centre() : kOffDark);
    const int lo = kLoupeRadius * kLoupePitch, hi = lo + kLoupePitch;
    for (int i = lo; i <= hi; ++i) {
        reinterpret_cast<QRgb*>(out.scanLine(lo))[i] = colour;
        reinterpret_cast<QRgb*>(out.scanLine(hi))[i] = colour;
        reinterpret_cast<QRgb*>(out.scanLine(i))[lo] = colour;
        reinterpret_cast<QRgb*>(out.scanLine(i))[hi] = colour;
    }
}

void drawCaption(const QStringList& caption, QImage& out) {
    if (caption.isEmpty()) return;
    QPainter p(&out);
    const QRect band(0, kLoupeGridSide, out.width(), out.height() - kLoupeGridSide);
    p.fillRect(band, QColor(kCaptionBack));
    static const QFont font = [] {
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setStyleHint(QFont::Monospace);
        f.setPixelSize(12);
        return f;
    }();
    p.setFont(font);
    p.setPen(Qt::white);
    for (int i = 0; i < caption.size(); ++i) {
        const QRect line(0, kLoupeGridSide + kCaptionPad / 2 + i * kLoupeCaptionLine, out.width(),
                         kLoupeCaptionLine);
        p.drawText(line, Qt::AlignCenter, caption[i]);
    }
}

} // namespace

LoupeSource LoupeSourceFrom(const QImage& picture, QPoint origin, QPoint hot) {
    LoupeSource s = emptySource();
    const QRect area = LoupeSourceArea(hot);
    const QRect inside = area & QRect(origin, picture.size());
    if (inside.isEmpty()) return s;
    place(s, picture.copy(inside.translated(-origin)), inside, area);
    return s;
}

LoupeSource LoupeSourceFrom(ScreenReader& screen, const QRect& desktop, QPoint hot) {
    LoupeSource s = emptySource();
    const QRect area = LoupeSourceArea(hot);
    const QRect inside = area & desktop;
    if (inside.isEmpty()) return s;
    const QImage read = screen.grab(inside).image;
    // A read that failed, or came back in another size, shows nothing at all
    // rather than pixels from somewhere else.
    if (read.size() != inside.size()) return s;
    place(s, read, inside, area);
    return s;
}

QSize LoupePictureSize(int captionLines) {
    const int caption = captionLines > 0 ? captionLines * kLoupeCaptionLine + kCaptionPad : 0;
    return QSize(kLoupeGridSide, kLoupeGridSide + caption);
}

QRect LoupeCellRect(int column, int row) {
    return QRect(column * kLoupePitch + 1, row * kLoupePitch + 1, kLoupeZoom, kLoupeZoom);
}

void RenderLoupe(const LoupeSource& source, const QStringList& caption, QImage& out) {
    const QSize size = LoupePictureSize(int(caption.size()));
    if (out.size() != size || out.format() != QImage::Format_RGB32)
        out = QImage(size, QImage::Format_RGB32);
    if (source.pixels.size() != QSize(kLoupeCells, kLoupeCells)) {
        out.fill(kOffDark);
        return;
    }
    drawCells(source, out);
    outlineCentre(source, out);
    drawCaption(caption, out);
}

} // namespace kv
