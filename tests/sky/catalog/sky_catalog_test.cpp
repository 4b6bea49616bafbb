// The built-in catalogues: the invariants the drawing and lookup code rely
// on, the counts of the generator's manifest, and places checked against
// published coordinates.
#include <gtest/gtest.h>

#include "data/catalog_tables.h"
#include "sky/catalog/object_names.h"

#include <erfa.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {

std::map<std::string, long> ReadManifest()
{
    std::map<std::string, long> counts;
    std::ifstream file(UVOLA_DATA_DIR "/catalog_manifest.txt");
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string key;
        long value = 0;
        fields >> key >> value;
        counts[key] = value;
    }
    return counts;
}

double Length(double x, double y, double z)
{
    return std::sqrt(x * x + y * y + z * z);
}

// Angle in degrees between a vector and a J2000 place.
double DegreesFrom(double x, double y, double z, double ra, double dec)
{
    double a = ra * M_PI / 180, d = dec * M_PI / 180;
    double dot = (x * std::cos(d) * std::cos(a) + y * std::cos(d) * std::sin(a) + z * std::sin(d))
               / Length(x, y, z);
    return std::acos(std::min(1.0, dot)) * 180 / M_PI;
}

}  // namespace

TEST(BuiltinCatalogs, StarsRunBrightestFirstWithTheTwoBrightestInOrder)
{
    for (int32_t n = 1; n < kBrightStarCount; ++n)
        ASSERT_LE(StarMagnitude10(BrightStarTable[n - 1]), StarMagnitude10(BrightStarTable[n])) << n;
    EXPECT_EQ(StarMagnitude10(BrightStarTable[0]), -15);   // Sirius, V -1.46
    EXPECT_EQ(StarMagnitude10(BrightStarTable[1]), -7);    // Canopus, V -0.72
    EXPECT_GE(StarMagnitude10(BrightStarTable[2]), 0);
    for (const BrightStarRecord& s : BrightStarTable) {
        ASSERT_NEAR(Length(s.x, s.y, s.z), kFixedOne, 3.0);
        ASSERT_LE(StarColourClass(s), 9);
        ASSERT_EQ(s.attributes & 0x7u, 0u);
    }
}

TEST(BuiltinCatalogs, MagnitudeCountTableCountsTheStarsWithinEachLimit)
{
    for (int32_t limit = 0; limit < kStarMagnitudeSteps; ++limit) {
        int32_t within = 0;
        for (const BrightStarRecord& s : BrightStarTable)
            within += StarMagnitude10(s) <= limit;
        ASSERT_EQ(StarMagnitudeCountTable[limit], within) << limit;
    }
}

TEST(BuiltinCatalogs, DesignationIndexAgreesWithTheDesignations)
{
    ASSERT_EQ(kStarDesignationGroupCount, (kBrightStarCount + 15) / 16);
    uint32_t before = 0;
    for (int32_t g = 0; g < kStarDesignationGroupCount; ++g) {
        ASSERT_EQ(StarDesignationIndex[g].before, before) << g;
        ASSERT_EQ(StarDesignationIndex[g].mask & ~0xffffu, 0u);
        before += std::popcount(StarDesignationIndex[g].mask);
    }
    ASSERT_EQ(before, uint32_t(kStarDesignationCount));

    // Every row belongs to exactly one star and that star finds it again.
    for (int32_t row = 0; row < kStarDesignationCount; ++row) {
        int32_t star = StarOfDesignationRow(row);
        ASSERT_GE(star, 0) << row;
        int32_t back = -1, flag = 0;
        ASSERT_EQ(GetStarDesignationIndex(star, back, flag), 1);
        ASSERT_EQ(back, row);
        int32_t letter, superscript, flamsteed, constellation;
        DecodeStarDesignation(row, letter, superscript, flamsteed, constellation);
        ASSERT_LE(letter, 24);
        ASSERT_LT(constellation, kConstellationCount);
        ASSERT_TRUE(letter || flamsteed) << row;
        ASSERT_TRUE(letter || !superscript) << row;
    }
}

