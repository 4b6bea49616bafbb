// The command language without a display: statement splitting, the
// tokenizer, dispatch and the keep-centred rule, error reporting in quiet
// mode, re-entrancy, keyword tables and the checked number conversion.
#include <gtest/gtest.h>

#include "command/command_table.h"
#include "command/error_text.h"
#include "command/interpreter.h"
#include "command/number_args.h"
#include "tests/command/command_test_support.h"
#include "core/app_env.h"
#include "core/keywords.h"
#include "core/tokenizer.h"
#include "astro/calendar.h"
#include "sky/scene.h"

#include <array>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using Tokens = std::vector<std::optional<std::string>>;

// ---------------------------------------------------------------------------
// Recording handlers and a command table of our own

struct Call {
    std::string word;
    Tokens args;
    bool operator==(const Call&) const = default;
};

std::vector<Call> calls;

std::optional<std::string> Text(const char* arg)
{
    return arg != nullptr ? std::optional<std::string>(arg) : std::nullopt;
}

void Record(const char* word, std::initializer_list<const char*> args)
{
    Call call{word, {}};
    for (const char* arg : args) {
        call.args.push_back(Text(arg));
    }
    calls.push_back(call);
}

void TestNone(Scene&) { Record("NONE", {}); }
void TestTwo(Scene&, char* a, char* b) { Record("TWO", {a, b}); }
void TestAll(Scene&, char* const* a)
{
    Call call{"ALL", {}};
    for (int i = 0; i < kMaxCommandArguments; ++i) {
        call.args.push_back(Text(a[i]));
    }
    calls.push_back(call);
}
void TestFail(Scene&, char* a) { StkSetError("stkErrorIllegalParam", a); }

// The caller's buffer, reused by a handler that runs command text of its
// own, as the command dialog reuses its text buffer.
char sharedBuffer[256];
void TestRun(Scene& scene, char*)
{
    Record("RUN", {});
    std::snprintf(sharedBuffer, sizeof sharedBuffer, "NONE;ALL inner1\nALL inner2");
    StkExecuteText(scene, sharedBuffer);
}

const CommandEntry kTestTable[] = {
    MakeCommandEntry("NONE", TestNone, 1),
    MakeCommandEntry("TWO", TestTwo, 1),
    MakeCommandEntry("ALL", TestAll, 1),
    MakeCommandEntry("FAIL", TestFail, 1),
    MakeCommandEntry("RUN", TestRun, 1),
    MakeCommandEntry("CLEAR", TestNone, 0),
    {nullptr, {}, 0, 0},
};

Tokens AllArgs(std::initializer_list<const char*> given)
{
    Tokens args(kMaxCommandArguments);
    int i = 0;
    for (const char* arg : given) {
        args[i++] = Text(arg);
    }
    return args;
}

class Interpreter : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        gAppEnv->toplevel = nullptr;
        gAppEnv->quiet = 1;
        gAppEnv->errorMessage[0] = '\0';
        ResetScene(*gScene);
        StkUseCommandTable(kTestTable);
        calls.clear();
    }
    void TearDown() override { StkUseCommandTable(nullptr); }
};

// ---------------------------------------------------------------------------
// Tokenizer

struct TokenCase {
    const char* line;
    Tokens expected;   // every token up to the end of the line
};

Tokens Tokenize(const char* line)
{
    std::string buffer(line);
    TokenizerState state;
    Tokens tokens;
    for (char* token = StkNextToken(state, buffer.data(), 0); token != nullptr;
         token = StkNextToken(state, nullptr, 1)) {
        tokens.push_back(std::string(token));
    }
    return tokens;
}

TEST(Tokenizer, SplitsByTheLanguagesRules)
{
    const TokenCase cases[] = {
        {"DATE 2000,,1", {"DATE", "2000", "", "1"}},
        {"CMD a , b", {"CMD", "a", "b"}},
        {"CMD a,b", {"CMD", "a", "b"}},
        {"CMD a b", {"CMD", "a", "b"}},
        {"CMD a  ,  b", {"CMD", "a", "b"}},
        {"CMD a,,b", {"CMD", "a", "", "b"}},
        {"CMD a , , b", {"CMD", "a", "", "b"}},
        {"  \tCMD\ta\t\tb", {"CMD", "a", "b"}},
        {"CMD ,a", {"CMD", "", "a"}},
        {"CMD \"x y,z\" w", {"CMD", "x y,z", "w"}},
        {"CMD \"\" w", {"CMD", "", "w"}},
        {"CMD \" lead\"", {"CMD", " lead", ""}},
        {"CMD \"unclosed rest, of it", {"CMD", "unclosed rest, of it"}},
        {"CMD \"q\"rest", {"CMD", "q", "rest"}},
        {"CMD a\"b\" c", {"CMD", "a\"b\"", "c"}},
        {"CMD a\r b", {"CMD", "a"}},
        {"CMD a ", {"CMD", "a", ""}},
        {"CMD", {"CMD"}},
        {"", {""}},
        {"   ", {""}},
    };
    for (const TokenCase& c : cases) {
        EXPECT_EQ(Tokenize(c.line), c.expected) << "line: [" << c.line << "]";
    }
}

