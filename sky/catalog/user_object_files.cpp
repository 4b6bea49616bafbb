// Reading user-object and sky-mark files into their lists.
#include "sky/catalog/user_object_files.h"

#include "astro/coordinates.h"
#include "core/format_check.h"
#include "core/messages.h"
#include "core/regular_file.h"
#include "core/string_utils.h"
#include "core/tokenizer.h"
#include "sky/catalog/target_parser.h"
#include "sky/colors.h"
#include "sky/scene.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

const std::array<int32_t, kUserColorCount> UserColorTable = {
    kColorBlack, kColorStar0, kColorStar3, kColorStar6, kColorStar9, kColorDarkStar,
    kColorGlobeBack, kColorDirection2Font, kColorConstLine,
    kColorWhite, kColorWhite, kColorWhite, kColorWhite, kColorWhite, kColorWhite, kColorWhite,
};

namespace {

constexpr int32_t kFirstRoom = 102;          // records of a new file: 100 and 2
constexpr int32_t kRoomStep = 102;
constexpr int32_t kDefaultLabelColour = 2;   // colour number of names until one is given
constexpr int32_t kSolidPattern = 0xffff;
constexpr int32_t kMostColourClass = 9;      // the star symbol's colours are a table of ten
constexpr double kMostMagnitude = 100.0;     // far beyond any star; keeps x 10 in range
constexpr size_t kMessageSize = 256;

// What the lines read so far leave for the next ones.
struct ReaderState {
    int32_t epochFrame = kFrameEqt;
    int32_t linePattern = kSolidPattern;
    // A LINE before any colour number draws in the constellation lines'
    // colour, the table's colour 8.
    int32_t lineColour = kColorConstLine;
    int32_t labelColour = UserColorTable[kDefaultLabelColour];
};

// The records of a file being read, freed unless handed over.
struct RecordBuffer {
    UserObject* records = nullptr;
    int32_t room = 0;
    int32_t used = 0;
    ~RecordBuffer() { std::free(records); }

