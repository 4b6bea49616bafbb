#include "sky/catalog/element_files.h"

#include "astro/calendar.h"
#include "core/regular_file.h"
#include "core/replacement_file.h"
#include "core/string_utils.h"

#include <gdbm.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kIndexBlockSize = 512;
constexpr int kProgressDots = 50;

// A field copied out and terminated, as a C library number reader needs it.
struct FieldText {
    char text[32];
};

FieldText Field(const char* line, int column, int width)
{
    FieldText f;
    std::memcpy(f.text, line + column, width);
    f.text[width] = '\0';
    return f;
}

// The number a field starts with; a field without one reads as 0.
double NumberField(const char* line, int column, int width)
{
    return std::strtod(Field(line, column, width).text, nullptr);
}

long IntegerField(const char* line, int column, int width)
{
    return std::strtol(Field(line, column, width).text, nullptr, 10);
}

// "%-<width>s" of a field without its leading blanks.
void CopyLeftAligned(char* out, const char* line, int column, int width)
{
    int skip = 0;
    while (skip < width && line[column + skip] == ' ')
        ++skip;
    std::memset(out, ' ', width);
    std::memcpy(out, line + column + skip, width - skip);
    out[width] = '\0';
}

// Length of the line that starts at `text`, without its CR LF or LF.
size_t LineLength(const char* text)
{
    return std::strcspn(text, "\r\n");
}

struct KeyField {
    int column, width;
};
constexpr KeyField kKeyFields[] = {{kSecondNameColumn, kSecondNameWidth},
                                   {kDesignationColumn, kDesignationWidth},
                                   {kNumberColumn, kNumberWidth},
                                   {kNameColumn, kNameWidth}};

// The record padded to the long form, so that every field can be read.
std::string LongForm(const char* line, size_t length)
{
    std::string text(line, std::min<size_t>(length, kLongElementLine));
    text.resize(kLongElementLine, ' ');
    return text;
}

bool HoldsKey(const std::string& record, const char* key)
{
    char own[kIndexKeySize];
    for (const KeyField& f : kKeyFields) {
        CopyIndexKey(own, record.c_str(), f.column, f.width);
        if (std::strcmp(own, key) == 0)
            return true;
    }
    return false;
}

bool ReadWholeFile(const char* path, std::string& text)
{
    UniqueFile file = OpenRegularFile(path);
    if (!file)
        return false;
    struct stat info;
    bool ok = fstat(fileno(file.get()), &info) == 0;
    if (ok) {
        text.resize(static_cast<size_t>(info.st_size));
        ok = std::fread(text.data(), 1, text.size(), file.get()) == text.size();
    }
    return ok;
}

// Prints the dots due once `done` of `total` bytes are indexed.
void ShowProgress(int64_t done, int64_t total, int& printed)
{
    const int due = total > 0 ? static_cast<int>(done * kProgressDots / total) : kProgressDots;
    for (; printed < due; ++printed)
        std::putchar('.');
    std::fflush(stdout);
}

bool StoreKeys(GDBM_FILE db, const char* record, int32_t offset)
{
    unsigned char value[4];
    for (int b = 0; b < 4; ++b)
        value[b] = static_cast<unsigned char>(static_cast<uint32_t>(offset) >> (8 * b));
    datum content{reinterpret_cast<char*>(value), 4};
    char key[kIndexKeySize];
    for (const KeyField& f : kKeyFields) {
        CopyIndexKey(key, record, f.column, f.width);
        datum k{key, static_cast<int>(std::strlen(key))};
        if (gdbm_store(db, k, content, GDBM_REPLACE) != 0)
            return false;
    }
    return true;
}

// Stores the keys of every record; false at the first line that is not a
// record.
bool IndexRecords(GDBM_FILE db, const std::string& text)
{
    int printed = 0;
    size_t offset = 0;
    while (offset < text.size()) {
        const char* line = text.c_str() + offset;
        const size_t length = LineLength(line);
        const size_t end = offset + length;
        const bool crlf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
        const bool lf = end < text.size() && text[end] == '\n';
        if (!IsElementRecordLine(line, length) || !(crlf || lf) || offset > INT32_MAX)
            return false;
        if (!StoreKeys(db, LongForm(line, length).c_str(), static_cast<int32_t>(offset)))
            return false;
        offset = end + (crlf ? 2 : 1);
        ShowProgress(static_cast<int64_t>(offset), static_cast<int64_t>(text.size()), printed);
    }
    ShowProgress(1, 1, printed);
    return true;
}

} // namespace

