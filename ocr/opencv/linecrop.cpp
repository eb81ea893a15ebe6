// Cutting lines out for the recogniser.
#include "ocr/opencv/linecrop.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

namespace kv::ppocr {

cv::Mat cutLine(const cv::Mat& bgr, const Quad& quad) {
    const auto length = [](cv::Point2f a, cv::Point2f b) { return float(cv::norm(a - b)); };
    const int width = int(std::max(length(quad[0], quad[1]), length(quad[3], quad[2])));
    const int height = int(std::max(length(quad[0], quad[3]), length(quad[1], quad[2])));
    if (width < 1 || height < 1) return {};
    const cv::Point2f target[4] = {
        {0, 0}, {float(width), 0}, {float(width), float(height)}, {0, float(height)}};
    const cv::Mat transform = cv::getPerspectiveTransform(quad.data(), target);
    cv::Mat line;
    cv::warpPerspective(bgr, line, transform, {width, height}, cv::INTER_CUBIC,
                        cv::BORDER_REPLICATE);
    if (height >= 1.5 * width) cv::rotate(line, line, cv::ROTATE_90_COUNTERCLOCKWISE);
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
