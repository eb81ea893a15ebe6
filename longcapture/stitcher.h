#pragma once

// A long picture of a scrolled page, stitched from pictures of one screen rectangle
// taken after each scroll.
#include "longcapture/framematch.h"

#include <QImage>
#include <vector>

namespace kv {

// The page as it would look on a screen tall enough to show it all: what the first
// picture shows, each scroll's new rows below it, once, and the rows that never moved
// at the bottom (a sticky footer) at the very end. Rows that never moved at the top (a
// sticky header) are part of the first picture and are not repeated. A scroll bar at
// the right edge of the pictures is found (it changes with every scroll) and left out.
//
// Every added picture is compared with the previous one only (framematch.h); the rows
// kept so far are stored in pieces, so that a step costs the same at the end of a long
// page as at its start.
class Stitcher {
public:
    enum class Step {
        Added,      // new rows were added
        NothingNew, // nothing moved: the end of the page, or a window that does not scroll
        NoOverlap,  // the picture does not continue the last one; it was left out
        Full,       // the page reached the greatest height; what did not fit was left out
    };
    struct Outcome {
        Step step = Step::NothingNew;
        int added = 0; // rows the page grew by
        int shift = 0; // how far the page moved since the last picture
    };

    static constexpr int kMaxHeight = 30000;
    explicit Stitcher(const QImage& first, int maxHeight = kMaxHeight);

    // Adds the picture taken after the next scroll (the same size as the first).
    Outcome add(const QImage& next);
    // Height of result().
    int height() const { return bodyRows_ + footer_; }
    // The page: as wide as the pictures, less a scroll bar found at their right edge.
    QImage result() const;
    // The last picture that was taken in.
    const QImage& lastFrame() const { return last_.picture; }

private:
    struct Piece {
        QImage picture; // its rows from the top are part of the page
        int rows = 0;
    };
    void dropBodyRows(int count);
    void appendRows(const QImage& from, int firstRow, int count);
    // Makes the body end with the last picture's row `row` - 1.
    void moveBodyEnd(int row);
    FrameMatch matchBesideScrollBar(HashedFrame& next);
    static constexpr int kWidestScrollBar = 40;

    HashedFrame last_;
    std::vector<Piece> body_;
    int bodyRows_ = 0;
    int bodyEnd_ = 0; // the body's last row is the last picture's row bodyEnd_ - 1
    int footer_ = 0;  // rows of the last picture at its bottom that did not move
    int lastShift_ = 0;
    int maxHeight_;
};

} // namespace kv
