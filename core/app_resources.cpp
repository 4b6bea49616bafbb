#include "core/app_resources.h"

#include "core/app_env.h"
#include "core/messages.h"
#include "core/regular_file.h"
#include "core/replacement_file.h"
#include "core/string_utils.h"
#include "core/user_directory.h"

#include <X11/StringDefs.h>
#include <sys/stat.h>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr size_t kCopyBlockSize = 16384;
constexpr size_t kPlanetNameSize = 128;
constexpr char kPrivateSiteFileName[] = "uvola.obs";

constexpr const char* kPlanetNameKeys[kPlanetNameCount] = {
    "messagePlanetMercury", "messagePlanetVenus",  "messagePlanetEarth",
    "messagePlanetMars",    "messagePlanetJupiter", "messagePlanetSaturn",
    "messagePlanetUranus",  "messagePlanetNeptune", "messagePlanetPluto",
};
constexpr const char* kGalileanNameKeys[kGalileanCount] = {
    "messagePlanetJsIo", "messagePlanetJsEuropa", "messagePlanetJsGanymede", "messagePlanetJsCallist",
};

// The index is rebuilt at most once per element file and run; the line that
// warns of the wait is printed before the first of them only.
bool gIndexRebuildAnnounced = false;

XtResource StringResource(const char* name, const char* defaultValue, Cardinal offset)
{
    return XtResource{
        const_cast<char*>(name), const_cast<char*>("Init"), const_cast<char*>(XtRString),
        sizeof(String),          offset,                   const_cast<char*>(XtRString),
        const_cast<char*>(defaultValue),
    };
}

XtResource IntResource(const char* name, const char* defaultValue, Cardinal offset)
{
    return XtResource{
        const_cast<char*>(name), const_cast<char*>("Init"), const_cast<char*>(XtRInt),
        sizeof(int),             offset,                   const_cast<char*>(XtRString),
        const_cast<char*>(defaultValue),
    };
}

#define INIT_OFFSET(field) static_cast<Cardinal>(offsetof(InitResources, field))

bool PrivateSiteFilePath(char* out)
{
    if (gAppEnv->userDirectory[0] == '\0') {
        return false;
    }
    const int length = std::snprintf(out, kPathSize, "%s/%s", gAppEnv->userDirectory, kPrivateSiteFileName);
    return length >= 0 && length < kPathSize;
}

void CopyPath(const char* path, char* out)
{
    std::snprintf(out, kPathSize, "%s", path);
}

// "comet" of "/usr/local/share/uvola/comet.elm".
std::string BaseNameWithoutExtension(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    std::string base = slash != nullptr ? slash + 1 : path;
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos) {
        base.erase(dot);
    }
    return base;
}

bool IsOlder(const struct timespec& a, const struct timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

char* CopyMessage(const char* key)
{
    char text[kPlanetNameSize];
    GetMessage(key, text, sizeof text);
    char* copy = strdup(text);
    if (copy == nullptr) {
        std::fprintf(stderr, "uvola: insufficient memory.\n");
        std::exit(1);
    }
    return copy;
}

}  // namespace

void ReadInitResources(Widget toplevel, InitResources& resources)
{
    XtResource requests[] = {
        StringResource("CometFile", "/usr/local/share/uvola/comet.elm", INIT_OFFSET(cometFile)),
        StringResource("MPlanetFile", "/usr/local/share/uvola/mp.elm", INIT_OFFSET(mplanetFile)),
        StringResource("ConstDataFile", "/usr/local/share/uvola/consname.dat", INIT_OFFSET(constDataFile)),
        StringResource("StarNameDataFile", "/usr/local/share/uvola/starname.dat", INIT_OFFSET(starNameDataFile)),
        StringResource("SiteFile", "/usr/local/share/uvola/uvola.obs", INIT_OFFSET(siteFile)),
        StringResource("DateStyle", "English", INIT_OFFSET(dateStyle)),
        StringResource("SaoFile", "/usr/local/share/uvola/uvola.sao", INIT_OFFSET(saoFile)),
        StringResource("GscPath", "/cdrom", INIT_OFFSET(gscPath)),
        StringResource("GscIndexFile", "/usr/local/share/uvola/uvola.gsc", INIT_OFFSET(gscIndexFile)),
        StringResource("SkyMarkFile", "/usr/local/share/uvola/skymark.adf", INIT_OFFSET(skyMarkFile)),
        StringResource("StlFileIoPath", "~", INIT_OFFSET(stlFileIoPath)),
        StringResource("SaveImagePath", "~", INIT_OFFSET(saveImagePath)),
        StringResource("UserObjectFilePath", "/usr/local/share/uvola/adf", INIT_OFFSET(userObjectFilePath)),
        StringResource("ClickDataFile", "/usr/local/share/uvola/uvola.cdf", INIT_OFFSET(clickDataFile)),
        StringResource("ClickImagePath", "/usr/local/share/uvola/image/", INIT_OFFSET(clickImagePath)),
        IntResource("SaveHistory", "10", INIT_OFFSET(saveHistory)),
        IntResource("BlinkTime", "10", INIT_OFFSET(blinkTime)),
    };
    XtGetApplicationResources(toplevel, &resources, requests, XtNumber(requests), nullptr, 0);
}

