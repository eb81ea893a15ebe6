#pragma once

#include "platform/windowtree.h"
#include "platform/x11connection.h"

namespace kv {

// The viewable windows of the X display as they are now: each top-level window (a
// child of the root) with the program's window inside it (the one the window manager
// marks with WM_STATE), its frame as "窗体截图" takes it, and the child windows X knows
// of. The windows of this connection (our own) are left out. Requests go out a whole
// level of the tree at a time, so the read costs a few round trips, not one a window.
// The atoms are the caller's, asked for once.
struct X11WindowAtoms {
    xcb_atom_t wmState = XCB_ATOM_NONE;      // WM_STATE
    xcb_atom_t frameExtents = XCB_ATOM_NONE; // _NET_FRAME_EXTENTS
    xcb_atom_t clientList = XCB_ATOM_NONE;   // _NET_CLIENT_LIST
};
WindowTree readX11WindowTree(const X11Connection& x, const QRect& desktop,
                             const X11WindowAtoms& atoms);

} // namespace kv
