#include "dialogs/planet_dialog_fields.h"

#include "astro/body_ids.h"
#include "dialogs/kit/command_text.h"
#include "sky/catalog/object_names.h"
#include "sky/scene.h"

#include <algorithm>

namespace {

constexpr std::array<int32_t, kPlanetRowCount> kRowBodies = {
    kMercury, kVenus, kEarthId, kMars, kJupiter, kSaturn, kUranus, kNeptune, kPluto};

// The BodyFlags bit of each column.
constexpr std::array<uint8_t, kPlanetColumnCount> kColumnBits = {
    kBodyShown, kBodyName, kBodyDate, kBodyMagnitude, kBodyOrbit, kBodyOutline};

constexpr size_t kKeywordSize = 16;

bool EarthLacks(int row, int column)
{
    return row == kEarthRow && (column == kColumnMag || column == kColumnDisk);
}

uint8_t RowFlags(const Scene& scene, int row)
{
    const int32_t body = kRowBodies[static_cast<size_t>(row)];
    return row == kEarthRow ? scene.earthFlags : scene.planetFlags[body];
}

// One SHOW or HIDE statement of a row in the text being built.
void AddFlagStatement(CommandText& command, const PlanetTable& table, int row, int column,
                      const std::string& word)
{
    AddStatement(command, "%s", PlanetShowHideText(table, row, column, word.c_str()).c_str());
}

int ReferenceRow(const std::vector<int>& rows)
{
    return rows.size() >= 2 && rows[0] == kEarthRow ? rows[1] : rows[0];
}

}  // namespace

int32_t PlanetRowBody(int row)
{
    return kRowBodies[static_cast<size_t>(row)];
}

PlanetTable ReadPlanetTable(const Scene& scene)
{
    PlanetTable table{};
    for (int row = 0; row < kPlanetRowCount; ++row) {
        const uint8_t flags = RowFlags(scene, row);
        for (int column = 0; column < kPlanetColumnCount; ++column) {
            const bool set = (flags & kColumnBits[static_cast<size_t>(column)]) != 0;
            table[static_cast<size_t>(row)][static_cast<size_t>(column)] =
                set && !EarthLacks(row, column) ? 1 : 0;
        }
    }
    return table;
}

std::array<PlanetToggleState, kPlanetColumnCount> PlanetSelectionState(const PlanetTable& table,
                                                                       const std::vector<int>& rows)
{
    std::array<PlanetToggleState, kPlanetColumnCount> states{};
    if (rows.empty()) {
        return states;
    }
    const auto& reference = table[static_cast<size_t>(ReferenceRow(rows))];
    for (int column = 0; column < kPlanetColumnCount; ++column) {
        PlanetToggleState& state = states[static_cast<size_t>(column)];
        state.value = reference[static_cast<size_t>(column)];
        state.common = true;
        for (const int row : rows) {
            if (!EarthLacks(row, column) &&
                table[static_cast<size_t>(row)][static_cast<size_t>(column)] != state.value) {
                state.common = false;
            }
        }
    }
    const PlanetToggleState& shown = states[kColumnShown];
    const bool editable = shown.common && shown.value != 0;
    for (int column = 0; column < kPlanetColumnCount; ++column) {
        states[static_cast<size_t>(column)].sensitive = column == kColumnShown || editable;
    }
    if (rows.size() == 1 && rows[0] == kEarthRow) {
        for (const int column : {kColumnMag, kColumnDisk}) {
            states[static_cast<size_t>(column)] = PlanetToggleState{true, 0, false};
        }
    }
    return states;
}

void SetPlanetColumn(PlanetTable& table, const std::vector<int>& rows, int column, int value)
{
    for (const int row : rows) {
        table[static_cast<size_t>(row)][static_cast<size_t>(column)] =
            EarthLacks(row, column) ? 0 : value;
    }
}

std::string PlanetShowHideText(const PlanetTable& table, int row, int column, const char* word)
{
    const bool set = table[static_cast<size_t>(row)][static_cast<size_t>(column)] != 0;
    return std::string(set ? "SHOW " : "HIDE ") + word;
}

void ComposePlanetCommands(const Scene& scene, const PlanetTable& table, int32_t diskMag,
                           CommandText& command)
{
    for (int row = 0; row < kPlanetRowCount; ++row) {
        char keyword[kKeywordSize];
        GetSolarBodyName(scene, PlanetRowBody(row), 1, keyword, sizeof keyword);
        const std::string word = keyword;
        AddText(command, "%s", PlanetShowHideText(table, row, kColumnShown, keyword).c_str());
        AddFlagStatement(command, table, row, kColumnName, word + "_NAME");
        AddFlagStatement(command, table, row, kColumnDate, word + "_DATE");
        AddFlagStatement(command, table, row, kColumnOrbit, word + "_OBT");
        if (row != kEarthRow) {
            AddFlagStatement(command, table, row, kColumnMag, word + "_MAG");
            const bool disk = table[static_cast<size_t>(row)][kColumnDisk] != 0;
            AddStatement(command, "%s %s", disk ? "DISK" : "REAL", keyword);
        }
        EndText(command);
    }
    AddText(command, "DISK_MAG %d", diskMag);
    EndText(command);
    AddText(command, "DRIVE");
}
