// The viewer's decoder without a display: pictures written by the IJG
// compressor come back as the display's pixels (RGB and BGR masks, 5-6-5,
// 8-bit cells with their palette), grey pictures as grey; a picture cut
// short shows what it has; broken, empty, CMYK and oversized pictures are
// refused and leave nothing behind.
#include <gtest/gtest.h>

#include "dialogs/jpeg_decoder.h"
#include "tests/dialogs/jpeg_writer.h"
#include "tests/harness/test_files.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using jpegtest::JpegKind;
using jpegtest::Rgb;
using jpegtest::StripePicture;
using jpegtest::WriteJpeg;

// A decoded channel may differ this much from what was written: quality
// 95 and flat 32-pixel blocks.
constexpr int kChannelTolerance = 4;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

std::string PicturePath(const char* name)
{
    return TestHome() + "/" + name;
}

int Decode(const std::string& path, const PixelLayout& layout, JpegPicture& picture)
{
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    return file ? DecodeJpegStream(file.get(), layout, picture) : 0;
}

uint32_t PixelAt(const JpegPicture& picture, const PixelLayout& layout, int x, int y)
{
    const char* at = picture.pixels + (static_cast<size_t>(y) * picture.width + x) * layout.bytesPerPixel;
    uint32_t pixel = 0;
    std::memcpy(&pixel, at, static_cast<size_t>(layout.bytesPerPixel));
    return pixel;
}

// A channel back to 8 bits from its place in the pixel.
int ChannelOf(uint32_t pixel, unsigned long mask)
{
    int shift = 0, bits = 0;
    while (((mask >> shift) & 1) == 0) {
        ++shift;
    }
    while (((mask >> (shift + bits)) & 1) != 0) {
        ++bits;
    }
    const int value = static_cast<int>((pixel & mask) >> shift);
    return bits >= 8 ? value >> (bits - 8) : value << (8 - bits);
}

const StripePicture kStripes{192, 64, jpegtest::TestStripes()};

struct LayoutRow {
    const char* name;
    PixelLayout layout;
    int tolerance;   // a 5-6-5 pixel holds steps of 8 and 4
};

const LayoutRow kLayouts[] = {
    {"RGB 24", {4, 0xff0000, 0x00ff00, 0x0000ff, nullptr}, kChannelTolerance},
    {"BGR 24", {4, 0x0000ff, 0x00ff00, 0xff0000, nullptr}, kChannelTolerance},
    {"RGB 5-6-5", {2, 0xf800, 0x07e0, 0x001f, nullptr}, kChannelTolerance + 8},
};

TEST(JpegDecoder, StripesComeBackInTheDisplaysChannels)
{
    const std::string path = PicturePath("stripes.jpg");
    for (JpegKind kind : {JpegKind::kBaseline, JpegKind::kProgressive}) {
        StripePicture written = kStripes;
        written.kind = kind;
        ASSERT_TRUE(WriteJpeg(path, written));
        for (const LayoutRow& row : kLayouts) {
            SCOPED_TRACE(row.name);
            JpegPicture picture;
            ASSERT_EQ(Decode(path, row.layout, picture), 1);
            EXPECT_EQ(picture.width, 192);
            EXPECT_EQ(picture.height, 64);
            for (size_t s = 0; s < written.stripes.size(); ++s) {
                const int x = static_cast<int>(s) * 32 + 16;
                const uint32_t pixel = PixelAt(picture, row.layout, x, 32);
                const Rgb want = written.stripes[s];
                EXPECT_NEAR(ChannelOf(pixel, row.layout.redMask), want.r, row.tolerance) << s;
                EXPECT_NEAR(ChannelOf(pixel, row.layout.greenMask), want.g, row.tolerance) << s;
                EXPECT_NEAR(ChannelOf(pixel, row.layout.blueMask), want.b, row.tolerance) << s;
            }
            FreeJpegPicture(picture);
        }
    }
}

TEST(JpegDecoder, FiveSixFiveIsTheTopBitsOfEachChannel)
{
    const PixelLayout layout{2, 0xf800, 0x07e0, 0x001f, nullptr};
    EXPECT_EQ(ComposePixel(layout, 0xff, 0xff, 0xff), 0xffffu);
    EXPECT_EQ(ComposePixel(layout, 0x87, 0x43, 0x21), (0x80u << 8) | (0x40u << 3) | (0x21u >> 3));
    const PixelLayout bgr{4, 0x0000ff, 0x00ff00, 0xff0000, nullptr};
    EXPECT_EQ(ComposePixel(bgr, 0x12, 0x34, 0x56), 0x563412u);
}

