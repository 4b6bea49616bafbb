// Fuzzes the image viewer's decoder: the input as a JPEG stream, decoded
// for a 24-bit display and, with its first byte odd, for an 8-bit one
// (the two-pass quantiser and the cells). A picture that decodes must come
// back with pixels inside its limits; the library's messages go to
// standard error as in the program.
#include "dialogs/jpeg_decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr)
        return 0;
    static unsigned long cells[kQuantizedColors];
    for (int i = 0; i < kQuantizedColors; ++i)
        cells[i] = static_cast<unsigned long>(i);
    const bool eightBit = size > 0 && (data[0] & 1) != 0;
    const PixelLayout layout = eightBit ? PixelLayout{1, 0, 0, 0, cells}
                                        : PixelLayout{4, 0xff0000, 0x00ff00, 0x0000ff, nullptr};
    JpegPicture picture;
    if (DecodeJpegStream(file, layout, picture) != 0) {
        const size_t bytes = static_cast<size_t>(picture.width) * picture.height * layout.bytesPerPixel;
        if (picture.pixels == nullptr || picture.width > kMaxPictureSide ||
            picture.height > kMaxPictureSide || bytes > kMaxPictureBytes ||
            picture.colorCount > kQuantizedColors)
            __builtin_trap();
        // Every byte of the pixels is read, so a row left unwritten shows.
        volatile uint8_t sum = 0;
        for (size_t i = 0; i < bytes; ++i)
            sum = static_cast<uint8_t>(sum + picture.pixels[i]);
        FreeJpegPicture(picture);
    }
    std::fclose(file);
    return 0;
}
