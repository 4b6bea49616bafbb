// Comet and minor-planet element files: the fixed-column element line, the
// keyed index of each file (a gdbm database in the user's directory that
// maps four names of every record to its byte offset), the reader that
// fetches one record, and the lookup of an element line in a saved script's
// BLOCK ORBIT.
//
// A record is one line of 187 characters (short form) or 203 (long form,
// with a second name in columns 188-202), kind letter C, M or N, ending in
// CR LF or LF. Records are found by their line, never by a fixed record
// size, so a file with LF line ends or a damaged line cannot misalign the
// records after it.
#pragma once

#include "astro/body_records.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

constexpr int kShortElementLine = 187;
constexpr int kLongElementLine = 203;

// Key fields of a record as (first column, width), in the order the index
// stores them: second name, designation, number, name.
constexpr int kSecondNameColumn = 188, kSecondNameWidth = 15;
constexpr int kDesignationColumn = 9, kDesignationWidth = 10;
constexpr int kNumberColumn = 2, kNumberWidth = 6;
constexpr int kNameColumn = 20, kNameWidth = 30;

// Longest key an index holds, with its terminating NUL.
constexpr int kIndexKeySize = 32;

// Whether a line has the shape of a record: 187 or 203 characters before
// its line end, the first of them the kind letter C, M or N.
// Given:    line    the line
//           length  its length without the line end
// Returned: 1 when it has, else 0
int32_t IsElementRecordLine(const char* line, size_t length);

// One element line into its record. Numbers are read field by field, a
// field without one as 0; blank fixed fields take their defaults (equinox
// 2000.0, H 6.0, K 10.0, tail lengths 0.01 AU, dust force 1.0). The source
// line is kept in its long form: 203 characters (a short line padded with
// blanks) and CR LF. Elements with no orbit (q 0, say) are read as they
// stand: the orbit computation refuses them.
// Given:    line   the line, NUL-terminated; a CR or LF ends it
// Returned: el     every field
//           1, or 0 when the line is shorter than 187 characters or a number
//           is not finite ("nan", "inf")
int32_t ParseElementLine(OrbitalElements& el, const char* line);

// A fixed-width number field: blanks within the width are skipped; nothing
// left gives the default, else the number the rest of the field starts
// with.
// Given:    field    first character of the field
//           width    its width
//           fallback the default
// Returned: the value
double ParseFixedFieldOrDefault(const char* field, int width, double fallback);

// An index key from a record field: leading and trailing blanks dropped,
// ASCII letters upper-cased (bytes of other scripts are left as they are).
// Given:    record  the line
//           column  first column of the field
//           width   its width (at most kIndexKeySize - 1)
// Returned: key     kIndexKeySize bytes, NUL-terminated; empty for a blank field
void CopyIndexKey(char* key, const char* record, int column, int width);

// Builds the index of an element file: every record's four keys (an empty
// field an empty key) map to its byte offset, a later record winning a
// shared key. The database is built in a replacement file
// (core/replacement_file.h) and renamed over the index only when complete,
// so no half-built index looks newer than its file, and no link is followed. Progress: up to 50
// dots on standard output as the file is read, then "done.".
// Given:    elementPath  the element file
//           indexPath    the index to (re)create
// Returned: 1 when built; 0, saying nothing, when the file cannot be read,
//           a line is not a record or the database cannot be written
int32_t BuildElementIndex(const char* elementPath, const char* indexPath);

// Byte offset of the record under a key.
// Given:    indexPath  the index
//           key        the key exactly as stored (upper case)
// Returned: the offset, or -1 when the index cannot be opened, the key is
//           not there or its value is not a 4-byte offset
int32_t FetchElementOffset(const char* indexPath, const char* key);

// The record under a key: its offset from the index, the line read there,
// which must still hold the key in one of its four fields (an index left
// over from another file finds nothing).
// Given:    key          the key, as for FetchElementOffset
//           elementPath  the element file
//           indexPath    its index
// Returned: el           the record
//           1 when found and parsed, else 0
int32_t ReadOrbitalElementsAt(const char* key, OrbitalElements& el, const char* elementPath, const char* indexPath);

// The record at a byte offset of an element file: for entries whose second
// name is empty or shared, which no key finds.
// Returned: el  the record; 1 when the line there is a record and parses, else 0
int32_t ReadOrbitalElementsAtOffset(const char* elementPath, int64_t offset, OrbitalElements& el);
// The same from an element file already open, for a load of many records
// that opens the file once (null: nothing read).
int32_t ReadOrbitalElementsAtOffset(std::FILE* elements, int64_t offset, OrbitalElements& el);

// A saved script's BLOCK ORBIT is read in lines of up to 1023 characters.
constexpr int kScriptLineSize = 1024;

// One entry of a saved script's BLOCK ORBIT: the text after ":" up to its
// line end, and the line that follows it as it stands, line end included.
struct ScriptOrbitEntry {
    std::string label;
    std::string line;
};

// Every entry of a saved script's BLOCK ORBIT, in file order, for a reader
// that looks up many names. The block starts at a line "BLOCK ORBIT" and
// ends at "END BLOCK" (each word in any case, blanks between them); each
// line starting with ":" is an entry whose element line is the next line,
// whatever it holds. Lines are read up to 1023 characters. The file
// position is kept.
// Given:    file     the open script
// Returned: entries  the entries (none when the file has no BLOCK ORBIT)
void ReadScriptOrbitBlock(FILE* file, std::vector<ScriptOrbitEntry>& entries);
