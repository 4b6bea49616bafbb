// The one scene record: everything that makes up the sky view. It is the
// first argument of every command handler, layer, projection and picking
// function, and the client data of the main window's callbacks.
#pragma once

#include "astro/body_records.h"
#include "astro/time_records.h"
#include "core/view_modes.h"
#include "data/catalog_tables.h"
#include "data/fixed_types.h"
#include "sky/object_type.h"

#include <X11/Intrinsic.h>
#include <X11/Xlib.h>
#include <cstdint>

struct OrbitalElements;
struct UserObjectFile;
struct ClickDataIndex;

// TIMESYS: the clock a date is shown and typed in.
enum TimeSystem : int32_t {
    kTimeSystemLst = 0,        // local standard time, in the site's zone
    kTimeSystemUt = 1,
    kTimeSystemLmt = 2,        // local mean time, from the site's longitude
};

// Bit 15 of the target type: centre on the target again at the next redraw.
constexpr int32_t kRecentreTarget = 0x8000;

constexpr int kJovianMoonCount = 4;
constexpr int kDisplayFlagCount = 16;
constexpr int kPickedTextSize = 516;

// The Jovian-satellite flag byte: SHOW JMOON, JMOON_NAME, JMOON_NO.
enum JovianMoonFlagBits : uint8_t {
    kJovianMoonsShown = 1,
    kJovianMoonNames = 2,
    kJovianMoonNumbers = 4,
};

// BodyFlags bits, one byte per solar-system body.
enum BodyFlagBits : uint8_t {
    kBodyOutline = 1,
    kBodyShown = 2,
    kBodyName = 4,
    kBodyMagnitude = 8,
    kBodyDate = 16,
    kBodyOrbit = 32,
    kBodySpotOrDustTail = 64,
    kBodyIonTail = 128,
};

// Index of each display-flag byte; each SHOW/HIDE/TOGGLE group owns one.
enum DisplayFlagIndex {
    kFlagStars = 0,            // group 0x0A
    kFlagStarLabels,           // 0x19
    kFlagConstellations,       // 0x0B
    kFlagMilkyWay,             // 0x1A
    kFlagNebulae,              // 0x0C
    kFlagNebulaTypes,          // 0x0D
    kFlagNebulaCatalogues,     // 0x0E
    kFlagSkyAndGround,         // 0x0F
    kFlagGridNumbers,          // 0x10, grid style in bits 0-1
    kFlagHorizontalGrid,       // 0x11
    kFlagEquatorial,           // 0x12
    kFlagOtherGrids,           // 0x13
    kFlagLineNumbers,          // 0x14
    kFlagUserObjects,          // 0x17
    kFlagSkyMarks,             // 0x1C
    kFlagPictureMarks,         // 0x1D
};

struct AnimationState {
    XtWorkProcId workProc;
    XtIntervalId timer;
    int32_t running;
    int32_t stopMode;          // 1 stop at the target day, 2 no target
    int32_t clockMode;         // 0 time step, 1 real time, 2 real time plus offset
    DateTime offsetStart;
    double offsetStartDay;
    double targetDay;
    int32_t realTimeMode;
    int32_t synchronised;      // 1: steps driven by a re-armed timer
    int32_t interval;          // seconds between synchronised steps
    int32_t sunEventLock;      // 0 none, 1 sunrise, 2 sunset, 3 rising, 4 setting
    int32_t sunEventValue;     // minutes, or whole degrees of altitude
};

struct ViewGeometry {
    XRectangle skyRect;
    double hrzCentreAzimuth, hrzCentreAltitude;
    double centreLongitude, centreLatitude;
    double fieldOfView;        // degrees, horizontal extent
    double verticalField;
    double solarViewWidth;     // AU
    double diagonalField;      // degrees, recomputed before each redraw
    double zoomFactor;
    double minimumField;
    FixedMatrix matrices[3];   // row 0 of the first: view axis; row 2 of the second: horizon axis
    int32_t xScale, yScale;    // pixels per radian
    int32_t centreLimit;       // Q14 cosine to the view axis
    int32_t horizonLimit;      // Q14 cosine to the horizon axis
    int16_t screenCentreX, screenCentreY;
    int32_t circleRadius;
    double matricesDouble[3][9];
    double pixelsPerRadianX, pixelsPerRadianY;
    double centreLimitDouble, horizonLimitDouble;
    double solarScaleX, solarScaleY, solarDepth;   // pixels per AU; depth: the negated view width
    double pixelsPerDegree;
    int32_t starSize;          // STARSIZE x 10
};

// Magnitudes in tenths.
struct MagnitudeLimits {
    int32_t starLimit;
    int32_t starOffset;
    int32_t requestPending;
    int32_t requestedValue;
    int32_t starCap;           // 65 built-in, 95 SAO file, 170 Guide Star Catalog
    int32_t starLabelLimit;
    int32_t faintStarColor;
    int32_t nebulaFaint;
    int32_t nebulaBright;
    int32_t nebulaBoundsInUse;
};

// ViewTarget: what the view turns toward before a redraw (LOOK, TRACK,
// VIEW CENTER, and the south point of a reset). The Scene keeps it in its
// target fields (targetLongitude .. centring), which the commands set one
// by one; this is the same record taken as one value.
struct ViewTarget {
    double longitude, latitude;   // degrees: a coordinate target's pair, SCREEN's pixels
    int32_t type;                 // ObjectType; kRecentreTarget: centre again at the next redraw
    int32_t id;                   // star number, ObjectId, table row or running index
    int32_t centring;             // 0 none, 1 centre once, 2 follow at every redraw
};

