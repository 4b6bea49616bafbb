#include "core/format_check.h"

#include <cstring>

namespace {

constexpr int kMaxConversions = 8;
constexpr int kMaxFieldDigits = 2;

const char* SkipDigits(const char* p, int& digits)
{
    digits = 0;
    while (*p >= '0' && *p <= '9') {
        ++p;
        ++digits;
    }
    return p;
}

// The kind of one conversion letter: what argument it reads.
char ConversionKind(char letter)
{
    switch (letter) {
    case 'd':
    case 'i': return 'd';
    case 's': return 's';
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G': return 'f';
    case 'c': return 'c';
    default: return '\0';
    }
}

// The kinds of a format's conversions in order; 0 for a conversion that is
// not allowed at all.
int ConversionKinds(const char* format, char kinds[kMaxConversions], int& count)
{
    count = 0;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            continue;
        }
        ++p;
        if (*p == '%') {
            continue;
        }
        bool alternate = false;
        while (*p != '\0' && std::strchr("-+ 0#", *p) != nullptr) {
            alternate = alternate || *p == '#';
            ++p;
        }
        int digits = 0;
        p = SkipDigits(p, digits);
        if (digits > kMaxFieldDigits) {
            return 0;
        }
        if (*p == '.') {
            p = SkipDigits(p + 1, digits);
            if (digits > kMaxFieldDigits) {
                return 0;
            }
        }
        const char kind = ConversionKind(*p);
        // The alternate form is defined for floating conversions only.
        if (kind == '\0' || (alternate && kind != 'f') || count == kMaxConversions) {
            return 0;
        }
        kinds[count++] = kind;
    }
    return 1;
}

}  // namespace

int FormatMatchesDefault(const char* format, const char* defaultFormat)
{
    char wanted[kMaxConversions];
    char given[kMaxConversions];
    int wantedCount = 0;
    int givenCount = 0;
    if (!ConversionKinds(defaultFormat, wanted, wantedCount) || !ConversionKinds(format, given, givenCount)) {
        return 0;
    }
    if (givenCount > wantedCount) {
        return 0;
    }
    return std::memcmp(given, wanted, static_cast<size_t>(givenCount)) == 0 ? 1 : 0;
}
