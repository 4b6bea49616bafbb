// Names and command references of objects, and the reading of the built-in
// identification tables.
#include "sky/catalog/object_names.h"

#include "astro/vector_math.h"
#include "core/messages.h"
#include "core/string_utils.h"
#include "sky/catalog/user_objects.h"
#include "sky/scene.h"

#include <bit>
#include <cstdio>
#include <cstring>

namespace {

constexpr int32_t kNamedBodyCount = 14;      // Sun, Moon, 8 planets, 4 satellites

constexpr const char* kBodyMessageKeys[kNamedBodyCount] = {
    "messagePlanetSun", "messagePlanetMoon", "messagePlanetMercury",
    "messagePlanetVenus", "messagePlanetMars", "messagePlanetJupiter",
    "messagePlanetSaturn", "messagePlanetUranus", "messagePlanetNeptune",
    "messagePlanetPluto", "messagePlanetJsIo", "messagePlanetJsEuropa",
    "messagePlanetJsGanymede", "messagePlanetJsCallist",
};

constexpr const char* kGreekLetters[24] = {
    "alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta",
    "iota", "kappa", "lambda", "mu", "nu", "xi", "omicron", "pi", "rho",
    "sigma", "tau", "upsilon", "phi", "chi", "psi", "omega",
};

constexpr const char* kNebulaTypeKeys[6] = {
    "messageNebulaPlanetary", "messageNebulaDiffuse", "messageNebulaOpen",
    "messageNebulaGlobular", "messageNebulaGalaxy", "messageNebulaCompound",
};

constexpr int32_t kBrightestLimit = -15;     // Sirius, -1.5
constexpr int32_t kSecondLimit = -7;         // Canopus, -0.7

int32_t NebulaCatalogueBase(int catalogue)
{
    int32_t base = 0;
    for (int c = 0; c < catalogue; ++c)
        base += NebulaCatalogCounts[c];
    return base;
}

int NebulaCatalogueOfIndex(int32_t index)
{
    int catalogue = 0;
    while (catalogue < 2 && index >= NebulaCatalogueBase(catalogue + 1))
        ++catalogue;
    return catalogue;
}

int FormatStarText(int32_t star, char* buffer)
{
    int32_t row = 0, flag = 0;
    const BrightStarRecord& record = BrightStarTable[star];
    if (!GetStarDesignationIndex(star, row, flag)) {
        // An undesignated star is named by its place: hours and degrees.
        FixedVector v = {record.x, record.y, record.z};
        double s[2];
        SphericalFromFixedVector(v, s);
        std::snprintf(buffer, kObjectCommandTextSize, "EQT %f,%f", s[0] / 15.0, s[1]);
        return 1;
    }
    int32_t letter = 0, superscript = 0, flamsteed = 0, constellation = 0;
    DecodeStarDesignation(row, letter, superscript, flamsteed, constellation);
    const char* abbreviation = ConstellationTable[constellation].abbreviation;
    if (letter && superscript)
        std::snprintf(buffer, kObjectCommandTextSize, "STAR %s%d%s", GreekLetterName(letter), superscript, abbreviation);
    else if (letter)
        std::snprintf(buffer, kObjectCommandTextSize, "STAR %s%s", GreekLetterName(letter), abbreviation);
    else if (flamsteed)
        std::snprintf(buffer, kObjectCommandTextSize, "STAR %d%s", flamsteed, abbreviation);
    else
        return 0;
    return 1;
}

int FormatNebulaText(int32_t index, char* buffer)
{
    // The letter comes from the catalogue whose run holds the record: an
    // NGC record of a Messier object carries the Messier flag too, and its
    // number is an NGC number.
    static constexpr char kLetters[3] = {'M', 'N', 'I'};
    int catalogue = NebulaCatalogueOfIndex(index);
    uint32_t number = NebulaAttributeTable[catalogue][index - NebulaCatalogueBase(catalogue)].word[1] & kNebulaNumberMask;
    std::snprintf(buffer, kObjectCommandTextSize, "NEBULA %c%u", kLetters[catalogue], number);
    return 1;
}

int FormatSolarBodyText(const Scene& scene, int32_t id, char* buffer)
{
    if (id >= kCometIdBase && id < kCometIdBase + scene.cometCount)
        std::snprintf(buffer, kObjectCommandTextSize, "COMET%d", id - kCometIdBase + 1);
    else if (id >= kMinorPlanetIdBase && id < kMinorPlanetIdBase + scene.mplanetCount)
        std::snprintf(buffer, kObjectCommandTextSize, "MINORPLANET%d", id - kMinorPlanetIdBase + 1);
    else
        GetSolarBodyName(scene, id, 1, buffer, 20);
    return 1;
}

// AD "name". A record without a name, or with a double quote in it, cannot
// be found again by a reference.
int FormatUserObjectText(const Scene& scene, int32_t index, char* buffer)
{
    const UserObject* object = UserObjectAt(scene.userObjectFiles, scene.userObjectFileCount, index);
    if (object == nullptr || object->name[0] == '\0' || std::strchr(object->name, '"') != nullptr)
        return 0;
    std::snprintf(buffer, kObjectCommandTextSize, "AD \"%s\"", object->name);
    return 1;
}

}  // namespace

