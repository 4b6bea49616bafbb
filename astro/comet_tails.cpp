#include "astro/comet_tails.h"

#include "astro/anomaly_solvers.h"
#include "astro/astro_constants.h"
#include "astro/clamped_math.h"
#include "astro/hyperbolic.h"
#include "astro/precession.h"
#include "astro/vector_math.h"

#include <cmath>

namespace {

constexpr double kNoNetForce = 1e-6;       // |beta - 1| below this: no gravity left
constexpr double kParabolicWithin = 1e-6;  // |e - 1| below this: a parabola
constexpr double kAwkwardlyParabolic = 0.01;
constexpr int kBetaTries = 4;
constexpr double kBetaStep = 0.3;
constexpr double kWeakBeta = 0.2;
constexpr double kLengthTooShort = 1e-6;   // AU

// The span search of one tail kind.
struct SpanSearch {
    double length;      // AU
    double limit;       // days searched
    double acceptFrom;  // beyond this age the tail cannot reach its length
};

bool Finite(double x, double y)
{
    return std::isfinite(x) && std::isfinite(y);
}

// A particle at the Earth itself has no direction.
bool FiniteDirection(const double v[3])
{
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// Kepler's equation wants at least one solver step away from e = 1;
// a conic too near a parabola for either solver is avoided by raising beta.
bool AwkwardConic(const TailParticle& p)
{
    const double off = std::fabs(p.e - 1.0);
    return off > kParabolicWithin && off < kAwkwardlyParabolic;
}

// StateToConic with beta raised by 0.3 until the conic is usable, at most
// four tries in all.
bool ChooseBeta(double releaseJd, TailParticle& p, double startBeta)
{
    p.beta = startBeta;
    for (int attempt = 0; attempt < kBetaTries; ++attempt) {
        if (StateToConic(releaseJd, p) == 0 && !AwkwardConic(p))
            return true;
        p.beta += kBetaStep;
    }
    return false;
}

using SpanFunction = int32_t (*)(double, const OrbitalElements&, const OrbitPlaneState&, double&);

// What both tails start from: a length that is not 0, the comet's place,
// the span of its emissions, and the orbit-plane and precession matrices.
bool StartTail(double jd, const OrbitalElements& el, double length, SpanFunction findSpan, double& span,
               double plane[9], double precession[9])
{
    OrbitPlaneState comet;
    if (std::fabs(length) < kLengthTooShort || OrbitPosition(jd, el, comet, 0) != 0 ||
        findSpan(jd, el, comet, span) == 0)
        return false;
    SmallBodyPlaneMatrix(el, plane);
    PrecessionMatrix(EquinoxEpoch(el), kJ2000, precession);
    return true;
}

// The comet's state at emission j of ten over the span.
bool ReleaseState(double jd, const OrbitalElements& el, int j, double span, TailParticle& p, double& release)
{
    release = jd - j * span / kTailSteps;
    p = TailParticle{};
    return OrbitPosition(release, el, p.state, 1) == 0;
}

// Bisection on the particle age; `place` puts the particle of a given age
// and reports false when it cannot.
template <typename Place>
int32_t FindSpan(double jd, const OrbitalElements& el, const OrbitPlaneState& comet, const SpanSearch& search,
                 Place place, double& span)
{
    const double target = search.length * search.length;
    const double tolerance = std::fmax(0.1 * target, 1e-6);
    double lo = 0.0, hi = search.limit;
    for (int step = 0; step < kOrbitMaxSteps; ++step) {
        const double mid = 0.5 * (lo + hi);
        TailParticle p{};
        if (OrbitPosition(jd - mid, el, p.state, 1) != 0)
            return 0;
        double x, y;
        if (!place(step, mid, p, x, y) || !Finite(x, y))
            return 0;
        const double d2 = (x - comet.x) * (x - comet.x) + (y - comet.y) * (y - comet.y);
        if (std::fabs(d2 - target) < tolerance || (d2 < target && mid > search.acceptFrom)) {
            span = mid;
            return 1;
        }
        (d2 > target ? hi : lo) = mid;
    }
    return 0;
}

} // namespace

int32_t StateToConic(double releaseJd, TailParticle& p)
{
    if (std::fabs(p.beta - 1.0) < kNoNetForce) {
        p.perihelionTime = p.q = p.e = p.a = p.mu = p.omega = 0.0;
        return -1;
    }
    const OrbitPlaneState& s = p.state;
    const double h = s.x * s.vy - s.vx * s.y;
    p.mu = (1.0 - p.beta) * kGaussK2;
    const double v2 = s.vx * s.vx + s.vy * s.vy;
    p.e = ClampedSqrt((v2 - 2.0 * p.mu / s.r) * h * h / (p.mu * p.mu) + 1.0);
    const double param = h * h / std::fabs(p.mu);
    const double sign = p.mu < 0.0 ? -1.0 : 1.0;
    p.q = param / std::fabs(p.e + sign);

    // True anomaly of the release point on the particle's conic, from
    // e cos nu = p / r - s and e sin nu = (dr/dt) h / |mu|: negative while
    // the particle still closes in on its perihelion. Both parts together,
    // because an arc cosine alone loses half the digits near perihelion. A
    // circle has no perihelion of its own: the release point serves.
    const double radialSpeed = (s.x * s.vx + s.y * s.vy) / s.r;
    const double nu = std::atan2(radialSpeed * h / std::fabs(p.mu), param / s.r - sign);
    if (std::fabs(p.e - 1.0) >= kParabolicWithin)
        p.a = param / std::fabs(p.e * p.e - 1.0);
    p.omega = (s.trueAnomaly - nu) * kDegreesPerRadian;

    const double w = p.omega * kRadiansPerDegree;
    const double xi = s.x * std::cos(w) + s.y * std::sin(w);
    const double eta = -s.x * std::sin(w) + s.y * std::cos(w);
    const double absMu = std::fabs(p.mu);
    if (std::fabs(p.e - 1.0) < kParabolicWithin) {
        const double t = eta / (2.0 * p.q);
        p.perihelionTime = releaseJd - std::sqrt(2.0 * p.q * p.q * p.q / absMu) * t * (t * t / 3.0 + 1.0);
    } else if (p.e < 1.0) {
        const double sinE = eta / (p.a * ClampedSqrt(1.0 - p.e * p.e));
        const double cosE = xi / p.a + p.e;
        const double E = std::atan2(sinE, cosE);
        p.perihelionTime = releaseJd - (sign * E - p.e * std::sin(E)) * std::sqrt(p.a * p.a * p.a / absMu);
    } else {
        const double sinhH = eta / (p.a * ClampedSqrt(p.e * p.e - 1.0));
        const double H = std::asinh(sinhH);
        p.perihelionTime = releaseJd - (p.e * sinhH - sign * H) * std::sqrt(p.a * p.a * p.a / absMu);
    }
    return 0;
}

int32_t ParticleParabolic(double targetJd, const TailParticle& p, double& xi, double& eta)
{
    const double w = (targetJd - p.perihelionTime) * std::sqrt(std::fabs(p.mu) / p.q) / (p.q * std::sqrt(2.0));
    double tau = w;
    if (!SolveBarker(w, tau))
        return -1;
    xi = p.q * (1.0 - tau * tau);
    eta = 2.0 * p.q * tau;
    return 0;
}

int32_t ParticleElliptic(double targetJd, const TailParticle& p, double& xi, double& eta)
{
    const double m = (targetJd - p.perihelionTime) * std::sqrt(std::fabs(p.mu)) / (p.a * std::sqrt(p.a));
    double E;
    if (!SolveEllipticKepler(m, p.e, E))
        return -1;
    xi = p.a * (std::cos(E) - p.e);
    eta = p.a * ClampedSqrt(1.0 - p.e * p.e) * std::sin(E);
    return 0;
}

int32_t ParticleHyperbolic(double targetJd, const TailParticle& p, double& xi, double& eta)
{
    const double sign = p.mu < 0.0 ? -1.0 : 1.0;
    const double m = (targetJd - p.perihelionTime) * std::sqrt(std::fabs(p.mu) / p.a) / p.a;
    double H;
    if (!SolveHyperbolicKepler(m, p.e, sign, H))
        return -1;
    double sinhH, coshH;
    SinhCosh(H, sinhH, coshH);
    const double coshMinusOne = RefineSinhCosh(H, sinhH, coshH);
    // a (e - s cosh H), with cosh H - 1 apart: an attracted particle just
    // beyond e = 1 has a huge semi-axis.
    xi = p.a * (p.e - sign) - sign * p.a * coshMinusOne;
    eta = p.a * ClampedSqrt(p.e * p.e - 1.0) * sinhH;
    return 0;
}

int32_t ParticlePosition(double releaseJd, double targetJd, const TailParticle& p, double& x, double& y)
{
    if (std::fabs(p.beta - 1.0) < kNoNetForce) {
        x = p.state.x + p.state.vx * (targetJd - releaseJd);
        y = p.state.y + p.state.vy * (targetJd - releaseJd);
        return Finite(x, y) ? 0 : -1;
    }
    double xi, eta;
    int32_t result;
    if (std::fabs(p.e - 1.0) < kParabolicWithin)
        result = ParticleParabolic(targetJd, p, xi, eta);
    else if (p.e <= 1.0)
        result = ParticleElliptic(targetJd, p, xi, eta);
    else
        result = ParticleHyperbolic(targetJd, p, xi, eta);
    if (result != 0)
        return -1;
    const double w = p.omega * kRadiansPerDegree;
    x = xi * std::cos(w) - eta * std::sin(w);
    y = xi * std::sin(w) + eta * std::cos(w);
    return Finite(x, y) ? 0 : -1;
}

void IonParticlePosition(double releaseJd, double targetJd, const TailParticle& p, double& x, double& y)
{
    const double dt = targetJd - releaseJd;
    x = p.state.x + dt * (p.state.vx + kIonSpeed * std::cos(p.state.trueAnomaly));
    y = p.state.y + dt * (p.state.vy + kIonSpeed * std::sin(p.state.trueAnomaly));
}

void TailPointToEquatorial(double helio[3], double geo[3], double x, double y, const double plane[9],
                           const double earth[3], const double precession[9])
{
    const double point[3] = {x, y, 0.0};
    double equinox[3];
    MatrixTimesVector(point, plane, equinox);
    MatrixTimesVector(equinox, precession, helio);
    VectorSubtract(helio, earth, geo);
    VectorScale(geo, 1.0 / VectorLength(geo), geo);
}

int32_t DustTailSpan(double jd, const OrbitalElements& el, const OrbitPlaneState& comet, double& span)
{
    double beta = el.dustForce;
    auto place = [&](int step, double age, TailParticle& p, double& x, double& y) {
        // The force is chosen once, on the first particle, and kept.
        if (step == 0) {
            if (!ChooseBeta(jd - age, p, el.dustForce))
                return false;
            beta = p.beta;
        } else {
            p.beta = beta;
            if (StateToConic(jd - age, p) != 0)
                return false;
        }
        return ParticlePosition(jd - age, jd, p, x, y) == 0;
    };
    return FindSpan(jd, el, comet, {el.dustTailLength, 150.0, 112.499999}, place, span);
}

int32_t IonTailSpan(double jd, const OrbitalElements& el, const OrbitPlaneState& comet, double& span)
{
    auto place = [&](int, double age, TailParticle& p, double& x, double& y) {
        IonParticlePosition(jd - age, jd, p, x, y);
        return true;
    };
    return FindSpan(jd, el, comet, {el.ionTailLength, 50.0, 37.499999}, place, span);
}

int32_t CometDustTail(double jd, const OrbitalElements& el, const double earth[3], CometTail& tail)
{
    tail.dustCount = 0;
    double span, plane[9], precession[9];
    if (!StartTail(jd, el, el.dustTailLength, DustTailSpan, span, plane, precession))
        return 0;
    double betas[2] = {kWeakBeta, 0.0};
    for (int j = 0; j < kTailSteps; ++j) {
        TailParticle p;
        double release;
        if (!ReleaseState(jd, el, j, span, p, release))
            return 0;
        for (int m = 0; m < 2; ++m) {
            if (j == 0) {
                // The strong family starts from the weak one's force plus the
                // comet's own force parameter.
                const double start = m == 0 ? kWeakBeta : betas[0] + el.dustForce;
                if (!ChooseBeta(release, p, start))
                    return 0;
                betas[m] = p.beta;
            } else {
                p.beta = betas[m];
                if (StateToConic(release, p) != 0)
                    return 0;
            }
            double x, y;
            if (ParticlePosition(release, jd, p, x, y) != 0)
                return 0;
            TailPointToEquatorial(tail.dustPositions[j][m], tail.dustDirections[j][m], x, y, plane, earth,
                                  precession);
            if (!FiniteDirection(tail.dustDirections[j][m]))
                return 0;
        }
    }
    tail.dustCount = kTailSteps;
    return 1;
}

int32_t CometIonTail(double jd, const OrbitalElements& el, const double earth[3], CometTail& tail)
{
    tail.ionCount = 0;
    double span, plane[9], precession[9];
    if (!StartTail(jd, el, el.ionTailLength, IonTailSpan, span, plane, precession))
        return 0;
    for (int j = 0; j < kTailSteps; ++j) {
        TailParticle p;
        double release;
        if (!ReleaseState(jd, el, j, span, p, release))
            return 0;
        double x, y;
        IonParticlePosition(release, jd, p, x, y);
        if (!Finite(x, y))
            return 0;
        TailPointToEquatorial(tail.ionPositions[j], tail.ionDirections[j], x, y, plane, earth, precession);
        if (!FiniteDirection(tail.ionDirections[j]))
            return 0;
    }
    tail.ionCount = kTailSteps;
    return 1;
}

namespace {

// A tail computed where the comet was when the light seen now left it (the
// instant of the comet's own place), with the Earth without nutation.
int32_t TailAtLightTime(int32_t (*tailAt)(double, const OrbitalElements&, const double[3], CometTail&),
                        const AstroTime& t, const SunRecord& sun, const OrbitalElements& el, CometTail& tail)
{
    double emitted, helio[3];
    if (SmallBodyLightTimePlace(t.julianDay, el, sun.geometricEarth, kJ2000, emitted, helio) == 0)
        return 0;
    return tailAt(emitted, el, sun.geometricEarth, tail);
}

} // namespace

int32_t UpdateDustTail(const AstroTime& t, const SunRecord& sun, const OrbitalElements& el, CometTail& tail)
{
    if (TailAtLightTime(CometDustTail, t, sun, el, tail) == 0) {
        tail.dustCount = 0;
        return 0;
    }
    tail.dustDay = t.julianDay;
    return 1;
}

int32_t UpdateIonTail(const AstroTime& t, const SunRecord& sun, const OrbitalElements& el, CometTail& tail)
{
    if (TailAtLightTime(CometIonTail, t, sun, el, tail) == 0) {
        tail.ionCount = 0;
        return 0;
    }
    tail.ionDay = t.julianDay;
    return 1;
}