TEST(BuiltinCatalogs, ProperNamesBelongToTheBrightestNamedStars)
{
    std::set<int32_t> named;
    for (const StarNameRecord& name : StarNameTable) {
        ASSERT_TRUE(BrightStarTable[name.star].attributes & kStarNamedFlag) << name.defaultName;
        ASSERT_EQ(name.displayName, name.defaultName);
        named.insert(name.star);
    }
    EXPECT_EQ(named.size(), size_t(kStarNameCount));
    int32_t flagged = 0;
    for (const BrightStarRecord& s : BrightStarTable)
        flagged += (s.attributes & kStarNamedFlag) != 0;
    EXPECT_EQ(flagged, kStarNameCount);
    for (int k = 1; k < kStarNameCount; ++k)
        EXPECT_LT(StarNameTable[k - 1].star, StarNameTable[k].star);
}

TEST(BuiltinCatalogs, StickFiguresReferenceExistingStarsAndEndAtTheTable)
{
    EXPECT_EQ(ConstellationLineIndex[0], 0);
    EXPECT_EQ(ConstellationLineIndex[kConstellationRows], kConstellationLineCount);
    for (int32_t row = 0; row < kConstellationRows; ++row) {
        int32_t first = ConstellationLineIndex[row], end = ConstellationLineIndex[row + 1];
        ASSERT_LE(first, end) << row;
        if (first < end) {
            ASSERT_TRUE(ConstellationLineTable[first] & kFigureStartFlag) << row;
        }
    }
    for (int32_t i = 0; i < kConstellationLineCount; ++i) {
        ASSERT_EQ(ConstellationLineTable[i] & ~0xffffu, 0u);
        ASSERT_LT(int32_t(ConstellationLineTable[i] & kFigureStarMask), kBrightStarCount);
    }
    EXPECT_TRUE(ConstellationLineTable[kConstellationLineCount] & kFigureStartFlag);
    // Both parts of Serpens have figures of their own.
    for (int32_t row : {kSerpensRow, kSecondSerpensRow})
        EXPECT_LT(ConstellationLineIndex[row], ConstellationLineIndex[row + 1]) << row;
}

TEST(BuiltinCatalogs, BoundaryPolylinesEndOnOtherBoundaries)
{
    ASSERT_EQ(ConstellationBoundaryTable[0].flag, 1);
    ASSERT_EQ(ConstellationBoundaryTable[kConstellationBoundaryPoints].flag, -1);
    int32_t starts = 0;
    std::vector<int32_t> ends;
    for (int32_t i = 0; i < kConstellationBoundaryPoints; ++i) {
        const ConstellationBoundaryPoint& p = ConstellationBoundaryTable[i];
        ASSERT_TRUE(p.flag == 0 || p.flag == 1) << i;
        ASSERT_NEAR(Length(p.x, p.y, p.z), kFixedOne, 3.0) << i;
        if (p.flag == 1) {
            ++starts;
            ends.push_back(i);
            if (i > 0)
                ends.push_back(i - 1);
        }
    }
    ends.push_back(kConstellationBoundaryPoints - 1);
    EXPECT_EQ(starts, kConstellationBoundaryPolylines);
    // The network is closed: every end of a polyline meets a point of
    // another polyline (a corner where three constellations meet).
    for (int32_t e : ends) {
        const ConstellationBoundaryPoint& p = ConstellationBoundaryTable[e];
        int32_t meetings = 0;
        for (int32_t i = 0; i < kConstellationBoundaryPoints; ++i)
            meetings += i != e && std::abs(ConstellationBoundaryTable[i].x - p.x) <= 2
                     && std::abs(ConstellationBoundaryTable[i].y - p.y) <= 2
                     && std::abs(ConstellationBoundaryTable[i].z - p.z) <= 2;
        ASSERT_GE(meetings, 1) << e;
    }
}

