#include "dialogs/jpeg_decoder.h"

#include <csetjmp>
#include <cstdlib>
#include <cstring>

// The IJG header expects stdio's FILE and size_t declared before it.
#include <jpeglib.h>

namespace {

constexpr size_t kMaxLibraryBytes = 2 * kMaxPictureBytes;

// The library's error manager with the way back to the decoder. The
// pixels taken before a jump are freed on the way back.
struct JpegErrorManager {
    jpeg_error_mgr manager;
    jmp_buf back;
};

// The library's error_exit: its message goes out as the library writes
// it, then the decoder resumes at its setjmp.
void JpegErrorExit(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->back, 1);
}

int Width(unsigned long mask)
{
    int bits = 0;
    for (; mask != 0; mask >>= 1) {
        bits += static_cast<int>(mask & 1);
    }
    return bits;
}

int Shift(unsigned long mask)
{
    int shift = 0;
    for (; mask != 0 && (mask & 1) == 0; mask >>= 1) {
        ++shift;
    }
    return shift;
}

uint32_t Channel(unsigned value, unsigned long mask)
{
    const int bits = Width(mask);
    const uint32_t top = bits >= 8 ? value << (bits - 8) : value >> (8 - bits);
    return top << Shift(mask);
}

bool WithinLimits(const jpeg_decompress_struct& info, const PixelLayout& layout)
{
    const size_t width = info.output_width, height = info.output_height;
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height * static_cast<size_t>(layout.bytesPerPixel) <= kMaxPictureBytes;
}

// One decoded row into pixels.
void ConvertRow(const jpeg_decompress_struct& info, const PixelLayout& layout, const JSAMPLE* row,
                char* out)
{
    const bool grey = info.out_color_components == 1;
    for (JDIMENSION x = 0; x < info.output_width; ++x) {
        if (layout.bytesPerPixel == 1) {
            out[x] = static_cast<char>(layout.cells[row[x]]);
            continue;
        }
        const JSAMPLE* sample = grey ? row + x : row + 3 * x;
        const uint32_t pixel = grey ? ComposePixel(layout, sample[0], sample[0], sample[0])
                                    : ComposePixel(layout, sample[0], sample[1], sample[2]);
        if (layout.bytesPerPixel == 2) {
            const uint16_t word = static_cast<uint16_t>(pixel);
            std::memcpy(out + 2 * x, &word, 2);
        } else {
            std::memcpy(out + 4 * x, &pixel, 4);
        }
    }
}

// The colours of the quantised indices: the library's colour map, or for
// a grey picture an even ramp.
void StorePalette(const jpeg_decompress_struct& info, JpegPicture& picture)
{
    const int count = info.actual_number_of_colors;
    picture.colorCount = count < kQuantizedColors ? count : kQuantizedColors;
    for (int i = 0; i < picture.colorCount; ++i) {
        for (int c = 0; c < 3; ++c) {
            picture.palette[i][c] = info.out_color_components == 1
                                        ? static_cast<uint8_t>((256 / count) * i)
                                        : info.colormap[c][i];
        }
    }
}

}  // namespace

int BytesPerPixelOfDepth(int depth)
{
    switch (depth) {
    case 8:
        return 1;
    case 16:
        return 2;
    case 24:
    case 32:
        return 4;
    default:
        return 0;
    }
}

uint32_t ComposePixel(const PixelLayout& layout, unsigned red, unsigned green, unsigned blue)
{
    return Channel(red, layout.redMask) | Channel(green, layout.greenMask) |
           Channel(blue, layout.blueMask);
}

// Plain C from here to the end of the decoder: the library jumps back into
// it, and no object with a destructor may stand between the setjmp and the
// jump.
int DecodeJpegStream(FILE* file, const PixelLayout& layout, JpegPicture& picture)
{
    picture = JpegPicture{};
    if (layout.bytesPerPixel != 1 && layout.bytesPerPixel != 2 && layout.bytesPerPixel != 4) {
        return 0;
    }
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JpegErrorExit;
    char* volatile pixels = nullptr;
    if (setjmp(errors.back) != 0) {
        std::free(pixels);
        jpeg_destroy_decompress(&info);
        return 0;
    }
    jpeg_create_decompress(&info);
    // The library's own whole-image buffers (progressive pictures, the
    // two-pass quantiser) count against this; past it the decoding fails
    // instead of taking the machine's memory.
    info.mem->max_memory_to_use = static_cast<long>(kMaxLibraryBytes);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    // The library gives CMYK as four channels, which no pixel layout here
    // takes.
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&info);
        return 0;
    }
    if (layout.bytesPerPixel == 1) {
        info.quantize_colors = TRUE;
        info.two_pass_quantize = TRUE;
        info.desired_number_of_colors = kQuantizedColors;
    }
    jpeg_calc_output_dimensions(&info);
    if (!WithinLimits(info, layout)) {
        jpeg_destroy_decompress(&info);
        return 0;
    }
    jpeg_start_decompress(&info);
    const size_t rowBytes = static_cast<size_t>(info.output_width) * layout.bytesPerPixel;
    pixels = static_cast<char*>(std::malloc(rowBytes * info.output_height));
    if (pixels == nullptr) {
        jpeg_destroy_decompress(&info);
        return 0;
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                              info.output_width * info.output_components, 1);
    while (info.output_scanline < info.output_height) {
        char* out = pixels + rowBytes * info.output_scanline;
        jpeg_read_scanlines(&info, row, 1);
        ConvertRow(info, layout, row[0], out);
    }
    if (layout.bytesPerPixel == 1) {
        StorePalette(info, picture);
    }
    jpeg_finish_decompress(&info);
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    // A stream cut short or damaged in a way the library gets past is only
    // a warning, which it has said; it fills the rest, and the picture is
    // shown with what it has.
    jpeg_destroy_decompress(&info);
    picture.pixels = pixels;
    return 1;
}

void FreeJpegPicture(JpegPicture& picture)
{
    std::free(picture.pixels);
    picture.pixels = nullptr;
}
