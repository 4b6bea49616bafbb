#include "core/options.h"

#include "core/app_env.h"
#include "core/regular_file.h"
#include "core/replacement_file.h"
#include "core/string_utils.h"

#include <X11/Intrinsic.h>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char kOptionsFileName[] = "options";
constexpr size_t kNumberValueSize = 32;   // booleans and integers

UniqueFile OpenOptionsFile()
{
    char path[kPathSize];
    if (!GetOptionsFilePath(path, sizeof path)) {
        return nullptr;
    }
    return OpenRegularFile(path);
}

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Where the value of line starts when the line sets key: after the "=" and
// the white space that follows it. npos when the line sets no such key.
size_t ValueStart(const std::string& line, const char* key)
{
    const size_t keyLength = std::strlen(key);
    if (line.size() < keyLength || AsciiCaseEqualN(line.c_str(), key, keyLength) == 0) {
        return std::string::npos;
    }
    size_t at = keyLength;
    while (at < line.size() && IsBlank(line[at])) {
        ++at;
    }
    if (at >= line.size() || line[at] != '=') {
        return std::string::npos;
    }
    ++at;
    while (at < line.size() && IsBlank(line[at])) {
        ++at;
    }
    return at;
}

// Whether a value fits a field of `size` bytes: the rest of its line, its
// trailing white space and line feed included, must be shorter.
bool FitsField(const std::string& line, size_t start, size_t size)
{
    return line.size() - start < size;
}

// The value that starts at `start`, its trailing white space cut.
std::string ValueFrom(const std::string& line, size_t start)
{
    size_t end = line.size();
    while (end > start && IsBlank(line[end - 1])) {
        --end;
    }
    return line.substr(start, end - start);
}

