// The plain halves of the date, time-step and site dialogs, without X: the
// edit fields read from lines of every shape, the record lines made from
// typed fields, the site file changed line by line and read back byte for
// byte, and Now against the C library's clock.
#include <gtest/gtest.h>

#include "command/interpreter.h"
#include "dialogs/date_dialog_fields.h"
#include "dialogs/site_dialog_fields.h"
#include "dialogs/site_file.h"
#include "tests/dialogs/site_test_lines.h"
#include "tests/harness/test_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>

namespace {

using sitetest::Record;

TEST(SiteFieldsOfLine, ColumnsAreReadAsTheReaderReadsThem)
{
    const struct {
        std::string line;
        const char *name, *longDeg, *longMin;
        bool west;
        const char *latiDeg, *latiMin;
        bool south;
        const char *altitude, *zone;
        bool minus;
    } rows[] = {
        {"Tokyo (Japan)                            139.767E 35.683N   40 +09.00 \n", "Tokyo (Japan)",
         "139", "46", false, "35", "41", false, "40", "09.00", false},
        {"Nagoya                                   139.999E 35.000S    1 -03.50 \n", "Nagoya", "139",
         "60", false, "35", "0", true, "1", "03.50", true},
        // Lower-case sides count as the reader counts them; CR LF ends a line.
        {"Lima                                      77.050w 12.050s  154 -05.00 \r\n", "Lima", "77",
         "3", true, "12", "3", true, "154", "05.00", true},
        // A short line is read as if padded to the record's width.
        {"short\n", "short", "0", "0", false, "0", "0", false, "0", "     ", false},
        {"", "", "0", "0", false, "0", "0", false, "0", "     ", false},
        // No finite angle: the fields are left empty for the user.
        {Record("Nowhere", "nan", "inf", "0", "+00.00"), "Nowhere", "", "", false, "", "", false,
         "0", "00.00", false},
        {Record("Far", "99999999", "1e300N", "-0", "+00.00"), "Far", "", "", false, "", "", false,
         "0", "00.00", false},
        // A text field ends at a NUL byte, and so do the texts for it.
        {std::string("Ad\0ak", 5) + Record("", "1.000E", "2.000N", "3", "-01.00").substr(5),
         "Ad", "1", "0", false, "2", "0", false, "3", "01.00", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const SiteEditFields fields = SiteFieldsOfLine(row.line);
        EXPECT_EQ(fields.name, row.name);
        EXPECT_EQ(fields.longDeg, row.longDeg);
        EXPECT_EQ(fields.longMin, row.longMin);
        EXPECT_EQ(fields.west, row.west);
        EXPECT_EQ(fields.latiDeg, row.latiDeg);
        EXPECT_EQ(fields.latiMin, row.latiMin);
        EXPECT_EQ(fields.south, row.south);
        EXPECT_EQ(fields.altitude, row.altitude);
        EXPECT_EQ(fields.zoneHours, row.zone);
        EXPECT_EQ(fields.zoneMinus, row.minus);
    }
}

SiteEditFields Typed(const char* name)
{
    SiteEditFields fields;
    fields.name = name;
    fields.longDeg = "139";
    fields.longMin = "46";
    fields.latiDeg = "35";
    fields.latiMin = "41";
    fields.altitude = "40";
    fields.zoneHours = "9";
    return fields;
}

TEST(MakeSiteLine, NamesAreCheckedAndWrittenWithoutLeadingBlanks)
{
    const std::vector<std::string> names = {"Tokyo", "Osaka"};
    const struct {
        const char* name;
        int editedIndex;
        const char* refusal;   // null: accepted
        const char* written;
    } rows[] = {
        {"  Kobe", -1, nullptr, "Kobe"},
        {"\tKobe   ", -1, nullptr, "Kobe"},
        {"tokyo", -1, nullptr, "tokyo"},
        {"Tokyo", 0, nullptr, "Tokyo"},
        {"Tokyo", 1, "messageSiteAlreadyExist", nullptr},
        {"Tokyo   ", -1, "messageSiteAlreadyExist", nullptr},
        {"   ", -1, "messageMustSpecSiteName", nullptr},
        {"Kobe;EXIT", -1, "", nullptr},
        {"Kobe \"x\"", -1, "", nullptr},
        {"Kobe\rEXIT", -1, "", nullptr},
        {"Kobe\nEXIT", -1, "", nullptr},
        {"A name of more than forty characters, cut at forty", -1, nullptr,
         "A name of more than forty characters, cu"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string line;
        CommandText command;
        const char* refusal = MakeSiteLine(Typed(row.name), names, row.editedIndex, line, command);
        if (row.refusal == nullptr) {
            ASSERT_EQ(refusal, nullptr);
            char expected[80];
            std::snprintf(expected, sizeof expected, "%-40s 139.767E 35.683N   40 +09.00 \n",
                          row.written);
            EXPECT_EQ(line, expected);
        } else {
            ASSERT_NE(refusal, nullptr);
            EXPECT_STREQ(refusal, row.refusal);
            EXPECT_EQ(IsCommandRefused(command), *row.refusal == '\0' ? 1 : 0);
        }
    }
}

TEST(ComposeLocateCommand, OneTextOfLocateAndDrive)
{
    CommandText command;
    ComposeLocateCommand("Lima", ObserverLocation{-12.05, -77.05, 154.0}, -5.0, command);
    EXPECT_EQ(command.texts,
              (std::vector<std::string>{"LOCATE 77.05000W,12.05000S,-5.00,154.00,\"Lima\";DRIVE"}));
}

TEST(IsDefaultSiteLine, ComparesTheNameColumnsWithSiteNamePadded)
{
    EXPECT_TRUE(IsDefaultSiteLine("Tokyo                                    139.767E\n", "Tokyo"));
    EXPECT_FALSE(IsDefaultSiteLine("Tokyo                                    139.767E\n", "tokyo"));
    EXPECT_TRUE(IsDefaultSiteLine(kNewSiteLine, ""));
    EXPECT_FALSE(IsDefaultSiteLine(kNewSiteLine, "Tokyo"));
    EXPECT_TRUE(IsDefaultSiteLine("Tokyo\n", "Tokyo"));
}

class SiteFileChanges : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = TestHome() + "/changes.obs";
        WriteFile(path, "a\n#" + std::string(300, 'c') + "\nb\nlast");
        ASSERT_EQ(ReadSiteFileLines(path.c_str(), shown), 1);
    }
    std::string path;
    std::vector<std::string> shown;
};

TEST_F(SiteFileChanges, EachChangeTouchesOnlyItsLine)
{
    const std::string comment = "#" + std::string(300, 'c') + "\n";
    ASSERT_EQ(shown, (std::vector<std::string>{"a\n", comment, "b\n", "last"}));
    EXPECT_EQ(SiteLineNames(shown)[1], std::string(40, 'c').insert(0, "#").substr(0, 40));
    const struct {
        SiteFileChange change;
        std::string after;
    } rows[] = {
        {{kSiteLineReplace, 2, "B\n"}, "a\n" + comment + "B\nlast"},
        {{kSiteLineInsert, -1, "new\n"}, "new\na\n" + comment + "B\nlast"},
        {{kSiteLineDelete, 1, ""}, "new\n" + comment + "B\nlast"},
        {{kSiteLineReplace, 3, "end\n"}, "new\n" + comment + "B\nend\n"},
    };
    for (const auto& row : rows) {
        SiteFileError error;
        ASSERT_EQ(ChangeSiteFile(path.c_str(), shown, row.change, error), 1);
        EXPECT_EQ(ReadFile(path), row.after);
        std::vector<std::string> reread;
        ReadSiteFileLines(path.c_str(), reread);
        EXPECT_EQ(reread, shown) << "the list holds what the file holds";
    }
    EXPECT_EQ(Temporaries(path), std::vector<std::string>{});
}

TEST_F(SiteFileChanges, AFileChangedBehindOrGoneIsLeftAlone)
{
    WriteFile(path, "a\nZ\nb\nlast");
    SiteFileError error;
    const std::vector<std::string> before = shown;
    EXPECT_EQ(ChangeSiteFile(path.c_str(), shown, {kSiteLineDelete, 0, ""}, error), 0);
    EXPECT_STREQ(error.key, "messageSiteFileChanged");
    EXPECT_EQ(ReadFile(path), "a\nZ\nb\nlast");
    EXPECT_EQ(shown, before);
    std::remove(path.c_str());
    EXPECT_EQ(ChangeSiteFile(path.c_str(), shown, {kSiteLineInsert, -1, "x\n"}, error), 0);
    EXPECT_STREQ(error.key, "messageCannotOpenFile");
    EXPECT_EQ(error.argument, path);
    EXPECT_FALSE(Exists(path));
}

// Two instances add sites at one moment, each from the list it showed
// before the other's additions: every addition is made to the file as it is
// under the lock, so all of them land.
TEST_F(SiteFileChanges, ConcurrentAdditionsAllLand)
{
    constexpr int kAdditions = 40;
    const auto line = [](int adder, int i) { return "adder " + std::to_string(adder) + " site " + std::to_string(i) + "\n"; };
    pid_t adders[2];
    for (int a = 0; a < 2; ++a) {
        adders[a] = fork();
        if (adders[a] == 0) {
            std::vector<std::string> mine = shown;
            int refused = 0;
            for (int i = 0; i < kAdditions; ++i) {
                SiteFileError error;
                refused += ChangeSiteFile(path.c_str(), mine, {kSiteLineInsert, -1, line(a, i)}, error) == 0 ? 1 : 0;
            }
            _exit(refused == 0 ? 0 : 1);
        }
    }
    for (pid_t adder : adders) {
        int status = 0;
        waitpid(adder, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "an addition was refused";
    }
    std::vector<std::string> lines;
    ASSERT_EQ(ReadSiteFileLines(path.c_str(), lines), 1);
    EXPECT_EQ(lines.size(), shown.size() + 2 * kAdditions);
    for (int a = 0; a < 2; ++a) {
        for (int i = 0; i < kAdditions; ++i) {
            EXPECT_EQ(std::count(lines.begin(), lines.end(), line(a, i)), 1) << line(a, i);
        }
    }
    EXPECT_TRUE(std::equal(shown.begin(), shown.end(), lines.end() - static_cast<long>(shown.size())));
}

// While another instance holds the site file's lock, an edit waits a few
// seconds, then is refused with the file named and nothing changed.
TEST_F(SiteFileChanges, AnEditGivesUpOnALockHeldTooLong)
{
    const int lock = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(flock(lock, LOCK_EX), 0);
    const std::string before = ReadFile(path);
    const auto start = std::chrono::steady_clock::now();
    SiteFileError error;
    EXPECT_EQ(ChangeSiteFile(path.c_str(), shown, {kSiteLineInsert, -1, "new\n"}, error), 0);
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GT(waited, 1.0);
    EXPECT_LT(waited, 10.0);
    EXPECT_STREQ(error.key, "messageSiteFileBusy");
    EXPECT_EQ(error.argument, path);
    EXPECT_EQ(ReadFile(path), before);
    close(lock);
    EXPECT_EQ(ChangeSiteFile(path.c_str(), shown, {kSiteLineInsert, -1, "new\n"}, error), 1);
    EXPECT_EQ(ReadFile(path), "new\n" + before);
}

// Now is the clock's instant in the zone asked for, whatever the process's
// own zone.
TEST(DateNowInZone, IsTheClockInTheZone)
{
    for (const double zone : {9.0, -5.5, 0.0, 14.0}) {
        const time_t now = std::time(nullptr);
        const DateTime date = DateNowInZone(now / 86400.0 + 2440587.5, zone);
        const time_t shifted = now + static_cast<time_t>(zone * 3600);
        std::tm expected{};
        gmtime_r(&shifted, &expected);
        EXPECT_EQ(date.year, expected.tm_year + 1900) << zone;
        EXPECT_EQ(date.month, expected.tm_mon + 1) << zone;
        EXPECT_EQ(date.day, expected.tm_mday) << zone;
        EXPECT_EQ(date.hour * 60 + date.minute, expected.tm_hour * 60 + expected.tm_min) << zone;
        EXPECT_EQ(date.zone, zone);
    }
}

}  // namespace
