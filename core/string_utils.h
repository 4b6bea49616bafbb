// Small text and flag operations shared by the whole program.
#pragma once

#include <X11/Intrinsic.h>
#include <cstddef>
#include <cstdint>

// Converts a text to upper (lower) case in place, byte by byte, with toupper
// (tolower) under the current LC_CTYPE.
// Given:    text  the text to change (null or empty: returned unchanged)
// Returned: text
char* StrUpper(char* text);
char* StrLower(char* text);

// 1 when both texts are given and equal without regard to case, else 0
// (a null on either side gives 0).
int StrCaseEqual(const char* a, const char* b);

// Upper case of an ASCII letter; every other byte, including the bytes of
// EUC-JP and Latin-1 texts, comes back unchanged. Command words and keywords
// are compared this way, so they match alike in every locale. Inline: the
// keyword tables compare every byte of a command through it.
inline char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char AsciiLower(char c);

// Upper-cases the ASCII letters of a text in place (AsciiUpper), so that
// names and keywords upper-cased for a lookup read alike in every locale.
// Given:    text  the text to change (null: returned as is)
// Returned: text
char* AsciiUpperText(char* text);

// 1 when both texts are given and equal, ASCII letters compared without
// regard to case (see AsciiUpper), else 0.
int AsciiCaseEqual(const char* a, const char* b);

// 1 when both texts are given and their first n bytes are equal (or both end
// equal before), ASCII letters compared without regard to case, else 0.
int AsciiCaseEqualN(const char* a, const char* b, size_t n);

// Whether a byte is an ASCII letter, or an ASCII letter or digit: whatever
// the locale, a Latin-1 or EUC-JP byte is neither.
bool IsAsciiLetter(char c);
bool IsAsciiAlnum(char c);

// Whether a text begins with a prefix (every text begins with "").
bool StartsWith(const char* text, const char* prefix);

// Whether a word of a line is there and is `word`, compared without regard
// to ASCII case.
// Given:    token  the word (null: absent)
bool IsWord(const char* token, const char* word);

// Copies a text into a buffer of `size` bytes, cutting it to size - 1
// characters: cutting is intended. A null text copies as empty; a buffer of
// no bytes is left alone.
void CopyCut(char* out, size_t size, const char* text);

// Set, clear or toggle a group of flag bits.
// Given:    flags      the flag byte
//           mask       the bits of the group
//           operation  0 clear, 1 set, 2 toggle the group as one: if any mask
//                      bit is set all are cleared, else all are set
// Returned: the new flag byte; 0 for any other operation
uint8_t ApplyBitOp(uint8_t flags, uint8_t mask, int operation);

// The number a number field's text, or a number of a user's data file,
// reads as: its leading base-10 number, text after it ignored ("7000x" is
// 7000), no number at all 0.
// Given:    text  the field's text (null: 0)
// Returned: the value; integers outside the int range are clamped to it, and
//           "nan", "inf", a hexadecimal number or a real too large for a
//           double count as no number (0)
int TextIntValue(const char* text);
double TextDoubleValue(const char* text);

// The number in a Motif text or text-field widget, read as TextIntValue or
// TextDoubleValue reads it.
// Given:    field  a text or text-field widget
int GetTextFieldInt(Widget field);
double GetTextFieldDouble(Widget field);
