// 3x3 matrices, 3-vectors and spherical positions in double precision, the
// three frame rotations of spherical astronomy, and the conversion of
// directions and rotations to the Q14 fixed point of the projections.
//
// Vectors are double[3] {x, y, z}; spherical positions double[2]
// {longitude, latitude} in degrees; matrices double[9], row-major, applied
// to a column vector (row i of M dotted with v). The rotations turn the
// coordinate frame, not the vector: RotationZ(a) takes longitude l to l - a.
#pragma once

#include "data/fixed_types.h"

// Matrix product.
// Given:    a, b   matrices
// Returned: p      a x b; p may be the same array as a or b
void MatrixMultiply(const double a[9], const double b[9], double p[9]);

// The identity matrix.
void SetIdentity(double m[9]);

// Frame rotation about the x axis (R1).
// Given:    angle  degrees
// Returned: m      rows (1, 0, 0), (0, cos, sin), (0, -sin, cos)
void RotationX(double angle, double m[9]);

// Frame rotation about the y axis (R2).
// Given:    angle  degrees
// Returned: m      rows (cos, 0, -sin), (0, 1, 0), (sin, 0, cos)
void RotationY(double angle, double m[9]);

// Frame rotation about the z axis (R3).
// Given:    angle  degrees
// Returned: m      rows (cos, sin, 0), (-sin, cos, 0), (0, 0, 1)
void RotationZ(double angle, double m[9]);

// Rotation about z by a, then about the new y by b.
// Given:    a, b   degrees
// Returned: m      RotationY(b) x RotationZ(a)
void RotationZY(double a, double b, double m[9]);

// Inverse by cofactors over the determinant. Meant for rotations; a
// singular matrix gives infinities or NaN, never a trap.
// Given:    m      matrix
// Returned: inv    its inverse (may be the same array as m)
void MatrixInverse(const double m[9], double inv[9]);

// Given:    v      vector
//           m      matrix
// Returned: w      m v (may be the same array as v)
void MatrixTimesVector(const double v[3], const double m[9], double w[3]);

// Given:    v      vector
//           s      factor
// Returned: w      s v (may be the same array as v)
void VectorScale(const double v[3], double s, double w[3]);

// Given:    a, b   vectors
// Returned: d      a - b (may be the same array as a or b)
void VectorSubtract(const double a[3], const double b[3], double d[3]);

// Given:    v      vector
// Returned: its Euclidean length
double VectorLength(const double v[3]);

// Unit vector of a spherical position, from the table sine.
// Given:    s      {longitude, latitude} in degrees
// Returned: v      (cos lat cos lon, cos lat sin lon, sin lat)
void VectorFromSpherical(const double s[2], double v[3]);

// Spherical position of a direction. The latitude is taken from the
// direction (atan2(z, hypot(x, y))), so a vector that is a little off unit
// length, as table-made vectors are, loses nothing near the poles.
// Given:    v      vector of any non-zero length
// Returned: s      {longitude in (0, 360], latitude in [-90, 90]} degrees;
//                  longitude 0 is reported as 360
void SphericalFromVector(const double v[3], double s[2]);

// Q14 unit vector of a spherical position.
// Given:    s      {longitude, latitude} in degrees
// Returned: f      VectorFromSpherical times 16384, truncated toward zero
void FixedVectorFromSpherical(const double s[2], FixedVector& f);

// Q14 vector of a double vector. NaN components give 0; values beyond the
// int32 range are held at its ends.
// Given:    v      vector
// Returned: f      each component times 16384, truncated toward zero
void FixedFromVector(const double v[3], FixedVector& f);

// Spherical position of a Q14 vector of any length.
// Given:    f      Q14 vector
// Returned: s      {longitude in [0, 360), latitude in [-90, 90]} degrees;
//                  the zero vector gives {0, 0}
void SphericalFromFixedVector(const FixedVector& f, double s[2]);

// Q14 matrix of a double matrix, with the same guards as FixedFromVector.
// Given:    m      matrix
// Returned: f      each element times 16384, truncated toward zero
void FixedFromMatrix(const double m[9], FixedMatrix& f);