TEST(BuiltinCatalogs, BoundariesRunAlongB1875ParallelsAndHourCircles)
{
    // The IAU boundaries are arcs of right ascension and declination of
    // B1875. Precessed back with ERFA's IAU 1976 matrix, nearly every
    // segment keeps its declination or its right ascension; long edges are
    // broken into short ones along their parallel, not along a great
    // circle, so the inserted points keep the declination too.
    double p[3][3];
    eraPmat76(2405889.258550475, 0.0, p);
    auto b1875 = [&](const ConstellationBoundaryPoint& q, double& ra, double& dec) {
        double v[3] = {q.x / 16384.0, q.y / 16384.0, q.z / 16384.0}, w[3];
        eraRxp(p, v, w);
        eraC2s(w, &ra, &dec);
    };
    int32_t segments = 0, along = 0;
    double longest = 0;
    for (int32_t i = 1; i < kConstellationBoundaryPoints; ++i) {
        if (ConstellationBoundaryTable[i].flag != 0)
            continue;
        double ra0, dec0, ra1, dec1;
        b1875(ConstellationBoundaryTable[i - 1], ra0, dec0);
        b1875(ConstellationBoundaryTable[i], ra1, dec1);
        double dra = std::fabs(eraAnpm(ra1 - ra0)) * std::cos(dec0) * 180 / M_PI;
        double ddec = std::fabs(dec1 - dec0) * 180 / M_PI;
        ++segments;
        if (std::min(dra, ddec) < 0.02) {
            ++along;
            longest = std::max(longest, std::max(dra, ddec));
        }
    }
    EXPECT_GT(along, segments * 99 / 100) << along << " of " << segments;
    EXPECT_LT(longest, 2.05);
}

TEST(BuiltinCatalogs, MilkyWayRunsAreClosedOutlines)
{
    for (int run = 0; run < kMilkyWayRuns; ++run) {
        const FixedVector* p = MilkyWayTable[run];
        int32_t n = 0;
        while (p[n] != FixedVector{0, 0, 0}) {
            ASSERT_NEAR(Length(p[n][0], p[n][1], p[n][2]), kFixedOne, 3.0);
            ++n;
        }
        ASSERT_GE(n, 4) << run;
        EXPECT_EQ(p[0], p[n - 1]) << run;
    }
}

TEST(BuiltinCatalogs, NebulaRunsAreSortedAndNumberedInTheirCatalogue)
{
    const uint32_t flags[3] = {kNebulaMessierFlag, kNebulaNgcFlag, kNebulaIcFlag};
    for (int c = 0; c < 3; ++c) {
        std::set<uint32_t> numbers;
        uint32_t previous = 0;
        for (int32_t row = 0; row < NebulaCatalogCounts[c]; ++row) {
            const NebulaAttributes& a = NebulaAttributeTable[c][row];
            uint32_t mag = (a.word[0] >> kNebulaMagnitudeShift) & 0xff;
            ASSERT_LE(a.word[0] & kNebulaTypeMask, 5u);
            ASSERT_LE(previous, mag) << c << " " << row;
            previous = mag;
            ASSERT_TRUE(a.word[1] & flags[c]);
            ASSERT_TRUE(numbers.insert(a.word[1] & kNebulaNumberMask).second);
        }
    }
    std::set<uint32_t> messier;
    for (int32_t row = 0; row < NebulaCatalogCounts[kMessier]; ++row)
        messier.insert(NebulaAttributeTable[kMessier][row].word[1] & kNebulaNumberMask);
    for (uint32_t m = 1; m <= 110; ++m)
        EXPECT_EQ(messier.count(m), (m == 40 || m == 73 || m == 102) ? 0u : 1u) << m;
    EXPECT_EQ(NebulaPositionRuns[kMessier], &NebulaPositionTable[0]);
    EXPECT_EQ(NebulaPositionRuns[kNgc], &NebulaPositionTable[NebulaCatalogCounts[kMessier]]);
    EXPECT_EQ(NebulaPositionRuns[kIc], &NebulaPositionTable[NebulaCatalogCounts[kMessier] + NebulaCatalogCounts[kNgc]]);
    for (const FixedVector& v : NebulaPositionTable)
        ASSERT_NEAR(Length(v[0], v[1], v[2]), kFixedOne, 3.0);
}

