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

std::string TestDir()
{
    return TestHome();
}

// Writes a name file in the test's home; returns its path.
std::string WriteNameFile(const std::string& name, const std::string& text)
{
    const std::string path = TestDir() + "/" + name;
    WriteFile(path, text);
    return path;
}

struct LoadedNames {
    std::vector<char*> names;
    explicit LoadedNames(const std::string& path, int rows) : names(rows)
    {
        LoadNameFile(path.c_str(), rows, names.data());
    }
    ~LoadedNames()
    {
        for (char* name : names) {
            std::free(name);
        }
    }
    std::string At(int row) const { return names[row] != nullptr ? names[row] : "<default>"; }
};

TEST(NameFile, EachLineNamesOneRowAndRowsBeyondTheFileKeepTheirDefault)
{
    std::string text;
    for (int i = 0; i < 10; ++i) {
        text += "Name " + std::to_string(i) + "\n";
    }
    const LoadedNames loaded(WriteNameFile("ten.dat", text), 89);
    EXPECT_EQ(loaded.At(0), "Name 0");
    EXPECT_EQ(loaded.At(9), "Name 9");
    EXPECT_EQ(loaded.names[10], nullptr);
    EXPECT_EQ(loaded.names[88], nullptr);
}

TEST(NameFile, NothingButTheLineEndIsTrimmedAndEmptyLinesAreEmptyNames)
{
    const LoadedNames loaded(WriteNameFile("blanks.dat", "  Orion \t\n\nUrsa Major\n"), 4);
    EXPECT_EQ(loaded.At(0), "  Orion \t");
    EXPECT_EQ(loaded.At(1), "");
    EXPECT_EQ(loaded.At(2), "Ursa Major");
    EXPECT_EQ(loaded.names[3], nullptr);
}

TEST(NameFile, CarriageReturnsOfDosLinesAreDropped)
{
    const LoadedNames loaded(WriteNameFile("dos.dat", "Sirius\r\nCanopus\r\n\r\nVega\r"), 5);
    EXPECT_EQ(loaded.At(0), "Sirius");
    EXPECT_EQ(loaded.At(1), "Canopus");
    EXPECT_EQ(loaded.At(2), "");
    EXPECT_EQ(loaded.At(3), "Vega");
    EXPECT_EQ(loaded.names[4], nullptr);
}

TEST(NameFile, OverLongLineIsSplitIntoTwoNamesNeverOverrun)
{
    const std::string longLine = std::string(127, 'a') + std::string(73, 'b');
    const LoadedNames loaded(WriteNameFile("long.dat", longLine + "\nNext\n"), 4);
    EXPECT_EQ(loaded.At(0), std::string(127, 'a'));
    EXPECT_EQ(loaded.At(1), std::string(73, 'b'));
    EXPECT_EQ(loaded.At(2), "Next");

    // A line of exactly 127 characters is one name; its line feed does not
    // make an empty name of the next row.
    const LoadedNames exact(WriteNameFile("exact.dat", std::string(127, 'c') + "\nAfter\n"), 3);
    EXPECT_EQ(exact.At(0), std::string(127, 'c'));
    EXPECT_EQ(exact.At(1), "After");
    EXPECT_EQ(exact.names[2], nullptr);
}

TEST(NameFile, ExtraLinesAreIgnoredAndALastLineWithoutLineFeedCounts)
{
    const LoadedNames loaded(WriteNameFile("extra.dat", "One\nTwo\nThree\nFour"), 3);
    EXPECT_EQ(loaded.At(2), "Three");
    const LoadedNames last(WriteNameFile("last.dat", "One\nTwo"), 3);
    EXPECT_EQ(last.At(1), "Two");
    EXPECT_EQ(last.names[2], nullptr);
}

TEST(NameFile, MissingOrUnnamedFileGivesNoNames)
{
    const LoadedNames missing(TestDir() + "/no-such-file.dat", 3);
    EXPECT_EQ(missing.names[0], nullptr);
    EXPECT_EQ(missing.names[2], nullptr);
    std::vector<char*> names(2, reinterpret_cast<char*>(1));
    LoadNameFile("", 2, names.data());
    EXPECT_EQ(names[0], nullptr);
    EXPECT_EQ(names[1], nullptr);
}