// Whether line sets key.
bool SetsKey(const std::string& line, const char* key)
{
    return ValueStart(line, key) != std::string::npos;
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

// One line of the written file, and the field its reader fills: a value
// that did not fit there was refused at start-up, so the program never knew
// it and must not overwrite it.
struct WrittenOption {
    const char* key;
    std::string value;
    bool always;        // written even when empty
    size_t fieldSize;   // 0: a value of our own making (flags, port)
};

std::vector<WrittenOption> OptionsToWrite()
{
    const AppEnv& env = *gAppEnv;
    char port[kNumberValueSize];
    std::snprintf(port, sizeof port, "%d", static_cast<int>(env.socketPort));
    return {
        {"Toolbar", TrueOrFalse(ToolbarShown()), true, 0},
        {"TipHelp", TrueOrFalse(env.tipShell != nullptr), true, 0},
        {"ConfirmQuit", TrueOrFalse(env.confirmQuit != 0), true, 0},
        {"ConfirmInit", TrueOrFalse(env.confirmInit != 0), true, 0},
        {"StlFileIoPath", env.stlFileIoPath, true, sizeof env.stlFileIoPath},
        {"SaveImagePath", env.saveImagePath, true, sizeof env.saveImagePath},
        {"UserObjectFilePath", env.userObjectFilePath, true, sizeof env.userObjectFilePath},
        {"GscDataPath", env.gscDataPath, true, sizeof env.gscDataPath},
        {"SiteName", env.siteName, false, sizeof env.siteName},
        {"Geometry", env.geometryOption, false, sizeof env.geometryOption},
        {"Locale", env.localeOption, false, sizeof env.localeOption},
        {"TZ", env.tzOption, false, sizeof env.tzOption},
        {"SocketPort", port, true, 0},
    };
}

// Every line of the options file; none when there is none.
// Returned: false when the file is there but could not be read through
bool ReadOptionsLines(const char* path, std::vector<std::string>& lines)
{
    lines.clear();
    UniqueFile old = OpenRegularFile(path);
    if (!old) {
        return true;
    }
    std::string line;
    while (ReadWholeLine(old.get(), line)) {
        lines.push_back(line);
    }
    return std::ferror(old.get()) == 0;
}

bool SetsAnyOf(const std::string& line, const std::vector<WrittenOption>& options)
{
    for (const WrittenOption& option : options) {
        if (SetsKey(line, option.key)) {
            return true;
        }
    }
    return false;
}

// The old line of a key whose value its reader refused as too long: the
// first line that sets the key decides, as for the readers.
const std::string* RefusedLine(const std::vector<std::string>& lines, const WrittenOption& option)
{
    for (const std::string& line : lines) {
        const size_t start = ValueStart(line, option.key);
        if (start != std::string::npos) {
            return option.fieldSize != 0 && !FitsField(line, start, option.fieldSize) ? &line : nullptr;
        }
    }
    return nullptr;
}

void WriteWholeLine(ReplacementFile& file, const std::string& line)
{
    WriteReplacement(file, line.data(), line.size());
    if (line.back() != '\n') {
        WriteReplacementText(file, "\n");
    }
}

// The values start-up left, by key; none noted: every key counts as
// unchanged.
std::vector<WrittenOption> startingOptions;

// A key the run gave another value than start-up did: its old line, unread
// or not, is out of date.
bool ChangedDuringRun(const WrittenOption& option)
{
    for (const WrittenOption& start : startingOptions) {
        if (std::strcmp(start.key, option.key) == 0) {
            return start.value != option.value;
        }
    }
    return false;
}

void WriteOption(ReplacementFile& file, const WrittenOption& option, const std::vector<std::string>& oldLines)
{
    const std::string* refused = ChangedDuringRun(option) ? nullptr : RefusedLine(oldLines, option);
    if (refused != nullptr) {
        WriteWholeLine(file, *refused);
    } else if (option.always || !option.value.empty()) {
        WriteOptionLine(file, option.key, option.value.c_str());
    }
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
    while (ReadWholeLine(stream, line)) {
        const size_t start = ValueStart(line, key);
        if (start == std::string::npos) {
            continue;
        }
        // The first matching line decides; a value too long for the caller's
        // field is not found at all rather than cut.
        if (!FitsField(line, start, size)) {
            return 0;
        }
        const std::string value = ValueFrom(line, start);
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
    if (AsciiCaseEqual(value, "TRUE") != 0 || AsciiCaseEqual(value, "YES") != 0) {
        return 1;
    }
    if (AsciiCaseEqual(value, "FALSE") != 0 || AsciiCaseEqual(value, "NO") != 0) {
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
    UniqueFile stream = OpenOptionsFile();
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
    std::vector<std::string> oldLines;
    if (!ReadOptionsLines(path, oldLines)) {
        return 0;
    }
    ReplacementFile file;
    if (!OpenReplacement(file, path)) {
        return 0;
    }
    const std::vector<WrittenOption> options = OptionsToWrite();
    for (const WrittenOption& option : options) {
        WriteOption(file, option, oldLines);
    }
    for (const std::string& line : oldLines) {
        if (!SetsAnyOf(line, options)) {
            WriteWholeLine(file, line);
        }
    }
    return CommitReplacement(file);
}

void RememberStartingOptions()
{
    startingOptions = OptionsToWrite();
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
    UniqueFile old = OpenRegularFile(path);
    if (!old) {
        return 0;
    }
    ReplacementFile file;
    if (!OpenReplacement(file, path)) {
        return 0;
    }
    const size_t keyLength = std::strlen(key);
    std::string line;
    bool replaced = false;
    bool endsLine = true;
    while (ReadWholeLine(old.get(), line)) {
        if (line.compare(0, keyLength, key) == 0) {
            WriteOptionLine(file, key, value);
            replaced = true;
        } else {
            WriteReplacement(file, line.data(), line.size());
        }
        endsLine = !line.empty() && line.back() == '\n';
    }
    if (std::ferror(old.get())) {
        return 0;
    }
    // A key the file lacks is added: otherwise the update would be reported
    // as done and be lost unless the program quits normally.
    if (!replaced) {
        if (!endsLine) {
            WriteReplacementText(file, "\n");
        }
        WriteOptionLine(file, key, value);
    }
    return CommitReplacement(file);
}

int SaveDefaultSite(const char* name)
{
    CopyCut(gAppEnv->siteName, sizeof gAppEnv->siteName, name);
    return SetOption("SiteName", gAppEnv->siteName);
}
