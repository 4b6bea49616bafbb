#include "dialogs/star_dialog_fields.h"

#include "core/app_env.h"
#include "dialogs/kit/command_text.h"
#include "sky/layers/star_layer.h"
#include "sky/scene.h"

#include <algorithm>

const ToggleRow kStarToggles[kStarToggleCount] = {
    {"ToggleStar", "STAR"},
    {"ToggleStarName", "STARNAME"},
    {"ToggleStarMag", "STAR_MAG"},
    {"ToggleStarBayer", "BAYER"},
    {"ToggleStarFlamsteed", "FLAMSTEED"},
};

namespace {

struct CatalogRow {
    const char* keyword;   // of STARDATA
    double cap;            // magnitudes
};

constexpr CatalogRow kCatalogs[] = {{"STD", 6.5}, {"SAO", 9.5}, {"GSC", 17.0}};

const CatalogRow& CatalogOf(int32_t catalog)
{
    return kCatalogs[catalog == kCatalogSao || catalog == kCatalogGsc ? catalog : kCatalogStd];
}

// A stored choice the machine cannot draw now shows as the built-in stars.
int32_t CatalogShown(const Scene& scene, bool saoOffered, bool gscOffered)
{
    const uint8_t stars = scene.displayFlags[kFlagStars];
    if ((stars & kSaoStarsFlag) != 0) {
        return saoOffered ? kCatalogSao : kCatalogStd;
    }
    if ((stars & kGscStarsFlag) != 0 && gscOffered) {
        return kCatalogGsc;
    }
    return kCatalogStd;
}

}  // namespace

StarDialogValues ReadStarDialogValues(const Scene& scene, bool saoOffered, bool gscOffered)
{
    StarDialogValues values;
    values.toggles = ReadDisplayOptions(scene, kStarToggles, kStarToggleCount);
    values.starLimit = scene.mag.starLimit / 10.0;
    values.labelLimit = scene.mag.starLabelLimit / 10.0;
    values.catalog = CatalogShown(scene, saoOffered, gscOffered);
    values.gscPath = gAppEnv->gscDataPath;
    return values;
}

double StarCatalogCap(int32_t catalog)
{
    return CatalogOf(catalog).cap;
}

void ComposeStarCommands(const StarDialogValues& values, CommandText& catalogue, CommandText& display)
{
    AddText(catalogue, "STARDATA %s", CatalogOf(values.catalog).keyword);
    AddShowHideStatements(display, kStarToggles, values.toggles);
    AddStatement(display, "MAG STAR %.1f",
                 std::clamp(values.starLimit, kStarMagnitudeLowest, StarCatalogCap(values.catalog)));
    AddStatement(display, "MAG STARNAME %.1f",
                 std::clamp(values.labelLimit, kStarMagnitudeLowest, kStarMagnitudeHighest));
    EndText(display);
    AddText(display, "DRIVE");
}