void ReadSiteResource(Widget toplevel, char* buffer, size_t size)
{
    if (size == 0) {
        return;
    }
    buffer[0] = '\0';
    if (toplevel == nullptr) {
        return;
    }
    struct {
        String site;
    } value = {nullptr};
    XtResource request = StringResource("Site", "", 0);
    XtGetApplicationResources(toplevel, &value, &request, 1, nullptr, 0);
    if (value.site != nullptr) {
        std::snprintf(buffer, size, "%s", value.site);
    }
}

int DateStyleFromName(const char* name)
{
    if (name == nullptr) {
        return kDateStyleEnglish;
    }
    if (AsciiCaseEqual(name, "Japanese") != 0) {
        return kDateStyleJapanese;
    }
    if (AsciiCaseEqual(name, "European") != 0) {
        return kDateStyleEuropean;
    }
    return kDateStyleEnglish;
}

void ExpandPathInto(const char* value, char* field)
{
    ExpandTilde(value != nullptr ? value : "", field, kPathSize);
}

int CopyFile(const char* source, const char* target)
{
    UniqueFile input = OpenRegularFile(source);
    if (!input) {
        return 0;
    }
    ReplacementFile output;
    if (!OpenReplacement(output, target)) {
        return 0;
    }
    char block[kCopyBlockSize];
    size_t count;
    while ((count = std::fread(block, 1, sizeof block, input.get())) > 0) {
        if (!WriteReplacement(output, block, count)) {
            return 0;
        }
    }
    if (std::ferror(input.get())) {
        return 0;
    }
    return CommitReplacement(output);
}

void ResolveSiteFile(char* out, const char* siteFileResource)
{
    char privateCopy[kPathSize];
    const bool havePrivatePath = PrivateSiteFilePath(privateCopy);
    if (havePrivatePath && IsReadableRegularFile(privateCopy)) {
        CopyPath(privateCopy, out);
        return;
    }
    char systemFile[kPathSize];
    ExpandPathInto(siteFileResource, systemFile);
    // The site dialogs edit the file in use; a private copy lets every user
    // keep a list of their own without write access to the system one.
    if (havePrivatePath && IsReadableRegularFile(systemFile) && CopyFile(systemFile, privateCopy)) {
        CopyPath(privateCopy, out);
        return;
    }
    CopyPath(systemFile, out);
}

int EnsureIndexFile(char* indexPath, const char* elementFile)
{
    const std::string tildePath = "~/.uvola/" + BaseNameWithoutExtension(elementFile) + ".dbm";
    if (ExpandTilde(tildePath.c_str(), indexPath, kPathSize) == nullptr) {
        return 0;
    }
    struct stat element;
    if (stat(elementFile, &element) != 0) {
        return 0;
    }
    struct stat index;
    if (stat(indexPath, &index) == 0 && !IsOlder(index.st_mtim, element.st_mtim)) {
        return 0;
    }
    if (!gIndexRebuildAnnounced) {
        std::printf("uvola: Creating index file.  This may take a while.\n");
        std::fflush(stdout);
        gIndexRebuildAnnounced = true;
    }
    return 1;
}

void LoadPlanetNames()
{
    FreePlanetNames();
    for (int i = 0; i < kPlanetNameCount; ++i) {
        gAppEnv->planetNames[i] = CopyMessage(kPlanetNameKeys[i]);
    }
    for (int i = 0; i < kGalileanCount; ++i) {
        gAppEnv->galileanNames[i] = CopyMessage(kGalileanNameKeys[i]);
    }
}

void FreePlanetNames()
{
    for (char*& name : gAppEnv->planetNames) {
        std::free(name);
        name = nullptr;
    }
    for (char*& name : gAppEnv->galileanNames) {
        std::free(name);
        name = nullptr;
    }
}
