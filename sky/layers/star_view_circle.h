// The circle of sky around a chart that the star-file layers read: only
// the SAO zones and Guide Star Catalog regions that meet it are read.
#pragma once

#include "sky/scene.h"

struct StarViewCircle {
    double centre[2];    // J2000 RA, Dec of the chart's centre pixel, degrees
    double radius;       // degrees
};

// The circle of the chart. In the sky views (HRZ, EQT, ECL, GAL) the
// radius is the distance to the farthest corner of the chart; in every
// other view, and when a corner shows no sky (a chart wider than the whole
// sphere), it is 180 degrees, which holds everything.
// Given:    scene  view mode and the view set up for the chart
// Returned: circle
void ComputeStarViewCircle(const Scene& scene, StarViewCircle& circle);

// Angular distance between two {RA, Dec} places, degrees.
double StarViewDistance(const double a[2], const double b[2]);
