// The click-data file: its index and lookups over crafted files (entry
// lines in both forms, several texts, pictures with and without a file,
// entries whose target does not parse, over-long lines, CR LF), a failed
// load leaving no click data, a file changed or removed after it was
// loaded, texts
// cut to the picked text, the sample file, and picking an object with
// click data.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/picking.h"
#include "sky/text_list.h"
#include "sky/view/screen_points.h"
#include "tests/harness/test_files.h"
#include "tests/sky/catalog/catalog_ids.h"
#include "tests/sky/sky_view_fixture.h"

#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using catalogtest::NebulaId;
using catalogtest::StarId;
using skytest::MakeScene;
using skytest::ViewSetup;

std::string Optional(const std::optional<std::string>& text)
{
    return text ? *text : "(none)";
}

class ClickData : public ::testing::Test {
protected:
    std::unique_ptr<Scene> scene = MakeScene(ViewSetup{kModeEqt, 800, 600, 0, 60.0, 0, 10.7, 41.3});
    char message[256] = "";

    void TearDown() override { FreeClickData(*scene); }

    // Writes a file, makes it the click-data file in use and loads it.
    int Use(const std::string& text, const std::string& name = "click.cdf")
    {
        const std::string path = TestHome() + "/" + name;
        WriteFile(path, text);
        std::snprintf(gAppEnv->clickDataFile, kPathSize, "%s", path.c_str());
        return Load(path);
    }

    int Load(const std::string& path)
    {
        gAppEnv->errorKey[0] = '\0';
        return LoadClickData(*scene, path.c_str(), message, sizeof message);
    }

    std::vector<ClickDataIndex> Index() const
    {
        std::vector<ClickDataIndex> entries;
        for (const ClickDataIndex* e = scene->clickData; e != nullptr && e->type != -1; ++e) {
            entries.push_back(*e);
        }
        return entries;
    }

    struct Found {
        int found;
        std::string text;
        int hasImage;
    };
    Found Text(int32_t type, int32_t id, size_t size = 600)
    {
        std::vector<char> text(size, 'x');
        int hasImage = 7;
        const int found = FindClickDataText(*scene, type, id, text.data(), size, hasImage);
        return Found{found, found != 0 ? std::string(text.data()) : "", found != 0 ? hasImage : 7};
    }

    std::vector<std::string> Images(int32_t type, int32_t id)
    {
        TextList* list = NewTextList();
        const int added = FindClickDataImages(*scene, type, id, list);
        std::vector<std::string> pairs;
        for (const TextPair& pair : list->items) {
            pairs.push_back(Optional(pair.first) + "|" + Optional(pair.second));
        }
        EXPECT_EQ(added, int(pairs.size()));
        FreeTextList(list);
        return pairs;
    }
};

TEST_F(ClickData, EntryLinesWithAndWithoutABlankNameTheSameObject)
{
    ASSERT_EQ(Use(": M31\n@TEXT One\n:M31\n@TEXT Two\n:  NEBULA   M42\n"), 1);
    const std::vector<ClickDataIndex> index = Index();
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(index[0].type, kObjectNebula);
    EXPECT_EQ(index[0].id, NebulaId("M31"));
    EXPECT_EQ(index[1].type, index[0].type);
    EXPECT_EQ(index[1].id, index[0].id);
    EXPECT_EQ(index[0].offset, 0);
    EXPECT_EQ(index[1].offset, 16);
    EXPECT_EQ(index[2].id, NebulaId("M42"));
    // The first entry of an object is the one read.
    EXPECT_EQ(Text(kObjectNebula, NebulaId("M31")).text, "One");
}

struct LookupRow {
    const char* file;
    int found;
    const char* text;
    int hasImage;
    std::vector<std::string> images;
};