TEST(BuiltinCatalogs, MessierCrossNumbersPointBothWays)
{
    int32_t crossed = 0;
    for (int32_t row = 0; row < NebulaCatalogCounts[kMessier]; ++row) {
        const NebulaAttributes& m = NebulaAttributeTable[kMessier][row];
        uint32_t cross = m.word[2];
        if (!cross)
            continue;
        ++crossed;
        int c = (cross & kNebulaNgcFlag) ? kNgc : kIc;
        ASSERT_TRUE(m.word[1] & (c == kNgc ? kNebulaNgcFlag : kNebulaIcFlag));
        bool found = false;
        for (int32_t k = 0; k < NebulaCatalogCounts[c] && !found; ++k) {
            const NebulaAttributes& other = NebulaAttributeTable[c][k];
            if ((other.word[1] & kNebulaNumberMask) == (cross & kNebulaNumberMask)) {
                found = true;
                EXPECT_EQ(other.word[2], kNebulaMessierFlag | (m.word[1] & kNebulaNumberMask));
                EXPECT_TRUE(other.word[1] & kNebulaMessierFlag);
            }
        }
        EXPECT_TRUE(found) << (m.word[1] & kNebulaNumberMask);
    }
    EXPECT_GT(crossed, 100);
}

TEST(BuiltinCatalogs, TablesMatchTheGeneratorManifest)
{
    long milkyWayPoints = 0;
    for (const FixedVector* run : MilkyWayTable)
        while (*run++ != FixedVector{0, 0, 0})
            ++milkyWayPoints;
    const std::map<std::string, long> counts = {
        {"stars", kBrightStarCount},
        {"star_names", kStarNameCount},
        {"star_designations", kStarDesignationCount},
        {"star_designation_groups", kStarDesignationGroupCount},
        {"star_count_at_0.0", StarMagnitudeCountTable[0]},
        {"star_count_at_6.4", StarMagnitudeCountTable[64]},
        {"faintest_star_mag10", StarMagnitude10(BrightStarTable[kBrightStarCount - 1])},
        {"constellation_rows", kConstellationRows},
        {"constellation_line_entries", kConstellationLineCount},
        {"boundary_polylines", kConstellationBoundaryPolylines},
        {"boundary_points", kConstellationBoundaryPoints},
        {"milky_way_runs", kMilkyWayRuns},
        {"milky_way_points", milkyWayPoints},
        {"nebulae_messier", NebulaCatalogCounts[0]},
        {"nebulae_ngc", NebulaCatalogCounts[1]},
        {"nebulae_ic", NebulaCatalogCounts[2]},
    };
    const std::map<std::string, long> manifest = ReadManifest();
    for (const auto& [key, count] : counts)
        EXPECT_EQ(manifest.count(key) ? manifest.at(key) : -1, count) << key;
    EXPECT_EQ(NebulaCatalogCounts[0] + NebulaCatalogCounts[1] + NebulaCatalogCounts[2], kNebulaCount);
}

TEST(BuiltinCatalogs, GscLargeRegionsNumberTheSmallRegionsZoneByZone)
{
    int32_t nextLarge = 1, nextSmall = 1;
    for (int z = 0; z < kGscZoneCount; ++z) {
        const GscZone& zone = GscZoneTable[z];
        EXPECT_EQ(zone.firstLargeRegion, nextLarge) << z;
        EXPECT_DOUBLE_EQ(std::fabs(zone.declination), 3.75 + 7.5 * (z % 12));
        EXPECT_EQ(zone.directory[0], z < 12 ? 'N' : 'S');
        EXPECT_EQ(GscZoneTable[z % 12].largeRegions, zone.largeRegions);
        nextLarge += zone.largeRegions;
    }
    EXPECT_STREQ(GscZoneTable[1].directory, "N0730");
    EXPECT_STREQ(GscZoneTable[23].directory, "S8230");
    EXPECT_EQ(GscZoneTable[12].firstLargeRegion, 367);
    EXPECT_EQ(GscZoneTable[23].firstLargeRegion, 730);
    EXPECT_EQ(nextLarge, kGscLargeRegionCount + 1);
    int splits[5] = {};
    for (const GscLargeRegion& r : GscLargeRegionTable) {
        ASSERT_EQ(r.firstSmallRegion, nextSmall);
        ASSERT_TRUE(r.n >= 2 && r.n <= 4);
        nextSmall += r.n * r.n;
        ++splits[r.n];
    }
    EXPECT_EQ(nextSmall, kGscSmallRegionCount + 1);
    // The catalogue splits its large regions 4 x 4, 3 x 3 and 2 x 2 so often.
    EXPECT_EQ(splits[4], 447);
    EXPECT_EQ(splits[3], 249);
    EXPECT_EQ(splits[2], 36);
    // The first small region of the southern zones (S0000).
    EXPECT_EQ(GscLargeRegionTable[366].firstSmallRegion, 4663);
}

