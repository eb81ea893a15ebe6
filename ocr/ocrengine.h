#pragma once

// Text recognition: one picture in, its lines of text with their places out. The
// backend (PP-OCRv4 on OpenCV's dnn today) stays behind this interface, so that a
// faster runtime can replace it without touching its callers.
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <atomic>
#include <memory>

namespace kv {

// One line of text as the engine found it, in the picture's pixels.
struct OcrLine {
    QRect box;
    QString text;
    float confidence = 0; // the mean of the characters' probabilities, 0..1
};

class OcrEngine {
public:
    virtual ~OcrEngine() = default;
    // The lines of `picture`, in no particular order. Returns early, with what it has,
    // once `cancel` is set. Safe to call from a worker thread; not from two at once.
    virtual QList<OcrLine> recognise(const QImage& picture,
                                     const std::atomic_bool* cancel = nullptr) = 0;
};

// Where the engine's files are: the models in the folder `ocr-models` among
// Kolvane's run-time files (beside the program in a build, share/kolvane when
// installed), and the backend, a module opened at the first use so that OpenCV and
// its libraries are not loaded at every start (beside the program in a build,
// lib/kolvane when installed).
struct OcrModelFiles {
    QString detection;
    QString recognition;
    QString characters;
    QString backend;
    static OcrModelFiles inFolder(const QString& modelFolder, const QString& programDir);
    // Empty when every file is there, else a one-line message naming what is missing.
    QString missing() const;
};

// Loads the networks (about half a second); nullptr with `error` set when a file is
// missing or does not load.
std::unique_ptr<OcrEngine> createOcrEngine(const OcrModelFiles& files, QString* error);

} // namespace kv
