#pragma once

// The colour page ColourPage: the current colour, its notations and sliders, and the
// colour sources.
#include "app/pageframe.h"
#include "colour/currentcolour.h"
#include "colour/dropperloupe.h"
#include "colour/notations.h"
#include "colour/screenpicker.h"
#include "colour/wheelbuffers.h"
#include "platform/clickablelabel.h"
#include "platform/picturebox.h"
#include "platform/platform.h"
#include "platform/pointer.h"
#include "platform/screenreader.h"

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QScrollBar>
#include <array>
#include <memory>
#include <vector>

namespace kv {

// The colour page of the main window: the current colour with its preview, six
// notations and channel sliders, and the colour sources that set it (dropper, wheel,
// palettes, colour dialog, hue and saturation of the wheel). Its widgets live in the
// main window's work area and are hidden, never destroyed, while the other page shows.
class ColourPage : public QObject {
    Q_OBJECT
public:
    // `screen` may be null; the page then reads the screen through its own reader.
    ColourPage(PageFrame& frame, QWidget* window, ScreenReader* screen,
               const PlatformCapabilities& capabilities = {});
    ~ColourPage() override;

    // The load-time texts: the VB notation box and the author notice.
    void Form_Load();
    void setShown(bool shown);
    bool shown() const;
    // The window background's hover reset: the notation boxes back to their colour.
    void ResetHover();

    // ---- current colour, notations and channel sliders ----
    void SetCurrentColour(int red, int green, int blue);
    void RefreshColourPanel();
    void HSLR_Change() { channelChange(CurrentColour::Red); }
    void HSLG_Change() { channelChange(CurrentColour::Green); }
    void HSLB_Change() { channelChange(CurrentColour::Blue); }
    // While the thumb is dragged: the panel follows it.
    void HSLR_Scroll() { HSLR_Change(); }
    void HSLG_Scroll() { HSLG_Change(); }
    void HSLB_Scroll() { HSLB_Change(); }
    void TxtClrVal_DblClick(int index);
    void TxtClrVal_MouseMove(int index);
    const CurrentColour& colour() const { return colour_; }

    // ---- colour sources ----
    // The colour commands (Command::Wheel to Command::ColourDialog) act on a press and
    // first show this page.
    void LblColor_MouseDown(int index, Qt::MouseButton button);
    // Shows the stored wheel and rebuilds its buffers (second half of LblColr_Click).
    void PrepareWheel();
    // The dropper box and the wheel/palette box; a move carries the buttons held.
    void Picture1_MouseDown(Qt::MouseButton button);
    void Picture1_MouseMove(Qt::MouseButtons buttons);
    void Picture1_MouseUp(Qt::MouseButton button);
    void ImgCLR_MouseDown(Qt::MouseButton button);
    void ImgCLR_MouseMove(Qt::MouseButtons buttons);
    void ImgCLR_MouseUp(Qt::MouseButton button);
    void PickScreenPixel();
    // The desktop's colour picker, where it has one; false when it has none.
    bool PickWithDesktopPicker();
    bool picking() const { return dropper_ && dropper_->picking; }
    // Hue and saturation sliders re-colour the wheel from its Y/U/V copy.
    void HSLF_Change();
    void HSLL_Change();
    void HSLF_Scroll() { HSLF_Change(); }
    void HSLL_Scroll() { HSLL_Change(); }
    void DoJob();
    // The wheel's pixel buffers and adjustment factors (built by PrepareWheel).
    WheelBuffers wheel;

    // ---- widgets ----
    ClickableLabel* ImgCLR = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    std::array<QLabel*, Notation::Count> LblCLR{};
    std::array<QLineEdit*, Notation::Count> TxtClrVal{}; // indexed by Notation
    QLabel* Label1 = nullptr;
    PictureBox* PicCLR = nullptr;
    QLabel* LblQSL = nullptr;
    QLabel* LblLight = nullptr;
    QLabel* LblFull = nullptr;
    QScrollBar* HSLL = nullptr;
    QScrollBar* HSLF = nullptr;
    QLabel* LblR = nullptr;
    QLabel* LblG = nullptr;
    QLabel* LblB = nullptr;
    QScrollBar* HSLR = nullptr;
    QScrollBar* HSLG = nullptr;
    QScrollBar* HSLB = nullptr;
    ClickableLabel* Picture1 = nullptr;
    std::array<QWidget*, 4> Line2{};

signals:
    // After every run of RefreshColourPanel (for measurements and tests).
    void panelRefreshed();
    // A pick (dropper, wheel, palette, desktop picker, colour dialog) has set the
    // current colour; slider moves are no picks.
    void colourPicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSources();
    void buildNotations();
    void buildSliders();
    QScrollBar* makeSlider(QRect r, int max, int value);
    void connectColourSources();
    void channelChange(int channel);
    void connectPickBoxes();
    // The stored wheel in the wheel box, with its buffers built.
    void showStoredWheel();
    void chooseFromDialog();

    PageFrame& frame_;
    PlatformCapabilities capabilities_;
    const UiScale& ui_ = frame_.scale(); // the frame's: the design at the desktop's scale
    QWidget* window_;
    std::array<Picture, StoredPicture::Count>& ImgTmp;
    CurrentColour colour_;
    std::vector<QWidget*> widgets_;
    // Dropper state: the screen sampling (with its `picking` flag) and the pointer
    // shown while a pick drags across the screen.
    ScreenReader* screen_;                    // as given; may be null
    QCursor dropperCursor_;                   // made from the stored dropper icon
    std::unique_ptr<ScreenReader> ownScreen_; // when no reader was passed in
    std::unique_ptr<ScreenPicker> dropper_;
    // The dropper's loupe; none where each screen read is a whole desktop request.
    std::unique_ptr<DropperLoupe> dropperLoupe_;
    DragPointer dragPointer_;
};

} // namespace kv
