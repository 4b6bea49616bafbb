// The number fields of the date, lock, time-step and site edit dialogs read
// from typed texts as their OK reads the widgets (GetTextFieldInt and
// GetTextFieldDouble): the text's leading number by TextIntValue or
// TextDoubleValue, so that the plain tests and the fuzz targets keep their
// rows of typed texts.
#pragma once

#include "core/string_utils.h"
#include "dialogs/date_dialog_fields.h"
#include "dialogs/site_dialog_fields.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace typedfields {

template <size_t N>
std::array<int, N> Numbers(const std::array<std::string, N>& texts)
{
    std::array<int, N> numbers{};
    for (size_t i = 0; i < N; ++i) {
        numbers[i] = TextIntValue(texts[i].c_str());
    }
    return numbers;
}

// The lock minutes: an empty field holds no number at all.
inline std::optional<int64_t> LockMinutes(const std::string& text)
{
    if (text.empty()) {
        return std::nullopt;
    }
    return TextIntValue(text.c_str());
}

inline SunLockValues Lock(bool sunrise, bool before, const std::string& minutes)
{
    return {true, sunrise, before, LockMinutes(minutes)};
}

inline SiteEditValues SiteValues(const SiteEditFields& typed)
{
    SiteEditValues values;
    values.name = typed.name;
    values.west = typed.west;
    values.longDeg = TextIntValue(typed.longDeg.c_str());
    values.longMin = TextIntValue(typed.longMin.c_str());
    values.south = typed.south;
    values.latiDeg = TextIntValue(typed.latiDeg.c_str());
    values.latiMin = TextIntValue(typed.latiMin.c_str());
    values.altitude = TextIntValue(typed.altitude.c_str());
    values.zoneMinus = typed.zoneMinus;
    values.zoneHours = TextDoubleValue(typed.zoneHours.c_str());
    return values;
}

}  // namespace typedfields
