#include "platform/tone.h"

#include "platform/pulselibrary.h"
#include "platform/x11connection.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <numbers>
#include <thread>

namespace kv {

std::vector<int16_t> sineTone(int frequency, int durationMs, int sampleRate) {
    if (frequency <= 0 || durationMs <= 0 || sampleRate <= 0) return {};
    const size_t count = size_t(sampleRate) * size_t(durationMs) / 1000;
    const size_t fade = std::min(count / 2, size_t(sampleRate) * 5 / 1000);
    std::vector<int16_t> samples(count);
    const double step = 2 * std::numbers::pi * frequency / sampleRate;
    for (size_t i = 0; i < count; ++i) {
        double gain = 0.6;
        if (i < fade) gain *= double(i) / fade;
        if (count - 1 - i < fade) gain *= double(count - 1 - i) / fade;
        samples[i] = int16_t(std::lround(32767 * gain * std::sin(step * double(i))));
    }
    return samples;
}

namespace {

constexpr int kSampleRate = 44100;

struct Tone {
    int frequency;
    int duration;
};

// All PulseAudio work happens on one worker thread with its own main loop, so the
// caller only queues the tone. The connection to the server is kept between tones
// and made again when it was lost; it never starts a server of its own.
class ServerTonePlayer final : public TonePlayer {
public:
    explicit ServerTonePlayer(std::shared_ptr<X11Connection> x) : x_(std::move(x)) {
        worker_ = std::thread([this] { run(); });
    }

    ~ServerTonePlayer() override {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        {
            // The worker may be waiting in the main loop's poll.
            std::lock_guard lock(mutex_);
            if (loop_) pa_->mainloop_wakeup(loop_);
        }
        worker_.join();
        dropContext();
        if (loop_) pa_->mainloop_free(loop_);
    }

    void Beep(int frequency, int duration) override {
        if (frequency <= 0 || duration <= 0) return;
        {
            std::lock_guard lock(mutex_);
            queue_.push_back({frequency, duration});
        }
        wake_.notify_one();
    }

private:
    void run() {
        for (;;) {
            Tone tone;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
                if (stop_) return;
                tone = queue_.front();
                queue_.pop_front();
            }
            if (!playOnServer(tone)) ringBell(tone);
        }
    }

    bool stopping() {
        std::lock_guard lock(mutex_);
        return stop_;
    }

    // Runs the main loop until `done` says so, the player stops or the time is
    // up; each wait is short so that neither can be missed.
    bool iterateUntil(const std::function<bool()>& done, int timeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done()) {
            if (stopping() || std::chrono::steady_clock::now() > deadline) return false;
            if (pa_->mainloop_prepare(loop_, 50 * 1000) < 0) return false;
            if (pa_->mainloop_poll(loop_) < 0) return false;
            if (pa_->mainloop_dispatch(loop_) < 0) return false;
        }
        return true;
    }

    // The library and the main loop come with the first tone; false when there
    // is no libpulse.
    bool ensureLoop() {
        if (loop_) return true;
        if (!pa_) pa_ = PulseLibrary::open();
        if (!pa_) return false;
        pa_mainloop* loop = pa_->mainloop_new();
        std::lock_guard lock(mutex_);
        loop_ = loop;
        return loop_ != nullptr;
    }

    bool ensureContext() {
        if (context_ && pa_->context_get_state(context_) == PA_CONTEXT_READY) return true;
        dropContext();
        if (!ensureLoop()) return false;
        context_ = pa_->context_new(pa_->mainloop_get_api(loop_), "Kolvane");
        if (!context_) return false;
        if (pa_->context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            dropContext();
            return false;
        }
        auto settled = [this] {
            const auto s = pa_->context_get_state(context_);
            return s == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(s);
        };
        if (!iterateUntil(settled, 3000) || pa_->context_get_state(context_) != PA_CONTEXT_READY) {
            dropContext();
            return false;
        }
        return true;
    }

