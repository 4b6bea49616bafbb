// Opening and reading the files the program reads: options, site list, name
// files, and later the element, user-object and click-data files and the
// pictures. A user can put anything under those names: a FIFO would block the
// open before any window appears, and a link to /dev/zero would feed a reader
// forever. Only regular files are read; anything else counts as missing.
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
