// Opening and reading the files the program reads: options, site list, name
// files, and later the element, user-object and click-data files and the
// pictures. A user can put anything under those names: a FIFO would block the
// open before any window appears, and a link to /dev/zero would feed a reader
// forever. Only regular files are read; anything else counts as missing. A
// regular file can still hold a line of a gigabyte: the readers of lines
// with a length limit read through the bounded reader, which never stores
// more of a line than its limit.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

struct FileCloser {
    void operator()(FILE* stream) const { std::fclose(stream); }
};
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

// Opens a file for reading without blocking on it.
// Given:    path  the file (null or empty: none)
// Returned: the open stream, or null when the path names no regular file
//           that can be read (missing, a directory, a FIFO, a device, a
//           socket), exactly as for a missing file
UniqueFile OpenRegularFile(const char* path);

// Whether OpenRegularFile would open path: it exists, is a regular file
// (after following links) and can be read.
// Returned: 1 or 0
int IsReadableRegularFile(const char* path);

// Reads one line by its length, with its line feed when it has one, however
// long; a NUL byte is a character like any other and ends nothing.
// Given:    stream  open for reading
// Returned: line    the line, its NUL bytes included
//           true with a line; false at the end of the file
bool ReadWholeLine(FILE* stream, std::string& line);

// One line as the bounded reader keeps it.
struct BoundedLine {
    std::string text;   // the line's first bytes, at most the bound, its line
                        // feed included when it lies within the bound
    size_t length = 0;  // bytes the whole line takes in the file, line feed included
};

// Reads one line and keeps at most `bound` bytes of it. The rest of a longer
// line is passed over a block at a time without being stored, so any line
// takes memory of the bound and time in proportion to its length; a NUL byte
// is a character like any other.
// Given:    stream  open for reading: a regular file, or bytes in memory
//           bound   most bytes kept
// Returned: line    the kept bytes and the whole length: the line was cut
//                   when text is shorter than length and ends in no line feed
//           true with a line; false at the end of the file
bool ReadBoundedLine(FILE* stream, size_t bound, BoundedLine& line);
