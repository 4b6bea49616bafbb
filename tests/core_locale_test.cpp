// Choosing and setting the locale, and the language variants of data files.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/locale.h"
#include "core/user_directory.h"

#include <sys/stat.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kLocaleVariables[] = {"UVOLA_LOCALE", "LC_CTYPE", "LC_ALL", "LANG", "LOCPATH"};

std::string Home()
{
    return std::getenv("UVOLA_TEST_HOME");
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// Locales compiled into a private directory (LOCPATH) so that the tests do
// not depend on which locales the machine has generated.
std::string CompiledLocales()
{
    static std::string directory;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const std::string candidate = Home() + "/locales";
        mkdir(candidate.c_str(), 0755);
        const std::string command = "localedef -i en_US -f ISO-8859-1 " + candidate +
                                    "/en_US.ISO_8859-1 >/dev/null 2>&1 && localedef -i de_DE -f ISO-8859-1 " +
                                    candidate + "/de_DE.ISO_8859-1 >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) {
            directory = candidate;
        }
    }
    return directory;
}

class Locale : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        ASSERT_EQ(MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath), 1);
        optionsPath = std::string(gAppEnv->userDirectory) + "/options";
        std::remove(optionsPath.c_str());
        for (const char* variable : kLocaleVariables) {
            unsetenv(variable);
        }
        emptyLocaleDirectory = Home() + "/no-locales";
        mkdir(emptyLocaleDirectory.c_str(), 0755);
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
    }

    std::string Choose(std::vector<const char*> arguments)
    {
        arguments.insert(arguments.begin(), "uvola");
        char name[kLocaleNameSize];
        std::memset(name, 'x', sizeof name);
        ChooseLocale(name, sizeof name, static_cast<int>(arguments.size()), const_cast<char**>(arguments.data()));
        return name;
    }

    std::string Init(std::vector<const char*> arguments)
    {
        arguments.insert(arguments.begin(), "uvola");
        ::testing::internal::CaptureStderr();
        InitLocale(static_cast<int>(arguments.size()), const_cast<char**>(arguments.data()));
        return ::testing::internal::GetCapturedStderr();
    }

    std::string optionsPath;
    std::string emptyLocaleDirectory;
};

TEST_F(Locale, CommandLineWinsOverOptionsFileAndEnvironment)
{
    WriteFile(optionsPath, "Locale = de_DE\n");
    setenv("LANG", "fr_FR", 1);
    setenv("UVOLA_LOCALE", "it_IT", 1);
    EXPECT_EQ(Choose({"-i", "-l=ja_JP.eucJP"}), "ja_JP.eucJP");
    EXPECT_EQ(Choose({"--lang=ko_KR", "-l=ja_JP"}), "ko_KR");
    EXPECT_EQ(Choose({"-l=ja_JP", "--lang=ko_KR"}), "ja_JP");
    // The option is kept for the options file written at quit.
    EXPECT_STREQ(gAppEnv->localeOption, "de_DE");
}

TEST_F(Locale, OptionsFileWinsOverEnvironment)
{
    WriteFile(optionsPath, "locale = de_DE.ISO_8859-1\n");
    setenv("UVOLA_LOCALE", "it_IT", 1);
    EXPECT_EQ(Choose({"-q"}), "de_DE.ISO_8859-1");
}

TEST_F(Locale, EnvironmentVariablesInTheirOrderEvenWhenEmpty)
{
    setenv("LANG", "lang", 1);
    EXPECT_EQ(Choose({}), "lang");
    setenv("LC_ALL", "all", 1);
    EXPECT_EQ(Choose({}), "all");
    setenv("LC_CTYPE", "ctype", 1);
    EXPECT_EQ(Choose({}), "ctype");
    setenv("UVOLA_LOCALE", "", 1);
    EXPECT_EQ(Choose({}), "");
}

TEST_F(Locale, DefaultWhenNothingNamesOne)
{
    EXPECT_EQ(Choose({}), "en_US.ISO_8859-1");
    gAppEnv->userDirectory[0] = '\0';
    EXPECT_EQ(Choose({}), "en_US.ISO_8859-1");
}

TEST_F(Locale, OverlongNamesAreCutAndOverlongOptionIsNotTaken)
{
    const std::string longName(100, 'a');
    const std::string argument = "--lang=" + longName;
    EXPECT_EQ(Choose({argument.c_str()}), longName.substr(0, 63));
    WriteFile(optionsPath, "Locale = " + longName + "\n");
    setenv("LANG", "fr_FR", 1);
    EXPECT_EQ(Choose({}), "fr_FR");
}

