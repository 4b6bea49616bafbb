// The plain halves of the date, time-step and site dialogs, without X: the
// edit fields read from lines of every shape, the record lines made from
// typed fields, the site file changed line by line and read back byte for
// byte, and Now against the C library's clock.
#include <gtest/gtest.h>

#include "command/interpreter.h"
#include "dialogs/date_dialog_fields.h"
#include "dialogs/site_dialog_fields.h"
#include "dialogs/site_file.h"
#include "dialogs/time_step_dialog_fields.h"
#include "tests/dialogs/site_test_lines.h"
#include "tests/dialogs/typed_fields.h"
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
using typedfields::Lock;
using typedfields::Numbers;
using typedfields::SiteValues;

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
        // No angle an int holds: the fields are left empty for the user.
        {Record("Nowhere", "nan", "inf", "0", "+00.00"), "Nowhere", "", "", false, "", "", false,
         "0", "00.00", false},
        {Record("Far", "99999999", "1e300N", "-0", "+00.00"), "Far", "99999999", "0", false, "", "",
         false, "0", "00.00", false},
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
        const char* refusal =
            MakeSiteLine(SiteValues(Typed(row.name)), names, row.editedIndex, line, command);
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

// What every number field of these dialogs makes of "", "x", "5x" and "12":
// its leading number, or 0 when it holds none; then only the dialog's own
// refusals.
const char* const kTypedNumbers[4] = {"", "x", "5x", "12"};

TEST(ComposeDateText, EachFieldReadsItsLeadingNumberAndOnlyNoDateIsRefused)
{
    constexpr const char* kNoDate = "messageInputValidDate";
    const char* const sent[kDateFieldCount][4] = {
        {"DATE 0,12,5,18,30", "DATE 0,12,5,18,30", "DATE 5,12,5,18,30", "DATE 12,12,5,18,30"},
        {kNoDate, kNoDate, "DATE 2026,5,5,18,30", "DATE 2026,12,5,18,30"},
        {kNoDate, kNoDate, "DATE 2026,12,5,18,30", "DATE 2026,12,12,18,30"},
        {"DATE 2026,12,5,0,30", "DATE 2026,12,5,0,30", "DATE 2026,12,5,5,30", "DATE 2026,12,5,12,30"},
        {"DATE 2026,12,5,18,0", "DATE 2026,12,5,18,0", "DATE 2026,12,5,18,5", "DATE 2026,12,5,18,12"},
    };
    for (int field = 0; field < kDateFieldCount; ++field) {
        for (int typed = 0; typed < 4; ++typed) {
            std::array<std::string, kDateFieldCount> date = {"2026", "12", "5", "18", "30"};
            date[static_cast<size_t>(field)] = kTypedNumbers[typed];
            std::string text = "unchanged";
            const char* refusal = ComposeDateText(Numbers(date), 9.0, text);
            const std::string expected = sent[field][typed];
            SCOPED_TRACE(std::to_string(field) + " \"" + kTypedNumbers[typed] + "\"");
            if (expected == kNoDate) {
                EXPECT_STREQ(refusal, kNoDate);
                EXPECT_EQ(text, "unchanged");
            } else {
                EXPECT_EQ(refusal, nullptr);
                EXPECT_EQ(text, expected + ",0.000000,9.000000");
            }
        }
    }
}

TEST(ComposeStimeText, LockMinutesReadTheirNumberAndEmptyIsRefused)
{
    const char* const sent[4] = {nullptr, "STIME SUNSET -0MIN", "STIME SUNSET -5MIN",
                                 "STIME SUNSET -12MIN"};
    for (int typed = 0; typed < 4; ++typed) {
        std::string text;
        const char* refusal = ComposeStimeText(Lock(false, true, kTypedNumbers[typed]), text);
        if (sent[typed] == nullptr) {
            EXPECT_STREQ(refusal, "messageLockTimeMinimum") << kTypedNumbers[typed];
        } else {
            EXPECT_EQ(refusal, nullptr);
            EXPECT_EQ(text, sent[typed]);
        }
    }
    std::string text;
    for (const char* refused : {"91", "-1", "-5x", "91x"}) {
        EXPECT_STREQ(ComposeStimeText(Lock(true, false, refused), text), "messageLockTimeMinimum")
            << refused;
    }
    EXPECT_EQ(ComposeStimeText(Lock(true, false, "90"), text), nullptr);
    EXPECT_EQ(text, "STIME SUNRISE +90MIN");
    EXPECT_EQ(ComposeStimeText({false, true, false, std::nullopt}, text), nullptr);
    EXPECT_EQ(text, "STIME NONE");
}

