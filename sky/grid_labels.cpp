#include "sky/grid_labels.h"

#include "core/messages.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

struct GridFormat {
    const char* key;
    const char* defaultFormat;
};

constexpr GridFormat kRaAbove{"messageGridEqtRaFormat1", "%dh+%02d\260"};
constexpr GridFormat kRaBelow{"messageGridEqtRaFormat2", "%dh%02d\260"};
constexpr GridFormat kRaOnly{"messageGridEqtRaFormat3", "%dh"};
constexpr GridFormat kDcAbove{"messageGridEqtDcFormat1", "%d\260+%02d\260"};
constexpr GridFormat kDcBelow{"messageGridEqtDcFormat2", "%d\260%02d\260"};
constexpr GridFormat kDcOnly{"messageGridEqtDcFormat3", "%d\260"};
constexpr GridFormat kAltitude{"messageGridDegFormat", "%d\260"};

constexpr int kMaxConversions = 8;
constexpr int kMaxFieldDigits = 2;

const char* SkipDigits(const char* p, int& count)
{
    count = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        ++p;
        ++count;
    }
    return p;
}

// The conversion letters of a format, in order; 0 when a conversion is not
// one this check understands (which makes the format unusable).
int ConversionLetters(const char* format, char letters[kMaxConversions], int& count)
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
        while (*p != '\0' && std::strchr("-+ 0", *p) != nullptr) {
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
        if (*p == '\0' || count == kMaxConversions) {
            return 0;
        }
        letters[count++] = *p;
    }
    return 1;
}

void FormatFrom(const GridFormat& format, int32_t first, int32_t second, char* out, size_t size)
{
    FormatGridLabel(format.key, format.defaultFormat, first, second, out, size);
}

}  // namespace

int GridFormatMatchesDefault(const char* format, const char* defaultFormat)
{
    char wanted[kMaxConversions];
    char given[kMaxConversions];
    int wantedCount = 0;
    int givenCount = 0;
    if (!ConversionLetters(defaultFormat, wanted, wantedCount) || !ConversionLetters(format, given, givenCount)) {
        return 0;
    }
    if (givenCount > wantedCount) {
        return 0;
    }
    for (int n = 0; n < givenCount; ++n) {
        if (given[n] != 'd' || given[n] != wanted[n]) {
            return 0;
        }
    }
    return 1;
}

void FormatGridLabel(const char* key, const char* defaultFormat, int32_t first, int32_t second, char* out,
                     size_t size)
{
    if (size == 0) {
        return;
    }
    char format[kGridFormatSize];
    GetMessage(key, format, sizeof format);
    const char* use = GridFormatMatchesDefault(format, defaultFormat) ? format : defaultFormat;
    // The format was checked above: only integer conversions, at most as
    // many as the two arguments passed.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(out, size, use, first, second);
#pragma GCC diagnostic pop
}

int GridLabelText(int32_t viewMode, GridUnit unit, int kind, int q, int i, int j, char* out, size_t size)
{
    if (size > 0) {
        out[0] = '\0';
    }
    const int32_t latitude = GridLatitudeOfBand(q, j);
    int32_t value = GridFoldLabelValue(q, i, unit);
    if (unit == kGridHours) {
        if (i % 2 != 0) {
            return 0;
        }
        if (kind == kGridLabelLine) {
            FormatFrom(kRaOnly, value, 0, out, size);
        } else {
            FormatFrom(latitude > 0 ? kRaAbove : kRaBelow, value, latitude, out, size);
        }
        return 1;
    }
    if (kind == kGridLabelLine) {
        FormatFrom(kDcOnly, value, 0, out, size);
        return 1;
    }
    if (kind == kGridLabelHorizontal) {
        // The horizon carries the compass letters in the horizontal views.
        if (latitude == 0 && (viewMode == kModeHrz || viewMode == kModeVola)) {
            return 0;
        }
        // The frame's longitude runs from the south through the east;
        // azimuths are counted through the west.
        value = value == 0 ? 0 : 360 - value;
    }
    FormatFrom(latitude > 0 ? kDcAbove : kDcBelow, value, latitude, out, size);
    return 1;
}

void MeridianAltitudeText(int32_t altitude, char* out, size_t size)
{
    FormatFrom(kAltitude, altitude, 0, out, size);
}
