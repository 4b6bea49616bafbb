// The site list reader: the fixed-column record, look-up by exact name, and
// files that are not quite in the written form.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "sky/site_list.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
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
        path = std::string(std::getenv("UVOLA_TEST_HOME")) + "/sites.obs";
        std::snprintf(gAppEnv->siteFile, kPathSize, "%s", path.c_str());
    }

    void WriteSites(const std::string& text)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }

    bool Find(const char* name)
    {
        location = {-1.0, -1.0, -1.0};
        zone = -99.0;
        return LookUpSite(name, location, zone) == 1;
    }

    std::string path;
    ObserverLocation location{};
    double zone = 0.0;
};

TEST_F(SiteList, RecordTestNeedsBlankSeparatorsAndTheLineEndAtColumn70)
{
    const std::string record = Record("Tokyo (Japan)", 139.745, 35.654, 40, 9.0);
    ASSERT_EQ(record.size(), 71u);
    EXPECT_EQ(IsSiteRecordLine(record.c_str()), 1);

    std::string crlf = record;
    crlf.insert(70, "\r");
    EXPECT_EQ(IsSiteRecordLine(crlf.c_str()), 1);

    std::string short69 = record.substr(0, 69) + "\n";
    EXPECT_EQ(IsSiteRecordLine(short69.c_str()), 0);
    EXPECT_EQ(IsSiteRecordLine(record.substr(0, 70).c_str()), 0);
    for (int column : {40, 49, 57, 62}) {
        std::string bad = record;
        bad[column] = '0';
        EXPECT_EQ(IsSiteRecordLine(bad.c_str()), 0) << "column " << column;
    }
    EXPECT_EQ(IsSiteRecordLine(""), 0);
    EXPECT_EQ(IsSiteRecordLine(nullptr), 0);
}

TEST_F(SiteList, SplitPutsEachFieldAtItsColumnsEndedByANul)
{
    const std::string record = Record("Adelaide (Australia)", 138.583, -34.917, 50, 9.5);
    char fields[kSiteRecordLength];
    SplitSiteRecord(record.c_str(), fields);
    EXPECT_EQ(std::string(fields), "Adelaide (Australia)                    ");
    EXPECT_STREQ(fields + 41, "138.583E");
    EXPECT_STREQ(fields + 50, "34.917S");
    EXPECT_STREQ(fields + 58, "  50");
    EXPECT_STREQ(fields + 63, "+09.50");
}

TEST_F(SiteList, FindsAnExactNameWithSignsFromTheSideLetters)
{
    WriteSites(Record("Greenwich", 0.0, 51.477, 50, 0.0) + Record("Adelaide (Australia)", 138.583, -34.917, 50, 9.5) +
               Record("St Johns (Canada)", -52.717, 47.567, 0, -3.5));
    ASSERT_TRUE(Find("Adelaide (Australia)"));
    EXPECT_DOUBLE_EQ(location.longitude, 138.583);
    EXPECT_DOUBLE_EQ(location.latitude, -34.917);
    EXPECT_DOUBLE_EQ(location.height, 50.0);
    EXPECT_DOUBLE_EQ(zone, 9.5);

    ASSERT_TRUE(Find("St Johns (Canada)"));
    EXPECT_DOUBLE_EQ(location.longitude, -52.717);
    EXPECT_DOUBLE_EQ(location.latitude, 47.567);
    EXPECT_DOUBLE_EQ(zone, -3.5);
}

TEST_F(SiteList, NamesCompareExactlyAndCaseSensitively)
{
    WriteSites(Record("greenwich", 0.0, 51.477, 50, 0.0) + Record("Greenwich (United Kingdom)", 0.0, 51.477, 50, 0.0));
    EXPECT_FALSE(Find("Greenwich"));
    EXPECT_DOUBLE_EQ(zone, -99.0) << "outputs must stay as they were";
    EXPECT_DOUBLE_EQ(location.latitude, -1.0);
    EXPECT_FALSE(Find("Greenwich (United"));
    EXPECT_FALSE(Find(""));
    EXPECT_FALSE(Find(nullptr));
    EXPECT_TRUE(Find("greenwich"));
}

TEST_F(SiteList, FirstOfTwoEqualNamesWins)
{
    WriteSites(Record("Twice", 10.0, 20.0, 1, 1.0) + Record("Twice", 30.0, 40.0, 2, 2.0));
    ASSERT_TRUE(Find("Twice"));
    EXPECT_DOUBLE_EQ(location.longitude, 10.0);
    EXPECT_DOUBLE_EQ(zone, 1.0);
}

TEST_F(SiteList, LowerCaseSideLettersGiveNegativeValues)
{
    std::string record = Record("Lower", 74.006, 33.5, 0, -5.0);
    record[48] = 'w';
    record[56] = 's';
    WriteSites(record);
    ASSERT_TRUE(Find("Lower"));
    EXPECT_DOUBLE_EQ(location.longitude, -74.006);
    EXPECT_DOUBLE_EQ(location.latitude, -33.5);
}