TEST(Tokenizer, KeepsOneStatePerUser)
{
    char outer[] = "A 1 2";
    char inner[] = "B x y";
    TokenizerState outerState;
    TokenizerState innerState;
    EXPECT_STREQ(StkNextToken(outerState, outer, 0), "A");
    EXPECT_STREQ(StkNextToken(outerState, nullptr, 1), "1");
    EXPECT_STREQ(StkNextToken(innerState, inner, 0), "B");
    EXPECT_STREQ(StkNextToken(innerState, nullptr, 1), "x");
    EXPECT_STREQ(StkNextToken(outerState, nullptr, 1), "2");
    EXPECT_EQ(StkNextToken(outerState, nullptr, 1), nullptr);
    EXPECT_STREQ(StkNextToken(innerState, nullptr, 1), "y");
}

// ---------------------------------------------------------------------------
// Statements and arguments

TEST_F(Interpreter, SplitsStatementsAtSemicolonsLineFeedsAndCarriageReturns)
{
    StkExecuteText(*gScene, "ALL a;ALL b\nALL c\rALL d\r\n;;ALL e");
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].args, AllArgs({"a"}));
    EXPECT_EQ(calls[4].args, AllArgs({"e"}));
}

TEST_F(Interpreter, EmptyStatementsDoNothing)
{
    StkExecuteText(*gScene, ";;\n\r ; \t;");
    StkExecuteText(*gScene, "");
    StkExecuteText(*gScene, nullptr);
    EXPECT_TRUE(calls.empty());
    EXPECT_STREQ(gAppEnv->errorKey, "");
}

TEST_F(Interpreter, CommandWordsAreCaseInsensitive)
{
    StkExecuteText(*gScene, "two up;none;All x");
    EXPECT_EQ(calls, (std::vector<Call>{{"TWO", {"up", std::nullopt}}, {"NONE", {}},
                                        {"ALL", AllArgs({"x"})}}));
}

TEST_F(Interpreter, OmittedArgumentsArriveAsNull)
{
    StkExecuteText(*gScene, "ALL 2000,,1");
    StkExecuteText(*gScene, "ALL \"\" b");
    StkExecuteText(*gScene, "ALL \" lead\" b");
    StkExecuteText(*gScene, "ALL \"with blank\" b");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].args, AllArgs({"2000", nullptr, "1"}));
    EXPECT_EQ(calls[1].args, AllArgs({nullptr, "b"}));
    EXPECT_EQ(calls[2].args, AllArgs({nullptr, "b"}));
    EXPECT_EQ(calls[3].args, AllArgs({"with blank", "b"}));
}

TEST_F(Interpreter, TenArgumentsReachTheHandlerAndTheEleventhIsDropped)
{
    StkExecuteText(*gScene, "ALL 1 2 3 4 5 6 7 8 9 10");
    StkExecuteText(*gScene, "ALL 1 2 3 4 5 6 7 8 9 10 11");
    const Tokens ten = AllArgs({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].args, ten);
    EXPECT_EQ(calls[1].args, ten);
    EXPECT_STREQ(gAppEnv->errorKey, "");
}

TEST_F(Interpreter, HandlerGetsOnlyAsManyArgumentsAsItTakes)
{
    StkExecuteText(*gScene, "TWO a b c d");
    StkExecuteText(*gScene, "TWO a");
    EXPECT_EQ(calls, (std::vector<Call>{{"TWO", {"a", "b"}}, {"TWO", {"a", std::nullopt}}}));
}

TEST_F(Interpreter, StatementOfMaximumLengthRuns)
{
    std::string statement = "ALL " + std::string(kMaxStatementLength - 4, 'x');
    ASSERT_EQ(statement.size(), 255u);
    StkExecuteText(*gScene, statement.c_str());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args[0]->size(), 251u);
    EXPECT_STREQ(gAppEnv->errorKey, "");
}

TEST_F(Interpreter, OverlongStatementIsRefusedNotCutShort)
{
    std::string statement = "ALL " + std::string(kMaxStatementLength - 3, 'x');
    StkExecuteText(*gScene, (statement + ";NONE").c_str());
    // The long one never ran; the next statement did and cleared the error.
    EXPECT_EQ(calls, (std::vector<Call>{{"NONE", {}}}));

    calls.clear();
    StkExecuteText(*gScene, ("NONE;" + statement).c_str());
    EXPECT_EQ(calls, (std::vector<Call>{{"NONE", {}}}));
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorIllegalParam");
    EXPECT_EQ(std::string(gAppEnv->errorParam), statement.substr(0, 39));
    EXPECT_EQ(std::string(gAppEnv->errorMessage),
              "ALL: Illegal Parameter: " + statement.substr(0, 39));
}

