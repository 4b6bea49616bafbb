// The dialog kit's plain halves, without X: command text composed from
// field values and refused whole for unsafe names or overlong statements,
// number fields stepped, the list search, the file box's directories, and
// display options read back from the Scene after SHOW and HIDE.
#include <gtest/gtest.h>

#include "command/command_table.h"
#include "command/display_commands.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/display_toggles.h"
#include "dialogs/kit/file_box_directory.h"
#include "dialogs/kit/list_match.h"
#include "core/string_utils.h"
#include "dialogs/kit/number_text.h"
#include "sky/scene.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> ran;       // texts StkExecuteText was given
std::vector<std::string> echoed;    // arguments ECHO received

void Record(const char* text)
{
    ran.emplace_back(text);
}

void CmdEcho(Scene&, char* text)
{
    echoed.emplace_back(text != nullptr ? text : "");
}

const CommandEntry kEchoCommands[] = {
    MakeCommandEntry("ECHO", CmdEcho, 1),
    {},
};

class ComposedCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        gAppEnv->quiet = 1;
        StkUseCommandTable(kEchoCommands);
        gStkTextObserver = Record;
        ran.clear();
        echoed.clear();
    }
    void TearDown() override
    {
        gStkTextObserver = nullptr;
        StkUseCommandTable(nullptr);
    }
};

// A command of two texts whose second statement carries the name; refused,
// nothing of it runs, the first text included.
TEST_F(ComposedCommands, UnsafeNamesRefuseTheWholeCommand)
{
    const struct {
        std::string name;
        bool refused;
    } rows[] = {
        {"Tokyo", false},    {"New York, NY", false}, {"Z\xc3\xbcrich", false}, {"", false},
        {"a;EXIT", true},    {"say \"hi\"", true},    {"a\rb", true},           {"a\nEXIT", true},
        {";", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ran.clear();
        echoed.clear();
        CommandText command;
        AddText(command, "ECHO first");
        AddText(command, "ECHO \"%s\"", CheckedName(command, "ECHO", row.name.c_str()));
        EXPECT_EQ(RunCommandText(nullptr, command), row.refused ? 0 : 1);
        if (row.refused) {
            EXPECT_TRUE(ran.empty());
            EXPECT_TRUE(echoed.empty());
            EXPECT_STREQ(gAppEnv->errorMessage, ("ECHO: Illegal Parameter: " + row.name).c_str());
        } else {
            EXPECT_EQ(ran, (std::vector<std::string>{"ECHO first", "ECHO \"" + row.name + "\""}));
            EXPECT_EQ(echoed, (std::vector<std::string>{"first", row.name}));
        }
    }
}

// At the interpreter's limit the statement runs whole; one character more
// and nothing runs, the message showing the statement's start.
TEST_F(ComposedCommands, StatementLimitIsTheInterpretersLimit)
{
    for (const int length : {kMaxStatementLength - 1, kMaxStatementLength, kMaxStatementLength + 1}) {
        SCOPED_TRACE(length);
        ran.clear();
        echoed.clear();
        const std::string name(static_cast<size_t>(length) - 7, 'n');   // ECHO "name"
        CommandText command;
        AddText(command, "ECHO first");
        AddStatement(command, "ECHO \"%s\"", CheckedName(command, "ECHO", name.c_str()));
        const bool fits = length <= kMaxStatementLength;
        EXPECT_EQ(RunCommandText(nullptr, command), fits ? 1 : 0);
        if (fits) {
            EXPECT_EQ(echoed, (std::vector<std::string>{"first", name}));
        } else {
            EXPECT_TRUE(ran.empty());
            const std::string start = ("ECHO \"" + name).substr(0, 39);
            EXPECT_STREQ(gAppEnv->errorMessage, ("ECHO: Illegal Parameter: " + start).c_str());
        }
    }
}

// A value that skipped CheckedName still cannot start a statement of its own.
TEST_F(ComposedCommands, SeparatorsInUncheckedValuesAreRefused)
{
    for (const char* value : {"x;EXIT", "x\rEXIT", "x\nEXIT"}) {
        CommandText command;
        AddStatement(command, "ECHO %s", value);
        EXPECT_EQ(RunCommandText(nullptr, command), 0) << value;
        EXPECT_EQ(command.errorWord, "ECHO");
        EXPECT_EQ(command.errorParam, std::string("ECHO ") + value);
    }
    EXPECT_TRUE(ran.empty());
}

TEST_F(ComposedCommands, TextsRunInOrderEachByItsOwnCall)
{
    CommandText command;
    AddStatement(command, "ECHO %d", 1);
    AddStatement(command, "ECHO %.1f", 2.5);
    AddText(command, "ECHO three");
    EXPECT_EQ(RunCommandText(nullptr, command), 1);
    EXPECT_EQ(ran, (std::vector<std::string>{"ECHO 1;ECHO 2.5", "ECHO three"}));
    EXPECT_EQ(echoed, (std::vector<std::string>{"1", "2.5", "three"}));
    EXPECT_STREQ(gAppEnv->errorKey, "");
}

// --- Number fields -----------------------------------------------------------

TEST(NumberText, ArrowsStepWithinTheirLimits)
{
    const FieldRow magnitude{"MagLimit", -2.0, 10.0, 0.1, 1};
    const FieldRow day{"Day", 1, 31, 1, 0};
    const FieldRow year{"Year", -999, 9999, 1, 0};
    const struct {
        const FieldRow& field;
        const char* text;
        int direction;
        const char* result;
    } rows[] = {
        {magnitude, "9.9", 1, "10.0"},  {magnitude, "10.0", 1, "10.0"}, {magnitude, "-1.9", -1, "-2.0"},
        {magnitude, "-2.0", -1, "-2.0"}, {magnitude, "x", 1, "0.1"},    {magnitude, "nan", 1, "0.1"},
        {magnitude, "12", -1, "10.0"},  {magnitude, "6.5", -1, "6.4"},  {day, "31", 1, "31"},
        {day, "x", 1, "1"},             {day, "x", -1, "1"},            {day, "12.7", 1, "13"},
        {year, "-999", -1, "-999"},     {year, "2024", 1, "2025"},      {year, "9999", 1, "9999"},
    };
    for (const auto& row : rows) {
        const double number = row.field.decimals <= 0 ? TextIntValue(row.text) : TextDoubleValue(row.text);
        EXPECT_EQ(StepNumberText(row.field, number, row.direction), row.result)
            << row.field.word << " " << row.text << " " << row.direction;
    }
}

// --- List search ---------------------------------------------------------------

TEST(ListMatch, SearchGoesOnFromTheStartEntryAndWrapsRound)
{
    const std::vector<std::string> sites = {"Tokyo", "London", "Barcelona", "Long Beach"};
    const struct {
        int start;
        const char* text;
        int found;
    } rows[] = {
        {0, "lon", 1}, {2, "LON", 2}, {3, "lon", 3}, {4, "lon", 1}, {1, "tok", 0},
        {-1, "beach", 3}, {0, "xyz", -1}, {2, "", 2},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FindNextMatch(sites, 1, row.start, row.text), row.found)
            << row.text << " from " << row.start;
    }
    EXPECT_EQ(FindNextMatch({}, 1, 0, "lon"), -1);
}

