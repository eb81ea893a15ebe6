#pragma once

// Reading a picture's text from the user interface (the editor's "文字识别", a pin's
// menu): off the interface's thread, with a busy pointer and the tip line while it
// works, Esc to cancel, the result window and the clipboard at the end.
#include <QImage>
#include <QObject>
#include <QString>
#include <memory>

class QShortcut;
class QWidget;

namespace kv {

class OcrRunner;
class PageFrame;

class TextRecognition : public QObject {
    Q_OBJECT
public:
    // `window` takes Esc while a recognition runs; `frame` shows the tip line.
    TextRecognition(QWidget* window, PageFrame& frame, const QString& programDir);
    ~TextRecognition() override;

    void recognise(const QImage& picture);
    void cancel();
    bool busy() const;

private:
    OcrRunner& runner();
    void busyChanged(bool busy);

    QWidget* window_;
    PageFrame& frame_;
    QString programDir_;
    std::unique_ptr<OcrRunner> runner_; // made at the first use: it loads the models
    QShortcut* escape_ = nullptr;
    bool pointerBusy_ = false;
};

} // namespace kv
