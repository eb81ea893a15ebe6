// PP-OCRv4 text detection: the network's probability map, then one box per
// connected region of likely text, grown back to the whole line.
#include "ocr/opencv/ppocrdetector.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

namespace kv::ppocr {
namespace {

// PaddleOCR's defaults for this network.
constexpr int kLongestSide = 960; // OpenCV 4.6 crashed on inputs above ~3.5 megapixels
constexpr float kPixelThreshold = 0.3f;
constexpr float kBoxThreshold = 0.6f;
constexpr float kUnclipRatio = 1.5f;
constexpr int kMaxCandidates = 1000;
constexpr float kMinSide = 3;
// A box this many times as tall as wide is (part of) a column of text; one at
// least kSquare times may be a character of one.
constexpr float kStanding = 1.5f;
constexpr float kSquare = 0.7f;
constexpr float kStacked = 0.25f;
// A box no wider than the typical line height and under this share of it tall
// holds a lone character.
constexpr float kLoneHeight = 0.8f;

// The network was trained on pictures read as BGR and normalised with ImageNet's
// RGB means, in that (mismatched) order; we feed it the same.
cv::Mat inputBlob(const cv::Mat& bgr, cv::Size size) {
    static const float mean[3] = {0.485f, 0.456f, 0.406f};
    static const float stdDev[3] = {0.229f, 0.224f, 0.225f};
    cv::Mat resized;
    cv::resize(bgr, resized, size, 0, 0, cv::INTER_LINEAR);
    cv::Mat blob = cv::dnn::blobFromImage(resized, 1.0 / 255);
    for (int c = 0; c < 3; ++c) {
        cv::Mat plane(size, CV_32F, blob.ptr<float>(0, c));
        plane = (plane - mean[c]) / stdDev[c];
    }
    return blob;
}

Quad orderedCorners(const cv::RotatedRect& rect) {
    cv::Point2f p[4];
    rect.points(p);
    std::sort(p, p + 4, [](cv::Point2f a, cv::Point2f b) { return a.x < b.x; });
    const auto [tl, bl] = p[0].y <= p[1].y ? std::pair{p[0], p[1]} : std::pair{p[1], p[0]};
    const auto [tr, br] = p[2].y <= p[3].y ? std::pair{p[2], p[3]} : std::pair{p[3], p[2]};
    return {tl, tr, br, bl};
}

// The mean probability inside the region's own outline: how surely it is text.
// (PaddleOCR's "slow" score. The mean over the region's rotated rectangle, its
// "fast" one, takes in the rectangle's corners beside a thin line of small
// text, and a whole 12 px line came out at 0.58, under the threshold.)
float regionScore(const cv::Mat& probability, const std::vector<cv::Point>& contour) {
    const cv::Rect bounds = cv::boundingRect(contour) & cv::Rect({}, probability.size());
    if (bounds.empty()) return 0;
    cv::Mat mask = cv::Mat::zeros(bounds.size(), CV_8U);
    cv::fillPoly(mask, std::vector<std::vector<cv::Point>>{contour}, 1, cv::LINE_8, 0,
                 -bounds.tl());
    return static_cast<float>(cv::mean(probability(bounds), mask)[0]);
}

// The map marks each line's core; grow the box by the margin the network was
// trained to shrink it by (area × ratio / perimeter on every side).
cv::RotatedRect unclipped(cv::RotatedRect rect) {
    const float w = rect.size.width, h = rect.size.height;
    const float distance = w * h * kUnclipRatio / (2 * (w + h));
    rect.size.width += 2 * distance;
    rect.size.height += 2 * distance;
    return rect;
}

std::vector<Quad> boxesFromMap(const cv::Mat& probability, cv::Size picture) {
    cv::Mat bitmap = probability > kPixelThreshold;
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(bitmap, contours, cv::RETR_LIST, cv::CHAIN_APPROX_SIMPLE);
    const float sx = float(picture.width) / probability.cols;
    const float sy = float(picture.height) / probability.rows;
    std::vector<Quad> boxes;
    const size_t count = std::min<size_t>(contours.size(), kMaxCandidates);
    for (size_t i = 0; i < count; ++i) {
        const cv::RotatedRect core = cv::minAreaRect(contours[i]);
        if (std::min(core.size.width, core.size.height) < kMinSide) continue;
        if (regionScore(probability, contours[i]) < kBoxThreshold) continue;
        const cv::RotatedRect line = unclipped(core);
        if (std::min(line.size.width, line.size.height) < kMinSide + 2) continue;
        Quad quad = orderedCorners(line);
        for (cv::Point2f& p : quad) {
            p.x = std::clamp(p.x * sx, 0.f, float(picture.width));
            p.y = std::clamp(p.y * sy, 0.f, float(picture.height));
        }
        boxes.push_back(quad);
    }
    return boxes;
}

// Two boxes of one row may overlap where the map splits a line at a wide gap
// (between a terminal's columns, say): the first then reaches into the next
// word's first letter, which the recogniser reads as the first line's last
// ("user 1 183520"). The first is cut back to where the second starts.
void trimOverlaps(std::vector<Quad>& boxes) {
    const auto left = [](const Quad& q) { return std::min(q[0].x, q[3].x); };
    for (Quad& a : boxes) {
        for (const Quad& b : boxes) {
            const float top = std::max(a[0].y, b[0].y), bottom = std::min(a[3].y, b[3].y);
            const float shorter = std::min(a[3].y - a[0].y, b[3].y - b[0].y);
            if (&a == &b || bottom - top < shorter / 2) continue;
            const float at = left(b);
            if (at <= a[0].x || at >= a[1].x || b[1].x <= a[1].x) continue;
            a[1] = a[0] + (a[1] - a[0]) * ((at - a[0].x) / (a[1].x - a[0].x));
            a[2] = a[3] + (a[2] - a[3]) * ((at - a[3].x) / std::max(1e-3f, a[2].x - a[3].x));
        }
    }
}

Quad quadOf(const cv::Rect2f& r) {
    return {r.tl(), cv::Point2f(r.x + r.width, r.y), r.br(), cv::Point2f(r.x, r.y + r.height)};
}

// Whether `b` continues the column `a` is part of: it stands in the same place
// across, about as wide, just above or below. A piece at least kStanding times
// as tall as wide is part of a column and reaches half its width; a square one
// (a character of its own, as small columns come out) only kStacked of it, less
// than the space between two lines of text.
bool continuesColumn(const cv::Rect2f& a, const cv::Rect2f& b) {
    const bool standing = a.height >= kStanding * a.width;
    const auto square = [](const cv::Rect2f& r) { return r.height >= kSquare * r.width; };
    if (!square(a) || !square(b)) return false;
    const float across = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const float gap = std::max(b.y - (a.y + a.height), a.y - (b.y + b.height));
    const float wider = std::max(a.width, b.width), narrower = std::min(a.width, b.width);
    return across >= 0.6f * narrower && wider <= 1.7f * narrower &&
           gap <= (standing ? 0.5f : kStacked) * a.width;
}

// Text written in columns (top to bottom) comes out of the map in pieces, split
// where two characters stand apart, or a piece for every character in a small
// column: the pieces of one column are joined, so that the column is read whole
// and in order.
void joinColumns(std::vector<Quad>& boxes) {
    // Each box's rectangle is worked out once, not at every comparison: a page has
    // hundreds of boxes, and every pair is compared again after each join.
    std::vector<cv::Rect2f> rects;
    rects.reserve(boxes.size());
    for (const Quad& q : boxes)
        rects.emplace_back(cv::boundingRect(std::vector<cv::Point2f>(q.begin(), q.end())));
    for (bool joined = true; joined;) {
        joined = false;
        for (size_t i = 0; i < rects.size() && !joined; ++i) {
            for (size_t j = 0; j < rects.size() && !joined; ++j) {
                if (i == j || !continuesColumn(rects[i], rects[j])) continue;
                rects[i] |= rects[j];
                boxes[i] = quadOf(rects[i]);
                rects.erase(rects.begin() + long(j));
                boxes.erase(boxes.begin() + long(j));
                joined = true;
            }
        }
    }
}

// A lone character's region is small, and its box, grown by a share of its
// area over its perimeter, stays tighter than a line's: a terminal's "0" or a
// code's closing "}" was cut at top and bottom and read as "Q" or not at all.
// Such a box is grown to the picture's typical line height, as far every way.
void growLoneCharacters(std::vector<Quad>& boxes, cv::Size picture) {
    const auto height = [](const Quad& q) { return float(cv::norm(q[3] - q[0])); };
    std::vector<float> heights; // of the lying lines: a column's says nothing
    for (const Quad& q : boxes)
        if (height(q) < kStanding * float(cv::norm(q[1] - q[0]))) heights.push_back(height(q));
    if (heights.size() < 3) return;
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    const float typical = heights[heights.size() / 2];
    for (Quad& q : boxes) {
        const float h = height(q), w = float(cv::norm(q[1] - q[0]));
        if (h >= kLoneHeight * typical || w > typical || h >= kStanding * w) continue;
        const float grow = (typical - h) / 2;
        const cv::Point2f across = (q[3] - q[0]) / std::max(h, 1.f) * grow,
                          along = (q[1] - q[0]) / std::max(w, 1.f) * grow;
        q = {q[0] - across - along, q[1] - across + along, q[2] + across + along,
             q[3] + across - along};
        for (cv::Point2f& p : q) {
            p.x = std::clamp(p.x, 0.f, float(picture.width));
            p.y = std::clamp(p.y, 0.f, float(picture.height));
        }
    }
}

} // namespace

cv::Size detectionInputSize(cv::Size picture, int limit) {
    const double longest = std::max(picture.width, picture.height);
    const double scale = longest > limit ? limit / longest : 1.0;
    auto side = [&](int length) {
        return std::max(32, int(std::lround(length * scale / 32)) * 32);
    };
    return {side(picture.width), side(picture.height)};
}

Detector::Detector(const std::string& model) : net_(cv::dnn::readNetFromONNX(model)) {}

std::vector<Quad> Detector::detect(const cv::Mat& bgr) {
    const cv::Size size = detectionInputSize(bgr.size(), kLongestSide);
    net_.setInput(inputBlob(bgr, size));
    cv::Mat out = net_.forward();
    const cv::Mat probability(size, CV_32F, out.ptr<float>());
    std::vector<Quad> boxes = boxesFromMap(probability, bgr.size());
    trimOverlaps(boxes);
    joinColumns(boxes);
    growLoneCharacters(boxes, bgr.size());
    return boxes;
}

} // namespace kv::ppocr
