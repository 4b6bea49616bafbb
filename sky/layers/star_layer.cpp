// The built-in star layer, the star symbol, horizon extinction and the
// star labels.
#include "sky/layers/star_layer.h"

#include "core/app_env.h"
#include "data/catalog_tables.h"
#include "sky/catalog/object_names.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/label_text.h"
#include "sky/layers/star_points.h"
#include "sky/view/projection.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

// The pixels of each size class 1..6; classes above 6 draw the sixth.
constexpr SymbolPixel kDot[] = {{0, 0}};
constexpr SymbolPixel kBlock2[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
constexpr SymbolPixel kPlus[] = {{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr SymbolPixel kBlock3[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {0, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
constexpr SymbolPixel kDisc[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {0, 0}, {1, 0}, {-1, 1},
                                 {0, 1},   {1, 1},  {2, 0},  {-2, 0}, {0, 2}, {0, -2}};

constexpr SymbolShape kShapes[] = {
    ShapeOf(kDot, 1),  ShapeOf(kDot, 1),    ShapeOf(kBlock2, 4),
    ShapeOf(kPlus, 5), ShapeOf(kBlock3, 9), ShapeOf(kDisc, 13),
};

static_assert(13 * kLargestStarScale * kLargestStarScale <= kMostSymbolPixels);

// The symbols of the classes 1..6 at every STARSIZE magnification, scale
// by scale: each pixel of the plain symbol becomes a square of scale
// pixels a side.
struct ScaledShapes {
    std::vector<SymbolPixel> pixels[kLargestStarScale][std::size(kShapes)];
    SymbolShape shapes[kLargestStarScale][std::size(kShapes)];
};

ScaledShapes MakeScaledShapes()
{
    ScaledShapes scaled;
    for (int scale = 1; scale <= kLargestStarScale; ++scale) {
        const int low = -(scale - 1) / 2;   // squares of an even side lean right and down, as the 2 x 2 block
        for (size_t k = 0; k < std::size(kShapes); ++k) {
            std::vector<SymbolPixel>& pixels = scaled.pixels[scale - 1][k];
            for (int i = 0; i < kShapes[k].count; ++i)
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        pixels.push_back(SymbolPixel{static_cast<int8_t>(kShapes[k].pixels[i].dx * scale + low + dx),
                                                     static_cast<int8_t>(kShapes[k].pixels[i].dy * scale + low + dy)});
            scaled.shapes[scale - 1][k] = ShapeOf(pixels.data(), static_cast<int>(pixels.size()));
        }
    }
    return scaled;
}

const SymbolShape& ScaledShape(int sizeClass, int scale)
{
    static const ScaledShapes scaled = MakeScaledShapes();
    return scaled.shapes[scale - 1][std::min(sizeClass, 6) - 1];
}

int SizeClass(const Scene& scene, int32_t mag10)
{
    return std::max(1, static_cast<int>((scene.mag.starLimit - mag10 + 10) / 10));
}

// One symbol of a size class; the faintest class is in the faint-star
// colour.
struct SizedSymbol {
    const SymbolShape& shape;
    int32_t color;
    int size;   // what places the labels
};

SizedSymbol SymbolOf(const Scene& scene, int32_t mag10, int32_t colorIndex, int scale)
{
    const int k = SizeClass(scene, mag10);
    return SizedSymbol{ScaledShape(k, scale), k == 1 ? scene.mag.faintStarColor : colorIndex, std::min(k, 3) * scale};
}

// The Greek letters of the symbol font, alpha..omega.
constexpr char kBayerLetters[] = "abgdeyhqiklmnwoprstufcjv";

constexpr int kColourClassOffset = 2;       // colour class 0 is ColorStar0

constexpr uint8_t kVariableFlag = 16;
constexpr uint8_t kBrightStarNameFlags = kStarNameFlag | kBayerFlag | kFlamsteedFlag | kVariableFlag;
constexpr int kLabelSymbolSize = 4;         // of the built-in stars' labels over a star file


int Escapement(int number, const char* text)
{
    return LabelTextWidth(LabelFontSet(number), text, static_cast<int>(std::strlen(text)));
}

// Labels go over the symbols drawn before them, so those are sent first.
void DrawText(const Scene& scene, RedrawRecord& redraw, int number, int32_t colorIndex, int x, int y, const char* text)
{
    if (!LabelFontSet(number))
        return;
    FlushStarPoints(redraw);
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[colorIndex]);
    DrawLabelText(gAppEnv->display, redraw.drawable, LabelFontSet(number), scene.gc, x, y, text,
                  static_cast<int>(std::strlen(text)));
}

void DrawBayerLetter(const Scene& scene, RedrawRecord& redraw, int x, int baseline, int32_t letter, int32_t superscript)
{
    XFontStruct& font = gAppEnv->starBayerFont;
    if (font.fid == 0)
        return;
    char glyph = kBayerLetters[letter - 1];
    FlushStarPoints(redraw);
    XSetFont(gAppEnv->display, scene.gc, font.fid);
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[kColorStarBayerFont]);
    XDrawString(gAppEnv->display, redraw.drawable, scene.gc, x, baseline, &glyph, 1);
    if (superscript != 0) {
        char digit[2] = {static_cast<char>('0' + superscript), '\0'};
        DrawText(scene, redraw, kFontStarBayerNum, kColorStarBayerNumFont, x + XTextWidth(&font, &glyph, 1),
                 baseline, digit);
    }
}

// Projects star n; 0 when it is not on the chart.
int ProjectStar(const Scene& scene, int32_t n, ProjectedPoint& p)
{
    const BrightStarRecord& star = BrightStarTable[n];
    return ProjectPoint(scene, FixedVector{star.x, star.y, star.z}, p);
}

}  // namespace

void FormatStarMagnitudeLabel(int32_t mag10, char* text, size_t size)
{
    if (mag10 >= -9 && mag10 <= -1)
        std::snprintf(text, size, "-0%d", -mag10);
    else if (mag10 <= 99)
        std::snprintf(text, size, "%02d", mag10);
    else
        std::snprintf(text, size, "%03d", mag10);
}

int DrawStarSymbol(const Scene& scene, Drawable drawable, int x, int y, int32_t mag10, int32_t colorIndex)
{
    const SizedSymbol symbol = SymbolOf(scene, mag10, colorIndex, 1);
    DrawSymbolPixelsNow(scene, drawable, x, y, symbol.shape, symbol.color);
    return symbol.size;
}

int StarSymbolScale(int32_t starSize)
{
    return std::clamp(starSize / 10, 1, kLargestStarScale);
}

int DrawCatalogueStar(const Scene& scene, RedrawRecord& redraw, int x, int y, int32_t mag10, int32_t colourClass)
{
    const SizedSymbol symbol =
        SymbolOf(scene, mag10, colourClass + kColourClassOffset, StarSymbolScale(scene.view.starSize));
    DrawSymbolPixels(scene, redraw, x, y, symbol.shape, symbol.color);
    return symbol.size;
}

int DrawStar(const Scene& scene, Drawable drawable, int x, int y, int32_t mag10, int32_t colourClass)
{
    return DrawStarSymbol(scene, drawable, x, y, mag10, colourClass + kColourClassOffset);
}

void ApplyHorizonExtinction(int32_t altitude, int32_t& mag10, int32_t& colourClass)
{
    if (altitude > kExtinctionAltitude)
        return;
    mag10 = mag10 + 20 - altitude / 77;
    colourClass = std::min(colourClass + 6 - altitude / 256, 9);
}

void DrawStarLabels(const Scene& scene, RedrawRecord& redraw, int32_t star, int x, int y, int32_t mag10, int size,
                    int magnitudeText)
{
    if (mag10 > scene.mag.starLabelLimit)
        return;
    uint8_t flags = scene.displayFlags[kFlagStarLabels];
    int off = size * 12 / 10;

    // The magnitude hangs centred under the symbol. The name moves right by
    // half its width even when the caller draws its own magnitude label,
    // so names sit alike in every star layer.
    char magnitude[16];
    FormatStarMagnitudeLabel(mag10, magnitude, sizeof magnitude);
    int magnitudeHalfWidth = Escapement(kFontStarMag, magnitude) / 2;
    if (magnitudeText && (flags & kStarMagFlag))
        DrawText(scene, redraw, kFontStarMag, kColorStarMagFont, x - magnitudeHalfWidth,
                 y + off + LabelFontAscent(kFontStarMag), magnitude);

    int32_t row = 0, namedFlag = 0;
    if (!GetStarDesignationIndex(star, row, namedFlag))
        return;
    int32_t letter = 0, superscript = 0, flamsteed = 0, constellation = 0;
    DecodeStarDesignation(row, letter, superscript, flamsteed, constellation);
    const char* name = namedFlag ? GetStarProperName(star) : nullptr;

    const XFontStruct& bayer = gAppEnv->starBayerFont;
    int bayerBaseline, flamsteedBaseline, nameBaseline;
    if (name && (flags & (kBayerFlag | kFlamsteedFlag))) {
        bayerBaseline = y + (bayer.descent - bayer.ascent);
        flamsteedBaseline = y + (LabelFontDescent(kFontStarFlamsteed) - LabelFontAscent(kFontStarFlamsteed));
        nameBaseline = y + (LabelFontAscent(kFontStarName) - LabelFontDescent(kFontStarName));
    } else {
        bayerBaseline = y + (bayer.ascent - bayer.descent) / 2;
        flamsteedBaseline = y + (LabelFontAscent(kFontStarFlamsteed) - LabelFontDescent(kFontStarFlamsteed)) / 2;
        nameBaseline = y + (LabelFontAscent(kFontStarName) - LabelFontDescent(kFontStarName)) / 2;
    }

    int start = x + off;
    if ((flags & kFlamsteedFlag) && flamsteed != 0) {
        char number[8];
        std::snprintf(number, sizeof number, "%d", flamsteed);
        DrawText(scene, redraw, kFontStarFlamsteed, kColorStarFlamsteedFont, start, flamsteedBaseline, number);
        start += Escapement(kFontStarFlamsteed, number);
    }
    if ((flags & kBayerFlag) && letter != 0)
        DrawBayerLetter(scene, redraw, start, bayerBaseline, letter, superscript);

    if ((flags & kStarNameFlag) && name) {
        int nameX = x + off + ((flags & kStarMagFlag) ? magnitudeHalfWidth : 0);
        DrawText(scene, redraw, kFontStarName, kColorStarNameFont, nameX, nameBaseline, name);
    }
}

void DrawBuiltinStarsHorizon(const Scene& scene, RedrawRecord& redraw, int32_t last)
{
    bool labels = scene.displayFlags[kFlagStarLabels] != 0;
    for (int32_t n = last; n >= 0; --n) {
        ProjectedPoint p;
        if (!ProjectStar(scene, n, p))
            continue;
        int32_t catalogueMag = StarMagnitude10(BrightStarTable[n]);
        int32_t mag10 = catalogueMag;
        int32_t colourClass = StarColourClass(BrightStarTable[n]);
        if (p.altitude <= kExtinctionAltitude) {
            ApplyHorizonExtinction(p.altitude, mag10, colourClass);
            if (mag10 > scene.mag.starLimit)
                continue;
        }
        int size = DrawCatalogueStar(scene, redraw, p.x, p.y, mag10, colourClass);
        if (labels)
            DrawStarLabels(scene, redraw, n, p.x, p.y, catalogueMag, size, 1);
    }
}

void DrawBuiltinStarsPlain(const Scene& scene, RedrawRecord& redraw, int32_t last)
{
    bool labels = scene.displayFlags[kFlagStarLabels] != 0;
    for (int32_t n = last; n >= 0; --n) {
        ProjectedPoint p;
        if (!ProjectStar(scene, n, p))
            continue;
        int32_t mag10 = StarMagnitude10(BrightStarTable[n]);
        int size = DrawCatalogueStar(scene, redraw, p.x, p.y, mag10, StarColourClass(BrightStarTable[n]));
        if (labels)
            DrawStarLabels(scene, redraw, n, p.x, p.y, mag10, size, 1);
    }
}

void DrawBuiltinStars(Scene& scene, RedrawRecord& redraw)
{
    int32_t last = 0;
    if (!(scene.displayFlags[kFlagStars] & kStarFlag) || !GetLastStarWithinLimit(scene, last))
        return;
    StarPointBatch batch(scene, redraw);
    if (scene.viewMode == kModeHrz || scene.viewMode == kModeVola)
        DrawBuiltinStarsHorizon(scene, redraw, last);
    else
        DrawBuiltinStarsPlain(scene, redraw, last);
}

int WantsBrightStarLabels(const Scene& scene, int32_t& last)
{
    return (scene.displayFlags[kFlagStarLabels] & kBrightStarNameFlags) && GetLastStarWithinLimit(scene, last);
}

void DrawStarFileMagnitudeLabel(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& p, int size,
                                int32_t mag10)
{
    XFontSet font = GetFontSet(kFontStarMag);
    XFontSetExtents* extents = GetFontSetExtents(kFontStarMag);
    if (!font || !extents)
        return;
    char text[16];
    FormatStarMagnitudeLabel(mag10, text, sizeof text);
    int length = static_cast<int>(std::strlen(text));
    int x = p.x - LabelTextWidth(font, text, length) / 2;
    int y = p.y + size * 11 / 10 - extents->max_logical_extent.y;
    FlushStarPoints(redraw);   // the label covers the symbols drawn before it
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[kColorStarMagFont]);
    DrawLabelText(gAppEnv->display, redraw.drawable, font, scene.gc, x, y, text, length);
}

void DrawBrightStarLabelsOverStarFile(const Scene& scene, RedrawRecord& redraw, int32_t last)
{
    // The labels keep clear of the symbols however large STARSIZE makes them.
    const int scale = StarSymbolScale(scene.view.starSize);
    for (int32_t n = last; n >= 0; --n) {
        const BrightStarRecord& star = BrightStarTable[n];
        ProjectedPoint p;
        if (ProjectPoint(scene, FixedVector{star.x, star.y, star.z}, p))
            DrawStarLabels(scene, redraw, n, p.x, p.y, StarMagnitude10(star), kLabelSymbolSize * scale, 0);
    }
}
