// Fuzzes the site dialogs' reading of a site list file: the file loaded
// line by line, the list names made, the edit fields filled from every
// line, and those fields written back as a record line. Any file must keep
// the promises: one name per line, no name longer than its columns, and a
// line the edit dialog accepts is a record the site reader takes.
#include "dialogs/site_dialog_fields.h"
#include "dialogs/site_file.h"
#include "sky/catalog/site_list.h"
#include "tests/dialogs/typed_fields.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void Require(bool promise)
{
    if (!promise) {
        __builtin_trap();
    }
}

const std::string& FilePath()
{
    static const std::string path = "/tmp/uvola-fuzz-sites-" + std::to_string(getpid()) + ".obs";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(FilePath().c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    std::vector<std::string> lines;
    Require(ReadSiteFileLines(FilePath().c_str(), lines) == 1);
    const std::vector<std::string> names = SiteLineNames(lines);
    Require(names.size() == lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        Require(names[i].size() <= static_cast<size_t>(kSiteNameWidth));
        const SiteEditFields fields = SiteFieldsOfLine(lines[i]);
        std::string line;
        CommandText command;
        const SiteEditValues values = typedfields::SiteValues(fields);
        if (MakeSiteLine(values, names, static_cast<int>(i), line, command) == nullptr) {
            SiteRecord site;
            Require(line.size() == kSiteRecordLength + 1u && IsSiteRecordLine(line.c_str()) == 1);
            Require(ParseSiteRecord(line.c_str(), site) == 1);
        }
    }
    return 0;
}
