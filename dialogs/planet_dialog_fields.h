// The planet dialog's working table: the display flags of the eight
// planets and the Earth, what the toggles show for a selection of them,
// edits applied to the selection, and the commands that set the Scene to
// the table. Plain functions; the widgets are in dialogs/planet_dialog.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct CommandText;
struct Scene;

constexpr int kPlanetRowCount = 9;
constexpr int kEarthRow = 2;

// The flags, in the order of the dialog's toggles.
enum PlanetColumn : int {
    kColumnShown = 0,
    kColumnName = 1,
    kColumnDate = 2,
    kColumnMag = 3,
    kColumnOrbit = 4,
    kColumnDisk = 5,
    kPlanetColumnCount = 6,
};

// Rows in list order (Mercury, Venus, Earth, Mars .. Pluto), columns as
// PlanetColumn, 1 set or 0.
using PlanetTable = std::array<std::array<int, kPlanetColumnCount>, kPlanetRowCount>;

// The ObjectId of a row.
int32_t PlanetRowBody(int row);

// The table from the Scene's BodyFlags; the Earth has no magnitude or disk.
PlanetTable ReadPlanetTable(const Scene& scene);

// What one toggle shows for a selection.
struct PlanetToggleState {
    bool common;      // every selected row agrees (else: indeterminate)
    int value;        // the reference row's flag
    bool sensitive;
};

// The toggles for the selected rows. The reference is the first selected
// row, or the second when several are selected and the first is the
// Earth; the Earth is left out of the comparison of magnitude and disk.
// Show is always sensitive, the others only while the selection is shown
// as one; the Earth alone has magnitude and disk off and insensitive.
// Given:    rows  0-based selected rows in list order (empty: none)
// Returned: one state per column; all insensitive for no selection
std::array<PlanetToggleState, kPlanetColumnCount> PlanetSelectionState(const PlanetTable& table,
                                                                       const std::vector<int>& rows);

// A toggle's new state written into every selected row; the Earth keeps
// magnitude and disk off.
void SetPlanetColumn(PlanetTable& table, const std::vector<int>& rows, int column, int value);

// "SHOW" or "HIDE" by a row's flag, a blank and the word.
std::string PlanetShowHideText(const PlanetTable& table, int row, int column, const char* word);

// One text per row: shown, name, date and orbit; then, but for the Earth,
// magnitude and DISK or REAL; each statement ended by ";". Then
// "DISK_MAG %d;" and a text "DRIVE".
// Given:    diskMag  the Disk field's number (GetTextFieldInt: no number 0)
void ComposePlanetCommands(const Scene& scene, const PlanetTable& table, int32_t diskMag,
                           CommandText& command);
