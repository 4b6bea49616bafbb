// The star files and their readers: the committed SAO file against its zone
// table and against the built-in Hipparcos stars; the region index against
// the catalogue's zones; crafted files, rows and paths, each refused or read
// as the layers need.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "data/catalog_tables.h"
#include "sky/catalog/gsc_paths.h"
#include "sky/catalog/gsc_region_file.h"
#include "sky/catalog/gsc_region_index.h"
#include "sky/catalog/sao_star_file.h"
#include "sky/layers/gsc_selection.h"
#include "sky/layers/star_layer.h"
#include "tests/harness/test_files.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kDataDir = UVOLA_DATA_DIR;

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File OpenBytes(const std::string& bytes)
{
    File file(std::tmpfile());
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    return file;
}

std::string SaoBytes() { return ReadFile(kDataDir + "/uvola.sao"); }

double Degrees(const double a[3], const double b[3])
{
    double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    return std::acos(std::clamp(dot, -1.0, 1.0)) * 180.0 / M_PI;
}

void Unit(const FixedVector& f, double (&v)[3])
{
    double length = std::sqrt(double(f[0]) * f[0] + double(f[1]) * f[1] + double(f[2]) * f[2]);
    for (int i = 0; i < 3; ++i)
        v[i] = f[i] / length;
}

void Place(double ra, double dec, double (&v)[3])
{
    double a = ra * M_PI / 180.0, d = dec * M_PI / 180.0;
    v[0] = std::cos(d) * std::cos(a);
    v[1] = std::cos(d) * std::sin(a);
    v[2] = std::sin(d);
}

std::vector<SaoStarRecord> ReadZone(FILE* file, int32_t z)
{
    std::fseek(file, SaoZoneTable[z].offset, SEEK_SET);
    std::vector<SaoStarRecord> stars(SaoZoneRecordCount(z));
    for (SaoStarRecord& star : stars)
        EXPECT_EQ(ReadSaoStarRecord(file, star), 1);
    return stars;
}

// ---------------------------------------------------------------- SAO file

TEST(SaoStarFile, ZonesRunBrightestFirstInTheirCirclesWithUnitVectors)
{
    File file = OpenBytes(SaoBytes());
    ASSERT_EQ(CheckSaoStarFile(file.get()), 1);
    EXPECT_EQ(SaoZoneTable[kSaoZoneCount].offset, kSaoFileSize);
    long records = 0;
    for (int32_t z = 0; z < kSaoZoneCount; ++z) {
        double centre[3];
        Place(SaoZoneTable[z].ra, SaoZoneTable[z].dec, centre);
        std::vector<SaoStarRecord> stars = ReadZone(file.get(), z);
        records += static_cast<long>(stars.size());
        for (size_t i = 0; i < stars.size(); ++i) {
            const SaoStarRecord& s = stars[i];
            double length = std::sqrt(double(s.v[0]) * s.v[0] + double(s.v[1]) * s.v[1] + double(s.v[2]) * s.v[2]);
            ASSERT_NEAR(length, kFixedOne, 3.0) << z << " " << i;
            if (i > 0) {
                ASSERT_LE(stars[i - 1].mag10, s.mag10) << z << " " << i;
            }
            double v[3];
            Unit(s.v, v);
            ASSERT_LE(Degrees(centre, v), SaoZoneTable[z].radius + 0.01) << z << " " << i;
            ASSERT_EQ(s.number / 100000 >= 1 && s.number / 100000 <= 9537, true) << s.number;
        }
        // Every zone reaches at least magnitude 8.7.
        EXPECT_GE(stars.back().mag10, 87) << z;
    }
    EXPECT_EQ(records, 257477);
}

