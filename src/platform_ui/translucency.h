#pragma once

struct xcb_connection_t;

namespace zelvo {

// Whether the windowing system can draw translucent windows. Under X11 only a
// compositing manager blends windows, and a running one owns the selection
// _NET_WM_CM_S<screen>; a Wayland compositor always blends. Any other
// platform (offscreen, a frame buffer) cannot.
bool TranslucentWindowsPossible();

// Whether a compositing manager owns _NET_WM_CM_S<screen> on this X server.
bool CompositingManagerRunning(xcb_connection_t* connection, int screen);

}  // namespace zelvo
