#pragma once
// libpulse opened when the first tone is played instead of linked (see
// platform/runtimelibrary.h): the library and the dozen it pulls in (codecs,
// D-Bus, systemd) would cost every start of the program several milliseconds,
// and most starts never beep.
#include <pulse/pulseaudio.h>

#include <memory>

namespace kv {

#define KV_PULSE_FUNCTIONS(X)                                                                      \
    X(mainloop_new)                                                                                \
    X(mainloop_free)                                                                               \
    X(mainloop_wakeup)                                                                             \
    X(mainloop_prepare)                                                                            \
    X(mainloop_poll)                                                                               \
    X(mainloop_dispatch)                                                                           \
    X(mainloop_get_api)                                                                            \
    X(context_new)                                                                                 \
    X(context_connect)                                                                             \
    X(context_get_state)                                                                           \
    X(context_disconnect)                                                                          \
    X(context_unref)                                                                               \
    X(stream_new)                                                                                  \
    X(stream_connect_playback)                                                                     \
    X(stream_get_state)                                                                            \
    X(stream_write)                                                                                \
    X(stream_drain)                                                                                \
    X(stream_disconnect)                                                                           \
    X(stream_unref)                                                                                \
    X(operation_cancel)                                                                            \
    X(operation_unref)

// The functions in use, each under its name without the "pa_" prefix.
class PulseLibrary {
public:
    // Nothing when libpulse is not installed or lacks one of the functions.
    static std::unique_ptr<PulseLibrary> open();
    ~PulseLibrary();
    PulseLibrary(const PulseLibrary&) = delete;
    PulseLibrary& operator=(const PulseLibrary&) = delete;

#define KV_PULSE_MEMBER(name) decltype(&::pa_##name) name = nullptr;
    KV_PULSE_FUNCTIONS(KV_PULSE_MEMBER)
#undef KV_PULSE_MEMBER

private:
    PulseLibrary() = default;
};

} // namespace kv
