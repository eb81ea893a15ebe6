// The colour page's colour sources: dropper, wheel, palettes, colour dialog, and the
// hue and saturation sliders that re-colour the wheel.
#include "app/artwork.h"
#include "app/colourpage.h"
#include "colour/notations.h"
#include "colour/palettes.h"
#include "colour/wheel.h"
#include "platform/screenreaderfactory.h"

#include <QColorDialog>
#include <QCoreApplication>

namespace kv {

void ColourPage::connectColourSources() {
    // The stored pictures are filled in place: the wheel box already shows the
    // stored wheel's picture object, and must keep showing that same object.
    ImgTmp[StoredPicture::Wheel].mutableImage() = wheel::MakePicture();
    ImgTmp[StoredPicture::WebPalette].mutableImage() = DrawPalette(WebPaletteLayout());
    ImgTmp[StoredPicture::ComputerPalette].mutableImage() = DrawPalette(ComputerPaletteLayout());
    ImgTmp[StoredPicture::GradientPalette].mutableImage() = DrawPalette(GradientPaletteLayout());
    ImgCLR->update();

    // The hot spot is the icon's tip at its lower left, the point the dropper
    // appears to touch; the pixel under it is the one sampled.
    dropperCursor_ = CursorFromPicture(ImgTmp[StoredPicture::Dropper].image(),
                                       artwork::DropperHotSpot(ui_.factor()));

    if (!screen_) ownScreen_ = createScreenReader();
    dropper_ = std::make_unique<ScreenPicker>(
        screen_ ? *screen_ : *ownScreen_, &PointerScreenPos,
        [this](int red, int green, int blue) { SetCurrentColour(red, green, blue); });
    // The loupe reads round the pointer at every move: only where reads are live.
    if (capabilities_.samplesLive)
        dropperLoupe_ = std::make_unique<DropperLoupe>(screen_ ? *screen_ : *ownScreen_);

    // The sliders follow the thumb while it is dragged (Qt's tracking) and report
    // the final value once more when it is let go.
    connect(HSLF, &QScrollBar::valueChanged, this, [this] { HSLF_Change(); });
    connect(HSLL, &QScrollBar::valueChanged, this, [this] { HSLL_Change(); });
    connect(HSLF, &QScrollBar::sliderReleased, this, [this] { HSLF_Change(); });
    connect(HSLL, &QScrollBar::sliderReleased, this, [this] { HSLL_Change(); });
    connect(HSLF, &QScrollBar::sliderMoved, this, [this] {
        if (!HSLF->hasTracking()) HSLF_Scroll();
    });
    connect(HSLL, &QScrollBar::sliderMoved, this, [this] {
        if (!HSLL->hasTracking()) HSLL_Scroll();
    });
}

// ---- the colour commands ----

void ColourPage::LblColor_MouseDown(int index, Qt::MouseButton) {
    if (!isColourCommand(index)) return;
    frame_.SwitchPage(PageFrame::Page::Colour);
    if (index == Command::Wheel) {
        // LblColr_Click: the page (already shown) and the wheel.
        frame_.SwitchPage(PageFrame::Page::Colour);
        PrepareWheel();
        return;
    }
    if (index != Command::ColourDialog) {
        // The palettes are shown as they are; the wheel buffers stay untouched.
        static_assert(Command::GradientPalette - Command::WebPalette ==
                      StoredPicture::GradientPalette - StoredPicture::WebPalette);
        ImgCLR->setPicture(ImgTmp[StoredPicture::WebPalette + (index - Command::WebPalette)]);
        return;
    }
    chooseFromDialog();
}

void ColourPage::chooseFromDialog() {
    // Qt's own dialog, preset to the current colour. Cancelling leaves everything
    // as it was.
    QColorDialog dialog(QColor(colour_.red(), colour_.green(), colour_.blue()), window_);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QStringLiteral("颜色"));
    if (dialog.exec() != QDialog::Accepted) return;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid()) return;
    PicCLR->setBackground(chosen.toRgb());
    const QColor shown = PicCLR->background();
    const Channels c = SplitColourValue(ColourValue(shown.red(), shown.green(), shown.blue()));
    SetCurrentColour(c.red, c.green, c.blue);
    emit colourPicked();
    // The notations once more, so they show the chosen colour even when it equals
    // the current one and no slider changed.
    const auto texts = FormatColourNotations(colour_.red(), colour_.green(), colour_.blue());
    for (int i = 0; i < Notation::Count; ++i)
        TxtClrVal[i]->setText(texts[i]);
}

// ---- the wheel ----

void ColourPage::PrepareWheel() {
    ImgCLR->setPicture(ImgTmp[StoredPicture::Wheel]);
    // Built from the stored wheel as it is now: after an adjustment that is the
    // re-coloured wheel, which becomes the new base.
    wheel.Build(ImgTmp[StoredPicture::Wheel].image());
}

void ColourPage::HSLF_Change() {
    showStoredWheel();
    wheel.factors.saturationFactor = SaturationFactorFor(HSLF->value());
    DoJob();
    PicCLR->setFocus();
}

void ColourPage::HSLL_Change() {
    showStoredWheel();
    SetHueFactors(HSLL->value(), wheel.factors);
    DoJob();
    PicCLR->setFocus();
}

