// PP-OCRv4 text recognition. The lines are laid side by side in strips of one
// width and each strip is read in one pass: OpenCV 4.6 re-plans the whole network
// whenever the input's size changes, which cost more than reading a short line.
// Several strips are read at once, each by a network of its own on one core: on
// two cores that is close to twice as fast, where OpenCV's own threads, splitting
// each layer of a 48-row strip, gained little and lost time whenever the other
// core was busy.
#include "ocr/opencv/ppocrrecogniser.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <numeric>
#include <opencv2/imgproc.hpp>
#include <thread>

namespace kv::ppocr {
namespace {

constexpr int kHeight = 48;
constexpr int kStep = 8; // input columns per output step
constexpr int kStripWidth = 1280;
constexpr int kGap = 4 * kStep; // blank between two lines of a strip
// An empty run of columns this wide, at the network's height, between two Latin
// characters is a word space (a space of a 16 px interface font is about 9).
constexpr int kWordGap = 7;

int roundUp(int value, int multiple) {
    return (value + multiple - 1) / multiple * multiple;
}

// The line at the network's height, normalised to -1..1 (0, mid grey, is what
// the network was trained to see beside its lines).
cv::Mat normalised(const cv::Mat& line, int width) {
    cv::Mat resized, out;
    cv::resize(line, resized, {width, kHeight}, 0, 0, cv::INTER_LINEAR);
    resized.convertTo(out, CV_32FC3, 1 / 127.5, -1.0);
    return out;
}

// Which columns of the line (at the network's height) hold ink: dark pixels in
// its middle rows, where no neighbouring line reaches.
std::vector<bool> inkColumns(const cv::Mat& line, int width) {
    cv::Mat grey, resized, dark;
    cv::cvtColor(line, grey, cv::COLOR_BGR2GRAY);
    cv::resize(grey, resized, {width, kHeight}, 0, 0, cv::INTER_AREA);
    cv::threshold(resized, dark, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    cv::Mat middle = dark.rowRange(kHeight / 8, kHeight - kHeight / 8), any;
    cv::reduce(middle, any, 0, cv::REDUCE_MAX);
    std::vector<bool> ink(static_cast<size_t>(width), false);
    for (int x = 0; x < width; ++x)
        ink[size_t(x)] = any.at<uchar>(0, x) != 0;
    return ink;
}

void paste(cv::Mat& blob, const cv::Mat& line, int x) {
    std::vector<cv::Mat> channels;
    cv::split(line, channels);
    const int width = blob.size[3];
    for (int c = 0; c < 3; ++c) {
        cv::Mat plane(kHeight, width, CV_32F, blob.ptr<float>(0, c));
        channels[c].copyTo(plane.colRange(x, x + line.cols));
    }
}

} // namespace

StripLayout layOutStrips(const std::vector<int>& widths, int minWidth, int gap) {
    StripLayout layout;
    const int longest = widths.empty() ? 0 : *std::max_element(widths.begin(), widths.end());
    layout.width = std::max(minWidth, roundUp(longest + gap, 8 * kStep));
    layout.places.resize(widths.size());
    // Longest first, each into the first strip with room (first fit decreasing).
    std::vector<size_t> order(widths.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return widths[a] > widths[b]; });
    std::vector<int> used;
    for (size_t i : order) {
        const int need = roundUp(widths[i] + gap, kStep);
        auto room =
            std::find_if(used.begin(), used.end(), [&](int u) { return u + need <= layout.width; });
        if (room == used.end()) room = used.insert(used.end(), 0);
        layout.places[i] = {int(room - used.begin()), *room};
        *room += need;
    }
    layout.strips = int(used.size());
    return layout;
}

Recogniser::Recogniser(const std::string& model, const QStringList& characters, int workers)
    : characters_(characters) {
    for (int i = 0; i < std::max(1, workers); ++i)
        nets_.push_back(cv::dnn::readNetFromONNX(model));
}

void Recogniser::readStrip(cv::dnn::Net& net, int strip, const Batch& batch,
                           std::vector<DecodedText>& read) {
    const StripLayout& layout = batch.layout;
    cv::Mat blob(std::vector<int>{1, 3, kHeight, layout.width}, CV_32F, cv::Scalar(0));
    for (size_t i = 0; i < batch.lines.size(); ++i)
        if (layout.places[i].strip == strip && batch.widths[i] > 0)
            paste(blob, normalised(batch.lines[i], batch.widths[i]), layout.places[i].x);
    net.setInput(blob);
    const cv::Mat out = net.forward(); // 1 × steps × classes
    const int classes = out.size[2];
    for (size_t i = 0; i < batch.lines.size(); ++i) {
        if (layout.places[i].strip != strip || batch.widths[i] == 0) continue;
        const int first = layout.places[i].x / kStep;
        const int steps = std::min((batch.widths[i] + kGap / 2) / kStep, out.size[1] - first);
        read[i] = decodeCtc(out.ptr<float>(0, first), steps, classes, characters_);
        addWordSpaces(read[i], inkColumns(batch.lines[i], batch.widths[i]), kStep, kWordGap);
    }
}

std::vector<DecodedText> Recogniser::read(const std::vector<cv::Mat>& lines,
                                          const std::atomic_bool* cancel) {
    Batch batch{lines, {}, {}};
    for (const cv::Mat& line : lines)
        batch.widths.push_back(
            line.empty()
                ? 0
                : std::max(kStep, int(std::ceil(kHeight * double(line.cols) / line.rows))));
    batch.layout = layOutStrips(batch.widths, kStripWidth, kGap);
    std::vector<DecodedText> read(lines.size());
    // Each worker takes the next strip not yet taken, with a network of its own; the
    // strips' lines are disjoint, so their answers go to different places.
    std::atomic_int next{0};
    // A failure (OpenCV throws) stops every reader and reaches the caller as before.
    std::vector<std::exception_ptr> failures(nets_.size());
    const auto work = [&](size_t w) {
        try {
            for (int s = next++; s < batch.layout.strips && !(cancel && cancel->load()); s = next++)
                readStrip(nets_[w], s, batch, read);
        } catch (...) {
            failures[w] = std::current_exception();
            next = batch.layout.strips;
        }
    };
    std::vector<std::thread> helpers;
    const size_t workers = std::min<size_t>(nets_.size(), size_t(batch.layout.strips));
    for (size_t w = 1; w < workers; ++w)
        helpers.emplace_back(work, w);
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
    return read;
}

} // namespace kv::ppocr
