// Reading solar-object keywords and finding solar-system bodies by name.
#include "sky/catalog/solar_body_names.h"

#include "astro/body_records.h"
#include "core/string_utils.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/scene.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// The keyword upper-cased into a bounded copy; 0 when it does not fit.
int CopyUpper(const char* text, char (&buffer)[kSolarKeywordSize])
{
    const size_t length = std::strlen(text);
    if (length >= sizeof buffer) {
        return 0;
    }
    for (size_t i = 0; i <= length; ++i) {
        buffer[i] = AsciiUpper(text[i]);
    }
    return 1;
}

// A positive decimal number right at `text`; `end` is the first byte after
// it. 0 when there is none or it is absurdly long.
int32_t LeadingNumber(const char* text, const char*& end)
{
    end = text;
    if (!std::isdigit(static_cast<unsigned char>(*text))) {
        return 0;
    }
    errno = 0;
    char* stop = nullptr;
    const long n = std::strtol(text, &stop, 10);
    if (errno != 0 || n > 1000000) {
        return 0;
    }
    end = stop;
    return static_cast<int32_t>(n);
}

// A single body named by its keyword at the start: Earth, Sun, Moon,
// Mercury..Pluto in this order.
bool BodyPrefix(const char* keyword, int32_t& id, const char*& rest)
{
    std::array<int32_t, 11> order{kEarthId, kSunId, kMoonId};
    for (int32_t planet = 0; planet < kPlanetCount; ++planet) {
        order[3 + planet] = planet;
    }
    for (int32_t body : order) {
        const char* name = SolarBodyKeyword(body);
        if (StartsWith(keyword, name)) {
            id = body;
            rest = keyword + std::strlen(name);
            return true;
        }
    }
    return false;
}

// COMETn or MINORPLANETn with n counted from 1 over the loaded list, and
// only for a record of that kind.
bool NumberedSmallBody(const Scene& scene, const char* keyword, int32_t& id, const char*& rest)
{
    struct ListWord {
        const char* word;
        int32_t base;
        int32_t count;
        const SmallBodyRecord* records;
        bool comets;
    };
    const std::array<ListWord, 2> lists{{
        {"COMET", kCometIdBase, scene.cometCount, scene.cometPositions, true},
        {"MINORPLANET", kMinorPlanetIdBase, scene.mplanetCount, scene.mplanetPositions, false},
    }};
    for (const ListWord& list : lists) {
        if (!StartsWith(keyword, list.word)) {
            continue;
        }
        const char* end = nullptr;
        const int32_t n = LeadingNumber(keyword + std::strlen(list.word), end);
        if (n < 1 || n > list.count || list.records == nullptr) {
            return false;
        }
        const char kind = list.records[n - 1].kind;
        if (list.comets ? kind != 'C' : kind == 'C') {
            return false;
        }
        id = list.base + n - 1;
        rest = end;
        return true;
    }
    return false;
}

bool BodyGroup(const char* keyword, int32_t& id, const char*& rest)
{
    for (const KeywordEntry* group = SolarGroupKeywordTable; group->keyword != nullptr; ++group) {
        if (StartsWith(keyword, group->keyword)) {
            id = group->value;
            rest = keyword + std::strlen(group->keyword);
            return true;
        }
    }
    return false;
}

// DUSTTAIL, IONTAIL, or either followed by a loaded comet's number.
bool TailKeyword(const Scene& scene, const char* keyword, int32_t& id, int32_t& bit)
{
    for (const KeywordEntry* tail = CometTailKeywordTable; tail->keyword != nullptr; ++tail) {
        if (!StartsWith(keyword, tail->keyword)) {
            continue;
        }
        const char* number = keyword + std::strlen(tail->keyword);
        if (*number == '\0') {
            id = kAllCometsId;
            bit = tail->value;
            return true;
        }
        const char* end = nullptr;
        const int32_t n = LeadingNumber(number, end);
        if (*end != '\0' || n < 1 || n > scene.cometCount) {
            return false;
        }
        id = kCometIdBase + n - 1;
        bit = tail->value;
        return true;
    }
    return false;
}

// The BodyFlags bit of a suffix for a body; 0 when the body refuses it.
int32_t SuffixBitFor(int32_t id, const char* suffix)
{
    if (*suffix == '\0') {
        return kBodyShown;
    }
    int32_t bit = 0;
    if (StkMatchWord(suffix, SolarSuffixKeywordTable, bit) == 0) {
        return 0;
    }
    // Only the Sun has spots; neither the Sun nor the Moon has a magnitude
    // label or an orbit.
    const bool sunOrMoon = id == kSunId || id == kMoonId;
    const bool spotOffTheSun = bit == kBodySpotOrDustTail && id != kSunId;
    if (spotOffTheSun || (sunOrMoon && (bit == kBodyMagnitude || bit == kBodyOrbit))) {
        return 0;
    }
    return bit;
}

}  // namespace

const KeywordEntry SolarSuffixKeywordTable[] = {
    {"_NAME", kBodyName}, {"_MAG", kBodyMagnitude}, {"_DATE", kBodyDate}, {"_OBT", kBodyOrbit},
    {"_SPOT", kBodySpotOrDustTail},
    {nullptr, 0},
};

const KeywordEntry SolarGroupKeywordTable[] = {
    {"PLANET", kAllPlanetsId},
    {"COMET", kAllCometsId},
    {"MINORPLANET", kAllMinorPlanetsId},
    {nullptr, 0},
};

const KeywordEntry CometTailKeywordTable[] = {
    {"DUSTTAIL", kBodySpotOrDustTail},
    {"IONTAIL", kBodyIonTail},
    {nullptr, 0},
};

int StkParseSolarObjectKeyword(const Scene& scene, const char* keyword, int32_t& id, int32_t& bit)
{
    char upper[kSolarKeywordSize];
    if (keyword == nullptr || CopyUpper(keyword, upper) == 0) {
        return 0;
    }
    int32_t body = 0;
    const char* rest = nullptr;
    if (!BodyPrefix(upper, body, rest) && !NumberedSmallBody(scene, upper, body, rest) &&
        !BodyGroup(upper, body, rest)) {
        return TailKeyword(scene, upper, id, bit) ? 1 : 0;
    }
    const int32_t suffixBit = SuffixBitFor(body, rest);
    if (suffixBit == 0) {
        return 0;
    }
    id = body;
    bit = suffixBit;
    return 1;
}

int FindSolarBodyByName(const Scene& scene, const char* text, ObjectId& id)
{
    if (text == nullptr) {
        return 0;
    }
    int32_t body = 0;
    int32_t bit = 0;
    if (StkParseSolarObjectKeyword(scene, text, body, bit) != 0) {
        // MARS_NAME or IONTAIL names a display option, not a body.
        if (bit != kBodyShown) {
            return 0;
        }
        id = body;
        return 1;
    }
    return FindCometByName(scene, text, id) != 0 || FindMinorPlanetByName(scene, text, id) != 0 ? 1 : 0;
}
