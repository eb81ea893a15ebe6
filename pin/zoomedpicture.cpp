#include "pin/zoomedpicture.h"

#include "pin/pingeometry.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <vector>

namespace kv {
namespace {

QImage opaqueOf(const QImage& picture) {
    if (!picture.hasAlphaChannel()) return picture.convertToFormat(QImage::Format_RGB32);
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, picture);
    return out;
}

// Each pixel the mean of the four it replaces (a last odd row or column is
// dropped). Two channels at a time in one word: four 8-bit values summed fit in
// the 16 bits each has.
QImage halve(const QImage& in) {
    QImage out(std::max(1, in.width() / 2), std::max(1, in.height() / 2), QImage::Format_RGB32);
    const int w = out.width();
    for (int y = 0; y < out.height(); ++y) {
        const auto* a =
            reinterpret_cast<const quint32*>(in.constScanLine(std::min(2 * y, in.height() - 1)));
        const auto* b = reinterpret_cast<const quint32*>(
            in.constScanLine(std::min(2 * y + 1, in.height() - 1)));
        auto* o = reinterpret_cast<quint32*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int i = std::min(2 * x, in.width() - 1), j = std::min(2 * x + 1, in.width() - 1);
            const quint32 rb = (a[i] & 0xff00ff) + (a[j] & 0xff00ff) + (b[i] & 0xff00ff) +
                               (b[j] & 0xff00ff) + 0x20002;
            const quint32 g =
                (a[i] & 0xff00) + (a[j] & 0xff00) + (b[i] & 0xff00) + (b[j] & 0xff00) + 0x200;
            o[x] = 0xff000000 | ((rb >> 2) & 0xff00ff) | ((g >> 2) & 0xff00);
        }
    }
    return out;
}

} // namespace

ZoomedPicture::ZoomedPicture(const QImage& picture) : picture_(picture) {
    halves_.push_back(opaqueOf(picture));
}

const QImage& ZoomedPicture::halved(int times) {
    while (int(halves_.size()) <= times)
        halves_.push_back(halve(halves_.back()));
    return halves_[size_t(times)];
}

QSize ZoomedPicture::shownSize() const {
    return zoomedSize(picture_.size(), zoom_);
}

void ZoomedPicture::draw(QPainter& painter, QPoint at, const QRect& area) {
    const QRect part = area.intersected(QRect(QPoint(0, 0), shownSize()));
    if (part.isEmpty()) return;
    if (zoom_ == 100) {
        painter.drawImage(at + part.topLeft(), halves_.front(), part);
    } else if (zoom_ < 100) {
        // Halved while that stays at least as large as shown: 50 % and 25 % are
        // halvings themselves, 75 % and 10 % are filtered from the next larger one.
        int times = 0;
        while ((100 >> (times + 1)) >= zoom_ && halved(times).width() > 1)
            ++times;
        const QImage& source = halved(times);
        painter.save();
        painter.setClipRect(QRect(at + part.topLeft(), part.size()));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(at, shownSize()), source, QRectF(source.rect()));
        painter.restore();
    } else {
        enlarge(part);
        painter.drawImage(at + part.topLeft(), scratch_, QRect(QPoint(0, 0), part.size()));
    }
}

void ZoomedPicture::enlarge(const QRect& area) {
    // One scratch picture, grown as needed: a pin is drawn in many small parts
    // while it is dragged into view.
    if (scratch_.width() < area.width() || scratch_.height() < area.height())
        scratch_ = QImage(std::max(scratch_.width(), area.width()),
                          std::max(scratch_.height(), area.height()), QImage::Format_RGB32);
    const QImage& opaque = halves_.front();
    const QSize size = opaque.size();
    std::vector<int> columns(size_t(area.width()));
    for (int i = 0; i < area.width(); ++i)
        columns[size_t(i)] = pictureCoordinate(QPoint(area.x() + i, 0), size, zoom_).x();
    int lastRow = -1;
    for (int r = 0; r < area.height(); ++r) {
        auto* out = reinterpret_cast<QRgb*>(scratch_.scanLine(r));
        const int row = pictureCoordinate(QPoint(0, area.y() + r), size, zoom_).y();
        if (row == lastRow) {
            std::memcpy(out, scratch_.constScanLine(r - 1), size_t(area.width()) * 4);
            continue;
        }
        lastRow = row;
        const auto* in = reinterpret_cast<const QRgb*>(opaque.constScanLine(row));
        for (int i = 0; i < area.width(); ++i)
            out[i] = in[columns[size_t(i)]];
    }
}

} // namespace kv
