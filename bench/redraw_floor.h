// The X server's floor for a recorded frame: the frame's own requests,
// with every point and every solid line of one colour gathered into one
// request, and without the requests that wait for a reply. What a redraw
// costs above it is the client's share and the requests it could have
// spared; a redraw cannot draw the same things for less.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

// Builds the floor of a frame logged with StartXRequestLog/StopXRequestLog.
// Given:    frame  the logged requests of one redraw
//           gcs    the GCs the frame draws with that existed before it, so
//                  that their state at its start is known (Xlib's copy)
// Returned: requests to send with SendRawXRequests; they leave every GC as
//           the frame left it, so the program's next redraw finds the
//           server as Xlib believes it to be
std::vector<uint8_t> FloorRequests(Display* display, const std::vector<uint8_t>& frame,
                                   const std::vector<GC>& gcs);
