// The texts the menu items send that depend on the Scene, composed without
// touching a widget: the View menu's width and direction, and the toggles
// that show what is hidden and hide what is shown.
#pragma once

#include <string>

struct Scene;

// "VIEW ANGLE %.1f;DRIVE" with the width, in the sky views only (family
// 0x100); empty in any other view.
// Given:    width  field of view, degrees
std::string ViewAngleCommand(const Scene& scene, double width);

// "VIEW CENTER HRZ %.2f,0;" with the azimuth, then "LOOK HRZ" in HRZ and
// "DRIVE" in the planisphere; empty in a view that is not horizontal.
// Given:    azimuth  degrees from the south through the west
std::string ViewDirectionCommand(const Scene& scene, double azimuth);

// "HIDE keyword; DRIVE" when the option is shown, else "SHOW keyword; DRIVE".
std::string ShowOrHideCommand(const Scene& scene, const char* keyword);

// The Sky Mark item: "HIDE SKYMARK,SKYMARK_NAME" when the marks and their
// names are both shown, else "SHOW SKYMARK,SKYMARK_NAME" ("DRIVE" follows
// as a text of its own).
const char* SkyMarkCommand(const Scene& scene);

// Whether the Sky Mark item shows set: the marks and their names both shown.
bool SkyMarksAndNamesShown(const Scene& scene);
