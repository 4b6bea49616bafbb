// Turning the view toward the scene's target before each redraw, and the
// origin of the solar-system views. The targets themselves are read by
// sky/catalog/target_parser.
#pragma once

#include "sky/object_type.h"

#include <cstdint>

struct Scene;

// Centre of the solar-system views.
// Given:    id     ObjectId: a loaded comet or minor planet, the Earth (-3)
//                  or a planet 0..7 centres on its heliocentric place; any
//                  other id on the Sun
// Returned: scene  solar-system origin (AU, J2000 equatorial)
void SetSolarViewOrigin(Scene& scene, ObjectId id);

// Turns the view toward the scene's target. In the horizontal views the
// target gives the azimuth and, unless the keep-centred flag holds the
// horizon at the bottom edge, the altitude (never below 0); in the other
// sky views it gives the centre in the mode's frame; in the solar-system
// views a body becomes the origin. A target that has no place keeps the
// view as it is; a target whose object no longer exists (a comet list
// replaced by a shorter one, an unloaded user-object file) is dropped:
// centring stops.
// Given:    scene  target type (bit 15: set the keep-centred flag), id and
//                  coordinates; view mode; time; positions of the bodies;
//                  sky rectangle, screen centre and vertical field
// Returned: scene  view centre (mode frame or horizontal), solar-system
//                  origin, keep-centred flag, target type bit 15 cleared,
//                  centring state 0 when the target was dropped
void UpdateViewCenterFromTarget(Scene& scene);
