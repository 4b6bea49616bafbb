// What tells the comet dialog and the minor-planet dialog apart: their
// widget names, files, toggles, default flags, gauge and the statements
// that carry each chosen object's flags into the Scene. Plain data and
// the composing of those statements, tested without X.
#pragma once

#include <cstdint>

struct CommandText;
struct OrbitalElements;
struct Scene;

// One toggle of a dialog and the entry flag bit it sets.
struct SmallBodyToggle {
    const char* name;   // "ToggleShow"
    uint8_t bit;        // BodyFlagBits
};

// One SHOW/HIDE statement of a loaded object, by an entry flag bit.
struct SmallBodyStatement {
    const char* format;   // "%s COMET%d_NAME": SHOW or HIDE, then the object's number
    uint8_t bit;
};

struct SmallBodyKind {
    const char* dialogName;      // "CometDialog"
    const char* rowColumnName;   // "CometRowColumn"
    const char* listName;        // "CometList"
    const char* controlName;     // "RCCometCtrl"
    const char* buttonsName;     // "CometButtons"
    const SmallBodyToggle* toggles;
    int toggleCount;
    uint8_t defaultFlags;
    // The gauge opens when this plus the number of chosen objects exceeds
    // kGaugeThreshold.
    int gaugeExtra;
    const char* gaugeKey;        // "messageReadingComets"
    const SmallBodyStatement* statements;
    int statementCount;
    const char* (*elementFile)();   // AppEnv's file and its index
    const char* (*indexFile)();
    void (*freeLoaded)(Scene& scene);
    int32_t (*addLoaded)(Scene& scene, const OrbitalElements& el);
    // Objects past this many would take the ids of the next kind.
    int32_t maxLoaded;
    int32_t Scene::*loadedCount;
    OrbitalElements* Scene::*loadedElements;
    uint8_t* Scene::*loadedFlags;
};

extern const SmallBodyKind kCometKind;
extern const SmallBodyKind kMinorPlanetKind;

// A read of more objects than this shows the gauge.
constexpr int kGaugeThreshold = 100;

// Whether a read of `chosen` objects shows the gauge.
bool ReadShowsGauge(const SmallBodyKind& kind, int chosen);

// The statements that give the k-th loaded object the flags of its entry,
// one text, "SHOW" for a set bit and "HIDE" for a clear one.
// Given:    number  the object's 1-based number among the loaded ones
//           flags   its entry's flag byte
// Returned: command  one more text
void AddEntryStatements(CommandText& command, const SmallBodyKind& kind, int number, uint8_t flags);
