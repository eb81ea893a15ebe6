// Reading a picture's text from the user interface.
#include "app/textrecognition.h"

#include "app/pageframe.h"
#include "app/runtimefiles.h"
#include "ocr/ocrengine.h"
#include "ocr/ocrresultwindow.h"
#include "ocr/ocrrunner.h"
#include "platform/screenpointer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QShortcut>
#include <QWidget>

namespace kv {

TextRecognition::TextRecognition(QWidget* window, PageFrame& frame, const QString& programDir)
    : QObject(window), window_(window), frame_(frame), programDir_(programDir) {}

TextRecognition::~TextRecognition() {
    if (pointerBusy_) resetScreenPointer();
}

OcrRunner& TextRecognition::runner() {
    if (!runner_) {
        const RuntimeFiles runtime = findRuntimeFiles(programDir_);
        runner_ = std::make_unique<OcrRunner>(
            OcrModelFiles::inFolder(runtime.file(QStringLiteral("ocr-models")), programDir_));
        connect(runner_.get(), &OcrRunner::busyChanged, this,
                [this](bool busy) { busyChanged(busy); });
    }
    return *runner_;
}

bool TextRecognition::busy() const {
    return runner_ && runner_->busy();
}

void TextRecognition::recognise(const QImage& picture) {
    if (!escape_) {
        escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), window_);
        escape_->setContext(Qt::ApplicationShortcut);
        escape_->setEnabled(false);
        connect(escape_, &QShortcut::activated, this, &TextRecognition::cancel);
    }
    recogniseAndShow(runner(), picture, [](const QString& text) {
        QClipboard* clip = QGuiApplication::clipboard();
        clip->setText(text);
    });
}

void TextRecognition::cancel() {
    if (!busy()) return;
    runner_->cancel();
    frame_.ShowTip(QStringLiteral("温馨提示：文字识别已取消"));
}

void TextRecognition::busyChanged(bool busy) {
    if (escape_) escape_->setEnabled(busy);
    if (busy) {
        frame_.ShowTip(QStringLiteral("温馨提示：正在识别文字，按Esc取消"));
        setScreenPointer(Qt::BusyCursor);
    } else if (pointerBusy_) {
        resetScreenPointer();
    }
    pointerBusy_ = busy;
}

} // namespace kv
