// The font sets in the C locale and in a UTF-8 locale: created without a
// word when the installed fonts cover every charset, the charsets really
// missing reported once, start-up not stopped. Only a set that cannot be
// made at all fails.
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/label_styles.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include <unistd.h>

using namespace canvastest;

namespace {

// Standard error while `body` runs.
template <typename Body>
std::string CaptureStderr(Body body)
{
    std::fflush(stderr);
    char path[] = "/tmp/uvola-fonts-XXXXXX";
    const int file = mkstemp(path);
    const int saved = dup(2);
    dup2(file, 2);
    body();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::string text;
    char buffer[4096];
    lseek(file, 0, SEEK_SET);
    ssize_t n;
    while ((n = read(file, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(n));
    }
    close(file);
    unlink(path);
    return text;
}

void ExpectAllSetsMade()
{
    for (int i = 0; i < kFontSetCount; ++i) {
        EXPECT_NE(gAppEnv->fontSets[i], nullptr) << FontSetResourceTable[i].name;
        ASSERT_NE(gAppEnv->fontSetExtents[i], nullptr) << FontSetResourceTable[i].name;
        EXPECT_GT(gAppEnv->fontSetExtents[i]->max_logical_extent.height, 0) << FontSetResourceTable[i].name;
    }
    EXPECT_NE(gAppEnv->starBayerFont.fid, 0u);
}

class FontSetTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        FreeFontSets();
        std::setlocale(LC_CTYPE, "C");
    }
};

