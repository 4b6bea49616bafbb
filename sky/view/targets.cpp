// Turning the view toward the scene's target.
#include "sky/view/targets.h"

#include "astro/coordinates.h"
#include "astro/trig.h"
#include "sky/scene.h"
#include "sky/view/object_positions.h"

void SetSolarViewOrigin(Scene& scene, ObjectId id)
{
    const double* place = nullptr;
    if (id >= kCometIdBase && id < kCometIdBase + scene.cometCount && scene.cometPositions != nullptr) {
        place = scene.cometPositions[id - kCometIdBase].helioVector;
    } else if (id >= kMinorPlanetIdBase && id < kMinorPlanetIdBase + scene.mplanetCount &&
               scene.mplanetPositions != nullptr) {
        place = scene.mplanetPositions[id - kMinorPlanetIdBase].helioVector;
    } else if (id == kEarthId) {
        place = scene.sun.earthVector;
    } else if (id >= 0 && id < kPlanetCount) {
        place = scene.planets[id].helioVector;
    }
    for (int i = 0; i < 3; ++i) {
        scene.solarOrigin[i] = place != nullptr ? place[i] : 0.0;
    }
}

void UpdateViewCenterFromTarget(Scene& scene)
{
    if ((scene.targetType & kRecentreTarget) != 0) {
        scene.keepCentred = 1;
        scene.targetType &= ~kRecentreTarget;
    }
    const ViewTarget target = ViewTargetOf(scene);
    if (ObjectExists(scene, target.type, target.id) == 0) {
        scene.centring = 0;   // its object is gone (a shorter comet list, an unloaded file)
        return;
    }
    if (target.type == kObjectSolarBody && IsSolarSystemView(scene.viewMode)) {
        SetSolarViewOrigin(scene, target.id);
        return;
    }
    double pair[2];
    const int32_t frame =
        GetTargetCoordinates(scene, target.type, target.id, target.longitude, target.latitude, pair);
    const bool onSky = IsCoordFrame(frame);
    if (!onSky && frame != kObjectScreen) {
        return;   // no place on the sky (VIEW_CENTER, the Earth)
    }
    const int32_t modeFrame = ViewFrameOf(scene.viewMode);
    if (modeFrame == kFrameHrz) {
        ViewGeometry& view = scene.view;
        // A SCREEN target keeps the azimuth and only sets the altitude.
        if (onSky) {
            ConvertCoordinates(scene.time, static_cast<CoordFrame>(frame), pair, kFrameHrz, pair);
            // A target given in the view's own frame comes as typed
            // (-359.9); the scroll bars take only 0 to 360.
            view.hrzCentreAzimuth = NormalizeDegrees(pair[0]);
            view.hrzCentreAltitude = pair[1];
        }
        if (view.hrzCentreAltitude < 0.0) {
            view.hrzCentreAltitude = 0.0;
        }
        if (scene.keepCentred != 0 && view.skyRect.height > 0) {
            // The azimuth follows the target; the horizon stays on the bottom edge.
            const double h = view.skyRect.height;
            view.hrzCentreAltitude =
                (view.screenCentreY - (view.skyRect.y + h / 2.0)) * view.verticalField / h;
        }
        return;
    }
    if (!onSky) {
        return;
    }
    ConvertCoordinates(scene.time, static_cast<CoordFrame>(frame), pair,
                       static_cast<CoordFrame>(modeFrame), pair);
    scene.view.centreLongitude = NormalizeDegrees(pair[0]);
    scene.view.centreLatitude = pair[1];
}