TEST_F(Interpreter, OverlongWordStillLeavesTheErrorTextInTheMessage)
{
    const std::string word(400, 'W');
    StkExecuteText(*gScene, word.c_str());
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorIllegalParam");
    const std::string message = gAppEnv->errorMessage;
    EXPECT_NE(message.find(": Illegal Parameter: "), std::string::npos) << message;
    EXPECT_LT(message.size(), 255u);
}

TEST_F(Interpreter, LongTextOfShortStatementsRunsEveryStatement)
{
    std::string text;
    for (int i = 0; i < 100; ++i) {
        text += "ALL " + std::to_string(i) + ";";
    }
    ASSERT_GT(text.size(), 255u);
    StkExecuteText(*gScene, text.c_str());
    ASSERT_EQ(calls.size(), 100u);
    EXPECT_EQ(calls[99].args[0], "99");
}

// ---------------------------------------------------------------------------
// Errors in quiet mode

TEST_F(Interpreter, UnknownCommandGivesSyntaxErrorText)
{
    StkUseCommandTable(nullptr);
    StkExecuteText(*gScene, "FOO 1");
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorSyntax");
    EXPECT_STREQ(gAppEnv->errorParam, "FOO");
    EXPECT_STREQ(gAppEnv->errorMessage, "FOO: Syntax Error: FOO");
}

TEST_F(Interpreter, OnlyTheLastStatementsErrorSurvives)
{
    StkExecuteText(*gScene, "FAIL x; NONE");
    EXPECT_STREQ(gAppEnv->errorKey, "");
    StkExecuteText(*gScene, "NONE; FAIL y");
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorIllegalParam");
    EXPECT_STREQ(gAppEnv->errorMessage, "FAIL: Illegal Parameter: y");
    StkExecuteText(*gScene, "FAIL a; FAIL b");
    EXPECT_STREQ(gAppEnv->errorMessage, "FAIL: Illegal Parameter: b");
    // A blank piece after a failing statement is no statement of its own.
    StkExecuteText(*gScene, "FAIL c; ");
    EXPECT_STREQ(gAppEnv->errorMessage, "FAIL: Illegal Parameter: c");
}

TEST_F(Interpreter, AFailingStatementDoesNotStopTheNext)
{
    StkExecuteText(*gScene, "BOGUS; NONE; FAIL z; TWO a");
    EXPECT_EQ(calls, (std::vector<Call>{{"NONE", {}}, {"TWO", {"a", std::nullopt}}}));
}

TEST_F(Interpreter, ErrorParameterIsCutTo39Characters)
{
    const std::string word(60, 'Q');
    StkExecuteText(*gScene, word.c_str());
    EXPECT_EQ(std::string(gAppEnv->errorParam), word.substr(0, 39));
    EXPECT_EQ(std::string(gAppEnv->errorMessage), word + ": Syntax Error: " + word.substr(0, 39));
}

// A program that only runs commands has no dialog to open and no quit
// routine: INPUT and EXIT say so.
TEST_F(Interpreter, CommandsNeedingAWindowSayNotAvailableWithoutOne)
{
    StkUseCommandTable(nullptr);
    const std::pair<const char*, const char*> rows[] = {
        {"input date", "input: Not available in this version: DATE"},
        {"EXIT", "EXIT: Not available in this version: EXIT"},
    };
    for (const auto& [text, message] : rows) {
        EXPECT_EQ(RunCommand(*gScene, text), "stkErrorNotAvailable") << text;
        EXPECT_STREQ(gAppEnv->errorMessage, message);
    }
}

TEST(ErrorText, FillsOnlyTwoTextFieldsAndPercentSigns)
{
    char out[256];
    FormatErrorText("%s: Syntax Error: %s", "FOO", "BAR", out, sizeof out);
    EXPECT_STREQ(out, "FOO: Syntax Error: BAR");
    FormatErrorText("%n%d%s%s%s%x%", "W", "P", out, sizeof out);
    EXPECT_STREQ(out, "%n%dWP%s%x%");
    FormatErrorText("100%% %s", nullptr, nullptr, out, sizeof out);
    EXPECT_STREQ(out, "100% ");
    FormatErrorText("%s: Insufficient memory.", "LOAD", "unused", out, sizeof out);
    EXPECT_STREQ(out, "LOAD: Insufficient memory.");
    FormatErrorText("", "W", "P", out, sizeof out);
    EXPECT_STREQ(out, "");
}

TEST(ErrorText, IsCutToTheBuffer)
{
    char out[10];
    std::memset(out, 'x', sizeof out);
    FormatErrorText("%s: Syntax Error: %s", "LONGWORD", "P", out, 8);
    EXPECT_STREQ(out, "LONGWOR");
    EXPECT_EQ(out[8], 'x');
    std::string longWord(400, 'w');
    char message[256];
    FormatErrorText("%s: %s", longWord.c_str(), "P", message, sizeof message);
    EXPECT_EQ(std::strlen(message), 255u);
}

// ---------------------------------------------------------------------------
// Re-entrancy

