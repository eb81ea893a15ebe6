// Cutting lines out for the recogniser.
#include "ocr/opencv/linecrop.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

namespace kv::ppocr {
namespace {

// The detector's box ends right at a line's last mark, often a pixel inside it,
// and at times just short of a closing full stop; the recogniser, which learnt
// from lines with some ground after them, then mostly leaves a closing full
// stop or comma out ("reads text" for "reads text.", "。" and "," alike). So a
// small low mark just past the box is taken in, and this much plain ground (a
// share of the line's height) follows the line's end. (Ground before its start
// changed nothing that was wrong and unsettled a few reads, "..." as "..".)
constexpr double kGroundAfter = 0.25;
// A closing mark starts at most kMarkGap past the box, is at most kMarkWidth
// wide, and lies wholly below kMarkTop of the line's height (a letter or digit
// of the next word reaches higher); all shares of the line's height.
constexpr double kMarkReach = 0.5;
constexpr double kMarkGap = 0.25;
constexpr double kMarkWidth = 0.35;
constexpr double kMarkTop = 0.45;

cv::Point2f unit(cv::Point2f from, cv::Point2f to) {
    const cv::Point2f d = to - from;
    const float n = float(cv::norm(d));
    return n > 0 ? d / n : cv::Point2f(1, 0);
}

// How far `p` may go along `u` (at most `want`) and stay inside the picture.
float roomAlong(cv::Point2f p, cv::Point2f u, float want, cv::Size picture) {
    float room = want;
    if (u.x > 1e-3f) room = std::min(room, (picture.width - p.x) / u.x);
    if (u.x < -1e-3f) room = std::min(room, -p.x / u.x);
    if (u.y > 1e-3f) room = std::min(room, (picture.height - p.y) / u.y);
    if (u.y < -1e-3f) room = std::min(room, -p.y / u.y);
    return std::max(0.f, room);
}

// The line's ink (the minority side of Otsu's threshold, dark or light) and the
// mean colour of its ground.
struct Ink {
    cv::Mat mask;
    cv::Scalar ground;
};
Ink inkOf(const cv::Mat& line) {
    cv::Mat grey, light, dark;
    cv::cvtColor(line, grey, cv::COLOR_BGR2GRAY);
    cv::threshold(grey, light, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    cv::bitwise_not(light, dark);
    const bool lightGround = cv::countNonZero(light) * 2 >= int(light.total());
    return {lightGround ? dark : light, cv::mean(line, lightGround ? light : dark)};
}

// The topmost row with ink in column x; the height when none.
int inkTop(const cv::Mat& ink, int x) {
    for (int y = 0; y < ink.rows; ++y)
        if (ink.at<uchar>(y, x)) return y;
    return ink.rows;
}

// Where the line ends: before a sliver of the next word's first mark that the
// box reaches into (with ground after it, the recogniser would read it: "user 1
// 183520"); past a small low mark (a full stop, a comma) that starts near `end`,
// the box's end, and stands alone; else at `end`.
int lineEnd(const cv::Mat& ink, int end) {
    const int h = ink.rows;
    const auto inked = [&](int x) { return inkTop(ink, x) < h; };
    int from = end;
    while (from < ink.cols && !inked(from))
        ++from;
    if (from == ink.cols || from - end > kMarkGap * h) return end;
    // A mark across the box's end starts inside it.
    while (from > 0 && inked(from - 1))
        --from;
    int to = from, top = h;
    for (; to < ink.cols && inked(to); ++to)
        top = std::min(top, inkTop(ink, to));
    if (from > 0 && from < end && to - end > end - from) return from;
    const bool alone = to < ink.cols; // ground after it within reach
    return alone && to - from <= kMarkWidth * h && top >= kMarkTop * h ? std::max(end, to) : end;
}

} // namespace

cv::Mat cutLine(const cv::Mat& bgr, const Quad& quad) {
    const auto length = [](cv::Point2f a, cv::Point2f b) { return float(cv::norm(a - b)); };
    const int width = int(std::max(length(quad[0], quad[1]), length(quad[3], quad[2])));
    const int height = int(std::max(length(quad[0], quad[3]), length(quad[1], quad[2])));
    if (width < 1 || height < 1) return {};
    const bool standing = height >= 1.5 * width;
    // A lying line's cut reaches past its box's end for a closing mark.
    Quad cut = quad;
    const cv::Point2f top = unit(quad[0], quad[1]), bottom = unit(quad[3], quad[2]);
    const float want = standing ? 0.f : float(kMarkReach * height);
    const int reach = int(std::min(roomAlong(quad[1], top, want, bgr.size()),
                                   roomAlong(quad[2], bottom, want, bgr.size())));
    cut[1] += top * float(reach);
    cut[2] += bottom * float(reach);
    const cv::Point2f target[4] = {{0, 0},
                                   {float(width + reach), 0},
                                   {float(width + reach), float(height)},
                                   {0, float(height)}};
    const cv::Mat transform = cv::getPerspectiveTransform(cut.data(), target);
    cv::Mat line;
    cv::warpPerspective(bgr, line, transform, {width + reach, height}, cv::INTER_CUBIC,
                        cv::BORDER_REPLICATE);
    // Turned counter-clockwise, a standing line's end comes to the right.
    if (standing) cv::rotate(line, line, cv::ROTATE_90_COUNTERCLOCKWISE);
    const Ink ink = inkOf(line);
    const int end = reach > 0 ? lineEnd(ink.mask, width) : line.cols;
    cv::copyMakeBorder(line.colRange(0, end), line, 0, 0, 0,
                       int(std::lround(kGroundAfter * line.rows)), cv::BORDER_CONSTANT, ink.ground);
    return line;
}

cv::Mat darkOnLight(const cv::Mat& line) {
    if (line.empty()) return line;
    cv::Mat grey, ink;
    cv::cvtColor(line, grey, cv::COLOR_BGR2GRAY);
    cv::threshold(grey, ink, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    // More light pixels than dark ones: the ground is light already.
    if (cv::countNonZero(ink) * 2 >= int(ink.total())) return line;
    cv::Mat inverted;
    cv::bitwise_not(line, inverted);
    return inverted;
}

} // namespace kv::ppocr
