// The click-data file: a short text and pictures for sky objects, which
// the information box, the popup menu, the image viewer and the picture
// marks show. The file is read whole when loaded and its bytes are kept
// with an index (object and offset of each entry): texts and picture names
// are read from those bytes when asked for, so a file removed or changed
// while loaded changes nothing, and no redraw ever waits on it.
//
// Format (lines of at most 2047 characters; empty lines and lines starting
// with "#" are skipped):
//   :target            starts an entry (": target" alike), e.g. ":M31",
//                      ": STAR alphaOri", ":JUPITER"
//   @TEXT "text"       the object's text; the last of several counts
//   @IMAGE file title  a picture, relative to ClickImagePath, with a title
// Other lines are ignored; "@" words are compared in any case. An entry
// whose target does not parse is skipped with its lines.
#pragma once

#include "core/regular_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

struct Scene;
struct TextList;

// One entry of the Scene's index; an entry of type -1 ends the array.
struct ClickDataIndex {
    int32_t type;              // ObjectType of the entry's target
    int32_t id;                // its id (0 for coordinate targets)
    int32_t offset;            // byte offset of the entry's ':' line
};

constexpr int kClickDataLineSize = 2048;    // 2047 characters and the NUL
constexpr int kClickDataWordCount = 5;      // the first word and four arguments

// Loaded click-data bytes open for reading, with the offset of what comes
// next; closed with the stream.
struct ClickDataStream {
    UniqueFile file;           // null without bytes
    long position = 0;         // byte offset of the next line
    BoundedLine buffer;        // the line being read

    ClickDataStream(char* bytes, size_t size);
};

// Click-data files larger than this are refused rather than held.
constexpr size_t kMaxClickDataBytes = size_t{64} << 20;

// One significant line, cut into words.
struct ClickDataLine {
    long offset;                             // of the line in the file
    char text[kClickDataLineSize];
    char* words[kClickDataWordCount];        // null where absent: an empty
                                             // argument or one starting with
                                             // a blank
};

// Reads a file whole and puts its bytes and their index in place of the
// Scene's. The old click data are released first, so a file that cannot
// be read leaves none. A file without entries leaves none either.
// Given:    scene        view centre and time (coordinate targets)
//           path         the file, "~" already expanded
//           messageSize  size of message
// Returned: scene        its bytes and index (entries in file order)
//           message      empty, or "Insufficient memory." when memory ran
//                        out: the index then holds the entries read so far
//                        (1), or none was made (0)
//           1 read; 0 when the file is larger than kMaxClickDataBytes
//           ("stkErrorIllegalParam"), cannot be opened or read to its end
//           ("stkErrorFileNotFound", both as pending errors with the path)
//           or memory ran out
int LoadClickData(Scene& scene, const char* path, char* message, size_t messageSize);

// The next significant line of the file, cut at its first CR (else its
// first LF) and split by the command tokenizer. Lines over 2047 characters
// are skipped whole, without ever being held in memory.
// Returned: stream  position after the line
//           line    its offset, text and words
//           1 with a line; 0 at the end of the file
int ReadDataLine(ClickDataStream& stream, ClickDataLine& line);

// Reads on to the next entry line whose target parses.
// Returned: type, id  the entry's object
//           offset    of its ':' line
//           1 with an entry; 0 at the end of the file (or at an offset the
//           index cannot hold)
int NextClickDataEntry(Scene& scene, ClickDataStream& stream, int32_t& type, int32_t& id, int32_t& offset);

// The text of an object's entry and whether it has a picture. Only an entry
// whose ':' line still names the object is read.
// Given:    scene     index and bytes
//           type, id  the object
//           textSize  size of text
// Returned: text      the last "@TEXT" text, cut to textSize - 1
//                     characters; empty when the entry has none, or there
//                     is no entry
//           hasImage  1 when an "@IMAGE" line names a file, else 0
//           1 when the entry has any '@' line; 0 when the object has no
//           entry
int FindClickDataText(Scene& scene, int32_t type, int32_t id, char* text, size_t textSize, int& hasImage);

// Adds (file, title) of each "@IMAGE" line of an object's entry that names
// a file to a list, the title null when it has none.
// Returned: list  longer by the pictures added
//           how many were added; 0 when the object has no entry
int FindClickDataImages(Scene& scene, int32_t type, int32_t id, TextList* list);

// Frees the Scene's index and bytes (quit).
void FreeClickData(Scene& scene);

// Whether a line is an entry line (its first word starts with ':').
int IsClickDataEntryLine(const ClickDataLine& line);
