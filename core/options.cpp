#include "core/options.h"

#include "core/app_env.h"
#include "core/replacement_file.h"

#include <X11/Intrinsic.h>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <strings.h>

namespace {

constexpr char kOptionsFileName[] = "options";
constexpr size_t kNumberValueSize = 32;   // booleans and integers

struct FileCloser {
    void operator()(FILE* stream) const { std::fclose(stream); }
};
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

UniqueFile OpenOptionsFile(const char* mode)
{
    char path[kPathSize];
    if (!GetOptionsFilePath(path, sizeof path)) {
        return nullptr;
    }
    return UniqueFile(std::fopen(path, mode));
}

// One whole line with its newline, however long: a long line must never be
// taken for two lines, or its tail could pass for a key of its own.
bool ReadWholeLine(FILE* stream, std::string& line)
{
    line.clear();
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, stream) != nullptr) {
        line += chunk;
        if (!line.empty() && line.back() == '\n') {
            break;
        }
    }
    return !line.empty();
}

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The value of line when it sets key, with trailing white space cut.
bool ValueOfLine(const std::string& line, const char* key, std::string& value)
{
    const size_t keyLength = std::strlen(key);
    if (line.size() < keyLength || strncasecmp(line.c_str(), key, keyLength) != 0) {
        return false;
    }
    size_t at = keyLength;
    while (at < line.size() && IsBlank(line[at])) {
        ++at;
    }
    if (at >= line.size() || line[at] != '=') {
        return false;
    }
    ++at;
    while (at < line.size() && IsBlank(line[at])) {
        ++at;
    }
    size_t end = line.size();
    while (end > at && IsBlank(line[end - 1])) {
        --end;
    }
    value.assign(line, at, end - at);
    return true;
}

bool HasLineBreak(const char* text)
{
    return std::strpbrk(text, "\r\n") != nullptr;
}

// "key = value\n"; a value is written up to its first line break so that no
// setting can ever add lines of its own to the file.
bool WriteOptionLine(ReplacementFile& file, const char* key, const char* value)
{
    const size_t valueLength = std::strcspn(value, "\r\n");
    return WriteReplacementText(file, key) && WriteReplacementText(file, " = ") &&
           WriteReplacement(file, value, valueLength) && WriteReplacementText(file, "\n");
}

const char* TrueOrFalse(bool on)
{
    return on ? "True" : "False";
}

bool ToolbarShown()
{
    return gAppEnv->toolbar != nullptr && XtIsManaged(gAppEnv->toolbar);
}

}  // namespace

int GetOptionsFilePath(char* buffer, size_t size)
{
    if (size == 0) {
        return 0;
    }
    buffer[0] = '\0';
    if (gAppEnv->userDirectory[0] == '\0') {
        return 0;
    }
    const int length = std::snprintf(buffer, size, "%s/%s", gAppEnv->userDirectory, kOptionsFileName);
    if (length < 0 || static_cast<size_t>(length) >= size) {
        buffer[0] = '\0';
        return 0;
    }
    return 1;
}

int FindOption(FILE* stream, const char* key, char* buffer, size_t size)
{
    if (stream == nullptr || key == nullptr || size == 0) {
        return 0;
    }
    std::string line;
    std::string value;
    while (ReadWholeLine(stream, line)) {
        if (!ValueOfLine(line, key, value)) {
            continue;
        }
        // The first matching line decides; a value too long for the caller's
        // field is not found at all rather than cut.
        if (value.size() >= size) {
            return 0;
        }
        std::memcpy(buffer, value.c_str(), value.size() + 1);
        return 1;
    }
    return 0;
}

int GetOptionBool(const char* key, int defaultValue)
{
    char value[kNumberValueSize];
    if (!GetOptionString(key, value, sizeof value)) {
        return defaultValue;
    }
    if (strcasecmp(value, "TRUE") == 0 || strcasecmp(value, "YES") == 0) {
        return 1;
    }
    if (strcasecmp(value, "FALSE") == 0 || strcasecmp(value, "NO") == 0) {
        return 0;
    }
    return defaultValue;
}

int GetOptionInt(const char* key, int defaultValue)
{
    char value[kNumberValueSize];
    if (!GetOptionString(key, value, sizeof value)) {
        return defaultValue;
    }
    const long number = std::strtol(value, nullptr, 10);
    if (number > INT_MAX) {
        return INT_MAX;
    }
    if (number < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(number);
}

int GetOptionString(const char* key, char* buffer, size_t size)
{
    UniqueFile stream = OpenOptionsFile("r");
    if (!stream) {
        return 0;
    }
    return FindOption(stream.get(), key, buffer, size);
}

int WriteOptionsFile()
{
    char path[kPathSize];
    if (!GetOptionsFilePath(path, sizeof path)) {
        return 0;
    }
    const AppEnv& env = *gAppEnv;
    ReplacementFile file;
    if (!OpenReplacement(file, path)) {
        return 0;
    }
    WriteOptionLine(file, "Toolbar", TrueOrFalse(ToolbarShown()));
    WriteOptionLine(file, "TipHelp", TrueOrFalse(env.tipShell != nullptr));
    WriteOptionLine(file, "ConfirmQuit", TrueOrFalse(env.confirmQuit != 0));
    WriteOptionLine(file, "ConfirmInit", TrueOrFalse(env.confirmInit != 0));
    WriteOptionLine(file, "StlFileIoPath", env.stlFileIoPath);
    WriteOptionLine(file, "SaveImagePath", env.saveImagePath);
    WriteOptionLine(file, "UserObjectFilePath", env.userObjectFilePath);
    WriteOptionLine(file, "GscDataPath", env.gscDataPath);
    const struct {
        const char* key;
        const char* value;
    } optional[] = {
        {"SiteName", env.siteName},
        {"Geometry", env.geometryOption},
        {"Locale", env.localeOption},
        {"TZ", env.tzOption},
    };
    for (const auto& option : optional) {
        if (option.value[0] != '\0') {
            WriteOptionLine(file, option.key, option.value);
        }
    }
    char port[32];
    std::snprintf(port, sizeof port, "%d", static_cast<int>(env.socketPort));
    WriteOptionLine(file, "SocketPort", port);
    return CommitReplacement(file);
}

int SetOption(const char* key, const char* value)
{
    if (key == nullptr || value == nullptr || key[0] == '\0' || HasLineBreak(key) || HasLineBreak(value)) {
        return 0;
    }
    char path[kPathSize];
    if (!GetOptionsFilePath(path, sizeof path)) {
        return 0;
    }
    UniqueFile old(std::fopen(path, "r"));
    if (!old) {
        return 0;
    }
    ReplacementFile file;
    if (!OpenReplacement(file, path)) {
        return 0;
    }
    const size_t keyLength = std::strlen(key);
    std::string line;
    while (ReadWholeLine(old.get(), line)) {
        if (line.compare(0, keyLength, key) == 0) {
            WriteOptionLine(file, key, value);
        } else {
            WriteReplacement(file, line.data(), line.size());
        }
    }
    if (std::ferror(old.get())) {
        return 0;
    }
    return CommitReplacement(file);
}
