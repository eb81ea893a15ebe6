#pragma once

#include "platform/compositorsync.h"
#include "platform/kwinscreenshot.h"
#include "platform/portalscreenshot.h"
#include "platform/screenreader.h"

#include <QElapsedTimer>
#include <memory>

namespace kv {

// The screen of a Wayland session, where a program sees only its own windows: every
// read is a screenshot request to the desktop portal (a whole picture of all
// outputs, in their pixels). Single pixels come from a held picture while one is
// held, else each from a picture of their own. A held picture is matched to the
// pointer through our own window, found in it by its looks (Wayland tells no
// window where it is). Where KWin's own screenshot interface answers us, whole
// pictures come from it instead, the portal being the fallback.
class PortalScreenReader final : public ScreenReader {
public:
    explicit PortalScreenReader(std::unique_ptr<PortalScreenshot> portal,
                                std::unique_ptr<KWinScreenshot> kwin = nullptr);

    std::optional<QRgb> pixel(QPoint screenPos) override;
    ScreenGrab grab(const QRect& screenRect) override;
    QSize screenSize() const override;
    Monitors monitors() const override;
    PictureHold holdPicture() override;
    void releasePicture() override {
        held_ = QImage();
        offset_.reset();
    }
    PickedColour pickColour() override;
    bool syncWithCompositor() override { return compositor_.roundTrip(); }
    void prepareForCapture() override { compositor_.open(); }
    void expectHidden(const QImage& looks) override {
        hiddenLooks_ = looks;
        hiddenAt_.start();
    }

private:
    // The whole picture, or why there is none: without a window just hidden.
    ScreenGrab takePicture();
    ScreenGrab takeOnce();

    std::unique_ptr<PortalScreenshot> portal_;
    std::unique_ptr<KWinScreenshot> kwin_; // null once KWin said no
    CompositorLink compositor_;
    QImage held_;
    // From the positions Qt gives (our idea of where our windows are) to the
    // held picture's pixels.
    std::optional<QPoint> offset_;
    QSize lastSize_;
    // A window hidden for the next picture, and when (an opening that read nothing
    // leaves it for no later picture).
    QImage hiddenLooks_;
    QElapsedTimer hiddenAt_;
    bool pickerOffered_ = true; // until the portal says otherwise
};

// The reader on the session bus, with the time limits the program uses.
std::unique_ptr<ScreenReader> createPortalScreenReader();

} // namespace kv
