// kolvane --ocr FILE.
#include "app/ocrcommand.h"

#include "app/runtimefiles.h"
#include "ocr/ocrengine.h"
#include "ocr/textassembly.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <cstdio>

namespace kv {
namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "kolvane: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int printPictureText(int argc, char** argv, const QString& file) {
    // No window system: Qt's image readers need only the core application.
    QCoreApplication core(argc, argv);
    const QString shown = QDir::toNativeSeparators(file);
    if (!QFileInfo(file).isFile()) return fail(QStringLiteral("no such file: %1").arg(shown));
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return fail(
            QStringLiteral("cannot read %1 as a picture: %2").arg(shown, reader.errorString()));

    const RuntimeFiles runtime = findRuntimeFiles(QCoreApplication::applicationDirPath());
    QString error;
    const auto engine =
        createOcrEngine(OcrModelFiles::inFolder(runtime.file(QStringLiteral("ocr-models")),
                                                QCoreApplication::applicationDirPath()),
                        &error);
    if (!engine) return fail(error);
    const QString text = assembleText(engine->recognise(picture));
    if (!text.isEmpty()) std::printf("%s\n", text.toUtf8().constData());
    return 0;
}

} // namespace kv
