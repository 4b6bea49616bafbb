// What the star dialog shows and sends: the star and star-label options,
// their limiting magnitudes, the star catalogue and the Guide Star
// Catalog's root. Plain functions; the widgets are in dialogs/star_dialog.
#pragma once

#include "dialogs/kit/display_toggles.h"

#include <cstdint>
#include <string>
#include <vector>

struct CommandText;
struct Scene;

constexpr int kStarToggleCount = 5;

// The stars and the four kinds of star label, in the dialog's order.
extern const ToggleRow kStarToggles[kStarToggleCount];

// The star catalogues, as STARDATA names them.
enum StarCatalog : int32_t {
    kCatalogStd = 0,   // the built-in bright stars
    kCatalogSao = 1,   // the SAO star file
    kCatalogGsc = 2,   // the Guide Star Catalog
};

// Limits of the two magnitude fields (the arrows, and the label limit at OK).
constexpr double kStarMagnitudeLowest = -2.0;
constexpr double kStarMagnitudeHighest = 10.0;

struct StarDialogValues {
    std::vector<int> toggles;   // kStarToggles order, 1 on or 0 off
    double starLimit = 0.0;     // magnitudes: the fields' numbers (GetTextFieldDouble),
    double labelLimit = 0.0;    // shown "%.1f"
    int32_t catalog = kCatalogStd;
    std::string gscPath;
};

// The dialog's values from the Scene: the SAO choice shows only while the
// SAO file can be read, the GSC choice only while the catalogue is there.
// Given:    saoOffered, gscOffered  IsSaoFileAvailable, IsGscAvailable
StarDialogValues ReadStarDialogValues(const Scene& scene, bool saoOffered, bool gscOffered);

// The faintest star limit a catalogue draws, in magnitudes.
double StarCatalogCap(int32_t catalog);

// The two commands of OK. First "STARDATA STD", "SAO" or "GSC"; then one
// text of SHOW or HIDE for each toggle, "MAG STAR" with the limit kept
// between -2.0 and the catalogue's cap and "MAG STARNAME" with the label
// limit kept between -2.0 and 10.0, every statement ended by ";", and a
// text "DRIVE".
void ComposeStarCommands(const StarDialogValues& values, CommandText& catalogue, CommandText& display);
