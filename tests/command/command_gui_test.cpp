// Command errors in loud mode: with a toplevel shell and the quiet flag
// clear, each failing statement shows its message in a warning box.
#include <gtest/gtest.h>

#include "command/interpreter.h"
#include "core/app_env.h"
#include "data/fallback_resources.h"
#include "sky/scene.h"
#include "tests/harness/test_toplevel.h"

#include <X11/IntrinsicP.h>
#include <X11/Shell.h>
#include <Xm/MessageB.h>
#include <Xm/Xm.h>
#include <string>
#include <vector>

namespace {

XtAppContext app = nullptr;

class LoudErrors : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ResetAppEnv();
        OpenTestToplevel(app);
    }

    void SetUp() override
    {
        gAppEnv->quiet = 0;
        ResetScene(*gScene);
        for (Widget box : Boxes()) {
            XtDestroyWidget(XtParent(box));
        }
        Settle();
    }

    static void Settle()
    {
        XSync(gAppEnv->display, False);
        while (XtAppPending(app) != 0) {
            XtAppProcessEvent(app, XtIMAll);
        }
    }

    static std::vector<Widget> Boxes()
    {
        std::vector<Widget> boxes;
        Widget top = gAppEnv->toplevel;
        for (Cardinal i = 0; i < top->core.num_popups; ++i) {
            Widget shell = top->core.popup_list[i];
            Widget box = shell->core.being_destroyed ? nullptr : XtNameToWidget(shell, "MessageBox");
            if (box != nullptr) {
                boxes.push_back(box);
            }
        }
        return boxes;
    }

    static std::string MessageOf(Widget box)
    {
        XmString message = nullptr;
        XtVaGetValues(box, XmNmessageString, &message, nullptr);
        char* text = static_cast<char*>(XmStringUnparse(message, nullptr, XmCHARSET_TEXT,
                                                        XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL));
        std::string result = text != nullptr ? text : "";
        XtFree(text);
        XmStringFree(message);
        return result;
    }
};

TEST_F(LoudErrors, UnknownCommandShowsAWarningBox)
{
    StkExecuteText(*gScene, "FOO 1");
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(MessageOf(boxes[0]), "FOO: Syntax Error: FOO");
    unsigned char kind = 0;
    XtVaGetValues(boxes[0], XmNdialogType, &kind, nullptr);
    EXPECT_EQ(kind, XmDIALOG_WARNING);
    EXPECT_STREQ(gAppEnv->errorMessage, "FOO: Syntax Error: FOO");
}

TEST_F(LoudErrors, EveryFailingStatementGetsItsOwnBox)
{
    StkExecuteText(*gScene, "FOO; BAR 2; baz");
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(MessageOf(boxes[0]), "FOO: Syntax Error: FOO");
    EXPECT_EQ(MessageOf(boxes[1]), "BAR: Syntax Error: BAR");
    EXPECT_EQ(MessageOf(boxes[2]), "baz: Syntax Error: baz");
}

TEST_F(LoudErrors, QuietModeKeepsTheTextAndShowsNoBox)
{
    gAppEnv->quiet = 1;
    StkExecuteText(*gScene, "FOO 1");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_STREQ(gAppEnv->errorMessage, "FOO: Syntax Error: FOO");
}

// A translated text is a format from the user's resources; conversions other
// than the two %s must come out as plain text, not be run.
TEST_F(LoudErrors, HostileFormatFromResourcesIsHarmless)
{
    XrmDatabase database = XtDatabase(gAppEnv->display);
    XrmPutStringResource(&database, "UVola*stkErrorSyntax", "%n%d%s%s%s%x%");
    StkExecuteText(*gScene, "FOO 1");
    XrmPutStringResource(&database, "UVola*stkErrorSyntax", "%s: Syntax Error: %s");
    EXPECT_STREQ(gAppEnv->errorMessage, "%n%dFOOFOO%s%x%");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(MessageOf(Boxes()[0]), "%n%dFOOFOO%s%x%");
}

TEST_F(LoudErrors, TranslatedTextComesFromTheUsersResources)
{
    XrmDatabase database = XtDatabase(gAppEnv->display);
    XrmPutStringResource(&database, "UVola*stkErrorSyntax", "%s ? %s : commande inconnue");
    StkExecuteText(*gScene, "FOO");
    XrmPutStringResource(&database, "UVola*stkErrorSyntax", "%s: Syntax Error: %s");
    EXPECT_STREQ(gAppEnv->errorMessage, "FOO ? FOO : commande inconnue");
}

}  // namespace
