#include "sky/colors.h"

#include "core/app_env.h"
#include "core/app_resources.h"
#include "sky/redraw_shortcuts.h"
#include "sky/true_color.h"
#include "sky/view/daylight.h"

#include <X11/StringDefs.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

const std::array<ColorResource, kColorResourceCount> ColorResourceTable = {{
    {"ColorWhite", "#FFFFFF"},
    {"ColorBlack", "#000000"},
    {"ColorStar0", "#DFDFFF"},
    {"ColorStar1", "#E4E4F9"},
    {"ColorStar2", "#E9E9F4"},
    {"ColorStar3", "#EFEFEF"},
    {"ColorStar4", "#F4F4DF"},
    {"ColorStar5", "#F9F9CF"},
    {"ColorStar6", "#FFFFBF"},
    {"ColorStar7", "#FFE9B4"},
    {"ColorStar8", "#FFD4A9"},
    {"ColorStar9", "#FFBF9F"},
    {"ColorDarkStar", "#7F7F7F"},
    {"ColorStarNameFont", "#FFFFFF"},
    {"ColorStarMagFont", "#FFFFFF"},
    {"ColorStarFlamsteedFont", "#FFFFFF"},
    {"ColorStarBayerFont", "#FFFFFF"},
    {"ColorStarBayerNumFont", "#FFFFFF"},
    {"ColorMilkyWayLine", "#2C8A92"},
    {"ColorCometIonTail", "#2C6CA6"},
    {"ColorCometDulstTail", "#544878"},
    {"ColorConstLine", "#244382"},
    {"ColorConstBorder", "#23305D"},
    {"ColorConstPict", "#292951"},
    {"ColorConstNameFont", "#00FFFF"},
    {"ColorNebulaMark", "#4DC07E"},
    {"ColorNabulaNameFont", "#FFFFFF"},
    {"ColorNebulaMagFont", "#FFFFFF"},
    {"ColorEarth", "#8080FF"},
    {"ColorMoonEclipse", "#B45B21"},
    {"ColorPlanet", "#FFFFFF"},
    {"ColorMinorPlanet", "#FFFFFF"},
    {"ColorMarsDisk", "#FF8000"},
    {"ColorJupiterDisk", "#FAE6B4"},
    {"ColorSaturnDisk", "#FFE5B7"},
    {"ColorSaturnRingA", "#C2AF85"},
    {"ColorSaturnRingB", "#DCD2BB"},
    {"ColorOuterPlanetsDisk", "#02C7AE"},
    {"ColorSolarNameFont", "#FFFF00"},
    {"ColorSolarDateFont", "#FFFFFF"},
    {"ColorSolarMagFont", "#FFFFFF"},
    {"ColorSatelliteNameFont", "#FFFF00"},
    {"ColorPlanisphereBack", "#000058"},
    {"ColorLandscape", "#202020"},
    {"ColorDirection1Font", "#FF0000"},
    {"ColorDirection2Font", "#C0C0C0"},
    {"ColorGlobeBack", "#00006A"},
    {"ColorUserObjectFont", "#FFFFFF"},
    {"ColorHorizontalGrid", "#40407F"},
    {"ColorEquatorialGrid", "#40407F"},
    {"ColorEclipticGrid", "#40407F"},
    {"ColorGalacticGrid", "#40407F"},
    {"ColorMeridianLine", "#40407F"},
    {"ColorEquatorialLine", "#9F3535"},
    {"ColorEclipticLine", "#B6B63D"},
    {"ColorGalacticLine", "#C0C0C0"},
    {"ColorGridNumFont", "#808080"},
    {"ColorStatusFont", "#000000"},
    {"ColorStatusBackground", "#C0C0C0"},
    {"ColorOrbit", "#404080"},
    {"ColorOrbitMinorPlanet", "#5E2080"},
    {"ColorOrbitComet", "#205E80"},
    {"ColorSolarAxis", "#408080"},
    {"ColorGrayText", "#000000"},
    {"ColorPictureMark", "#FFA000"},
}};

