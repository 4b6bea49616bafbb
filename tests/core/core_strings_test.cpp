// Case conversion, ASCII case-insensitive comparison, the flag-group
// operation, the cut copy and the prefix and word tests.
#include <gtest/gtest.h>

#include "core/string_utils.h"

#include <clocale>
#include <cstring>
#include <string>
#include <tuple>

namespace {

TEST(StringCase, ConvertsInPlaceAndReturnsTheText)
{
    char text[] = "Look Sun 1.8";
    EXPECT_EQ(StrUpper(text), text);
    EXPECT_STREQ(text, "LOOK SUN 1.8");
    EXPECT_EQ(StrLower(text), text);
    EXPECT_STREQ(text, "look sun 1.8");
    char empty[] = "";
    EXPECT_EQ(StrUpper(empty), empty);
    EXPECT_EQ(StrUpper(nullptr), nullptr);
    EXPECT_EQ(StrLower(nullptr), nullptr);
}

TEST(StringCase, HighBytesAreSafeInTheCLocale)
{
    // Bytes above 0x7F are negative chars; they must reach toupper as
    // unsigned char, and the C locale leaves them alone.
    ASSERT_NE(std::setlocale(LC_CTYPE, "C"), nullptr);
    char text[] = "\xB9\xB1\xC0\xB1z\xFF";
    StrUpper(text);
    EXPECT_STREQ(text, "\xB9\xB1\xC0\xB1Z\xFF");
    StrLower(text);
    EXPECT_STREQ(text, "\xB9\xB1\xC0\xB1z\xFF");
}

TEST(StringCase, CaseEqualToleratesNull)
{
    const struct {
        const char* a;
        const char* b;
        int equal;
    } rows[] = {
        {"NOW", nullptr, 0}, {nullptr, "NOW", 0}, {nullptr, nullptr, 0},
        {"now", "NOW", 1},   {"now", "NOWX", 0},  {"", "", 1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(StrCaseEqual(row.a, row.b), row.equal)
            << (row.a ? row.a : "null") << " / " << (row.b ? row.b : "null");
    }
}

TEST(StringCase, AsciiComparisonTouchesOnlyAsciiLetters)
{
    EXPECT_EQ(AsciiUpper('a'), 'A');
    EXPECT_EQ(AsciiUpper('z'), 'Z');
    EXPECT_EQ(AsciiUpper('_'), '_');
    EXPECT_EQ(AsciiUpper('\xE9'), '\xE9');
    EXPECT_EQ(AsciiCaseEqual("sol_offset", "SOL_OFFSET"), 1);
    EXPECT_EQ(AsciiCaseEqual("\xE9t\xE9", "\xC9T\xC9"), 0);
    EXPECT_EQ(AsciiCaseEqual("DRIVE", "DRIV"), 0);
    EXPECT_EQ(AsciiCaseEqual("DRIV", "DRIVE"), 0);
    EXPECT_EQ(AsciiCaseEqual("DRIVE", nullptr), 0);
}

TEST(BitOperation, ClearsSetsAndTogglesAGroup)
{
    EXPECT_EQ(ApplyBitOp(0xFF, 0x0C, 0), 0xF3);
    EXPECT_EQ(ApplyBitOp(0x01, 0x0C, 1), 0x0D);
    // The group toggles as one: one of its two bits set clears both.
    EXPECT_EQ(ApplyBitOp(0x05, 0x0C, 2), 0x01);
    EXPECT_EQ(ApplyBitOp(0x0D, 0x0C, 2), 0x01);
    EXPECT_EQ(ApplyBitOp(0x01, 0x0C, 2), 0x0D);
    EXPECT_EQ(ApplyBitOp(0xFF, 0x0C, 3), 0x00);
    EXPECT_EQ(ApplyBitOp(0xFF, 0x0C, -1), 0x00);
}

TEST(CopyCut, CutsToTheBufferAndLeavesABufferOfNoBytesAlone)
{
    const struct {
        const char* text;
        size_t size;
        const char* copied;
    } cases[] = {{"Greenwich", 16, "Greenwich"}, {"Greenwich", 6, "Green"}, {"Greenwich", 1, ""},
                 {nullptr, 8, ""}, {"", 8, ""}};
    for (const auto& c : cases) {
        char buffer[17];
        std::memset(buffer, 'x', sizeof buffer);
        CopyCut(buffer, c.size, c.text);
        EXPECT_STREQ(buffer, c.copied) << c.size;
        EXPECT_EQ(buffer[c.size], 'x') << "wrote past the buffer";
    }
    char untouched[2] = {'x', 'y'};
    CopyCut(untouched, 0, "Greenwich");
    EXPECT_EQ(std::string(untouched, 2), "xy");
}

TEST(Prefix, StartsWithAndIsWord)
{
    for (auto [text, prefix, starts] : {std::tuple{"--lang=ja", "--lang=", true}, {"-l", "-l=", false},
                                        {"JUPITER", "", true}, {"", "J", false}})
        EXPECT_EQ(StartsWith(text, prefix), starts) << text << " " << prefix;
    for (auto [token, word, is] : {std::tuple<const char*, const char*, bool>{"epoch", "EPOCH", true},
                                   {"EPOCHS", "EPOCH", false}, {nullptr, "EPOCH", false}})
        EXPECT_EQ(IsWord(token, word), is) << (token ? token : "(null)");
}

}  // namespace