TEST_F(SiteList, CarriageReturnLineFeedFilesAreRead)
{
    std::string text;
    for (const std::string& record : {Record("First", 1.0, 2.0, 3, 4.0), Record("Second", -5.0, -6.0, 7, -8.0)}) {
        text += record.substr(0, 70) + "\r\n";
    }
    WriteSites(text);
    ASSERT_TRUE(Find("Second"));
    EXPECT_DOUBLE_EQ(location.longitude, -5.0);
    EXPECT_DOUBLE_EQ(location.latitude, -6.0);
    EXPECT_DOUBLE_EQ(location.height, 7.0);
    EXPECT_DOUBLE_EQ(zone, -8.0);
}

TEST_F(SiteList, LinesThatAreNoRecordsAreSkipped)
{
    const std::string record = Record("After", 11.0, 12.0, 13, 1.0);
    WriteSites("# sites of my club\n"
               "\n" +
               record.substr(0, 69) + "\n" +                        // 69 characters
               std::string(300, 'x') + "\n" +                       // far too long
               "Broken                                  abc\n" +    // cut short
               record);
    ASSERT_TRUE(Find("After"));
    EXPECT_DOUBLE_EQ(location.height, 13.0);
}

TEST_F(SiteList, TailOfAnOverlongLineIsNeverTakenForARecord)
{
    const std::string hidden = Record("Hidden", 1.0, 2.0, 3, 4.0);
    for (size_t prefix : {71u, 127u, 200u}) {
        WriteSites(std::string(prefix, 'x') + hidden + Record("Visible", 5.0, 6.0, 7, 8.0));
        EXPECT_FALSE(Find("Hidden")) << "prefix " << prefix;
        EXPECT_TRUE(Find("Visible")) << "prefix " << prefix;
    }
}

TEST_F(SiteList, RecordWithANumberThatIsNotFiniteIsRefused)
{
    std::string record = Record("Poisoned", 1.0, 2.0, 3, 4.0);
    record.replace(50, 6, "   nan");
    WriteSites(record + Record("Poisoned", 9.0, 10.0, 11, 12.0));
    ASSERT_TRUE(Find("Poisoned"));
    EXPECT_DOUBLE_EQ(location.longitude, 9.0);
}

TEST_F(SiteList, MissingFileFindsNothing)
{
    std::remove(path.c_str());
    EXPECT_FALSE(Find("Greenwich (United Kingdom)"));
    gAppEnv->siteFile[0] = '\0';
    EXPECT_FALSE(Find("Greenwich (United Kingdom)"));
}

// The shipped list: every line a record in the written form, names unique,
// values in range, and a few places checked against their published
// coordinates and standard zones.
TEST_F(SiteList, ShippedListParsesCompletely)
{
    const std::string shipped = std::string(UVOLA_SOURCE_DIR) + "/data/uvola.obs";
    std::snprintf(gAppEnv->siteFile, kPathSize, "%s", shipped.c_str());
    std::ifstream in(shipped);
    ASSERT_TRUE(in.is_open());
    std::set<std::string> names;
    std::string line;
    int count = 0;
    while (std::getline(in, line)) {
        line += "\n";
        SiteRecord site;
        ASSERT_EQ(ParseSiteRecord(line.c_str(), site), 1) << "line " << count + 1 << ": " << line;
        EXPECT_TRUE(names.insert(site.name).second) << "twice: " << site.name;
        EXPECT_GT(std::strlen(site.name), 0u);
        EXPECT_LE(std::fabs(site.location.latitude), 90.0) << site.name;
        EXPECT_LE(std::fabs(site.location.longitude), 180.0) << site.name;
        EXPECT_LE(std::fabs(site.zone), 14.0) << site.name;
        ++count;
    }
    EXPECT_GE(count, 300);

    ASSERT_TRUE(Find("Greenwich (United Kingdom)"));
    EXPECT_DOUBLE_EQ(location.latitude, 51.477);
    EXPECT_DOUBLE_EQ(location.longitude, 0.0);
    EXPECT_DOUBLE_EQ(location.height, 50.0);
    EXPECT_DOUBLE_EQ(zone, 0.0);

    struct Known {
        const char* name;
        double latitude, longitude, zone;
    };
    const Known known[] = {
        {"Tokyo (Japan)", 35.654, 139.745, 9.0},
        {"New York (United States)", 40.714, -74.006, -5.0},
        {"Kolkata (India)", 22.533, 88.367, 5.5},
        {"Kathmandu (Nepal)", 27.717, 85.317, 5.75},
        {"St Johns (Canada)", 47.567, -52.717, -3.5},
        {"Sao Paulo (Brazil)", -23.533, -46.617, -3.0},
        {"Dublin (Ireland)", 53.333, -6.25, 0.0},
        {"Adelaide (Australia)", -34.917, 138.583, 9.5},
    };
    for (const Known& place : known) {
        ASSERT_TRUE(Find(place.name)) << place.name;
        EXPECT_NEAR(location.latitude, place.latitude, 0.001) << place.name;
        EXPECT_NEAR(location.longitude, place.longitude, 0.001) << place.name;
        EXPECT_DOUBLE_EQ(zone, place.zone) << place.name;
    }
}

}  // namespace