const KeywordEntry SolarBodyKeywordTable[] = {
    {"SUN", kSunId},      {"MOON", kMoonId},       {"MERCURY", 0},      {"VENUS", 1},    {"MARS", 2},
    {"JUPITER", 3},       {"SATURN", 4},           {"URANUS", 5},       {"NEPTUNE", 6},  {"PLUTO", 7},
    {"IO", 8},            {"EUROPA", 9},           {"GANYMEDE", 10},    {"CALLIST", 11}, {"EARTH", kEarthId},
    {nullptr, 0},
};

const char* SolarBodyKeyword(int32_t id)
{
    const char* keyword = StkKeywordName(SolarBodyKeywordTable, id);
    return keyword != nullptr ? keyword : StkKeywordName(SolarBodyKeywordTable, kEarthId);
}

void GetSolarBodyName(const Scene& scene, ObjectId id, int keyword, char* buffer, size_t length)
{
    const OrbitalElements* elements = nullptr;
    if (id >= kCometIdBase && id < kCometIdBase + scene.cometCount)
        elements = &scene.cometElements[id - kCometIdBase];
    else if (id >= kMinorPlanetIdBase && id < kMinorPlanetIdBase + scene.mplanetCount)
        elements = &scene.mplanetElements[id - kMinorPlanetIdBase];
    if (elements) {
        if (length > 0) {
            std::strncpy(buffer, elements->name, length);
            buffer[length - 1] = '\0';
        }
        return;
    }
    int32_t slot = id - kSunId;
    bool named = slot >= 0 && slot < kNamedBodyCount;
    if (keyword)
        CopyCut(buffer, length, SolarBodyKeyword(id));
    else
        GetMessage(named ? kBodyMessageKeys[slot] : "messagePlanetEarth", buffer, length);
}

const char* GetOrbitalElementsLabel(const OrbitalElements& elements)
{
    for (const char* field : {elements.name, elements.secondName, elements.number, elements.designation})
        if (field[std::strspn(field, " ")] != '\0')
            return field;
    return nullptr;
}

int FormatObjectCommandText(const Scene& scene, int32_t type, int32_t id, char* buffer)
{
    switch (type) {
    case kObjectStar:
        return id >= 0 && id < kBrightStarCount && FormatStarText(id, buffer);
    case kObjectSolarBody:
        return FormatSolarBodyText(scene, id, buffer);
    case kObjectConstellation:
        if (id < 0 || id >= kConstellationRows)
            return 0;
        std::snprintf(buffer, kObjectCommandTextSize, "CONS %s", ConstellationTable[id].abbreviation);
        return 1;
    case kObjectNebula:
        return id >= 0 && id < GetNebulaCount() && FormatNebulaText(id, buffer);
    case kObjectJovianMoon:
        if (id < 0 || id > 3)
            return 0;
        GetSolarBodyName(scene, kFirstJovianMoonId + id, 1, buffer, kObjectCommandTextSize);
        return 1;
    case kObjectUserObject:
        return FormatUserObjectText(scene, id, buffer);
    case kObjectMagellanicCloud:
        if (id < 0 || id > 1)
            return 0;
        CopyCut(buffer, kObjectCommandTextSize, MagellanicCloudTable[id].name);
        return 1;
    default:
        return 0;
    }
}

