#include "data/fallback_resources.h"

#include <cstring>
#include <vector>

namespace {

// Areas in list order: the application resources come first, the message
// texts last.
const char* const* const kResourceBlocks[] = {
    kInitResources,
    kMainWindowResources,
    kMenuResources,
    kToolResources,
    kDialogResources,
    kTimeSiteDialogResources,
    kDisplayDialogResources,
    kSettingsDialogResources,
    kCenterPickerResources,
    kTodayResources,
    kSmallBodyDialogResources,
    kHelpResources,
    kColorResources,
    kFontResources,
    kMessageResources,
};

constexpr char kClassPrefix[] = "UVola";

std::vector<char*> AssembleList()
{
    std::vector<char*> lines;
    for (const char* const* block : kResourceBlocks) {
        for (const char* const* line = block; *line != nullptr; ++line) {
            // The toolkit's type is a plain String; it only reads the lines.
            lines.push_back(const_cast<char*>(*line));
        }
    }
    lines.push_back(nullptr);
    return lines;
}

std::vector<char*>& AssembledList()
{
    static std::vector<char*> list = AssembleList();
    return list;
}

// The value part of `line` when it sets `name` for the whole application.
const char* ValueIfLineSets(const char* line, const char* name, size_t nameLength)
{
    const size_t prefixLength = sizeof kClassPrefix - 1;
    if (std::strncmp(line, kClassPrefix, prefixLength) != 0) {
        return nullptr;
    }
    const char* path = line + prefixLength;
    if (*path != '*' && *path != '.') {
        return nullptr;
    }
    ++path;
    if (std::strncmp(path, name, nameLength) != 0) {
        return nullptr;
    }
    const char* rest = path + nameLength;
    while (*rest == ' ' || *rest == '\t') {
        ++rest;
    }
    if (*rest != ':') {
        return nullptr;
    }
    ++rest;
    while (*rest == ' ' || *rest == '\t') {
        ++rest;
    }
    return rest;
}

}  // namespace

char** FallbackResourceList()
{
    return AssembledList().data();
}

const char* FindFallbackResource(const char* name)
{
    if (name == nullptr || *name == '\0') {
        return nullptr;
    }
    const size_t nameLength = std::strlen(name);
    for (char** line = FallbackResourceList(); *line != nullptr; ++line) {
        const char* value = ValueIfLineSets(*line, name, nameLength);
        if (value != nullptr) {
            return value;
        }
    }
    return nullptr;
}
