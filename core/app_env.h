// The one application record of the process, reached through gAppEnv from
// every subsystem: X handles, the user's settings, resolved data-file paths,
// localised names, colours and fonts, the command language's error state and
// the command port's sockets. It lives from the first step of start-up to exit.
#pragma once

#include <X11/Intrinsic.h>
#include <X11/Xlib.h>
#include <cstdint>

constexpr int kPathSize = 256;
constexpr int kPixelTableSize = 256;
constexpr int kFontSetCount = 17;
constexpr int kPlanetNameCount = 9;
constexpr int kGalileanCount = 4;

struct UserObjectFile;

struct AppEnv {
    // Start-up options
    int32_t scriptRunning;          // script files running through STL, nested ones counted
    char geometryOption[40];        // options file Geometry, handed to the toolkit
    char localeOption[64];          // options file Locale
    char localeInUse[64];           // the locale actually set
    char languageCode[3];           // two letters, or empty
    char tzOption[64];              // options file TZ

    // X handles and widgets
    Display* display;
    Screen* screen;
    Widget toplevel;                // parent of every dialog; resources are looked up on it
    Widget toolbar;                 // toolbar form: managed = shown
    Widget stepBox;                 // 0 until created
    Widget whatsTodayDialog;        // 0 until created
    Widget commandDialog;           // 0 until created
    Widget tipShell;                // tooltip shell, 0 when tips are off

    // Drawing constants
    int32_t writableColorCells;     // 1 when the visual has writable colour cells
    int32_t lineWidth;              // 0: thin lines
    double pixelAspect;             // 1.0
    int32_t fontAscent;
    int32_t minPlanetDiscRadius;    // pixels
    double initialSiteZone;         // hours east of UT
    int32_t blinkTime;              // number of BLINK flashes

    // Command language
    char errorKey[32];              // pending error key, empty when none
    char errorParam[40];            // its parameter
    char errorMessage[256];         // the resolved, formatted message

    // Per-user directory; empty = none (nothing is then read or written there)
    char startupScriptPath[kPathSize];
    char userDirectory[kPathSize];

    // Data-file paths
    char cometFile[kPathSize];
    char cometIndexFile[kPathSize];
    char mplanetFile[kPathSize];
    char mplanetIndexFile[kPathSize];
    char constDataFile[kPathSize];
    char starNameDataFile[kPathSize];
    char siteFile[kPathSize];
    char saoFile[kPathSize];
    char gscIndexFile[kPathSize];
    char gscDataPath[kPathSize];

    // Loaded data
    void* gscRegionIndex;
    UserObjectFile* skyMarks;       // the sky-mark file(s), loaded at start-up
    int32_t skyMarkCount;

    // More paths
    char skyMarkFile[kPathSize];
    char clickDataFile[kPathSize];
    char clickImagePath[kPathSize];

    // Settings
    int32_t startingUp;             // 1 from building the main window until the first DRIVE
    int32_t saveHistory;            // command-history lines to keep
    int32_t confirmQuit;
    int32_t confirmInit;
    char siteName[64];              // initial site
    char stlFileIoPath[kPathSize];
    char saveImagePath[kPathSize];
    char userObjectFilePath[kPathSize];

    // Localised names
    char* planetNames[kPlanetNameCount];     // Mercury..Pluto, Earth third
    char* galileanNames[kGalileanCount];     // Io, Europa, Ganymede, Callisto

    // Colours and fonts
    unsigned long pixels[kPixelTableSize];   // indexed by ColorIndex
    XFontSet fontSets[kFontSetCount];
    XFontSetExtents* fontSetExtents[kFontSetCount];
    XFontStruct starBayerFont;

    // Colormap, start-up script, command port
    int32_t installColormap;        // 1 after "-i"
    Colormap colormap;
    int32_t runStartupScript;       // "-q" clears it
    int32_t quiet;                  // 1 while the command port runs a request
    int32_t socketPort;             // 0 = no command port
    int32_t listenSocket;           // -1 = none
    XtInputId listenInputId;
    int32_t clientSocket;           // -1 = none
    XtInputId clientInputId;
};

extern AppEnv* gAppEnv;

// Whether the toolbar is shown: its form exists and is managed, whether or
// not its buttons are made yet (the options and the environment dialog
// report it so; the toolbar's refresh also waits for its buttons).
bool ToolbarShown();

// First step of start-up: points gAppEnv at the static record and stores
// the defaults that are not zero.
void ResetAppEnv();

// Records a failure for the command language to report after the current
// statement: the error key and its parameter, each cut to its field. Only
// the last one recorded is kept. The command language sets its errors
// through this, and so does the solar-system update, which lies below it.
void SetPendingError(const char* key, const char* parameter);
