// User-object and sky-mark files ("*.adf"): the user's own objects, marks
// and outline drawings on the sky, as text lines of keywords and targets.
// LOAD AD puts user-object files into the Scene's list; the sky-mark file
// has the same format and is loaded once at start-up into AppEnv's list.
//
// Lines (at most 79 characters; empty lines and lines starting with "#"
// are skipped, and so are comments of any length):
//   EPOCH DATE | B1950 | J2000                          frame of bare coordinates
//   LINE [colour number] [, hex dash pattern]           starts a polyline
//   END                                                 ends it
//   target [STAR mag [class]] [name [colour number]]    a star symbol
//   target [NEBULA type] [name [colour number]]         a nebula point
//   target [MARK n] [name [colour number]]              a mark
//   target [name [colour number]]                       a plain point
// A target is one of the command language (STAR alphaOri, M31, HRZ 180 10);
// a line whose first word starts with a digit is read as coordinates in the
// EPOCH frame. Colour numbers, the LINE dash pattern and colour persist for
// the later lines of the file. Only a target that does not parse refuses a
// file: a number that is none reads as 0, a dash pattern that is none keeps
// the one before, and EPOCH with another word keeps the frame.
#pragma once

#include "core/app_env.h"
#include "sky/catalog/user_objects.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

struct Scene;

constexpr int kUserObjectTokenCount = 20; // the first word and 19 arguments
constexpr int kUserObjectLineSize = 80;   // 79 characters and the NUL
constexpr int kUserColorCount = 16;

// ColorIndex of each colour number 0..15: black, the star colours 0, 3, 6
// and 9, the dark-star grey, the globe's blue, the compass grey, the
// constellation lines' colour, then white. Any other number is white.
extern const std::array<int32_t, kUserColorCount> UserColorTable;

// The ColorIndex of a colour number: UserColorTable within 0..15, else white.
int32_t UserColorIndex(int32_t number);

// Reads the next data line of a file and cuts it into words with the
// command tokenizer (blanks, tabs and commas separate, double quotes group).
// A line ends at its first CR, else its first LF. An empty argument counts as
// absent (null); when the first argument is absent the later ones move down
// one place.
// Given:    file        open for reading
//           lineNumber  lines read so far
// Returned: tokens      the first word and up to 19 arguments, pointers into
//                       line, null where absent
//           line        the line's text
//           lineNumber  including the lines read now
//           1 with a line; 0 at the end of the file; -1 for a data line
//           longer than 79 characters (lineNumber is its number), of which
//           no more than that is ever held in memory
int ReadUserObjectLine(FILE* file, char* tokens[kUserObjectTokenCount], char line[kUserObjectLineSize],
                       int32_t& lineNumber);

// Loads a user-object or sky-mark file and appends it to a list. The file
// is read whole before the list changes, so a failure leaves the list as it
// was.
// Given:    scene        view centre and time (targets given without their
//                        coordinates), the loaded objects (AD names)
//           path         the file, "~" already expanded
//           files, count the list to append to
//           messageSize  size of message
// Returned: files, count one file longer on success
//           message      empty, or the text to show the user in a box: a
//                        syntax error with its line number (a target that
//                        does not parse, a data line over 79 characters), a
//                        file without data, no memory left while reading
//           1 loaded; 0 when the path is already in the list (silently),
//           longer than 255 characters ("stkErrorIllegalParam"), cannot be
//           opened ("stkErrorFileNotFound"), memory ran out for the list
//           ("stkErrorOutOfMemory"; these as pending errors with the path),
//           or the file was refused with a message
// Notes:    Running indexes of user objects count every record of every
//           file of the list in load order.
int LoadUserObjectFile(Scene& scene, const char* path, UserObjectFile*& files, int32_t& count,
                       char* message, size_t messageSize);

// Removes the file with exactly this path from the Scene's list.
// Returned: scene  the list without it
//           0, whether it was loaded or not
int UnloadUserObjectFile(Scene& scene, const char* path);

// Frees every file of a list; the list becomes empty.
void FreeUserObjectList(UserObjectFile*& files, int32_t& count);

// Frees every user-object file of the Scene (INIT, quit).
void FreeUserObjectFiles(Scene& scene);
