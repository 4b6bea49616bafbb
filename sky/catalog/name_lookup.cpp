// Name searches over the built-in identification tables.
#include "sky/catalog/name_lookup.h"

#include "astro/body_records.h"
#include "core/string_utils.h"
#include "data/catalog_tables.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/user_objects.h"
#include "sky/scene.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Longer texts than this name nothing in the tables.
constexpr size_t kNameBufferSize = 128;

// Length of the Greek letter name that starts `text`, and its number 1..24;
// 0 when none does. The first such name in table order wins.
size_t GreekLetterPrefix(const char* text, int32_t& letter)
{
    for (int32_t n = 1; n <= 24; ++n) {
        const char* name = GreekLetterName(n);
        size_t length = std::strlen(name);
        size_t i = 0;
        while (i < length && AsciiUpper(text[i]) == AsciiUpper(name[i]))
            ++i;
        if (i == length) {
            letter = n;
            return length;
        }
    }
    return 0;
}

bool DesignationMatches(int32_t row, int32_t constellation, int32_t letter, int32_t superscript, int32_t flamsteed)
{
    int32_t rowLetter = 0, rowSuperscript = 0, rowFlamsteed = 0, rowConstellation = 0;
    DecodeStarDesignation(row, rowLetter, rowSuperscript, rowFlamsteed, rowConstellation);
    return rowConstellation == constellation
        && (letter == 0 || rowLetter == letter)
        && (superscript == 0 || rowSuperscript == superscript)
        && (flamsteed == 0 || rowFlamsteed == flamsteed);
}

// The designation rows of each constellation, in table order; made on the
// first search, which a click-data file of many stars repeats thousands of
// times.
const std::vector<int32_t>& DesignationRowsOf(int32_t constellation)
{
    static const std::vector<std::vector<int32_t>> rows = [] {
        std::vector<std::vector<int32_t>> byConstellation(kConstellationRows);
        for (int32_t row = 0; row < kStarDesignationCount; ++row) {
            int32_t letter = 0, superscript = 0, flamsteed = 0, rowConstellation = 0;
            DecodeStarDesignation(row, letter, superscript, flamsteed, rowConstellation);
            if (rowConstellation < kConstellationRows)
                byConstellation[rowConstellation].push_back(row);
        }
        return byConstellation;
    }();
    return rows[constellation];
}

// Both texts padded with blanks to `width` and compared ignoring case.
bool PaddedFieldEqual(const char* text, const char* field, int width)
{
    char a[kNameBufferSize], b[kNameBufferSize];
    if (std::strlen(text) >= kNameBufferSize || std::strlen(field) >= kNameBufferSize)
        return false;
    std::snprintf(a, sizeof a, "%-*s", width, text);
    std::snprintf(b, sizeof b, "%-*s", width, field);
    return AsciiCaseEqual(a, b);
}

bool ElementsNamed(const OrbitalElements& e, const char* text)
{
    return PaddedFieldEqual(text, e.secondName, 15) || PaddedFieldEqual(text, e.number, 6)
        || PaddedFieldEqual(text, e.designation, 10) || PaddedFieldEqual(text, e.name, 30);
}

int FindSmallBody(const OrbitalElements* list, int32_t count, bool comets, int32_t base, const char* text,
                  int32_t& id)
{
    if (!text)
        return 0;
    for (int32_t i = 0; i < count; ++i) {
        bool wanted = comets ? list[i].kind == 'C' : list[i].kind != 'N';
        if (wanted && ElementsNamed(list[i], text)) {
            id = base + i;
            return 1;
        }
    }
    return 0;
}

// The running index of the first record named `text` in a list of files.
int FindNameInFiles(const UserObjectFile* files, int32_t count, const char* text, int32_t& index)
{
    if (text == nullptr) {
        return 0;
    }
    int32_t running = 0;
    for (int32_t f = 0; f < count; ++f) {
        for (const UserObject* object = files[f].objects; object->kind != kUserObjectArrayEnd; ++object, ++running) {
            if (object->name[0] != '\0' && AsciiCaseEqual(object->name, text) != 0) {
                index = running;
                return 1;
            }
        }
    }
    return 0;
}

// The first row of each catalogue that carries the catalogue's flag and a
// number, by that number (-1: none); made on the first search. A click-data
// file names thousands of objects, and a walk through the 7040 NGC records
// for each would cost more than all the rest of its reading.
using NebulaNumberRows = std::array<std::array<int32_t, kNebulaNumberMask + 1>, 3>;