TEST_F(FontSetTest, CLocaleGivesEveryFontSetAndTheSymbolFontWithoutComplaint)
{
    ASSERT_NE(World().top, nullptr);
    FreeFontSets();
    int result = 0;
    const std::string errors = CaptureStderr([&] { result = LoadFontSets(); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(errors, "");
    ExpectAllSetsMade();
    // The 12-pixel fonts are taller than the 8-pixel ones.
    EXPECT_GT(gAppEnv->fontSetExtents[kFontStarName - 1]->max_logical_extent.height,
              gAppEnv->fontSetExtents[kFontStarMag - 1]->max_logical_extent.height);
    const int statusHeight = gAppEnv->fontSetExtents[kFontStatus - 1]->max_logical_extent.height;
    EXPECT_EQ(StatusLineHeight(), statusHeight * 12 / 10);
    EXPECT_EQ(gAppEnv->fontAscent, DirectionFontHeight());
    EXPECT_GT(DirectionFontHeight(), 8);
    // The symbol font has the Greek letters where the symbol encoding puts them.
    EXPECT_GE(gAppEnv->starBayerFont.max_char_or_byte2, static_cast<unsigned>('w'));
}

// In C.UTF-8 the default base names, each followed by the charcell fonts
// that cover the charsets no proportional font has, leave nothing missing
// and nothing to report. Three slots named alike without that fallback
// miss charsets for real: their one set is reported once, its base names
// on the first line and each missing charset on a line of its own, and the
// sets are kept.
TEST_F(FontSetTest, Utf8LocaleMissesNoCharsetAndReportsOnlyRealGapsOnce)
{
    ASSERT_NE(World().top, nullptr);
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    ASSERT_TRUE(XSupportsLocale());
    XrmDatabase database = XtScreenDatabase(gAppEnv->screen);
    const char* const proportionalOnly = "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1";
    for (bool gaps : {true, false}) {
        SCOPED_TRACE(gaps ? "proportional fonts only" : "defaults");
        for (const char* resource : {"StarNameFontset", "StatusFontset", "DirNameFontset"}) {
            const std::string value = gaps ? proportionalOnly : FontSetResourceTable[kFontStatus - 1].defaultValue;
            XrmPutLineResource(&database, (std::string("UVola*") + resource + ": " + value).c_str());
        }
        FreeFontSets();
        int result = 0;
        // Start-up makes the direction letters' set, the rest come after.
        const std::string errors = CaptureStderr([&] { result = LoadStartupFonts() + LoadFontSets(); });
        EXPECT_EQ(result, 2);
        ExpectAllSetsMade();
        if (!gaps) {
            EXPECT_EQ(errors, "");
            continue;
        }
        const std::string header = std::string("uvola: missing charsets for ") + proportionalOnly + "\n";
        ASSERT_EQ(errors.rfind(header, 0), 0u) << errors;
        std::vector<std::string> charsets;
        for (size_t at = header.size(); at < errors.size();) {
            const size_t end = errors.find('\n', at);
            ASSERT_NE(end, std::string::npos) << errors;
            ASSERT_EQ(errors.compare(at, 7, "uvola: "), 0) << errors;
            charsets.push_back(errors.substr(at + 7, end - at - 7));
            at = end + 1;
        }
        for (const char* charset : {"ISO8859-7", "JISX0208.1983-0", "GB2312.1980-0"}) {
            EXPECT_EQ(std::count(charsets.begin(), charsets.end(), charset), 1) << charset << "\n" << errors;
        }
        EXPECT_EQ(std::count(charsets.begin(), charsets.end(), "ISO8859-2"), 0)
            << "the proportional fonts have it: " << errors;
    }
}

// Start-up makes the direction letters' set (with the slots named alike)
// and the symbol font; every other set waits for its first use, and
// LoadFontSets keeps those made before.
TEST_F(FontSetTest, StartupMakesTheDirectionSetAndTheOthersAtFirstUse)
{
    ASSERT_NE(World().top, nullptr);
    FreeFontSets();
    ASSERT_EQ(LoadStartupFonts(), 1);
    EXPECT_NE(gAppEnv->starBayerFont.fid, 0u);
    EXPECT_EQ(gAppEnv->fontAscent, DirectionFontHeight());
    const char* const directionNames = FontSetResourceTable[kFontDirName - 1].defaultValue;
    for (int i = 0; i < kFontSetCount; ++i)
        EXPECT_EQ(gAppEnv->fontSets[i] != nullptr,
                  std::strcmp(FontSetResourceTable[i].defaultValue, directionNames) == 0)
            << FontSetResourceTable[i].name;
    const XFontSet direction = GetFontSet(kFontDirName);
    const XFontSet moonAge = GetFontSet(kFontMoonAge);
    ASSERT_NE(moonAge, nullptr);
    EXPECT_EQ(gAppEnv->fontSets[kFontStarMag - 1], moonAge);
    EXPECT_EQ(gAppEnv->fontSets[kFontConstName - 1], nullptr);
    EXPECT_EQ(LoadFontSets(), 1);
    ExpectAllSetsMade();
    EXPECT_EQ(gAppEnv->fontSets[kFontDirName - 1], direction);
    EXPECT_EQ(gAppEnv->fontSets[kFontMoonAge - 1], moonAge);
}

// A font set that cannot be made, or no symbol font, fails the loading;
// the other sets are still made.
TEST_F(FontSetTest, FontThatCannotBeMadeFailsButTheOthersAreStillMade)
{
    World();
    XrmDatabase database = XtScreenDatabase(gAppEnv->screen);
    for (auto [resource, missing, restored] :
         {std::tuple{"NebulaNameFontset", int{kFontNebulaName}, "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1"},
          {"StarBayerFont", 0, "-*-symbol-medium-r-normal--12-*-*-*-p-*-*-*"}}) {
        const std::string line = std::string("UVola*") + resource + ": ";
        XrmPutLineResource(&database, (line + "-nosuchfoundry-nosuchfamily-*").c_str());
        FreeFontSets();
        EXPECT_EQ(LoadFontSets(), 0) << resource;
        XrmPutLineResource(&database, (line + restored).c_str());
        EXPECT_EQ(gAppEnv->starBayerFont.fid == 0, missing == 0) << resource;
        for (int set : {kFontNebulaName, kFontNebulaMag, kFontClickData, kFontStatus})
            EXPECT_EQ(gAppEnv->fontSets[set - 1] == nullptr, set == missing) << resource << " " << set;
    }
}

// Rows use font sets 1..16 in order; the click-data set is not a label's.
TEST(LabelStyles, EachLabelHasItsColourAndAFontSetOfTheChart)
{
    for (auto [label, colour] : {std::pair{kLabelConstName, kColorConstNameFont}, {kLabelDirection, kColorDirection1Font},
                                 {kLabelMoonAge, kColorStatusFont}, {kLabelNebulaName, kColorNebulaNameFont}})
        EXPECT_EQ(LabelStyleTable[label].color, colour) << label;
    for (int row = 0; row < kLabelKindCount; ++row)
        EXPECT_EQ(LabelStyleTable[row].fontSet, row + 1) << row;
}

}  // namespace
