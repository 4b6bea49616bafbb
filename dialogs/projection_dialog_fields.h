// The projection dialog's choice as a pair of radio positions, a projection
// (major) and a coordinate frame (minor), and the view mode each pair
// stands for. Plain functions; the widgets are in dialogs/projection_dialog.
#pragma once

#include <cstdint>

struct CommandText;

// Positions of the projection toggles.
enum MajorMode : int {
    kMajorGeneral = 0,   // Chart (Azimuthal Equidistant)
    kMajorAll1 = 1,      // All-Sky (Equidistant Cylindrical)
    kMajorAll2 = 2,      // All-Sky (Aitoff's Projection)
    kMajorSol = 3,       // Solar System
    kMajorVola = 4,      // Planisphere
    kMajorModeCount = 5,
};

// Positions of the frame toggles.
enum MinorMode : int {
    kMinorHrz = 0,
    kMinorEqt = 1,
    kMinorEcl = 2,
    kMinorGal = 3,
    kMinorModeCount = 4,
};

// The pair of a view mode.
// Given:    mode   ViewMode code
// Returned: major, minor  its positions; -1, -1 for any other code
void ModeToProjectionRadio(int32_t mode, int& major, int& minor);

// The view mode of a pair; 0 for a pair that has none (All-Sky in the
// horizontal frame, the planisphere in any other) or a position out of range.
int32_t ProjectionMode(int major, int minor);

// Whether the frame can be chosen with the projection: exactly the pairs
// that have a view mode.
bool IsMinorModeOffered(int major, int minor);

// The frame chosen for the user when a projection is picked, so that the
// pair always has a view mode: the planisphere takes the horizontal frame;
// the whole-sky and solar-system projections move the horizontal frame (or
// none) to the equatorial one; the chart takes the horizontal frame when
// none was chosen; otherwise the frame stays.
// Given:    major  the projection picked (-1: none, the frame stays)
//           minor  the frame chosen so far, -1 none
// Returned: the frame
int MinorModeAfterMajorChange(int major, int minor);

// "MODE keyword; DRIVE" for the pair.
// Returned: command  the text, when the pair has a view mode
//           1 composed; 0 for a pair without one (nothing added)
int ComposeProjectionCommand(int major, int minor, CommandText& command);