double ParseFixedFieldOrDefault(const char* field, int width, double fallback)
{
    int skip = 0;
    while (skip < width && field[skip] == ' ')
        ++skip;
    if (skip == width)
        return fallback;
    const FieldText f = Field(field, skip, width - skip);
    return std::strtod(f.text, nullptr);
}

int32_t IsElementRecordLine(const char* line, size_t length)
{
    return (length == kShortElementLine || length == kLongElementLine) && line[0] != '\0' &&
           std::strchr("CMN", line[0]) != nullptr;
}

int32_t ParseElementLine(OrbitalElements& el, const char* line)
{
    const size_t length = LineLength(line);
    if (length < kShortElementLine)
        return 0;
    const std::string text = LongForm(line, length);
    const char* t = text.c_str();
    OrbitalElements out{};
    out.kind = t[0];
    std::memcpy(out.number, t + kNumberColumn, kNumberWidth);
    CopyLeftAligned(out.designation, t, kDesignationColumn, kDesignationWidth);
    std::memcpy(out.name, t + kNameColumn, kNameWidth);
    CopyLeftAligned(out.secondName, t, kSecondNameColumn, kSecondNameWidth);

    const double day = NumberField(t, 57, 9);
    out.perihelionTime = JulianDayFromCalendar(IntegerField(t, 51, 4), IntegerField(t, 55, 2), day);
    out.eccentricity = NumberField(t, 67, 10);
    out.perihelionDistance = NumberField(t, 78, 11);
    out.argumentOfPerihelion = NumberField(t, 90, 10);
    out.node = NumberField(t, 101, 10);
    out.inclination = NumberField(t, 112, 10);
    out.equinoxYear = ParseFixedFieldOrDefault(t + 123, 6, 2000.0);
    out.h = ParseFixedFieldOrDefault(t + 130, 6, 6.0);
    out.k = ParseFixedFieldOrDefault(t + 137, 5, 10.0);
    out.dustTailLength = ParseFixedFieldOrDefault(t + 143, 4, 0.01);
    out.ionTailLength = ParseFixedFieldOrDefault(t + 148, 4, 0.01);
    out.dustForce = ParseFixedFieldOrDefault(t + 153, 3, 1.0);
    // "nan" and "inf" read as numbers, and no magnitude or place can be
    // worked out from them.
    const double numbers[] = {out.perihelionTime, out.eccentricity, out.perihelionDistance, out.argumentOfPerihelion,
                              out.node, out.inclination, out.equinoxYear, out.h, out.k,
                              out.dustTailLength, out.ionTailLength, out.dustForce};
    if (!std::all_of(std::begin(numbers), std::end(numbers), [](double v) { return std::isfinite(v); }))
        return 0;
    std::memcpy(out.sourceLine, t, kLongElementLine);
    std::memcpy(out.sourceLine + kLongElementLine, "\r\n", 3);
    el = out;
    return 1;
}

void CopyIndexKey(char* key, const char* record, int column, int width)
{
    const FieldText f = Field(record, column, std::min(width, kIndexKeySize - 1));
    const char* start = f.text + std::strspn(f.text, " ");
    size_t n = 0;
    for (; start[n] != '\0'; ++n)
        key[n] = (start[n] >= 'a' && start[n] <= 'z') ? static_cast<char>(start[n] - 'a' + 'A') : start[n];
    while (n > 0 && key[n - 1] == ' ')
        --n;
    key[n] = '\0';
}

int32_t BuildElementIndex(const char* elementPath, const char* indexPath)
{
    std::string text;
    if (!ReadWholeFile(elementPath, text))
        return 0;
    // gdbm_open would follow a link planted under the name it is given: the
    // database is built in a file the replacement writer made itself, and
    // gdbm gets a second descriptor of it, so that closing the database
    // leaves the file open and locked until its rename. The lock is the
    // writer's, not gdbm's.
    ReplacementFile building;
    if (OpenReplacement(building, indexPath) == 0)
        return 0;
    const int descriptor = dup(fileno(building.stream));
    if (descriptor < 0)
        return 0;
    GDBM_FILE db = gdbm_fd_open(descriptor, building.temporary.c_str(), kIndexBlockSize,
                                GDBM_NEWDB | GDBM_NOLOCK | GDBM_CLOERROR, nullptr);
    if (db == nullptr)
        return 0;
    const bool indexed = IndexRecords(db, text);
    if (gdbm_close(db) != 0 || !indexed || CommitReplacement(building) == 0)
        return 0;
    std::printf("done.\n");
    std::fflush(stdout);
    return 1;
}

