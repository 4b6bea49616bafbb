// Fuzzes the site list reader: the input is the site list file. Each line
// is parsed as a record, and sites are looked up by the name of every
// record in it, by a name no file has and by an empty one.
#include "core/app_env.h"
#include "fuzz_files.h"
#include "sky/catalog/site_list.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = FuzzDirectory() + "/uvola.obs";
    WriteFuzzInput(path, data, size);
    std::snprintf(gAppEnv->siteFile, kPathSize, "%s", path.c_str());

    ObserverLocation location{};
    double zone = 0.0;
    LookUpSite("Nowhere at all", location, zone);
    LookUpSite("", location, zone);
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (size_t begin = 0; begin < text.size();) {
        const size_t end = text.find('\n', begin);
        const std::string line = text.substr(begin, end == std::string::npos ? end : end - begin + 1);
        SiteRecord site{};
        if (ParseSiteRecord(line.c_str(), site) == 1) {
            LookUpSite(site.name, location, zone);
        }
        begin = end == std::string::npos ? text.size() : end + 1;
    }
    return 0;
}
