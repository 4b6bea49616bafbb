#include "sky/layers/grid_labels.h"

#include "core/format_check.h"
#include "core/messages.h"

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

void FormatFrom(KeptGridFormats& kept, const GridFormat& format, int32_t first, int32_t second, char* out,
                size_t size)
{
    FormatGridLabel(kept, format.key, format.defaultFormat, first, second, out, size);
}

// The format to use for a key: its resource text when that matches the
// default, else the default.
void ResolveFormat(const char* key, const char* defaultFormat, char* format, size_t size)
{
    GetMessage(key, format, size);
    if (!FormatMatchesDefault(format, defaultFormat)) {
        std::snprintf(format, size, "%s", defaultFormat);
    }
}

// The kept format of a key, read now when it is new; null when no room is
// left to keep it.
const char* KeptFormatOf(KeptGridFormats& kept, const char* key, const char* defaultFormat)
{
    for (size_t i = 0; i < kept.count; ++i) {
        if (std::strcmp(kept.formats[i].key, key) == 0) {
            return kept.formats[i].format;
        }
    }
    if (kept.count == kept.formats.size()) {
        return nullptr;
    }
    KeptGridFormat& format = kept.formats[kept.count++];
    format.key = key;
    ResolveFormat(key, defaultFormat, format.format, sizeof format.format);
    return format.format;
}

}  // namespace

void FormatGridLabel(KeptGridFormats& kept, const char* key, const char* defaultFormat, int32_t first,
                     int32_t second, char* out, size_t size)
{
    if (size == 0) {
        return;
    }
    char format[kGridFormatSize];
    const char* use = KeptFormatOf(kept, key, defaultFormat);
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

int GridLabelText(KeptGridFormats& kept, int32_t viewMode, GridUnit unit, int kind, int q, int i, int j, char* out,
                  size_t size)
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
            FormatFrom(kept, kRaOnly, value, 0, out, size);
        } else {
            FormatFrom(kept, latitude > 0 ? kRaAbove : kRaBelow, value, latitude, out, size);
        }
        return 1;
    }
    if (kind == kGridLabelLine) {
        FormatFrom(kept, kDcOnly, value, 0, out, size);
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
    FormatFrom(kept, latitude > 0 ? kDcAbove : kDcBelow, value, latitude, out, size);
    return 1;
}

void MeridianAltitudeText(KeptGridFormats& kept, int32_t altitude, char* out, size_t size)
{
    FormatFrom(kept, kAltitude, altitude, 0, out, size);
}
