// Deep-sky objects: filter, symbols and labels.
#include "sky/layers/nebula_layer.h"

#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/label_text.h"
#include "sky/layers/nebula_symbols.h"
#include "sky/view/projection.h"

#include <X11/Intrinsic.h>
#include <array>
#include <charconv>
#include <cstring>

namespace {

constexpr char kCatalogueLetters[] = "MNI";
constexpr std::array<uint32_t, 3> kCatalogueMembership = {kNebulaMessierFlag, kNebulaNgcFlag, kNebulaIcFlag};
constexpr std::array<uint8_t, 3> kCatalogueDisplayBits = {kMessierFlag, kNgcFlag, kIcFlag};
constexpr uint8_t kAllTypeBits = kPlanetaryFlag | kDiffuseFlag | kGlobeFlag | kOpenFlag | kGalaxyFlag | kCompoundFlag;
// Display bit of each object type 0..5.
constexpr std::array<uint8_t, 6> kTypeBits = {kPlanetaryFlag, kDiffuseFlag, kOpenFlag,
                                              kGlobeFlag,     kGalaxyFlag,  kCompoundFlag};
// The symbol's cell is drawn with its corner this far up and left of the
// object's pixel.
constexpr int kSymbolOffset = 5;


// The labels take the nebula font sets and the star labels' colours.
constexpr int32_t kNameColor = kColorStarNameFont;
constexpr int32_t kMagnitudeColor = kColorStarMagFont;

void DrawLabel(const Scene& scene, Drawable drawable, int fontSet, int32_t color, int x, int baseline,
               const char* text, int length)
{
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[color]);
    DrawLabelText(gAppEnv->display, drawable, LabelFontSet(fontSet), scene.gc, x, baseline, text, length);
}

void DrawSymbol(const Scene& scene, Drawable drawable, int useStipples, Pixmap strip, int32_t type,
                int32_t sizeClass, int x, int y)
{
    Display* display = gAppEnv->display;
    const int left = x - kSymbolOffset;
    const int top = y - kSymbolOffset;
    if (useStipples) {
        XSetForeground(display, scene.gc, gAppEnv->pixels[kColorNebulaMark]);
        XSetStipple(display, scene.gc, NebulaSymbolTable[type * kNebulaSizeClasses + sizeClass].bitmap);
        XSetTSOrigin(display, scene.gc, left, top);
        XSetFillStyle(display, scene.gc, FillStippled);
        XFillRectangle(display, drawable, scene.gc, left, top, kNebulaSymbolSize, kNebulaSymbolSize);
        XSetFillStyle(display, scene.gc, FillSolid);
        return;
    }
    XCopyArea(display, strip, drawable, scene.symbolGc, type * kNebulaSymbolSize, sizeClass * kNebulaSymbolSize,
              kNebulaSymbolSize, kNebulaSymbolSize, left, top);
}

// The magnitude, centred under the symbol. Returns where the catalogue
// label starts.
int DrawMagnitudeLabel(const Scene& scene, Drawable drawable, int32_t mag10, int32_t sizeClass, int x, int y)
{
    char text[16];
    const int length = FormatNebulaMagnitude(mag10, text, sizeof text);
    const int width = LabelTextWidth(LabelFontSet(kFontNebulaMag), text, length);
    DrawLabel(scene, drawable, kFontNebulaMag, kMagnitudeColor, x - width / 2,
              y + 6 - sizeClass + LabelFontAscent(kFontNebulaMag), text, length);
    return x + LabelFontExtent(kFontNebulaMag).width / 2;
}

// The catalogue number. An object drawn from two catalogues has its
// Messier label above the point and the other one below, so that the two
// do not overprint.
void DrawCatalogueLabel(const Scene& scene, Drawable drawable, int catalogue, const NebulaAttributes& record,
                        int x, int y)
{
    const int fontSet = kFontNebulaName;
    const uint32_t word = record.word[1];
    int baseline = y + LabelFontAscent(fontSet) - LabelFontExtent(fontSet).height / 2;
    if (catalogue == kMessier) {
        if (((word & kNebulaNgcFlag) && NebulaCatalogEnabled(scene, kNgc)) ||
            ((word & kNebulaIcFlag) && NebulaCatalogEnabled(scene, kIc))) {
            baseline = y - LabelFontDescent(fontSet);
        }
    } else if ((word & kNebulaMessierFlag) && NebulaCatalogEnabled(scene, kMessier)) {
        baseline = y + LabelFontAscent(fontSet);
    }
    // The catalogue letter and the number, as "%c%u" writes them.
    char text[16];
    text[0] = kCatalogueLetters[catalogue];
    const int length =
        static_cast<int>(std::to_chars(text + 1, text + sizeof text, word & kNebulaNumberMask).ptr - text);
    DrawLabel(scene, drawable, fontSet, kNameColor, x, baseline, text, length);
}

