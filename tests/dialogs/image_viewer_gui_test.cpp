// The image viewer on a private X server, run at depths 24, 16 and 8 (the
// same program three times): pictures written by the IJG compressor read
// back from the window within their depth's steps, grey ones grey, the
// viewport of a large picture, a drag that scrolls and stops at the end,
// Prev and Next, pictures that cannot be shown closing the viewer, and at
// depth 8 the palette's cells missing once and found on the next call.
#include "tests/dialogs/finding_gui_support.h"

#include "dialogs/image_viewer.h"
#include "sky/text_list.h"
#include "tests/dialogs/jpeg_writer.h"
#include "tests/harness/test_files.h"

#include <Xm/ScrolledW.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

namespace {

using dialogtest::DialogDriver;
using findingtest::FindingGuiTest;
using jpegtest::JpegKind;
using jpegtest::Rgb;
using jpegtest::StripePicture;

int Depth()
{
    return DefaultDepthOfScreen(gAppEnv->screen);
}

// What a channel may differ by, read back from the window: the decoder's
// 4, plus the steps of a 5-6-5 pixel, or of 64 colours at depth 8.
int Tolerance()
{
    return Depth() == 8 ? 12 : Depth() == 16 ? 4 + 8 : 4;
}

TextList* Pictures(const std::vector<std::pair<const char*, const char*>>& entries)
{
    TextList* list = NewTextList();
    for (const auto& [file, title] : entries) {
        AddTextListItem(list, file, title);
    }
    return list;
}

class ImageViewer : public FindingGuiTest {
protected:
    void SetUp() override
    {
        FindingGuiTest::SetUp();
        std::snprintf(gAppEnv->clickImagePath, sizeof gAppEnv->clickImagePath, "%s/", TestHome().c_str());
    }
    void TearDown() override
    {
        CloseImageDialog(nullptr, nullptr, nullptr);
        FindingGuiTest::TearDown();
    }
    static void Write(const char* name, const StripePicture& picture)
    {
        ASSERT_TRUE(jpegtest::WriteJpeg(TestHome() + "/" + name, picture));
    }
    // Shown and drawn: the viewer is up and its picture exposed.
    bool ShownAndDrawn()
    {
        const ImageViewerParts parts = ImageViewerState();
        return parts.dialog != nullptr && XtIsManaged(parts.dialog) && XtIsRealized(parts.image) &&
               driver.PumpUntil([] {
                   XWindowAttributes a{};
                   XGetWindowAttributes(gAppEnv->display, XtWindow(ImageViewerState().image), &a);
                   return a.map_state == IsViewable;
               });
    }
    // The colour of a pixel of the picture as the window shows it.
    Rgb Shown(int x, int y)
    {
        driver.Pump();
        const ImageViewerParts parts = ImageViewerState();
        XImage* image = XGetImage(gAppEnv->display, XtWindow(parts.image), x, y, 1, 1, AllPlanes, ZPixmap);
        XColor color{};
        color.pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        Colormap colormap = None;
        XtVaGetValues(XtParent(parts.dialog), XmNcolormap, &colormap, nullptr);
        XQueryColor(gAppEnv->display, colormap, &color);
        return {static_cast<uint8_t>(color.red >> 8), static_cast<uint8_t>(color.green >> 8),
                static_cast<uint8_t>(color.blue >> 8)};
    }
    std::string Title() { return findingtest::LabelText(ImageViewerState().dialog, XmNdialogTitle); }
};

// First, while the viewer has no cells yet: at depth 8 with every free
// cell taken the viewer says so and opens nothing; the next call has them.
TEST_F(ImageViewer, WithoutFreeCellsTheNextCallTriesAgain)
{
    Write("first.jpg", StripePicture{120, 60, jpegtest::TestStripes()});
    if (Depth() != 8) {
        GTEST_SKIP() << "only an 8-bit display has colour cells to run out of";
    }
    const Colormap screenMap = DefaultColormapOfScreen(gAppEnv->screen);
    std::vector<unsigned long> taken;
    unsigned long cell = 0;
    while (XAllocColorCells(gAppEnv->display, screenMap, False, nullptr, 0, &cell, 1) != 0) {
        taken.push_back(cell);
    }
    ::testing::internal::CaptureStdout();
    ShowImageDialog(nullptr, Pictures({{"first.jpg", "First"}}));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "uvola: can't allocate palette\n");
    EXPECT_EQ(ImageViewerState().dialog, nullptr);
    XFreeColors(gAppEnv->display, screenMap, taken.data(), static_cast<int>(taken.size()), 0);
    ShowImageDialog(nullptr, Pictures({{"first.jpg", "First"}}));
    EXPECT_TRUE(ShownAndDrawn());
}