int32_t FetchElementOffset(const char* indexPath, const char* key)
{
    GDBM_FILE db = gdbm_open(indexPath, kIndexBlockSize, GDBM_READER, 0, nullptr);
    if (db == nullptr)
        return -1;
    datum k{const_cast<char*>(key), static_cast<int>(std::strlen(key))};
    datum value = gdbm_fetch(db, k);
    gdbm_close(db);
    if (value.dptr == nullptr)
        return -1;
    int32_t offset = -1;
    if (value.dsize == 4) {
        const auto* b = reinterpret_cast<const unsigned char*>(value.dptr);
        offset = static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
    }
    std::free(value.dptr);
    return offset;
}

namespace {

// The record line at an offset, up to and without its line end. Records
// read in file order mostly come from the stream's buffer.
bool ReadRecordLine(std::FILE* file, int64_t offset, std::string& record)
{
    char buffer[kLongElementLine + 3];
    size_t got = 0;
    if (offset >= 0 && fseeko(file, offset, SEEK_SET) == 0)
        got = std::fread(buffer, 1, sizeof buffer - 1, file);
    buffer[got] = '\0';
    const size_t length = LineLength(buffer);
    if (length >= got || !IsElementRecordLine(buffer, length))
        return false;
    record.assign(buffer, length);
    return true;
}

bool ReadRecordLine(const char* elementPath, int64_t offset, std::string& record)
{
    const UniqueFile file = OpenRegularFile(elementPath);
    return file && ReadRecordLine(file.get(), offset, record);
}

} // namespace

int32_t ReadOrbitalElementsAtOffset(const char* elementPath, int64_t offset, OrbitalElements& el)
{
    std::string record;
    return ReadRecordLine(elementPath, offset, record) ? ParseElementLine(el, record.c_str()) : 0;
}

int32_t ReadOrbitalElementsAtOffset(std::FILE* elements, int64_t offset, OrbitalElements& el)
{
    std::string record;
    return elements != nullptr && ReadRecordLine(elements, offset, record) ? ParseElementLine(el, record.c_str()) : 0;
}

int32_t ReadOrbitalElementsAt(const char* key, OrbitalElements& el, const char* elementPath, const char* indexPath)
{
    const int32_t offset = FetchElementOffset(indexPath, key);
    std::string record;
    if (offset < 0 || !ReadRecordLine(elementPath, offset, record) ||
        !HoldsKey(LongForm(record.c_str(), record.size()), key))
        return 0;
    return ParseElementLine(el, record.c_str());
}

namespace {

// "WORD" at the start of a line, any case, followed by blanks and then the
// second word (any case, compared over its length).
bool StartsWithWords(const char* line, const char* first, const char* second)
{
    const size_t n = std::strlen(first);
    if (AsciiCaseEqualN(line, first, n) == 0 || line[n] != ' ')
        return false;
    const char* rest = line + n + std::strspn(line + n, " \t");
    return AsciiCaseEqualN(rest, second, std::strlen(second)) != 0;
}

} // namespace

void ReadScriptOrbitBlock(FILE* file, std::vector<ScriptOrbitEntry>& entries)
{
    entries.clear();
    const long position = std::ftell(file);
    std::rewind(file);
    char text[kScriptLineSize];
    bool inBlock = false;
    std::vector<std::string> lines;
    while (std::fgets(text, sizeof text, file) != nullptr) {
        if (!inBlock) {
            inBlock = StartsWithWords(text, "BLOCK", "ORBIT");
            continue;
        }
        lines.emplace_back(text);
        if (StartsWithWords(text, "END", "BLOCK"))
            break;
    }
    std::fseek(file, position, SEEK_SET);
    // An entry's element line is the next line, which is looked at as a
    // line of its own too: a ":" line without its element line is no loss
    // to the entry after it.
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i][0] == ':')
            entries.push_back({lines[i].substr(1, LineLength(lines[i].c_str() + 1)), lines[i + 1]});
    }
}