TEST_F(ClickData, TextsAndPicturesOfAnEntry)
{
    const LookupRow rows[] = {
        {":M31\n@TEXT Hello\n@TEXT World\n", 1, "World", 0, {}},
        {":M31\n@text \"Great Spiral\"\n@Image m31.jpg \"The Galaxy\"\n", 1, "Great Spiral", 1,
         {"m31.jpg|The Galaxy"}},
        // A picture line without a file counts as an '@' line, no more.
        {":M31\n@IMAGE\n", 1, "", 0, {}},
        {":M31\n@IMAGE a.jpg\n@IMAGE b.jpg Second\n:M42\n@IMAGE c.jpg\n", 1, "", 1,
         {"a.jpg|(none)", "b.jpg|Second"}},
        {":M31\n@OTHER thing\n", 1, "", 0, {}},
        {":M31\nplain words\n", 0, "", 7, {}},
        {":M31\n# @TEXT commented\n\n@TEXT \"\"\n", 1, "", 0, {}},
        {"\r\n:M31\r\n@TEXT Hello\r\n@IMAGE m.jpg Title\r\n", 1, "Hello", 1, {"m.jpg|Title"}},
        // An empty argument or a quoted one starting with a blank is absent;
        // the words after it still count.
        {":M31\n@IMAGE ,a.jpg\n@TEXT \" spaced\"\n", 1, "", 0, {}},
        {":M31\n@IMAGE m.jpg,,Title\n", 1, "", 1, {"m.jpg|(none)"}},
        // An entry whose target does not parse is skipped with its lines.
        {":NOSUCH\n@TEXT Lost\n@IMAGE lost.jpg\n:M31\n@TEXT Kept\n", 1, "Kept", 0, {}},
    };
    for (const LookupRow& row : rows) {
        SCOPED_TRACE(row.file);
        ASSERT_EQ(Use(row.file), 1);
        const Found found = Text(kObjectNebula, NebulaId("M31"));
        EXPECT_EQ(found.found, row.found);
        EXPECT_EQ(found.text, row.text);
        EXPECT_EQ(found.hasImage, row.hasImage);
        EXPECT_EQ(Images(kObjectNebula, NebulaId("M31")), row.images);
    }
}

TEST_F(ClickData, AFileWithoutEntriesLeavesNoIndexAndNothingIsFound)
{
    for (const char* text : {"", "# nothing\n@TEXT stray\n", ":NOSUCH\n@TEXT x\n", ":\n@TEXT x\n"}) {
        SCOPED_TRACE(text);
        ASSERT_EQ(Use(text), 1);
        EXPECT_EQ(scene->clickData, nullptr);
        EXPECT_EQ(Text(kObjectNebula, NebulaId("M31")).found, 0);
        EXPECT_TRUE(Images(kObjectNebula, NebulaId("M31")).empty());
    }
}

TEST_F(ClickData, AnOverLongLineIsSkippedWholeAndItsTailStartsNoEntry)
{
    // Cut at 2047 characters, this line's tail would read ":M42".
    const std::string longLine = "@TEXT " + std::string(2041, 'x') + ":M42 \n";
    ASSERT_EQ(Use(":M31\n" + longLine + "@TEXT After\n"), 1);
    const std::vector<ClickDataIndex> index = Index();
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(Text(kObjectNebula, NebulaId("M31")).text, "After");
    EXPECT_EQ(Text(kObjectNebula, NebulaId("M42")).found, 0);
    // A line of 2047 characters is read.
    ASSERT_EQ(Use(":M31\n@TEXT " + std::string(2041, 'y') + "\n"), 1);
    EXPECT_EQ(Text(kObjectNebula, NebulaId("M31"), 3000).text, std::string(2041, 'y'));
}

TEST_F(ClickData, TextsAreCutToTheBufferGiven)
{
    ASSERT_EQ(Use(":M31\n@TEXT " + std::string(1500, 't') + "\n"), 1);
    EXPECT_EQ(Text(kObjectNebula, NebulaId("M31"), kPickedTextSize).text, std::string(kPickedTextSize - 1, 't'));
    scene->pickedObject.type = kObjectNebula;
    scene->pickedObject.id = NebulaId("M31");
    ASSERT_NE(ReadPickedClickData(*scene), nullptr);
    EXPECT_EQ(std::strlen(scene->pickedObject.text), size_t(kPickedTextSize - 1));
    EXPECT_EQ(scene->pickedObject.clickDataFlags, kClickDataHasText);
}

