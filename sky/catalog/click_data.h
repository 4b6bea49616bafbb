// What the click-data file says about an object: its text line and its
// pictures. This version reads no click-data file yet, so every object has
// neither; the information box and the pictures near the pointer ask here
// all the same, so that they show what the file gives once it is read.
#pragma once

#include <cstdint>

struct Scene;
struct TextList;

// The click-data text of an object.
// Returned: the text, or null when the object has none
const char* FindClickDataText(const Scene& scene, int32_t type, int32_t id);

// Adds the (file, title) pairs of an object's pictures to a list.
// Returned: list  longer by the pictures found
//           the number of pictures added
int FindClickDataImages(const Scene& scene, int32_t type, int32_t id, TextList* list);
