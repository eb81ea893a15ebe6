#pragma once

// Cutting one detected line out of the picture, upright and dark on light, for the
// recogniser. Internal to the OpenCV backend.
#include "ocr/opencv/ppocrdetector.h"

#include <opencv2/core.hpp>

namespace kv::ppocr {

// The quadrilateral straightened into a rectangle; a line much taller than wide is
// turned to lie horizontally.
cv::Mat cutLine(const cv::Mat& bgr, const Quad& quad);

// Light text on a dark ground turned into dark on light (the form the recogniser
// reads best); other lines unchanged. The text is the minority of a line's pixels.
cv::Mat darkOnLight(const cv::Mat& line);

} // namespace kv::ppocr