struct PickedObject {
    uint8_t picked;            // 0 none, else the pointer's quadrant 1..4
    uint8_t clickDataFlags;    // 1 has text, 2 has an image
    int32_t type;              // ObjectType, -1 none
    int32_t id;
    int16_t pointerX, pointerY;
    char text[kPickedTextSize];
};

// The Guide Star Catalog regions the last chart needed, which the next
// redraw narrows instead of choosing afresh while the view neither moves,
// widens nor turns (sky/layers/gsc_selection). The centre is the one of the
// last fresh selection, so that a view creeping by less than the tolerance
// at every redraw still rebuilds once it has moved; the fields narrow with
// every reuse, since the masks narrow with them.
struct GscSelection {
    int32_t valid;                        // 0: the next selection starts afresh
    double centre[2];                     // RA, Dec (degrees)
    double fieldOfView, verticalField;
    double orientation;                   // position angle of the chart's up, degrees
    int32_t viewMode, mirror;
    int32_t width, height;
    uint32_t masks[kGscLargeRegionCount];   // per large region, bit 0 = its first small region
};

struct Scene {
    // Head
    Widget mainWindow;
    Widget drawingArea;
    Widget hScroll;
    Widget vScroll;
    int32_t viewMode;          // ViewMode
    int32_t viewModeChanged;
    int32_t mirror;            // 0 normal, 1 rotated 180 degrees, 2 flipped

    // Time and site
    AstroTime time;
    char siteName[64];
    DateInterval timeStep;
    int32_t animationDirection;   // 0 forward, 1 backward
    int32_t dateStyle;            // 0 English, 1 Japanese, 2 European
    int32_t timeSystem;           // TimeSystem
    double siteZone;
    double lastSolarUpdate;

    AnimationState animation;
    ViewGeometry view;
    MagnitudeLimits mag;

    // Solar system
    SunRecord sun;
    MoonRecord moon;
    PlanetRecord planets[kPlanetCount];
    int32_t diskMagnitude;
    double solarOrigin[3];        // AU
    JovianMoonRecord jovianMoons[kJovianMoonCount];

    // Loaded comets and minor planets
    int32_t cometCount;
    SmallBodyRecord* cometPositions;
    OrbitalElements* cometElements;
    CometTail* cometTails;
    int32_t mplanetCount;
    SmallBodyRecord* mplanetPositions;
    OrbitalElements* mplanetElements;
    // Records the comet and minor-planet arrays have room for: they grow by
    // doubling, so that loading n objects costs n, not n^2.
    int32_t cometCapacity;
    int32_t mplanetCapacity;
    double orbitPathDay;
    OrbitPath orbitPaths[kOrbitPathCount];   // Mercury..Pluto with the Earth

    // ViewTarget (ViewTargetOf takes it as one value), daylight, display flags
    double targetLongitude, targetLatitude;
    int32_t targetType;           // ObjectType, kRecentreTarget bit
    int32_t targetId;
    int32_t centring;             // 0 none, 1 once, 2 follow
    int32_t daylightLevel;        // 0..72
    uint8_t displayFlags[kDisplayFlagCount];

    PickedObject pickedObject;

    // Trace and body flags
    uint8_t trace;
    uint8_t sunFlags;
    uint8_t moonFlags;
    uint8_t earthFlags;
    uint8_t planetFlags[kPlanetCount];
    uint8_t jovianMoonFlags;
    uint8_t* cometFlags;
    uint8_t* mplanetFlags;

    // Canvas and tail
    int32_t redrawRequested;
    int32_t pixmapNew;
    int32_t background;           // ColorIndex
    Pixmap backPixmap;
    int32_t backPixmapWidth;      // pixels; 0 without a pixmap
    int32_t backPixmapHeight;
    GC gc;
    GC symbolGc;                  // GXor: symbol pictures copied onto the chart
    uint8_t statusLine;
    int32_t keepCentred;
    UserObjectFile* userObjectFiles;
    int32_t userObjectFileCount;
    ClickDataIndex* clickData;
    char* clickDataText;          // the loaded click-data file's bytes, which the
    size_t clickDataSize;         // lookups read: the file itself may go away
    char scriptName[256];
    GscSelection gscSelection;    // kept from one redraw to the next
};

extern Scene* gScene;

// The Scene's target fields as one ViewTarget.
ViewTarget ViewTargetOf(const Scene& scene);

// Stores every default of a fresh or re-initialised scene. Touches no widget,
// X resource or allocation: whoever resets a scene that holds loaded comets,
// minor planets or user-object files releases them first.
void ResetScene(Scene& scene);

// Frees the comet and minor-planet arrays and nulls their pointers; the
// counts are left for ResetScene to zero.
void FreeSceneSmallBodies(Scene& scene);

// Makes the canvas's GCs once the drawing area is realised: the background
// becomes the first sky-ramp cell and there is no back pixmap yet. The
// drawing GC serves every layer; the symbol GC ORs the pictures of symbols
// (nebula marks, and whatever else copies a black-backed picture) onto the
// chart. Neither asks for exposure events: their copies come from pixmaps
// or go to the window whole, so each would only bring back a NoExpose.
// Given:    scene  drawing area (realised); gAppEnv->display
// Returned: scene  background ColorIndex, back pixmap (None), GC, symbol GC
//           the GC (0 when XCreateGC failed)
GC CreateSceneGC(Scene& scene);

// Frees the GCs of CreateSceneGC (a test that makes its scene again).
void FreeSceneGC(Scene& scene);