    bool Grow(int32_t more)
    {
        void* grown = std::realloc(records, sizeof(UserObject) * size_t(room + more));
        if (grown == nullptr) {
            return false;
        }
        records = static_cast<UserObject*>(grown);
        room += more;
        return true;
    }
    UserObject* Release()
    {
        UserObject* out = records;
        records = nullptr;
        return out;
    }
};

// Why a file was refused with a box.
enum class Refusal { kNone, kSyntax, kNoData, kNoMemory };

void TextOfRefusal(Refusal refusal, int32_t lineNumber, char* message, size_t size)
{
    if (refusal == Refusal::kNoMemory) {
        GetMessage("messageSystemOutOfMemory", message, size);
        return;
    }
    if (refusal == Refusal::kNoData) {
        GetMessage("messageNoDataInUserObjectFile", message, size);
        return;
    }
    static const char kSyntaxFormat[] = "Syntax error at line %d";
    char format[kMessageSize];
    GetMessage("messageErrorInUserObjectFile", format, sizeof format);
    const char* use = FormatMatchesDefault(format, kSyntaxFormat) != 0 ? format : kSyntaxFormat;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(message, size, use, lineNumber);
#pragma GCC diagnostic pop
}

// EPOCH's word as a frame; any other word leaves the frame as it was.
int32_t EpochFrame(const char* word, int32_t frame)
{
    if (IsWord(word, "DATE")) {
        return kFrameEqtDate;
    }
    if (IsWord(word, "B1950")) {
        return kFrameEqtB1950;
    }
    return IsWord(word, "J2000") ? kFrameEqt : frame;
}

const char* FrameKeyword(int32_t frame)
{
    switch (frame) {
    case kFrameEqtDate: return "EQT_DATE";
    case kFrameEqtB1950: return "EQT_B1950";
    default: return "EQT";
    }
}

// LINE [number] [, pattern]: a number that is none is colour number 0; a
// pattern that is no hexadecimal number keeps the one before.
void ParseLine(char* const* tokens, ReaderState& state, UserObject& record)
{
    if (tokens[1] != nullptr) {
        state.lineColour = UserColorIndex(TextIntValue(tokens[1]));
    }
    unsigned int pattern = 0;
    if (tokens[2] != nullptr && std::sscanf(tokens[2], "%x", &pattern) == 1) {
        state.linePattern = static_cast<int32_t>(pattern);
    }
    record.kind = kUserObjectLine;
    record.a = state.linePattern;
    record.b = state.lineColour;
}

// STAR mag [class]: magnitude x 10 truncated, class held to 0..9.
void ParseStarFields(char* const* words, UserObject& record)
{
    const double magnitude = std::clamp(TextDoubleValue(words[0]), -kMostMagnitude, kMostMagnitude);
    record.a = static_cast<int32_t>(magnitude * 10.0);
    record.b = std::clamp(TextIntValue(words[1]), 0, kMostColourClass);
}

// What follows the target: a kind with its fields, then name and colour.
// Numbers that are none read as 0.
void ParseObjectFields(char* const* words, ReaderState& state, UserObject& record)
{
    int fieldWords = 0;
    record.kind = kUserObjectPoint;
    if (IsWord(words[0], "STAR")) {
        record.kind = kUserObjectStar;
        ParseStarFields(words + 1, record);
        fieldWords = 3;
    } else if (IsWord(words[0], "NEBULA")) {
        record.kind = kUserObjectNebula;
        const int32_t type = TextIntValue(words[1]);
        record.a = type > INT32_MIN ? type - 1 : INT32_MIN;
        fieldWords = 2;
    } else if (IsWord(words[0], "MARK")) {
        record.kind = kUserObjectMark;
        record.a = words[1] != nullptr ? TextIntValue(words[1]) : -1;
        fieldWords = 2;
    }
    if (words[fieldWords + 1] != nullptr) {
        state.labelColour = UserColorIndex(TextIntValue(words[fieldWords + 1]));
    }
    CopyCut(record.name, sizeof record.name, words[fieldWords]);
    record.colour = static_cast<uint32_t>(state.labelColour);
}

constexpr size_t kEpochKeywordSize = 16;

// A point: its target, then its fields. Bare coordinates are read in the
// EPOCH frame, as if its keyword stood first.
// Returned: false when the target does not parse
bool ParsePoint(Scene& scene, char* const* tokens, ReaderState& state, UserObject& record)
{
    const bool bare = std::isdigit(static_cast<unsigned char>(tokens[0][0])) != 0;
    // The keyword lookup upper-cases its text: the epoch's keyword is copied.
    char epochKeyword[kEpochKeywordSize];
    CopyCut(epochKeyword, sizeof epochKeyword, FrameKeyword(state.epochFrame));
    char* keyword = bare ? epochKeyword : tokens[0];
    char* const* after = bare ? tokens : tokens + 1;
    ObjectRef target{};
    int32_t textsUsed = 0;
    if (ParseTargetWithFallback(scene, keyword, after[0], after[1], target, textsUsed) == 0) {
        return false;
    }
    record.type = target.type;
    record.id = target.id;
    record.longitude = target.longitude;
    record.latitude = target.latitude;
    ParseObjectFields(after + textsUsed - 1, state, record);
    return true;
}

// One data line. Returns false when its target does not parse; `made`
// tells whether the line gave a record (EPOCH gives none).
bool ParseDataLine(Scene& scene, char* const* tokens, ReaderState& state, UserObject& record, bool& made)
{
    record = UserObject{};
    made = true;
    if (IsWord(tokens[0], "EPOCH")) {
        made = false;
        state.epochFrame = EpochFrame(tokens[1], state.epochFrame);
        return true;
    }
    if (IsWord(tokens[0], "LINE")) {
        ParseLine(tokens, state, record);
        return true;
    }
    if (IsWord(tokens[0], "END")) {
        record.kind = kUserObjectLineEnd;
        return true;
    }
    return ParsePoint(scene, tokens, state, record);
}

// Reads every record of a file; on a refusal the line it happened at.
Refusal ReadRecords(Scene& scene, FILE* file, RecordBuffer& buffer, int32_t& lineNumber)
{
    ReaderState state;
    char* tokens[kUserObjectTokenCount];
    char line[kUserObjectLineSize];
    lineNumber = 0;
    for (;;) {
        const int read = ReadUserObjectLine(file, tokens, line, lineNumber);
        if (read == 0) {
            return Refusal::kNone;
        }
        bool made = false;
        UserObject record{};
        if (read < 0 || !ParseDataLine(scene, tokens, state, record, made)) {
            return Refusal::kSyntax;
        }
        if (!made) {
            continue;
        }
        // One record stays free for the end marker.
        if (buffer.used + 1 >= buffer.room && !buffer.Grow(kRoomStep)) {
            return Refusal::kNoMemory;
        }
        buffer.records[buffer.used++] = record;
    }
}

bool IsLoaded(const UserObjectFile* files, int32_t count, const char* path)
{
    for (int32_t i = 0; i < count; ++i) {
        if (std::strcmp(files[i].path, path) == 0) {
            return true;
        }
    }
    return false;
}

void FreeFile(UserObjectFile& file)
{
    std::free(file.objects);
    file.objects = nullptr;
}

// Cuts a line into the first word and its arguments, empty ones absent.
void SplitLine(char* line, char* tokens[kUserObjectTokenCount])
{
    TokenizerState state;
    tokens[0] = StkNextToken(state, line, 0);
    for (int i = 1; i < kUserObjectTokenCount; ++i) {
        tokens[i] = StkNextToken(state, nullptr, 1);
    }
    for (int i = 0; i < kUserObjectTokenCount; ++i) {
        if (tokens[i] != nullptr && tokens[i][0] == '\0') {
            tokens[i] = nullptr;
        }
    }
    if (tokens[1] == nullptr) {
        std::memmove(tokens + 1, tokens + 2, sizeof(char*) * (kUserObjectTokenCount - 2));
        tokens[kUserObjectTokenCount - 1] = nullptr;
    }
}

}  // namespace

