// The icon buttons' pictures: each parses with libXpm at its size, the set
// keeps to one small palette, the greyed pictures really are grey, and each
// picture becomes a pixmap whose every pixel has the colour its grid names,
// with the button's background where the grid is transparent. The program
// runs on a 24-bit TrueColor server and again on an 8-bit PseudoColor one.
#include "data/image_viewer_icons.h"
#include "data/info_box_icons.h"
#include "data/step_box_icons.h"
#include "data/toolbar_icons.h"

// Before Xlib, whose None and Bool macros break GoogleTest's templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/xpm.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Icon {
    std::string name;
    XpmIconData data;
    int width;
    int height;
};

// The toolbar rows whose buttons turn insensitive and show a greyed picture.
const std::set<int> kGreyedToolbarRows = {10, 11, 12, 13, 24, 25, 26};

// Every picture with its greyed twin where it has one.
std::vector<std::pair<Icon, Icon>> GreyedPairs()
{
    std::vector<std::pair<Icon, Icon>> pairs;
    for (int i : kGreyedToolbarRows) {
        const std::string name = "toolbar " + std::to_string(i);
        pairs.push_back({{name, kToolbarIcons[i], 16, 15},
                         {name + " greyed", kToolbarInsensitiveIcons[i], 16, 15}});
    }
    pairs.push_back({{"info box Image", kInfoBoxIcons[4], 16, 15},
                     {"info box Image greyed", kInfoBoxImageInsensitiveIcon, 16, 15}});
    pairs.push_back({{"viewer Prev", kImageViewerPrevIcon, 17, 15},
                     {"viewer Prev greyed", kImageViewerPrevInsensitiveIcon, 17, 15}});
    pairs.push_back({{"viewer Next", kImageViewerNextIcon, 17, 15},
                     {"viewer Next greyed", kImageViewerNextInsensitiveIcon, 17, 15}});
    return pairs;
}

std::vector<Icon> ImageViewerIcons()
{
    return {{"viewer Close", kImageViewerCloseIcon, 17, 15},
            {"viewer Prev", kImageViewerPrevIcon, 17, 15},
            {"viewer Next", kImageViewerNextIcon, 17, 15},
            {"viewer Prev greyed", kImageViewerPrevInsensitiveIcon, 17, 15},
            {"viewer Next greyed", kImageViewerNextInsensitiveIcon, 17, 15}};
}

std::vector<Icon> AllIcons()
{
    std::vector<Icon> icons;
    for (int i = 0; i < 27; ++i) {
        icons.push_back({"toolbar " + std::to_string(i), kToolbarIcons[i], 16, 15});
        if (kToolbarInsensitiveIcons[i] != nullptr) {
            icons.push_back({"toolbar " + std::to_string(i) + " greyed", kToolbarInsensitiveIcons[i], 16, 15});
        }
    }
    for (int i = 0; i < 5; ++i) {
        icons.push_back({"info box " + std::to_string(i), kInfoBoxIcons[i], 16, 15});
    }
    icons.push_back({"info box Image greyed", kInfoBoxImageInsensitiveIcon, 16, 15});
    icons.push_back({"step box minus", kStepBoxMinusIcon, 14, 14});
    icons.push_back({"step box plus", kStepBoxPlusIcon, 14, 14});
    for (const Icon& icon : ImageViewerIcons()) {
        icons.push_back(icon);
    }
    return icons;
}

char** XpmData(XpmIconData data)
{
    return const_cast<char**>(data);   // libXpm only reads it
}

// One picture as libXpm parses it, without a display.
struct ParsedIcon {
    XpmImage image{};
    int status;

    explicit ParsedIcon(XpmIconData data) : status(XpmCreateXpmImageFromData(XpmData(data), &image, nullptr)) {}
    ~ParsedIcon()
    {
        if (status == XpmSuccess) {
            XpmFreeXpmImage(&image);
        }
    }
    ParsedIcon(const ParsedIcon&) = delete;
    ParsedIcon& operator=(const ParsedIcon&) = delete;

    const char* ColourAt(int x, int y) const
    {
        return image.colorTable[image.data[y * image.width + x]].c_color;
    }
};

bool IsTransparent(const char* colour)
{
    return strcasecmp(colour, "None") == 0;
}

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb&) const = default;
};

// The palette writes every colour as "#RRGGBB".
bool ParseHexColour(const char* text, Rgb& rgb)
{
    if (std::strlen(text) != 7 || text[0] != '#') {
        return false;
    }
    char* end = nullptr;
    const unsigned long value = std::strtoul(text + 1, &end, 16);
    rgb = {static_cast<int>(value >> 16 & 0xFF), static_cast<int>(value >> 8 & 0xFF), static_cast<int>(value & 0xFF)};
    return *end == '\0';
}

TEST(IconDataTest, EveryPictureParsesAtItsSize)
{
    for (const Icon& icon : AllIcons()) {
        ASSERT_NE(icon.data, nullptr) << icon.name;
        ParsedIcon parsed(icon.data);
        ASSERT_EQ(parsed.status, XpmSuccess) << icon.name;
        EXPECT_EQ(static_cast<int>(parsed.image.width), icon.width) << icon.name;
        EXPECT_EQ(static_cast<int>(parsed.image.height), icon.height) << icon.name;
    }
}

TEST(IconDataTest, OnlyTheRowsThatTurnInsensitiveHaveAGreyedPicture)
{
    for (int i = 0; i < 27; ++i) {
        EXPECT_EQ(kToolbarInsensitiveIcons[i] != nullptr, kGreyedToolbarRows.count(i) == 1) << "row " << i;
    }
}

