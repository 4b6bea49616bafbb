// The click-data file's index and its lookups.
#include "sky/catalog/click_data.h"

#include "core/app_env.h"
#include "core/messages.h"
#include "core/string_utils.h"
#include "core/tokenizer.h"
#include "sky/catalog/target_parser.h"
#include "sky/scene.h"
#include "sky/text_list.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace {

constexpr int32_t kIndexStep = 30;       // entries added to the index at a time
constexpr int32_t kIndexEndType = -1;

// The entries of an index being built, freed unless handed over.
struct IndexBuffer {
    ClickDataIndex* entries = nullptr;
    int32_t room = 0;
    int32_t used = 0;
    ~IndexBuffer() { std::free(entries); }

    // Room for kIndexStep more entries and the end marker.
    bool Grow()
    {
        void* grown = std::realloc(entries, sizeof(ClickDataIndex) * size_t(room + kIndexStep + 1));
        if (grown == nullptr) {
            return false;
        }
        entries = static_cast<ClickDataIndex*>(grown);
        room += kIndexStep;
        return true;
    }
    ClickDataIndex* Release()
    {
        entries[used] = ClickDataIndex{kIndexEndType, 0, 0};
        ClickDataIndex* out = entries;
        entries = nullptr;
        return out;
    }
};

// The first word and four arguments; an argument that is empty or starts
// with a blank (a quoted one) is absent, and the later ones still count.
void SplitDataLine(ClickDataLine& line)
{
    TokenizerState state;
    char* first = StkNextToken(state, line.text, 0);
    line.words[0] = first != nullptr && first[0] != '\0' ? first : nullptr;
    for (int i = 1; i < kClickDataWordCount; ++i) {
        char* word = StkNextToken(state, nullptr, 1);
        line.words[i] = word != nullptr && word[0] != '\0' && word[0] != ' ' ? word : nullptr;
    }
}

// The object an entry line names. Reading the file must not change what is
// shown, so the Jovian satellites' flag that a satellite's name switches on
// is put back. The target's words are upper-cased in the line as they are
// looked up.
bool ParseEntryTarget(Scene& scene, ClickDataLine& line, int32_t& type, int32_t& id)
{
    if (IsClickDataEntryLine(line) == 0) {
        return false;
    }
    char* keyword = line.words[0] + 1;
    char* const* rest = line.words + 1;
    if (keyword[0] == '\0') {
        keyword = line.words[1];
        rest = line.words + 2;
    }
    const uint8_t jovianMoons = scene.jovianMoonFlags;
    ObjectRef target{};
    int32_t textsUsed = 0;
    const int parsed = ParseTargetWithFallback(scene, keyword, rest[0], rest[1], target, textsUsed);
    scene.jovianMoonFlags = jovianMoons;
    if (parsed == 0) {
        return false;
    }
    type = target.type;
    id = target.id;
    return true;
}

const ClickDataIndex* FindEntry(const Scene& scene, int32_t type, int32_t id)
{
    for (const ClickDataIndex* entry = scene.clickData; entry != nullptr && entry->type != kIndexEndType; ++entry) {
        if (entry->type == type && entry->id == id) {
            return entry;
        }
    }
    return nullptr;
}

// The ':' line at an entry's offset, read into line.
// Returned: 1 when the line there is an entry line
bool SeekEntryLine(ClickDataStream& stream, const ClickDataIndex& entry, ClickDataLine& line)
{
    if (std::fseek(stream.file.get(), entry.offset, SEEK_SET) != 0) {
        return false;
    }
    stream.position = entry.offset;
    return ReadDataLine(stream, line) != 0 && line.offset == entry.offset && IsClickDataEntryLine(line) != 0;
}

// Puts the stream at an object's entry, after its ':' line, when that line
// still names the object.
bool OpenEntry(Scene& scene, const ClickDataIndex& entry, ClickDataStream& stream)
{
    if (stream.file == nullptr) {
        return false;
    }
    ClickDataLine line;
    int32_t type = 0;
    int32_t id = 0;
    return SeekEntryLine(stream, entry, line) && ParseEntryTarget(scene, line, type, id) &&
           type == entry.type && id == entry.id;
}

// Hands each line of an object's entry, after its ':' line, to `each`
// until it returns false; nothing when the object has no entry.
void ReadObjectEntry(Scene& scene, int32_t type, int32_t id,
                     const std::function<bool(const ClickDataLine&)>& each)
{
    const ClickDataIndex* entry = FindEntry(scene, type, id);
    if (entry == nullptr) {
        return;
    }
    ClickDataStream stream(scene.clickDataText, scene.clickDataSize);
    if (!OpenEntry(scene, *entry, stream)) {
        return;
    }
    ClickDataLine line;
    while (ReadDataLine(stream, line) != 0 && IsClickDataEntryLine(line) == 0 && each(line)) {
    }
}

