// Helpers of the time and place commands (DATE, PERIOD, INCTIME, DECTIME,
// STIME, TIMESYS, LOCATE) that other parts of the command language share.
// The handlers themselves are declared in command/command_handlers.h.
#pragma once

#include "astro/time_records.h"

#include <cstdint>

struct Scene;

// Moves the Scene's date by an interval given as command text, with the
// calendar arithmetic of DateAddInterval. A result outside the supported
// years leaves the date as it was, silently.
// Given:    scene     the Scene
//           args      six texts: years, months, days, hours, minutes
//                     (integers) and seconds (real); null = 0
//           subtract  0 add (INCTIME), 1 subtract (DECTIME)
// Returned: 1 done (or silently out of range); 0 when an argument is refused
//           (an integer beyond int32, seconds NaN or infinite:
//           "stkErrorIllegalParam" with the argument), the Scene unchanged
int StkStepTime(Scene& scene, char* const args[6], int32_t subtract);

// While an animation runs on the clock with an offset (clock mode 2), makes
// the run go on from the date just set: its reference pair becomes the
// clock's Julian day now and the Scene's date.
void StkRebaseRealtimeOffset(Scene& scene);

// Stores a new local date in the Scene and rebuilds its AstroTime (Julian
// day, sidereal time and the rest) for the Scene's place.
void SetSceneDateTime(Scene& scene, const DateTime& date);

// Re-expresses the Scene's date in another zone: the same instant, the clock
// moved by the zone difference, the zone stored.
// Given:    zone   hours east of UT
// Returned: 1 done; 0 when the moved date would leave the supported years
//           (the Scene is then unchanged)
int ChangeSceneZone(Scene& scene, double zone);