// Hipparcos (the built-in stars) as an independent oracle of Tycho-2: each
// star to 6.0 has a record within 1' and 0.5 magnitude.
TEST(SaoStarFile, HoldsTheBuiltinStarsToSixthMagnitude)
{
    File file = OpenBytes(SaoBytes());
    std::vector<std::pair<std::array<double, 3>, int32_t>> bright;
    for (int32_t z = 0; z < kSaoZoneCount; ++z)
        for (const SaoStarRecord& s : ReadZone(file.get(), z))
            if (s.mag10 <= 70) {
                double v[3];
                Unit(s.v, v);
                bright.push_back({{v[0], v[1], v[2]}, s.mag10});
            }
    int checked = 0, found = 0;
    for (const BrightStarRecord& star : BrightStarTable) {
        if (StarMagnitude10(star) > 60)
            break;
        double v[3];
        Unit(FixedVector{star.x, star.y, star.z}, v);
        ++checked;
        found += std::any_of(bright.begin(), bright.end(), [&](const auto& b) {
            return Degrees(v, b.first.data()) < 1.0 / 60.0 && std::abs(b.second - StarMagnitude10(star)) <= 5;
        });
    }
    EXPECT_GT(checked, 4500);
    EXPECT_GE(found, checked * 99 / 100) << found << " of " << checked;
    std::printf("%d of %d built-in stars to 6.0 found\n", found, checked);
}

std::string WithByte(std::string bytes, size_t at, char value)
{
    bytes[at] = value;
    return bytes;
}

TEST(SaoStarFile, RefusesAnyOtherMagicOrSize)
{
    const std::string good = SaoBytes();
    struct Case {
        const char* what;
        std::string bytes;
        int accepted;
    } cases[] = {
        {"as written", good, 1},
        {"one blank short in the magic", good.substr(0, 5) + good.substr(7, 10) + "\0" + good.substr(16), 0},
        {"another word", WithByte(good, 10, 'X'), 0},
        {"one record short", good.substr(0, good.size() - kSaoRecordSize), 0},
        {"one byte more", good + "x", 0},
        {"only the magic", good.substr(0, 16), 0},
        {"empty", "", 0},
    };
    for (const Case& c : cases) {
        File file = OpenBytes(c.bytes);
        EXPECT_EQ(CheckSaoStarFile(file.get()), c.accepted) << c.what;
    }
}

TEST(SaoStarFile, RecordsReadLittleEndianAndAClassAboveNineAsNine)
{
    const unsigned char record[12] = {0x00, 0x40, 0x01, 0x80, 0xff, 0xff, 0xf3, 20 + 95, 0x78, 0x56, 0x34, 0x12};
    File file = OpenBytes(std::string(reinterpret_cast<const char*>(record), 12) + std::string(7, '\0'));
    SaoStarRecord star{};
    ASSERT_EQ(ReadSaoStarRecord(file.get(), star), 1);
    EXPECT_EQ(star.v, (FixedVector{16384, -32767, -1}));
    EXPECT_EQ(star.colourClass, 9);   // colour class 15
    EXPECT_EQ(star.mag10, 95);
    EXPECT_EQ(star.number, 0x12345678u);
    // The seven bytes left are a short read: the zone ends there.
    EXPECT_EQ(ReadSaoStarRecord(file.get(), star), 0);
}

TEST(StarMagnitudeLabels, TwoDigitsThenThreeFromTenth)
{
    const struct {
        int32_t mag10;
        const char* text;
    } rows[] = {{-15, "-15"}, {-5, "-05"}, {0, "00"}, {14, "14"}, {99, "99"}, {100, "100"}, {170, "170"}};
    for (const auto& row : rows) {
        char text[16];
        FormatStarMagnitudeLabel(row.mag10, text, sizeof text);
        EXPECT_STREQ(text, row.text) << row.mag10;
    }
}

// ---------------------------------------------------------------- GSC rows

std::string Row(const char* id, const char* ra, const char* dec, const char* mag)
{
    char row[kGscRowSize + 1];
    std::snprintf(row, sizeof row, "%-5.5s%-9.9s%-9.9s  0.2%-5.5s0.30180TYC2F", id, ra, dec, mag);
    return std::string(row, kGscRowSize);
}

