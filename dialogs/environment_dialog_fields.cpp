#include "dialogs/environment_dialog_fields.h"

#include "core/string_utils.h"
#include "dialogs/kit/text_fields.h"

#include <cctype>

namespace {

constexpr size_t kLongestGeometryPart = 18;

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
    if (x == std::string::npos) {
        return 0;
    }
    const size_t nextX = geometry.find('x', x + 1);
    const std::string widthPart = geometry.substr(0, x);
    const std::string heightPart =
        geometry.substr(x + 1, nextX == std::string::npos ? std::string::npos : nextX - x - 1);
    if (widthPart.size() > kLongestGeometryPart || heightPart.size() > kLongestGeometryPart) {
        return 0;
    }
    width = widthPart;
    height = heightPart;
    return 1;
}

int ComposeGeometry(const std::string& width, const std::string& height, std::string& geometry)
{
    if (width.empty() && height.empty()) {
        geometry.clear();
        return 1;
    }
    if (IsAllDigits(width.c_str()) == 0 || IsAllDigits(height.c_str()) == 0) {
        return 0;
    }
    // A field filled from a hand-written option may hold more digits than
    // an int; TextIntValue holds them at its end.
    geometry = std::to_string(TextIntValue(width.c_str())) + "x" +
               std::to_string(TextIntValue(height.c_str()));
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