const NebulaNumberRows& FirstRowsOfNumbers()
{
    static const std::unique_ptr<NebulaNumberRows> rows = [] {
        auto table = std::make_unique<NebulaNumberRows>();
        static constexpr uint32_t kFlags[3] = {kNebulaMessierFlag, kNebulaNgcFlag, kNebulaIcFlag};
        for (int catalogue = kMessier; catalogue <= kIc; ++catalogue) {
            std::array<int32_t, kNebulaNumberMask + 1>& first = (*table)[catalogue];
            first.fill(-1);
            for (int32_t row = NebulaCatalogCounts[catalogue] - 1; row >= 0; --row) {
                const uint32_t word = NebulaAttributeTable[catalogue][row].word[1];
                if ((word & kFlags[catalogue]) != 0)
                    first[word & kNebulaNumberMask] = row;
            }
        }
        return table;
    }();
    return *rows;
}

}  // namespace

int FindCometByName(const Scene& scene, const char* text, ObjectId& id)
{
    return FindSmallBody(scene.cometElements, scene.cometCount, true, kCometIdBase, text, id);
}

int FindMinorPlanetByName(const Scene& scene, const char* text, ObjectId& id)
{
    return FindSmallBody(scene.mplanetElements, scene.mplanetCount, false, kMinorPlanetIdBase, text, id);
}

int FindStarByDesignation(char* text, int32_t& star)
{
    if (!text)
        return 0;
    int32_t letter = 0, superscript = 0, flamsteed = 0;
    char* rest = text + GreekLetterPrefix(text, letter);
    if (letter) {
        if (*rest >= '1' && *rest <= '9')
            superscript = *rest++ - '0';
    } else {
        while (*rest >= '0' && *rest <= '9' && flamsteed < 1000)
            flamsteed = flamsteed * 10 + (*rest++ - '0');
    }
    int32_t constellation = FindConstellationByName(rest);
    if (constellation < 0)
        return 0;
    for (int32_t row : DesignationRowsOf(constellation)) {
        if (DesignationMatches(row, constellation, letter, superscript, flamsteed)) {
            star = StarOfDesignationRow(row);
            return star >= 0;
        }
    }
    return 0;
}

int FindStarByProperName(char* text, int32_t& star)
{
    if (!text)
        return 0;
    AsciiUpperText(text);
    for (const StarNameRecord& name : StarNameTable) {
        if (AsciiCaseEqual(text, name.displayName)) {
            star = name.star;
            return 1;
        }
    }
    return 0;
}

int FindStarByName(char* text, int32_t& star)
{
    return FindStarByDesignation(text, star) || FindStarByProperName(text, star);
}

int32_t FindConstellationByName(char* text)
{
    if (!text)
        return -1;
    AsciiUpperText(text);
    for (int32_t row = 0; row < kConstellationCount; ++row) {
        const ConstellationRecord& c = ConstellationTable[row];
        if (AsciiCaseEqual(text, c.abbreviation) || AsciiCaseEqual(text, c.displayName)
            || AsciiCaseEqual(text, c.defaultName))
            return row;
    }
    return -1;
}

int FindNebulaByDesignation(const char* text, int32_t& index)
{
    if (!text)
        return 0;
    int catalogue = 0;
    const char* number = text + 1;
    switch (AsciiUpper(text[0])) {
    case 'M':
        catalogue = kMessier;
        break;
    case 'N':
        catalogue = kNgc;
        if (AsciiUpper(text[1]) == 'G' && AsciiUpper(text[2]) == 'C')
            number = text + 3;
        break;
    case 'I':
        catalogue = kIc;
        if (AsciiUpper(text[1]) == 'C')
            number = text + 2;
        break;
    default:
        return 0;
    }
    long wanted = std::strtol(number, nullptr, 10);
    if (wanted < 0 || wanted > long(kNebulaNumberMask))
        return 0;
    const int32_t row = FirstRowsOfNumbers()[catalogue][wanted];
    if (row < 0)
        return 0;
    int32_t base = 0;
    for (int c = 0; c < catalogue; ++c)
        base += NebulaCatalogCounts[c];
    index = base + row;
    return 1;
}

int FindMagellanicCloudByName(const char* text, int32_t& index)
{
    for (int32_t i = 0; i < 2; ++i) {
        if (AsciiCaseEqual(text, MagellanicCloudTable[i].name)) {
            index = i;
            return 1;
        }
    }
    return 0;
}

int FindJovianSatelliteByName(const char* text, int32_t& index)
{
    for (int32_t i = 0; i < 4; ++i) {
        if (AsciiCaseEqual(text, SolarBodyKeyword(kFirstJovianMoonId + i))) {
            index = i;
            return 1;
        }
    }
    return 0;
}

int FindUserObjectByName(const Scene& scene, const char* text, int32_t& index)
{
    return FindNameInFiles(scene.userObjectFiles, scene.userObjectFileCount, text, index);
}

int FindSkyMarkByName(const UserObjectFile* files, int32_t count, const char* text, int32_t& index)
{
    return FindNameInFiles(files, count, text, index);
}
