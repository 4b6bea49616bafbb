// Name files written here and read back: one name per line in table
// order, CR LF lines, over-long lines, short and missing files, and the
// language variant beside the file.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/locale.h"
#include "data/catalog_tables.h"
#include "sky/catalog/name_files.h"
#include "tests/harness/test_files.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kDefault = "<default>";

std::string InHome(const std::string& name, const std::string& text)
{
    const std::string path = TestHome() + "/" + name;
    WriteFile(path, text);
    return path;
}

// The names a file gives the rows of a table, kDefault for a row it
// leaves alone.
std::vector<std::string> NamesOf(const std::string& path, int rows)
{
    std::vector<char*> names(rows, reinterpret_cast<char*>(1));
    LoadNameFile(path.c_str(), rows, names.data());
    std::vector<std::string> loaded;
    for (char* name : names) {
        loaded.push_back(name != nullptr ? name : kDefault);
        std::free(name);
    }
    return loaded;
}

TEST(NameFile, EachLineNamesOneRow)
{
    // Nothing but the line end is trimmed; an empty line is an empty name;
    // a line of 127 characters is one name, a longer one two; lines beyond
    // the table are ignored and a last line without a line feed counts.
    const std::string a127(127, 'a'), b73(73, 'b');
    const struct {
        const char* file;
        std::string text;
        std::vector<std::string> names;
    } cases[] = {
        {"blanks.dat", "  Orion \t\n\nUrsa Major\n", {"  Orion \t", "", "Ursa Major", kDefault}},
        {"dos.dat", "Sirius\r\nCanopus\r\n\r\nVega\r", {"Sirius", "Canopus", "", "Vega", kDefault}},
        {"long.dat", a127 + b73 + "\nNext\n", {a127, b73, "Next"}},
        {"exact.dat", std::string(127, 'c') + "\nAfter\n", {std::string(127, 'c'), "After", kDefault}},
        {"extra.dat", "One\nTwo\nThree\nFour", {"One", "Two", "Three"}},
        {"last.dat", "One\nTwo", {"One", "Two", kDefault}},
        {"empty.dat", "", {kDefault, kDefault}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NamesOf(InHome(c.file, c.text), static_cast<int>(c.names.size())), c.names) << c.file;

    std::string ten;
    for (int i = 0; i < 10; ++i)
        ten += "Name " + std::to_string(i) + "\n";
    const std::vector<std::string> names = NamesOf(InHome("ten.dat", ten), 89);
    EXPECT_EQ(names[0], "Name 0");
    EXPECT_EQ(names[9], "Name 9");
    EXPECT_EQ(std::count(names.begin(), names.end(), kDefault), 79);
}

TEST(NameFile, MissingOrUnnamedFileGivesNoNames)
{
    EXPECT_EQ(NamesOf(TestHome() + "/no-such-file.dat", 3), std::vector<std::string>(3, kDefault));
    EXPECT_EQ(NamesOf("", 2), std::vector<std::string>(2, kDefault));
}

// A FIFO would hold start-up in its open, /dev/zero would give names of
// NUL bytes: neither is a name file.
TEST(NameFile, SpecialFileGivesNoNames)
{
    const std::string path = TestHome() + "/special.dat";
    for (SpecialFile kind : {SpecialFile::kFifo, SpecialFile::kZeroLink}) {
        ASSERT_TRUE(MakeSpecialFile(path, kind));
        EXPECT_TRUE(FinishesWithin(2.0, [&] { return NamesOf(path, 3) == std::vector<std::string>(3, kDefault); }))
            << static_cast<int>(kind);
    }
}

TEST(NameFile, LanguageVariantBesideTheFileIsReadWhenThere)
{
    ResetAppEnv();
    const std::string base = InHome("consname.dat", "Andromeda\n");
    const char* japanese = "\xa5\xa2\xa5\xf3\xa5\xc9\xa5\xed\xa5\xe1\xa5\xc0";
    InHome("consname.dat.ja", std::string(japanese) + "\n");
    for (auto [language, name] : {std::pair{"ja", japanese}, {"de", "Andromeda"}}) {
        std::strcpy(gAppEnv->languageCode, language);
        char path[kPathSize];
        std::snprintf(path, sizeof path, "%s", base.c_str());
        LocalizeDataPath(path, sizeof path);
        EXPECT_EQ(NamesOf(path, 1)[0], name) << language;
    }
}

TEST(NameTables, FileNamesReplaceTheEnglishOnesUntilFreed)
{
    ResetAppEnv();
    std::snprintf(gAppEnv->constDataFile, kPathSize, "%s",
                  InHome("cons.dat", "Andromeda-jp\r\nAntlia-jp\n\n").c_str());
    const char* const english0 = ConstellationTable[0].defaultName;
    for (int load = 0; load < 2; ++load) {   // loading again replaces the names rather than piling them up
        LoadConstellationNames();
        EXPECT_STREQ(ConstellationTable[0].displayName, "Andromeda-jp");
        EXPECT_STREQ(ConstellationTable[1].displayName, "Antlia-jp");
        EXPECT_STREQ(ConstellationTable[2].displayName, "");
        EXPECT_EQ(ConstellationTable[3].displayName, ConstellationTable[3].defaultName);
        EXPECT_EQ(ConstellationTable[kSecondSerpensRow].displayName,
                  ConstellationTable[kSecondSerpensRow].defaultName);
    }
    FreeConstellationNames();
    EXPECT_EQ(ConstellationTable[0].displayName, english0);
    EXPECT_EQ(ConstellationTable[2].displayName, ConstellationTable[2].defaultName);
}

TEST(NameTables, MissingStarNameFileLeavesEveryStarItsEnglishName)
{
    ResetAppEnv();
    std::snprintf(gAppEnv->starNameDataFile, kPathSize, "%s/absent-starname.dat", TestHome().c_str());
    LoadStarNames();
    for (int row = 0; row < kStarNameCount; ++row)
        ASSERT_EQ(StarNameTable[row].displayName, StarNameTable[row].defaultName) << row;
    std::string text;
    for (int row = 0; row < kStarNameCount + 5; ++row)
        text += "star " + std::to_string(row) + "\n";
    std::snprintf(gAppEnv->starNameDataFile, kPathSize, "%s", InHome("stars.dat", text).c_str());
    LoadStarNames();
    EXPECT_STREQ(StarNameTable[0].displayName, "star 0");
    EXPECT_EQ(StarNameTable[kStarNameCount - 1].displayName, "star " + std::to_string(kStarNameCount - 1));
    FreeStarNames();
    EXPECT_EQ(StarNameTable[0].displayName, StarNameTable[0].defaultName);
}

}  // namespace
