// Decoding a JPEG picture into the pixels of an X image, apart from X, so
// that the tests and the fuzzer need no display: the IJG library (API 62,
// decompression only, stdio source) reads the stream; each pixel is made
// as the display's visual wants it, from its channel masks at 16 and 24
// bits, or as a colour cell at 8 bits, where the picture is first reduced
// to 64 colours by the library's two-pass quantiser.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

constexpr int kQuantizedColors = 64;

// Pictures larger than this are refused before any pixel memory is taken:
// the X protocol's limit on a side, and a quarter gigabyte of pixels.
constexpr int kMaxPictureSide = 32767;
constexpr size_t kMaxPictureBytes = size_t{256} << 20;

// How the display holds a pixel.
struct PixelLayout {
    int bytesPerPixel;            // 1 (8-bit cells), 2 or 4
    unsigned long redMask;        // the visual's channel masks (2 and 4 bytes)
    unsigned long greenMask;
    unsigned long blueMask;
    const unsigned long* cells;   // 1 byte: the cell of each of the 64 colours
};

// The layout of a display depth: 8 one byte, 16 two, 24 and 32 four.
// Returned: the bytes per pixel, or 0 for any other depth
int BytesPerPixelOfDepth(int depth);

// A pixel from 8-bit channels: each channel's top bits put where its mask
// says, so RGB and BGR visuals of any channel widths come out right.
uint32_t ComposePixel(const PixelLayout& layout, unsigned red, unsigned green, unsigned blue);

struct JpegPicture {
    int width = 0;
    int height = 0;
    // malloc'd, width x height x bytes per pixel, rows without padding; the
    // caller owns it (an XImage made on it frees it with it).
    char* pixels = nullptr;
    // 1-byte layout: the colours of the quantised indices as 8-bit RGB,
    // for the cells; colorCount of them.
    int colorCount = 0;
    uint8_t palette[kQuantizedColors][3] = {};
};

// Decodes the JPEG stream. A broken stream is reported by the library's own
// message on standard error; a stream the library only warns about (one
// cut short) is decoded with what it has. A CMYK picture, a picture beyond
// the limits or a layout of another size is refused without a word.
// Given:    file    open for reading, at the picture's start; left open
//           layout  the display's pixels
// Returned: picture the pixels (none when refused)
//           1 when decoded, else 0
int DecodeJpegStream(FILE* file, const PixelLayout& layout, JpegPicture& picture);

// Frees the picture's pixels, if it still owns them.
void FreeJpegPicture(JpegPicture& picture);
