#include "longcapture/longcapture.h"

#include "longcapture/capturepanel.h"
#include "longcapture/placement.h"
#include "platform/pointer.h"
#include "platform/screenreader.h"
#include "platform/scroller.h"

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

// Steps that bring nothing new in a row before the page counts as ended.
constexpr int kQuietStepsToStop = 2;
// Each step scrolls about this share of the selection, so that consecutive pictures
// overlap by half: the overlap is what stitching lines up on.
constexpr double kStepShare = 0.5;
constexpr int kMostNotches = 10;
// Before the first read: the panel has just taken the keyboard, and a window that lost
// it may still be repainting (inactive colours).
constexpr int kFirstReadDelayMs = 150;

} // namespace

LongCapture::LongCapture(ScreenReader& screen, Scroller& scroller, const QRect& selection,
                         const Monitors& monitors, Done done)
    : screen_(screen), scroller_(scroller), selection_(selection), done_(std::move(done)),
      frame_(std::make_unique<LongCaptureFrame>(selection)),
      panel_(std::make_unique<LongCapturePanel>()) {
    panel_->onDone = [this] { finish(); };
    panel_->onCancel = [this] { cancel(); };
    const PanelPlace place = placePanel(panel_->size(), selection, monitors);
    panel_->move(place.rect.topLeft());
    // With no room for it anywhere but over the selection, the panel would be read
    // into the page: it is left out, and only Enter and Esc end the capture early.
    panelShown_ = !place.overSelection;
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &LongCapture::readNow);
}

LongCapture::~LongCapture() = default;

void LongCapture::start() {
    if (running_) return;
    running_ = true;
    pointerBefore_ = PointerScreenPos();
    frame_->show();
    if (panelShown_) {
        panel_->show();
        panel_->raise();
        panel_->activateWindow();
    } else {
        frame_->takeKeyboard([this](bool keep) { end(keep); });
    }
    parkPointer();
    // The first picture: what the selection shows before any scroll.
    sinceScroll_.start();
    previousRead_ = QImage();
    timer_.start(kFirstReadDelayMs);
}

// The pointer waits over the panel between the wheel turns: left over the page, it
// would light up what it hovers (a link, a row), which then moves with the page and
// no longer looks the same in the next picture.
void LongCapture::parkPointer() {
    if (panelShown_) WarpPointer(panel_->geometry().center());
}

void LongCapture::finish() {
    end(true);
}

void LongCapture::cancel() {
    end(false);
}

void LongCapture::scrollNext() {
    if (!scroller_.scroll(selection_.center(), notches_)) {
        end(true);
        return;
    }
    notchesSent_ = notches_;
    parkPointer();
    sinceScroll_.start();
    previousRead_ = QImage();
    readSoon();
}

void LongCapture::readSoon() {
    timer_.start(kReadPauseMs);
}

// Reads until two reads in a row agree. A picture still the same as before the scroll
// is awaited a little longer: the window may not have taken the wheel yet.
void LongCapture::readNow() {
    if (!running_) return;
    const QImage now = screen_.grab(selection_).image;
    const qint64 waited = sinceScroll_.elapsed();
    const bool agree = !previousRead_.isNull() && now == previousRead_;
    const bool moved = !stitcher_ || now != stitcher_->lastFrame();
    if ((agree && (moved || waited >= kQuietMs)) || waited >= kSettleTimeoutMs) {
        take(now);
        return;
    }
    previousRead_ = now;
    readSoon();
}

void LongCapture::take(const QImage& frame) {
    if (!stitcher_) {
        stitcher_ = std::make_unique<Stitcher>(frame);
        panel_->showProgress(stitcher_->height(), frame);
        scrollNext();
        return;
    }
    const Stitcher::Outcome outcome = stitcher_->add(frame);
    panel_->showProgress(stitcher_->height(), frame);
    switch (outcome.step) {
    case Stitcher::Step::Added:
        quietSteps_ = 0;
        adaptPace(outcome);
        break;
    case Stitcher::Step::Full:
        end(true);
        return;
    case Stitcher::Step::NothingNew:
    case Stitcher::Step::NoOverlap:
        if (++quietSteps_ >= kQuietStepsToStop) {
            end(true);
            return;
        }
        break;
    }
    scrollNext();
}

// The pace follows what one notch scrolls in this window (a few lines in most
// programs), measured on the steps so far; the last step of a page scrolls less and
// does not count.
void LongCapture::adaptPace(const Stitcher::Outcome& outcome) {
    rowsPerNotch_ = std::max(rowsPerNotch_, double(outcome.shift) / std::max(1, notchesSent_));
    const double wanted = selection_.height() * kStepShare / rowsPerNotch_;
    notches_ = std::clamp(int(std::floor(wanted)), 1, kMostNotches);
}

void LongCapture::end(bool kept) {
    if (!running_) return;
    running_ = false;
    timer_.stop();
    frame_->hide();
    panel_->hide();
    WarpPointer(pointerBefore_);
    LongCaptureResult result;
    result.kept = kept;
    if (kept) result.picture = stitcher_ ? stitcher_->result() : screen_.grab(selection_).image;
    if (done_) done_(result);
}

} // namespace kv