// A FIFO would hold start-up in its open, /dev/zero would give names of
// NUL bytes: neither is a name file.
TEST(NameFile, SpecialFileGivesNoNames)
{
    const std::string path = TestDir() + "/special.dat";
    for (SpecialFile kind : {SpecialFile::kFifo, SpecialFile::kZeroLink}) {
        ASSERT_TRUE(MakeSpecialFile(path, kind));
        EXPECT_TRUE(FinishesWithin(2.0, [&] {
            const LoadedNames loaded(path, 3);
            return loaded.names[0] == nullptr && loaded.names[2] == nullptr;
        })) << static_cast<int>(kind);
    }
}

TEST(NameFile, LanguageVariantBesideTheFileIsReadWhenThere)
{
    ResetAppEnv();
    const std::string base = WriteNameFile("consname.dat", "Andromeda\n");
    WriteNameFile("consname.dat.ja", "\xa5\xa2\xa5\xf3\xa5\xc9\xa5\xed\xa5\xe1\xa5\xc0\n");
    std::strcpy(gAppEnv->languageCode, "ja");
    char path[kPathSize];
    std::snprintf(path, sizeof path, "%s", base.c_str());
    LocalizeDataPath(path, sizeof path);
    const LoadedNames japanese(path, 1);
    EXPECT_EQ(japanese.At(0), "\xa5\xa2\xa5\xf3\xa5\xc9\xa5\xed\xa5\xe1\xa5\xc0");

    std::strcpy(gAppEnv->languageCode, "de");
    std::snprintf(path, sizeof path, "%s", base.c_str());
    LocalizeDataPath(path, sizeof path);
    const LoadedNames english(path, 1);
    EXPECT_EQ(english.At(0), "Andromeda");
}

TEST(NameTables, FileNamesReplaceTheEnglishOnesUntilFreed)
{
    ResetAppEnv();
    const std::string path = WriteNameFile("cons.dat", "Andromeda-jp\r\nAntlia-jp\n\n");
    std::snprintf(gAppEnv->constDataFile, kPathSize, "%s", path.c_str());
    const char* const english0 = ConstellationTable[0].defaultName;
    LoadConstellationNames();
    EXPECT_STREQ(ConstellationTable[0].displayName, "Andromeda-jp");
    EXPECT_STREQ(ConstellationTable[1].displayName, "Antlia-jp");
    EXPECT_STREQ(ConstellationTable[2].displayName, "");
    EXPECT_EQ(ConstellationTable[3].displayName, ConstellationTable[3].defaultName);
    EXPECT_EQ(ConstellationTable[kSecondSerpensRow].displayName, ConstellationTable[kSecondSerpensRow].defaultName);
    // Loading again replaces the names rather than piling them up.
    LoadConstellationNames();
    EXPECT_STREQ(ConstellationTable[1].displayName, "Antlia-jp");
    FreeConstellationNames();
    EXPECT_EQ(ConstellationTable[0].displayName, english0);
    EXPECT_EQ(ConstellationTable[2].displayName, ConstellationTable[2].defaultName);
}

TEST(NameTables, MissingStarNameFileLeavesEveryStarItsEnglishName)
{
    ResetAppEnv();
    std::snprintf(gAppEnv->starNameDataFile, kPathSize, "%s/absent-starname.dat", TestDir().c_str());
    LoadStarNames();
    for (int row = 0; row < kStarNameCount; ++row) {
        ASSERT_EQ(StarNameTable[row].displayName, StarNameTable[row].defaultName) << row;
    }
    std::string text;
    for (int row = 0; row < kStarNameCount + 5; ++row) {
        text += "star " + std::to_string(row) + "\n";
    }
    std::snprintf(gAppEnv->starNameDataFile, kPathSize, "%s", WriteNameFile("stars.dat", text).c_str());
    LoadStarNames();
    EXPECT_STREQ(StarNameTable[0].displayName, "star 0");
    EXPECT_STREQ(StarNameTable[kStarNameCount - 1].displayName, ("star " + std::to_string(kStarNameCount - 1)).c_str());
    FreeStarNames();
    EXPECT_EQ(StarNameTable[0].displayName, StarNameTable[0].defaultName);
}

}  // namespace