TEST(IconDataTest, TheWholeSetSharesEightColoursBesidesTransparency)
{
    std::set<std::string> colours;
    for (const Icon& icon : AllIcons()) {
        ParsedIcon parsed(icon.data);
        ASSERT_EQ(parsed.status, XpmSuccess) << icon.name;
        for (unsigned i = 0; i < parsed.image.ncolors; ++i) {
            const char* colour = parsed.image.colorTable[i].c_color;
            Rgb rgb{};
            ASSERT_TRUE(IsTransparent(colour) || ParseHexColour(colour, rgb)) << icon.name << ": " << colour;
            if (!IsTransparent(colour)) {
                colours.insert(colour);
            }
        }
    }
    EXPECT_LE(colours.size(), 8u);
}

TEST(IconDataTest, ImageViewerPicturesHaveThreeColoursEach)
{
    for (const Icon& icon : ImageViewerIcons()) {
        ParsedIcon parsed(icon.data);
        ASSERT_EQ(parsed.status, XpmSuccess) << icon.name;
        EXPECT_EQ(parsed.image.ncolors, 3u) << icon.name;
    }
}

// Greyed means: no hue left anywhere, and a picture that differs from its
// normal one while keeping its shape readable (some ink remains).
TEST(IconDataTest, GreyedPicturesAreGreyAndDifferFromTheirNormalOnes)
{
    for (const auto& [normal, greyed] : GreyedPairs()) {
        ParsedIcon a(normal.data);
        ParsedIcon b(greyed.data);
        ASSERT_EQ(a.status, XpmSuccess) << normal.name;
        ASSERT_EQ(b.status, XpmSuccess) << greyed.name;
        ASSERT_EQ(a.image.width, b.image.width) << greyed.name;
        ASSERT_EQ(a.image.height, b.image.height) << greyed.name;
        int differing = 0;
        int ink = 0;
        for (unsigned y = 0; y < b.image.height; ++y) {
            for (unsigned x = 0; x < b.image.width; ++x) {
                const char* colour = b.ColourAt(x, y);
                differing += strcasecmp(colour, a.ColourAt(x, y)) != 0;
                Rgb rgb{};
                if (!IsTransparent(colour) && ParseHexColour(colour, rgb)) {
                    EXPECT_TRUE(rgb.red == rgb.green && rgb.green == rgb.blue) << greyed.name << ": " << colour;
                    ink += rgb.red < 0xFF;
                }
            }
        }
        EXPECT_GT(differing, 0) << greyed.name;
        EXPECT_GT(ink, 10) << greyed.name;
    }
}

// The X half: each picture made into a pixmap the way the buttons make
// theirs, with the transparent colour given the button's background.
class IconPixmapTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "needs an X server";
        const int screen = DefaultScreen(display);
        XColor grey{};
        grey.red = grey.green = grey.blue = 0xC4C4;
        ASSERT_TRUE(XAllocColor(display, DefaultColormap(display, screen), &grey));
        background = grey.pixel;
    }
    static void TearDownTestSuite() { XCloseDisplay(display); }

    static Rgb ColourOfPixel(unsigned long pixel)
    {
        XColor colour{};
        colour.pixel = pixel;
        XQueryColor(display, DefaultColormap(display, DefaultScreen(display)), &colour);
        return {colour.red >> 8, colour.green >> 8, colour.blue >> 8};
    }

    static inline Display* display = nullptr;
    static inline unsigned long background = 0;
};

TEST_F(IconPixmapTest, EveryPixelHasTheColourItsGridNames)
{
    const int depth = DefaultDepth(display, DefaultScreen(display));
    char none[] = "None";
    XpmColorSymbol transparent{nullptr, none, background};
    for (const Icon& icon : AllIcons()) {
        XpmAttributes attributes{};
        attributes.colorsymbols = &transparent;
        attributes.numsymbols = 1;
        attributes.valuemask = XpmColorSymbols;
        Pixmap pixmap = 0;
        const Window root = DefaultRootWindow(display);
        ASSERT_EQ(XpmCreatePixmapFromData(display, root, XpmData(icon.data), &pixmap, nullptr, &attributes),
                  XpmSuccess)
            << icon.name << " at depth " << depth;
        EXPECT_EQ(static_cast<int>(attributes.width), icon.width) << icon.name;
        EXPECT_EQ(static_cast<int>(attributes.height), icon.height) << icon.name;

        XImage* shot = XGetImage(display, pixmap, 0, 0, icon.width, icon.height, AllPlanes, ZPixmap);
        ASSERT_NE(shot, nullptr) << icon.name;
        ParsedIcon parsed(icon.data);
        ASSERT_EQ(parsed.status, XpmSuccess) << icon.name;
        int wrong = 0;
        for (int y = 0; y < icon.height; ++y) {
            for (int x = 0; x < icon.width; ++x) {
                const char* want = parsed.ColourAt(x, y);
                const unsigned long pixel = XGetPixel(shot, x, y);
                Rgb rgb{};
                const bool right = IsTransparent(want) ? pixel == background
                                                       : ParseHexColour(want, rgb) && ColourOfPixel(pixel) == rgb;
                wrong += !right;
            }
        }
        EXPECT_EQ(wrong, 0) << icon.name << " at depth " << depth;
        XDestroyImage(shot);
        XFreePixmap(display, pixmap);
        XpmFreeAttributes(&attributes);
    }
}

}  // namespace