const std::array<Rgb8, kColorResourceCount> FallbackColorTable = {{
    {0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x00}, {0xDF, 0xDF, 0xFF}, {0xE4, 0xE4, 0xF9},
    {0xE9, 0xE9, 0xF4}, {0xEF, 0xEF, 0xEF}, {0xF4, 0xF4, 0xDF}, {0xF9, 0xF9, 0xCF},
    {0xFF, 0xFF, 0xBF}, {0xFF, 0xE9, 0xB4}, {0xFF, 0xD4, 0xA9}, {0xFF, 0xBF, 0x9F},
    {0x7F, 0x7F, 0x7F}, {0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}, {0x2C, 0x8A, 0x92}, {0x2C, 0x6C, 0xA6},
    {0x54, 0x48, 0x78}, {0x24, 0x43, 0x82}, {0x23, 0x30, 0x5D}, {0x29, 0x29, 0x51},
    {0x00, 0xFF, 0xFF}, {0x4D, 0xC0, 0x7E}, {0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
    {0x80, 0x80, 0xFF}, {0xB4, 0x5B, 0x21}, {0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
    {0xFF, 0x80, 0x00}, {0xFA, 0xE6, 0xB4}, {0xFF, 0xE5, 0xB7},
    {0xFF, 0xE5, 0xB7},   // ColorSaturnRingA
    {0xC2, 0xAF, 0x85},   // ColorSaturnRingB
    {0x02, 0xC7, 0xAE}, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
    {0xFF, 0xFF, 0x00}, {0x00, 0x00, 0x58}, {0x20, 0x20, 0x20}, {0xFF, 0x00, 0x00},
    {0xC0, 0xC0, 0xC0}, {0x00, 0x00, 0x6A}, {0xFF, 0xFF, 0xFF}, {0x40, 0x40, 0x7F},
    {0x40, 0x40, 0x7F}, {0x40, 0x40, 0x7F}, {0x40, 0x40, 0x7F}, {0x40, 0x40, 0x7F},
    {0x9F, 0x35, 0x35}, {0xB6, 0xB6, 0x3D}, {0xC0, 0xC0, 0xC0}, {0x80, 0x80, 0x80},
    {0x00, 0x00, 0x00}, {0xC0, 0xC0, 0xC0}, {0x40, 0x40, 0x80}, {0x5E, 0x20, 0x80},
    {0x20, 0x5E, 0x80}, {0x40, 0x80, 0x80}, {0x00, 0x00, 0x00}, {0xFF, 0xA0, 0x00},
}};

namespace {

// Grey of the ramp cells until the first redraw colours them.
constexpr Rgb8 kRampStartGrey{192, 192, 192};

// A colour whose components all need the server's rounding: when the pixel
// worked out from the masks matches the server's for it, the masks are
// trusted for every colour.
constexpr unsigned short kProbeRed = 0x1234;
constexpr unsigned short kProbeGreen = 0x89AB;
constexpr unsigned short kProbeBlue = 0xFEDC;

// Whether this TrueColor screen's pixels can be worked out from its masks.
bool gTrueColorMasksAgree = false;

// The colour each ramp cell holds now: a redraw asks only for the cells
// whose colour changed.
std::array<Rgb8, kRampCellCount> gRampColors{};

XColor XColorOf(const Rgb8& rgb)
{
    XColor color{};
    color.red = static_cast<unsigned short>(std::clamp(rgb.red, 0, 255) * 256);
    color.green = static_cast<unsigned short>(std::clamp(rgb.green, 0, 255) * 256);
    color.blue = static_cast<unsigned short>(std::clamp(rgb.blue, 0, 255) * 256);
    color.flags = DoRed | DoGreen | DoBlue;
    return color;
}

Visual* ScreenVisual() { return DefaultVisual(gAppEnv->display, DefaultScreen(gAppEnv->display)); }
int ScreenDepth() { return DefaultDepth(gAppEnv->display, DefaultScreen(gAppEnv->display)); }

bool MasksAgreeWithServer(Colormap colormap)
{
    if (!DefaultVisualIsTrueColor(gAppEnv->display)) {
        return false;
    }
    XColor probe{};
    probe.red = kProbeRed;
    probe.green = kProbeGreen;
    probe.blue = kProbeBlue;
    probe.flags = DoRed | DoGreen | DoBlue;
    const unsigned long computed = TrueColorPixel(ScreenVisual(), ScreenDepth(), probe);
    return XAllocColor(gAppEnv->display, colormap, &probe) != 0 && probe.pixel == computed;
}

// The pixel of a read-only colour (the server's answer taken as it is,
// even a failed one).
unsigned long ReadOnlyPixel(Colormap colormap, XColor color)
{
    AllocReadOnlyColor(colormap, color);
    return color.pixel;
}

// The 65 colour resources as strings, read in one request.
std::array<String, kColorResourceCount> ReadColorResources()
{
    std::array<XtResource, kColorResourceCount> resources{};
    for (int i = 0; i < kColorResourceCount; ++i) {
        resources[i] = XtResource{
            const_cast<char*>(ColorResourceTable[i].name),
            const_cast<char*>("Color"),
            const_cast<char*>(XtRString),
            sizeof(String),
            static_cast<Cardinal>(i * sizeof(String)),
            const_cast<char*>(XtRString),
            const_cast<char*>(ColorResourceTable[i].defaultValue),
        };
    }
    std::array<String, kColorResourceCount> values{};
    XtGetApplicationResources(gAppEnv->toplevel, values.data(), resources.data(), kColorResourceCount,
                              nullptr, 0);
    return values;
}

XColor ResourceColor(Colormap colormap, String value, int index)
{
    XColor color{};
    if (value == nullptr || !XParseColor(gAppEnv->display, colormap, value, &color)) {
        return XColorOf(FallbackColorTable[index]);
    }
    color.flags = DoRed | DoGreen | DoBlue;
    return color;
}

// The private colormap becomes the toplevel window's, so that the window
// manager installs it whenever the program has the focus.
void InstallPrivateColormap(Colormap colormap)
{
    Widget top = gAppEnv->toplevel;
    if (XtIsRealized(top)) {
        XSetWindowAttributes attributes{};
        attributes.colormap = colormap;
        XChangeWindowAttributes(gAppEnv->display, XtWindow(top), CWColormap, &attributes);
    }
    XtVaSetValues(top, XtNcolormap, colormap, nullptr);
}

int AllocWritablePalette(const std::array<String, kColorResourceCount>& values)
{
    Display* display = gAppEnv->display;
    const int screen = DefaultScreen(display);
    Colormap colormap = DefaultColormap(display, screen);
    if (gAppEnv->installColormap) {
        colormap = XCopyColormapAndFree(display, colormap);
    }
    gAppEnv->colormap = colormap;
    if (!XAllocColorCells(display, colormap, False, nullptr, 0, gAppEnv->pixels, kPaletteSize)) {
        return 0;
    }
    std::array<XColor, kPaletteSize> colors{};
    for (int i = 0; i < kPaletteSize; ++i) {
        colors[i] = i < kColorResourceCount ? ResourceColor(colormap, values[i], i) : XColorOf(kRampStartGrey);
        colors[i].pixel = gAppEnv->pixels[i];
    }
    XStoreColors(display, colormap, colors.data(), kPaletteSize);
    if (gAppEnv->installColormap) {
        InstallPrivateColormap(colormap);
    }
    return 1;
}

void AllocReadOnlyPalette(const std::array<String, kColorResourceCount>& values)
{
    Display* display = gAppEnv->display;
    Colormap colormap = DefaultColormap(display, DefaultScreen(display));
    gAppEnv->colormap = colormap;
    gTrueColorMasksAgree = MasksAgreeWithServer(colormap);
    for (int i = 0; i < kPaletteSize; ++i) {
        const XColor color =
            i < kColorResourceCount ? ResourceColor(colormap, values[i], i) : XColorOf(kRampStartGrey);
        gAppEnv->pixels[i] = ReadOnlyPixel(colormap, color);
    }
}

}  // namespace

int VisualHasWritableColors()
{
    Display* display = gAppEnv->display;
    if (display == nullptr) {
        return 0;
    }
    const int screen = DefaultScreen(display);
    if (DefaultDepth(display, screen) == 1) {
        return 0;
    }
    const int visualClass = DefaultVisual(display, screen)->c_class;
    return visualClass == GrayScale || visualClass == PseudoColor || visualClass == DirectColor ? 1 : 0;
}

int AllocReadOnlyColor(Colormap colormap, XColor& color)
{
    if (gTrueColorMasksAgree && gRedrawShortcuts.keepColors) {
        color.pixel = TrueColorPixel(ScreenVisual(), ScreenDepth(), color);
        return 1;
    }
    return XAllocColor(gAppEnv->display, colormap, &color) != 0 ? 1 : 0;
}

int AllocColorPalette()
{
    const std::array<String, kColorResourceCount> values = ReadColorResources();
    gRampColors.fill(kRampStartGrey);
    if (gAppEnv->writableColorCells) {
        return AllocWritablePalette(values);
    }
    AllocReadOnlyPalette(values);
    return 1;
}

void InitPaletteAndPlanetNames()
{
    gAppEnv->writableColorCells = VisualHasWritableColors();
    if (!AllocColorPalette()) {
        std::fputs("uvola: can't allocate color palette.\n", stderr);
        std::exit(1);
    }
    LoadPlanetNames();
}

void SetSkyColors(const Scene& scene)
{
    const Rgb8 sun = FallbackColorTable[SunColorIndex(scene)];
    const std::array<Rgb8, kRampCellCount> cells = RampCellColors(scene.daylightLevel, sun);
    std::array<XColor, kRampCellCount> changed{};
    int count = 0;
    for (int i = 0; i < kRampCellCount; ++i) {
        if (gRedrawShortcuts.keepColors && cells[i] == gRampColors[i]) {
            continue;
        }
        gRampColors[i] = cells[i];
        XColor color = XColorOf(cells[i]);
        if (gAppEnv->writableColorCells) {
            color.pixel = gAppEnv->pixels[kFirstRampCell + i];
            changed[count++] = color;
        } else {
            // The previous cell is not freed: on a TrueColor visual nothing
            // was taken from the colormap in the first place.
            gAppEnv->pixels[kFirstRampCell + i] = ReadOnlyPixel(gAppEnv->colormap, color);
        }
    }
    if (count > 0) {
        XStoreColors(gAppEnv->display, gAppEnv->colormap, changed.data(), count);
    }
}
