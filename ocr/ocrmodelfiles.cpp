// Where the recognition engine's files are.
#include "ocr/ocrengine.h"

#include <QDir>
#include <QFileInfo>

namespace kv {

namespace {
const QString kBackend = QStringLiteral("kolvane-ocr-opencv.so");
}

OcrModelFiles OcrModelFiles::inFolder(const QString& modelFolder, const QString& programDir) {
    const QDir dir(modelFolder), program(programDir);
    // Set by the build: the install layout's path from bin to lib/kolvane.
    const QString installed = QDir::cleanPath(
        program.filePath(QStringLiteral(KOLVANE_OCR_BACKEND_FROM_PROGRAM "/") + kBackend));
    const QString beside = program.filePath(kBackend);
    return {dir.filePath(QStringLiteral("ppocrv4_det.onnx")),
            dir.filePath(QStringLiteral("ppocrv4_rec.onnx")),
            dir.filePath(QStringLiteral("ppocr_keys_v1.txt")),
            QFileInfo::exists(beside) ? beside : installed};
}

QString OcrModelFiles::missing() const {
    for (const QString& file : {detection, recognition, characters, backend})
        if (!QFileInfo(file).isReadable())
            return QStringLiteral("the text recognition model %1 is not installed "
                                  "(scripts/fetch-ocr-models.sh fetches it)")
                .arg(QDir::toNativeSeparators(file));
    return {};
}

} // namespace kv