TEST_F(Interpreter, HandlerRunningTextDoesNotDisturbTheFollowingStatements)
{
    std::snprintf(sharedBuffer, sizeof sharedBuffer, "ALL a;RUN;ALL b\nALL c");
    StkExecuteText(*gScene, sharedBuffer);
    const std::vector<Call> expected = {
        {"ALL", AllArgs({"a"})}, {"RUN", {}},         {"NONE", {}}, {"ALL", AllArgs({"inner1"})},
        {"ALL", AllArgs({"inner2"})}, {"ALL", AllArgs({"b"})}, {"ALL", AllArgs({"c"})},
    };
    EXPECT_EQ(calls, expected);
}

// ---------------------------------------------------------------------------
// Dispatch and the keep-centred rule

TEST_F(Interpreter, KeepCentredIsClearedOnlyWhenTheEntrySaysSo)
{
    gScene->keepCentred = 1;
    StkExecuteText(*gScene, "NONE; TWO a b; ALL; FAIL x");
    EXPECT_EQ(gScene->keepCentred, 1);
    StkExecuteText(*gScene, "CLEAR");
    EXPECT_EQ(gScene->keepCentred, 0);
    // An unknown word leaves the flag alone.
    gScene->keepCentred = 1;
    StkExecuteText(*gScene, "BOGUS");
    EXPECT_EQ(gScene->keepCentred, 1);
}

// The real table, with every handler replaced by a recorder of the same
// shape: the 39 words in order with the language's argument counts, each
// reaching its handler with exactly that many arguments, and the flag
// cleared after exactly the ten commands that move the view.
std::string dispatchedWord;
int dispatchedArgs = -2;
void Take0(Scene&) { dispatchedArgs = 0; }
void Take1(Scene&, char* a) { dispatchedArgs = a ? 1 : -3; }
void Take2(Scene&, char*, char* b) { dispatchedArgs = b ? 2 : -3; }
void Take3(Scene&, char*, char*, char* c) { dispatchedArgs = c ? 3 : -3; }
void Take4(Scene&, char*, char*, char*, char* d) { dispatchedArgs = d ? 4 : -3; }
void Take5(Scene&, char*, char*, char*, char*, char* e)
{
    dispatchedArgs = e ? 5 : -3;
}
void Take6(Scene&, char*, char*, char*, char*, char*, char* f)
{
    dispatchedArgs = f ? 6 : -3;
}
void Take7(Scene&, char*, char*, char*, char*, char*, char*,
           char* g)
{
    dispatchedArgs = g ? 7 : -3;
}
void TakeArray(Scene&, char* const* args) { dispatchedArgs = args[9] ? -1 : -3; }

TEST_F(Interpreter, CommandTableHoldsThe39CommandsWithTheirCentringRule)
{
    std::vector<CommandEntry> mirror;
    for (const CommandEntry* e = CommandTable; e->word != nullptr; ++e) {
        CommandEntry copy = *e;
        switch (e->argumentCount) {
        case 0: copy.handler.take0 = Take0; break;
        case 1: copy.handler.take1 = Take1; break;
        case 2: copy.handler.take2 = Take2; break;
        case 3: copy.handler.take3 = Take3; break;
        case 4: copy.handler.take4 = Take4; break;
        case 5: copy.handler.take5 = Take5; break;
        case 6: copy.handler.take6 = Take6; break;
        case 7: copy.handler.take7 = Take7; break;
        default: copy.handler.takeArray = TakeArray; break;
        }
        mirror.push_back(copy);
    }
    ASSERT_EQ(mirror.size(), 39u);
    mirror.push_back({nullptr, {}, 0, 0});
    StkUseCommandTable(mirror.data());

    const std::pair<const char*, int> language[] = {
        {"INIT", 0}, {"DRIVE", 0}, {"MODE", 1}, {"LOCATE", 5}, {"DATE", 7}, {"STIME", 2},
        {"INCTIME", 6}, {"DECTIME", 6}, {"PERIOD", 6}, {"TIMESYS", 1}, {"CONTINUE", 7},
        {"REVERSE", 7}, {"REALTIME", 3}, {"MAG", 2}, {"INCMAG", 2}, {"DECMAG", 2},
        {"STARSIZE", 1}, {"STARDATA", 1}, {"MIRROR", 1}, {"VIEW", -1}, {"ZOOM", 2},
        {"LOOK", 3}, {"TRACK", 3}, {"BLINK", 3}, {"SOL_OFFSET", 3}, {"SHOW", -1},
        {"HIDE", -1}, {"TOGGLE", -1}, {"GRID", 1}, {"LOAD", 4}, {"UNLOAD", 4}, {"INPUT", 1},
        {"STL", 1}, {"REAL", -1}, {"OUTLINE", -1}, {"DISK", -1}, {"DISK_MAG", 1},
        {"GSAVE", 2}, {"EXIT", 0},
    };
    const std::set<std::string> clearing = {"INIT", "MODE", "LOCATE", "VIEW", "ZOOM",
                                            "LOOK", "TRACK", "SOL_OFFSET", "STL", "EXIT"};
    char numbers[kMaxCommandArguments][3] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    char* const args[kMaxCommandArguments] = {numbers[0], numbers[1], numbers[2], numbers[3], numbers[4],
                                              numbers[5], numbers[6], numbers[7], numbers[8], numbers[9]};
    for (const CommandEntry* e = mirror.data(); e->word != nullptr; ++e) {
        const auto& [word, count] = language[e - mirror.data()];
        EXPECT_STREQ(e->word, word);
        EXPECT_EQ(e->argumentCount, count) << word;
        gScene->keepCentred = 1;
        dispatchedArgs = -2;
        std::string lower(e->word);
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        StkDispatch(*gScene, lower.c_str(), args);
        EXPECT_EQ(dispatchedArgs, e->argumentCount) << e->word;
        EXPECT_EQ(gScene->keepCentred, clearing.count(e->word) ? 0 : 1) << e->word;
    }
}

