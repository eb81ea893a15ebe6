#pragma once

// Names for the indices of the main window's fixed arrays: the stored pictures ImgTmp,
// the command labels LblColor and the links LblWeb.

namespace kv {

// The stored pictures ImgTmp, shared by the frame and its pages.
struct StoredPicture {
    enum : int {
        ButtonRest,      // title-bar buttons at rest,
        ButtonHover,     // under the pointer,
        ButtonPressed,   // and pressed (also the never-active maximise button)
        Wheel,           // the colour wheel, re-coloured in place by the hue and saturation
        WebPalette,      // the three palettes
        ComputerPalette, //
        GradientPalette, //
        Dropper,         // the dropper icon in its box, and its pointer
        CaptureRest,     // the capture page's resting picture
        Count
    };
};

// The command labels LblColor: the five colour commands act on a press and belong to
// the colour page, the four capture commands on a click and to the capture page.
struct Command {
    enum : int {
        Wheel,
        WebPalette,
        ComputerPalette,
        GradientPalette,
        ColourDialog,
        WindowCapture,
        RegionCapture,
        FullScreenCapture,
        SaveRegion,
        Count
    };
};
constexpr int kCommandCount = Command::Count;
constexpr bool isColourCommand(int index) {
    return index >= Command::Wheel && index <= Command::ColourDialog;
}
constexpr bool isCaptureCommand(int index) {
    return index >= Command::WindowCapture && index <= Command::SaveRegion;
}

// The links LblWeb along the bottom of the window.
constexpr int kLinkCount = 4;

} // namespace kv
