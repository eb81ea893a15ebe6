#include "platform/scroller.h"

#include "platform/screenreaderfactory.h"
#include "platform/x11connection.h"

#include <xcb/xtest.h>

#include <cstdlib>

namespace kv {
namespace {

class NoScroller final : public Scroller {
public:
    bool canScroll() const override { return false; }
    bool scroll(QPoint, int) override { return false; }
};

// X's buttons 4 and 5 are the wheel turned up and down by one notch.
constexpr uint8_t kWheelUp = 4;
constexpr uint8_t kWheelDown = 5;

class X11Scroller final : public Scroller {
public:
    explicit X11Scroller(std::shared_ptr<X11Connection> x) : x_(std::move(x)) {}
    bool canScroll() const override { return true; }

    bool scroll(QPoint p, int notches) override {
        xcb_connection_t* c = x_->get();
        xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, x_->root(), int16_t(p.x()),
                            int16_t(p.y()), 0);
        const uint8_t button = notches > 0 ? kWheelDown : kWheelUp;
        for (int i = 0; i < std::abs(notches); ++i) {
            xcb_test_fake_input(c, XCB_BUTTON_PRESS, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            xcb_test_fake_input(c, XCB_BUTTON_RELEASE, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        }
        // A round trip: the server has handed the turns to the window when it answers.
        xcb_generic_error_t* error = nullptr;
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), &error));
        const bool ok = error == nullptr && !xcb_connection_has_error(c);
        std::free(error);
        return ok;
    }

private:
    std::shared_ptr<X11Connection> x_;
};

} // namespace

std::unique_ptr<Scroller> createScroller() {
    if (!isWaylandSession()) {
        if (auto x = X11Connection::open()) {
            const xcb_query_extension_reply_t* test =
                xcb_get_extension_data(x->get(), &xcb_test_id);
            if (test && test->present) return std::make_unique<X11Scroller>(std::move(x));
        }
    }
    return std::make_unique<NoScroller>();
}

} // namespace kv
