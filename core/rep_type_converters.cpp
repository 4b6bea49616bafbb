#include "core/rep_type_converters.h"

#include "core/string_utils.h"

#include <Xm/RepType.h>
#include <Xm/Xm.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// One enumerated type: its names (lower case, as Motif keeps them) and the
// value of each.
struct RepType {
    std::string name;
    std::vector<std::string> names;
    std::vector<unsigned char> values;
};

std::vector<RepType>& RepTypes()
{
    static std::vector<RepType> types;
    return types;
}

// Motif hands out copies of its records whose every name is a block of its
// own.
void FreeRecordParts(XmRepTypeEntryRec& record)
{
    for (int i = 0; i < record.num_values; ++i) {
        XtFree(record.value_names[i]);
    }
    XtFree(reinterpret_cast<char*>(record.value_names));
    XtFree(reinterpret_cast<char*>(record.values));
    XtFree(record.rep_type_name);
}

// The type's value of a name, with or without "Xm" in front; -1 for none.
int ValueOfName(const RepType& type, const char* text)
{
    if (AsciiCaseEqualN(text, "Xm", 2) != 0) {
        text += 2;
    }
    for (size_t i = 0; i < type.names.size(); ++i) {
        if (AsciiCaseEqual(text, type.names[i].c_str()) != 0) {
            return type.values[i];
        }
    }
    return -1;
}

// An Xt new-style converter; its one argument is the type's place in
// RepTypes().
Boolean ConvertAsciiRepType(Display* display, XrmValue* args, Cardinal*, XrmValue* from, XrmValue* to,
                            XtPointer*)
{
    const XtPointer argument = *reinterpret_cast<XtPointer*>(args[0].addr);
    const RepType& type = RepTypes()[reinterpret_cast<uintptr_t>(argument)];
    const char* text = static_cast<const char*>(static_cast<void*>(from->addr));
    const int value = text != nullptr ? ValueOfName(type, text) : -1;
    if (value < 0) {
        XtDisplayStringConversionWarning(display, from->addr, const_cast<char*>(type.name.c_str()));
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
    std::vector<RepType>& types = RepTypes();
    types.clear();
    XmRepTypeList records = XmRepTypeGetRegistered();
    for (XmRepTypeList record = records; record != nullptr && record->rep_type_name != nullptr; ++record) {
        RepType type{record->rep_type_name, {}, {}};
        for (int i = 0; i < record->num_values; ++i) {
            type.names.emplace_back(record->value_names[i]);
            type.values.push_back(record->values != nullptr ? record->values[i] : static_cast<unsigned char>(i));
        }
        XtConvertArgRec argument{XtImmediate, reinterpret_cast<XtPointer>(uintptr_t{types.size()}),
                                 sizeof(XtPointer)};
        XtSetTypeConverter(XmRString, record->rep_type_name, ConvertAsciiRepType, &argument, 1, XtCacheNone,
                           nullptr);
        types.push_back(std::move(type));
        FreeRecordParts(*record);
    }
    XtFree(reinterpret_cast<char*>(records));
}
