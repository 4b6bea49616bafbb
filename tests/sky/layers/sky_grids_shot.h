// Shared by the grid and ground tests: distinct colours for every grid
// layer, so that a pixel tells which layer drew it, and a picture of the
// chart for a person to look at.
#pragma once

#include "tests/sky/sky_canvas_fixture.h"

#include "sky/view/projection.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace gridtest {

using namespace canvastest;

// Resource lines merged before the palette is read (the first World()).
inline bool AddGridColours()
{
    for (const char* line : {
             "UVola*ColorHorizontalGrid: #0000FF", "UVola*ColorEquatorialGrid: #00FF00",
             "UVola*ColorEclipticGrid: #00FFFF", "UVola*ColorGalacticGrid: #FF00FF",
             "UVola*ColorMeridianLine: #FFFF00", "UVola*ColorEquatorialLine: #FF0000",
             "UVola*ColorEclipticLine: #FF8000", "UVola*ColorGalacticLine: #8000FF",
             "UVola*ColorGridNumFont: #FFFFFF", "UVola*ColorLandscape: #208020",
             "UVola*ColorDirection1Font: #FF4040", "UVola*ColorDirection2Font: #40FFC0",
         }) {
        ExtraResources().push_back(line);
    }
    return true;
}

inline unsigned long Cell(int index) { return gAppEnv->pixels[index]; }

// Whether any pixel within `radius` of (x, y) has the colour.
inline bool ColourNear(const Snapshot& shot, int x, int y, int radius, unsigned long pixel)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (shot.Pixel(x + dx, y + dy) == pixel)
                return true;
    return false;
}

inline int CountColour(const Snapshot& shot, int width, int height, unsigned long pixel)
{
    int n = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            n += shot.Pixel(x, y) == pixel;
    return n;
}

// J2000 right ascension and declination (degrees) to a Q14 vector.
inline FixedVector Direction(double ra, double dec)
{
    const double d = 3.14159265358979323846 / 180.0;
    return FixedVector{static_cast<int32_t>(16384 * std::cos(dec * d) * std::cos(ra * d)),
                       static_cast<int32_t>(16384 * std::cos(dec * d) * std::sin(ra * d)),
                       static_cast<int32_t>(16384 * std::sin(dec * d))};
}

// The chart as a PPM picture in UVOLA_SHOT_DIR, when that is set.
inline void SaveShot(const Scene& scene, int width, int height, const char* name)
{
    const char* dir = std::getenv("UVOLA_SHOT_DIR");
    if (!dir)
        return;
    Snapshot shot(scene.backPixmap, width, height);
    const std::string ppm = std::string(dir) + "/" + name + ".ppm";
    FILE* file = std::fopen(ppm.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Rgb8 c = ColorOfPixel(shot.Pixel(x, y));
            unsigned char rgb[3] = {static_cast<unsigned char>(c.red), static_cast<unsigned char>(c.green),
                                    static_cast<unsigned char>(c.blue)};
            std::fwrite(rgb, 1, 3, file);
        }
    std::fclose(file);
}

}  // namespace gridtest
