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

} // namespace

ZoomedPicture::ZoomedPicture(const QImage& picture)
    : picture_(picture), opaque_(opaqueOf(picture)) {}

QSize ZoomedPicture::shownSize() const {
    return zoomedSize(picture_.size(), zoom_);
}

void ZoomedPicture::setZoom(int percent) {
    if (percent == zoom_) return;
    zoom_ = percent;
    reduced_ = percent < 100
                   ? opaque_.scaled(shownSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                   : QImage();
}

void ZoomedPicture::draw(QPainter& painter, QPoint at, const QRect& area) {
    const QRect part = area.intersected(QRect(QPoint(0, 0), shownSize()));
    if (part.isEmpty()) return;
    if (zoom_ == 100) {
        painter.drawImage(at + part.topLeft(), opaque_, part);
    } else if (zoom_ < 100) {
        painter.drawImage(at + part.topLeft(), reduced_, part);
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
    const QSize size = opaque_.size();
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
        const auto* in = reinterpret_cast<const QRgb*>(opaque_.constScanLine(row));
        for (int i = 0; i < area.width(); ++i)
            out[i] = in[columns[size_t(i)]];
    }
}

} // namespace kv
