// Comet tails as particles that left the comet earlier with its velocity
// and have moved on their own since: dust under a solar gravity weakened
// (or, beyond beta = 1, reversed) by radiation pressure, two force values
// giving the edges of the curved dust fan; ions in a straight line pushed
// radially away from the Sun at 400 km/s. The age of the oldest particle is
// chosen so that the tail has the length the comet's elements give.
#pragma once

#include "astro/body_records.h"
#include "astro/small_body_orbit.h"
#include "astro/time_records.h"

#include <cstdint>

// Speed of the ion stream away from the Sun, AU per day (400 km/s).
constexpr double kIonSpeed = 0.23101933202658567;

// One tail particle: where and how it left the comet, and the conic it
// follows from there.
struct TailParticle {
    OrbitPlaneState state;   // release place and velocity in the comet's orbit plane
    double beta;             // radiation force over solar gravity
    double perihelionTime;   // T of the particle's conic, Julian day
    double q;                // its perihelion (closest) distance, AU
    double e;                // its eccentricity
    double a;                // its semi-axis p / |e^2 - 1|, AU (not set for a parabola)
    double mu;               // net gravitational parameter (1 - beta) k^2, AU^3/day^2
    double omega;            // its perihelion direction from the comet's, degrees
};

// The comet's tails for the scene's instant: computed for the moment the
// light seen then left the comet (SmallBodyLightTimePlace), with the
// geometric Earth of the scene's Sun record; on success the tail's dust
// (ion) day is the scene's.
// Returned: 1, or 0 when the tail cannot be computed (its count is then 0)
int32_t UpdateDustTail(const AstroTime& t, const SunRecord& sun, const OrbitalElements& el, CometTail& tail);
int32_t UpdateIonTail(const AstroTime& t, const SunRecord& sun, const OrbitalElements& el, CometTail& tail);

// The dust tail: ten emission times over the span DustTailSpan finds, two
// particles each (beta from 0.2, and from that plus the force parameter).
// Given:    jd     Julian day, TT
//           el     elements; the orbit, orientation and equinox, the dust
//                  tail length and force parameter
//           earth  the Earth's heliocentric vector, J2000 equatorial, AU
// Returned: tail   its dust count (10), directions and positions
//           1, or 0 (count 0) when the length is 0 or an orbit, span,
//           conic or particle cannot be solved or is not finite
int32_t CometDustTail(double jd, const OrbitalElements& el, const double earth[3], CometTail& tail);

// The ion tail: ten emission times over the span IonTailSpan finds.
// Given, Returned: as CometDustTail, for the ion fields
int32_t CometIonTail(double jd, const OrbitalElements& el, const double earth[3], CometTail& tail);

// Age of the oldest particle: bisection on the age until the particle lies
// at the tail's length from the comet (squared distances within
// max(0.1 L^2, 1e-6)); a tail that cannot drift that far within 150 days
// (dust) or 50 days (ion) spans a little over 112.5 or 37.5 days.
// Given:    jd     Julian day
//           el     elements
//           comet  the comet's place at jd in its orbit plane
// Returned: span   days
//           1, or 0 when the search failed
int32_t DustTailSpan(double jd, const OrbitalElements& el, const OrbitPlaneState& comet, double& span);
int32_t IonTailSpan(double jd, const OrbitalElements& el, const OrbitPlaneState& comet, double& span);

// The conic a particle follows from its release state under the net
// parameter mu = (1 - beta) k^2.
// Given:    releaseJd  Julian day of the release
//           p          state and beta
// Returned: p          perihelionTime, q, e, a, mu and omega
//           0, or -1 when beta is within 1e-6 of 1 (no net force: the
//           conic fields are then 0)
int32_t StateToConic(double releaseJd, TailParticle& p);

// Place of a particle at a later (or the same) instant.
// Given:    releaseJd, targetJd  Julian days
//           p                    the particle after StateToConic
// Returned: x, y                 place in the comet's orbit plane, AU
//           0, or -1 when the solver does not converge or the result is
//           not finite
int32_t ParticlePosition(double releaseJd, double targetJd, const TailParticle& p, double& x, double& y);

// The three conic solvers behind ParticlePosition.
// Given:    targetJd  Julian day
//           p         the particle
// Returned: xi, eta   place in the conic's own frame (xi towards its
//                     perihelion), AU; 0 or -1
int32_t ParticleParabolic(double targetJd, const TailParticle& p, double& xi, double& eta);
int32_t ParticleElliptic(double targetJd, const TailParticle& p, double& xi, double& eta);
int32_t ParticleHyperbolic(double targetJd, const TailParticle& p, double& xi, double& eta);

// Place of an ion: straight on with the release velocity plus 400 km/s
// radially outward.
// Given:    releaseJd, targetJd  Julian days
//           p                    release state (its true anomaly is used)
// Returned: x, y                 place in the comet's orbit plane, AU
void IonParticlePosition(double releaseJd, double targetJd, const TailParticle& p, double& x, double& y);

// An orbit-plane point as seen from the Earth.
// Given:    x, y        place in the orbit plane, AU
//           plane       orbit plane to the equator of the elements' equinox
//           earth       the Earth's heliocentric vector, J2000 equatorial, AU
//           precession  the equinox's equator to J2000
// Returned: helio       heliocentric vector, J2000 equatorial, AU
//           geo         geocentric unit vector
void TailPointToEquatorial(double helio[3], double geo[3], double x, double y, const double plane[9],
                           const double earth[3], const double precession[9]);
