// Conversion of spherical coordinates between the mean equator of J2000,
// in which every place is stored, and the other frames a user can view or
// type; rotation of a spherical position by a matrix; position angle and
// distance between two points. Spherical positions are double[2]
// {longitude, latitude} in degrees.
#pragma once

#include "astro/time_records.h"

#include <cstdint>

// Coordinate frames: the low byte of a ViewMode, the ObjectTypes of a place
// on the sky, and the frame words of the command language.
enum CoordFrame : int32_t {
    kFrameHrz = 1,       // horizontal: azimuth from south through west / altitude
    kFrameEqt = 2,       // mean equator and equinox of J2000: RA / Dec
    kFrameEqtB1950 = 3,  // mean equator and equinox of B1950 (JD 2433282.0): RA / Dec
    kFrameEqtDate = 4,   // mean equator and equinox of date: RA / Dec
    kFrameEcl = 5,       // mean ecliptic and equinox of date: longitude / latitude
    kFrameGal = 6,       // galactic longitude / latitude
};

// The galactic frame on the J2000 equator, degrees: the north galactic pole
// at RA 192.85 (plus the quarter turn that brings the node onto the x axis),
// Dec 27.133 (its colatitude here), and the galactic longitude of the
// ascending node of the galactic plane on the equator.
constexpr double kGalacticPoleRaPlus90 = 282.85;
constexpr double kGalacticPoleColatitude = 62.867;
constexpr double kGalacticNodeLongitude = 32.925;

// Whether a code is one of the six frames: a view mode's frame, or an
// object reference that is a place rather than an object.
constexpr bool IsCoordFrame(int32_t code)
{
    return code >= kFrameHrz && code <= kFrameGal;
}

// Rotates a spherical position by a matrix.
// Given:    in     {longitude, latitude}, degrees
//           m      row-major rotation matrix
// Returned: out    {longitude in [0, 360), latitude in [-90, 90]} of m times
//                  the unit vector of `in`; may be the same array as `in`
void RotateSpherical(const double in[2], double out[2], const double m[9]);

// Position angle and distance of one point seen from another, in full
// double precision (not the sine table).
// Given:    p1, p2         {longitude, latitude}, degrees
// Returned: positionAngle  of p2 from p1, counted from the pole through
//                          increasing longitude, degrees in (0, 360]
//           distance       great-circle distance, degrees in [0, 180]
void AngularSeparation(const double p1[2], const double p2[2], double& positionAngle,
                       double& distance);

// The one conversion between coordinate frames. Horizontal, of-date and
// ecliptic frames are those of the place and instant in `t` (its Julian day,
// local sidereal time, latitude and obliquity); the precession matrices are
// built afresh on every call. No refraction or aberration is applied.
// Given:    t      instant and place
//           from   frame of `in`
//           in     {longitude, latitude}, degrees
//           to     frame wanted
// Returned: out    {longitude in (0, 360], latitude in [-90, 90]} degrees, or
//                  `in` unchanged when the frames are equal; may be the same
//                  array as `in`. A frame code outside 1..6 is taken as J2000.
void ConvertCoordinates(const AstroTime& t, CoordFrame from, const double in[2], CoordFrame to,
                        double out[2]);
