#include "sky/font_sets.h"

#include "core/app_env.h"

#include <X11/Intrinsic.h>
#include <X11/StringDefs.h>
#include <X11/Xlib.h>
#include <cstdio>

const std::array<FontSetResource, kFontSetCount> FontSetResourceTable = {{
    {"StarNameFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1"},
    {"StarMagFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1"},
    {"StarFlamsteedFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1"},
    {"StarBayerNumFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1"},
    {"ConstNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1"},
    {"SolarNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1"},
    {"SolarDateFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1"},
    {"SolarMagFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1"},
    {"SatelliteNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1"},
    {"UserObjectNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1"},
    {"DirNameFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1"},
    {"StatusFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1"},
    {"MoonAgeFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1"},
    {"NebulaNameFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1"},
    {"NebulaMagFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1"},
    {"GridNumFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1"},
    {"ClickDataFontset", "-*-courier-medium-r-normal--12-*-*-*-m-*-iso8859-1"},
}};

const FontSetResource StarBayerFontResource = {"StarBayerFont",
                                               "-*-symbol-medium-r-normal--12-*-*-*-p-*-*-*"};

namespace {

constexpr int kResourceCount = kFontSetCount + 1;   // the font sets, then StarBayerFont

XtResource NameResource(const FontSetResource& resource, int slot)
{
    return XtResource{
        const_cast<char*>(resource.name),
        const_cast<char*>("Name"),
        const_cast<char*>(XtRString),
        sizeof(String),
        static_cast<Cardinal>(slot * sizeof(String)),
        const_cast<char*>(XtRString),
        const_cast<char*>(resource.defaultValue),
    };
}

std::array<String, kResourceCount> ReadFontResources()
{
    std::array<XtResource, kResourceCount> resources{};
    for (int i = 0; i < kFontSetCount; ++i) {
        resources[i] = NameResource(FontSetResourceTable[i], i);
    }
    resources[kFontSetCount] = NameResource(StarBayerFontResource, kFontSetCount);
    std::array<String, kResourceCount> values{};
    XtGetApplicationResources(gAppEnv->toplevel, values.data(), resources.data(), kResourceCount,
                              nullptr, 0);
    return values;
}

// A set that lacks some charsets still draws the text it has glyphs for;
// the locale's other charsets are listed so that the user can name fonts
// that cover them.
void ReportMissingCharsets(const char* baseName, char** missing, int count)
{
    std::fprintf(stderr, "uvola: missing charsets for %s\n", baseName);
    for (int i = 0; i < count; ++i) {
        std::fprintf(stderr, "uvola: %s\n", missing[i]);
    }
}

bool CreateOneFontSet(int slot, const char* baseName)
{
    char** missing = nullptr;
    int missingCount = 0;
    char* defaultString = nullptr;
    XFontSet set = XCreateFontSet(gAppEnv->display, baseName, &missing, &missingCount, &defaultString);
    if (missingCount > 0) {
        ReportMissingCharsets(baseName, missing, missingCount);
    }
    if (missing != nullptr) {
        XFreeStringList(missing);
    }
    gAppEnv->fontSets[slot] = set;
    gAppEnv->fontSetExtents[slot] = set != nullptr ? XExtentsOfFontSet(set) : nullptr;
    return set != nullptr;
}

// AppEnv holds the symbol font by value; the pieces XLoadQueryFont
// allocated beside the record are released by FreeFontSets.
bool LoadSymbolFont(const char* name)
{
    XFontStruct* font = XLoadQueryFont(gAppEnv->display, name);
    if (font == nullptr) {
        return false;
    }
    gAppEnv->starBayerFont = *font;
    XFree(font);
    return true;
}

int LogicalHeight(int slot)
{
    const XFontSetExtents* extents = gAppEnv->fontSetExtents[slot];
    return extents != nullptr ? extents->max_logical_extent.height : 0;
}

}  // namespace

int LoadFontSets()
{
    const std::array<String, kResourceCount> names = ReadFontResources();
    bool ok = true;
    for (int i = 0; i < kFontSetCount; ++i) {
        const char* baseName = names[i] != nullptr ? names[i] : FontSetResourceTable[i].defaultValue;
        ok = CreateOneFontSet(i, baseName) && ok;
    }
    const char* symbolName = names[kFontSetCount] != nullptr ? names[kFontSetCount]
                                                               : StarBayerFontResource.defaultValue;
    ok = LoadSymbolFont(symbolName) && ok;
    gAppEnv->fontAscent = DirectionFontHeight();
    return ok ? 1 : 0;
}

void FreeFontSets()
{
    Display* display = gAppEnv->display;
    for (int i = 0; i < kFontSetCount; ++i) {
        if (gAppEnv->fontSets[i] != nullptr) {
            XFreeFontSet(display, gAppEnv->fontSets[i]);
        }
        gAppEnv->fontSets[i] = nullptr;
        gAppEnv->fontSetExtents[i] = nullptr;
    }
    XFontStruct& symbol = gAppEnv->starBayerFont;
    if (symbol.fid != 0) {
        XUnloadFont(display, symbol.fid);
        XFree(symbol.per_char);
        XFree(symbol.properties);
    }
    symbol = XFontStruct{};
}

int DirectionFontHeight()
{
    return LogicalHeight(kFontDirName - 1);
}

int StatusLineHeight()
{
    return LogicalHeight(kFontStatus - 1) * 12 / 10;
}
