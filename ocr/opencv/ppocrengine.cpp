// The OpenCV dnn backend of the recognition engine: PP-OCRv4 detection, then each
// line cut out and read.
#include "ocr/ctcdecode.h"
#include "ocr/ocrengine.h"
#include "ocr/opencv/linecrop.h"
#include "ocr/opencv/ppocrdetector.h"
#include "ocr/opencv/ppocrrecogniser.h"

#include <QThread>
#include <malloc.h>
#include <opencv2/core/utility.hpp>
#include <opencv2/imgproc.hpp>

namespace kv {
namespace {

// Lines read with less confidence than this are noise (icons, borders); a lone
// character more often is (a check box read as "_" or "口"), so it needs more.
constexpr float kMinConfidence = 0.5f;
constexpr float kMinConfidenceAlone = 0.7f;

cv::Mat bgrOf(const QImage& picture) {
    const QImage bgr = picture.convertToFormat(QImage::Format_BGR888);
    return cv::Mat(bgr.height(), bgr.width(), CV_8UC3, const_cast<uchar*>(bgr.constBits()),
                   size_t(bgr.bytesPerLine()))
        .clone();
}

QRect boundsOf(const ppocr::Quad& quad) {
    std::vector<cv::Point2f> points(quad.begin(), quad.end());
    const cv::Rect r = cv::boundingRect(points);
    return {r.x, r.y, r.width, r.height};
}

// Both cores when there are two; more threads than cores only queue.
int cores() {
    return std::clamp(QThread::idealThreadCount(), 1, 2);
}

class PpOcrEngine final : public OcrEngine {
public:
    PpOcrEngine(const OcrModelFiles& files, const QStringList& characters)
        : detector_(files.detection.toStdString()),
          recogniser_(files.recognition.toStdString(), characters, cores()) {}

    QList<OcrLine> recognise(const QImage& picture, const std::atomic_bool* cancel) override {
        QList<OcrLine> lines;
        if (picture.isNull()) return lines;
        const cv::Mat bgr = bgrOf(picture);
        const auto cancelled = [cancel] { return cancel && cancel->load(); };
        if (cancelled()) return lines;
        // OpenCV's threads split the detection's one big picture; the recogniser
        // reads its strips side by side itself, each strip on one thread.
        cv::setNumThreads(cores());
        std::vector<ppocr::Quad> quads = detector_.detect(bgr);
        cv::setNumThreads(1);
        std::vector<cv::Mat> cuts;
        for (const ppocr::Quad& quad : quads)
            cuts.push_back(ppocr::darkOnLight(ppocr::cutLine(bgr, quad)));
        if (cancelled()) return lines;
        const std::vector<DecodedText> read = recogniser_.read(cuts, cancel);
        for (size_t i = 0; i < quads.size(); ++i) {
            const QString text = read[i].text.trimmed();
            const float least = text.size() == 1 ? kMinConfidenceAlone : kMinConfidence;
            if (text.isEmpty() || read[i].confidence < least) continue;
            lines.append({boundsOf(quads[i]), text, read[i].confidence});
        }
        return lines;
    }

private:
    ppocr::Detector detector_;
    ppocr::Recogniser recogniser_;
};

// OpenCV re-plans a network whenever its input's size changes, freeing its
// buffers and allocating new ones, and a user's next region mostly has another
// size. Its large buffers came fresh from the system each time (mmap), and
// faulting their pages in cost more than the detection itself: detecting in an
// 800 × 600 picture after another size took 770 instead of 300 ms of processor
// time. Kept in the heap and reused, the change of size costs next to nothing.
// The heap keeps what it held at its fullest (the networks' buffers, a few
// hundred megabytes), which the engine holds while it lives anyway.
void keepFreedMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // glibc's upper bound on 64-bit systems
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
}

} // namespace

} // namespace kv

// The module's one entry, looked up by name when the module is opened; the files
// are there (the caller checked).
extern "C" __attribute__((visibility("default"))) kv::OcrEngine*
kolvaneCreateOcrEngine(const kv::OcrModelFiles& files, QString* error) {
    using namespace kv;
    const QStringList characters = readCharacterList(files.characters);
    keepFreedMemory();
    try {
        return new PpOcrEngine(files, characters);
    } catch (const cv::Exception& e) {
        if (error)
            *error = QStringLiteral("the text recognition model does not load: %1")
                         .arg(QString::fromStdString(e.msg));
        return nullptr;
    }
}