void ColourPage::showStoredWheel() {
    const Picture& stored = ImgTmp[StoredPicture::Wheel];
    if (!ImgCLR->picture().sameAs(stored)) ImgCLR->setPicture(stored);
    // Opened only through a palette or the dialog so far: build the buffers now.
    if (!wheel.built()) wheel.Build(stored.image());
}

void ColourPage::DoJob() {
    if (!wheel.built()) return;
    wheel.Render();
    // Written into the stored wheel itself, which the box shows; a palette on
    // show is never written into.
    Picture shown = ImgCLR->picture();
    if (shown.sameAs(ImgTmp[StoredPicture::Wheel])) wheel.WriteTo(shown.mutableImage());
    // Pending events run here, so a slider event that arrives now runs a whole
    // nested change (with its own render) before the captions below; the buffers
    // are no longer in use at this point, and the last change wins.
    QCoreApplication::processEvents();
    LblFull->setText(SaturationCaption(HSLF->value()));
    LblLight->setText(HueCaption(HSLL->value()));
    QCoreApplication::processEvents();
    ImgCLR->repaint();
}

// ---- picking from the screen ----

void ColourPage::PickScreenPixel() {
    if (dropper_) dropper_->PickScreenPixel();
}

void ColourPage::Picture1_MouseDown(Qt::MouseButton) {
    if (!dropper_) return;
    dragPointer_.Begin(Picture1, dropperCursor_);
    // Only a drag of the dropper itself shows the loupe, not a pick on the wheel.
    dropper_->setViewer(dropperLoupe_.get());
    // Where the screen cannot be sampled under the pointer, the desktop's own
    // picker (if it has one) does the whole pick instead.
    if (const PictureHold hold = dropper_->BeginPick(); !hold.held) {
        dropper_->EndPick();
        dropper_->setViewer(nullptr);
        dragPointer_.End();
        if (!PickWithDesktopPicker() && !hold.failure.isEmpty())
            frame_.ShowTip(QStringLiteral("无法取色：%1").arg(hold.failure));
        return;
    }
    PickScreenPixel();
    // The dropper leaves its box and travels as the pointer.
    Picture1->clearPicture();
}

bool ColourPage::PickWithDesktopPicker() {
    ScreenReader* screen = screen_ ? screen_ : ownScreen_.get();
    if (!screen) return false;
    const PickedColour picked = screen->pickColour();
    if (!picked.offered) return false;
    if (picked.colour) {
        SetCurrentColour(qRed(*picked.colour), qGreen(*picked.colour), qBlue(*picked.colour));
        emit colourPicked();
    } else
        frame_.ShowTip(QStringLiteral("取色未完成：%1").arg(picked.failure));
    return true;
}

void ColourPage::Picture1_MouseMove(Qt::MouseButtons buttons) {
    if (buttons == Qt::LeftButton && picking()) PickScreenPixel();
}

void ColourPage::Picture1_MouseUp(Qt::MouseButton) {
    if (!picking()) return;
    dropper_->EndPick();
    dropper_->setViewer(nullptr);
    if (dropperLoupe_) dropperLoupe_->End();
    dragPointer_.End();
    Picture1->setPicture(ImgTmp[StoredPicture::Dropper]);
    if (dropper_->previousSample) emit colourPicked(); // a sample was taken
}

void ColourPage::ImgCLR_MouseDown(Qt::MouseButton) {
    if (!dropper_) return;
    dropper_->setViewer(nullptr);
    if (dropperLoupe_) dropperLoupe_->End();
    dragPointer_.Begin(ImgCLR, dropperCursor_);
    dropper_->BeginPick();
    PickScreenPixel();
}

void ColourPage::ImgCLR_MouseMove(Qt::MouseButtons buttons) {
    if (buttons != Qt::LeftButton || !dropper_) return;
    if (!dragPointer_.active()) dragPointer_.Begin(ImgCLR, dropperCursor_);
    dropper_->picking = true;
    PickScreenPixel();
}

void ColourPage::ImgCLR_MouseUp(Qt::MouseButton) {
    // The pick flag stays: only the dropper's own release clears it.
    dragPointer_.End();
    if (dropper_ && dropper_->previousSample) emit colourPicked();
}

// The dropper box and the wheel/palette box: a quick second press is a press all the
// same.
void ColourPage::connectPickBoxes() {
    connect(Picture1, &ClickableLabel::pressed, this, &ColourPage::Picture1_MouseDown);
    connect(Picture1, &ClickableLabel::doublePressed, this, &ColourPage::Picture1_MouseDown);
    connect(Picture1, &ClickableLabel::moved, this, &ColourPage::Picture1_MouseMove);
    connect(Picture1, &ClickableLabel::released, this, &ColourPage::Picture1_MouseUp);
    connect(ImgCLR, &ClickableLabel::pressed, this, &ColourPage::ImgCLR_MouseDown);
    connect(ImgCLR, &ClickableLabel::doublePressed, this, &ColourPage::ImgCLR_MouseDown);
    connect(ImgCLR, &ClickableLabel::moved, this, &ColourPage::ImgCLR_MouseMove);
    connect(ImgCLR, &ClickableLabel::released, this, &ColourPage::ImgCLR_MouseUp);
}

} // namespace kv
