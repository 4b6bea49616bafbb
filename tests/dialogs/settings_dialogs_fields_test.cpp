// The plain halves of the file, environment and user-object dialogs,
// without X: the commands that open a script or save the chart, names
// refused before anything runs, the geometry fields read from the option
// and turned back into it, and the working list of user-object files.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "dialogs/environment_dialog_fields.h"
#include "dialogs/file_dialogs_fields.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/user_object_dialog_fields.h"

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

TEST(FileChoice, NamesGoIntoTheirStatementQuotedOrNotAtAll)
{
    const struct {
        std::string name;
        Texts open;
        Texts image;
    } rows[] = {
        {"/home/u/sky/night.stl", {"STL \"/home/u/sky/night.stl\""}, {"GSAVE \"/home/u/sky/night.stl\""}},
        {"/home/u/my sky", {"STL \"/home/u/my sky\""}, {"GSAVE \"/home/u/my sky\""}},
        {"/tmp/a;EXIT;.stl", {}, {}},
        {"/tmp/\"x\"", {}, {}},
        {"/tmp/a\nEXIT", {}, {}},
        {"/tmp/a\rEXIT", {}, {}},
        {"/" + std::string(246, 'n'), {"STL \"/" + std::string(246, 'n') + "\""},
         {"GSAVE \"/" + std::string(246, 'n') + "\""}},
        {"/" + std::string(247, 'n'), {"STL \"/" + std::string(247, 'n') + "\""}, {}},
        {"/" + std::string(248, 'n'), {"STL \"/" + std::string(248, 'n') + "\""}, {}},
        {"/" + std::string(249, 'n'), {}, {}},
    };
    for (const auto& row : rows) {
        CommandText open;
        ComposeOpenScript(row.name.c_str(), open);
        EXPECT_EQ(open.texts, row.open) << row.name.size();
        EXPECT_EQ(IsCommandRefused(open), row.open.empty() ? 1 : 0);
        CommandText image;
        ComposeSaveImage(row.name.c_str(), image);
        EXPECT_EQ(image.texts, row.image) << row.name.size();
    }
}

TEST(FileChoice, SaveNamesRefuseLineBreaksAndOverlongPaths)
{
    const struct {
        std::string name;
        int accepted;
    } rows[] = {
        {"/home/u/a;b.stl", 1}, {"/home/u/\"q\".stl", 1}, {"/home/u/a\nb.stl", 0},
        {"/home/u/a\rb.stl", 0}, {std::string(kPathSize - 1, 'n'), 1}, {std::string(kPathSize, 'n'), 0},
    };
    for (const auto& row : rows) {
        CommandText refusal;
        EXPECT_EQ(CheckSaveName(row.name.c_str(), refusal), row.accepted) << row.name.size();
        EXPECT_EQ(refusal.errorKey, row.accepted != 0 ? "" : "stkErrorIllegalParam");
        EXPECT_EQ(refusal.errorWord, row.accepted != 0 ? "" : "SAVEFILE");
    }
}

TEST(EnvironmentSettings, GeometryFieldsTakeTheTextAroundTheFirstX)
{
    const struct {
        const char* geometry;
        int filled;
        const char* width;
        const char* height;
    } rows[] = {
        {"800x600", 1, "800", "600"},       {"800x600+10+20", 1, "800", "600+10+20"},
        {"800x", 1, "800", ""},             {"x600", 1, "", "600"},
        {"800x600x7", 1, "800", "600"},     {"", 0, "", ""},
        {"800", 0, "", ""},                 {"1234567890123456789x5", 0, "", ""},
        {"123456789012345678x5", 1, "123456789012345678", "5"},
    };
    for (const auto& row : rows) {
        std::string width;
        std::string height;
        EXPECT_EQ(GeometryFields(row.geometry, width, height), row.filled) << row.geometry;
        EXPECT_EQ(width, row.width) << row.geometry;
        EXPECT_EQ(height, row.height) << row.geometry;
    }
}

// Both fields digits, or both empty; any size, 0 x 0 included.
TEST(EnvironmentSettings, GeometryTakesAnySizeOfDigits)
{
    const struct {
        const char* width;
        const char* height;
        int accepted;
        const char* geometry;
    } rows[] = {
        {"800", "600", 1, "800x600"},
        {"", "", 1, ""},
        {"0", "0", 1, "0x0"},
        {"0120", "99999", 1, "120x99999"},
        {"123456789012345678", "5", 1, "2147483647x5"},
        {"800", "", 0, ""},
        {"", "600", 0, ""},
        {"-5", "600", 0, ""},
        {"8 0", "600", 0, ""},
        {"800", "600+10+20", 0, ""},
        {"5x", "600", 0, ""},
    };
    for (const auto& row : rows) {
        std::string geometry = "unchanged";
        EXPECT_EQ(ComposeGeometry(row.width, row.height, geometry), row.accepted)
            << row.width << "x" << row.height;
        EXPECT_EQ(geometry, row.accepted != 0 ? row.geometry : "unchanged") << row.width << "x" << row.height;
    }
}

