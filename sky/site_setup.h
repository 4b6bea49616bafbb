// The start-up work that fills the Scene from the application resources and
// the options file: the resolved data-file paths, the initial site, the
// current time and the date style.
#pragma once

#include "sky/scene.h"

// Name and place of the built-in site, used when neither the options file
// nor the resources name a site of the site list.
constexpr char kBuiltInSiteName[] = "Greenwich (United Kingdom)";
constexpr ObserverLocation kBuiltInSiteLocation = {51.477, 0.0, 50.0};
constexpr double kBuiltInSiteZone = 0.0;

// Sets the initial site of the scene, the first that applies:
// 1. the options file's SiteName, when the site list has it; it also becomes
//    gAppEnv->siteName;
// 2. the resource "Site", when it is set and the site list has it;
// 3. the built-in site (Greenwich).
// In cases 2 and 3 a warning box ("messageSiteNotInit") tells the user how
// to choose a default site, each time.
// Returned: scene  time.location (degrees, metres) and siteName;
//           gAppEnv->initialSiteZone (hours east of UT)
void InitSite(Scene& scene);

// Reads the "Init" resources on the toplevel shell and turns them into the
// paths of gAppEnv ("~" expanded, language variants of the name, sky-mark
// and click-data files, the private site list, the element-file indexes),
// sets the initial site (InitSite), the scene's date to the system clock now
// (seconds 0, the site's zone), the date style, the command-history length
// and the BLINK count (a value below 1 or above 20 gives 10). The options
// GscDataPath, StlFileIoPath, SaveImagePath and UserObjectFilePath override
// their resources and are taken as written.
void LoadAppResources(Scene& scene);
