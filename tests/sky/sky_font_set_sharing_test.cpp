// Font sets named alike are made once: the slots share the set, a slot named
// otherwise has its own, and releasing them frees each set once, so that
// they can be made again.
#include "tests/sky/sky_canvas_fixture.h"

#include <cstring>
#include <set>

using namespace canvastest;

namespace {

TEST(FontSetSharing, SlotsNamedAlikeShareOneSet)
{
    ASSERT_EQ(World().fontsLoaded, 1);
    // The status line gets a name of its own; the rest keep the defaults.
    XrmDatabase database = XtScreenDatabase(XtScreen(World().top));
    XrmPutLineResource(&database, "UVola*StatusFontset: -*-*-bold-r-normal--12-*-*-*-p-*-iso8859-1");
    for (int round = 0; round < 2; ++round) {
        FreeFontSets();
        ASSERT_EQ(LoadFontSets(), 1);
        std::set<XFontSet> distinct;
        for (int i = 0; i < kFontSetCount; ++i) {
            ASSERT_NE(gAppEnv->fontSets[i], nullptr) << FontSetResourceTable[i].name;
            distinct.insert(gAppEnv->fontSets[i]);
            for (int j = 0; j < i; ++j) {
                const bool sameNames = j != kFontStatus - 1 && i != kFontStatus - 1 &&
                                       std::strcmp(FontSetResourceTable[i].defaultValue,
                                                   FontSetResourceTable[j].defaultValue) == 0;
                EXPECT_EQ(gAppEnv->fontSets[i] == gAppEnv->fontSets[j], sameNames)
                    << FontSetResourceTable[i].name << " " << FontSetResourceTable[j].name;
            }
        }
        // Four default names, and the status line's own.
        EXPECT_EQ(distinct.size(), 5u);
    }
    XrmPutLineResource(&database, "UVola*StatusFontset: -*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1");
    FreeFontSets();
    ASSERT_EQ(LoadFontSets(), 1);
}

}  // namespace
