// The locale: chosen before the toolkit starts, applied to character
// classification only (LC_CTYPE), exported as LANG, and reduced to a
// two-letter language code that selects language variants of data files.
// LC_NUMERIC is never touched: scripts are written with "%f" and read back
// with strtod, which must keep the "." decimal point.
#pragma once

#include <cstddef>

constexpr size_t kLocaleNameSize = 64;

// Default locale when neither command line, options file nor environment
// names one, and the fallback when a chosen one cannot be set.
constexpr char kDefaultLocale[] = "en_US.ISO_8859-1";

// Chooses the locale name, the first that applies: a command-line argument
// "--lang=NAME" or "-l=NAME" (arguments in order; "--lang=" tried first);
// the options file's Locale (kept in gAppEnv->localeOption); the environment
// variables UVOLA_LOCALE, LC_CTYPE, LC_ALL, LANG, the first that is set, even
// when empty; kDefaultLocale.
// Given:    size          size of buffer (kLocaleNameSize)
//           argc, argv    the command line
// Returned: buffer        the name, cut to size - 1 characters
void ChooseLocale(char* buffer, size_t size, int argc, char** argv);

// Sets LC_CTYPE to the chosen locale (falling back to kDefaultLocale when it
// cannot be set), checks that Xlib supports it, sets the X locale modifiers
// from XMODIFIERS, exports LANG and stores the locale in use and the language
// code in gAppEnv. Each problem is one "uvola: ..." line on standard error;
// none stops the program.
void InitLocale(int argc, char** argv);

// The language code of a locale name: the name itself when it is two
// characters long; its first two when the third is "_"; else empty.
// Returned: code, a buffer of 3 bytes
void LanguageCodeOfLocale(const char* locale, char code[3]);

// Replaces path by its language variant, path + "." + the language code of
// gAppEnv, when that file is readable. A variant that would not fit in size
// leaves the path as it was rather than naming a different file.
void LocalizeDataPath(char* path, size_t size);