TEST(JpegDecoder, GreyPicturesGiveGreyPixels)
{
    const std::string path = PicturePath("grey.jpg");
    StripePicture written = kStripes;
    written.kind = JpegKind::kGrey;
    ASSERT_TRUE(WriteJpeg(path, written));
    for (const LayoutRow& row : kLayouts) {
        SCOPED_TRACE(row.name);
        JpegPicture picture;
        ASSERT_EQ(Decode(path, row.layout, picture), 1);
        for (size_t s = 0; s < written.stripes.size(); ++s) {
            const uint32_t pixel = PixelAt(picture, row.layout, static_cast<int>(s) * 32 + 16, 32);
            const Rgb c = written.stripes[s];
            const int grey = (c.r + c.g + c.b) / 3;
            EXPECT_NEAR(ChannelOf(pixel, row.layout.redMask), grey, row.tolerance);
            EXPECT_NEAR(ChannelOf(pixel, row.layout.greenMask), grey, row.tolerance);
            EXPECT_NEAR(ChannelOf(pixel, row.layout.blueMask), grey, row.tolerance);
        }
        FreeJpegPicture(picture);
    }
}

// At 8 bits every pixel is the cell of a quantised colour, and the palette
// holds that colour.
TEST(JpegDecoder, EightBitPixelsAreCellsOfTheQuantisedColours)
{
    unsigned long cells[kQuantizedColors];
    for (int i = 0; i < kQuantizedColors; ++i) {
        cells[i] = static_cast<unsigned long>(100 + i);   // not the indices themselves
    }
    const PixelLayout layout{1, 0, 0, 0, cells};
    const std::string path = PicturePath("cells.jpg");
    ASSERT_TRUE(WriteJpeg(path, kStripes));
    JpegPicture picture;
    ASSERT_EQ(Decode(path, layout, picture), 1);
    ASSERT_GE(picture.colorCount, 6);
    ASSERT_LE(picture.colorCount, kQuantizedColors);
    for (size_t s = 0; s < kStripes.stripes.size(); ++s) {
        const int cell = static_cast<uint8_t>(picture.pixels[32 * 192 + s * 32 + 16]);
        ASSERT_GE(cell, 100);
        ASSERT_LT(cell, 100 + picture.colorCount);
        const uint8_t* colour = picture.palette[cell - 100];
        const Rgb want = kStripes.stripes[s];
        EXPECT_NEAR(colour[0], want.r, 2 * kChannelTolerance) << s;
        EXPECT_NEAR(colour[1], want.g, 2 * kChannelTolerance) << s;
        EXPECT_NEAR(colour[2], want.b, 2 * kChannelTolerance) << s;
    }
    FreeJpegPicture(picture);

    StripePicture grey = kStripes;
    grey.kind = JpegKind::kGrey;
    ASSERT_TRUE(WriteJpeg(path, grey));
    ASSERT_EQ(Decode(path, layout, picture), 1);
    for (int i = 0; i < picture.colorCount; ++i) {
        const int ramp = (256 / picture.colorCount) * i;
        EXPECT_EQ(picture.palette[i][0], ramp);
        EXPECT_EQ(picture.palette[i][1], ramp);
        EXPECT_EQ(picture.palette[i][2], ramp);
    }
    FreeJpegPicture(picture);
}

// A picture cut short decodes with the library's warnings only: it is
// shown, its top as it was written and the rest as the library fills it.
TEST(JpegDecoder, APictureCutShortIsShownWithWhatItHas)
{
    const std::string good = PicturePath("whole.jpg");
    ASSERT_TRUE(WriteJpeg(good, kStripes));
    const std::string bytes = ReadFile(good);
    // Half of the compressed data after the scan header.
    const size_t scan = bytes.find("\xff\xda");
    ASSERT_NE(scan, std::string::npos);
    const std::string path = PicturePath("cut.jpg");
    WriteFile(path, bytes.substr(0, scan + (bytes.size() - scan) / 2));
    for (const LayoutRow& row : kLayouts) {
        SCOPED_TRACE(row.name);
        JpegPicture whole;
        JpegPicture cut;
        ASSERT_EQ(Decode(good, row.layout, whole), 1);
        ::testing::internal::CaptureStderr();
        ASSERT_EQ(Decode(path, row.layout, cut), 1);
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("Premature end"), std::string::npos);
        ASSERT_NE(cut.pixels, nullptr);
        EXPECT_EQ(cut.width, whole.width);
        EXPECT_EQ(cut.height, whole.height);
        for (int x = 0; x < whole.width; x += 8) {
            EXPECT_EQ(PixelAt(cut, row.layout, x, 0), PixelAt(whole, row.layout, x, 0)) << x;
        }
        FreeJpegPicture(whole);
        FreeJpegPicture(cut);
    }
}

