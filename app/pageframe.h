#pragma once

// What a page of the main window may ask of the frame around it.
#include "app/frameindices.h"
#include "platform/picture.h"
#include "platform/units.h"

#include <QString>
#include <array>

class QWidget;

namespace kv {

// What a page of the main window may ask of the frame around it: the frame owns the
// tip line, the window itself and the stored pictures, and decides which page shows.
class PageFrame {
public:
    enum class Page { Colour, Capture };
    virtual ~PageFrame() = default;
    virtual void SwitchPage(Page page) = 0;
    virtual void ShowTip(const QString& tip) = 0;
    // The main window, for hiding it, showing it again and parenting dialogs.
    virtual QWidget* frameWindow() = 0;
    // The stored pictures ImgTmp, indexed by StoredPicture.
    virtual std::array<Picture, StoredPicture::Count>& storedPictures() = 0;
    // The desktop's scale, at which the frame and its pages draw their design.
    virtual const UiScale& scale() const = 0;
};

} // namespace kv
