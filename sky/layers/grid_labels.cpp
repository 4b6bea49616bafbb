#include "sky/layers/grid_labels.h"

#include "core/format_check.h"
#include "core/messages.h"

#include <array>
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

void FormatFrom(const GridFormat& format, int32_t first, int32_t second, char* out, size_t size)
{
    FormatGridLabel(format.key, format.defaultFormat, first, second, out, size);
}

// The formats a redraw has read so far, while GridLabelFormatsKept lives:
// a resource look-up costs more than the rest of a label.
struct KeptFormat {
    const char* key;
    char format[kGridFormatSize];
};

constexpr size_t kMostKeptFormats = 8;
bool gKeeping = false;
std::array<KeptFormat, kMostKeptFormats> gKept{};
size_t gKeptCount = 0;

// The format to use for a key: its resource text when that matches the
// default, else the default.
void ResolveFormat(const char* key, const char* defaultFormat, char* format, size_t size)
{
    GetMessage(key, format, size);
    if (!FormatMatchesDefault(format, defaultFormat)) {
        std::snprintf(format, size, "%s", defaultFormat);
    }
}

const char* KeptFormatOf(const char* key, const char* defaultFormat)
{
    for (size_t i = 0; i < gKeptCount; ++i) {
        if (std::strcmp(gKept[i].key, key) == 0) {
            return gKept[i].format;
        }
    }
    if (gKeptCount == kMostKeptFormats) {
        return nullptr;
    }
    KeptFormat& kept = gKept[gKeptCount++];
    kept.key = key;
    ResolveFormat(key, defaultFormat, kept.format, sizeof kept.format);
    return kept.format;
}

}  // namespace

GridLabelFormatsKept::GridLabelFormatsKept() : owner_(!gKeeping)
{
    if (owner_) {
        gKeeping = true;
        gKeptCount = 0;
    }
}

GridLabelFormatsKept::~GridLabelFormatsKept()
{
    if (owner_) {
        gKeeping = false;
        gKeptCount = 0;
    }
}

void FormatGridLabel(const char* key, const char* defaultFormat, int32_t first, int32_t second, char* out,
                     size_t size)
{
    if (size == 0) {
        return;
    }
    char format[kGridFormatSize];
    const char* use = gKeeping ? KeptFormatOf(key, defaultFormat) : nullptr;
    if (use == nullptr) {
        ResolveFormat(key, defaultFormat, format, sizeof format);
        use = format;
    }
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
