#pragma once

// PP-OCRv4's text detection (a differentiable-binarisation network): where the
// lines of text are. Internal to the OpenCV backend.
#include <array>
#include <opencv2/core.hpp>
#include <opencv2/dnn.hpp>
#include <string>
#include <vector>

namespace kv::ppocr {

// One line's quadrilateral in the source picture: top-left, top-right,
// bottom-right, bottom-left.
using Quad = std::array<cv::Point2f, 4>;

class Detector {
public:
    explicit Detector(const std::string& model);
    // The lines of a BGR picture.
    std::vector<Quad> detect(const cv::Mat& bgr);

private:
    cv::dnn::Net net_;
};

// The network's input size for a picture: the longer side at most `limit`, each
// side a multiple of 32 (the network halves it five times).
cv::Size detectionInputSize(cv::Size picture, int limit);

} // namespace kv::ppocr
