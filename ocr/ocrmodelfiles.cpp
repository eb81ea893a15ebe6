// Where the recognition engine's files are.
#include "ocr/ocrengine.h"

#include <QDir>
#include <QFileInfo>

namespace kv {

OcrModelFiles OcrModelFiles::inFolder(const QString& folder) {
    const QDir dir(folder);
    return {dir.filePath(QStringLiteral("ppocrv4_det.onnx")),
            dir.filePath(QStringLiteral("ppocrv4_rec.onnx")),
            dir.filePath(QStringLiteral("ppocr_keys_v1.txt"))};
}

QString OcrModelFiles::missing() const {
    for (const QString& file : {detection, recognition, characters})
        if (!QFileInfo(file).isReadable())
            return QStringLiteral("the text recognition model %1 is not installed "
                                  "(scripts/fetch-ocr-models.sh fetches it)")
                .arg(QDir::toNativeSeparators(file));
    return {};
}

} // namespace kv
