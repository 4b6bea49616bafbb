// The options file "options" in the per-user directory: the user's settings
// kept between runs, as lines "key = value". It is read key by key, rewritten
// whole at quit and updated one key at a time by the dialogs. Without a user
// directory there is no options file: readers give their defaults and the
// writers write nothing.
#pragma once

#include <cstddef>
#include <cstdio>

// Path of the options file.
// Given:    size    size of buffer in bytes (callers pass kPathSize)
// Returned: buffer  the user directory followed by "/options"
//           1, or 0 when there is no user directory or the path does not fit
int GetOptionsFilePath(char* buffer, size_t size);

// The value of the first line of the stream that sets key.
// Given:    stream  open options file, read from its start
//           key     option key, matched without regard to case; a longer key
//                   on the line ("SiteNameX" for "SiteName") does not match
//           size    size of buffer in bytes
// Returned: buffer  the value with trailing white space cut (only on success)
//           1 found; 0 when absent, or when the rest of the first matching
//           line after the "=" and its blanks, trailing white space and line
//           feed included, does not fit in size - 1 characters (the value is
//           then not cut)
int FindOption(FILE* stream, const char* key, char* buffer, size_t size);

// A boolean option: "TRUE" or "YES" give 1, "FALSE" or "NO" give 0 (any
// case); a missing file, key, or any other value gives defaultValue.
int GetOptionBool(const char* key, int defaultValue);

// An integer option: base-10 number at the start of the value, text after
// the digits ignored ("7000x" is 7000); clamped to the int range. A missing
// file or key gives defaultValue.
int GetOptionInt(const char* key, int defaultValue);

// A text option.
// Given:    size    size of buffer in bytes
// Returned: buffer  the value when found, else unchanged
//           1 found, 0 not found (or too long for the buffer)
int GetOptionString(const char* key, char* buffer, size_t size);

// Writes the whole options file from gAppEnv (at quit): Toolbar, TipHelp,
// ConfirmQuit, ConfirmInit, the four paths, SiteName, Geometry, Locale and TZ
// when set, SocketPort. A key whose old value was too long for its field
// (and so was never read) keeps its old line, uncut, unless the run changed
// the key (RememberStartingOptions): then it gets its new value. Every other
// line of the old file that sets none of these keys (a newer version's keys,
// comments, anything typed by hand) follows as it stood. The file is written
// under a temporary name and renamed over the old one only when every write,
// the flush and the close succeeded.
// Returned: 1 written; 0 when there is no user directory, the old file could
//           not be read through, or a step failed, the old file then being
//           left as it was
int WriteOptionsFile();

// Notes the option values as start-up left them in gAppEnv, so that the
// rewrite at quit can tell which keys the run changed.
void RememberStartingOptions();

// Replaces every line that begins with key (case-sensitive prefix, so
// "SiteNameX = a" is replaced too and "sitename = a" is not) by
// "key = value"; a file without such a line gets it at its end. Written
// under a temporary name and renamed over the file as WriteOptionsFile does.
// Returned: 1 done; 0 when there is no options file, key or value holds a
//           line break, or a step failed (the file is then unchanged)
int SetOption(const char* key, const char* value);

// Makes a site the default: it becomes gAppEnv->siteName and the SiteName
// line of the options file (SetOption), so that INIT goes to it from then
// on and a crash cannot lose the choice; the rest of the file is written at
// quit.
// Given:    name  the site's name as the site list has it
// Returned: 1 written, 0 when SetOption failed (gAppEnv is set anyway)
int SaveDefaultSite(const char* name);
