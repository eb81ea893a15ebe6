#include "pin/pingeometry.h"

#include "platform/units.h"

#include <algorithm>
#include <cmath>

namespace kv {

int pinZoomStep(int percent, int notches) {
    if (notches == 0) return percent;
    const int count = int(kPinZoomSteps.size());
    // The last step at or below `percent` (-1: none) and the first at or above it
    // (count: none).
    int below = -1;
    while (below + 1 < count && kPinZoomSteps[size_t(below + 1)] <= percent)
        ++below;
    int above = count;
    while (above - 1 >= 0 && kPinZoomSteps[size_t(above - 1)] >= percent)
        --above;
    const int from = notches > 0 ? below : above;
    return kPinZoomSteps[size_t(std::clamp(from + notches, 0, count - 1))];
}

int pinOpacityStep(int percent, int notches) {
    return std::clamp(percent + 10 * notches, 10, 100);
}

QSize zoomedSize(QSize picture, int percent) {
    const auto side = [percent](int n) { return std::max(1, nearInt(n * percent / 100.0)); };
    return QSize(side(picture.width()), side(picture.height()));
}

QPoint pictureCoordinate(QPoint offset, QSize picture, int percent) {
    // Integer arithmetic, as the enlarged picture is drawn: block k covers the
    // screen pixels whose offset * 100 / percent is k.
    const auto along = [percent](int d, int n) {
        const int k = d < 0 ? -1 : int(qint64(d) * 100 / percent);
        return std::clamp(k, 0, n - 1);
    };
    return QPoint(along(offset.x(), picture.width()), along(offset.y(), picture.height()));
}

QPoint zoomAround(QPoint topLeft, QPoint anchor, int fromPercent, int toPercent) {
    const double k = double(toPercent) / fromPercent;
    const QPoint d = anchor - topLeft;
    return anchor - QPoint(nearInt(d.x() * k), nearInt(d.y() * k));
}

QSize roundedUpTo(QSize size, int step) {
    if (step <= 1) return size;
    const auto up = [step](int n) { return (n + step - 1) / step * step; };
    return QSize(up(size.width()), up(size.height()));
}

QPoint placePinPicture(QPoint at, QSize picture, const QRect& monitor) {
    const auto along = [](int p, int size, int first, int extent) {
        if (size >= extent) return first;
        return std::clamp(p, first, first + extent - size);
    };
    return QPoint(along(at.x(), picture.width(), monitor.x(), monitor.width()),
                  along(at.y(), picture.height(), monitor.y(), monitor.height()));
}

int WheelNotches::take(int angleDelta) {
    // A turn the other way drops what was left of the last direction.
    if ((rest_ > 0 && angleDelta < 0) || (rest_ < 0 && angleDelta > 0)) rest_ = 0;
    rest_ += angleDelta;
    const int notches = rest_ / 120;
    rest_ -= notches * 120;
    return notches;
}

} // namespace kv
