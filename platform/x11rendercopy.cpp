#include "platform/x11rendercopy.h"

#include "platform/x11connection.h"
#include "platform/x11shmsegment.h"

#include <cstdlib>

namespace kv {
namespace {

bool pixmapsOf32Bits(xcb_connection_t* c) {
    for (auto it = xcb_setup_pixmap_formats_iterator(xcb_get_setup(c)); it.rem;
         xcb_format_next(&it))
        if (it.data->depth == 32 && it.data->bits_per_pixel == 32) return true;
    return false;
}

struct Formats {
    xcb_render_pictformat_t argb = 0; // a8r8g8b8: RGB32's layout, with alpha
    xcb_render_pictformat_t root = 0; // the root window's visual
};

Formats findFormats(xcb_connection_t* c, xcb_visualid_t rootVisual) {
    Formats found;
    auto* reply = xcb_render_query_pict_formats_reply(c, xcb_render_query_pict_formats(c), nullptr);
    if (!reply) return found;
    for (auto it = xcb_render_query_pict_formats_formats_iterator(reply); it.rem;
         xcb_render_pictforminfo_next(&it)) {
        const xcb_render_pictforminfo_t& f = *it.data;
        const xcb_render_directformat_t& d = f.direct;
        if (f.type == XCB_RENDER_PICT_TYPE_DIRECT && f.depth == 32 && d.alpha_shift == 24 &&
            d.alpha_mask == 0xff && d.red_shift == 16 && d.red_mask == 0xff && d.green_shift == 8 &&
            d.green_mask == 0xff && d.blue_shift == 0 && d.blue_mask == 0xff)
            found.argb = f.id;
    }
    for (auto s = xcb_render_query_pict_formats_screens_iterator(reply); s.rem;
         xcb_render_pictscreen_next(&s))
        for (auto d = xcb_render_pictscreen_depths_iterator(s.data); d.rem;
             xcb_render_pictdepth_next(&d))
            for (auto v = xcb_render_pictdepth_visuals_iterator(d.data); v.rem;
                 xcb_render_pictvisual_next(&v))
                if (v.data->visual == rootVisual) found.root = v.data->format;
    std::free(reply);
    return found;
}

bool failed(xcb_connection_t* c, xcb_void_cookie_t cookie) {
    xcb_generic_error_t* error = xcb_request_check(c, cookie);
    std::free(error);
    return error != nullptr;
}

} // namespace

std::unique_ptr<X11RenderCopy> X11RenderCopy::create(std::shared_ptr<X11Connection> x) {
    xcb_connection_t* c = x->get();
    const xcb_query_extension_reply_t* render = xcb_get_extension_data(c, &xcb_render_id);
    if (!render || !render->present) return nullptr;
    if (!QueryShmSupport(c).sharedPixmaps || !pixmapsOf32Bits(c)) return nullptr;
    auto* version = xcb_render_query_version_reply(
        c, xcb_render_query_version(c, XCB_RENDER_MAJOR_VERSION, XCB_RENDER_MINOR_VERSION),
        nullptr);
    if (!version) return nullptr;
    std::free(version);
    const Formats formats = findFormats(c, x->screen()->root_visual);
    if (!formats.argb || !formats.root) return nullptr;
    // Windows on the root belong to the picture: the copy is what the screen shows.
    const uint32_t includeInferiors = XCB_SUBWINDOW_MODE_INCLUDE_INFERIORS;
    const xcb_render_picture_t root = xcb_generate_id(c);
    if (failed(c,
               xcb_render_create_picture_checked(c, root, x->root(), formats.root,
                                                 XCB_RENDER_CP_SUBWINDOW_MODE, &includeInferiors)))
        return nullptr;
    return std::unique_ptr<X11RenderCopy>(new X11RenderCopy(std::move(x), formats.argb, root));
}

X11RenderCopy::X11RenderCopy(std::shared_ptr<X11Connection> x, xcb_render_pictformat_t argb,
                             xcb_render_picture_t root)
    : x_(std::move(x)), argb_(argb), root_(root) {}

X11RenderCopy::~X11RenderCopy() {
    xcb_render_free_picture(x_->get(), root_);
    xcb_flush(x_->get());
}

bool X11RenderCopy::copy(const QRect& rect, xcb_shm_seg_t segment) {
    if (rect.isEmpty() || rect.width() > 0x7fff || rect.height() > 0x7fff) return false;
    xcb_connection_t* c = x_->get();
    const auto w = uint16_t(rect.width()), h = uint16_t(rect.height());
    // A pixmap over the segment, for this copy only: creating one allocates
    // nothing in the server, and it always has the size of the rectangle.
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    const xcb_render_picture_t picture = xcb_generate_id(c);
    const auto made = xcb_shm_create_pixmap_checked(c, pixmap, x_->root(), w, h, 32, segment, 0);
    const auto pictured = xcb_render_create_picture_checked(c, picture, pixmap, argb_, 0, nullptr);
    const auto drawn =
        xcb_render_composite_checked(c, XCB_RENDER_PICT_OP_SRC, root_, XCB_NONE, picture,
                                     int16_t(rect.x()), int16_t(rect.y()), 0, 0, 0, 0, w, h);
    // The first check waits for the server to have done all three.
    const bool pixmapMade = !failed(c, made);
    const bool pictureMade = !failed(c, pictured);
    const bool ok = !failed(c, drawn) && pixmapMade && pictureMade;
    if (pictureMade) xcb_render_free_picture(c, picture);
    if (pixmapMade) xcb_free_pixmap(c, pixmap);
    xcb_flush(c);
    return ok;
}

} // namespace kv
