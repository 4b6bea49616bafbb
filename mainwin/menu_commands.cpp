#include "mainwin/menu_commands.h"

#include "astro/coordinates.h"
#include "command/display_commands.h"
#include "core/view_modes.h"
#include "sky/scene.h"

#include <cstdio>

namespace {

constexpr size_t kTextSize = 128;

}  // namespace

std::string ViewAngleCommand(const Scene& scene, double width)
{
    if (ViewFamilyOf(scene.viewMode) != kFamilySky) {
        return "";
    }
    char text[kTextSize];
    std::snprintf(text, sizeof text, "VIEW ANGLE %.1f;DRIVE", width);
    return text;
}

std::string ViewDirectionCommand(const Scene& scene, double azimuth)
{
    if (ViewFrameOf(scene.viewMode) != kFrameHrz) {
        return "";
    }
    char text[kTextSize];
    std::snprintf(text, sizeof text, "VIEW CENTER HRZ %.2f,0;%s", azimuth,
                  scene.viewMode == kModeHrz ? "LOOK HRZ" : "DRIVE");
    return text;
}

std::string ShowOrHideCommand(const Scene& scene, const char* keyword)
{
    const char* verb = StkDisplayOptionShown(scene, keyword) == 1 ? "HIDE" : "SHOW";
    return std::string(verb) + " " + keyword + "; DRIVE";
}

bool SkyMarksAndNamesShown(const Scene& scene)
{
    return StkDisplayOptionShown(scene, "SKYMARK") == 1 &&
           StkDisplayOptionShown(scene, "SKYMARK_NAME") == 1;
}

const char* SkyMarkCommand(const Scene& scene)
{
    return SkyMarksAndNamesShown(scene) ? "HIDE SKYMARK,SKYMARK_NAME" : "SHOW SKYMARK,SKYMARK_NAME";
}
