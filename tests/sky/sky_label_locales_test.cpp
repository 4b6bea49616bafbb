// The degree sign of the grid labels and of the status line, drawn with the
// program's own font sets in the C locale (which has no such character),
// in C.UTF-8 and in a Latin-1 locale: each label must come out exactly as
// the Latin-1 font draws its Latin-1 text, sign included, so that "330°+80°"
// never reads "330+80".
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/label_text.h"
#include "sky/layers/grid_labels.h"
#include "sky/layers/status_line.h"
#include "sky/font_sets.h"
#include "tests/harness/test_locales.h"

#include <cctype>
#include <clocale>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

using namespace canvastest;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 20;
constexpr int kBaseline = 15;

// The name of the set's ISO8859-1 font, which draws the oracle.
std::string Latin1FontName(XFontSet fontSet)
{
    XFontStruct** fonts = nullptr;
    char** names = nullptr;
    const int count = XFontsOfFontSet(fontSet, &fonts, &names);
    for (int i = 0; i < count; ++i) {
        const std::string name = names[i];
        if (name.size() > 10 && strcasecmp(name.c_str() + name.size() - 10, "-iso8859-1") == 0) {
            return name;
        }
    }
    return std::string();
}

class DegreeSign : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        ASSERT_EQ(World().fontsLoaded, 1);
        if (std::strstr(GetParam(), "ISO_8859") != nullptr) {
            if (CompiledLocales().empty()) {
                GTEST_SKIP() << "localedef cannot build " << GetParam() << " here";
            }
            setenv("LOCPATH", CompiledLocales().c_str(), 1);
        }
        ASSERT_NE(std::setlocale(LC_CTYPE, GetParam()), nullptr) << GetParam();
        ASSERT_TRUE(XSupportsLocale()) << GetParam();
        ReloadFontSets();
    }
    void TearDown() override
    {
        std::setlocale(LC_CTYPE, "C");
        unsetenv("LOCPATH");
        ReloadFontSets();
    }

    static void ReloadFontSets()
    {
        FreeFontSets();
        LoadFontSets();
    }

    Display* display() { return gAppEnv->display; }

    // A label drawn black on white, either way, read back.
    std::vector<unsigned long> Drawn(bool throughFontSet, XFontSet fontSet, XFontStruct* font, const char* text)
    {
        const Pixmap pixmap = XCreatePixmap(display(), XtWindow(World().area), kWidth, kHeight,
                                            DefaultDepthOfScreen(gAppEnv->screen));
        const GC gc = XCreateGC(display(), pixmap, 0, nullptr);
        XSetForeground(display(), gc, WhitePixelOfScreen(gAppEnv->screen));
        XFillRectangle(display(), pixmap, gc, 0, 0, kWidth, kHeight);
        XSetForeground(display(), gc, BlackPixelOfScreen(gAppEnv->screen));
        const int length = static_cast<int>(std::strlen(text));
        if (throughFontSet) {
            DrawLabelText(display(), pixmap, fontSet, gc, 0, kBaseline, text, length);
        } else {
            XSetFont(display(), gc, font->fid);
            XDrawString(display(), pixmap, gc, 0, kBaseline, text, length);
        }
        std::vector<unsigned long> pixels;
        {
            Snapshot shot(pixmap, kWidth, kHeight);
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    pixels.push_back(shot.Pixel(x, y));
                }
            }
        }
        XFreeGC(display(), gc);
        XFreePixmap(display(), pixmap);
        return pixels;
    }

    // The label through the font set equals the Latin-1 text through the
    // set's Latin-1 font, in width and in every pixel.
    void ExpectDrawnWithItsSigns(int fontSlot, const std::vector<std::string>& labels)
    {
        XFontSet fontSet = gAppEnv->fontSets[fontSlot - 1];
        ASSERT_NE(fontSet, nullptr);
        XFontStruct* font = XLoadQueryFont(display(), Latin1FontName(fontSet).c_str());
        ASSERT_NE(font, nullptr);
        ASSERT_FALSE(labels.empty());
        for (const std::string& label : labels) {
            const char* text = label.c_str();
            ASSERT_NE(std::strchr(text, '\260'), nullptr) << text;
            const int length = static_cast<int>(label.size());
            EXPECT_EQ(LabelTextWidth(fontSet, text, length), XTextWidth(font, text, length)) << text;
            EXPECT_TRUE(Drawn(true, fontSet, font, text) == Drawn(false, fontSet, font, text)) << text;
        }
        XFreeFont(display(), font);
    }
};

TEST_P(DegreeSign, GridLabelsShowIt)
{
    std::vector<std::string> labels;
    char text[kGridLabelSize];
    KeptGridFormats kept;
    MeridianAltitudeText(kept, 30, text, sizeof text);
    labels.push_back(text);
    // Horizontal-grid labels of both signs of altitude ("330°+80°").
    for (int j = 0; j < 9 && labels.size() < 4; j += 2) {
        if (GridLabelText(kept, kModeEqt, kGridDegrees, kGridLabelHorizontal, 1, 2, j, text, sizeof text) == 1 &&
            std::strchr(text, '\260') != nullptr) {
            labels.push_back(text);
        }
    }
    ExpectDrawnWithItsSigns(kFontGridNum, labels);
}

TEST_P(DegreeSign, StatusLineShowsIt)
{
    char site[kStatusTextSize];
    char width[kStatusTextSize];
    FormatStatusSite(ObserverLocation{35.68, 139.77, 40.0}, 9.0, "Tokyo", site, sizeof site);
    FormatStatusWidth(120.0, width, sizeof width);
    ExpectDrawnWithItsSigns(kFontStatus, {site, width});
}

INSTANTIATE_TEST_SUITE_P(Locales, DegreeSign, ::testing::Values("C", "C.UTF-8", "en_US.ISO_8859-1"),
                         [](const ::testing::TestParamInfo<const char*>& locale) {
                             std::string name = locale.param;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

}  // namespace