TEST(GscRows, ParseOrSkipAsTheLayerNeeds)
{
    const struct {
        const char* what;
        std::string row;
        int parsed;
        double ra, dec;
        int32_t mag10;
    } rows[] = {
        {"plain", Row("00012", "163.66357", "-60.26638", "11.47"), 1, 163.66357, -60.26638, 114},
        {"one-digit magnitude", Row("00013", " 56.87111", " 24.10524", " 9.50"), 1, 56.87111, 24.10524, 95},
        {"the seam and the pole", Row("00014", "359.99999", "-89.99999", "16.99"), 1, 359.99999, -89.99999, 169},
        {"blank fill", std::string(kGscRowSize, ' '), 0, 0, 0, 0},
        {"blank first byte", Row(" 0015", "10.00000", "10.00000", "12.00"), 0, 0, 0, 0},
        // What is no number reads as 0; the point's byte is passed over.
        {"blank magnitude", Row("00016", "10.00000", "10.00000", "     "), 1, 10.0, 10.0, 0},
        {"magnitude without its point", Row("00017", "10.00000", "10.00000", "12345"), 1, 10.0, 10.0, 124},
        {"signed magnitude", Row("00018", "10.00000", "10.00000", "-1.50"), 1, 10.0, 10.0, -15},
        {"no RA", Row("00019", "         ", "10.00000", "12.00"), 1, 0.0, 10.0, 120},
        {"no Dec", Row("00020", "10.00000", "    x    ", "12.00"), 1, 10.0, 0.0, 120},
    };
    for (const auto& r : rows) {
        GscStar star{};
        ASSERT_EQ(ParseGscRow(r.row.c_str(), star), r.parsed) << r.what;
        if (!r.parsed)
            continue;
        EXPECT_DOUBLE_EQ(star.ra, r.ra) << r.what;
        EXPECT_DOUBLE_EQ(star.dec, r.dec) << r.what;
        EXPECT_EQ(star.mag10, r.mag10) << r.what;
    }
}

TEST(GscRows, ReadWholeRowsAfterTheHeadersOnly)
{
    std::string headers(kGscTableStart, ' ');
    std::string rows;
    for (int i = 0; i < 23; ++i)
        rows += Row("00001", "10.00000", "20.00000", "12.00");
    File file = OpenBytes(headers + rows + rows.substr(0, 30));   // a partial last row
    ASSERT_EQ(SeekGscTable(file.get()), 1);
    char block[kGscRowsPerRead * kGscRowSize];
    EXPECT_EQ(ReadGscRows(file.get(), block), 20);
    EXPECT_EQ(ReadGscRows(file.get(), block), 3);
    EXPECT_EQ(ReadGscRows(file.get(), block), 0);

    File shortFile = OpenBytes(std::string(kGscTableStart - 1, ' '));
    EXPECT_EQ(SeekGscTable(shortFile.get()), 0);
}

// ---------------------------------------------------------------- GSC paths

TEST(GscPaths, OnlyTheCataloguesPartChangesCase)
{
    const struct {
        const char* root;
        int letterCase;
        const char* path;   // nullptr: does not fit
    } rows[] = {
        {"/cdrom", kGscUpperCase, "/cdrom/GSC/N0000/0001.GSC"},
        {"/cdrom/", kGscLowerCase, "/cdrom/gsc/n0000/0001.gsc"},
        {"/home/Ann/gsc", kGscLowerCase, "/home/Ann/gsc/gsc/n0000/0001.gsc"},
        {"/home/Ann/gsc/", kGscUpperCase, "/home/Ann/gsc/GSC/N0000/0001.GSC"},
    };
    for (const auto& row : rows) {
        char path[kPathSize];
        ASSERT_EQ(FormatGscRegionPath(row.root, row.letterCase, "N0000", 1, path, sizeof path), 1) << row.root;
        EXPECT_STREQ(path, row.path);
    }
    std::string longRoot(kPathSize - 10, 'a');
    char path[kPathSize];
    EXPECT_EQ(FormatGscRegionPath(longRoot.c_str(), kGscUpperCase, "S8230", 9537, path, sizeof path), 0);
}

class GscTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = TestHome() + "/Gsc Tree";
        std::system(("rm -rf '" + root + "'").c_str());
        mkdir(root.c_str(), 0755);
    }
    void MakeTable(const char* tables, const char* file)
    {
        mkdir((root + "/" + tables).c_str(), 0755);
        WriteFile(root + "/" + tables + "/" + file, "x");
    }
    std::string root;
};

TEST_F(GscTree, FoundInEitherCaseUnderAnyRoot)
{
    EXPECT_EQ(ProbeGscTreeCase(root.c_str()), -1);
    EXPECT_EQ(ProbeGscTreeCase(""), -1);
    MakeTable("tables", "regions.tbl");
    EXPECT_EQ(ProbeGscTreeCase(root.c_str()), kGscLowerCase);
    EXPECT_EQ(ProbeGscTreeCase((root + "/").c_str()), kGscLowerCase);
    MakeTable("TABLES", "REGIONS.TBL");
    EXPECT_EQ(ProbeGscTreeCase(root.c_str()), kGscUpperCase);
}

TEST_F(GscTree, TheLayerProbesANewRootItself)
{
    MakeTable("tables", "regions.tbl");
    std::snprintf(gAppEnv->gscDataPath, kPathSize, "%s", root.c_str());
    EXPECT_EQ(GscTreeCase(), kGscLowerCase);
    std::snprintf(gAppEnv->gscIndexFile, kPathSize, "%s/nothing", root.c_str());
    EXPECT_EQ(IsGscAvailable(), 0);   // no index
    std::snprintf(gAppEnv->gscIndexFile, kPathSize, "%s/uvola.gsc", kDataDir.c_str());
    EXPECT_EQ(IsGscAvailable(), 1);
    gAppEnv->gscDataPath[0] = '\0';
    EXPECT_EQ(IsGscAvailable(), 0);
}

// ---------------------------------------------------------------- GSC index

TEST(GscRegionIndex, LoadsOnlyTheWholeIndex)
{
    const std::string good = ReadFile(kDataDir + "/uvola.gsc");
    ASSERT_EQ(static_cast<long>(good.size()), kGscIndexFileSize);
    const std::string path = TestHome() + "/index.gsc";
    const struct {
        const char* what;
        std::string bytes;
        int loaded;
    } cases[] = {
        {"one byte more", good + "x", 0},
        {"one record short", good.substr(0, good.size() - kGscIndexRecordSize), 0},
        {"empty", "", 0},
        {"as written", good, 1},
    };
    for (const auto& c : cases) {
        WriteFile(path, c.bytes);
        std::snprintf(gAppEnv->gscIndexFile, kPathSize, "%s", path.c_str());
        EXPECT_EQ(LoadGscRegionIndex(), c.loaded) << c.what;
        EXPECT_EQ(gAppEnv->gscRegionIndex != nullptr, c.loaded == 1) << c.what;
    }
    std::snprintf(gAppEnv->gscIndexFile, kPathSize, "%s/missing", TestHome().c_str());
    EXPECT_EQ(LoadGscRegionIndex(), 0);
}

bool LoadDataIndex()
{
    std::snprintf(gAppEnv->gscIndexFile, kPathSize, "%s/uvola.gsc", kDataDir.c_str());
    return LoadGscRegionIndex() == 1;
}

