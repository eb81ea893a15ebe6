// The text recognition's result window.
#include "ocr/ocrresultwindow.h"

#include "ocr/ocrrunner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {

OcrResultWindow::OcrResultWindow(const OcrOutcome& outcome,
                                 std::function<void(const QString&)> copy, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("文字识别"));
    auto* layout = new QVBoxLayout(this);
    if (!outcome.error.isEmpty()) {
        layout->addWidget(new QLabel(outcome.error, this));
    } else if (outcome.text.isEmpty()) {
        layout->addWidget(new QLabel(QStringLiteral("未识别到文字"), this));
    } else {
        edit_ = new QPlainTextEdit(outcome.text, this);
        layout->addWidget(edit_);
        resize(480, 320);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    copyButton_ = new QPushButton(QStringLiteral("复制"), this);
    closeButton_ = new QPushButton(QStringLiteral("关闭"), this);
    copyButton_->setEnabled(edit_ != nullptr);
    buttons->addWidget(copyButton_);
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons);
    // What the user edited is what is copied.
    connect(copyButton_, &QPushButton::clicked, this, [this, copy = std::move(copy)] {
        if (edit_) copy(edit_->toPlainText());
    });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
}

QString OcrResultWindow::text() const {
    return edit_ ? edit_->toPlainText() : QString();
}

void recogniseAndShow(OcrRunner& runner, const QImage& picture,
                      std::function<void(const QString&)> copy) {
    // One answer per call: the connection goes with the first finished().
    auto* once = new QObject(&runner);
    QObject::connect(&runner, &OcrRunner::finished, once,
                     [once, copy = std::move(copy)](const OcrOutcome& outcome) {
                         once->deleteLater();
                         if (!outcome.text.isEmpty()) copy(outcome.text);
                         (new OcrResultWindow(outcome, copy))->show();
                     });
    // A cancelled run never finishes; its answer is not waited for any more.
    QObject::connect(&runner, &OcrRunner::busyChanged, once, [&runner, once](bool busy) {
        if (busy) return;
        QObject::disconnect(&runner, nullptr, once, nullptr);
        once->deleteLater();
    });
    runner.start(picture);
}

} // namespace kv
