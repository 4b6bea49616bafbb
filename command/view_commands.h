// Helpers of the view commands (VIEW, LOOK, BLINK) that the main window's
// scroll bars and the centring dialogs share. The handlers themselves are
// declared in command/command_handlers.h.
#pragma once

#include <X11/Xlib.h>
#include <cstdint>

struct Scene;

// The field of view (VIEW ANGLE). The redraw brings it within the mode's
// limits.
// Given:    text   degrees, above 0 (infinity refused)
// Returned: scene  field of view
//           1 done; 0 refused ("stkErrorIllegalParam" with the text)
int StkSetViewAngle(Scene& scene, const char* text);

// The centring request of VIEW CENTER and LOOK. "HRZ" alone re-centres the
// horizontal view on the horizon at the next redraw; any other target is
// parsed and becomes the target to centre once. While a target is tracked
// the request changes nothing.
// Given:    scene   target, centring state
//           target  first word of the target; a, b its other words or null
// Returned: scene   target type, id, coordinates and centring state
//           target, a, b  upper-cased where looked up (ParseTarget)
//           1 done; 0 when the target is refused ("stkErrorIllegalParam"
//           with the target word), the scene unchanged
int StkSetViewCenter(Scene& scene, char* target, char* a, char* b);

// BLINK's marker: eight short rays around a point, drawn straight onto a
// window with the scene's GC, then flushed.
// Given:    scene     GC
//           display   the display of the window
//           window    the drawing area's window
//           x, y      the point (pixels)
//           pixel     colour
void StkDrawBlinkMarker(const Scene& scene, Display* display, Window window, int x, int y,
                        unsigned long pixel);

// How many times BLINK flashes its marker: half the BlinkTime, rounded up,
// worked out in 64 bits so that no BlinkTime can overflow it.
// Given:    blinkTime  gAppEnv->blinkTime
int64_t StkBlinkFlashes(int32_t blinkTime);
