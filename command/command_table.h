// The command table: every command word with its handler, the number of
// arguments the handler takes and whether the command keeps a tracked
// target centred.
#pragma once

#include <cstdint>

struct Scene;

constexpr int kMaxCommandArguments = 10;

// A handler of one of the shapes the table knows; which member is set is
// told by CommandEntry::argumentCount.
union CommandHandler {
    void (*take0)(Scene&);
    void (*take1)(Scene&, char*);
    void (*take2)(Scene&, char*, char*);
    void (*take3)(Scene&, char*, char*, char*);
    void (*take4)(Scene&, char*, char*, char*, char*);
    void (*take5)(Scene&, char*, char*, char*, char*, char*);
    void (*take6)(Scene&, char*, char*, char*, char*, char*, char*);
    void (*take7)(Scene&, char*, char*, char*, char*, char*, char*, char*);
    void (*takeArray)(Scene&, char* const*);
};

constexpr int32_t kTakesArgumentArray = -1;

struct CommandEntry {
    const char* word;          // upper case; null ends the table
    CommandHandler handler;
    int32_t argumentCount;     // 0..7 texts, or kTakesArgumentArray (all ten slots)
    int32_t keepsCentring;     // 0: the Scene's keep-centred flag is cleared afterwards
};

// The 39 commands, ended by an all-zero entry.
extern const CommandEntry CommandTable[];

// The entry of a command word, compared without regard to case.
// Given:    table  a command table
//           word   command word (null: none)
// Returned: its entry, or null
const CommandEntry* StkFindCommand(const CommandEntry* table, const char* word);

// Calls the handler of an entry.
// Given:    entry  a command entry
//           scene  the Scene handed on to the handler
//           args   the statement's ten argument slots, null where omitted;
//                  slots beyond the handler's count are not passed. They
//                  are the statement's own buffer: a handler may change
//                  them (keyword lookups upper-case their argument)
void StkCallHandler(const CommandEntry& entry, Scene& scene, char* const* args);

// A table entry whose argument count follows from the handler's type, so the
// table cannot promise a handler more or fewer arguments than it takes.
template <typename... Texts>
constexpr CommandEntry MakeCommandEntry(const char* word, void (*handler)(Scene&, Texts...),
                                        int32_t keepsCentring)
{
    CommandEntry entry{word, {}, static_cast<int32_t>(sizeof...(Texts)), keepsCentring};
    if constexpr (sizeof...(Texts) == 0) {
        entry.handler.take0 = handler;
    } else if constexpr (sizeof...(Texts) == 1) {
        entry.handler.take1 = handler;
    } else if constexpr (sizeof...(Texts) == 2) {
        entry.handler.take2 = handler;
    } else if constexpr (sizeof...(Texts) == 3) {
        entry.handler.take3 = handler;
    } else if constexpr (sizeof...(Texts) == 4) {
        entry.handler.take4 = handler;
    } else if constexpr (sizeof...(Texts) == 5) {
        entry.handler.take5 = handler;
    } else if constexpr (sizeof...(Texts) == 6) {
        entry.handler.take6 = handler;
    } else {
        static_assert(sizeof...(Texts) == 7, "handlers take at most seven separate texts");
        entry.handler.take7 = handler;
    }
    return entry;
}

constexpr CommandEntry MakeCommandEntry(const char* word, void (*handler)(Scene&, char* const*),
                                        int32_t keepsCentring)
{
    CommandEntry entry{word, {}, kTakesArgumentArray, keepsCentring};
    entry.handler.takeArray = handler;
    return entry;
}
