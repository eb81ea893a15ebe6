#pragma once

// The text recognition's result: the text, editable, with "复制" and "关闭"; or
// "未识别到文字" when the picture held none.
#include <QWidget>
#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace kv {

class OcrResultWindow : public QWidget {
    Q_OBJECT
public:
    // `copy` puts text on the clipboard (the caller's clipboard service). An
    // outcome with an error shows the error instead of the text.
    OcrResultWindow(const struct OcrOutcome& outcome, std::function<void(const QString&)> copy,
                    QWidget* parent = nullptr);

    QString text() const;
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* closeButton() const { return closeButton_; }

private:
    QPlainTextEdit* edit_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

// The one call for a recognition from the user interface: recognises `picture` on
// `runner`'s worker; with text found, it goes to the clipboard through `copy` and a
// result window shows it; with none, the window says so and the clipboard is left
// alone. `runner.busy()` and its busyChanged() drive a busy indicator, and
// `runner.cancel()` (Esc) drops the run: then nothing is shown or copied.
void recogniseAndShow(class OcrRunner& runner, const QImage& picture,
                      std::function<void(const QString&)> copy);

} // namespace kv
