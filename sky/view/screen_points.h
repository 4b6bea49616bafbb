// Screen points of objects in every view mode, the solar-system views'
// projection of heliocentric places, and the inverse projection from a
// pixel back to the sky.
#pragma once

#include "data/fixed_types.h"
#include "sky/view/projection.h"
#include "sky/object_type.h"

#include <cstdint>

struct Scene;

// Direction on the sky shown at a pixel, inverted through the view matrix
// of the last view set-up, so that it is exact in every frame (the maps of
// date included).
// Given:    scene   view mode, mirror, scales, screen centre, sky rectangle,
//                   view matrix
//           px, py  pixel
// Returned: v       unit vector, J2000 equatorial
//           1 when the pixel shows sky; 0 outside the Aitoff ellipse
//           (4 (R^2 - dy^2) < dx^2 with R = sky width / 4, the offsets from
//           the screen centre), in modes without a sky, or for a scene
//           whose view is not set up
int ScreenToSky(const Scene& scene, int32_t px, int32_t py, double v[3]);

// A heliocentric place in the solar-system views.
// Given:    scene     solar-system origin (AU), view matrix, scales
//                     (pixels per AU), view width (AU), screen centre
//           position  heliocentric, J2000 equatorial, AU
// Returned: out       pixel; altitude 0, centre the depth along the view
//                     axis in the same pixels (larger: farther away)
//           1 visible; 0 more than ten view widths behind the viewer or
//           beyond 20000 pixels from the centre
int ProjectSolarSystemPoint(const Scene& scene, const double position[3], ProjectedPoint& out);

// The projection of the scene's view family for a body known by all three
// forms of its place.
// Given:    direction  J2000 unit vector (sky views)
//           fixed      the same in Q14 (maps, planisphere)
//           helio      heliocentric place, AU (solar-system views)
// Returned: out, 1 visible
int ProjectForViewMode(const Scene& scene, const double direction[3], const FixedVector& fixed,
                       const double helio[3], ProjectedPoint& out);

// Screen point of a shown solar-system body (BodyFlags bit 2): a loaded
// comet or minor planet, the Earth (solar-system views only), the Sun, the
// Moon (not in the solar-system views), Mercury..Pluto.
// Returned: out, 1 visible and shown; 0 for any other id
int GetSolarBodyScreenPoint(const Scene& scene, ObjectId id, ProjectedPoint& out);

// Screen point of an object reference: frame types 1..6 by their pair,
// stars, constellation labels, nebulae, satellites and clouds by their
// vectors, bodies by GetSolarBodyScreenPoint; SCREEN is the pair as pixels
// and VIEW_CENTER the middle of the sky rectangle (both always visible,
// altitude 0, centre 0xC000).
// Returned: out, 1 visible; 0 for types without a place or ids that do not
//           exist
int GetObjectScreenPoint(const Scene& scene, int32_t type, int32_t id, double longitude,
                         double latitude, ProjectedPoint& out);

// GetObjectScreenPoint, with user objects (the Scene's files) resolved
// through their records' own type, id and pair. A sky mark (type 60) has
// no screen point of its own.
int GetTargetScreenPoint(const Scene& scene, int32_t type, int32_t id, double longitude,
                         double latitude, ProjectedPoint& out);
