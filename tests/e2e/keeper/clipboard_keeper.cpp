// A minimal clipboard manager for the end-to-end tests, speaking the ICCCM
// protocol that toolkits use when they quit while owning the clipboard: it owns
// CLIPBOARD_MANAGER; asked to SAVE_TARGETS, it fetches the clipboard's PNG from
// the owner (also in INCR chunks), takes the clipboard over and serves that PNG
// until it is ended. Prints "ready" once it owns CLIPBOARD_MANAGER.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Free {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, Free>;

xcb_connection_t* c = nullptr;
xcb_window_t self = 0;

xcb_atom_t atom(const char* name) {
    Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
    return r ? r->atom : XCB_ATOM_NONE;
}

xcb_atom_t CLIPBOARD, CLIPBOARD_MANAGER, SAVE_TARGETS, TARGETS, INCR, PNG, KEEP;

// Waits for the next event of `type` (other events are dropped: nothing else
// happens while the keeper fetches).
Reply<xcb_generic_event_t> waitFor(uint8_t type) {
    for (;;) {
        Reply<xcb_generic_event_t> e(xcb_wait_for_event(c));
        if (!e) return nullptr;
        if ((e->response_type & 0x7f) == type) return e;
    }
}

// Reads and deletes our KEEP property; `type` gets its type.
std::string takeProperty(xcb_atom_t* type) {
    Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
        c, xcb_get_property(c, 1, self, KEEP, XCB_GET_PROPERTY_TYPE_ANY, 0, 0x1fffffff), nullptr));
    if (!r) return {};
    *type = r->type;
    return std::string(static_cast<const char*>(xcb_get_property_value(r.get())),
                       size_t(xcb_get_property_value_length(r.get())));
}

// The clipboard's PNG, asked from its owner; empty when it has none.
std::string fetchPng(xcb_timestamp_t time) {
    xcb_convert_selection(c, self, CLIPBOARD, PNG, KEEP, time);
    xcb_flush(c);
    auto notify = waitFor(XCB_SELECTION_NOTIFY);
    if (!notify ||
        reinterpret_cast<xcb_selection_notify_event_t*>(notify.get())->property == XCB_ATOM_NONE)
        return {};
    xcb_atom_t type = 0;
    std::string data = takeProperty(&type);
    xcb_flush(c);
    if (type != INCR) return data;
    // In chunks: each one is a new value of the property, the last one empty.
    data.clear();
    for (;;) {
        auto e = waitFor(XCB_PROPERTY_NOTIFY);
        if (!e) return {};
        auto* p = reinterpret_cast<xcb_property_notify_event_t*>(e.get());
        if (p->atom != KEEP || p->state != XCB_PROPERTY_NEW_VALUE) continue;
        const std::string chunk = takeProperty(&type);
        xcb_flush(c);
        if (chunk.empty()) return data;
        data += chunk;
    }
}

void notify(const xcb_selection_request_event_t& r, xcb_atom_t property) {
    xcb_selection_notify_event_t n{};
    n.response_type = XCB_SELECTION_NOTIFY;
    n.time = r.time;
    n.requestor = r.requestor;
    n.selection = r.selection;
    n.target = r.target;
    n.property = property;
    xcb_send_event(c, 0, r.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&n));
    xcb_flush(c);
}

} // namespace

int main() {
    c = xcb_connect(nullptr, nullptr);
    if (!c || xcb_connection_has_error(c)) return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    self = xcb_generate_id(c);
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, self, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    CLIPBOARD = atom("CLIPBOARD");
    CLIPBOARD_MANAGER = atom("CLIPBOARD_MANAGER");
    SAVE_TARGETS = atom("SAVE_TARGETS");
    TARGETS = atom("TARGETS");
    INCR = atom("INCR");
    PNG = atom("image/png");
    KEEP = atom("KOLVANE_TEST_KEEP");
    xcb_set_selection_owner(c, self, CLIPBOARD_MANAGER, XCB_CURRENT_TIME);
    Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, CLIPBOARD_MANAGER), nullptr));
    if (!owner || owner->owner != self) return 1;
    std::printf("ready\n");
    std::fflush(stdout);

    std::string kept;
    for (;;) {
        Reply<xcb_generic_event_t> e(xcb_wait_for_event(c));
        if (!e) return 0;
        const uint8_t type = e->response_type & 0x7f;
        if (type == XCB_SELECTION_CLEAR) {
            kept.clear();
            continue;
        }
        if (type != XCB_SELECTION_REQUEST) continue;
        const auto r = *reinterpret_cast<xcb_selection_request_event_t*>(e.get());
        const xcb_atom_t property = r.property ? r.property : r.target;
        if (r.selection == CLIPBOARD_MANAGER && r.target == SAVE_TARGETS) {
            kept = fetchPng(r.time);
            if (!kept.empty()) xcb_set_selection_owner(c, self, CLIPBOARD, XCB_CURRENT_TIME);
            notify(r, kept.empty() ? XCB_ATOM_NONE : property);
        } else if (r.selection == CLIPBOARD && r.target == TARGETS && !kept.empty()) {
            const xcb_atom_t offered[] = {TARGETS, PNG};
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, r.requestor, property, XCB_ATOM_ATOM, 32,
                                2, offered);
            notify(r, property);
        } else if (r.selection == CLIPBOARD && r.target == PNG && !kept.empty()) {
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, r.requestor, property, PNG, 8,
                                uint32_t(kept.size()), kept.data());
            notify(r, property);
        } else {
            notify(r, XCB_ATOM_NONE);
        }
    }
}
