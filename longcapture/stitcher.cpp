#include "longcapture/stitcher.h"

#include <algorithm>
#include <cstring>

namespace kv {

Stitcher::Stitcher(const QImage& first, int maxHeight)
    : last_(HashedFrame::of(first)), maxHeight_(maxHeight) {
    const int rows = std::min(first.height(), maxHeight_);
    appendRows(last_.picture, 0, rows);
    bodyEnd_ = rows;
}

Stitcher::Outcome Stitcher::add(const QImage& picture) {
    HashedFrame next = HashedFrame::of(picture, last_.width);
    FrameMatch m = matchFrames(last_, next, lastShift_);
    if (!m.found) m = matchBesideScrollBar(next);
    if (!m.found) return {Step::NoOverlap, 0, 0};
    if (m.shift == 0) return {Step::NothingNew, 0, 0};

    const int h = next.picture.height();
    const int before = height();
    // The rows that stayed put at the bottom are the footer from now on: the body ends
    // right above them in the last picture, which is where the new rows join.
    moveBodyEnd(h - m.bottom);
    const int room = std::max(0, maxHeight_ - m.bottom - bodyRows_);
    const int fresh = std::min(m.shift, room);
    appendRows(next.picture, h - m.bottom - m.shift, fresh);
    footer_ = std::min(m.bottom, maxHeight_ - bodyRows_);
    bodyEnd_ = h - m.bottom;
    last_ = std::move(next);
    lastShift_ = m.shift;
    const Step step = fresh < m.shift ? Step::Full : Step::Added;
    return {step, height() - before, m.shift};
}

// A scroll bar inside the selection changes with every scroll, in columns at the right
// edge, so that no row of one picture is found again in the next. The narrowest strip
// at the right without which the pictures line up is left out of the page from then
// on: a screen tall enough for the whole page would show no scroll bar either.
FrameMatch Stitcher::matchBesideScrollBar(HashedFrame& next) {
    const int full = last_.picture.width();
    if (last_.width < full) return {};
    for (int strip = 1; strip <= std::min(kWidestScrollBar, full / 4); ++strip) {
        HashedFrame before = HashedFrame::of(last_.picture, full - strip);
        HashedFrame after = HashedFrame::of(next.picture, full - strip);
        const FrameMatch m = matchFrames(before, after, lastShift_);
        if (m.found && m.shift > 0) {
            last_ = std::move(before);
            next = std::move(after);
            return m;
        }
    }
    return {};
}

void Stitcher::moveBodyEnd(int row) {
    if (row < bodyEnd_) {
        dropBodyRows(bodyEnd_ - row);
    } else if (row > bodyEnd_) {
        // Rows that looked fixed last time have moved since: they were the page's own
        // rows, next after the body.
        appendRows(last_.picture, bodyEnd_, std::min(row - bodyEnd_, maxHeight_ - bodyRows_));
    }
    bodyEnd_ = row;
}

void Stitcher::dropBodyRows(int count) {
    count = std::min(count, bodyRows_);
    bodyRows_ -= count;
    while (count > 0 && !body_.empty()) {
        Piece& last = body_.back();
        const int taken = std::min(count, last.rows);
        last.rows -= taken;
        count -= taken;
        if (last.rows == 0) body_.pop_back();
    }
}

void Stitcher::appendRows(const QImage& from, int firstRow, int count) {
    if (count <= 0) return;
    body_.push_back({from.copy(0, firstRow, from.width(), count), count});
    bodyRows_ += count;
}

QImage Stitcher::result() const {
    const QImage& frame = last_.picture;
    QImage page(last_.width, height(), QImage::Format_RGB32);
    const size_t rowBytes = size_t(last_.width) * 4;
    int y = 0;
    auto put = [&](const QImage& source, int firstRow, int rows) {
        for (int r = 0; r < rows; ++r, ++y)
            std::memcpy(page.scanLine(y), source.constScanLine(firstRow + r), rowBytes);
    };
    for (const Piece& piece : body_)
        put(piece.picture, 0, piece.rows);
    put(frame, frame.height() - footer_, footer_);
    return page;
}

} // namespace kv