// Each row a file that cannot be read whole, with the error that names it;
// the click data in use are released first, so none are left.
TEST_F(ClickData, AFailedLoadLeavesNoClickData)
{
    const std::string sparse = TestHome() + "/huge.cdf";
    WriteFile(sparse, "");
    ASSERT_EQ(truncate(sparse.c_str(), off_t(kMaxClickDataBytes) + 1), 0);
    const struct {
        std::string path;
        const char* error;
    } rows[] = {
        {TestHome() + "/missing.cdf", "stkErrorFileNotFound"},
        {TestHome() + "/" + std::string(300, 'p'), "stkErrorFileNotFound"},
        {"/proc/self/mem", "stkErrorFileNotFound"},   // opens, but every read fails
        {TestHome(), "stkErrorFileNotFound"},
        {sparse, "stkErrorIllegalParam"},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(Use(":M31\n@TEXT Kept\n"), 1);
        EXPECT_EQ(Load(row.path), 0) << row.path;
        EXPECT_STREQ(gAppEnv->errorKey, row.error) << row.path;
        EXPECT_EQ(gAppEnv->errorParam, row.path.substr(0, 39)) << row.path;
        EXPECT_EQ(scene->clickData, nullptr) << row.path;
        EXPECT_EQ(Text(kObjectNebula, NebulaId("M31")).found, 0) << row.path;
    }
}

// What was loaded is kept: a file changed or removed afterwards changes no
// lookup, and no lookup records an error.
TEST_F(ClickData, LoadedClickDataDoNotDependOnTheFile)
{
    ASSERT_EQ(Use(":M31\n@TEXT Andromeda\n@IMAGE m31.jpg\n:M42\n@TEXT Orion\n"), 1);
    WriteFile(gAppEnv->clickDataFile, ":M45\n@TEXT Pleiades\n:M31\n@TEXT Moved\n");
    for (int removed = 0; removed < 2; ++removed) {
        gAppEnv->errorKey[0] = '\0';
        EXPECT_EQ(Text(kObjectNebula, NebulaId("M31")).text, "Andromeda") << removed;
        EXPECT_EQ(Text(kObjectNebula, NebulaId("M42")).text, "Orion") << removed;
        EXPECT_EQ(Images(kObjectNebula, NebulaId("M31")), std::vector<std::string>{"m31.jpg|(none)"}) << removed;
        EXPECT_STREQ(gAppEnv->errorKey, "") << removed;
        std::remove(gAppEnv->clickDataFile);
    }
}

TEST_F(ClickData, ReadingTheFileSwitchesNoSatellitesOn)
{
    scene->jovianMoonFlags = 0;
    ASSERT_EQ(Use(":IO\n@TEXT Volcanic\n"), 1);
    EXPECT_EQ(Text(kObjectJovianMoon, 0).text, "Volcanic");
    EXPECT_EQ(scene->jovianMoonFlags, 0);
}

// The sample file: every entry parses, and picking M31 on the chart fills
// the picked text and both flags from it.
TEST_F(ClickData, PickingTheAndromedaGalaxyReadsItsTextFromTheSampleFile)
{
    std::snprintf(gAppEnv->clickDataFile, kPathSize, "%s", UVOLA_SOURCE_DIR "/data/uvola.cdf");
    ASSERT_EQ(Load(gAppEnv->clickDataFile), 1);
    EXPECT_EQ(Index().size(), 31u);
    for (const ClickDataIndex& entry : Index()) {
        EXPECT_EQ(Text(entry.type, entry.id).found, 1) << entry.type << " " << entry.id;
    }
    EXPECT_EQ(Images(kObjectStar, StarId("alphaOri")), std::vector<std::string>{"orion.jpg|Orion"});

    ProjectedPoint m31{};
    ASSERT_EQ(GetObjectScreenPoint(*scene, kObjectNebula, NebulaId("M31"), 0.0, 0.0, m31), 1);
    scene->displayFlags[kFlagStars] = 0;
    ASSERT_EQ(PickObjectAt(*scene, m31.x + 1, m31.y + 1), 1);
    const PickedObject& picked = scene->pickedObject;
    EXPECT_EQ(picked.type, kObjectNebula);
    EXPECT_EQ(picked.id, NebulaId("M31"));
    EXPECT_STREQ(picked.text, "The Andromeda Galaxy, the most distant object plain to the naked eye.");
    EXPECT_EQ(picked.clickDataFlags, kClickDataHasText | kClickDataHasImage);
}

TEST_F(ClickData, AnObjectWithoutClickDataKeepsThePickedText)
{
    ASSERT_EQ(Use(":M31\n@TEXT Andromeda\n"), 1);
    PickedObject& picked = scene->pickedObject;
    std::strcpy(picked.text, "earlier");
    picked.clickDataFlags = 3;
    picked.type = kObjectNebula;
    picked.id = NebulaId("M42");
    EXPECT_EQ(ReadPickedClickData(*scene), nullptr);
    EXPECT_STREQ(picked.text, "earlier");
    EXPECT_EQ(picked.clickDataFlags, 0);
}

}  // namespace
