// Colour and font set of each kind of label on the chart.
#pragma once

#include "sky/colors.h"
#include "sky/font_sets.h"

#include <array>
#include <cstdint>

enum LabelKind : int {
    kLabelStarName = 0,
    kLabelStarMag,
    kLabelFlamsteed,
    kLabelBayerSuperscript,
    kLabelConstName,
    kLabelSolarName,
    kLabelSolarDate,
    kLabelSolarMag,
    kLabelSatelliteName,
    kLabelUserObjectName,
    kLabelDirection,
    kLabelStatus,
    kLabelMoonAge,
    kLabelNebulaName,
    kLabelNebulaMag,
    kLabelGridNumber,
    kLabelKindCount,
};

struct LabelStyle {
    int32_t color;     // ColorIndex
    int32_t fontSet;   // FontSetNumber, 1..16
};

// Indexed by LabelKind.
extern const std::array<LabelStyle, kLabelKindCount> LabelStyleTable;

// The Greek letter of a designation is drawn with the symbol font in this
// colour.
constexpr int32_t kBayerLetterColor = kColorStarBayerFont;
