#include "dialogs/environment_dialog_fields.h"

#include "dialogs/kit/text_fields.h"

#include <cctype>
#include <cstdlib>

namespace {

constexpr size_t kLongestGeometryPart = 18;
constexpr size_t kLongestSizeField = 5;   // the fields' maxLength

std::string LeadingDigits(const std::string& text)
{
    size_t end = 0;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) != 0) {
        ++end;
    }
    return text.substr(0, end);
}

// "+10+20", "-0+5": an X position, two signed offsets.
bool IsPosition(const std::string& text)
{
    size_t at = 0;
    for (int offset = 0; offset < 2; ++offset) {
        if (at >= text.size() || (text[at] != '+' && text[at] != '-')) {
            return false;
        }
        const std::string digits = LeadingDigits(text.substr(at + 1));
        if (digits.empty()) {
            return false;
        }
        at += 1 + digits.size();
    }
    return at == text.size();
}

// The position after "<width>x<height>" in an option, when it is one.
std::string PositionOf(const std::string& geometry)
{
    const size_t x = geometry.find('x');
    if (x == std::string::npos) {
        return "";
    }
    const std::string height = LeadingDigits(geometry.substr(x + 1));
    const std::string rest = geometry.substr(x + 1 + height.size());
    return IsPosition(rest) ? rest : "";
}

bool SizeFits(const std::string& field, int lowest, int highest)
{
    if (field.size() > kLongestSizeField) {
        return false;
    }
    const long value = std::strtol(field.c_str(), nullptr, 10);
    return value >= lowest && value <= highest;
}

}  // namespace

int IsAllDigits(const char* text)
{
    if (text == nullptr || *text == '\0') {
        return 0;
    }
    for (; *text != '\0'; ++text) {
        if (std::isdigit(static_cast<unsigned char>(*text)) == 0) {
            return 0;
        }
    }
    return 1;
}

int GeometryFields(const std::string& geometry, std::string& width, std::string& height)
{
    const size_t x = geometry.find('x');
    if (geometry.empty() || x == std::string::npos) {
        return 0;
    }
    const size_t nextX = geometry.find('x', x + 1);
    const std::string widthPart = geometry.substr(0, x);
    const std::string heightPart = geometry.substr(x + 1, nextX == std::string::npos ? std::string::npos
                                                                                       : nextX - x - 1);
    if (widthPart.size() > kLongestGeometryPart || heightPart.size() > kLongestGeometryPart) {
        return 0;
    }
    width = LeadingDigits(widthPart);
    height = LeadingDigits(heightPart);
    return 1;
}

int ComposeGeometry(const std::string& width, const std::string& height, const std::string& old,
                    int screenWidth, int screenHeight, std::string& geometry)
{
    if (width.empty() && height.empty()) {
        geometry.clear();
        return 1;
    }
    if (IsAllDigits(width.c_str()) == 0 || IsAllDigits(height.c_str()) == 0 ||
        !SizeFits(width, kMinimumWindowWidth, screenWidth) ||
        !SizeFits(height, kMinimumWindowHeight, screenHeight)) {
        return 0;
    }
    geometry = std::to_string(std::strtol(width.c_str(), nullptr, 10)) + "x" +
               std::to_string(std::strtol(height.c_str(), nullptr, 10)) + PositionOf(old);
    return 1;
}

std::string LocaleFieldText(const char* option, const char* inUse)
{
    if (option != nullptr && option[0] != '\0') {
        return option;
    }
    if (inUse != nullptr && inUse[0] != '\0') {
        return inUse;
    }
    return "en_US.ISO_8859-1";
}

std::string TzFieldText(const char* option, const char* environment)
{
    if (option != nullptr && option[0] != '\0') {
        return option;
    }
    return environment != nullptr ? environment : "";
}

std::string OptionFieldValue(const std::string& field)
{
    const std::string kept = WithoutControlCharacters(field);
    return kept.find_first_not_of(' ') == std::string::npos ? "" : kept;
}
