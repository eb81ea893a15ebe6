#pragma once

// The desktop session as the program meets it: one Platform object, chosen once at
// start, that reads the screen, knows the windows and says what the session allows.
#include "platform/platformbackend.h"

#include <QString>
#include <memory>

namespace kv {

class DesktopWindows;
class ScreenReader;

// What the session lets the program do. Code above platform/ asks these, never which
// session runs.
struct PlatformCapabilities {
    // pixel() follows the live screen under a moving pointer, cheaply enough to read
    // round the pointer at every move (the dropper's loupe). Otherwise a pick works
    // on one picture taken at its press (ScreenReader::holdPicture).
    bool samplesLive = true;
    // The window the user works in can be named (a window capture, window selection).
    bool knowsActiveWindow = true;
    // One window can be placed over every output at once; otherwise the editor opens
    // one window on each output.
    bool oneWindowCoversAllOutputs = true;
    // Scrolling can be sent to another program's window (a long capture).
    bool canInjectScrolling = false;
    // The clipboard can be read before any window of ours is shown (an X server hands
    // it to any client; a Wayland compositor only to the one with the keyboard focus).
    bool readsClipboardWithoutWindow = true;
    // A window of ours stands where it is put, moves itself and can stay above the
    // others; under a compositor, the compositor places, moves and stacks it.
    bool placesOwnWindows = true;
};

class Platform {
public:
    using Backend = PlatformBackend;
    virtual ~Platform() = default;
    virtual Backend backend() const = 0;
    virtual PlatformCapabilities capabilities() const = 0;
    // The screen, in screen pixels. Opened at its first read: the main window's first
    // frame reads nothing.
    virtual ScreenReader& screen() = 0;
    virtual DesktopWindows& windows() = 0;
};

// Whether Qt has anything to show windows on: an X display, a Wayland display, or a
// Qt platform plugin named in QT_QPA_PLATFORM that needs neither (offscreen, vnc).
bool hasGraphicalSession();

// Prepares Qt's platform plugin for the backend; before QApplication. A Wayland
// session runs Kolvane as a native Wayland client (under XWayland it would see only
// the X programs' pixels), drawing in the output's device pixels. Returns whether
// Qt draws in device pixels that way: the desktop's scale then stays 1.
bool prepareToolkit(Platform::Backend backend);

// The backend's platform object; after QApplication.
std::unique_ptr<Platform> createPlatform(Platform::Backend backend);

} // namespace kv
