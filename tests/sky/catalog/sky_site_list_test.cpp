// The site list reader: the fixed-column record, look-up by exact name, the
// list ending at its first line that is no record; the shipped list.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "sky/catalog/site_list.h"
#include "tests/harness/test_files.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>

namespace {

// A record as the site dialogs write it.
std::string Record(const char* name, double longitude, double latitude, int altitude, double zone)
{
    char line[128];
    std::snprintf(line, sizeof line, "%-40.40s %7.3f%c %6.3f%c %4d %c%05.2f \n", name, std::fabs(longitude),
                  longitude < 0 ? 'W' : 'E', std::fabs(latitude), latitude < 0 ? 'S' : 'N', altitude,
                  zone < 0 ? '-' : '+', std::fabs(zone));
    return line;
}

class SiteList : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        UseFile(TestHome() + "/sites.obs");
    }
    void UseFile(const std::string& file)
    {
        path = file;
        std::snprintf(gAppEnv->siteFile, kPathSize, "%s", path.c_str());
    }
    bool Find(const char* name)
    {
        location = {-1.0, -1.0, -1.0};
        zone = -99.0;
        return LookUpSite(name, location, zone) == 1;
    }
    // A site found with its place (degrees, metres) and zone (hours).
    void ExpectSite(const char* name, double latitude, double longitude, double height, double expectedZone,
                    double tolerance = 0.0)
    {
        ASSERT_TRUE(Find(name)) << name;
        EXPECT_NEAR(location.latitude, latitude, tolerance) << name;
        EXPECT_NEAR(location.longitude, longitude, tolerance) << name;
        EXPECT_DOUBLE_EQ(location.height, height) << name;
        EXPECT_DOUBLE_EQ(zone, expectedZone) << name;
    }
    std::string path;
    ObserverLocation location{};
    double zone = 0.0;
};

TEST_F(SiteList, RecordNeedsBlankSeparatorsAndItsLineEndAfterColumn69)
{
    const std::string record = Record("Adelaide (Australia)", 138.583, -34.917, 50, 9.5);
    ASSERT_EQ(record.size(), 71u);
    EXPECT_EQ(IsSiteRecordLine(record.c_str()), 1);
    EXPECT_EQ(IsSiteRecordLine((record.substr(0, 70) + "\r\n").c_str()), 1);
    EXPECT_EQ(IsSiteRecordLine((record.substr(0, 69) + "\n").c_str()), 0);
    EXPECT_EQ(IsSiteRecordLine(record.substr(0, 70).c_str()), 0);
    for (int column : {40, 49, 57, 62}) {
        std::string bad = record;
        bad[column] = '0';
        EXPECT_EQ(IsSiteRecordLine(bad.c_str()), 0) << "column " << column;
    }
    char fields[kSiteRecordLength];
    SplitSiteRecord(record.c_str(), fields);
    for (auto [column, field] : {std::pair{0, "Adelaide (Australia)                    "}, {41, "138.583E"},
                                 {50, "34.917S"}, {58, "  50"}, {63, "+09.50"}})
        EXPECT_STREQ(fields + column, field);
}

TEST_F(SiteList, FindsTheFirstExactNameWithSignsFromTheSideLetters)
{
    std::string lower = Record("Lower", 74.006, 33.5, 0, -5.0);
    lower[48] = 'w';
    lower[56] = 's';
    WriteFile(path, Record("greenwich", 0.0, 51.477, 50, 0.0) + Record("Twice", -52.717, 47.567, 3, -3.5) +
                        Record("Twice", 30.0, 40.0, 2, 2.0) + lower);
    ExpectSite("Twice", 47.567, -52.717, 3.0, -3.5);
    ExpectSite("Lower", -33.5, -74.006, 0.0, -5.0);
    EXPECT_FALSE(Find("Greenwich"));
    EXPECT_DOUBLE_EQ(zone, -99.0) << "outputs stay as they were";
    EXPECT_FALSE(Find("Twic"));
    EXPECT_FALSE(Find(nullptr));
}