// ---------------------------------------------------------------------------
// Keywords

std::string ToEucJp(const char* utf8)
{
    iconv_t cd = iconv_open("EUC-JP", "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in(utf8);
    std::string out(in.size() * 2 + 1, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    EXPECT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<size_t>(-1)) << utf8;
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// Each Japanese alias with the keyword it stands for.
const std::pair<const char*, const char*> kAliases[] = {
    {"ガリレオ衛星", "JMOON"}, {"ガリレオ衛星名", "JMOON_NAME"}, {"ガリレオ衛星番号", "JMOON_NO"},
    {"恒星", "STAR"}, {"恒星和名", "STARNAME_J"}, {"恒星固有名", "STARNAME"},
    {"バイエル名", "BAYER"}, {"フラムスチード名", "FLAMSTEED"}, {"恒星等級", "STAR_MAG"},
    {"変光星名", "VARIABLE"}, {"天の川", "MILKYWAY"}, {"星雲団", "NEBULA"},
    {"星雲団名", "NEBULA_NAME"}, {"星雲星団", "NEBULA"}, {"星雲星団名", "NEBULA_NAME"},
    {"星雲線", "NEBULA_LINE"}, {"星雲等級", "NEBULA_MAG"}, {"惑星状星雲", "PLANETARY"},
    {"散光星雲", "DIFFUSE"}, {"球状星団", "GLOBE"}, {"散開星団", "OPEN"}, {"銀河", "GALAXY"},
    {"星団＋星雲", "COMPOUND"}, {"メシエ", "MESSIER"}, {"星座名1", "CONS_NAME1"},
    {"星座名2", "CONS_NAME2"}, {"星座線", "CONS_LINE"}, {"星座絵", "CONS_PICT"},
    {"星座境界線", "CONS_LIMIT"}, {"昼光", "DAYLIGHT"}, {"夕焼け", "TWILIGHT"},
    {"地上光", "GROUNDLIGHT"}, {"地上風景", "LANDSCAPE"}, {"流星", "METEOR"},
    {"群流星", "SWMETEOR"}, {"散在流星", "SCMETEOR"}, {"地平線", "HORIZON"},
    {"高度方位線", "HRZ_GRID"}, {"方位", "DIR"}, {"子午線", "MERIDIAN"},
    {"赤経緯線_2000", "EQT_GRID_2000"}, {"赤経緯線_1950", "EQT_GRID_1950"},
    {"赤経緯線_DATE", "EQT_GRID_DATE"}, {"赤道_2000", "EQT_2000"}, {"赤道_1950", "EQT_1950"},
    {"赤道_DATE", "EQT_DATE"}, {"黄経緯線", "ECL_GRID"}, {"黄道", "ECL"},
    {"銀河経緯線", "GAL_GRID"}, {"銀河赤道", "GAL"}, {"太陽系座標軸", "SOL_GRID"},
    {"ウィンドウ中央", "WINDOW_CENTER"}, {"視野円", "VIEW_CIRCLE"}, {"画像マーク", "IMAGE_MARK"},
    {"写野", "VIEW_PHOTO"}, {"光跡", "TRACE"},
};

// The lookup upper-cases its argument: it gets a writable copy.
int Lookup(std::string text, const KeywordEntry* table, int32_t& value)
{
    return StkLookupKeyword(text.data(), table, value);
}

void ExpectEveryAliasMatches()
{
    for (const auto& [alias, english] : kAliases) {
        int32_t aliasValue = -1;
        int32_t englishValue = -2;
        const std::string bytes = ToEucJp(alias);
        EXPECT_EQ(Lookup(bytes, ObjectKeywordTable, aliasValue), 1) << alias;
        EXPECT_EQ(Lookup(english, ObjectKeywordTable, englishValue), 1) << english;
        EXPECT_EQ(aliasValue, englishValue) << alias;
    }
    // The ASCII part of an alias may be typed in any case.
    int32_t value = 0;
    EXPECT_EQ(Lookup(ToEucJp("赤道_date"), ObjectKeywordTable, value), 1);
    EXPECT_EQ(value, 0x1220);
}

TEST(Keywords, ObjectTableHas139EntriesAndEveryAliasIsItsKeywordsEucJp)
{
    EXPECT_EQ(TableEntries(ObjectKeywordTable).size(), 139u);
    EXPECT_EQ(TableEntries(ModeKeywordTable).size(), 14u);
    ExpectEveryAliasMatches();
}

TEST(Keywords, LookupUpperCasesTheArgumentInPlaceAndComparesExactly)
{
    const struct {
        const char* text;
        const KeywordEntry* table;
        int found;
        int32_t value;
        const char* after;
    } rows[] = {
        {"StarName_j", ObjectKeywordTable, 1, 0x1901, "STARNAME_J"},
        {"all2_gal", ModeKeywordTable, 1, 0x406, "ALL2_GAL"},
        {"lmt", TimeSystemKeywordTable, 1, 2, "LMT"},
        {"clickdata", FileTypeKeywordTable, 1, 7, "CLICKDATA"},
        {"Mode3", GridKeywordTable, 1, 3, "MODE3"},
        {"nonsense", ModeKeywordTable, 0, 77, "NONSENSE"},
        {"", ObjectKeywordTable, 0, 77, ""},
        {"sta", ObjectKeywordTable, 0, 77, "STA"},
        {"STARS", ObjectKeywordTable, 0, 77, "STARS"},
        {"hrz ", ModeKeywordTable, 0, 77, "HRZ "},
        {"\xe9t\xe9", ObjectKeywordTable, 0, 77, "\xe9T\xe9"},   // only ASCII letters change
    };
    for (const auto& row : rows) {
        std::string argument(row.text);
        int32_t value = 77;
        EXPECT_EQ(StkLookupKeyword(argument.data(), row.table, value), row.found) << row.text;
        EXPECT_EQ(value, row.value) << row.text;
        EXPECT_EQ(argument, row.after);
    }
    int32_t value = 77;
    EXPECT_EQ(StkLookupKeyword(nullptr, ObjectKeywordTable, value), 0);
}

TEST(Keywords, ReverseLookupGivesTheFirstName)
{
    EXPECT_STREQ(StkKeywordName(ObjectKeywordTable, 0x1901), "STARNAME_J");
    EXPECT_STREQ(StkKeywordName(ObjectKeywordTable, 0x0F02), "TWILIGHT");
    EXPECT_STREQ(StkKeywordName(ObjectKeywordTable, 0x1601), "TRACE");
    EXPECT_STREQ(StkKeywordName(ObjectKeywordTable, 0x1502), "TOOLBOX");
    EXPECT_STREQ(StkKeywordName(ObjectKeywordTable, 0x1504), "STEPBOX");
    EXPECT_STREQ(StkKeywordName(ObjectKeywordTable, 0x0C01), "NEBULA");
    EXPECT_STREQ(StkKeywordName(ModeKeywordTable, 0x304), "ALL1_EQT");
    EXPECT_EQ(StkKeywordName(ObjectKeywordTable, 0x1902 + 0x100), nullptr);
    EXPECT_EQ(StkKeywordName(ModeKeywordTable, 0), nullptr);
}

// Latin-1's toupper turns bytes 0xE0-0xFE into 0xC0-0xDE, which would break
// every EUC-JP alias; the lookup must not care which locale is set.
class KeywordsUnderLocale : public ::testing::Test {
protected:
    void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_F(KeywordsUnderLocale, AliasesMatchUnderUtf8)
{
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    ExpectEveryAliasMatches();
}

TEST_F(KeywordsUnderLocale, AliasesMatchUnderLatin1)
{
    // No Latin-1 locale may be installed: make one of our own.
    const char* home = std::getenv("UVOLA_TEST_HOME");
    const std::string dir = std::string(home != nullptr ? home : "/tmp") + "/locales";
    // localedef exits non-zero on mere warnings, so its result is judged by
    // whether the locale can then be set.
    const std::string command = "mkdir -p " + dir + " && localedef -i fr_FR -f ISO-8859-1 " +
                                dir + "/fr_FR.ISO-8859-1 >/dev/null 2>&1";
    if (std::setlocale(LC_CTYPE, "fr_FR.ISO-8859-1") == nullptr) {
        (void)std::system(command.c_str());
        setenv("LOCPATH", dir.c_str(), 1);
        if (std::setlocale(LC_CTYPE, "fr_FR.ISO-8859-1") == nullptr) {
            GTEST_SKIP() << "no Latin-1 locale and localedef cannot make one";
        }
    }
    // The locale really changes high bytes, or this test proves nothing.
    ASSERT_EQ(std::toupper(0xE9), 0xC9);
    ExpectEveryAliasMatches();
    int32_t value = 0;
    EXPECT_EQ(Lookup("hrz_grid", ObjectKeywordTable, value), 1);
}

// ---------------------------------------------------------------------------
// Numbers

class NumberArguments : public ::testing::Test {
protected:
    void SetUp() override { StkClearError(); }
};

// Text after the number is ignored and a text that is no number is 0; only
// what no int32 holds, NaN and the infinities are refused.
TEST_F(NumberArguments, IntegersReadAsStrtolDoes)
{
    const struct {
        const char* text;
        int32_t value;
    } rows[] = {{"12", 12}, {"  -7", -7}, {"2000x", 2000}, {"x12", 0}, {"", 0}, {"-", 0},
                {"nan", 0}, {"1e5", 1}, {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}};
    for (const auto& row : rows) {
        StkClearError();
        int32_t value = 55;
        EXPECT_EQ(StkIntegerArgument(row.text, value), 1) << row.text;
        EXPECT_EQ(value, row.value) << row.text;
        EXPECT_STREQ(gAppEnv->errorKey, "") << row.text;
    }
    int32_t value = 55;
    EXPECT_EQ(StkIntegerArgument(nullptr, value), 1);
    EXPECT_EQ(value, 55) << "an omitted argument keeps the value";
    for (const char* text : {"2147483648", "-2147483649", "99999999999999999999", "-99999999999999999999"}) {
        StkClearError();
        EXPECT_EQ(StkIntegerArgument(text, value), 0) << text;
        EXPECT_EQ(value, 55) << text;
        EXPECT_STREQ(gAppEnv->errorKey, "stkErrorIllegalParam") << text;
        EXPECT_STREQ(gAppEnv->errorParam, text);
    }
}

TEST_F(NumberArguments, RealsReadAsStrtodDoes)
{
    const struct {
        const char* text;
        double value;
    } rows[] = {{"1.8", 1.8}, {"-89.5deg", -89.5}, {"1e1", 10.0}, {"abc", 0.0}, {"", 0.0},
                {".", 0.0}, {"1e300", 1e300}, {"-90.5", -90.5}};
    for (const auto& row : rows) {
        StkClearError();
        double value = 3.0;
        EXPECT_EQ(StkRealArgument(row.text, value), 1) << row.text;
        EXPECT_DOUBLE_EQ(value, row.value) << row.text;
    }
    for (const char* text : {"nan", "NAN", "-nan", "inf", "-Infinity", "1e400", "-1e400"}) {
        StkClearError();
        double value = 3.0;
        EXPECT_EQ(StkRealArgument(text, value), 0) << text;
        EXPECT_EQ(value, 3.0) << text;
        EXPECT_STREQ(gAppEnv->errorKey, "stkErrorIllegalParam") << text;
    }
}

// ---------------------------------------------------------------------------
// Numbers through the commands: each statement is accepted as its command
// reads it, with the effect on the Scene in its row.

class CommandNumbers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForCommands(scene);
        StkUseCommandTable(nullptr);
        RunCommand(scene, "DATE 2000,6,15,12,0,0,9");
    }

    Scene& scene = *gScene;
};

struct NumberRow {
    const char* text;
    void (*check)(const Scene&);
};

const NumberRow kAcceptedNumbers[] = {
    {"DATE 2001,1,1,x,0,0", [](const Scene& s) {
         EXPECT_EQ(s.time.date.year, 2001);
         EXPECT_EQ(s.time.date.hour, 0);
     }},
    {"DATE 2000,6,15,12,0,0,25", [](const Scene& s) { EXPECT_EQ(s.time.date.zone, 25.0); }},
    {"PERIOD 1,2,3; PERIOD x", [](const Scene& s) {
         EXPECT_EQ(s.timeStep.years, 0);
         EXPECT_EQ(s.timeStep.days, 0);
     }},
    {"INCTIME x,,2", [](const Scene& s) { EXPECT_EQ(s.time.date.day, 17); }},
    {"INCTIME ,,,,,1e15", [](const Scene& s) { EXPECT_EQ(s.time.date.day, 15); }},   // out of range: kept
    {"STIME SUNRISE 100DEG", [](const Scene& s) {
         EXPECT_EQ(s.animation.sunEventLock, 3);
         EXPECT_EQ(s.animation.sunEventValue, 100);
     }},
    {"STIME SUNSET MIN", [](const Scene& s) {
         EXPECT_EQ(s.animation.sunEventLock, 2);
         EXPECT_EQ(s.animation.sunEventValue, 0);
     }},
    {"LOCATE 1000", [](const Scene& s) { EXPECT_EQ(s.time.location.longitude, 640.0); }},
    {"LOCATE 10,20; LOCATE Nowhere,abc", [](const Scene& s) {
         EXPECT_EQ(s.time.location.longitude, 0.0);
         EXPECT_EQ(s.time.location.latitude, 0.0);
     }},
    {"LOCATE ,,,2e7", [](const Scene& s) { EXPECT_EQ(s.time.location.height, 2e7); }},
    {"MAG STAR x", [](const Scene& s) {
         EXPECT_EQ(s.mag.requestPending, 1);
         EXPECT_EQ(s.mag.requestedValue, 0);
     }},
    {"MAG STARNAME 250", [](const Scene& s) { EXPECT_EQ(s.mag.starLabelLimit, 2500); }},
    {"INCMAG STARNAME 200", [](const Scene& s) { EXPECT_EQ(s.mag.starLabelLimit, 2014); }},
    {"MAG NEBULALIMIT x", [](const Scene& s) { EXPECT_EQ(s.mag.nebulaBoundsInUse, 0); }},
    {"STARSIZE 3; STARSIZE x", [](const Scene& s) { EXPECT_EQ(s.view.starSize, 0); }},
    {"STARSIZE -5", [](const Scene& s) { EXPECT_EQ(s.view.starSize, -50); }},
    {"MIRROR 1; MIRROR x", [](const Scene& s) { EXPECT_EQ(s.mirror, 0); }},
    {"MIRROR -1", [](const Scene& s) { EXPECT_EQ(s.mirror, -1); }},
    {"VIEW ANGLE 500", [](const Scene& s) { EXPECT_EQ(s.view.fieldOfView, 500.0); }},
    {"VIEW SOL -5", [](const Scene& s) { EXPECT_EQ(s.view.solarViewWidth, -5.0); }},
    {"ZOOM UP x", [](const Scene& s) { EXPECT_DOUBLE_EQ(s.view.fieldOfView, 100.0); }},
    {"VIEW ANGLE 50; ZOOM UP -5", [](const Scene& s) { EXPECT_EQ(s.view.fieldOfView, 55.0); }},
    {"SOL_OFFSET x,1e6,2", [](const Scene& s) {
         EXPECT_EQ(s.solarOrigin[0], 0.0);
         EXPECT_EQ(s.solarOrigin[1], 1e6);
     }},
    {"REALTIME 1; REALTIME x", [](const Scene& s) { EXPECT_EQ(s.animation.realTimeMode, 0); }},
    {"CONTINUE 2001,13,1", [](const Scene& s) {
         EXPECT_EQ(s.animation.running, 1);
         // Month 13 counts on into January; hour and minute are the Scene's.
         EXPECT_NEAR(s.animation.targetDay, JulianDayFromCalendar(2002, 1, 1) + (12.0 - 9.0) / 24.0, 1e-9);
     }},
};

TEST_F(CommandNumbers, EachStatementIsAcceptedAsTheCommandReadsIt)
{
    for (const NumberRow& row : kAcceptedNumbers) {
        SCOPED_TRACE(row.text);
        SetUp();
        EXPECT_EQ(RunCommand(scene, row.text), "");
        row.check(scene);
    }
}

// What no command can take: integers beyond int32 (and tenths of a
// magnitude or star sizes beyond the bound), NaN, infinities, and numbers
// that carry the date out of the supported years; and the commands' own
// refusals.
TEST_F(CommandNumbers, RefusedNumbersLeaveTheSceneAsItWas)
{
    const struct {
        const char* text;
        const char* parameter;
    } rows[] = {
        {"DATE 99999999999,1,1", "99999999999"},  {"DATE 2000,1,1,0,0,nan", "nan"},
        {"DATE 2000,1,1,0,0,0,1e300", "1e300"},   {"DATE 2000,1,1,0,0,1e300", ""},
        {"DATE 30001,1,1", ""},                   {"DATE 2000,13,1", ""},
        {"PERIOD ,,,,,inf", "inf"},               {"INCTIME 4294967296", "4294967296"},
        {"STIME SUNSET 99999999999MIN", "99999999999MIN"},
        {"LOCATE nan", "nan"},                    {"LOCATE ,,1e300", "1e300"},
        {"LOCATE +1e308; LOCATE +1e308", "+1e308"},
        {"MAG STAR 1e9", "1e9"},                  {"MAG NEBULAMIN -inf", "-inf"},
        {"INCMAG STARNAME 1e8", "1e8"},           {"INCMAG STAR", ""},
        {"STARSIZE 214748365", "214748365"},      {"STARSIZE", ""},
        {"MIRROR 3", "3"},                        {"MIRROR -4294967296", "-4294967296"},
        {"MIRROR", ""},                           {"VIEW ANGLE 0", "0"},
        {"VIEW ANGLE x", "x"},                    {"VIEW ANGLE inf", "inf"},
        {"VIEW SOL nan", "nan"},                  {"ZOOM DOWN 1e999", "1e999"},
        {"SOL_OFFSET 1,inf", "inf"},              {"DISK_MAG x", "x"},
        {"REALTIME 2147483648", "2147483648"},    {"CONTINUE X", "X"},
        {"CONTINUE 2001,1,1,99999999999", "99999999999"},
    };
    for (const auto& row : rows) {
        SetUp();
        // A statement before the refused one may run; the refused one must
        // change nothing.
        const std::string text = row.text;
        const size_t last = text.rfind("; ");
        if (last != std::string::npos) {
            RunCommand(scene, text.substr(0, last));
        }
        ExpectRefusedUnchanged(scene, last != std::string::npos ? text.substr(last + 2) : text,
                               "stkErrorIllegalParam", row.parameter);
    }
}

}  // namespace