TEST(BuiltinCatalogs, PlacesAgreeWithPublishedCoordinates)
{
    // J2000 places from the Hipparcos catalogue and, for M31 and the
    // Clouds, from NED; the tables are Q14, good to about 0.005 degree.
    int32_t m31 = -1;
    for (int32_t row = 0; row < NebulaCatalogCounts[kMessier]; ++row)
        if ((NebulaAttributeTable[kMessier][row].word[1] & kNebulaNumberMask) == 31)
            m31 = row;
    ASSERT_GE(m31, 0);
    const FixedVector& andromeda = NebulaPositionTable[m31];
    const MagellanicCloudRecord& lmc = MagellanicCloudTable[0];
    const struct {
        const char* name;
        double x, y, z, ra, dec, tolerance;
    } places[] = {
        {"Sirius", double(BrightStarTable[0].x), double(BrightStarTable[0].y), double(BrightStarTable[0].z), 101.2872,
         -16.7161, 0.01},
        {"Canopus", double(BrightStarTable[1].x), double(BrightStarTable[1].y), double(BrightStarTable[1].z), 95.9880,
         -52.6957, 0.01},
        {"alpha Cen", double(BrightStarTable[3].x), double(BrightStarTable[3].y), double(BrightStarTable[3].z),
         219.9021, -60.8340, 0.02},
        {"M31", double(andromeda[0]), double(andromeda[1]), double(andromeda[2]), 10.6847, 41.2690, 0.02},
        {"LMC", double(lmc.x), double(lmc.y), double(lmc.z), 80.894, -69.756, 0.01},
    };
    for (const auto& p : places)
        EXPECT_LT(DegreesFrom(p.x, p.y, p.z, p.ra, p.dec), p.tolerance) << p.name;
    EXPECT_STREQ(lmc.name, "LMC");
    EXPECT_NEAR(Length(lmc.x, lmc.y, lmc.z), 1073741824.0, 4.0);   // the Clouds are Q30
    EXPECT_STREQ(MagellanicCloudTable[1].name, "SMC");
}

TEST(BuiltinCatalogs, NameFilesHoldOneNamePerRowOfTheirTables)
{
    std::ifstream cons(UVOLA_DATA_DIR "/consname.dat");
    std::string line;
    int32_t row = 0;
    while (std::getline(cons, line)) {
        ASSERT_LT(row, kConstellationRows);
        EXPECT_EQ(line, ConstellationTable[row].defaultName) << row;
        ++row;
    }
    EXPECT_EQ(row, kConstellationRows);
    EXPECT_STREQ(ConstellationTable[kSerpensRow].defaultName, "Serpens");
    EXPECT_STREQ(ConstellationTable[kSecondSerpensRow].abbreviation, "Ser");

    std::ifstream japanese(UVOLA_DATA_DIR "/consname.dat.ja", std::ios::binary);
    int32_t lines = 0;
    while (std::getline(japanese, line)) {
        ++lines;
        // EUC-JP: every byte of a name is a two-byte character's half.
        for (unsigned char c : line)
            ASSERT_GE(c, 0xa1) << lines;
    }
    EXPECT_EQ(lines, kConstellationRows);

    std::ifstream stars(UVOLA_DATA_DIR "/starname.dat");
    row = 0;
    while (std::getline(stars, line)) {
        ASSERT_LT(row, kStarNameCount);
        EXPECT_EQ(line, StarNameTable[row].defaultName) << row;
        ++row;
    }
    EXPECT_EQ(row, kStarNameCount);
}
