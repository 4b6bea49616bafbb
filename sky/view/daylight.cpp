#include "sky/view/daylight.h"

#include "astro/coordinates.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A colour the ramp must pass through at a daylight level.
struct RampAnchor {
    int32_t level;
    Rgb8 color;
};

// The ends are fixed, as are the blue night, the daylight blues and the
// sunset glow near the horizon at level 36 (the Sun on the horizon); the
// anchors between them were chosen by eye so that dusk darkens the zenith
// first and the horizon last.
constexpr RampAnchor kZenithAnchors[] = {
    {0, {0, 0, 16}},
    {12, {2, 4, 40}},
    {24, {12, 24, 88}},
    {36, {44, 76, 170}},
    {48, {80, 128, 240}},
};
constexpr RampAnchor kMiddleAnchors[] = {
    {0, {0, 0, 16}},
    {14, {4, 6, 44}},
    {28, {30, 40, 104}},
    {36, {92, 92, 150}},
    {48, {76, 128, 228}},
    {72, {80, 144, 240}},
};
constexpr RampAnchor kHorizonAnchors[] = {
    {0, {0, 0, 20}},
    {16, {12, 10, 52}},
    {28, {120, 60, 72}},
    {36, {229, 89, 48}},
    {44, {196, 136, 120}},
    {54, {110, 160, 216}},
    {72, {80, 160, 240}},
};

// Fritsch-Carlson slopes: a cubic through the anchors that never overshoots
// between two of them, so no channel of a ramp swings past its neighbours.
std::vector<double> MonotoneSlopes(const std::vector<double>& x, const std::vector<double>& y)
{
    const size_t n = x.size();
    std::vector<double> secant(n - 1);
    for (size_t i = 0; i + 1 < n; ++i) {
        secant[i] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]);
    }
    std::vector<double> slope(n);
    slope[0] = secant[0];
    slope[n - 1] = secant[n - 2];
    for (size_t i = 1; i + 1 < n; ++i) {
        if (secant[i - 1] * secant[i] <= 0.0) {
            slope[i] = 0.0;
            continue;
        }
        // Weighted harmonic mean of the neighbouring secants.
        const double h0 = x[i] - x[i - 1];
        const double h1 = x[i + 1] - x[i];
        const double w0 = 2.0 * h1 + h0;
        const double w1 = h1 + 2.0 * h0;
        slope[i] = (w0 + w1) / (w0 / secant[i - 1] + w1 / secant[i]);
    }
    return slope;
}

double HermiteAt(const std::vector<double>& x, const std::vector<double>& y,
                 const std::vector<double>& slope, double at)
{
    size_t i = 0;
    while (i + 2 < x.size() && at > x[i + 1]) {
        ++i;
    }
    const double h = x[i + 1] - x[i];
    const double t = (at - x[i]) / h;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * y[i] + (t3 - 2 * t2 + t) * h * slope[i] + (-2 * t3 + 3 * t2) * y[i + 1] +
           (t3 - t2) * h * slope[i + 1];
}

template <size_t Levels, size_t Anchors>
std::array<Rgb8, Levels> BuildRamp(const RampAnchor (&anchors)[Anchors])
{
    std::vector<double> x;
    std::vector<double> channel[3];
    for (const RampAnchor& anchor : anchors) {
        x.push_back(anchor.level);
        channel[0].push_back(anchor.color.red);
        channel[1].push_back(anchor.color.green);
        channel[2].push_back(anchor.color.blue);
    }
    int32_t values[3][Levels];
    for (int c = 0; c < 3; ++c) {
        const std::vector<double> slope = MonotoneSlopes(x, channel[c]);
        for (size_t level = 0; level < Levels; ++level) {
            const double v = HermiteAt(x, channel[c], slope, static_cast<double>(level));
            values[c][level] = std::clamp(static_cast<int32_t>(std::lround(v)), 0, 255);
        }
    }
    std::array<Rgb8, Levels> ramp{};
    for (size_t level = 0; level < Levels; ++level) {
        ramp[level] = Rgb8{values[0][level], values[1][level], values[2][level]};
    }
    return ramp;
}

Rgb8 Mean(const Rgb8& a, const Rgb8& b)
{
    return Rgb8{(a.red + b.red) / 2, (a.green + b.green) / 2, (a.blue + b.blue) / 2};
}

