// The one tokenizer of the system: the interpreter, the script reader and the
// site-file and user-object-file readers cut their lines with it. It lives in
// core/ so that the sky library's readers can use it as the command
// language does.
#pragma once

// Where a tokenizer stands in its line. Each user keeps its own, so a handler
// that reads a file while a statement is being run cannot disturb it.
struct TokenizerState {
    char* cursor = nullptr;   // where the next token's scan begins
    bool atEnd = true;        // the line is used up
};

// The next token of a line, cut out in place.
// Given:    state         the caller's tokenizer state
//           text          the line for the first token (the command word);
//                         null for each further token
//           argumentMode  0 for the command word, 1 for arguments: after a
//                         blank or tab that ends an argument, further blanks
//                         and at most one comma are skipped too
// Returned: the token, a pointer into the line, which is changed in place
//           (separators become NUL); empty for an omitted argument ("a,,b");
//           null when the line is used up
// Notes:    Blanks, tabs and commas separate; a NUL or carriage return ends
//           the line. A double quote at the start of a token groups
//           everything up to the next double quote (blanks, tabs and commas
//           included); without a closing quote the rest of the line is the
//           token. A quote inside a token is an ordinary character.
char* StkNextToken(TokenizerState& state, char* text, int argumentMode);
