#include "command/error_text.h"

namespace {

// Appends to a bounded buffer; everything past its end is dropped.
struct BoundedText {
    char* out;
    size_t size;
    size_t length = 0;

    void Put(char c)
    {
        if (length + 1 < size) {
            out[length++] = c;
        }
    }
    void Put(const char* text)
    {
        for (; text != nullptr && *text != '\0'; ++text) {
            Put(*text);
        }
    }
};

}  // namespace

void FormatErrorText(const char* format, const char* word, const char* parameter, char* out,
                     size_t size)
{
    if (size == 0) {
        return;
    }
    BoundedText text{out, size};
    const char* fields[] = {word, parameter};
    int fieldsUsed = 0;
    for (const char* f = format; f != nullptr && *f != '\0'; ++f) {
        if (f[0] == '%' && f[1] == 's' && fieldsUsed < 2) {
            text.Put(fields[fieldsUsed++]);
            ++f;
        } else if (f[0] == '%' && f[1] == '%') {
            text.Put('%');
            ++f;
        } else {
            text.Put(*f);
        }
    }
    out[text.length] = '\0';
}