TEST_F(ImageViewer, PicturesReadBackInTheirColoursAndStepWithPrevAndNext)
{
    StripePicture stripes{192, 64, jpegtest::TestStripes()};
    Write("stripes.jpg", stripes);
    stripes.kind = JpegKind::kGrey;
    Write("grey.jpg", stripes);
    ShowImageDialog(nullptr, Pictures({{"stripes.jpg", "Stripes"}, {"grey.jpg", nullptr}}));
    ASSERT_TRUE(ShownAndDrawn());
    ImageViewerParts parts = ImageViewerState();
    EXPECT_EQ(Title(), "Stripes");
    EXPECT_FALSE(XtIsSensitive(parts.prev));
    EXPECT_TRUE(XtIsSensitive(parts.next));
    Dimension width = 0, height = 0;
    XtVaGetValues(parts.area, XmNwidth, &width, XmNheight, &height, nullptr);
    EXPECT_EQ(width, 192) << "a small picture's viewport is its own size";
    EXPECT_EQ(height, 64);
    for (size_t s = 0; s < stripes.stripes.size(); ++s) {
        const Rgb want = stripes.stripes[s];
        const Rgb got = Shown(static_cast<int>(s) * 32 + 16, 32);
        EXPECT_NEAR(got.r, want.r, Tolerance()) << s;
        EXPECT_NEAR(got.g, want.g, Tolerance()) << s;
        EXPECT_NEAR(got.b, want.b, Tolerance()) << s;
    }

    driver.Press(parts.dialog, "ButtonNext");
    ASSERT_TRUE(ShownAndDrawn());
    parts = ImageViewerState();
    EXPECT_EQ(parts.index, 1);
    EXPECT_EQ(Title(), "");
    EXPECT_TRUE(XtIsSensitive(parts.prev));
    EXPECT_FALSE(XtIsSensitive(parts.next));
    for (size_t s = 0; s < stripes.stripes.size(); ++s) {
        const Rgb c = stripes.stripes[s];
        const Rgb got = Shown(static_cast<int>(s) * 32 + 16, 32);
        EXPECT_NEAR(got.r, (c.r + c.g + c.b) / 3, Tolerance()) << s;
        EXPECT_NEAR(got.g, got.r, Depth() == 16 ? 4 : 0) << s;
        EXPECT_NEAR(got.b, got.r, Depth() == 16 ? 4 : 0) << s;
    }
    driver.Press(parts.dialog, "ButtonNext");
    EXPECT_EQ(ImageViewerState().index, 1) << "no picture after the last";
    driver.Press(parts.dialog, "ButtonPrev");
    EXPECT_EQ(ImageViewerState().index, 0);
    EXPECT_TRUE(driver.CloseFromWindowManager(parts.dialog));
    EXPECT_EQ(ImageViewerState().picture, nullptr);
}

void SendToImage(int type, int x, int y)
{
    Window window = XtWindow(ImageViewerState().image);
    XEvent event{};
    event.type = type;
    if (type == MotionNotify) {
        event.xmotion.window = window;
        event.xmotion.x = x;
        event.xmotion.y = y;
        event.xmotion.state = Button1Mask;
    } else {
        event.xbutton.window = window;
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.button = Button1;
    }
    const long mask = type == MotionNotify ? Button1MotionMask
                      : type == ButtonPress ? ButtonPressMask : ButtonReleaseMask;
    XSendEvent(gAppEnv->display, window, False, mask, &event);
    DialogDriver::Pump();
}

int ScrollValue(bool vertical)
{
    Widget bar = nullptr;
    XtVaGetValues(ImageViewerState().area, vertical ? XmNverticalScrollBar : XmNhorizontalScrollBar, &bar,
                  nullptr);
    int value = 0;
    XtVaGetValues(bar, XmNvalue, &value, nullptr);
    return value;
}

int ScrollEnd(bool vertical)
{
    Widget bar = nullptr;
    XtVaGetValues(ImageViewerState().area, vertical ? XmNverticalScrollBar : XmNhorizontalScrollBar, &bar,
                  nullptr);
    int minimum = 0, maximum = 0, slider = 0;
    XtVaGetValues(bar, XmNminimum, &minimum, XmNmaximum, &maximum, XmNsliderSize, &slider, nullptr);
    return maximum - minimum - slider;
}

