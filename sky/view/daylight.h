// The daylight level (0 night .. 72 full day) of the horizontal views, from
// the Sun's altitude and a solar eclipse, and the three sky colour ramps
// indexed by it: the zenith (Z), the middle sky (M) and the sky near the
// horizon (H), which glows in the sunset colours around level 36.
#pragma once

#include "sky/colors.h"
#include "sky/scene.h"

#include <array>
#include <cstdint>

constexpr int32_t kMaxDaylightLevel = 72;
constexpr int32_t kZenithRampLevels = 49;    // levels 0..48
constexpr int32_t kMiddleRampLevels = 73;    // levels 0..72
constexpr int32_t kHorizonRampLevels = 73;

// The ramps: 8-bit RGB by daylight level.
const std::array<Rgb8, kZenithRampLevels>& ZenithRamp();
const std::array<Rgb8, kMiddleRampLevels>& MiddleRamp();
const std::array<Rgb8, kHorizonRampLevels>& HorizonRamp();

// How much a solar eclipse darkens the sky.
// Given:    overlap  eclipse overlap of the Sun record (above 1 total,
//                    negative when the Moon does not cover the Sun)
// Returned: levels to take off, 0..
int32_t EclipseReduction(double overlap);

// Daylight level of a Sun altitude and an eclipse overlap.
// Given:    altitude  Sun's altitude, degrees
//           overlap   as EclipseReduction
// Returned: 0..72; an eclipse never takes a level of 26 or more below 26
int32_t DaylightLevelFor(double altitude, double overlap);

// The scene's daylight level before a redraw: 0 with DAYLIGHT off or in a
// view whose frame is not horizontal (only HRZ and VOLA have daylight).
// Given:    scene  display flags, view mode, Sun altitude (degrees) and
//                  eclipse overlap
// Returned: scene  daylightLevel
void ComputeDaylightLevel(Scene& scene);

// Colour of the Sun by its altitude near the horizon: below 15 degrees it
// reddens in steps of 2.5 degrees from ColorStar4 to ColorStar9; at 15
// degrees or higher the index is left as it was.
// Given:    altitude  degrees
//           index     ColorIndex before
// Returned: index     ColorIndex after
void ColorIndexByAltitude(double altitude, int32_t& index);

// The ColorIndex the Sun is drawn with: ColorStar3, reddened by altitude in
// the horizontal frame.
// Given:    scene  view mode, Sun altitude (degrees)
// Returned: ColorIndex
int32_t SunColorIndex(const Scene& scene);

// The nine ramp colours of a daylight level, cells 65..73: the zenith, the
// mean of zenith and middle, the middle, the mean of middle and horizon, the
// horizon, then four steps from the zenith colour toward the Sun's colour.
// Given:    level  daylight level (0..72; outside is clamped)
//           sun    8-bit colour of the Sun
// Returned: 8-bit colours of cells 65..73
std::array<Rgb8, kRampCellCount> RampCellColors(int32_t level, const Rgb8& sun);

// Recolours the ramp cells for the scene's daylight level and the Sun's
// colour (SetRampCellColors of RampCellColors).
// Given:    scene    daylight level (0..72), view mode, Sun's altitude
// Returned: gAppEnv  pixels[65..73] (read-only visual only)
void SetSkyColors(const Scene& scene);
