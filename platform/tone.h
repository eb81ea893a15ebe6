#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace kv {

// Plays short tones without holding up the caller.
class TonePlayer {
public:
    virtual ~TonePlayer() = default;
    // A sine tone of `frequency` hertz for `duration` milliseconds. Returns at
    // once; tones asked for in a row play one after another, in that order.
    virtual void Beep(int frequency, int duration) = 0;
};

// Plays through the desktop's sound server (PulseAudio, or PipeWire speaking its
// protocol); where none answers, rings the X bell at that pitch and length; with
// neither it stays silent.
std::unique_ptr<TonePlayer> createTonePlayer();

// The samples of a tone: signed 16-bit mono at `sampleRate`, with a few
// milliseconds of fade at each end so that the tone does not click.
std::vector<int16_t> sineTone(int frequency, int durationMs, int sampleRate);

} // namespace kv
