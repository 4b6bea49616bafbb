// Texts of the grid numbers and of the meridian line's altitudes. Their
// formats are message resources, so a resource file can restyle them; a
// format is only used when its conversions are ones the compiled default
// has, so a bad resource cannot read arguments that were never passed.
#pragma once

#include "sky/redraw_record.h"
#include "sky/view/grid_geometry.h"

#include <cstddef>
#include <cstdint>

// Kinds of grid label.
enum GridLabelKind : int {
    kGridLabelLine = 0,         // a fundamental circle: the longitude alone
    kGridLabelGrid = 1,         // an equatorial, ecliptic or galactic grid
    kGridLabelHorizontal = 2,   // the horizontal grid: azimuth from the south through west
};

constexpr size_t kGridFormatSize = sizeof KeptGridFormat::format;   // a format as read from its resource
constexpr size_t kGridLabelSize = 40;    // the label drawn

// Formats a label from a message key's text, or from the compiled default
// when the key's text does not match it. Each key's format is read from
// the resources once and kept in `kept` (a redraw's, or the caller's own).
// Given:    kept           the formats read so far
//           key            message key (a string constant: kept by address)
//           defaultFormat  the key's compiled default
//           first, second  the integers to substitute (second unused by
//                          one-conversion formats)
//           size           size of out in bytes
// Returned: out            the label, cut to size - 1 bytes, terminated
//           kept           with the key's format
void FormatGridLabel(KeptGridFormats& kept, const char* key, const char* defaultFormat, int32_t first,
                     int32_t second, char* out, size_t size);

// The label of a grid point, when it has one.
// Given:    kept       the formats read so far (FormatGridLabel)
//           viewMode   the scene's view mode
//           unit       hours or degrees
//           kind       GridLabelKind
//           q, i, j    the grid point (GridTransformQuadrant)
//           size       size of out in bytes
// Returned: out        the label
//           1 when the point is labelled; 0 (out empty) at odd half hours
//           and, in the horizontal views, on the horizon of the
//           horizontal grid
int GridLabelText(KeptGridFormats& kept, int32_t viewMode, GridUnit unit, int kind, int q, int i, int j, char* out,
                  size_t size);

// The altitude label of the meridian line.
// Given:    kept       the formats read so far (FormatGridLabel)
//           altitude   whole degrees
//           size       size of out in bytes
// Returned: out        the text of "messageGridDegFormat"
void MeridianAltitudeText(KeptGridFormats& kept, int32_t altitude, char* out, size_t size);
