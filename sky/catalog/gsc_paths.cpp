// Paths of the Guide Star Catalog's CD tree and its letter case.
#include "sky/catalog/gsc_paths.h"

#include "core/app_env.h"
#include "core/regular_file.h"
#include "core/string_utils.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

std::string gProbedRoot;
int gTreeCase = kGscUpperCase;
bool gTreeFound = false;

// Root, slash, and the catalogue's part in the given case.
std::string UnderRoot(const char* root, int letterCase, std::string part)
{
    std::string path = root;
    if (!path.empty() && path.back() != '/')
        path += '/';
    for (char& c : part)
        c = letterCase == kGscLowerCase ? AsciiLower(c) : AsciiUpper(c);
    return path + part;
}

}  // namespace

int ProbeGscTreeCase(const char* root)
{
    if (root[0] == '\0')
        return -1;
    for (int letterCase : {kGscUpperCase, kGscLowerCase})
        if (access(UnderRoot(root, letterCase, "TABLES/REGIONS.TBL").c_str(), R_OK) == 0)
            return letterCase;
    return -1;
}

namespace {

// Probes the root in use and keeps what was found.
int RememberTreeCase()
{
    int letterCase = ProbeGscTreeCase(gAppEnv->gscDataPath);
    gProbedRoot = gAppEnv->gscDataPath;
    gTreeFound = letterCase >= 0;
    gTreeCase = gTreeFound ? letterCase : kGscUpperCase;
    return letterCase;
}

}  // namespace

int IsGscAvailable()
{
    if (IsReadableRegularFile(gAppEnv->gscIndexFile) == 0)
        return 0;
    return RememberTreeCase() >= 0;
}

int GscTreeCase()
{
    if (!gTreeFound || gProbedRoot != gAppEnv->gscDataPath)
        RememberTreeCase();
    return gTreeCase;
}

int FormatGscRegionPath(const char* root, int letterCase, const char* zoneDirectory, int32_t region, char* path,
                        size_t size)
{
    char part[32];
    std::snprintf(part, sizeof part, "GSC/%.8s/%04d.GSC", zoneDirectory, static_cast<int>(region));
    std::string full = UnderRoot(root, letterCase, part);
    if (full.size() + 1 > size)
        return 0;
    std::memcpy(path, full.c_str(), full.size() + 1);
    return 1;
}
