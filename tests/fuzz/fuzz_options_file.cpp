// Fuzzes the options file: the input is the file. Every key is read as
// start-up reads it, into fields of start-up's sizes, then the file is
// rewritten as at quit, read again, and one key is set as the dialogs do.
#include "core/app_env.h"
#include "core/options.h"
#include "fuzz_files.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

const char* const kBooleanKeys[] = {"Toolbar", "TipHelp", "ConfirmQuit", "ConfirmInit"};
const char* const kTextKeys[] = {"StlFileIoPath", "SaveImagePath", "UserObjectFilePath", "GscDataPath",
                                 "SiteName", "Geometry", "Locale", "TZ"};

void ReadEveryKey()
{
    AppEnv& env = *gAppEnv;
    for (const char* key : kBooleanKeys) {
        GetOptionBool(key, 1);
    }
    env.socketPort = GetOptionInt("SocketPort", 0);
    char value[kPathSize];
    for (const char* key : kTextKeys) {
        GetOptionString(key, value, sizeof value);
    }
    GetOptionString("Geometry", env.geometryOption, sizeof env.geometryOption);
    GetOptionString("Locale", env.localeOption, sizeof env.localeOption);
    GetOptionString("TZ", env.tzOption, sizeof env.tzOption);
    GetOptionString("SiteName", env.siteName, sizeof env.siteName);
    GetOptionString("StlFileIoPath", env.stlFileIoPath, sizeof env.stlFileIoPath);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string directory = FuzzDirectory();
    ResetAppEnv();
    std::snprintf(gAppEnv->userDirectory, kPathSize, "%s", directory.c_str());
    WriteFuzzInput(directory + "/options", data, size);

    ReadEveryKey();
    WriteOptionsFile();
    ReadEveryKey();
    SetOption("SiteName", "Tokyo (Japan)");
    return 0;
}
