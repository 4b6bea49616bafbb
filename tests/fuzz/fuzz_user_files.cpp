// Fuzzes the readers of the user's data files: the input is loaded as a
// user-object file, whose records must come out well formed and whose names
// must be found again, and then indexed as the click-data file, whose every
// entry is looked up for its text and its pictures.
#include "core/app_env.h"
#include "fuzz_files.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/user_object_files.h"
#include "sky/colors.h"
#include "sky/scene.h"
#include "sky/text_list.h"
#include "tests/sky/sky_view_fixture.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

void CheckRecord(const UserObject& record)
{
    const bool kindKnown = record.kind <= kUserObjectPoint;
    const bool named = std::memchr(record.name, '\0', sizeof record.name) != nullptr;
    const bool coloured = record.colour < uint32_t(kPaletteSize) &&
                          (record.kind != kUserObjectLine || (record.b >= 0 && record.b < kPaletteSize));
    const bool classHeld = record.kind != kUserObjectStar || (record.b >= 0 && record.b <= 9);
    if (!kindKnown || !named || !coloured || !classHeld) {
        __builtin_trap();
    }
}

void LoadAsUserObjects(Scene& scene, const char* path)
{
    UserObjectFile* files = nullptr;
    int32_t count = 0;
    char message[256];
    if (LoadUserObjectFile(scene, path, files, count, message, sizeof message) != 0) {
        for (int32_t i = 0; i < files[0].count; ++i) {
            const UserObject& record = files[0].objects[i];
            CheckRecord(record);
            int32_t found = -1;
            if (record.name[0] != '\0' && (FindSkyMarkByName(files, count, record.name, found) == 0 || found > i)) {
                __builtin_trap();
            }
        }
        if (files[0].objects[files[0].count].kind != kUserObjectArrayEnd) {
            __builtin_trap();
        }
    }
    FreeUserObjectList(files, count);
}

void LoadAsClickData(Scene& scene, const char* path)
{
    std::snprintf(gAppEnv->clickDataFile, kPathSize, "%s", path);
    char message[256];
    LoadClickData(scene, path, message, sizeof message);
    for (const ClickDataIndex* entry = scene.clickData; entry != nullptr && entry->type != -1; ++entry) {
        char text[kPickedTextSize];
        int hasImage = 0;
        const int found = FindClickDataText(scene, entry->type, entry->id, text, sizeof text, hasImage);
        TextList* list = NewTextList();
        const int images = FindClickDataImages(scene, entry->type, entry->id, list);
        if ((found != 0 && std::strlen(text) >= sizeof text) || images != list->count ||
            (images > 0 && hasImage == 0 && found != 0)) {
            __builtin_trap();
        }
        FreeTextList(list);
    }
    FreeClickData(scene);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = FuzzDirectory() + "/input";
    static std::unique_ptr<Scene> scene = skytest::MakeScene(skytest::ViewSetup{kModeEqt});
    WriteFuzzInput(path, data, size);
    LoadAsUserObjects(*scene, path.c_str());
    LoadAsClickData(*scene, path.c_str());
    return 0;
}
