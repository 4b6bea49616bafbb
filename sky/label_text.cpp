#include "sky/label_text.h"

#include "core/string_utils.h"
#include "sky/font_sets.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <langinfo.h>

namespace {

constexpr char kLatin1Charset[] = "-iso8859-1";

// Appends one Latin-1 character in the locale's encoding; false when the
// locale has no such character.
bool AppendLatin1(std::string& out, unsigned char byte)
{
    char encoded[MB_LEN_MAX];
    std::mbstate_t state{};
    const size_t size = std::wcrtomb(encoded, static_cast<wchar_t>(byte), &state);
    if (size == static_cast<size_t>(-1)) {
        return false;
    }
    out.append(encoded, size);
    return true;
}

// The run that takes the next bytes of the kind given.
std::string& RunOf(std::vector<LabelPiece>& pieces, bool latin1)
{
    if (pieces.empty() || pieces.back().latin1 != latin1) {
        pieces.push_back(LabelPiece{std::string(), latin1});
    }
    return pieces.back().text;
}

// The ISO8859-1 font of a font set, when the set holds one that is loaded
// (a set loads its fonts when it is made in a locale with a single charset,
// the only kind that lacks Latin-1 characters).
XFontStruct* Latin1Font(XFontSet fontSet)
{
    XFontStruct** fonts = nullptr;
    char** names = nullptr;
    const int count = XFontsOfFontSet(fontSet, &fonts, &names);
    const size_t suffix = sizeof kLatin1Charset - 1;
    for (int i = 0; i < count; ++i) {
        const size_t length = std::strlen(names[i]);
        if (length >= suffix && AsciiCaseEqual(names[i] + length - suffix, kLatin1Charset) != 0 &&
            fonts[i]->fid != 0 && fonts[i]->per_char != nullptr) {
            return fonts[i];
        }
    }
    return nullptr;
}

// The font that draws a label byte for byte. In a locale whose characters
// are single Latin-1 bytes (C, POSIX, ISO-8859-1) a font set holds just its
// ISO8859-1 font, and every byte of a label, the locale's own or a Latin-1
// degree sign, is drawn as that font's glyph: the whole label can go to the
// font at once, without the font set's conversions.
XFontStruct* ByteFont(XFontSet fontSet)
{
    if (MB_CUR_MAX != 1) {
        return nullptr;
    }
    XFontStruct** fonts = nullptr;
    char** names = nullptr;
    if (XFontsOfFontSet(fontSet, &fonts, &names) != 1 || Latin1Font(fontSet) == nullptr) {
        return nullptr;
    }
    const char* codeset = nl_langinfo(CODESET);
    return std::strcmp(codeset, "ANSI_X3.4-1968") == 0 || std::strcmp(codeset, "ISO-8859-1") == 0 ? fonts[0]
                                                                                                  : nullptr;
}

int PieceWidth(XFontSet fontSet, XFontStruct* latin1Font, const LabelPiece& piece)
{
    const int size = static_cast<int>(piece.text.size());
    if (!piece.latin1) {
        return XmbTextEscapement(fontSet, piece.text.data(), size);
    }
    if (latin1Font != nullptr) {
        return XTextWidth(latin1Font, piece.text.data(), size);
    }
    const std::string blanks(piece.text.size(), ' ');
    return XmbTextEscapement(fontSet, blanks.data(), size);
}

void DrawPiece(Display* display, Drawable drawable, XFontSet fontSet, XFontStruct* latin1Font, GC gc, int x,
               int baseline, const LabelPiece& piece)
{
    const int size = static_cast<int>(piece.text.size());
    if (!piece.latin1) {
        XmbDrawString(display, drawable, fontSet, gc, x, baseline, piece.text.data(), size);
    } else if (latin1Font != nullptr) {
        // The font set's own drawing sets the GC's font for each run, so
        // changing it here disturbs nothing.
        XSetFont(display, gc, latin1Font->fid);
        XDrawString(display, drawable, gc, x, baseline, piece.text.data(), size);
    }
}

bool HasLatin1Piece(const std::vector<LabelPiece>& pieces)
{
    for (const LabelPiece& piece : pieces) {
        if (piece.latin1) {
            return true;
        }
    }
    return false;
}

// Plain ASCII reads the same in every locale, so it needs no decoding.
bool IsAscii(const char* text, int length)
{
    for (int i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<LabelPiece> LabelPiecesForLocale(const char* text, int length)
{
    std::vector<LabelPiece> pieces;
    std::mbstate_t state{};
    int i = 0;
    while (i < length) {
        // A run of ASCII in the initial shift state is itself in every
        // locale: no need to decode it byte by byte.
        int ascii = i;
        if (std::mbsinit(&state) != 0) {
            while (ascii < length && static_cast<unsigned char>(text[ascii]) < 0x80) {
                ++ascii;
            }
        }
        if (ascii > i) {
            RunOf(pieces, false).append(text + i, static_cast<size_t>(ascii - i));
            i = ascii;
            continue;
        }
        wchar_t ignored;
        const size_t size = std::mbrtowc(&ignored, text + i, static_cast<size_t>(length - i), &state);
        if (size == 0 || size > static_cast<size_t>(length - i)) {
            // An invalid or cut-off sequence: this byte is Latin-1.
            state = std::mbstate_t{};
            std::string encoded;
            if (AppendLatin1(encoded, static_cast<unsigned char>(text[i]))) {
                RunOf(pieces, false) += encoded;
            } else {
                RunOf(pieces, true).push_back(text[i]);
            }
            ++i;
        } else {
            RunOf(pieces, false).append(text + i, size);
            i += static_cast<int>(size);
        }
    }
    return pieces;
}

int LabelTextWidth(XFontSet fontSet, const char* text, int length)
{
    if (fontSet == nullptr) {
        return 0;
    }
    if (XFontStruct* font = ByteFont(fontSet)) {
        return XTextWidth(font, text, length);
    }
    if (IsAscii(text, length)) {
        return XmbTextEscapement(fontSet, text, length);
    }
    const std::vector<LabelPiece> pieces = LabelPiecesForLocale(text, length);
    XFontStruct* latin1Font = HasLatin1Piece(pieces) ? Latin1Font(fontSet) : nullptr;
    int width = 0;
    for (const LabelPiece& piece : pieces) {
        width += PieceWidth(fontSet, latin1Font, piece);
    }
    return width;
}

void DrawLabelText(Display* display, Drawable drawable, XFontSet fontSet, GC gc, int x, int baseline,
                   const char* text, int length)
{
    if (fontSet == nullptr) {
        return;
    }
    if (XFontStruct* font = ByteFont(fontSet)) {
        XSetFont(display, gc, font->fid);
        XDrawString(display, drawable, gc, x, baseline, text, length);
        return;
    }
    if (IsAscii(text, length)) {
        XmbDrawString(display, drawable, fontSet, gc, x, baseline, text, length);
        return;
    }
    const std::vector<LabelPiece> pieces = LabelPiecesForLocale(text, length);
    XFontStruct* latin1Font = HasLatin1Piece(pieces) ? Latin1Font(fontSet) : nullptr;
    for (size_t i = 0; i < pieces.size(); ++i) {
        DrawPiece(display, drawable, fontSet, latin1Font, gc, x, baseline, pieces[i]);
        // Each run starts where the one before it ends.
        if (i + 1 < pieces.size()) {
            x += PieceWidth(fontSet, latin1Font, pieces[i]);
        }
    }
}

XFontSet LabelFontSet(int number) { return GetFontSet(number); }

XRectangle LabelFontExtent(int number)
{
    const XFontSetExtents* extents = GetFontSetExtents(number);
    return extents != nullptr ? extents->max_logical_extent : XRectangle{0, 0, 0, 0};
}

int LabelFontAscent(int number) { return -LabelFontExtent(number).y; }

int LabelFontDescent(int number) { return LabelFontExtent(number).height + LabelFontExtent(number).y; }
