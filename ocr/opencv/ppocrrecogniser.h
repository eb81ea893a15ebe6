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

class Recogniser {
public:
    // `workers` strips are read at once, each by a copy of the network (about
    // 40 MB each) in a thread of its own.
    Recogniser(const std::string& model, const QStringList& characters, int workers = 1);
    // Each of `lines` is a BGR picture of one horizontal line, dark text on a light
    // ground; the answers come in the same order. Stops between two passes once
    // `cancel` is set.
    std::vector<DecodedText> read(const std::vector<cv::Mat>& lines,
                                  const std::atomic_bool* cancel = nullptr);

private:
    struct Batch {
        const std::vector<cv::Mat>& lines;
        std::vector<int> widths; // at the network's height
        StripLayout layout;
    };
    void readStrip(cv::dnn::Net& net, int strip, const Batch& batch,
                   std::vector<DecodedText>& read);

    std::vector<cv::dnn::Net> nets_;
    QStringList characters_;
};

} // namespace kv::ppocr
