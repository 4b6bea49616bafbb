// Picture marks: a small symbol on every object of the chart that has a
// picture in the click-data file, drawn last before the status line.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"
#include "sky/view/projection.h"

#include <X11/Xlib.h>
#include <array>
#include <cstdint>

// PICTUREMARK bit (byte kFlagPictureMarks).
constexpr uint8_t kPictureMarkFlag = 1;

constexpr int kPictureMarkSize = 9;

// The symbol, 9 x 9, X bitmap order (2 bytes a row, the first pixel in the
// lowest bit): a solid column three wide with four pairs of dots beside it
// and a dot in each corner.
extern const std::array<unsigned char, 2 * kPictureMarkSize> PictureMarkBitmap;

// Where the object of an index entry is drawn now, if it is: a star while
// the stars are shown and it is within the star limit; a body while it is
// shown and, for planets, comets and minor planets, as bright as the star
// limit; a nebula as the nebula layer draws it (M31 and M42 also with the
// Milky Way and a star limit fainter than 3.9); a Jovian satellite outside
// the solar-system views while Jupiter and the satellites are shown and the
// star limit is at least 6.0; a user object while AD is on; a Magellanic
// Cloud with a star limit fainter than 3.9. Coordinate targets have no
// stored place and get no mark.
// Given:    scene  index, flags, limits, positions
//           entry  number of the index entry
// Returned: out    its screen point
//           1 when the mark is to be drawn
int PictureMarkPosition(const Scene& scene, int32_t entry, ProjectedPoint& out);

// The layer, while PICTUREMARK is on and click data are loaded: one mark,
// centred on the object, for every entry with an "@IMAGE" line whose object
// is drawn (PictureMarkPosition). On a visual with writable colour cells the
// symbol is stippled: its set pixels take ColorPictureMark and the others
// are not touched. On other visuals it is copied with GXor from a picture
// of ColorBlack set pixels on a ColorPictureMark ground, so the symbol's
// clear pixels show the mark colour (ORed into the chart) and its set
// pixels keep the chart's colour. All marks go to the server together.
// Given:    scene  index; the file is gAppEnv->clickDataFile (none drawn
//                  when it cannot be opened)
void DrawPictureMarks(Scene& scene, RedrawRecord& redraw);
