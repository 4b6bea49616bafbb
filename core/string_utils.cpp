#include "core/string_utils.h"

#include <Xm/Text.h>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

char* StrUpper(char* text)
{
    for (char* c = text; c != nullptr && *c != '\0'; ++c) {
        *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    }
    return text;
}

char* StrLower(char* text)
{
    for (char* c = text; c != nullptr && *c != '\0'; ++c) {
        *c = static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    return text;
}

int StrCaseEqual(const char* a, const char* b)
{
    return a != nullptr && b != nullptr && strcasecmp(a, b) == 0;
}

char* AsciiUpperText(char* text)
{
    for (char* c = text; c != nullptr && *c != '\0'; ++c) {
        *c = AsciiUpper(*c);
    }
    return text;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int AsciiCaseEqual(const char* a, const char* b)
{
    return AsciiCaseEqualN(a, b, SIZE_MAX);
}

int AsciiCaseEqualN(const char* a, const char* b, size_t n)
{
    if (a == nullptr || b == nullptr) {
        return 0;
    }
    for (; n > 0 && *a != '\0' && *b != '\0'; ++a, ++b, --n) {
        if (AsciiUpper(*a) != AsciiUpper(*b)) {
            return 0;
        }
    }
    return n == 0 || *a == *b;
}

bool IsAsciiLetter(char c)
{
    return AsciiUpper(c) >= 'A' && AsciiUpper(c) <= 'Z';
}

bool IsAsciiAlnum(char c)
{
    return IsAsciiLetter(c) || (c >= '0' && c <= '9');
}

uint8_t ApplyBitOp(uint8_t flags, uint8_t mask, int operation)
{
    switch (operation) {
    case 0: return static_cast<uint8_t>(flags & ~mask);
    case 1: return static_cast<uint8_t>(flags | mask);
    case 2: return (flags & mask) != 0 ? static_cast<uint8_t>(flags & ~mask)
                                       : static_cast<uint8_t>(flags | mask);
    default: return 0;
    }
}

bool StartsWith(const char* text, const char* prefix)
{
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

bool IsWord(const char* token, const char* word)
{
    return token != nullptr && AsciiCaseEqual(token, word) != 0;
}

void CopyCut(char* out, size_t size, const char* text)
{
    if (size == 0) {
        return;
    }
    const char* source = text != nullptr ? text : "";
    const size_t length = strnlen(source, size - 1);
    std::memcpy(out, source, length);
    out[length] = '\0';
}

int TextIntValue(const char* text)
{
    const long value = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
    // strtol saturates at the long range, which is wider than int's.
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

double TextDoubleValue(const char* text)
{
    if (text == nullptr) {
        return 0.0;
    }
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    // strtod also reads "nan", "inf" and hexadecimal numbers, which base 10
    // reads as no number or as the "0" before the x; a NaN would also pass
    // every range check of the caller untouched.
    const std::string read(text, static_cast<size_t>(end - text));
    const bool decimal = read.find_first_of("xXnNiI") == std::string::npos;
    return decimal && std::isfinite(value) ? value : 0.0;
}

int GetTextFieldInt(Widget field)
{
    char* text = XmTextGetString(field);
    const int value = TextIntValue(text);
    XtFree(text);
    return value;
}

double GetTextFieldDouble(Widget field)
{
    char* text = XmTextGetString(field);
    const double value = TextDoubleValue(text);
    XtFree(text);
    return value;
}
