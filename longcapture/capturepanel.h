#pragma once

// The long capture's own windows: a thin frame around the selection and a small panel
// beside it, both above every other window.
#include <QImage>
#include <QRect>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace kv {

// The panel: "完成" keeps what is stitched, "取消" discards it (Enter and Esc too), with
// the height so far and a small picture of the latest part.
class LongCapturePanel : public QWidget {
    Q_OBJECT
public:
    LongCapturePanel();
    void showProgress(int height, const QImage& latest);
    QPushButton* doneButton() const { return done_; }
    QPushButton* cancelButton() const { return cancel_; }
    const QLabel* heightLabel() const { return height_; }

    std::function<void()> onDone;
    std::function<void()> onCancel;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* preview_;
    QLabel* height_;
    QPushButton* done_;
    QPushButton* cancel_;
};

// The frame: four strips just outside the selection, past the window manager, taking
// neither the pointer nor, unless asked, the keyboard.
class LongCaptureFrame {
public:
    explicit LongCaptureFrame(const QRect& selection);
    ~LongCaptureFrame();
    void show();
    // Hides the frame and lets go of the keyboard.
    void hide();
    // Where no monitor has room for the panel, Enter and Esc still end the capture:
    // the shown frame takes every key, `keep(true)` for Enter and `keep(false)` for Esc.
    void takeKeyboard(std::function<void(bool keep)> keep);

private:
    std::array<std::unique_ptr<QWidget>, 4> strips_;
    bool keyboardTaken_ = false;
};

} // namespace kv