Rgb8 StepToward(const Rgb8& from, const Rgb8& to, int32_t step, int32_t steps)
{
    return Rgb8{
        from.red + (to.red - from.red) * step / steps,
        from.green + (to.green - from.green) * step / steps,
        from.blue + (to.blue - from.blue) * step / steps,
    };
}

bool ViewHasDaylight(const Scene& scene)
{
    const bool daylightOn = (scene.displayFlags[kFlagSkyAndGround] & 1) != 0;
    const bool horizontalFrame = ViewFrameOf(scene.viewMode) == kFrameHrz;
    return daylightOn && horizontalFrame;
}

}  // namespace

const std::array<Rgb8, kZenithRampLevels>& ZenithRamp()
{
    static const auto ramp = BuildRamp<kZenithRampLevels>(kZenithAnchors);
    return ramp;
}

const std::array<Rgb8, kMiddleRampLevels>& MiddleRamp()
{
    static const auto ramp = BuildRamp<kMiddleRampLevels>(kMiddleAnchors);
    return ramp;
}

const std::array<Rgb8, kHorizonRampLevels>& HorizonRamp()
{
    static const auto ramp = BuildRamp<kHorizonRampLevels>(kHorizonAnchors);
    return ramp;
}

int32_t EclipseReduction(double e)
{
    if (e > 1.0) {
        return static_cast<int32_t>((e - 1.0) / 0.04 * 8.0 + 42.0);
    }
    if (e >= 0.995) {
        return static_cast<int32_t>((e - 0.995) / 0.005 * 12.0 + 30.0);
    }
    if (e >= 0.99) {
        return static_cast<int32_t>((e - 0.99) / 0.005 * 3.0 + 27.0);
    }
    if (e >= 0.95) {
        return static_cast<int32_t>((e - 0.95) / 0.04 * 21.0 + 6.0);
    }
    if (e >= 0.5) {
        return static_cast<int32_t>((e - 0.5) / 0.45 * 5.0 + 1.0);
    }
    return 0;
}

int32_t DaylightLevelFor(double altitude, double overlap)
{
    // Twice the altitude: 18 degrees below the horizon is night, 18 above full day.
    const int32_t clampedAltitude = static_cast<int32_t>(std::clamp(altitude, -90.0, 90.0) * 2.0);
    const int32_t level = std::clamp(clampedAltitude + 36, 0, kMaxDaylightLevel);
    const int32_t reduction = EclipseReduction(overlap);
    int32_t result = level - reduction;
    if (reduction > 0 && result < 26) {
        // An eclipse dims the day to a deep dusk but does not make a dusk darker.
        result = level >= 26 ? 26 : level;
    }
    return std::clamp(result, 0, kMaxDaylightLevel);
}

void ComputeDaylightLevel(Scene& scene)
{
    scene.daylightLevel =
        ViewHasDaylight(scene) ? DaylightLevelFor(scene.sun.altitude, scene.sun.eclipseMagnitude) : 0;
}

void ColorIndexByAltitude(double altitude, int32_t& index)
{
    constexpr double kSteps[] = {15.0, 12.5, 10.0, 7.5, 5.0, 2.5};
    for (int i = 0; i < 6; ++i) {
        if (altitude < kSteps[i]) {
            index = kColorStar4 + i;
        }
    }
}

int32_t SunColorIndex(const Scene& scene)
{
    int32_t index = kColorStar3;
    if (ViewFrameOf(scene.viewMode) == kFrameHrz) {
        ColorIndexByAltitude(scene.sun.altitude, index);
    }
    return index;
}

std::array<Rgb8, kRampCellCount> RampCellColors(int32_t level, const Rgb8& sun)
{
    const int32_t clamped = std::clamp(level, 0, kMaxDaylightLevel);
    const Rgb8 zenith = ZenithRamp()[std::min(clamped, kZenithRampLevels - 1)];
    const Rgb8 middle = MiddleRamp()[clamped];
    const Rgb8 horizon = HorizonRamp()[clamped];
    return {
        zenith,
        Mean(zenith, middle),
        middle,
        Mean(middle, horizon),
        horizon,
        StepToward(zenith, sun, 1, 5),
        StepToward(zenith, sun, 2, 5),
        StepToward(zenith, sun, 3, 5),
        StepToward(zenith, sun, 4, 5),
    };
}

void SetSkyColors(const Scene& scene)
{
    SetRampCellColors(RampCellColors(scene.daylightLevel, FallbackColorTable[SunColorIndex(scene)]));
}