// The box of a small region from the catalogue's numbering: large regions
// of 360/L degrees of RA along 7.5-degree zones, split n x n, RA first,
// rows from the equator outward.
void RegionBox(int32_t region, double (&box)[4])
{
    for (int32_t z = 0; z < kGscZoneCount; ++z) {
        const GscZone& zone = GscZoneTable[z];
        for (int32_t k = 0; k < zone.largeRegions; ++k) {
            const GscLargeRegion& large = GscLargeRegionTable[zone.firstLargeRegion - 1 + k];
            int32_t j = region - large.firstSmallRegion;
            if (j < 0 || j >= large.n * large.n)
                continue;
            double width = 360.0 / zone.largeRegions / large.n, height = 7.5 / large.n;
            double nearEquator = std::fabs(zone.declination) - 3.75 + height * (j / large.n);
            box[0] = 360.0 / zone.largeRegions * k + width * (j % large.n);
            box[1] = box[0] + width;
            box[2] = zone.declination > 0 ? nearEquator : -nearEquator - height;
            box[3] = box[2] + height;
            return;
        }
    }
    FAIL() << region;
}

void BoxOutline(const double (&box)[4], std::vector<std::array<double, 3>>& points, int steps)
{
    for (int i = 0; i <= steps; ++i) {
        double t = double(i) / steps;
        const double places[4][2] = {{box[0] + t * (box[1] - box[0]), box[2]},
                                     {box[0] + t * (box[1] - box[0]), box[3]},
                                     {box[0], box[2] + t * (box[3] - box[2])},
                                     {box[1], box[2] + t * (box[3] - box[2])}};
        for (const auto& p : places) {
            double v[3];
            Place(p[0], p[1], v);
            points.push_back({v[0], v[1], v[2]});
        }
    }
}

TEST(GscRegionIndex, CornersAreTheBoxesOfTheCataloguesNumbering)
{
    ASSERT_TRUE(LoadDataIndex());
    for (int32_t region = 1; region <= kGscSmallRegionCount; ++region) {
        double box[4];
        RegionBox(region, box);
        const double places[4][2] = {{box[0], box[2]}, {box[1], box[2]}, {box[1], box[3]}, {box[0], box[3]}};
        FixedVector corners[4];
        GetGscRegionCorners(gAppEnv->gscRegionIndex, region, corners);
        for (int c = 0; c < 4; ++c) {
            double expected[3], got[3];
            Place(places[c][0], places[c][1], expected);
            Unit(corners[c], got);
            ASSERT_LT(Degrees(expected, got), 0.01) << region << " corner " << c;
        }
    }
}

// Every circle, of a large region from its box and of a small one from its
// indexed corners, holds the whole outline of its box.
TEST(GscRegionIndex, RegionCirclesHoldTheirOutlines)
{
    ASSERT_TRUE(LoadDataIndex());
    for (int32_t region = 1; region <= kGscSmallRegionCount; ++region) {
        FixedVector fixed[4];
        GetGscRegionCorners(gAppEnv->gscRegionIndex, region, fixed);
        double corners[4][3], centre[3], radius = 0.0;
        for (int c = 0; c < 4; ++c)
            Unit(fixed[c], corners[c]);
        GscRegionCircle(corners, centre, radius);
        double box[4];
        RegionBox(region, box);
        std::vector<std::array<double, 3>> outline;
        BoxOutline(box, outline, 16);
        for (const auto& p : outline)
            ASSERT_LE(Degrees(centre, p.data()), radius + 0.005) << region;
    }
    for (int32_t z = 0; z < kGscZoneCount; ++z)
        for (int32_t k = 0; k < GscZoneTable[z].largeRegions; ++k) {
            double width = 360.0 / GscZoneTable[z].largeRegions;
            double low = GscZoneTable[z].declination - 3.75;
            const double box[4] = {width * k, width * (k + 1), low, low + 7.5};
            double corners[4][3], centre[3], radius = 0.0;
            Place(box[0], box[2], corners[0]);
            Place(box[1], box[2], corners[1]);
            Place(box[1], box[3], corners[2]);
            Place(box[0], box[3], corners[3]);
            GscRegionCircle(corners, centre, radius);
            std::vector<std::array<double, 3>> outline;
            BoxOutline(box, outline, 64);
            for (const auto& p : outline)
                ASSERT_LE(Degrees(centre, p.data()), radius + 1e-9) << z << " " << k;
        }
}

}  // namespace
