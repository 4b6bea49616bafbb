#include "sky/site_setup.h"

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "core/app_env.h"
#include "core/app_resources.h"
#include "core/locale.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "core/options.h"
#include "core/string_utils.h"
#include "sky/catalog/element_files.h"
#include "sky/catalog/site_list.h"

#include <cstring>

namespace {

constexpr size_t kSiteOptionSize = 128;
constexpr size_t kSiteNotInitTextSize = 1024;
constexpr int kDefaultBlinkTime = 10;
constexpr int kMostBlinkTime = 20;

void ApplySite(Scene& scene, const char* name, const ObserverLocation& location, double zone)
{
    scene.time.location = location;
    gAppEnv->initialSiteZone = zone;
    CopyCut(scene.siteName, sizeof scene.siteName, name);   // site-list names fit: the cut guards the field
}

// The scene's date becomes now on the system clock, in the initial site's
// zone, to the whole minute.
void SetSceneToNow(Scene& scene)
{
    DateTime now;
    GetCurrentDate(now, gAppEnv->initialSiteZone);
    now.second = 0.0;
    AstroTimeFromDate(now, scene.time.location, scene.time);
    scene.siteZone = now.zone;
    scene.lastSolarUpdate = kNeverJulianDay;
}

// A path the options file may set; written there by an earlier quit, it is
// taken as it stands. Otherwise the resource with "~" expanded.
void OptionOrResourcePath(const char* key, const char* resource, char* field)
{
    if (!GetOptionString(key, field, kPathSize)) {
        ExpandPathInto(resource, field);
    }
}

void LocalizedPath(const char* resource, char* field)
{
    ExpandPathInto(resource, field);
    LocalizeDataPath(field, kPathSize);
}

}  // namespace

void InitSite(Scene& scene)
{
    char name[kSiteOptionSize];
    ObserverLocation location;
    double zone = 0.0;
    if (GetOptionString("SiteName", name, sizeof name) && LookUpSite(name, location, zone)) {
        ApplySite(scene, name, location, zone);
        CopyCut(gAppEnv->siteName, sizeof gAppEnv->siteName, name);
        return;
    }
    ReadSiteResource(gAppEnv->toplevel, name, sizeof name);
    if (name[0] != '\0' && LookUpSite(name, location, zone)) {
        ApplySite(scene, name, location, zone);
    } else {
        ApplySite(scene, kBuiltInSiteName, kBuiltInSiteLocation, kBuiltInSiteZone);
    }
    char text[kSiteNotInitTextSize];
    GetMessage("messageSiteNotInit", text, sizeof text);
    ShowMessageBox(gAppEnv->toplevel, text, kMessageBoxWarning);
}

void LoadAppResources(Scene& scene)
{
    AppEnv& env = *gAppEnv;
    InitResources resources;
    ReadInitResources(env.toplevel, resources);

    ExpandPathInto(resources.cometFile, env.cometFile);
    if (EnsureIndexFile(env.cometIndexFile, env.cometFile) != 0)
        BuildElementIndex(env.cometFile, env.cometIndexFile);
    ExpandPathInto(resources.mplanetFile, env.mplanetFile);
    if (EnsureIndexFile(env.mplanetIndexFile, env.mplanetFile) != 0)
        BuildElementIndex(env.mplanetFile, env.mplanetIndexFile);
    LocalizedPath(resources.constDataFile, env.constDataFile);
    LocalizedPath(resources.starNameDataFile, env.starNameDataFile);

    ResolveSiteFile(env.siteFile, resources.siteFile);
    InitSite(scene);
    SetSceneToNow(scene);
    scene.dateStyle = DateStyleFromName(resources.dateStyle);

    ExpandPathInto(resources.saoFile, env.saoFile);
    OptionOrResourcePath("GscDataPath", resources.gscPath, env.gscDataPath);
    ExpandPathInto(resources.gscIndexFile, env.gscIndexFile);
    LocalizedPath(resources.skyMarkFile, env.skyMarkFile);
    OptionOrResourcePath("StlFileIoPath", resources.stlFileIoPath, env.stlFileIoPath);
    OptionOrResourcePath("SaveImagePath", resources.saveImagePath, env.saveImagePath);
    OptionOrResourcePath("UserObjectFilePath", resources.userObjectFilePath, env.userObjectFilePath);
    LocalizedPath(resources.clickDataFile, env.clickDataFile);
    ExpandPathInto(resources.clickImagePath, env.clickImagePath);

    env.saveHistory = resources.saveHistory;
    // BLINK holds the program while it flashes: more than 20 flashes would
    // freeze it for seconds, so such a value counts as nonsense too.
    const bool sensibleBlinkTime = resources.blinkTime >= 1 && resources.blinkTime <= kMostBlinkTime;
    env.blinkTime = sensibleBlinkTime ? resources.blinkTime : kDefaultBlinkTime;
}