int32_t UserColorIndex(int32_t number)
{
    return number >= 0 && number < kUserColorCount ? UserColorTable[number] : kColorWhite;
}

int ReadUserObjectLine(FILE* file, char* tokens[kUserObjectTokenCount], char line[kUserObjectLineSize],
                       int32_t& lineNumber)
{
    BoundedLine read;
    while (ReadBoundedLine(file, kUserObjectLineSize, read)) {
        ++lineNumber;
        std::string& text = read.text;
        size_t end = text.find('\r');
        if (end == std::string::npos) {
            end = text.find('\n');
        }
        if (end != std::string::npos) {
            text.resize(end);
        }
        if (text.empty() || text[0] == '#') {
            continue;
        }
        if (text.size() >= size_t(kUserObjectLineSize)) {
            return -1;
        }
        std::memcpy(line, text.c_str(), text.size() + 1);
        SplitLine(line, tokens);
        if (tokens[0] != nullptr) {
            return 1;
        }
    }
    return 0;
}

int LoadUserObjectFile(Scene& scene, const char* path, UserObjectFile*& files, int32_t& count,
                       char* message, size_t messageSize)
{
    if (messageSize > 0) {
        message[0] = '\0';
    }
    if (path == nullptr || std::strlen(path) >= size_t(kPathSize)) {
        SetPendingError("stkErrorIllegalParam", path);
        return 0;
    }
    if (IsLoaded(files, count, path)) {
        return 0;
    }
    UniqueFile file = OpenRegularFile(path);
    if (file == nullptr) {
        SetPendingError("stkErrorFileNotFound", path);
        return 0;
    }
    RecordBuffer buffer;
    if (!buffer.Grow(kFirstRoom)) {
        SetPendingError("stkErrorOutOfMemory", path);
        return 0;
    }
    int32_t lineNumber = 0;
    Refusal refusal = ReadRecords(scene, file.get(), buffer, lineNumber);
    if (refusal == Refusal::kNone && buffer.used == 0) {
        refusal = Refusal::kNoData;
    }
    if (refusal != Refusal::kNone) {
        TextOfRefusal(refusal, lineNumber, message, messageSize);
        return 0;
    }
    auto* grown = static_cast<UserObjectFile*>(std::realloc(files, sizeof(UserObjectFile) * size_t(count + 1)));
    if (grown == nullptr) {
        SetPendingError("stkErrorOutOfMemory", path);
        return 0;
    }
    files = grown;
    UserObjectFile& added = files[count];
    added.count = buffer.used;
    CopyCut(added.path, sizeof added.path, path);
    buffer.records[buffer.used] = UserObject{};
    buffer.records[buffer.used].kind = kUserObjectArrayEnd;
    added.objects = buffer.Release();
    ++count;
    return 1;
}

int UnloadUserObjectFile(Scene& scene, const char* path)
{
    UserObjectFile* files = scene.userObjectFiles;
    for (int32_t i = 0; i < scene.userObjectFileCount; ++i) {
        if (path != nullptr && std::strcmp(files[i].path, path) == 0) {
            FreeFile(files[i]);
            std::memmove(files + i, files + i + 1, sizeof(UserObjectFile) * size_t(scene.userObjectFileCount - i - 1));
            --scene.userObjectFileCount;
            break;
        }
    }
    return 0;
}

void FreeUserObjectList(UserObjectFile*& files, int32_t& count)
{
    for (int32_t i = 0; i < count; ++i) {
        FreeFile(files[i]);
    }
    std::free(files);
    files = nullptr;
    count = 0;
}

void FreeUserObjectFiles(Scene& scene)
{
    FreeUserObjectList(scene.userObjectFiles, scene.userObjectFileCount);
}