// The list ends at its first line that is no record: the site after it is
// never found. A record may end in CR LF.
TEST_F(SiteList, TheListEndsAtItsFirstLineThatIsNoRecord)
{
    const std::string after = Record("After", 11.0, 12.0, 13, 1.0);
    std::string withNul = Record("Broken", 1.0, 2.0, 3, 4.0);
    withNul[20] = '\0';
    const struct {
        std::string before;
        bool found;
    } rows[] = {
        {"", true},
        {Record("Before", 1.0, 2.0, 3, 4.0).substr(0, 70) + "\r\n", true},
        {"# sites of my club\n", false},
        {"\n", false},
        {after.substr(0, 69) + "\n", false},
        {after.substr(0, 70) + " \n", false},
        {std::string(300, 'x') + "\n", false},
        {"Broken                                  abc\n", false},
        {withNul, false},
        // A number that is none: longitude, latitude, height, zone.
        {Record("Poisoned", 1.0, 2.0, 3, 4.0).replace(41, 7, "    nan"), false},
        {Record("Poisoned", 1.0, 2.0, 3, 4.0).replace(50, 6, "   nan"), false},
        {Record("Poisoned", 1.0, 2.0, 3, 4.0).replace(58, 4, " inf"), false},
        {Record("Poisoned", 1.0, 2.0, 3, 4.0).replace(63, 6, "  -inf"), false},
    };
    for (const auto& row : rows) {
        WriteFile(path, row.before + after);
        EXPECT_EQ(Find("After"), row.found) << row.before;
    }
    WriteFile(path, rows[1].before);
    ExpectSite("Before", 2.0, 1.0, 3.0, 4.0);
    UseFile(TestHome() + "/none.obs");
    EXPECT_FALSE(Find("After"));
}

// A record that describes no place on the Earth is refused, and ends the
// list as any other line that is no record; the limits themselves are
// places.
TEST_F(SiteList, RecordsOutOfRangeAreRefusedAndEndTheList)
{
    const struct {
        std::string record;
        bool taken;
    } rows[] = {
        {Record("Bad", 999.999, 99.999, 9999, 99.99), false},
        {Record("Far north", 10.0, 90.001, 0, 0.0), false},
        {Record("Far west", -180.001, 10.0, 0, 0.0), false},
        {Record("Zone ahead", 10.0, 10.0, 0, 24.01), false},
        {Record("Zone behind", 10.0, 10.0, 0, -24.01), false},
        {Record("Too high", 10.0, 10.0, 0, 0.0).replace(58, 4, "2e07"), false},
        {Record("Too deep", 10.0, 10.0, 0, 0.0).replace(58, 4, "-1e8"), false},
        {Record("North pole", 180.0, 90.0, 9999, 24.0), true},
        {Record("South pole", -180.0, -90.0, -999, -24.0), true},
        {Record("Orbit", 0.0, 0.0, 0, 0.0).replace(58, 4, "1e07"), true},
    };
    for (const auto& row : rows) {
        SiteRecord site;
        EXPECT_EQ(ParseSiteRecord(row.record.c_str(), site), row.taken ? 1 : 0) << row.record;
        WriteFile(path, row.record + Record("After", 11.0, 12.0, 13, 1.0));
        EXPECT_EQ(Find(row.record.substr(0, 40).erase(row.record.find_last_not_of(' ', 39) + 1).c_str()),
                  row.taken)
            << row.record;
        EXPECT_EQ(Find("After"), row.taken) << row.record;
    }
}

// A FIFO would hold the look-up in its open, /dev/zero would feed it
// forever: neither is a site list.
TEST_F(SiteList, SpecialFileHasNoSites)
{
    for (SpecialFile kind : {SpecialFile::kFifo, SpecialFile::kZeroLink}) {
        ASSERT_TRUE(MakeSpecialFile(path, kind));
        EXPECT_TRUE(FinishesWithin(2.0, [&] { return !Find("After"); })) << static_cast<int>(kind);
    }
}

// Every line a record, names unique, values in range, and a few places
// against their published coordinates and standard zones.
TEST_F(SiteList, ShippedListParsesCompletely)
{
    UseFile(std::string(UVOLA_SOURCE_DIR) + "/data/uvola.obs");
    std::ifstream in(path);
    std::set<std::string> names;
    std::string line;
    while (std::getline(in, line)) {
        SiteRecord site;
        ASSERT_EQ(ParseSiteRecord((line + "\n").c_str(), site), 1) << line;
        EXPECT_TRUE(names.insert(site.name).second) << "twice: " << site.name;
        EXPECT_LE(std::fabs(site.location.latitude), 90.0) << site.name;
        EXPECT_LE(std::fabs(site.location.longitude), 180.0) << site.name;
        EXPECT_LE(std::fabs(site.zone), 14.0) << site.name;
    }
    EXPECT_GE(names.size(), 300u);

    const struct {
        const char* name;
        double latitude, longitude, height, zone;
    } known[] = {
        {"Greenwich (United Kingdom)", 51.477, 0.0, 50.0, 0.0},
        {"Tokyo (Japan)", 35.654, 139.745, 0.0, 9.0},
        {"New York (United States)", 40.714, -74.006, 0.0, -5.0},
        {"Kathmandu (Nepal)", 27.717, 85.317, 0.0, 5.75},
        {"St Johns (Canada)", 47.567, -52.717, 0.0, -3.5},
        {"Sao Paulo (Brazil)", -23.533, -46.617, 0.0, -3.0},
        {"Dublin (Ireland)", 53.333, -6.25, 0.0, 0.0},
    };
    for (const auto& place : known)
        ExpectSite(place.name, place.latitude, place.longitude, place.height, place.zone, 0.001);
}

}  // namespace