TEST(ComposeTimeStepCommand, EachRowReadsItsLeadingNumberAndOnlyNoStepIsRefused)
{
    constexpr const char* kNoStep = "messageInvalidTimeStep";
    const char* const sent[kTimeStepFieldCount][4] = {
        {"0,0,0,0,3", "0,0,0,0,3", "5,0,0,0,3", "12,0,0,0,3"},
        {"0,0,0,0,3", "0,0,0,0,3", "0,5,0,0,3", "0,12,0,0,3"},
        {"0,0,0,0,3", "0,0,0,0,3", "0,0,5,0,3", "0,0,12,0,3"},
        {"0,0,0,0,3", "0,0,0,0,3", "0,0,0,5,3", "0,0,0,12,3"},
        {kNoStep, kNoStep, "0,0,0,0,5", "0,0,0,0,12"},
    };
    for (int field = 0; field < kTimeStepFieldCount; ++field) {
        for (int typed = 0; typed < 4; ++typed) {
            std::array<std::string, kTimeStepFieldCount> step = {"0", "0", "0", "0", "3"};
            step[static_cast<size_t>(field)] = kTypedNumbers[typed];
            TimeStepValues values;
            values.step = Numbers(step);
            CommandText command;
            const char* refusal = ComposeTimeStepCommand(values, command);
            const std::string expected = sent[field][typed];
            SCOPED_TRACE(std::to_string(field) + " \"" + kTypedNumbers[typed] + "\"");
            if (expected == kNoStep) {
                EXPECT_STREQ(refusal, kNoStep);
                EXPECT_TRUE(command.texts.empty());
            } else {
                EXPECT_EQ(refusal, nullptr);
                EXPECT_EQ(command.texts, (std::vector<std::string>{
                                             "REALTIME 0", "PERIOD " + expected + ",0.000000"}));
            }
        }
    }
}

TEST(MakeSiteLine, EachNumberFieldReadsItsLeadingNumber)
{
    // Longitude, latitude, altitude and zone columns for Typed's fields
    // (139 46 E, 35 41 N, 40 m, +9) with one field typed.
    struct Columns {
        const char *longitude, *latitude, *altitude, *zone;
    };
    const Columns sent[6][4] = {
        {{"0.767E", "35.683N", "40", "+09.00"}, {"0.767E", "35.683N", "40", "+09.00"},
         {"5.767E", "35.683N", "40", "+09.00"}, {"12.767E", "35.683N", "40", "+09.00"}},
        {{"139.000E", "35.683N", "40", "+09.00"}, {"139.000E", "35.683N", "40", "+09.00"},
         {"139.083E", "35.683N", "40", "+09.00"}, {"139.200E", "35.683N", "40", "+09.00"}},
        {{"139.767E", "0.683N", "40", "+09.00"}, {"139.767E", "0.683N", "40", "+09.00"},
         {"139.767E", "5.683N", "40", "+09.00"}, {"139.767E", "12.683N", "40", "+09.00"}},
        {{"139.767E", "35.000N", "40", "+09.00"}, {"139.767E", "35.000N", "40", "+09.00"},
         {"139.767E", "35.083N", "40", "+09.00"}, {"139.767E", "35.200N", "40", "+09.00"}},
        {{"139.767E", "35.683N", "0", "+09.00"}, {"139.767E", "35.683N", "0", "+09.00"},
         {"139.767E", "35.683N", "5", "+09.00"}, {"139.767E", "35.683N", "12", "+09.00"}},
        {{"139.767E", "35.683N", "40", "+00.00"}, {"139.767E", "35.683N", "40", "+00.00"},
         {"139.767E", "35.683N", "40", "+05.00"}, {"139.767E", "35.683N", "40", "+12.00"}},
    };
    std::string SiteEditFields::* const fields[6] = {
        &SiteEditFields::longDeg, &SiteEditFields::longMin,  &SiteEditFields::latiDeg,
        &SiteEditFields::latiMin, &SiteEditFields::altitude, &SiteEditFields::zoneHours};
    for (int field = 0; field < 6; ++field) {
        for (int typed = 0; typed < 4; ++typed) {
            SiteEditFields typedFields = Typed("Kobe");
            typedFields.*fields[field] = kTypedNumbers[typed];
            std::string line;
            CommandText command;
            SCOPED_TRACE(std::to_string(field) + " \"" + kTypedNumbers[typed] + "\"");
            ASSERT_EQ(MakeSiteLine(SiteValues(typedFields), {}, -1, line, command), nullptr);
            const Columns& expected = sent[field][typed];
            EXPECT_EQ(line, Record("Kobe", expected.longitude, expected.latitude, expected.altitude,
                                   expected.zone));
        }
    }
}

// The ranges are the edit dialog's own refusals, after the reading.
TEST(MakeSiteLine, NumbersOutsideTheirRangesAreRefusedWithTheirFieldsMessage)
{
    const struct {
        std::string SiteEditFields::* field;
        const char* typed;
        const char* refusal;
    } rows[] = {
        {&SiteEditFields::longDeg, "181x", "messageInvalidSiteLongDeg"},
        {&SiteEditFields::longDeg, "-1", "messageInvalidSiteLongDeg"},
        {&SiteEditFields::longMin, "60", "messageInvalidSiteLongMin"},
        {&SiteEditFields::latiDeg, "91", "messageInvalidSiteLatiDeg"},
        {&SiteEditFields::latiMin, "-5x", "messageInvalidSiteLatiMin"},
        {&SiteEditFields::altitude, "10000", "messageInvalidSiteAlti"},
        {&SiteEditFields::altitude, "-1000m", "messageInvalidSiteAlti"},
        {&SiteEditFields::zoneHours, "14.5", "messageInvalidSiteTz"},
        {&SiteEditFields::zoneHours, "-1", "messageInvalidSiteTz"},
    };
    for (const auto& row : rows) {
        SiteEditFields fields = Typed("Kobe");
        fields.*row.field = row.typed;
        std::string line;
        CommandText command;
        EXPECT_STREQ(MakeSiteLine(SiteValues(fields), {}, -1, line, command), row.refusal)
            << row.typed;
    }
    SiteEditFields fields = Typed("Kobe");
    fields.longDeg = "180";
    fields.longMin = "1";
    std::string line;
    CommandText command;
    EXPECT_STREQ(MakeSiteLine(SiteValues(fields), {}, -1, line, command), "messageInvalidSiteLong");
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
