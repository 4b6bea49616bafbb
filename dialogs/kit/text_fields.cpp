#include "dialogs/kit/text_fields.h"

#include <Xm/Text.h>
#include <Xm/Xm.h>

namespace {

bool IsControlCharacter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

// modifyVerify of the field: the control characters of the new text are
// taken out before it goes in.
void DropControlCallback(Widget, XtPointer, XtPointer call)
{
    auto* verify = static_cast<XmTextVerifyCallbackStruct*>(call);
    XmTextBlock block = verify->text;
    if (block == nullptr || block->ptr == nullptr) {
        return;
    }
    int kept = 0;
    for (int i = 0; i < block->length; ++i) {
        if (!IsControlCharacter(block->ptr[i])) {
            block->ptr[kept++] = block->ptr[i];
        }
    }
    block->length = kept;
}

}  // namespace

std::string FieldText(Widget field)
{
    char* value = XmTextGetString(field);
    std::string text = value != nullptr ? value : "";
    XtFree(value);
    return text;
}

void SetFieldText(Widget field, const std::string& text)
{
    XmTextSetString(field, const_cast<char*>(text.c_str()));
}

std::string WithoutControlCharacters(const std::string& text)
{
    std::string kept;
    for (const char c : text) {
        if (!IsControlCharacter(c)) {
            kept += c;
        }
    }
    return kept;
}

void DropControlCharacters(Widget field)
{
    XtAddCallback(field, XmNmodifyVerifyCallback, DropControlCallback, nullptr);
}
