// Finding the next list entry whose name holds a piece of text: the search
// of the site list and of the comet and minor-planet lists. Plain function;
// the prompt that asks for the text is in dialogs/kit/scrolled_list.h.
#pragma once

#include <string>
#include <vector>

// The first entry, from a given one onward and wrapping round past the
// last, that one of whose names holds the text, case ignored (toupper
// under the current locale).
// Given:    names         keysPerEntry names per entry, entry by entry (a
//                         site: its name; a comet: its name and second name)
//           keysPerEntry  1 or more
//           start         0-based index of the first entry tested (any
//                         value: taken round the entry count)
//           text          the piece searched for (null or empty: every
//                         entry matches)
// Returned: 0-based index of the entry, or -1 when none matches
int FindNextMatch(const std::vector<std::string>& names, int keysPerEntry, int start,
                  const char* text);