TEST_F(Locale, LanguageCodeFromTheName)
{
    struct Case {
        const char* locale;
        const char* code;
    };
    const Case cases[] = {
        {"de", "de"},          {"ja_JP.eucJP", "ja"}, {"en_US.ISO_8859-1", "en"}, {"de_", "de"},
        {"POSIX", ""},         {"japanese", ""},      {"C", ""},                  {"", ""},
        {"C.UTF-8", ""},       {"x", ""},
    };
    for (const Case& c : cases) {
        char code[3] = "zz";
        LanguageCodeOfLocale(c.locale, code);
        EXPECT_STREQ(code, c.code) << c.locale;
    }
}

TEST_F(Locale, SetLocaleIsExportedAndOnlyCharacterClassificationChanges)
{
    const std::string locales = CompiledLocales();
    if (locales.empty()) {
        GTEST_SKIP() << "localedef cannot build the test locales here";
    }
    setenv("LOCPATH", locales.c_str(), 1);
    const std::string errors = Init({"--lang=de_DE.ISO_8859-1"});
    EXPECT_EQ(errors.find("can't set locale"), std::string::npos) << errors;
    EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "de_DE.ISO_8859-1");
    EXPECT_STREQ(std::getenv("LANG"), "de_DE.ISO_8859-1");
    EXPECT_STREQ(gAppEnv->localeInUse, "de_DE.ISO_8859-1");
    EXPECT_STREQ(gAppEnv->languageCode, "de");
    // Scripts are written with %f and read back with strtod.
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    char number[16];
    std::snprintf(number, sizeof number, "%.1f", 1.5);
    EXPECT_STREQ(number, "1.5");
    EXPECT_DOUBLE_EQ(std::strtod("2.25", nullptr), 2.25);
}

TEST_F(Locale, UnknownLocaleFallsBackToTheDefault)
{
    const std::string locales = CompiledLocales();
    if (locales.empty()) {
        GTEST_SKIP() << "localedef cannot build the test locales here";
    }
    setenv("LOCPATH", locales.c_str(), 1);
    const std::string errors = Init({"-l=xx_NOWHERE"});
    EXPECT_EQ(errors.substr(0, errors.find('\n') + 1),
              "uvola: can't set locale xx_NOWHERE. Fallback to default (en_US.ISO_8859-1).\n");
    EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "en_US.ISO_8859-1");
    EXPECT_STREQ(std::getenv("LANG"), "en_US.ISO_8859-1");
    EXPECT_STREQ(gAppEnv->localeInUse, "en_US.ISO_8859-1");
    EXPECT_STREQ(gAppEnv->languageCode, "en");
}

TEST_F(Locale, UnknownLocaleWithoutFallbackIsKeptAndReported)
{
    setenv("LOCPATH", emptyLocaleDirectory.c_str(), 1);
    setenv("LANG", "de", 1);
    const std::string errors = Init({});
    EXPECT_EQ(errors.substr(0, errors.find('\n') + 1), "uvola: can't set locale de.\n");
    EXPECT_STREQ(std::getenv("LANG"), "de");
    EXPECT_STREQ(gAppEnv->localeInUse, "de");
    EXPECT_STREQ(gAppEnv->languageCode, "de");
}

TEST_F(Locale, LanguageVariantOfADataFileIsUsedWhenReadable)
{
    const std::string directory = Home() + "/share";
    mkdir(directory.c_str(), 0755);
    const std::string starNames = directory + "/starname.dat";
    WriteFile(starNames, "en");
    WriteFile(starNames + ".de", "de");
    const std::string constNames = directory + "/consname.dat";
    WriteFile(constNames, "en");

    setenv("LOCPATH", emptyLocaleDirectory.c_str(), 1);
    setenv("LANG", "de", 1);
    Init({});
    ASSERT_STREQ(gAppEnv->languageCode, "de");

    char path[kPathSize];
    std::snprintf(path, sizeof path, "%s", starNames.c_str());
    LocalizeDataPath(path, sizeof path);
    EXPECT_EQ(std::string(path), starNames + ".de");

    std::snprintf(path, sizeof path, "%s", constNames.c_str());
    LocalizeDataPath(path, sizeof path);
    EXPECT_EQ(std::string(path), constNames);

    // A variant that does not fit the field would name another file.
    char small[64];
    const std::string nearlyFull = directory + "/" + std::string(61 - directory.size(), 'n');
    ASSERT_EQ(nearlyFull.size(), 62u);
    WriteFile(nearlyFull, "en");
    WriteFile(nearlyFull + ".de", "de");
    std::snprintf(small, sizeof small, "%s", nearlyFull.c_str());
    LocalizeDataPath(small, sizeof small);
    EXPECT_EQ(std::string(small), nearlyFull);

    gAppEnv->languageCode[0] = '\0';
    std::snprintf(path, sizeof path, "%s", starNames.c_str());
    LocalizeDataPath(path, sizeof path);
    EXPECT_EQ(std::string(path), starNames);
}

}  // namespace
