// JPEG files for the viewer's tests, the fuzzer's seeds and the
// benchmarks, written by the IJG library's own compressor: flat colour
// blocks, in colour (baseline or progressive), grey or CMYK.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace jpegtest {

struct Rgb {
    uint8_t r, g, b;
};

enum class JpegKind { kBaseline, kProgressive, kGrey, kCmyk };

// A picture of vertical stripes, one colour each, equally wide.
struct StripePicture {
    int width;
    int height;
    std::vector<Rgb> stripes;
    JpegKind kind = JpegKind::kBaseline;

    Rgb At(int x) const
    {
        return stripes[static_cast<size_t>(x) * stripes.size() / static_cast<size_t>(width)];
    }
};

// Writes the picture at quality 95 (grey pictures take the mean of each
// stripe's channels; CMYK ones the plain complement with no black).
inline bool WriteJpeg(const std::string& path, const StripePicture& picture)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    const bool grey = picture.kind == JpegKind::kGrey;
    const bool cmyk = picture.kind == JpegKind::kCmyk;
    info.input_components = grey ? 1 : (cmyk ? 4 : 3);
    info.in_color_space = grey ? JCS_GRAYSCALE : (cmyk ? JCS_CMYK : JCS_RGB);
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (picture.kind == JpegKind::kProgressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(picture.width * info.input_components));
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb c = picture.At(x);
            JSAMPLE* out = &row[static_cast<size_t>(x * info.input_components)];
            if (grey) {
                out[0] = static_cast<JSAMPLE>((c.r + c.g + c.b) / 3);
            } else if (cmyk) {
                out[0] = static_cast<JSAMPLE>(255 - c.r);
                out[1] = static_cast<JSAMPLE>(255 - c.g);
                out[2] = static_cast<JSAMPLE>(255 - c.b);
                out[3] = 0;
            } else {
                out[0] = c.r;
                out[1] = c.g;
                out[2] = c.b;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

// Six saturated and mixed colours, far apart, so a quantiser keeps them.
inline std::vector<Rgb> TestStripes()
{
    return {{230, 30, 30}, {30, 200, 40}, {40, 60, 220}, {240, 220, 40}, {250, 250, 250}, {20, 20, 20}};
}

}  // namespace jpegtest