TEST(EnvironmentSettings, LocaleAndTzFieldsAndWhatIsStored)
{
    EXPECT_EQ(LocaleFieldText("ja_JP.eucJP", "C"), "ja_JP.eucJP");
    EXPECT_EQ(LocaleFieldText("", "de_DE.UTF-8"), "de_DE.UTF-8");
    EXPECT_EQ(LocaleFieldText("", ""), "en_US.ISO_8859-1");
    EXPECT_EQ(TzFieldText("Asia/Tokyo", "UTC"), "Asia/Tokyo");
    EXPECT_EQ(TzFieldText("", "UTC"), "UTC");
    EXPECT_EQ(TzFieldText("", nullptr), "");
    EXPECT_EQ(OptionFieldValue("   "), "");
    EXPECT_EQ(OptionFieldValue("Asia/\nTokyo\r"), "Asia/Tokyo");
    EXPECT_EQ(OptionFieldValue("\t\n"), "");
    EXPECT_EQ(IsAllDigits("0123"), 1);
    EXPECT_EQ(IsAllDigits(""), 0);
    EXPECT_EQ(IsAllDigits("+1"), 0);
    EXPECT_EQ(IsAllDigits(nullptr), 0);
}

TEST(UserObjectLists, AddRefusesListedUnreadableAndUnnameableFiles)
{
    std::vector<std::string> paths;
    const std::string longPath = "/" + std::string(300, 'a') + ".adf";
    const struct {
        std::string path;
        bool readable;
        UserObjectAddResult result;
    } rows[] = {
        {"/usr/share/uvola/adf/a.adf", true, kUserObjectAdded},
        {"/home/u/adf/a.adf", true, kUserObjectAdded},   // the same base name elsewhere
        {"/usr/share/uvola/adf/a.adf", true, kUserObjectListed},
        {"/home/u/missing.adf", false, kUserObjectUnreadable},
        {"/home/u/a;EXIT.adf", true, kUserObjectBadName},
        {"/home/u/\"q\".adf", true, kUserObjectBadName},
        {"/home/u/a\rb.adf", true, kUserObjectBadName},
        {"/home/u/a\nb.adf", true, kUserObjectBadName},
        {longPath, true, kUserObjectBadName},
    };
    for (const auto& row : rows) {
        CommandText refusal;
        EXPECT_EQ(AddUserObjectPath(paths, row.path, row.readable, refusal), row.result) << row.path;
        EXPECT_EQ(IsCommandRefused(refusal), row.result == kUserObjectBadName ? 1 : 0);
    }
    EXPECT_EQ(paths, (Texts{"/usr/share/uvola/adf/a.adf", "/home/u/adf/a.adf"}));
    EXPECT_EQ(UserObjectItem(paths[1]), "a.adf");
    EXPECT_EQ(UserObjectItem("plain.adf"), "plain.adf");
    EXPECT_EQ(UserObjectItem(longPath), std::string(300, 'a') + ".adf") << "items are never cut";
}

TEST(UserObjectLists, DeleteSelectsTheEntryThatMovedUpOrTheNewLast)
{
    std::vector<std::string> paths = {"/a.adf", "/b.adf", "/c.adf"};
    EXPECT_EQ(DeleteUserObjectPath(paths, 0), -1);
    EXPECT_EQ(DeleteUserObjectPath(paths, 4), -1);
    EXPECT_EQ(DeleteUserObjectPath(paths, 2), 2);
    EXPECT_EQ(paths, (Texts{"/a.adf", "/c.adf"}));
    EXPECT_EQ(DeleteUserObjectPath(paths, 2), 1);
    EXPECT_EQ(DeleteUserObjectPath(paths, 1), 0);
    EXPECT_TRUE(paths.empty());
}

TEST(UserObjectLists, OkUnloadsAllThenLoadsTheListInOrder)
{
    CommandText command;
    ComposeUserObjectCommands({"/home/u/b.adf", "/usr/share/a b.adf"}, command);
    EXPECT_EQ(command.texts,
              (Texts{"UNLOAD AD", "LOAD AD \"/home/u/b.adf\"", "LOAD AD \"/usr/share/a b.adf\"", "DRIVE"}));
    CommandText none;
    ComposeUserObjectCommands({}, none);
    EXPECT_EQ(none.texts, (Texts{"UNLOAD AD", "DRIVE"}));
}

}  // namespace
