#include "dialogs/small_body_dialogs_fields.h"

#include "astro/body_ids.h"
#include "core/app_env.h"
#include "dialogs/element_list.h"
#include "dialogs/kit/command_text.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/scene.h"

#include <cstdint>
#include <cstdio>

namespace {

const SmallBodyToggle kCometToggles[] = {
    {"ToggleShow", kBodyShown},       {"ToggleName", kBodyName},
    {"ToggleDate", kBodyDate},       {"ToggleMag", kBodyMagnitude},
    {"ToggleOrbit", kBodyOrbit},     {"ToggleIonTail", kBodyIonTail},
    {"ToggleDustTail", kBodySpotOrDustTail},
};

const SmallBodyStatement kCometStatements[] = {
    {"%s COMET%d_NAME", kBodyName}, {"%s COMET%d_DATE", kBodyDate},
    {"%s COMET%d_MAG", kBodyMagnitude}, {"%s COMET%d_OBT", kBodyOrbit},
    {"%s IONTAIL%d", kBodyIonTail}, {"%s DUSTTAIL%d", kBodySpotOrDustTail},
};

const SmallBodyStatement kMinorPlanetStatements[] = {
    {"%s MINORPLANET%d_NAME", kBodyName}, {"%s MINORPLANET%d_DATE", kBodyDate},
    {"%s MINORPLANET%d_MAG", kBodyMagnitude}, {"%s MINORPLANET%d_OBT", kBodyOrbit},
};

const char* CometFile()
{
    return gAppEnv->cometFile;
}
const char* CometIndexFile()
{
    return gAppEnv->cometIndexFile;
}
const char* MinorPlanetFile()
{
    return gAppEnv->mplanetFile;
}
const char* MinorPlanetIndexFile()
{
    return gAppEnv->mplanetIndexFile;
}

}  // namespace

// A comet read counts one more than its objects, so 100 comets show the
// gauge and 100 minor planets do not.
const SmallBodyKind kCometKind = {
    "CometDialog", "CometRowColumn", "CometList", "RCCometCtrl", "CometButtons",
    kCometToggles, 7, 0xE1, 1, "messageReadingComets", kCometStatements, 6,
    CometFile, CometIndexFile, FreeCometList, AddComet, kMinorPlanetIdBase - kCometIdBase,
    &Scene::cometCount, &Scene::cometElements, &Scene::cometFlags,
};

const SmallBodyKind kMinorPlanetKind = {
    "MPlanetDialog", "MPlanetRowColumn", "MPlanetList", "RCMPlanetCtrl", "MPlanetButtons",
    kCometToggles, 5, 0x21, 0, "messageReadingMinorPlanets", kMinorPlanetStatements, 4,
    MinorPlanetFile, MinorPlanetIndexFile, FreeMinorPlanetList, AddMinorPlanet,
    INT32_MAX - kMinorPlanetIdBase, &Scene::mplanetCount, &Scene::mplanetElements, &Scene::mplanetFlags,
};

bool ReadShowsGauge(const SmallBodyKind& kind, int chosen)
{
    return chosen + kind.gaugeExtra > kGaugeThreshold;
}

void AddEntryStatements(CommandText& command, const SmallBodyKind& kind, int number, uint8_t flags)
{
    for (int i = 0; i < kind.statementCount; ++i) {
        const SmallBodyStatement& statement = kind.statements[i];
        const char* verb = (flags & statement.bit) != 0 ? "SHOW" : "HIDE";
        if (i == 0) {
            AddText(command, statement.format, verb, number);
        } else {
            AddStatement(command, statement.format, verb, number);
        }
    }
}
