// Two user-object files as LOAD AD leaves them, for the tests of the
// user-object and sky-mark pickers: lines, their ends and points, named or
// not, each file closed by its end record (whose name no one may read).
#pragma once

#include "sky/catalog/user_object_files.h"

#include <cstdio>
#include <utility>

namespace findingtest {

struct UserFiles {
    UserObject first[5] = {};
    UserObject second[3] = {};
    UserObjectFile files[2] = {};

    UserFiles()
    {
        const std::pair<UserObject*, std::pair<uint8_t, const char*>> records[] = {
            {&first[0], {kUserObjectLine, ""}},
            {&first[1], {kUserObjectPoint, "Home"}},
            {&first[2], {kUserObjectPoint, ""}},
            {&first[3], {kUserObjectLineEnd, ""}},
            {&first[4], {kUserObjectArrayEnd, "After the end"}},
            {&second[0], {kUserObjectStar, "a; EXIT; b"}},
            {&second[1], {kUserObjectMark, "Tower"}},
            {&second[2], {kUserObjectArrayEnd, ""}},
        };
        for (const auto& [record, fields] : records) {
            record->kind = fields.first;
            std::snprintf(record->name, sizeof record->name, "%s", fields.second);
        }
        files[0].count = 4;
        files[0].objects = first;
        files[1].count = 2;
        files[1].objects = second;
    }
};

}  // namespace findingtest
