// Message lookup without a display: the texts come from the compiled
// fallback list and must read exactly as the resource manager would give them.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "data/fallback_resources.h"

#include <X11/Xresource.h>
#include <cstring>
#include <string>

namespace {

class MessagesWithoutDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        gAppEnv->toplevel = nullptr;
    }
};

TEST_F(MessagesWithoutDisplay, KnownKeyGivesItsDefaultText)
{
    char text[512];
    GetMessage("stkErrorSyntax", text, sizeof text);
    EXPECT_STREQ(text, "%s: Syntax Error: %s");
    GetMessage("stkErrorCalcMpPos", text, sizeof text);
    EXPECT_STREQ(text, "%s: Failed to get posision of minor planet %s, hided.");
}

TEST_F(MessagesWithoutDisplay, UnknownKeyGivesEmptyText)
{
    char text[64];
    std::memset(text, 'x', sizeof text);
    GetMessage("messageNoSuchKeyAnywhere", text, sizeof text);
    EXPECT_STREQ(text, "");
    std::memset(text, 'x', sizeof text);
    GetMessage("", text, sizeof text);
    EXPECT_STREQ(text, "");
    // A key that is only the start of a real one is not that key.
    GetMessage("stkError", text, sizeof text);
    EXPECT_STREQ(text, "");
}

TEST_F(MessagesWithoutDisplay, LongTextIsCutAndTerminated)
{
    char text[12];
    std::memset(text, 'x', sizeof text);
    GetMessage("stkErrorSyntax", text, 8);
    EXPECT_STREQ(text, "%s: Syn");
    EXPECT_EQ(text[8], 'x');   // nothing written past the given size
    GetMessage("stkErrorSyntax", text, 1);
    EXPECT_STREQ(text, "");
    text[0] = 'y';
    GetMessage("stkErrorSyntax", text, 0);
    EXPECT_EQ(text[0], 'y');
}

// The decoding of values must agree with the resource manager's, or a text
// would read differently before and after the toplevel exists.
TEST(ResourceValueDecoding, AgreesWithTheResourceManager)
{
    const char* const values[] = {
        "plain text", "two\\nlines", "back\\\\slash", "drop\\qped", "\\101\\08x",
        "trailing\\", "tail blanks  ", "\\ lead", "mixed \\\\\\n end", "%s: %d%%",
    };
    XrmInitialize();
    for (const char* value : values) {
        std::string line = std::string("UVola*probe: ") + value;
        XrmDatabase database = nullptr;
        XrmPutLineResource(&database, line.c_str());
        char* type = nullptr;
        XrmValue found{};
        ASSERT_TRUE(XrmGetResource(database, "uvola.probe", "UVola.String", &type, &found)) << value;
        char decoded[256];
        DecodeResourceValue(value, decoded, sizeof decoded);
        EXPECT_STREQ(decoded, found.addr) << value;
        XrmDestroyDatabase(database);
    }
}

// Every line of the compiled list must be one the resource manager reads as
// setting its resource to the value FindFallbackResource reports.
TEST(FallbackList, EveryApplicationLineReadsBackThroughTheResourceManager)
{
    XrmInitialize();
    int checked = 0;
    for (char** line = FallbackResourceList(); *line != nullptr; ++line) {
        const char* path = *line + 5;
        if (std::strncmp(*line, "UVola", 5) != 0 || *path != '*' || std::strchr(path + 1, '*') != nullptr) {
            continue;
        }
        const char* colon = std::strchr(path, ':');
        ASSERT_NE(colon, nullptr) << *line;
        std::string name(path + 1, colon);
        if (name.find('.') != std::string::npos) {
            continue;
        }
        const char* value = FindFallbackResource(name.c_str());
        ASSERT_NE(value, nullptr) << *line;
        XrmDatabase database = nullptr;
        XrmPutLineResource(&database, *line);
        char* type = nullptr;
        XrmValue found{};
        std::string query = "uvola." + name;
        ASSERT_TRUE(XrmGetResource(database, query.c_str(), "UVola.String", &type, &found)) << *line;
        char decoded[1024];
        DecodeResourceValue(value, decoded, sizeof decoded);
        EXPECT_STREQ(decoded, found.addr) << *line;
        XrmDestroyDatabase(database);
        ++checked;
    }
    EXPECT_GE(checked, 11);
}

TEST(FallbackList, IsNullTerminatedWithTheMessageTextsLast)
{
    char** list = FallbackResourceList();
    int count = 0;
    while (list[count] != nullptr) {
        ++count;
    }
    int messageCount = 0;
    while (kMessageResources[messageCount] != nullptr) {
        ++messageCount;
    }
    ASSERT_GE(count, messageCount);
    // The message block closes the list and opens with the error keys.
    for (int i = 0; i < messageCount; ++i) {
        EXPECT_EQ(list[count - messageCount + i], kMessageResources[i]);
    }
    EXPECT_STREQ(list[count - messageCount], "UVola*stkErrorSyntax: %s: Syntax Error: %s");
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(std::strncmp(list[i], "UVola", 5), 0) << list[i];
    }
}

}  // namespace

TEST(BoxesWithoutDisplay, MessageGoesToStandardErrorAndQuestionIsDeclined)
{
    testing::internal::CaptureStderr();
    ShowMessageBox(nullptr, "Site not set", kMessageBoxWarning);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "uvola: Site not set\n");
    EXPECT_EQ(AskQuestion(nullptr, "Quit Uvola"), 0);
}
