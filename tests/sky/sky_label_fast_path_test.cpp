// Labels written and drawn the short way: the nebula magnitudes as printf
// writes them, and labels that skip the cutting into runs as the font set draws
// them: plain ASCII in the C and UTF-8 locales, and in the C locale whole
// labels, degree sign and all, through the set's one font. Each is drawn
// both ways on one pixmap and read back.
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/label_text.h"
#include "sky/layers/nebula_layer.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace canvastest;

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 20;
constexpr int kBaseline = 15;

// Grid, nebula, star and status texts; the last ones hold the degree sign.
const char* const kAsciiLabels[] = {"M42", "N1976", "I434", "14", "-05", "10.5", "Sirius", "6h+10", "W:120.0"};

class LabelFastPath : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        World();
        ASSERT_NE(std::setlocale(LC_CTYPE, GetParam()), nullptr) << GetParam();
        ASSERT_TRUE(XSupportsLocale()) << GetParam();
        char** missing = nullptr;
        int missingCount = 0;
        char* fallback = nullptr;
        fontSet = XCreateFontSet(gAppEnv->display, "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-*-*-*--12-*",
                                 &missing, &missingCount, &fallback);
        if (missing != nullptr) {
            XFreeStringList(missing);
        }
        ASSERT_NE(fontSet, nullptr);
    }

    void TearDown() override
    {
        if (fontSet != nullptr) {
            XFreeFontSet(gAppEnv->display, fontSet);
        }
        std::setlocale(LC_CTYPE, "C");
    }

    // The text drawn black on white, by the label code or by the font set
    // itself, read back.
    std::vector<unsigned long> Drawn(bool asLabel, const std::string& text)
    {
        Display* display = gAppEnv->display;
        const Pixmap pixmap = XCreatePixmap(display, XtWindow(World().area), kWidth, kHeight,
                                            DefaultDepthOfScreen(gAppEnv->screen));
        const GC gc = XCreateGC(display, pixmap, 0, nullptr);
        XSetForeground(display, gc, WhitePixelOfScreen(gAppEnv->screen));
        XFillRectangle(display, pixmap, gc, 0, 0, kWidth, kHeight);
        XSetForeground(display, gc, BlackPixelOfScreen(gAppEnv->screen));
        const int length = static_cast<int>(text.size());
        if (asLabel) {
            DrawLabelText(display, pixmap, fontSet, gc, 0, kBaseline, text.c_str(), length);
        } else {
            XmbDrawString(display, pixmap, fontSet, gc, 0, kBaseline, text.c_str(), length);
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
        XFreeGC(display, gc);
        XFreePixmap(display, pixmap);
        return pixels;
    }

    XFontSet fontSet = nullptr;
};

TEST_P(LabelFastPath, AsciiLabelsAreWhatTheFontSetDraws)
{
    for (const char* label : kAsciiLabels) {
        const int length = static_cast<int>(std::strlen(label));
        EXPECT_EQ(LabelTextWidth(fontSet, label, length), XmbTextEscapement(fontSet, label, length)) << label;
        const std::vector<unsigned long> drawn = Drawn(true, label);
        EXPECT_TRUE(drawn == Drawn(false, label)) << label;
        EXPECT_NE(std::count(drawn.begin(), drawn.end(), BlackPixelOfScreen(gAppEnv->screen)), 0) << label;
    }
}

// In UTF-8 the font set draws the degree sign from its UTF-8 bytes; the
// label, written in Latin-1, must draw the same.
TEST_P(LabelFastPath, DegreeLabelsAreWhatTheFontSetDrawsInTheLocalesEncoding)
{
    if (std::strstr(GetParam(), "UTF-8") == nullptr) {
        GTEST_SKIP() << "the C locale has no degree sign to give the font set";
    }
    for (const char* label : {"330\260+80\260", "6h+10\260", "W:120.0\260"}) {
        std::string utf8;
        for (const char* c = label; *c != '\0'; ++c) {
            utf8 += *c == '\260' ? std::string("\xC2\xB0") : std::string(1, *c);
        }
        const int length = static_cast<int>(std::strlen(label));
        EXPECT_EQ(LabelTextWidth(fontSet, label, length),
                  XmbTextEscapement(fontSet, utf8.c_str(), static_cast<int>(utf8.size())))
            << label;
        EXPECT_TRUE(Drawn(true, label) == Drawn(false, utf8)) << label;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, LabelFastPath, ::testing::Values("C", "C.UTF-8"));

}  // namespace

namespace {

TEST(NebulaMagnitudeLabel, ReadsAsPrintfWritesItForEveryMagnitude)
{
    for (int32_t mag10 = 0; mag10 < 255; ++mag10) {
        char want[16];
        char text[16];
        std::snprintf(want, sizeof want, "%.1f", mag10 / 10.0);
        const int length = FormatNebulaMagnitude(mag10, text, sizeof text);
        EXPECT_STREQ(text, want);
        EXPECT_EQ(length, static_cast<int>(std::strlen(want)));
    }
}

}  // namespace
