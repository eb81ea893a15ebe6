// Selection geometry: rubber band, handles, moves, tool-bar placement and read-out
// texts.
#include "snapshot/selection.h"

#include "platform/colourvalue.h"
#include "platform/units.h"

#include <algorithm>
#include <charconv>

namespace kv {

SelRect selRectOf(const SelBox& b) {
    return {nearInt(b.left), nearInt(b.top), nearInt(b.left + b.width), nearInt(b.top + b.height)};
}

bool strictlyInside(const SelBox& b, float x, float y) {
    return b.left < x && x < b.left + b.width && b.top < y && y < b.top + b.height;
}

SelBox rubberBand(const SelBox& current, float ax, float ay, float x, float y) {
    if (x > ax && y > ay) return {ax, ay, x - ax, y - ay};
    if (x < ax && y > ay) return {x, ay, ax - x, y - ay};
    if (x > ax && y < ay) return {ax, y, x - ax, ay - y};
    if (x < ax && y < ay) return {x, y, ax - x, ay - y};
    return current;
}

std::array<QPointF, kHandleCount> handlePositions(const SelBox& b) {
    const float hw = kHandleSize / 2.0f;
    const float hh = kHandleSize / 2.0f;
    const float l = b.left, t = b.top, w = b.width, h = b.height;
    return {{
        {l - hw, t - hh},
        {l + w / 2 - hw, t - hh},
        {l + w - hw, t - hh},
        {l - hw, t + h / 2 - hh},
        {l - hw, t + h - hh},
        {l + w / 2 - hw, t + h - hh},
        {l + w - hw, t + h - hh},
        {l + w - hw, t + h / 2 - hh},
    }};
}

Qt::CursorShape handleCursor(int index) {
    static constexpr Qt::CursorShape shapes[kHandleCount] = {
        Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
        Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor, Qt::SizeHorCursor};
    return index >= 0 && index < kHandleCount ? shapes[index] : Qt::ArrowCursor;
}

SelBox resizeByHandle(int index, const SelBox& current, const PressEdges& p, QPoint pointer) {
    const float cx = float(pointer.x());
    const float cy = float(pointer.y());
    const float hw = kHandleSize / 2.0f;
    const float hh = kHandleSize / 2.0f;
    float l = p.left, t = p.top, r = p.right, b = p.bottom;
    switch (index) {
    case 0:
        l = cx + hw;
        t = cy + hh;
        break;
    case 1:
        t = cy + hh;
        break;
    case 2:
        t = cy + hh;
        r = cx + hw;
        break;
    case 3:
        l = cx + hw;
        break;
    case 4:
        l = cx + hw;
        b = cy;
        break;
    case 5:
        b = cy;
        break;
    case 6:
        r = cx;
        b = cy;
        break;
    case 7:
        r = cx;
        break;
    default:
        return current;
    }
    const float w = r - l;
    const float h = b - t;
    if (w < 0 || h < 0) return current;
    return {l, t, w, h};
}

SelBox moveSelection(const SelBox& current, QPointF origin, QPointF down, QPointF pointer,
                     const QRect& desktop) {
    SelBox s = current;
    s.left = float(origin.x()) - (float(down.x()) - float(pointer.x()));
    s.top = float(origin.y()) - (float(down.y()) - float(pointer.y()));
    const float left = float(desktop.x()), top = float(desktop.y());
    const float right = left + float(desktop.width()), bottom = top + float(desktop.height());
    if (s.left < left) s.left = left;
    if (s.top < top) s.top = top;
    if (s.left + s.width > right) s.left = right - s.width;
    if (s.top + s.height > bottom) s.top = bottom - s.height;
    return s;
}

QRect barMonitor(const SelBox& b, const Monitors& monitors) {
    // The last pixel inside the selection; the click point itself for a selection of no
    // size. A selection ending exactly on a monitor's right edge belongs to that
    // monitor, not to the one beyond the seam.
    const QPoint corner(nearInt(std::max(b.left, b.right() - 1)),
                        nearInt(std::max(b.top, b.bottom() - 1)));
    return monitors.monitorFor(corner);
}

QPointF placeToolBar(const SelBox& b, QSizeF bar, const QRect& m) {
    const double tw = bar.width(), th = bar.height();
    const double mLeft = m.x(), mTop = m.y();
    const double mRight = mLeft + m.width(), mBottom = mTop + m.height();
    double left = double(b.left) + b.width - tw;
    double top;
    if (mBottom >= double(b.top) + b.height + 4 + th)
        top = double(b.top) + b.height + 4;
    else
        top = double(b.top) + b.height - th - 4;
    // Only a selection that reaches past its monitor gets here: the bar keeps to the
    // monitor rather than fall where nothing shows it.
    if (left + tw > mRight) left = mRight - tw;
    if (top + th > mBottom) top = mBottom - th;
    if (top < mTop) top = mTop;
    if (left < mLeft) left = mLeft;
    return {left, top};
}

namespace {
QString shortest(float v) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}
} // namespace

QString sizeText(float width, float height) {
    return QStringLiteral("区域大小:") + shortest(width) + QLatin1Char('*') + shortest(height);
}

void GetRGB(int colour, int& red, int& green, int& blue) {
    const Channels c = SplitColourValue(colour);
    red = c.red;
    green = c.green;
    blue = c.blue;
}

QString colourText(int colour) {
    int r, g, b;
    GetRGB(colour, r, g, b);
    return QStringLiteral("当前RGB:(%1,%2,%3)").arg(r).arg(g).arg(b);
}

} // namespace kv
