// Pixels of a TrueColor screen worked out in the program: the pixel that
// XAllocColor would return for a colour, from the visual's channel masks,
// without a round trip to the server. The server first rounds each
// component to the visual's bits per RGB value, then takes the nearest
// entry of the channel's fixed ramp (the lower one on a tie); both steps
// are repeated here.
#pragma once

#include <X11/Xlib.h>

// Whether the default visual of the display's default screen is TrueColor.
bool DefaultVisualIsTrueColor(Display* display);

// The pixel XAllocColor gives for a colour on a TrueColor visual.
// Given:    visual  a TrueColor visual (masks, bits per RGB value)
//           depth   its depth (a 32-bit visual sets the bits outside the
//                   masks, as the server does)
//           color   red, green, blue, 0..65535
// Returned: the pixel
unsigned long TrueColorPixel(const Visual* visual, int depth, const XColor& color);
