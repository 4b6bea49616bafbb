// Precession matrices between the mean equators of any two epochs, and the
// mean obliquity of the ecliptic that the rough continuation turns about.
// Epochs are Julian days; matrices are double[9], row-major, applied to a
// column vector.
#pragma once

// Precession from the mean equator and equinox of one epoch to those of
// another: IAU 1976 (Lieske's angles zeta, z, theta) over at most 30
// centuries from an epoch within 30 centuries of J2000, continued by
// PrecessionMatrixSimple beyond that. More than 30 centuries between two
// epochs other than J2000 are taken in two pieces through J2000, so that
// the matrix from b to a is always the inverse of the one from a to b.
// Given:    fromJd  Julian day of the source equator
//           toJd    Julian day of the target equator
// Returned: m       matrix taking a vector referred to the source equator to
//                   the target equator; the identity when the epochs are equal
// Reference: Lieske et al. 1977, A&A 58, 1.
void PrecessionMatrix(double fromJd, double toJd, double m[9]);

// Rough precession about the ecliptic pole at 50 arcseconds a year.
// Given:    days           interval, days (positive forward in time)
//           obliquityJd    Julian day at which the mean obliquity is taken
// Returned: m              RotationX(-eps) x RotationZ(angle) x RotationX(eps)
//                          with angle = -(days / 365.24) / 72 degrees
void PrecessionMatrixSimple(double days, double obliquityJd, double m[9]);

// Mean obliquity of the ecliptic of date (IAU 1976), held constant beyond
// 30 centuries from J2000 where the polynomial no longer applies.
// Given:    jd     Julian day
// Returned: obliquity, degrees
double MeanObliquity(double jd);
