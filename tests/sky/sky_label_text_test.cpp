// Label texts written in Latin-1 reach the font sets in the locale's own
// encoding, and a character the locale lacks never cuts the label short.
#include <gtest/gtest.h>

#include "sky/label_text.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <clocale>
#include <cstring>
#include <string>

namespace {

class LocaleScope {
public:
    explicit LocaleScope(const char* name) : saved_(std::setlocale(LC_CTYPE, nullptr))
    {
        ok_ = std::setlocale(LC_CTYPE, name) != nullptr;
    }
    ~LocaleScope() { std::setlocale(LC_CTYPE, saved_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string saved_;
    bool ok_ = false;
};

// The runs of a label, those drawn with the Latin-1 font in brackets.
std::string Convert(const char* text)
{
    std::string runs;
    for (const LabelPiece& piece : LabelPiecesForLocale(text, static_cast<int>(std::strlen(text)))) {
        runs += piece.latin1 ? "[" + piece.text + "]" : piece.text;
    }
    return runs;
}

}  // namespace

TEST(LabelText, CLocaleLeavesTheDegreeSignToTheLatin1Font)
{
    LocaleScope locale("C");
    ASSERT_TRUE(locale.ok());
    EXPECT_EQ(Convert("6h+10\260"), "6h+10[\260]");
    EXPECT_EQ(Convert("51.48\260N 0.00\260E (+0.0h)  Greenwich"), "51.48[\260]N 0.00[\260]E (+0.0h)  Greenwich");
    EXPECT_EQ(Convert("\260\261x"), "[\260\261]x");
    EXPECT_EQ(Convert("plain ASCII"), "plain ASCII");
    EXPECT_EQ(Convert(""), "");
}

TEST(LabelText, Utf8LocaleGetsTheDegreeSignEncoded)
{
    LocaleScope locale("C.UTF-8");
    if (!locale.ok())
        GTEST_SKIP() << "no C.UTF-8 locale";
    EXPECT_EQ(Convert("10\260+30\260"), "10\xC2\xB0+30\xC2\xB0");
    // Text already in the locale's encoding passes unchanged.
    EXPECT_EQ(Convert("10\xC2\xB0 Orion"), "10\xC2\xB0 Orion");
    // A sequence cut off at the end is taken byte by byte.
    EXPECT_EQ(Convert("x\xC2"), "x\xC3\x82");
}

TEST(LabelText, FontSetDrawsTheDegreeSignAndThePartAfterIt)
{
    LocaleScope locale("C");
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    char** missing = nullptr;
    int missingCount = 0;
    char* fallback = nullptr;
    XFontSet fontSet = XCreateFontSet(display, "-*-fixed-medium-r-normal--13-*", &missing, &missingCount,
                                      &fallback);
    if (missing != nullptr)
        XFreeStringList(missing);
    ASSERT_NE(fontSet, nullptr);
    const char* label = "6h+10\260 and more";
    const int full = LabelTextWidth(fontSet, label, static_cast<int>(std::strlen(label)));
    const int head = LabelTextWidth(fontSet, "6h+10", 5);
    const int tail = LabelTextWidth(fontSet, " and more", 9);
    EXPECT_GT(full, head + tail);   // the sign has its width

    Pixmap pixmap = XCreatePixmap(display, DefaultRootWindow(display), 200, 20,
                                  static_cast<unsigned>(DefaultDepth(display, DefaultScreen(display))));
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    // The rightmost inked column: the tail is drawn after the sign, up to
    // the label's measured width; without a font set nothing is drawn.
    const auto rightmostInk = [&](XFontSet set) {
        XSetForeground(display, gc, BlackPixel(display, DefaultScreen(display)));
        XFillRectangle(display, pixmap, gc, 0, 0, 200, 20);
        XSetForeground(display, gc, WhitePixel(display, DefaultScreen(display)));
        DrawLabelText(display, pixmap, set, gc, 0, 15, label, static_cast<int>(std::strlen(label)));
        XImage* image = XGetImage(display, pixmap, 0, 0, 200, 20, AllPlanes, ZPixmap);
        int right = -1;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 200; ++x)
                if (XGetPixel(image, x, y) == WhitePixel(display, DefaultScreen(display)))
                    right = std::max(right, x);
        XDestroyImage(image);
        return right;
    };
    const int right = rightmostInk(fontSet);
    EXPECT_GT(right, full - tail);
    EXPECT_LT(right, full);
    EXPECT_EQ(rightmostInk(nullptr), -1);
    XFreeGC(display, gc);
    XFreePixmap(display, pixmap);
    XFreeFontSet(display, fontSet);
    XCloseDisplay(display);
}
