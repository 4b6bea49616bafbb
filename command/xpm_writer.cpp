#include "command/xpm_writer.h"

#include "core/replacement_file.h"
#include "core/string_utils.h"

#include <X11/xpm.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr size_t kArrayNameSize = 256;

// Owns the colour table and pixel indexes the XPM library builds.
struct OwnedXpmImage {
    XpmImage image{};
    bool made = false;
    ~OwnedXpmImage()
    {
        if (made) {
            XpmFreeXpmImage(&image);
        }
    }
};

// One colour line: the pixel's characters, then each visual's colour.
std::string ColorLine(const XpmColor& color)
{
    std::string text = "\"";
    text += color.string;
    const char* const keys[] = {"s", "m", "g4", "g", "c"};
    const char* const values[] = {color.symbolic, color.m_color, color.g4_color, color.g_color,
                                  color.c_color};
    for (size_t i = 0; i < 5; ++i) {
        if (values[i] != nullptr) {
            text += '\t';
            text += keys[i];
            text += ' ';
            text += values[i];
        }
    }
    text += "\",\n";
    return text;
}

// The XPM 3 text goes out row by row, so that a large image never needs
// all of its text in memory at once.
void WriteXpmText(ReplacementFile& file, const XpmImage& image, const char* path)
{
    char name[kArrayNameSize];
    XpmArrayName(path, name, sizeof name);
    std::string text = "/* XPM */\nstatic char * ";
    text += name;
    text += "[] = {\n";
    char values[64];
    std::snprintf(values, sizeof values, "\"%u %u %u %u\",\n", image.width, image.height,
                  image.ncolors, image.cpp);
    text += values;
    for (unsigned int i = 0; i < image.ncolors; ++i) {
        text += ColorLine(image.colorTable[i]);
    }
    WriteReplacement(file, text.data(), text.size());
    const unsigned int* pixel = image.data;
    for (unsigned int y = 0; y < image.height; ++y) {
        text = '"';
        for (unsigned int x = 0; x < image.width; ++x, ++pixel) {
            text.append(image.colorTable[*pixel].string, image.cpp);
        }
        text += y + 1 < image.height ? "\",\n" : "\"};\n";
        if (!WriteReplacement(file, text.data(), text.size())) {
            return;
        }
    }
}

}  // namespace

void XpmArrayName(const char* path, char* name, size_t size)
{
    if (size == 0) {
        return;
    }
    const char* slash = std::strrchr(path, '/');
    const char* base = slash != nullptr ? slash + 1 : path;
    size_t length = 0;
    for (const char* c = base; *c != '\0' && length + 1 < size; ++c) {
        name[length++] = IsAsciiAlnum(*c) ? *c : '_';
    }
    name[length] = '\0';
    if (length == 0 || std::isdigit(static_cast<unsigned char>(name[0])) != 0) {
        std::snprintf(name, size, "%s", "image");
    }
}

int WriteXpmFile(Display* display, XImage* image, Colormap colormap, const char* path)
{
    if (display == nullptr || image == nullptr || path == nullptr) {
        return 0;
    }
    XpmAttributes attributes{};
    if (colormap != None) {
        attributes.colormap = colormap;
        attributes.valuemask = XpmColormap;
    }
    // The library's own buffer writer gives up on images of a few hundred
    // thousand pixels, so it only builds the colour table here.
    OwnedXpmImage xpm;
    if (XpmCreateXpmImageFromImage(display, image, nullptr, &xpm.image, &attributes) !=
        XpmSuccess) {
        return 0;
    }
    xpm.made = true;
    ReplacementFile file;
    if (!OpenReplacement(file, path)) {
        return 0;
    }
    WriteXpmText(file, xpm.image, path);
    return CommitReplacement(file);
}