// What cannot be shown is refused, with no pixels left to free; the
// library speaks of a broken stream, and nothing else is said.
TEST(JpegDecoder, BrokenEmptyCmykAndHugePicturesAreRefused)
{
    const std::string good = PicturePath("good.jpg");
    ASSERT_TRUE(WriteJpeg(good, kStripes));
    const std::string bytes = ReadFile(good);
    StripePicture cmyk = kStripes;
    cmyk.kind = JpegKind::kCmyk;
    ASSERT_TRUE(WriteJpeg(PicturePath("cmyk.jpg"), cmyk));

    // The frame header's height and width (after FF C0, length, precision).
    std::string huge = bytes;
    const size_t frame = huge.find("\xff\xc0");
    ASSERT_NE(frame, std::string::npos);
    for (size_t i : {frame + 5, frame + 7}) {
        huge[i] = static_cast<char>(0x75);   // 30000 = 0x7530
        huge[i + 1] = static_cast<char>(0x30);
    }
    std::string broken = bytes;
    for (size_t i = bytes.size() / 3; i < bytes.size() - 2; i += 7) {
        broken[i] = static_cast<char>(broken[i] ^ 0x5a);
    }
    const struct {
        const char* name;
        std::string content;
        bool librarySpeaks;
    } rows[] = {
        {"empty", "", true},
        {"not a picture", "just some text\n", true},
        {"header only", bytes.substr(0, 200), true},
        {"damaged data", broken, true},
        {"30000 x 30000", huge, false},
        {"cmyk", ReadFile(PicturePath("cmyk.jpg")), false},
    };
    for (const PixelLayout& layout : {kLayouts[0].layout, kLayouts[2].layout}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(row.name);
            const std::string path = PicturePath("refused.jpg");
            WriteFile(path, row.content);
            JpegPicture picture;
            ::testing::internal::CaptureStderr();
            EXPECT_EQ(Decode(path, layout, picture), 0);
            EXPECT_EQ(::testing::internal::GetCapturedStderr().empty(), !row.librarySpeaks);
            EXPECT_EQ(picture.pixels, nullptr);
        }
    }
    JpegPicture picture;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Decode(good, PixelLayout{3, 0, 0, 0, nullptr}, picture), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "a display depth of 3 bytes";
}

TEST(JpegDecoder, DisplayDepthsHaveTheirPixelSizes)
{
    const struct {
        int depth, bytes;
    } rows[] = {{8, 1}, {16, 2}, {24, 4}, {32, 4}, {1, 0}, {4, 0}, {15, 0}, {30, 0}};
    for (const auto& row : rows) {
        EXPECT_EQ(BytesPerPixelOfDepth(row.depth), row.bytes) << row.depth;
    }
}

}  // namespace

namespace {

// The fuzzer's seeds (tests/fuzz/jpeg_corpus) are this writer's pictures:
// 32 x 16 stripes, baseline, progressive, grey and CMYK. A failure here
// means the compressor changed; write them again with these calls.
TEST(JpegDecoder, FuzzSeedsAreTheWritersPictures)
{
    const struct {
        const char* name;
        JpegKind kind;
        int decodes;
    } seeds[] = {{"baseline.jpg", JpegKind::kBaseline, 1},
                 {"progressive.jpg", JpegKind::kProgressive, 1},
                 {"grey.jpg", JpegKind::kGrey, 1},
                 {"cmyk.jpg", JpegKind::kCmyk, 0}};
    for (const auto& seed : seeds) {
        const std::string path = PicturePath(seed.name);
        ASSERT_TRUE(WriteJpeg(path, StripePicture{32, 16, jpegtest::TestStripes(), seed.kind}));
        EXPECT_EQ(ReadFile(path), ReadFile(std::string(UVOLA_SOURCE_DIR "/tests/fuzz/jpeg_corpus/") + seed.name))
            << seed.name;
        JpegPicture picture;
        EXPECT_EQ(Decode(path, kLayouts[0].layout, picture), seed.decodes) << seed.name;
        FreeJpegPicture(picture);
    }
}

}  // namespace