// 4000 x 3000 on the 1280 x 1024 screen: a 1024 x 819 viewport, scrolled
// by dragging; each motion moves it by the whole offset from the press, up
// to the end.
TEST_F(ImageViewer, LargePicturesScrollByDraggingUpToTheirEnd)
{
    Write("large.jpg", StripePicture{4000, 3000, jpegtest::TestStripes()});
    ShowImageDialog(nullptr, Pictures({{"large.jpg", "Large"}}));
    ASSERT_TRUE(ShownAndDrawn());
    Dimension width = 0, height = 0;
    XtVaGetValues(ImageViewerState().area, XmNwidth, &width, XmNheight, &height, nullptr);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 819);
    EXPECT_FALSE(XtIsSensitive(ImageViewerState().next));
    SendToImage(ButtonPress, 600, 500);
    SendToImage(MotionNotify, 500, 480);
    EXPECT_EQ(ScrollValue(false), 100);
    EXPECT_EQ(ScrollValue(true), 20);
    SendToImage(MotionNotify, 500, 480);
    EXPECT_EQ(ScrollValue(false), 200);
    SendToImage(MotionNotify, -5000, -5000);
    EXPECT_EQ(ScrollValue(false), ScrollEnd(false));
    EXPECT_EQ(ScrollValue(true), ScrollEnd(true));
    SendToImage(ButtonRelease, 700, 600);
    EXPECT_EQ(ScrollValue(false), ScrollEnd(false) - 100);
    EXPECT_EQ(ScrollValue(true), ScrollEnd(true) - 100);
}

// Whatever cannot be shown closes the viewer, and nothing hangs on a FIFO;
// a picture cut short is shown.
TEST_F(ImageViewer, PicturesThatCannotBeShownCloseTheViewer)
{
    Write("good.jpg", StripePicture{64, 32, jpegtest::TestStripes()});
    const std::string good = ReadFile(TestHome() + "/good.jpg");
    StripePicture cmyk{64, 32, jpegtest::TestStripes(), JpegKind::kCmyk};
    Write("cmyk.jpg", cmyk);
    const size_t scan = good.find("\xff\xda");
    ASSERT_NE(scan, std::string::npos);
    WriteFile(TestHome() + "/cut.jpg", good.substr(0, scan + (good.size() - scan) / 2));
    WriteFile(TestHome() + "/empty.jpg", "");
    WriteFile(TestHome() + "/text.jpg", "not a picture\n");
    mkdir((TestHome() + "/folder.jpg").c_str(), 0755);
    mkfifo((TestHome() + "/fifo.jpg").c_str(), 0644);
    std::string huge = good;
    const size_t frame = huge.find("\xff\xc0");
    ASSERT_NE(frame, std::string::npos);
    huge.replace(frame + 5, 4, "\x75\x30\x75\x30");   // 30000 x 30000
    WriteFile(TestHome() + "/huge.jpg", huge);
    // The library or the open says why; a picture this display cannot hold
    // is refused without a word.
    const struct {
        const char* name;
        bool said;
    } rows[] = {{"empty.jpg", true},   {"text.jpg", true},    {"folder.jpg", true}, {"fifo.jpg", true},
                {"missing.jpg", true}, {"cmyk.jpg", false},   {"huge.jpg", false}};
    for (const auto& [name, said] : rows) {
        SCOPED_TRACE(name);
        ::testing::internal::CaptureStderr();
        ShowImageDialog(nullptr, Pictures({{name, "Broken"}}));
        EXPECT_EQ(::testing::internal::GetCapturedStderr().empty(), !said);
        ASSERT_NE(ImageViewerState().dialog, nullptr);
        EXPECT_FALSE(XtIsManaged(ImageViewerState().dialog));
        EXPECT_EQ(ImageViewerState().picture, nullptr);
    }
    // A picture cut short shows what it has, with the library's word.
    ::testing::internal::CaptureStderr();
    ShowImageDialog(nullptr, Pictures({{"cut.jpg", "Cut"}}));
    ASSERT_TRUE(ShownAndDrawn());
    EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(Title(), "Cut");
    // The second picture broken: Next closes the viewer.
    ShowImageDialog(nullptr, Pictures({{"good.jpg", "Good"}, {"text.jpg", "Text"}}));
    ASSERT_TRUE(ShownAndDrawn());
    ::testing::internal::CaptureStderr();
    driver.Press(ImageViewerState().dialog, "ButtonNext");
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(XtIsManaged(ImageViewerState().dialog));
    // A list handed over after a close is the viewer's alone; the one
    // before was freed once (the sanitized run would say otherwise).
    ShowImageDialog(nullptr, Pictures({{"good.jpg", "Good"}}));
    ASSERT_TRUE(ShownAndDrawn());
    ShowImageDialog(nullptr, Pictures({{"good.jpg", "Again"}}));
    ASSERT_TRUE(ShownAndDrawn());
    EXPECT_EQ(Title(), "Again");
}

}  // namespace