TEST(ListMatch, EntriesWithTwoNamesMatchByEither)
{
    const std::vector<std::string> comets = {"Halley", "1P", "Encke", "2P"};
    EXPECT_EQ(FindNextMatch(comets, 2, 0, "2p"), 1);
    EXPECT_EQ(FindNextMatch(comets, 2, 1, "hal"), 0);
    // The names are not one text: a piece across both matches nothing.
    EXPECT_EQ(FindNextMatch(comets, 2, 0, "Halley1P"), -1);
}

// --- File box directory ----------------------------------------------------------

TEST(FileBoxDirectory, DirectoryRememberedIsTheChosenFilesOwn)
{
    const struct {
        const char* chosen;
        const char* previous;
        const char* remembered;
    } rows[] = {
        {"/home/u/sky/night.stl", "~", "/home/u/sky"},
        {"/home/u/sky/", "~", "/home/u/sky/"},
        {"night.stl", "/home/u", "/home/u"},
        {"/night.stl", "/home/u", "/"},
        {"", "/home/u", "/home/u"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RememberedDirectory(row.chosen, row.previous), row.remembered) << row.chosen;
    }
}

// --- Display options -------------------------------------------------------------

TEST(DisplayToggles, ShowAndHideReadBackAsSent)
{
    ResetAppEnv();
    gAppEnv->quiet = 1;
    const ToggleRow toggles[] = {
        {"ToggleStar", "STAR"},         {"ToggleNebulaMag", "NEBULA_MAG"},
        {"ToggleConstLine", "CONS_LINE"}, {"ToggleMarsName", "MARS_NAME"},
        {"ToggleMeteor", "METEOR"},     {"ToggleJovian", "JMOON_NO"},
        {"ToggleSunDate", "SUN_DATE"},
    };
    const int count = sizeof toggles / sizeof toggles[0];
    Scene& scene = *gScene;
    ResetScene(scene);
    for (const std::vector<int>& values : {std::vector<int>{1, 1, 1, 1, 1, 1, 1},
                                           std::vector<int>{0, 0, 0, 0, 0, 0, 0},
                                           std::vector<int>{1, 0, 1, 0, 1, 0, 1},
                                           std::vector<int>{0, 1, 0, 1, 0, 1, 0}}) {
        CommandText command;
        AddShowHideStatements(command, toggles, values);
        EXPECT_EQ(RunCommandText(&scene, command), 1);
        EXPECT_STREQ(gAppEnv->errorKey, "");
        EXPECT_EQ(ReadDisplayOptions(scene, toggles, count), values);
    }
    for (const char* keyword : {"TOOLBAR", "PLANET", "COMET", "NOSUCH"}) {
        EXPECT_EQ(StkDisplayOptionShown(scene, keyword), -1) << keyword;
    }
}

}  // namespace
