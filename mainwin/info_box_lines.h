// The text of the information box, composed apart from its drawing: the
// picked object's name, its equatorial place with magnitude and size, its
// rise and set, its horizontal place (or, in the solar-system views, its
// distances) and its click-data text, each piece with its colour and x.
// The box only draws what these functions compose, so the tests read the
// lines without a display.
#pragma once

#include <deque>
#include <cstddef>
#include <cstdint>

struct Scene;

constexpr size_t kInfoBoxTextSize = 256;
constexpr size_t kInfoBoxNameSize = 128;
constexpr int kInfoBoxLineCount = 5;
constexpr double kNoCoordinate = -999.0;
constexpr double kNoValue = -100.0;
constexpr size_t kRiseSetTextSize = 16;

// What the kinds of objects tell the box.
struct InfoBoxObject {
    char name[kInfoBoxNameSize];
    double ra, dec;            // J2000, degrees; kNoCoordinate when none
    double magnitude;          // kNoValue when none
    double size;               // arcminutes; kNoValue when none
};

// One text drawn in the box.
struct InfoBoxPiece {
    int line;                  // 0..4
    int32_t color;             // ColorIndex
    int x;                     // pixels from the left
    bool coreFont;             // drawn with XDrawString in the GC's font
                               // (the grey line 4 texts), else in the
                               // box's font set
    char text[kInfoBoxTextSize];
};

// The pieces in drawing order. A deque, so that a piece being filled stays
// where it is while the next one is added.
struct InfoBoxLines {
    std::deque<InfoBoxPiece> pieces;
};

// The width of a text in the box's font, and the font's logical width (the
// second distance of the solar-system line stands after the first).
struct InfoBoxFont {
    int (*escapement)(const char* text);
    int logicalWidth;
};

// The lines of the picked object at the Scene's time and site, the
// click-data text as line 5, cut to a piece at a whole character of the
// locale. A picked object that no longer exists (a shorter comet list)
// composes nothing.
// Given:    scene  picked object, time, site, zone, view mode, bodies, click
//                  data (reading it may parse targets, hence not const)
//           font   measures of the box's font
// Returned: lines  the pieces to draw
//           1 composed; 0 when nothing is picked or the object is gone
int ComposeClickDataInfo(Scene& scene, const InfoBoxFont& font, InfoBoxLines& lines);

// The object record of one kind, filled; the name, place, magnitude and
// size of an object that does not exist stay as reset (no name, no place).
void ComposeStarInfo(int32_t star, InfoBoxObject& object);
void FormatCometParameters(const Scene& scene, int32_t id, InfoBoxObject& object);
void ComposeNebulaInfo(int32_t index, InfoBoxObject& object);
void ComposeJovianSatelliteInfo(const Scene& scene, int32_t satellite, InfoBoxObject& object);
void ComposeMagellanicCloudInfo(int32_t cloud, InfoBoxObject& object);
// A user object by its running index over the loaded files: its place
// turned from the frame it was given in to J2000; a nebula-kind object
// named with its type, a star-kind one with its magnitude. A LINE or END
// record is no object.
void ComposeUserObjectInfo(const Scene& scene, int32_t index, InfoBoxObject& object);

// Line 2: "R.A. ..h..m  Decl ..", then the magnitude and the size.
// Given:    object  place, magnitude, size
//           earth   1 for the Earth, which has no place of its own
// Returned: text    the line, at most size - 1 bytes
//           1 when the line shows a place, 0 for the invalid texts
int FormatInfoBoxEqtMag(const InfoBoxObject& object, int earth, char* text, size_t size);

// A rise or set time as the box shows it: local clock "%02d:%02d", the
// minute rounded up from 30 seconds (so 23:59:45 reads "24:00"), or
// "--:--" when the event was not found.
// Given:    found  1 when jd holds the event
//           jd     Julian day, UT
//           zone   hours east of UT
// Returned: text   kRiseSetTextSize bytes
void FormatRiseSetTime(int found, double jd, double zone, char* text);

// Geocentric distance Delta and heliocentric distance r of a solar-system
// body, AU: comets and minor planets from their records, the Sun (Delta,
// 0), the Earth (0, the Sun's distance), the planets from theirs; anything
// else 0, 0.
void GetInfoBoxDistances(const Scene& scene, int32_t type, int32_t id, double& delta, double& r);

// A message format from the resources, or the compiled default when the
// resource's text would read other arguments.
void GetInfoFormat(const char* key, const char* defaultFormat, char* format, size_t size);
