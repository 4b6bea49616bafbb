// Phase of a body lit by the Sun, as seen from the Earth.
#pragma once

// Illuminated fraction of a body's disk and the position angle of its
// bright limb.
// Given:    sunRa, sunDec    the Sun's place, degrees (any one frame)
//           sunDistance      Earth-Sun distance R, AU
//           ra, dec          the body's place in the same frame, degrees
//           distance         Earth-body distance, AU
// Returned: fraction         illuminated fraction k = (1 + cos i) / 2, 0..1,
//                            i the Sun-body-Earth phase angle
//           limbAngle        position angle of the midpoint of the bright
//                            limb, from north through east, degrees in
//                            [-180, 180] (not normalised)
// Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 48.
void PhaseAndLimbAngle(double sunRa, double sunDec, double sunDistance, double ra, double dec,
                       double distance, double& fraction, double& limbAngle);
