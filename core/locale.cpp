#include "core/locale.h"

#include "core/app_env.h"
#include "core/options.h"
#include "core/regular_file.h"
#include "core/string_utils.h"

#include <X11/Xlib.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kLocaleArgumentPrefixes[] = {"--lang=", "-l="};
constexpr const char* kLocaleVariables[] = {"UVOLA_LOCALE", "LC_CTYPE", "LC_ALL", "LANG"};

const char* LocaleFromArguments(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char* prefix : kLocaleArgumentPrefixes) {
            const size_t length = std::strlen(prefix);
            if (std::strncmp(argv[i], prefix, length) == 0) {
                return argv[i] + length;
            }
        }
    }
    return nullptr;
}

const char* LocaleFromEnvironment()
{
    for (const char* variable : kLocaleVariables) {
        const char* value = std::getenv(variable);
        if (value != nullptr) {
            return value;
        }
    }
    return nullptr;
}

// Sets LC_CTYPE to name, or to the default locale when name cannot be set.
void SetCharacterLocale(char* name, size_t size)
{
    if (std::setlocale(LC_CTYPE, name) != nullptr) {
        return;
    }
    std::fprintf(stderr, "uvola: can't set locale %s.", name);
    if (std::setlocale(LC_CTYPE, kDefaultLocale) != nullptr) {
        CopyCut(name, size, kDefaultLocale);
        std::fprintf(stderr, " Fallback to default (%s).", name);
    }
    std::fputc('\n', stderr);
}

}  // namespace

void ChooseLocale(char* buffer, size_t size, int argc, char** argv)
{
    // The option is kept even when the command line overrides it, so that
    // the options file written at quit still carries it.
    const bool haveOption = GetOptionString("Locale", gAppEnv->localeOption, sizeof gAppEnv->localeOption);
    const char* chosen = LocaleFromArguments(argc, argv);
    if (chosen == nullptr && haveOption) {
        chosen = gAppEnv->localeOption;
    }
    if (chosen == nullptr) {
        chosen = LocaleFromEnvironment();
    }
    if (chosen == nullptr) {
        chosen = kDefaultLocale;
    }
    CopyCut(buffer, size, chosen);
}

void InitLocale(int argc, char** argv)
{
    char name[kLocaleNameSize];
    ChooseLocale(name, sizeof name, argc, argv);
    SetCharacterLocale(name, sizeof name);
    if (!XSupportsLocale()) {
        std::fprintf(stderr, "uvola: X does not support locale %s.\n", name);
    }
    if (XSetLocaleModifiers("") == nullptr) {
        std::fprintf(stderr, "uvola: can't XSetLocaleModifiers.\n");
    }
    setenv("LANG", name, 1);
    CopyCut(gAppEnv->localeInUse, sizeof gAppEnv->localeInUse, name);
    LanguageCodeOfLocale(name, gAppEnv->languageCode);
}

void LanguageCodeOfLocale(const char* locale, char code[3])
{
    const size_t length = std::strlen(locale);
    if (length == 2 || (length >= 3 && locale[2] == '_')) {
        code[0] = locale[0];
        code[1] = locale[1];
        code[2] = '\0';
    } else {
        code[0] = '\0';
    }
}

void LocalizeDataPath(char* path, size_t size)
{
    const char* code = gAppEnv->languageCode;
    if (code[0] == '\0' || size == 0) {
        return;
    }
    char variant[kPathSize * 2];
    const int length = std::snprintf(variant, sizeof variant, "%s.%s", path, code);
    if (length < 0 || static_cast<size_t>(length) >= size || static_cast<size_t>(length) >= sizeof variant) {
        return;
    }
    if (IsReadableRegularFile(variant)) {
        std::memcpy(path, variant, static_cast<size_t>(length) + 1);
    }
}
