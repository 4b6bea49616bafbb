// The X requests a stretch of drawing sends, byte for byte as the server
// gets them, taken from Xlib's before-flush hook. Tests count them (a redraw
// that asks for colours, or sends a point at a time, shows here); the redraw
// benchmarks replay them as the X server's floor.
#pragma once

#include <X11/Xlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// One request of a log: its major opcode and all its bytes, header included.
struct XRequestView {
    uint8_t opcode;
    const uint8_t* bytes;
    size_t size;
};

// Records every request sent on `display` from here to StopXRequestLog. Both
// flush first, so the log holds exactly the requests asked for in between.
void StartXRequestLog(Display* display);
std::vector<uint8_t> StopXRequestLog(Display* display);

// The requests of a log, in the order sent. A log cut inside a request ends
// before it.
std::vector<XRequestView> SplitXRequests(const std::vector<uint8_t>& log);

// How many requests of a log have the opcode (X_PolyPoint, X_AllocColor, ...).
int CountXRequests(const std::vector<uint8_t>& log, uint8_t opcode);

// Sends logged requests again as they are. Only requests without a reply may
// be among them: Xlib is not told to wait for any.
void SendRawXRequests(Display* display, const std::vector<uint8_t>& requests);