void DrawCatalogue(const Scene& scene, Drawable drawable, int catalogue, int useStipples, Pixmap strip)
{
    const uint8_t flags = scene.displayFlags[kFlagNebulae];
    const bool magnitudes = (flags & kNebulaMagFlag) && LabelFontSet(kFontNebulaMag) != nullptr;
    const bool names = (flags & kNebulaNameFlag) && LabelFontSet(kFontNebulaName) != nullptr;
    const FixedVector* positions = NebulaPositionRuns[catalogue];
    const NebulaAttributes* records = NebulaAttributeTable[catalogue];
    const int32_t count = NebulaCatalogWalkLength(scene, catalogue);
    for (int32_t k = 0; k < count; ++k) {
        const NebulaAttributes& record = records[k];
        ProjectedPoint p{};
        if (!NebulaPassesFilter(scene, record) || !ProjectPoint(scene, positions[k], p)) {
            continue;
        }
        const int32_t mag10 = NebulaMagnitude10(record);
        const int32_t sizeClass = NebulaSizeClass(mag10);
        DrawSymbol(scene, drawable, useStipples, strip, NebulaType(record), sizeClass, p.x, p.y);
        int labelX = p.x + 6 - sizeClass;
        if (magnitudes && mag10 != static_cast<int32_t>(kNebulaNoMagnitude)) {
            labelX = DrawMagnitudeLabel(scene, drawable, mag10, sizeClass, p.x, p.y);
        }
        if (names) {
            DrawCatalogueLabel(scene, drawable, catalogue, record, labelX, p.y);
        }
    }
}

Drawable SymbolScreenDrawable(const Scene& scene, Drawable drawable)
{
    if (scene.drawingArea != nullptr && XtWindow(scene.drawingArea) != None) {
        return XtWindow(scene.drawingArea);
    }
    return drawable;
}

}  // namespace

int FormatNebulaMagnitude(int32_t mag10, char* text, size_t size)
{
    char* end = std::to_chars(text, text + size - 3, mag10 / 10).ptr;
    *end++ = '.';
    *end++ = static_cast<char>('0' + mag10 % 10);
    *end = '\0';
    return static_cast<int>(end - text);
}

int32_t NebulaType(const NebulaAttributes& record) { return static_cast<int32_t>(record.word[0] & kNebulaTypeMask); }

int32_t NebulaMagnitude10(const NebulaAttributes& record)
{
    return static_cast<int32_t>((record.word[0] >> kNebulaMagnitudeShift) & 0xff);
}

int NebulaCatalogEnabled(const Scene& scene, int catalogue)
{
    return (scene.displayFlags[kFlagNebulaCatalogues] & kCatalogueDisplayBits[catalogue]) != 0;
}

int NebulaPassesFilter(const Scene& scene, const NebulaAttributes& record)
{
    const MagnitudeLimits& mag = scene.mag;
    const int32_t mag10 = NebulaMagnitude10(record);
    if (mag.nebulaBoundsInUse && (mag10 < mag.nebulaBright || mag10 > mag.nebulaFaint)) {
        return 0;
    }
    const uint8_t types = scene.displayFlags[kFlagNebulaTypes] & kAllTypeBits;
    const int32_t type = NebulaType(record);
    if (types != 0 && type < static_cast<int32_t>(kTypeBits.size()) && (types & kTypeBits[type]) == 0) {
        return 0;
    }
    for (int c = kMessier; c <= kIc; ++c) {
        if (NebulaCatalogEnabled(scene, c) && (record.word[1] & kCatalogueMembership[c])) {
            return 1;
        }
    }
    return 0;
}

int32_t NebulaCatalogWalkLength(const Scene& scene, int catalogue)
{
    const int32_t count = NebulaCatalogCounts[catalogue];
    if (!scene.mag.nebulaBoundsInUse) {
        return count;
    }
    const NebulaAttributes* records = NebulaAttributeTable[catalogue];
    int32_t k = 0;
    while (k < count && NebulaMagnitude10(records[k]) <= scene.mag.nebulaFaint) {
        ++k;
    }
    return k;
}

void DrawNebulaCatalogs(const Scene& scene, Drawable drawable, int useStipples, Pixmap strip)
{
    for (int catalogue = kMessier; catalogue <= kIc; ++catalogue) {
        if (NebulaCatalogEnabled(scene, catalogue)) {
            DrawCatalogue(scene, drawable, catalogue, useStipples, strip);
        }
    }
}

void DrawNebulae(Scene& scene, RedrawRecord& redraw)
{
    const Drawable drawable = redraw.drawable;
    if ((scene.displayFlags[kFlagNebulae] & kNebulaFlag) == 0) {
        return;
    }
    Display* display = gAppEnv->display;
    const Drawable screenDrawable = SymbolScreenDrawable(scene, drawable);
    if (gAppEnv->writableColorCells) {
        CreateNebulaSymbolBitmaps(display, screenDrawable);
        DrawNebulaCatalogs(scene, drawable, 1, None);
        FreeNebulaSymbolBitmaps(display);
        return;
    }
    // Black where the picture is empty, so that ORing the cell in leaves
    // the sky as it was and puts the mark colour on the picture.
    const int screen = DefaultScreen(display);
    Pixmap strip = XCreatePixmapFromBitmapData(
        display, screenDrawable, reinterpret_cast<char*>(const_cast<unsigned char*>(NebulaSymbolStrip().data())),
        kNebulaStripWidth, kNebulaStripHeight, gAppEnv->pixels[kColorBlack], gAppEnv->pixels[kColorNebulaMark],
        static_cast<unsigned int>(DefaultDepth(display, screen)));
    DrawNebulaCatalogs(scene, drawable, 0, strip);
    XFreePixmap(display, strip);
}
