// Opening the recognition backend: a module of its own, so that OpenCV and the
// libraries it brings (BLAS, LAPACK, TBB, protobuf …) are loaded at the first
// recognition instead of at every start of Kolvane.
#include "ocr/ocrengine.h"

#include <QLibrary>

namespace kv {

std::unique_ptr<OcrEngine> createOcrEngine(const OcrModelFiles& files, QString* error) {
    if (QString missing = files.missing(); !missing.isEmpty()) {
        if (error) *error = missing;
        return nullptr;
    }
    using Create = OcrEngine* (*)(const OcrModelFiles&, QString*);
    // Kept loaded for the rest of the run: the engines' code lives in it.
    QLibrary module(files.backend);
    module.setLoadHints(QLibrary::PreventUnloadHint);
    const auto create = reinterpret_cast<Create>(module.resolve("kolvaneCreateOcrEngine"));
    if (!create) {
        if (error)
            *error = QStringLiteral("the text recognition backend does not load: %1")
                         .arg(module.errorString());
        return nullptr;
    }
    return std::unique_ptr<OcrEngine>(create(files, error));
}

} // namespace kv