// The whole file, or false when it cannot be read to its end (a file that
// opens but fails to read, as /proc/self/mem does) or is too large to hold.
// Its size is not asked first: files under /proc say 0.
// Returned: bytes    malloc'd, holding size bytes
//           refusal  the error key of a refused file; null when memory ran out
bool ReadWholeFile(FILE* file, char*& bytes, size_t& size, const char*& refusal)
{
    bytes = nullptr;
    size = 0;
    size_t room = 0;
    refusal = nullptr;
    bool whole = false;
    while (!whole) {
        if (size == room) {
            room = room == 0 ? size_t{1} << 16 : room * 2;
            void* grown = size <= kMaxClickDataBytes ? std::realloc(bytes, room) : nullptr;
            if (grown == nullptr) {
                refusal = size > kMaxClickDataBytes ? "stkErrorIllegalParam" : nullptr;
                break;
            }
            bytes = static_cast<char*>(grown);
        }
        const size_t got = std::fread(bytes + size, 1, room - size, file);
        size += got;
        if (got == 0 && std::ferror(file) != 0) {
            refusal = "stkErrorFileNotFound";
            break;
        }
        whole = got == 0;
    }
    if (whole && size > kMaxClickDataBytes) {
        refusal = "stkErrorIllegalParam";
        whole = false;
    }
    if (!whole) {
        std::free(bytes);
        bytes = nullptr;
    }
    return whole;
}

}  // namespace

ClickDataStream::ClickDataStream(char* bytes, size_t size)
    : file(bytes != nullptr && size > 0 ? fmemopen(bytes, size, "r") : nullptr)
{
}

int IsClickDataEntryLine(const ClickDataLine& line)
{
    return line.words[0] != nullptr && line.words[0][0] == ':' ? 1 : 0;
}

int ReadDataLine(ClickDataStream& stream, ClickDataLine& line)
{
    std::string& text = stream.buffer.text;
    while (ReadBoundedLine(stream.file.get(), kClickDataLineSize, stream.buffer)) {
        line.offset = stream.position;
        stream.position += static_cast<long>(stream.buffer.length);
        size_t end = text.find('\r');
        if (end == std::string::npos) {
            end = text.find('\n');
        }
        if (end != std::string::npos) {
            text.resize(end);
        }
        if (text.empty() || text[0] == '#' || text.size() >= size_t(kClickDataLineSize)) {
            continue;
        }
        std::memcpy(line.text, text.c_str(), text.size() + 1);
        SplitDataLine(line);
        if (line.words[0] != nullptr) {
            return 1;
        }
    }
    return 0;
}

int NextClickDataEntry(Scene& scene, ClickDataStream& stream, int32_t& type, int32_t& id, int32_t& offset)
{
    ClickDataLine line;
    while (ReadDataLine(stream, line) != 0) {
        if (line.offset > INT32_MAX) {
            return 0;
        }
        if (ParseEntryTarget(scene, line, type, id)) {
            offset = static_cast<int32_t>(line.offset);
            return 1;
        }
    }
    return 0;
}

int LoadClickData(Scene& scene, const char* path, char* message, size_t messageSize)
{
    if (messageSize > 0) {
        message[0] = '\0';
    }
    FreeClickData(scene);
    UniqueFile file = OpenRegularFile(path);
    if (file == nullptr) {
        SetPendingError("stkErrorFileNotFound", path);
        return 0;
    }
    char* bytes = nullptr;
    size_t size = 0;
    const char* refusal = nullptr;
    if (!ReadWholeFile(file.get(), bytes, size, refusal)) {
        if (refusal != nullptr) {
            SetPendingError(refusal, path);
        } else {
            GetMessage("messageSystemOutOfMemory", message, messageSize);
        }
        return 0;
    }
    std::unique_ptr<char, decltype(&std::free)> held(bytes, &std::free);
    if (size == 0) {
        return 1;
    }
    ClickDataStream stream(bytes, size);
    IndexBuffer index;
    if (stream.file == nullptr || !index.Grow()) {
        GetMessage("messageSystemOutOfMemory", message, messageSize);
        return 0;
    }
    ClickDataIndex entry{};
    while (NextClickDataEntry(scene, stream, entry.type, entry.id, entry.offset) != 0) {
        if (index.used == index.room && !index.Grow()) {
            // What was read so far stays usable.
            GetMessage("messageSystemOutOfMemory", message, messageSize);
            break;
        }
        index.entries[index.used++] = entry;
    }
    if (index.used > 0) {
        scene.clickData = index.Release();
        scene.clickDataText = held.release();
        scene.clickDataSize = size;
    }
    return 1;
}

int FindClickDataText(Scene& scene, int32_t type, int32_t id, char* text, size_t textSize, int& hasImage)
{
    CopyCut(text, textSize, "");
    hasImage = 0;
    int found = 0;
    ReadObjectEntry(scene, type, id, [&](const ClickDataLine& line) {
        if (line.words[0][0] == '@') {
            found = 1;
            if (IsWord(line.words[0], "@IMAGE") && line.words[1] != nullptr) {
                hasImage = 1;
            } else if (IsWord(line.words[0], "@TEXT") && line.words[1] != nullptr) {
                CopyCut(text, textSize, line.words[1]);
            }
        }
        return true;
    });
    return found;
}

int FindClickDataImages(Scene& scene, int32_t type, int32_t id, TextList* list)
{
    int added = 0;
    ReadObjectEntry(scene, type, id, [&](const ClickDataLine& line) {
        // A picture line without a file has nothing to show.
        if (!IsWord(line.words[0], "@IMAGE") || line.words[1] == nullptr) {
            return true;
        }
        if (AddTextListItem(list, line.words[1], line.words[2]) == 0) {
            return false;
        }
        ++added;
        return true;
    });
    return added;
}

void FreeClickData(Scene& scene)
{
    std::free(scene.clickData);
    scene.clickData = nullptr;
    std::free(scene.clickDataText);
    scene.clickDataText = nullptr;
    scene.clickDataSize = 0;
}
