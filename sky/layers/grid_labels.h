// Texts of the grid numbers and of the meridian line's altitudes. Their
// formats are message resources, so a resource file can restyle them; a
// format is only used when its conversions are ones the compiled default
// has, so a bad resource cannot read arguments that were never passed.
#pragma once

#include "sky/view/grid_geometry.h"

#include <cstddef>
#include <cstdint>

// Kinds of grid label.
enum GridLabelKind : int {
    kGridLabelLine = 0,         // a fundamental circle: the longitude alone
    kGridLabelGrid = 1,         // an equatorial, ecliptic or galactic grid
    kGridLabelHorizontal = 2,   // the horizontal grid: azimuth from the south through west
};

constexpr size_t kGridFormatSize = 64;   // a format as read from its resource
constexpr size_t kGridLabelSize = 40;    // the label drawn


// Formats a label from a message key's text, or from the compiled default
// when the key's text does not match it.
// Given:    key            message key
//           defaultFormat  the key's compiled default
//           first, second  the integers to substitute (second unused by
//                          one-conversion formats)
//           size           size of out in bytes
// Returned: out            the label, cut to size - 1 bytes, terminated
void FormatGridLabel(const char* key, const char* defaultFormat, int32_t first, int32_t second, char* out,
                     size_t size);

// While one lives, the formats are read from the resources once and kept
// (a redraw's grids); otherwise each label reads its own. Nested ones
// leave the outer one in charge.
class GridLabelFormatsKept {
public:
    GridLabelFormatsKept();
    ~GridLabelFormatsKept();
    GridLabelFormatsKept(const GridLabelFormatsKept&) = delete;
    GridLabelFormatsKept& operator=(const GridLabelFormatsKept&) = delete;

private:
    bool owner_;
};

// The label of a grid point, when it has one.
// Given:    viewMode   the scene's view mode
//           unit       hours or degrees
//           kind       GridLabelKind
//           q, i, j    the grid point (GridTransformQuadrant)
//           size       size of out in bytes
// Returned: out        the label
//           1 when the point is labelled; 0 (out empty) at odd half hours
//           and, in the horizontal views, on the horizon of the
//           horizontal grid
int GridLabelText(int32_t viewMode, GridUnit unit, int kind, int q, int i, int j, char* out, size_t size);

// The altitude label of the meridian line.
// Given:    altitude   whole degrees
//           size       size of out in bytes
// Returned: out        the text of "messageGridDegFormat"
void MeridianAltitudeText(int32_t altitude, char* out, size_t size);
