#pragma once

// A long capture: the window under a selection is scrolled step by step, the selection
// read after each step and the pictures stitched into one page.
#include "longcapture/stitcher.h"
#include "platform/monitors.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <functional>
#include <memory>

namespace kv {

class LongCaptureFrame;
class LongCapturePanel;
class ScreenReader;
class Scroller;

struct LongCaptureResult {
    bool kept = false; // false: discarded (Esc, "取消")
    QImage picture;    // the page when kept: the selection itself where nothing scrolled
};

// Runs one long capture over `selection` (screen pixels) on the live screen: whatever
// covered the screen (the editor) must be gone before start(). It shows a thin frame
// outside the selection and a panel beside it, turns the wheel over the selection at a
// steady pace (the pointer waits over the panel in between), reads the selection once the window
// has repainted (two reads in a row agree), and stitches. It stops by itself when two steps bring
// nothing new or the page reaches Stitcher::kMaxHeight; finish() (Enter, "完成") keeps the page,
// cancel() (Esc, "取消") discards it. Then the windows go, the pointer goes back where it was and
// `done` is called once. Delete the object only after that, and not from inside
// `done` (deleteLater is fine).
class LongCapture : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(const LongCaptureResult&)>;
    LongCapture(ScreenReader& screen, Scroller& scroller, const QRect& selection,
                const Monitors& monitors, Done done);
    ~LongCapture() override;

    void start();
    void finish();
    void cancel();
    bool running() const { return running_; }
    // Height of the page so far (0 before the first read).
    int height() const { return stitcher_ ? stitcher_->height() : 0; }
    LongCapturePanel* panel() const { return panel_.get(); }

    // Pauses of the reading, in milliseconds: between two reads; how long a picture
    // that has not changed since the scroll is awaited before it counts as the end;
    // the longest wait for a window to settle.
    static constexpr int kReadPauseMs = 30;
    static constexpr int kQuietMs = 400;
    static constexpr int kSettleTimeoutMs = 2000;

private:
    void scrollNext();
    void parkPointer();
    void readSoon();
    void readNow();
    void take(const QImage& frame);
    void adaptPace(const Stitcher::Outcome& outcome);
    void end(bool kept);

    ScreenReader& screen_;
    Scroller& scroller_;
    const QRect selection_;
    Done done_;
    std::unique_ptr<LongCaptureFrame> frame_;
    std::unique_ptr<LongCapturePanel> panel_;
    std::unique_ptr<Stitcher> stitcher_;
    QTimer timer_;
    QElapsedTimer sinceScroll_;
    QImage previousRead_;
    QPoint pointerBefore_;
    int notches_ = 1;
    int notchesSent_ = 0;
    double rowsPerNotch_ = 0;
    int quietSteps_ = 0;
    bool running_ = false;
    bool panelShown_ = true;
};

} // namespace kv
