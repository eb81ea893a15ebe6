#pragma once

#include <QRect>
#include <xcb/render.h>
#include <xcb/shm.h>

#include <memory>

namespace kv {

class X11Connection;

// Copies parts of the screen into MIT-SHM segments through X Render: the server
// composites the root window, windows on it included, into a 32-bit picture whose
// memory is the segment, and sets the alpha byte on the way. The pixels arrive as
// opaque RGB32 and nothing is left to do to them here, which a plain shared-memory
// GetImage cannot give: its top byte is whatever the server keeps there.
class X11RenderCopy {
public:
    // Nothing when the server cannot do it (it needs Render, shared-memory
    // pixmaps and 32-bit pixmaps).
    static std::unique_ptr<X11RenderCopy> create(std::shared_ptr<X11Connection> x);
    ~X11RenderCopy();
    X11RenderCopy(const X11RenderCopy&) = delete;
    X11RenderCopy& operator=(const X11RenderCopy&) = delete;

    // Copies `rect`, which must lie wholly on the screen, into `segment` as rows
    // of rect.width() pixels without padding. False when the server refused.
    bool copy(const QRect& rect, xcb_shm_seg_t segment);

private:
    X11RenderCopy(std::shared_ptr<X11Connection> x, xcb_render_pictformat_t argb,
                  xcb_render_picture_t root);
    std::shared_ptr<X11Connection> x_;
    xcb_render_pictformat_t argb_;
    xcb_render_picture_t root_;
};

} // namespace kv
