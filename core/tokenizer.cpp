#include "core/tokenizer.h"

namespace {

bool IsBlankOrTab(char c)
{
    return c == ' ' || c == '\t';
}

bool EndsLine(char c)
{
    return c == '\0' || c == '\r';
}

// Ends the token at `separator` and moves the cursor past it. In argument
// mode "a , b" and "a,b" must give the same two arguments as "a b", so the
// blanks and one comma after a blank are part of the separator.
char* EndTokenAtBlank(TokenizerState& state, char* start, char* separator, int argumentMode)
{
    *separator = '\0';
    char* next = separator + 1;
    if (argumentMode != 0) {
        while (*next == ' ') {
            ++next;
        }
        if (*next == ',') {
            ++next;
        }
    }
    state.cursor = next;
    return start;
}

// A token that opens with a double quote at `quote`.
char* QuotedToken(TokenizerState& state, char* quote, int argumentMode)
{
    char* start = quote + 1;
    char* close = start;
    while (*close != '"' && !EndsLine(*close)) {
        ++close;
    }
    if (*close != '"') {
        *close = '\0';
        state.atEnd = true;
        return start;
    }
    return EndTokenAtBlank(state, start, close, argumentMode);
}

}  // namespace

char* StkNextToken(TokenizerState& state, char* text, int argumentMode)
{
    char* start;
    if (text != nullptr) {
        start = text;
        while (IsBlankOrTab(*start)) {
            ++start;
        }
        state.atEnd = false;
    } else {
        if (state.atEnd) {
            return nullptr;
        }
        start = state.cursor;
    }

    bool inToken = false;
    for (char* scan = start;; ++scan) {
        const char c = *scan;
        if (EndsLine(c)) {
            *scan = '\0';
            state.atEnd = true;
            return start;
        }
        if (!inToken && IsBlankOrTab(c)) {
            start = scan + 1;
            continue;
        }
        if (!inToken && c == '"') {
            return QuotedToken(state, scan, argumentMode);
        }
        if (IsBlankOrTab(c)) {
            return EndTokenAtBlank(state, start, scan, argumentMode);
        }
        if (c == ',') {
            *scan = '\0';
            state.cursor = scan + 1;
            return start;
        }
        inToken = true;
    }
}
