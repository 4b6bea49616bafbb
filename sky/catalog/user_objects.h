// The records of loaded user-object and sky-mark files, as the catalogue's
// name look-ups, the positions and the layers read them; the files
// themselves are read by sky/catalog/user_object_files.
#pragma once

#include "core/app_env.h"

#include <cstdint>

// Kinds of user-object records.
enum UserObjectKind : uint8_t {
    kUserObjectLine = 0,        // LINE: starts a polyline
    kUserObjectLineEnd = 1,     // END
    kUserObjectStar = 2,
    kUserObjectNebula = 3,
    kUserObjectMark = 4,
    kUserObjectPoint = 5,
    kUserObjectArrayEnd = 255,  // after the last record of a file
};

constexpr int kUserObjectNameSize = 31;   // 30 characters and the NUL

// One line of a file, as the layers and the target parser use it.
struct UserObject {
    uint8_t kind;              // UserObjectKind
    int32_t type;              // ObjectType of the position
    int32_t id;
    double longitude;          // degrees, in the frame of a coordinate type
    double latitude;
    int32_t a;                 // LINE: dash pattern; STAR: magnitude x 10;
                               // NEBULA: type; MARK: its number
    int32_t b;                 // LINE: ColorIndex of the line; STAR: colour class 0..9
    char name[kUserObjectNameSize];
    uint32_t colour;           // ColorIndex of the name label
};

// One loaded file.
struct UserObjectFile {
    int32_t count;             // records, LINE and END included
    char path[kPathSize];      // as loaded ("~" already expanded)
    UserObject* objects;       // count records and a kUserObjectArrayEnd one
};

// The record at a running index over a list of files.
// Returned: the record, or null when the index lies outside every file
const UserObject* UserObjectAt(const UserObjectFile* files, int32_t count, int32_t index);

// Number of records in all files of a list.
int32_t UserObjectTotal(const UserObjectFile* files, int32_t count);
