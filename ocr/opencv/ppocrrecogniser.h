#pragma once

// PP-OCRv4's text recognition (SVTR with a CTC head): the text of lines' pictures.
// Internal to the OpenCV backend.
#include "ocr/ctcdecode.h"

#include <atomic>
#include <opencv2/core.hpp>
#include <opencv2/dnn.hpp>
#include <string>
#include <vector>

namespace kv::ppocr {

class Recogniser {
public:
    Recogniser(const std::string& model, const QStringList& characters);
    // Each of `lines` is a BGR picture of one horizontal line, dark text on a light
    // ground; the answers come in the same order. Stops between two passes once
    // `cancel` is set.
    std::vector<DecodedText> read(const std::vector<cv::Mat>& lines,
                                  const std::atomic_bool* cancel = nullptr);

private:
    cv::dnn::Net net_;
    QStringList characters_;
};

// Where each line goes when lines are laid side by side in strips of one width.
struct StripPlace {
    int strip = 0;
    int x = 0; // left edge, a multiple of the network's step
};
struct StripLayout {
    int width = 0;
    int strips = 0;
    std::vector<StripPlace> places;
};
// `widths` are the lines' widths at the network's height; `gap` is left after each.
StripLayout layOutStrips(const std::vector<int>& widths, int minWidth, int gap);

} // namespace kv::ppocr
