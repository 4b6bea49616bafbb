// Choosing and setting the locale, and the language variants of data files.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/locale.h"
#include "core/user_directory.h"
#include "tests/harness/test_files.h"
#include "tests/harness/test_locales.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Locale : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        ASSERT_EQ(MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath), 1);
        optionsPath = std::string(gAppEnv->userDirectory) + "/options";
        std::remove(optionsPath.c_str());
        for (const char* variable : {"UVOLA_LOCALE", "LC_CTYPE", "LC_ALL", "LANG", "LOCPATH"}) {
            unsetenv(variable);
        }
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }

    std::vector<char*> Arguments(std::vector<const char*> arguments)
    {
        arguments.insert(arguments.begin(), "uvola");
        return std::vector<char*>(const_cast<char**>(arguments.data()),
                                  const_cast<char**>(arguments.data()) + arguments.size());
    }
    std::string Choose(std::vector<const char*> arguments)
    {
        std::vector<char*> argv = Arguments(arguments);
        char name[kLocaleNameSize];
        ChooseLocale(name, sizeof name, static_cast<int>(argv.size()), argv.data());
        return name;
    }
    // The first line InitLocale writes on standard error.
    std::string Init(std::vector<const char*> arguments)
    {
        std::vector<char*> argv = Arguments(arguments);
        ::testing::internal::CaptureStderr();
        InitLocale(static_cast<int>(argv.size()), argv.data());
        const std::string errors = ::testing::internal::GetCapturedStderr();
        return errors.substr(0, errors.find('\n') + 1);
    }
    std::string optionsPath;
};

TEST_F(Locale, ChoiceFollowsCommandLineOptionsFileEnvironmentDefault)
{
    EXPECT_EQ(Choose({}), "en_US.ISO_8859-1");
    setenv("LANG", "lang", 1);
    EXPECT_EQ(Choose({}), "lang");
    setenv("LC_ALL", "all", 1);
    EXPECT_EQ(Choose({}), "all");
    setenv("LC_CTYPE", "ctype", 1);
    EXPECT_EQ(Choose({}), "ctype");
    setenv("UVOLA_LOCALE", "", 1);   // set, though empty
    EXPECT_EQ(Choose({}), "");
    WriteFile(optionsPath, "Locale = " + std::string(64, 'l') + "\n");   // too long: not taken
    EXPECT_EQ(Choose({}), "");
    WriteFile(optionsPath, "locale = de_DE\n");
    EXPECT_EQ(Choose({"-q"}), "de_DE");
    EXPECT_EQ(Choose({"-i", "-l=ja_JP.eucJP"}), "ja_JP.eucJP");
    EXPECT_EQ(Choose({"--lang=ko_KR", "-l=ja_JP"}), "ko_KR");
    EXPECT_EQ(Choose({"-l=ja_JP", "--lang=ko_KR"}), "ja_JP");
    const std::string longName = "--lang=" + std::string(100, 'a');
    EXPECT_EQ(Choose({longName.c_str()}), std::string(63, 'a'));
    // The option is kept for the options file written at quit.
    EXPECT_STREQ(gAppEnv->localeOption, "de_DE");
}

TEST_F(Locale, LanguageCodeFromTheName)
{
    const char* const cases[][2] = {
        {"de", "de"}, {"ja_JP.eucJP", "ja"}, {"de_", "de"}, {"POSIX", ""},
        {"japanese", ""}, {"C", ""}, {"", ""}, {"C.UTF-8", ""},
    };
    for (const auto& c : cases) {
        char code[3] = "zz";
        LanguageCodeOfLocale(c[0], code);
        EXPECT_STREQ(code, c[1]) << c[0];
    }
}

TEST_F(Locale, OnlyCharacterClassificationIsSetAndExported)
{
    if (CompiledLocales().empty()) {
        GTEST_SKIP() << "localedef cannot build the test locales here";
    }
    setenv("LOCPATH", CompiledLocales().c_str(), 1);
    EXPECT_EQ(Init({"--lang=de_DE.ISO_8859-1"}).find("can't set locale"), std::string::npos);
    EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "de_DE.ISO_8859-1");
    EXPECT_STREQ(std::getenv("LANG"), "de_DE.ISO_8859-1");
    EXPECT_STREQ(gAppEnv->localeInUse, "de_DE.ISO_8859-1");
    EXPECT_STREQ(gAppEnv->languageCode, "de");
    // Scripts are written with %f and read back with strtod.
    char number[16];
    std::snprintf(number, sizeof number, "%.1f", 1.5);
    EXPECT_STREQ(number, "1.5");

    EXPECT_EQ(Init({"-l=xx_NOWHERE"}), "uvola: can't set locale xx_NOWHERE. Fallback to default (en_US.ISO_8859-1).\n");
    EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "en_US.ISO_8859-1");
    EXPECT_STREQ(std::getenv("LANG"), "en_US.ISO_8859-1");
    EXPECT_STREQ(gAppEnv->languageCode, "en");
}

TEST_F(Locale, UnsetLocaleWithoutFallbackKeepsItsLanguageVariants)
{
    const std::string share = TestHome() + "/share";
    mkdir(share.c_str(), 0755);
    mkdir((TestHome() + "/no-locales").c_str(), 0755);
    setenv("LOCPATH", (TestHome() + "/no-locales").c_str(), 1);
    setenv("LANG", "de", 1);
    EXPECT_EQ(Init({}), "uvola: can't set locale de.\n");
    EXPECT_STREQ(std::getenv("LANG"), "de");
    ASSERT_STREQ(gAppEnv->languageCode, "de");

    const std::string starNames = share + "/starname.dat";
    const std::string nearlyFull = share + "/" + std::string(61 - share.size(), 'n');   // 62 characters
    for (const std::string& file : {starNames, starNames + ".de", share + "/consname.dat", nearlyFull,
                                    nearlyFull + ".de"}) {
        WriteFile(file, "x");
    }
    char path[kPathSize];
    const auto localized = [&path](const std::string& file, size_t size) {
        std::snprintf(path, sizeof path, "%s", file.c_str());
        LocalizeDataPath(path, size);
        return std::string(path);
    };
    EXPECT_EQ(localized(starNames, sizeof path), starNames + ".de");
    EXPECT_EQ(localized(share + "/consname.dat", sizeof path), share + "/consname.dat");
    // A variant that would not fit the field would name another file.
    EXPECT_EQ(localized(nearlyFull, 64), nearlyFull);
    gAppEnv->languageCode[0] = '\0';
    EXPECT_EQ(localized(starNames, sizeof path), starNames);
}

}  // namespace
