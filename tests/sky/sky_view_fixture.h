// Scenes for the sky geometry tests: a fresh scene with a window, a mode,
// a field and a time, and the view set up as a redraw would set it up;
// directions given in the view's own frame.
#pragma once

#include "astro/astro_time.h"
#include "astro/coordinates.h"
#include "core/app_env.h"
#include "data/catalog_tables.h"
#include "sky/scene.h"
#include "sky/view/projection.h"
#include "sky/view/view_setup.h"

#include <cmath>
#include <memory>

namespace skytest {

struct ViewSetup {
    int32_t mode = kModeHrz;
    int width = 800;
    int height = 600;
    int top = 0;               // sky rectangle y (status line above)
    double field = 120.0;
    int32_t mirror = 0;
    double centreLongitude = 0.0;   // view centre of the mode's frame
    double centreLatitude = 0.0;
    double azimuth = 0.0;           // horizontal view centre
    double altitude = 0.0;
    int32_t fontHeight = 16;        // direction-font height
};

// Tokyo, 2024 March 20 22:00 JST.
inline void SetTokyoTime(Scene& scene)
{
    const DateTime date{2024, 3, 20, 22, 0, 0.0, 9.0};
    const ObserverLocation tokyo{35.68, 139.77, 40.0};
    AstroTimeFromDate(date, tokyo, scene.time);
}

inline std::unique_ptr<Scene> MakeScene(const ViewSetup& setup)
{
    ResetAppEnv();
    gAppEnv->fontAscent = setup.fontHeight;
    auto scene = std::make_unique<Scene>();
    ResetScene(*scene);
    SetTokyoTime(*scene);
    scene->viewMode = setup.mode;
    scene->mirror = setup.mirror;
    scene->view.skyRect = XRectangle{0, static_cast<short>(setup.top), static_cast<unsigned short>(setup.width),
                                     static_cast<unsigned short>(setup.height)};
    scene->view.fieldOfView = setup.field;
    scene->view.centreLongitude = setup.centreLongitude;
    scene->view.centreLatitude = setup.centreLatitude;
    scene->view.hrzCentreAzimuth = setup.azimuth;
    scene->view.hrzCentreAltitude = setup.altitude;
    ComputeViewScale(*scene);
    ComputeViewMatrices(*scene);
    return scene;
}

inline void VectorFromDegrees(double longitude, double latitude, double v[3])
{
    const double l = longitude * M_PI / 180.0;
    const double b = latitude * M_PI / 180.0;
    v[0] = std::cos(b) * std::cos(l);
    v[1] = std::cos(b) * std::sin(l);
    v[2] = std::sin(b);
}

// Unit J2000 direction of a star of the built-in catalogue.
inline void StarVector(int32_t star, double v[3])
{
    const BrightStarRecord& record = BrightStarTable[static_cast<size_t>(star)];
    v[0] = record.x / 16384.0;
    v[1] = record.y / 16384.0;
    v[2] = record.z / 16384.0;
    const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (int i = 0; i < 3; ++i) {
        v[i] /= n;
    }
}

// An equatorial view of the given width (degrees across 800 pixels)
// centred on a J2000 direction, without the status line.
inline std::unique_ptr<Scene> EquatorialViewOn(const double v[3], double field)
{
    ViewSetup setup;
    setup.mode = kModeEqt;
    setup.field = field;
    auto probe = MakeScene(setup);
    double j2000[2] = {std::atan2(v[1], v[0]) * 180.0 / M_PI, std::asin(v[2]) * 180.0 / M_PI};
    double ofDate[2];
    ConvertCoordinates(probe->time, kFrameEqt, j2000, kFrameEqtDate, ofDate);
    setup.centreLongitude = ofDate[0];
    setup.centreLatitude = ofDate[1];
    auto scene = MakeScene(setup);
    scene->statusLine = 0;
    return scene;
}

inline FixedVector FixedFromDouble(const double v[3])
{
    return FixedVector{static_cast<int32_t>(v[0] * 16384.0), static_cast<int32_t>(v[1] * 16384.0),
                       static_cast<int32_t>(v[2] * 16384.0)};
}

inline void Normalise(double v[3])
{
    const double n = std::hypot(v[0], v[1], v[2]);
    for (int i = 0; i < 3; ++i)
        v[i] /= n;
}

// J2000 direction of a point given in the view frame (x the view axis,
// y screen left, z screen up): the transpose of the scene's view matrix.
inline void DirectionFromViewFrame(const Scene& scene, const double f[3], double v[3])
{
    const double* m = scene.view.matricesDouble[0];
    for (int i = 0; i < 3; ++i)
        v[i] = m[i] * f[0] + m[3 + i] * f[1] + m[6 + i] * f[2];
}

// Q14 direction of a longitude and latitude (degrees) about the view axis,
// and its pixel, visible or not.
inline FixedVector ViewVector(const Scene& scene, double longitude, double latitude)
{
    double f[3], v[3];
    VectorFromDegrees(longitude, latitude, f);
    DirectionFromViewFrame(scene, f, v);
    return FixedFromDouble(v);
}

inline ProjectedPoint ViewPoint(const Scene& scene, double longitude, double latitude)
{
    ProjectedPoint p{};
    ProjectPoint(scene, ViewVector(scene, longitude, latitude), p);
    return p;
}

constexpr int32_t kAllModes[] = {kModeHrz,     kModeEqt,     kModeEcl,     kModeGal,
                                 kModeSol1,    kModeSol2,    kModeSol3,    kModeAll1Eqt,
                                 kModeAll1Ecl, kModeAll1Gal, kModeAll2Eqt, kModeAll2Ecl,
                                 kModeAll2Gal, kModeVola};

}  // namespace skytest
