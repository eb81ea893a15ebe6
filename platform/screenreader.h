#pragma once

// What the program reads the screen through, whichever backend reads it.

#include "platform/monitors.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>

namespace kv {

// A picture read from the screen, or why none could be read. Made from a plain
// picture where a read cannot fail.
struct ScreenGrab {
    ScreenGrab(QImage picture = QImage(), QString why = QString())
        : image(std::move(picture)), failure(std::move(why)) {}
    QImage image;    // Format_RGB32; null for an empty rectangle or a failed read
    QString failure; // why the read failed, in the user's words; empty when it worked
    bool failed() const { return !failure.isEmpty(); }
};

// Whether pixel() can answer for the pointer's positions after holdPicture().
struct PictureHold {
    bool held = true;
    QString failure; // why not, in the user's words (empty when held)
};

// A colour from the desktop's own picker (see ScreenReader::pickColour).
struct PickedColour {
    bool offered = false;       // the desktop has a picker; when false, sample instead
    std::optional<QRgb> colour; // nothing when the pick was cancelled or failed
    QString failure;            // why there is no colour, in the user's words
};

// Reads what the screen shows, in screen pixels (on X those of the root window, every
// monitor), whatever program owns the pixels.
class ScreenReader {
public:
    virtual ~ScreenReader() = default;
    // One pixel; nothing when it cannot be read (off screen, no display).
    virtual std::optional<QRgb> pixel(QPoint screenPos) = 0;
    // A rectangle as Format_RGB32; a null image for an empty rectangle, and with
    // the reason for a read that failed.
    virtual ScreenGrab grab(const QRect& screenRect) = 0;
    // Size of the primary screen in pixels.
    virtual QSize screenSize() const = 0;
    // The monitors as they are now, in the pixels pixel() and grab() take. A reader
    // that knows of no monitors has one: the primary screen from (0, 0).
    virtual Monitors monitors() const {
        return Monitors::single(QRect(QPoint(0, 0), screenSize()));
    }

    // Between these two, pixel() may answer from one picture taken at the start
    // instead of the live screen: for readers where each read is a whole request
    // (a desktop portal). Readers of the live screen ignore them. Whether pixel()
    // can now answer for the pointer's positions (not when no picture could be
    // taken, or where our own window is in it is not known).
    virtual PictureHold holdPicture() { return {}; }
    virtual void releasePicture() {}
    // Lets the user pick a colour with the desktop's own picker, where reading
    // pixels under the pointer is not possible for us. Waits for the pick.
    virtual PickedColour pickColour() { return {}; }

    // After one of our windows was hidden: waits until the compositor has taken it
    // away (syncWithCompositor; false outside a Wayland session). A reader that
    // keeps its own connection to the compositor answers sooner.
    virtual bool syncWithCompositor();
    // One of our windows, of these looks, was just hidden: the next whole picture must
    // not show it. A reader whose pictures may lag behind the windows takes another
    // then; one of the screen's own pixels needs nothing.
    virtual void expectHidden(const QImage& windowLooks) { (void)windowLooks; }
    // Readies, when nothing waits, what the next capture needs.
    virtual void prepareForCapture() {}
};

} // namespace kv