int GetStarDesignationIndex(int32_t star, int32_t& row, int32_t& flag)
{
    if (star < 0 || star >= kBrightStarCount)
        return 0;
    const StarDesignationGroup& group = StarDesignationIndex[star / 16];
    int bit = 15 - star % 16;
    flag = (BrightStarTable[star].attributes & kStarNamedFlag) ? 1 : 0;
    if (!(group.mask & (1u << bit)))
        return 0;
    // Designated stars of the group up to this one, this one included.
    uint32_t upTo = (group.mask & 0xffffu) >> bit;
    row = static_cast<int32_t>(group.before) + std::popcount(upTo) - 1;
    return 1;
}

void DecodeStarDesignation(int32_t row, int32_t& greekLetter, int32_t& superscript,
                           int32_t& flamsteed, int32_t& constellation)
{
    const StarDesignation& d = StarDesignationTable[row];
    greekLetter = d[0] >> 3;
    superscript = (d[0] & 0x7) << 1 | d[1] >> 7;
    constellation = d[1] & 0x7f;
    flamsteed = d[2];
}

int32_t StarOfDesignationRow(int32_t row)
{
    if (row < 0 || row >= kStarDesignationCount)
        return -1;
    // The groups' counts rise with the star number: find the last group
    // whose count is at most the row.
    int32_t low = 0, high = kStarDesignationGroupCount - 1;
    while (low < high) {
        int32_t mid = (low + high + 1) / 2;
        if (static_cast<int32_t>(StarDesignationIndex[mid].before) <= row)
            low = mid;
        else
            high = mid - 1;
    }
    uint32_t mask = StarDesignationIndex[low].mask;
    int32_t left = row - static_cast<int32_t>(StarDesignationIndex[low].before);
    for (int b = 0; b < 16; ++b) {
        if (!(mask & (1u << (15 - b))))
            continue;
        if (left-- == 0)
            return low * 16 + b;
    }
    return -1;
}

const char* GreekLetterName(int32_t letter)
{
    return letter >= 1 && letter <= 24 ? kGreekLetters[letter - 1] : nullptr;
}

const char* GetStarProperName(int32_t star)
{
    for (const StarNameRecord& name : StarNameTable)
        if (name.star == star)
            return name.displayName;
    return nullptr;
}

int GetLastStarWithinLimit(const Scene& scene, int32_t& star)
{
    int32_t limit = scene.mag.starLimit;
    if (limit < kBrightestLimit)
        return 0;
    if (limit < kSecondLimit)
        star = 0;
    else if (limit < 0)
        star = 1;
    else if (limit < kStarMagnitudeSteps)
        star = StarMagnitudeCountTable[limit] - 1;
    else
        star = kBrightStarCount - 1;
    return 1;
}

void GetNebulaPosition(int32_t index, double& ra, double& dec)
{
    double s[2];
    SphericalFromFixedVector(NebulaPositionTable[index], s);
    ra = s[0];
    dec = s[1];
}

int32_t GetNebulaCount()
{
    return NebulaCatalogueBase(3);
}

const NebulaAttributes& GetNebulaAttributes(int32_t index)
{
    int catalogue = NebulaCatalogueOfIndex(index);
    return NebulaAttributeTable[catalogue][index - NebulaCatalogueBase(catalogue)];
}

void GetNebulaTypeName(int32_t type, char* buffer, size_t length)
{
    if (type >= 0 && type < 6)
        GetMessage(kNebulaTypeKeys[type], buffer, length);
    else
        CopyCut(buffer, length, "");
}
