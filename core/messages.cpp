#include "core/messages.h"

#include "core/app_env.h"
#include "core/string_utils.h"
#include "data/fallback_resources.h"

#include <X11/Intrinsic.h>
#include <X11/StringDefs.h>
#include <cstring>

namespace {

constexpr size_t kMaxKeyLength = 255;

bool IsOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// The text of `key` from the resources of the toplevel shell.
const char* ResourceText(Widget toplevel, const char* key)
{
    char name[kMaxKeyLength + 1];
    std::strncpy(name, key, kMaxKeyLength);
    name[kMaxKeyLength] = '\0';

    String value = nullptr;
    XtResource request = {
        name, const_cast<char*>("String"), const_cast<char*>(XtRString), sizeof(String),
        0, const_cast<char*>(XtRString), const_cast<char*>(""),
    };
    XtGetApplicationResources(toplevel, &value, &request, 1, nullptr, 0);
    return value;
}

}  // namespace

void DecodeResourceValue(const char* raw, char* buffer, size_t size)
{
    if (size == 0) {
        return;
    }
    size_t out = 0;
    const char* in = raw;
    while (*in != '\0' && out < size - 1) {
        char c = *in++;
        if (c == '\\') {
            if (*in == '\0') {
                break;
            }
            if (*in == 'n') {
                c = '\n';
                ++in;
            } else if (IsOctalDigit(in[0]) && IsOctalDigit(in[1]) && IsOctalDigit(in[2])) {
                c = static_cast<char>(((in[0] - '0') << 6) | ((in[1] - '0') << 3) | (in[2] - '0'));
                in += 3;
                if (c == '\0') {
                    break;
                }
            } else {
                c = *in++;
            }
        }
        buffer[out++] = c;
    }
    buffer[out] = '\0';
}

void GetMessage(const char* key, char* buffer, size_t size)
{
    if (size == 0) {
        return;
    }
    buffer[0] = '\0';
    if (key == nullptr || *key == '\0') {
        return;
    }
    if (gAppEnv->toplevel != nullptr) {
        const char* text = ResourceText(gAppEnv->toplevel, key);
        if (text != nullptr) {
            CopyCut(buffer, size, text);
        }
        return;
    }
    char name[kMaxKeyLength + 1];
    std::strncpy(name, key, kMaxKeyLength);
    name[kMaxKeyLength] = '\0';
    const char* raw = FindFallbackResource(name);
    if (raw != nullptr) {
        DecodeResourceValue(raw, buffer, size);
    }
}
