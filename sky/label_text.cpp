#include "sky/label_text.h"

#include <climits>
#include <cwchar>

namespace {

// Appends one Latin-1 character in the locale's encoding, if it has one.
void AppendLatin1(std::string& out, unsigned char byte)
{
    char encoded[MB_LEN_MAX];
    std::mbstate_t state{};
    const size_t size = std::wcrtomb(encoded, static_cast<wchar_t>(byte), &state);
    if (size != static_cast<size_t>(-1)) {
        out.append(encoded, size);
    }
}

}  // namespace

std::string LabelTextForLocale(const char* text, int length)
{
    std::string out;
    out.reserve(static_cast<size_t>(length) + 8);
    std::mbstate_t state{};
    int i = 0;
    while (i < length) {
        wchar_t ignored;
        const size_t size = std::mbrtowc(&ignored, text + i, static_cast<size_t>(length - i), &state);
        if (size == 0 || size > static_cast<size_t>(length - i)) {
            // An invalid or cut-off sequence: this byte is Latin-1.
            state = std::mbstate_t{};
            AppendLatin1(out, static_cast<unsigned char>(text[i]));
            ++i;
        } else {
            out.append(text + i, size);
            i += static_cast<int>(size);
        }
    }
    return out;
}

int LabelTextWidth(XFontSet fontSet, const char* text, int length)
{
    if (fontSet == nullptr) {
        return 0;
    }
    const std::string converted = LabelTextForLocale(text, length);
    return XmbTextEscapement(fontSet, converted.data(), static_cast<int>(converted.size()));
}

int DrawLabelText(Display* display, Drawable drawable, XFontSet fontSet, GC gc, int x, int baseline,
                  const char* text, int length)
{
    if (fontSet == nullptr) {
        return 0;
    }
    const std::string converted = LabelTextForLocale(text, length);
    const int size = static_cast<int>(converted.size());
    XmbDrawString(display, drawable, fontSet, gc, x, baseline, converted.data(), size);
    return XmbTextEscapement(fontSet, converted.data(), size);
}
