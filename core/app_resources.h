// The application resources of class "Init" that name the data files, and
// the start-up work that turns them into usable paths: "~" expansion, the
// private copy of the site list, the index files of the element files, and
// the localised planet names.
#pragma once

#include <X11/Intrinsic.h>
#include <cstddef>

// The 17 "Init" resources as the resource manager gives them. The texts
// belong to the resource database and live as long as the display.
struct InitResources {
    String cometFile;
    String mplanetFile;
    String constDataFile;
    String starNameDataFile;
    String siteFile;
    String dateStyle;
    String saoFile;
    String gscPath;
    String gscIndexFile;
    String skyMarkFile;
    String stlFileIoPath;
    String saveImagePath;
    String userObjectFilePath;
    String clickDataFile;
    String clickImagePath;
    int saveHistory;
    int blinkTime;
};

// Date styles of the Scene.
enum DateStyle : int {
    kDateStyleEnglish = 0,
    kDateStyleJapanese = 1,
    kDateStyleEuropean = 2,
};

// Reads the 17 "Init" resources in one request on the toplevel shell; a
// resource the database does not set gets its compiled default.
void ReadInitResources(Widget toplevel, InitResources& resources);

// The resource "Site" (class "Init", default empty): the name of the initial
// site when the options file names none.
// Given:    size    size of buffer in bytes
// Returned: buffer  the name, cut to size - 1 characters; empty without a
//                   toplevel shell
void ReadSiteResource(Widget toplevel, char* buffer, size_t size);

// The date style a DateStyle resource value selects, compared without
// regard to case: "Japanese" 1, "European" 2, anything else 0 (English).
int DateStyleFromName(const char* name);

// Expands "~" in a resource value into a path field of kPathSize bytes; a
// result that does not fit leaves the field empty.
void ExpandPathInto(const char* value, char* field);

// Copies a file. The copy is written under a temporary name and renamed to
// target only when every read, write and the close succeeded, so a failed
// copy leaves nothing behind.
// Returned: 1 copied, 0 failed
int CopyFile(const char* source, const char* target);

// The site list file to use, in this order: the private copy "uvola.obs" in
// the user directory when it is readable; else a fresh private copy of the
// system file (the SiteFile resource, "~" expanded) when there is a user
// directory and the copy succeeds; else the system file itself.
// Returned: out    kPathSize bytes
void ResolveSiteFile(char* out, const char* siteFileResource);

// The index file of an element file, "~/.uvola/" + the element file's base
// name without its extension + ".dbm", and whether it must be rebuilt: when
// the element file exists and the index is missing or older than it. Before
// the first rebuild of the run "uvola: Creating index file.  This may take a
// while." is printed on standard output.
// Given:    elementFile  path of the comet or minor-planet element file
// Returned: indexPath    kPathSize bytes (empty when it does not fit)
//           1 when the index was due for a rebuild, else 0
int EnsureIndexFile(char* indexPath, const char* elementFile);

// Loads the localised names of the planets (Mercury to Pluto, the Earth
// third) and of the Galilean satellites into gAppEnv from their message
// keys. No memory is fatal: "uvola: insufficient memory." and exit status 1.
void LoadPlanetNames();

// Frees the names of LoadPlanetNames (at quit).
void FreePlanetNames();
