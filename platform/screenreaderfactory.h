#pragma once

// The screen reader of a platform backend, on its own (tests and benchmarks; the
// program reads through its Platform object).
#include "platform/platformbackend.h"
#include "platform/screenreader.h"

#include <memory>

namespace kv {

// The reader for a backend: the X server (Qt's grab where the X server cannot be
// reached), the desktop portal, or the Null platform's made-up screen.
std::unique_ptr<ScreenReader> createScreenReader(PlatformBackend backend);
// The reader for this session's backend (chooseBackend()).
std::unique_ptr<ScreenReader> createScreenReader();

} // namespace kv
