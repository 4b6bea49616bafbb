#include "core/rep_type_converters.h"

#include "core/string_utils.h"

#include <Xm/RepType.h>
#include <Xm/Xm.h>

#include <cstdint>

namespace {

// The enumerated type's value of a name, or -1.
int ValueOfName(XmRepTypeId id, const char* text)
{
    if (AsciiCaseEqualN(text, "Xm", 2) != 0) {
        text += 2;
    }
    XmRepTypeEntry entry = XmRepTypeGetRecord(id);
    if (entry == nullptr) {
        return -1;
    }
    int value = -1;
    for (int i = 0; i < entry->num_values && value < 0; ++i) {
        if (AsciiCaseEqual(text, entry->value_names[i]) != 0) {
            value = entry->values != nullptr ? entry->values[i] : i;
        }
    }
    XtFree(reinterpret_cast<char*>(entry));
    return value;
}

// An Xt new-style converter; its one argument is the type's id.
Boolean ConvertAsciiRepType(Display* display, XrmValue* args, Cardinal*, XrmValue* from, XrmValue* to,
                            XtPointer*)
{
    const XtPointer argument = *reinterpret_cast<XtPointer*>(args[0].addr);
    const auto id = static_cast<XmRepTypeId>(reinterpret_cast<uintptr_t>(argument));
    const char* text = static_cast<const char*>(static_cast<void*>(from->addr));
    const int value = text != nullptr ? ValueOfName(id, text) : -1;
    if (value < 0) {
        XmRepTypeEntry entry = XmRepTypeGetRecord(id);
        XtDisplayStringConversionWarning(display, from->addr, entry != nullptr ? entry->rep_type_name : nullptr);
        XtFree(reinterpret_cast<char*>(entry));
        return False;
    }
    // Xt's protocol: store into the caller's room, or hand out our own.
    static unsigned char converted;
    if (to->addr == nullptr) {
        converted = static_cast<unsigned char>(value);
        to->addr = reinterpret_cast<XPointer>(&converted);
    } else if (to->size < sizeof(unsigned char)) {
        to->size = sizeof(unsigned char);
        return False;
    } else {
        *reinterpret_cast<unsigned char*>(to->addr) = static_cast<unsigned char>(value);
    }
    to->size = sizeof(unsigned char);
    return True;
}

}  // namespace

void InstallAsciiRepTypeConverters()
{
    XmRepTypeList types = XmRepTypeGetRegistered();
    for (XmRepTypeList type = types; type != nullptr && type->rep_type_name != nullptr; ++type) {
        XtConvertArgRec argument{XtImmediate, reinterpret_cast<XtPointer>(uintptr_t{type->rep_type_id}),
                                 sizeof(XtPointer)};
        XtSetTypeConverter(XmRString, type->rep_type_name, ConvertAsciiRepType, &argument, 1, XtCacheNone,
                           nullptr);
    }
    XtFree(reinterpret_cast<char*>(types));
}
