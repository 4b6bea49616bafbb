#include "sky/font_sets.h"

#include "core/app_env.h"

#include <X11/Intrinsic.h>
#include <X11/StringDefs.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

const std::array<FontSetResource, kFontSetCount> FontSetResourceTable = {{
    {"StarNameFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"StarMagFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"StarFlamsteedFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"StarBayerNumFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"ConstNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"SolarNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"SolarDateFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"SolarMagFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"SatelliteNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"UserObjectNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"DirNameFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"StatusFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"MoonAgeFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"NebulaNameFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"NebulaMagFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"GridNumFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"ClickDataFontset", "-*-courier-medium-r-normal--12-*-*-*-m-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
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

// A set that lacks some charsets still draws the text it has glyphs for.
// Every set of a locale usually lacks the same charsets, so they are
// gathered over all sets and named once, with the locale, so that the user
// can tell which fonts to install or name.
void NoteMissingCharsets(std::vector<std::string>& all, char** missing, int count)
{
    for (int i = 0; i < count; ++i) {
        if (std::find(all.begin(), all.end(), missing[i]) == all.end()) {
            all.emplace_back(missing[i]);
        }
    }
}

void ReportMissingCharsets(const std::vector<std::string>& missing)
{
    if (missing.empty()) {
        return;
    }
    std::string list;
    for (const std::string& charset : missing) {
        list += (list.empty() ? "" : ", ") + charset;
    }
    const char* locale = std::setlocale(LC_CTYPE, nullptr);
    std::fprintf(stderr, "uvola: locale %s: the fonts lack the charsets %s; labels are drawn with those they have\n",
                 locale != nullptr ? locale : "C", list.c_str());
}

// Fonts of two bytes a character (the Chinese, Japanese and Korean ones of
// a UTF-8 locale) take the server milliseconds to read, and it reads such a
// font again for every set that names it unless the font is open. Each is
// opened once, after the first set that names it, and held until
// FreeFontSets, so the sets after it and the tip shell's find it open.
struct HeldFont {
    std::string name;
    Font font;
};

std::vector<HeldFont> heldFonts;

bool IsTwoByteFont(const XFontStruct& font)
{
    return font.max_byte1 != 0;
}

void HoldTwoByteFonts(XFontSet set)
{
    XFontStruct** fonts = nullptr;
    char** names = nullptr;
    const int count = XFontsOfFontSet(set, &fonts, &names);
    for (int i = 0; i < count; ++i) {
        const bool held = std::any_of(heldFonts.begin(), heldFonts.end(),
                                      [&](const HeldFont& font) { return font.name == names[i]; });
        if (!held && IsTwoByteFont(*fonts[i])) {
            heldFonts.push_back(HeldFont{names[i], XLoadFont(gAppEnv->display, names[i])});
        }
    }
}

void ReleaseHeldFonts()
{
    for (const HeldFont& font : heldFonts) {
        XUnloadFont(gAppEnv->display, font.font);
    }
    heldFonts.clear();
}

bool CreateOneFontSet(int slot, const char* baseName, std::vector<std::string>& missingCharsets)
{
    char** missing = nullptr;
    int missingCount = 0;
    char* defaultString = nullptr;
    XFontSet set = XCreateFontSet(gAppEnv->display, baseName, &missing, &missingCount, &defaultString);
    NoteMissingCharsets(missingCharsets, missing, missingCount);
    if (missing != nullptr) {
        XFreeStringList(missing);
    }
    gAppEnv->fontSets[slot] = set;
    gAppEnv->fontSetExtents[slot] = set != nullptr ? XExtentsOfFontSet(set) : nullptr;
    if (set != nullptr) {
        HoldTwoByteFonts(set);
    }
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

// The slot before `slot` whose set was made from the same base names; -1
// when there is none. Seventeen sets come from four base names by default,
// and each set made costs a dozen round trips to the server.
int SlotWithSameNames(const std::array<String, kResourceCount>& names, int slot)
{
    for (int i = 0; i < slot; ++i) {
        if (gAppEnv->fontSets[i] != nullptr && std::strcmp(names[i], names[slot]) == 0) {
            return i;
        }
    }
    return -1;
}

bool SharedWithEarlierSlot(int slot)
{
    for (int i = 0; i < slot; ++i) {
        if (gAppEnv->fontSets[i] == gAppEnv->fontSets[slot]) {
            return true;
        }
    }
    return false;
}

int LogicalHeight(int slot)
{
    const XFontSetExtents* extents = gAppEnv->fontSetExtents[slot];
    return extents != nullptr ? extents->max_logical_extent.height : 0;
}

}  // namespace

int LoadFontSets()
{
    std::array<String, kResourceCount> names = ReadFontResources();
    bool ok = true;
    std::vector<std::string> missingCharsets;
    for (int i = 0; i < kFontSetCount; ++i) {
        if (names[i] == nullptr) {
            names[i] = const_cast<String>(FontSetResourceTable[i].defaultValue);
        }
        const int same = SlotWithSameNames(names, i);
        if (same >= 0) {
            gAppEnv->fontSets[i] = gAppEnv->fontSets[same];
            gAppEnv->fontSetExtents[i] = gAppEnv->fontSetExtents[same];
            continue;
        }
        ok = CreateOneFontSet(i, names[i], missingCharsets) && ok;
    }
    ReportMissingCharsets(missingCharsets);
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
        if (gAppEnv->fontSets[i] != nullptr && !SharedWithEarlierSlot(i)) {
            XFreeFontSet(display, gAppEnv->fontSets[i]);
        }
    }
    for (int i = 0; i < kFontSetCount; ++i) {
        gAppEnv->fontSets[i] = nullptr;
        gAppEnv->fontSetExtents[i] = nullptr;
    }
    ReleaseHeldFonts();
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