    void dropContext() {
        if (!context_) return;
        pa_->context_disconnect(context_);
        pa_->context_unref(context_);
        context_ = nullptr;
    }

    bool playOnServer(const Tone& tone) {
        if (!ensureContext()) return false;
        const std::vector<int16_t> samples = sineTone(tone.frequency, tone.duration, kSampleRate);
        const size_t bytes = samples.size() * sizeof(int16_t);
        const pa_sample_spec sampleFormat{PA_SAMPLE_S16LE, kSampleRate, 1};
        pa_stream* stream = pa_->stream_new(context_, "Kolvane tone", &sampleFormat, nullptr);
        if (!stream) {
            dropContext();
            return false;
        }
        // Start playing as soon as the whole tone is there, not after the
        // default two seconds of buffer.
        pa_buffer_attr attr;
        attr.maxlength = uint32_t(-1);
        attr.tlength = uint32_t(bytes);
        attr.prebuf = uint32_t(bytes);
        attr.minreq = uint32_t(-1);
        attr.fragsize = uint32_t(-1);
        bool ok = pa_->stream_connect_playback(stream, nullptr, &attr, PA_STREAM_NOFLAGS, nullptr,
                                               nullptr) == 0;
        auto streamSettled = [this, stream] {
            const auto s = pa_->stream_get_state(stream);
            return s == PA_STREAM_READY || !PA_STREAM_IS_GOOD(s);
        };
        ok = ok && iterateUntil(streamSettled, 3000) &&
             pa_->stream_get_state(stream) == PA_STREAM_READY;
        ok = ok &&
             pa_->stream_write(stream, samples.data(), bytes, nullptr, 0, PA_SEEK_RELATIVE) == 0;
        if (ok) {
            bool drained = false;
            pa_operation* op = pa_->stream_drain(
                stream, [](pa_stream*, int, void* flag) { *static_cast<bool*>(flag) = true; },
                &drained);
            if (op) {
                auto finished = [this, &drained, stream] {
                    return drained || !PA_STREAM_IS_GOOD(pa_->stream_get_state(stream));
                };
                iterateUntil(finished, tone.duration + 3000);
                pa_->operation_cancel(op);
                pa_->operation_unref(op);
            }
        }
        pa_->stream_disconnect(stream);
        pa_->stream_unref(stream);
        if (!ok) dropContext();
        return ok;
    }

    // The keyboard bell at the tone's pitch and length; the server's bell
    // settings are put back afterwards, as they are shared with every program.
    void ringBell(const Tone& tone) {
        if (!x_) return;
        xcb_connection_t* c = x_->get();
        xcb_get_keyboard_control_reply_t* old =
            xcb_get_keyboard_control_reply(c, xcb_get_keyboard_control(c), nullptr);
        const uint32_t mask = XCB_KB_BELL_PITCH | XCB_KB_BELL_DURATION;
        const uint32_t wanted[] = {uint32_t(tone.frequency), uint32_t(tone.duration)};
        xcb_change_keyboard_control(c, mask, wanted);
        xcb_bell(c, 0);
        if (old) {
            const uint32_t previous[] = {old->bell_pitch, old->bell_duration};
            xcb_change_keyboard_control(c, mask, previous);
            std::free(old);
        }
        xcb_flush(c);
        // Keep queued tones apart, as they are when the server plays them.
        std::unique_lock lock(mutex_);
        wake_.wait_for(lock, std::chrono::milliseconds(tone.duration), [this] { return stop_; });
    }

    std::shared_ptr<X11Connection> x_;
    std::unique_ptr<PulseLibrary> pa_; // only the worker touches it until it ends
    pa_mainloop* loop_ = nullptr;      // set by the worker under mutex_
    pa_context* context_ = nullptr;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Tone> queue_;
    bool stop_ = false;
    std::thread worker_;
};

} // namespace

std::unique_ptr<TonePlayer> createTonePlayer() {
    return std::make_unique<ServerTonePlayer>(X11Connection::open());
}

} // namespace kv
