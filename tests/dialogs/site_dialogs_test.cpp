// The site, site search and site editing dialogs with real widgets under
// Xvfb, on a site list file of the test's own that is read back byte for
// byte after every change: LOCATE for the chosen site, the search, the
// default site, the edit checks, new, edited and removed lines, a file
// changed behind the dialog, and writes refused by a full or read-only
// file system.
#include "tests/dialogs/time_site_dialog_fixture.h"

#include "command/interpreter.h"
#include "dialogs/site_dialog.h"
#include "dialogs/site_edit_dialog.h"
#include "core/string_utils.h"
#include "tests/dialogs/site_test_lines.h"
#include "tests/harness/test_files.h"

#include <Xm/List.h>
#include <Xm/MessageB.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

namespace {

using dialogtest::DialogDriver;
using sitetest::Joined;
using sitetest::Record;

const std::string kTokyo = Record("Tokyo (Japan)", "139.767E", "35.683N", "40", "+09.00");
const std::string kLondon = Record("London (United Kingdom)", "0.117W", "51.500N", "10", "+00.00");
const std::string kBarcelona = Record("Barcelona (Spain)", "2.183E", "41.383N", "12", "+01.00");
const std::string kOsaka = Record("Tokyo (Japan)", "135.000E", "34.000N", "5", "+09.00");
const std::string kBadName = Record("Bad;Site", "10.000E", "10.000N", "0", "+00.00");
const std::string kNagoya = Record("Nagoya (Japan)", "139.999E", "35.167N", "51", "+09.00");
const std::vector<std::string> kLines = {kTokyo, kLondon, kBarcelona, kOsaka, kBadName, kNagoya};

// The QuestionDialog, answered by a timer as a user would answer it.
struct Answer {
    unsigned char button;
    std::string question;
};

void AnswerQuestion(XtPointer client, XtIntervalId*)
{
    Answer& answer = *static_cast<Answer*>(client);
    Widget dialog = XtNameToWidget(gAppEnv->toplevel, "*QuestionDialog");
    if (dialog == nullptr || !XtIsManaged(dialog)) {
        XtAppAddTimeOut(canvastest::World().app, 20, AnswerQuestion, client);
        return;
    }
    XmString message = nullptr;
    XtVaGetValues(dialog, XmNmessageString, &message, nullptr);
    char* text = static_cast<char*>(
        XmStringUnparse(message, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL));
    answer.question = text;
    XtFree(text);
    XmStringFree(message);
    XmPushButtonCallbackStruct press{};
    press.reason = answer.button == XmDIALOG_OK_BUTTON ? XmCR_OK : XmCR_CANCEL;
    XtCallCallbacks(XmMessageBoxGetChild(dialog, answer.button), XmNactivateCallback, &press);
}

class SiteDialogsTest : public dialogtest::TimeSiteDialogTest {
protected:
    void SetUp() override
    {
        TimeSiteDialogTest::SetUp();
        directory = TestHome() + "/sites";
        mkdir(directory.c_str(), 0700);
        UseSiteFile(directory + "/uvola.obs", kLines);
        const std::string user = TestHome() + "/.uvola";
        mkdir(user.c_str(), 0700);
        CopyCut(gAppEnv->userDirectory, sizeof gAppEnv->userDirectory, user.c_str());
        WriteFile(user + "/options", "Toolbar = True\nSiteName = Tokyo (Japan)\n");
        CopyCut(gAppEnv->siteName, sizeof gAppEnv->siteName, "Tokyo (Japan)");
        CopyCut(scene.siteName, sizeof scene.siteName, "Tokyo (Japan)");
    }

    void UseSiteFile(const std::string& path, const std::vector<std::string>& lines)
    {
        siteFile = path;
        WriteFile(siteFile, Joined(lines));
        chmod(siteFile.c_str(), 0600);
        CopyCut(gAppEnv->siteFile, sizeof gAppEnv->siteFile, siteFile.c_str());
    }

    void ShowDialog() { Show(ShowSiteDialog, SiteDialogWidget); }
    static Widget dialog() { return SiteDialogWidget(); }
    static Widget editor() { return SiteEditDialogWidget(); }

    std::vector<std::string> ListItems() const
    {
        XmStringTable items = nullptr;
        int count = 0;
        XtVaGetValues(SiteListWidget(), XmNitems, &items, XmNitemCount, &count, nullptr);
        std::vector<std::string> texts;
        for (int i = 0; i < count; ++i) {
            char* text = static_cast<char*>(XmStringUnparse(
                items[i], nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL));
            texts.emplace_back(text);
            XtFree(text);
        }
        return texts;
    }

    // Opens the edit dialog on list position p (0: a new site).
    void Edit(int position)
    {
        if (position == 0) {
            driver.Press(dialog(), "ButtonAddSite");
        } else {
            driver.Select(dialog(), "SiteList", position);
            driver.Press(dialog(), "ButtonEditSite");
        }
        shownDialogs.push_back(editor());
        ASSERT_TRUE(XtIsManaged(editor()));
    }

    void TypeSite(const char* name, const char* longDeg, const char* longMin, bool west,
                  const char* latiDeg, const char* latiMin, bool south, const char* altitude,
                  const char* zone, bool minus)
    {
        driver.Type(editor(), "NameText", name);
        driver.Type(editor(), "LongDeg", longDeg);
        driver.Type(editor(), "LongMin", longMin);
        driver.SetToggle(editor(), west ? "LongW" : "LongE", true);
        driver.Type(editor(), "LatiDeg", latiDeg);
        driver.Type(editor(), "LatiMin", latiMin);
        driver.SetToggle(editor(), south ? "LatiS" : "LatiN", true);
        driver.Type(editor(), "AltiText", altitude);
        driver.Type(editor(), "TZHour", zone);
        driver.SetToggle(editor(), minus ? "TZMinus" : "TZPlus", true);
    }

    int Delete(int position, unsigned char button = XmDIALOG_OK_BUTTON)
    {
        driver.Select(dialog(), "SiteList", position);
        Answer answer{button, ""};
        XtAppAddTimeOut(canvastest::World().app, 10, AnswerQuestion, &answer);
        driver.Press(dialog(), "ButtonDelSite");
        lastQuestion = answer.question;
        return SelectedPositionOfList();
    }

    static int SelectedPositionOfList()
    {
        int* positions = nullptr;
        int count = 0;
        int position = -1;
        if (XmListGetSelectedPos(SiteListWidget(), &positions, &count) && count == 1) {
            position = positions[0];
        }
        XtFree(reinterpret_cast<char*>(positions));
        return position;
    }

    bool NoTemporaryFile() const { return Temporaries(siteFile).empty(); }

    std::string directory;
    std::string siteFile;
    std::string lastQuestion;
};

// First of all: the dialog is not built yet. A missing file gives the
// warning as it stands, with nothing appended; an empty file shows nothing,
// not even a message, until it has lines.
TEST_F(SiteDialogsTest, AnEmptyFileShowsNothingUntilItHasLines)
{
    UseSiteFile(siteFile, {});
    unlink(siteFile.c_str());
    ShowSiteDialog(&scene);
    driver.Pump();
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel), std::vector<std::string>{"Site data file not found."});
    UseSiteFile(siteFile, {});
    ShowSiteDialog(&scene);
    driver.Pump();
    EXPECT_EQ(SiteDialogWidget(), nullptr);
    EXPECT_TRUE(TakeWarnings(gAppEnv->toplevel).empty());
    UseSiteFile(siteFile, kLines);
    ShowDialog();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(XtIsManaged(dialog()));
    EXPECT_EQ(ListItems(), (std::vector<std::string>{"Tokyo (Japan)", "London (United Kingdom)",
                                                     "Barcelona (Spain)", "Tokyo (Japan)",
                                                     "Bad;Site", "Nagoya (Japan)"}));
    EXPECT_EQ(SelectedPositionOfList(), 1) << "the Scene's site is chosen";
}

TEST_F(SiteDialogsTest, OkLocatesTheFirstLineOfTheChosenName)
{
    ShowDialog();
    driver.Select(dialog(), "SiteList", 4);   // the second "Tokyo (Japan)"
    driver.Press(dialog(), "ButtonOK");
    EXPECT_EQ(driver.Texts(),
              (std::vector<std::string>{
                  "LOCATE 139.76700E,35.68300N,9.00,40.00,\"Tokyo (Japan)\";DRIVE"}));
    EXPECT_FALSE(XtIsManaged(dialog()));
    driver.ForgetTexts();
    ShowDialog();
    driver.Select(dialog(), "SiteList", 2);
    driver.Press(dialog(), "ButtonOK");
    EXPECT_EQ(driver.Texts(),
              (std::vector<std::string>{
                  "LOCATE 0.11700W,51.50000N,0.00,10.00,\"London (United Kingdom)\";DRIVE"}));
    EXPECT_STREQ(scene.siteName, "London (United Kingdom)");
    EXPECT_NEAR(scene.time.location.longitude, -0.117, 1e-9);
    EXPECT_STREQ(gAppEnv->siteName, "Tokyo (Japan)") << "not made the default";
}

TEST_F(SiteDialogsTest, AHandEditedNameThatWouldEndTheStatementIsRefused)
{
    ShowDialog();
    driver.Select(dialog(), "SiteList", 5);
    driver.Press(dialog(), "ButtonOK");
    EXPECT_TRUE(driver.Texts().empty());
    EXPECT_TRUE(XtIsManaged(dialog()));
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel),
              (std::vector<std::string>{"LOCATE: Illegal Parameter: Bad;Site"}));
}

// Make default writes the SiteName line of the options file at once: it
// replaces the old one or, on a first run, is added; the other lines wait
// for the quit. INIT then goes to the new default.
TEST_F(SiteDialogsTest, MakeDefaultWritesTheOptionsFileAndInitGoesThere)
{
    const std::string options = TestHome() + "/.uvola/options";
    const std::pair<const char*, const char*> rows[] = {
        {"Toolbar = True\nSiteName = Tokyo (Japan)\n", "Toolbar = True\nSiteName = Barcelona (Spain)\n"},
        {"Toolbar = True\nLater = 1\n", "Toolbar = True\nLater = 1\nSiteName = Barcelona (Spain)\n"},
    };
    for (const auto& [old, after] : rows) {
        SCOPED_TRACE(old);
        WriteFile(options, old);
        ShowDialog();
        EXPECT_FALSE(DialogDriver::IsSet(dialog(), "ToggleMakeDefault")) << "cleared at every show";
        driver.Select(dialog(), "SiteList", 3);
        driver.SetToggle(dialog(), "ToggleMakeDefault", true);
        driver.Press(dialog(), "ButtonOK");
        EXPECT_STREQ(gAppEnv->siteName, "Barcelona (Spain)");
        EXPECT_EQ(ReadFile(options), after);

        StkExecuteText(scene, "LOCATE 0.117W,51.5N,0,10,London; INIT");
        EXPECT_STREQ(scene.siteName, "Barcelona (Spain)");
        ShowDialog();
        EXPECT_EQ(SelectedPositionOfList(), 3);
        CopyCut(gAppEnv->siteName, sizeof gAppEnv->siteName, "Tokyo (Japan)");
    }
    EXPECT_TRUE(TakeWarnings(gAppEnv->toplevel).empty());
}

TEST_F(SiteDialogsTest, SearchFindsTheNextNameHoldingTheTextAndWraps)
{
    ShowDialog();
    // Fewer rows than sites, so that the match can become the top item.
    XtVaSetValues(SiteListWidget(), XmNvisibleItemCount, 2, nullptr);
    XmListSetPos(SiteListWidget(), 1);
    const int expected[] = {2, 3, 2};
    for (int position : expected) {
        driver.Press(dialog(), "ButtonSearch");
        Widget prompt = XtNameToWidget(dialog(), "*SiteSearchDialog");
        ASSERT_NE(prompt, nullptr);
        driver.Type(prompt, "Text", "lon");
        driver.Press(prompt, "OK");
        EXPECT_EQ(SelectedPositionOfList(), position);
        EXPECT_FALSE(XtIsManaged(prompt));
    }
    driver.Press(dialog(), "ButtonSearch");
    Widget prompt = XtNameToWidget(dialog(), "*SiteSearchDialog");
    EXPECT_EQ(DialogDriver::Text(prompt, "Text"), "lon") << "the last text is kept";
    short maxLength = 0;
    XtVaGetValues(DialogDriver::Child(prompt, "Text"), XmNmaxLength, &maxLength, nullptr);
    EXPECT_EQ(maxLength, 40);
    driver.Type(prompt, "Text", "Atlantis");
    driver.Press(prompt, "OK");
    EXPECT_TRUE(XtIsManaged(prompt)) << "no match keeps the prompt";
    EXPECT_TRUE(TakeWarnings(gAppEnv->toplevel).empty());
    driver.Press(prompt, "Cancel");
    EXPECT_FALSE(XtIsManaged(prompt));
    EXPECT_TRUE(driver.Texts().empty());
}

// Each Cancel, and the window manager's close, only hides its dialog: no
// command runs and the file stays as it was.
TEST_F(SiteDialogsTest, CancelHidesEachDialogAndChangesNothing)
{
    ShowDialog();
    Edit(2);
    driver.Type(editor(), "AltiText", "99");
    driver.Press(editor(), "ButtonCancel");
    EXPECT_FALSE(XtIsManaged(editor()));
    driver.Press(dialog(), "ButtonSearch");
    Widget prompt = XtNameToWidget(dialog(), "*SiteSearchDialog");
    ASSERT_TRUE(prompt != nullptr && XtIsManaged(prompt));
    driver.Press(prompt, "Cancel");
    EXPECT_FALSE(XtIsManaged(prompt));
    EXPECT_TRUE(XtIsManaged(dialog()));
    driver.Press(dialog(), "ButtonCancel");
    EXPECT_FALSE(XtIsManaged(dialog()));
    // A Scene site the list does not hold leaves the cancelled choice.
    CopyCut(scene.siteName, sizeof scene.siteName, "Elsewhere");
    ShowDialog();
    EXPECT_EQ(SelectedPositionOfList(), 2);
    ASSERT_TRUE(driver.CloseFromWindowManager(dialog()));
    EXPECT_FALSE(XtIsManaged(dialog()));
    EXPECT_TRUE(driver.Texts().empty());
    EXPECT_EQ(ReadFile(siteFile), Joined(kLines));
}

TEST_F(SiteDialogsTest, EditChecksGiveTheirMessagesAndKeepTheDialogUp)
{
    ShowDialog();
    Edit(3);
    EXPECT_EQ(DialogDriver::Text(editor(), "NameText"), "Barcelona (Spain)");
    const struct {
        const char *longDeg, *longMin, *latiDeg, *latiMin, *altitude, *zone;
        const char* name;
        const char* message;   // null: accepted
    } rows[] = {
        {"180", "1", "41", "23", "12", "1", "Barcelona (Spain)", "Invalid longitude."},
        {"10", "60", "41", "23", "12", "1", "Barcelona (Spain)", "Invalid longitude (minute part)."},
        {"181", "0", "41", "23", "12", "1", "Barcelona (Spain)", "Invalid longitude (degree part)."},
        {"2", "11", "90", "1", "12", "1", "Barcelona (Spain)", "Invalid latitude."},
        {"2", "11", "-1", "0", "12", "1", "Barcelona (Spain)", "Invalid latitude (degree part)."},
        // Minutes with no number read as 0: the check goes on to the altitude.
        {"2", "11", "41", "x", "-1000", "1", "Barcelona (Spain)", "Invalid altitude."},
        {"2", "11", "41", "23", "-1000", "1", "Barcelona (Spain)", "Invalid altitude."},
        {"2", "11", "41", "23", "12", "14.5", "Barcelona (Spain)", "Invalid timezone."},
        {"2", "11", "41", "23", "12", "-1", "Barcelona (Spain)", "Invalid timezone."},
        {"2", "11", "41", "23", "12", "1", "   ", "Site name not specified."},
        {"2", "11", "41", "23", "12", "1", "London (United Kingdom)", "Select already exist."},
    };
    for (const auto& row : rows) {
        TypeSite(row.name, row.longDeg, row.longMin, false, row.latiDeg, row.latiMin, false,
                 row.altitude, row.zone, false);
        driver.Press(editor(), "ButtonOK");
        EXPECT_EQ(TakeWarnings(gAppEnv->toplevel), (std::vector<std::string>{row.message}))
            << row.message;
        EXPECT_TRUE(XtIsManaged(editor()));
    }
    EXPECT_EQ(ReadFile(siteFile), Joined(kLines));
    EXPECT_TRUE(driver.Texts().empty());
}

// The name field is as wide as its line gives it, a name of 40 characters
// typed in or not.
TEST_F(SiteDialogsTest, TheNameFieldIsItsOwnWidth)
{
    ShowDialog();
    Edit(0);
    for (const char* name : {"", "Nakano-ku, Tokyo (Japan), 35.7N 139.7E!!"}) {
        driver.Type(editor(), "NameText", name);
        driver.Pump();
        Dimension width = 0;
        XtVaGetValues(DialogDriver::Child(editor(), "NameText"), XmNwidth, &width, nullptr);
        EXPECT_EQ(width, 320) << name;
    }
}

TEST_F(SiteDialogsTest, TheEdgesOfEveryFieldAreWrittenInTheRecordLayout)
{
    ShowDialog();
    Edit(3);
    TypeSite("barcelona (spain)", "180", "0", true, "90", "0", true, "-999", "14", true);
    driver.Press(editor(), "ButtonOK");
    EXPECT_TRUE(TakeWarnings(gAppEnv->toplevel).empty()) << "a case-only difference is no duplicate";
    EXPECT_FALSE(XtIsManaged(editor()));
    std::vector<std::string> lines = kLines;
    lines[2] = Record("barcelona (spain)", "180.000W", "90.000S", "-999", "-14.00");
    EXPECT_EQ(ReadFile(siteFile), Joined(lines));
    Edit(3);
    TypeSite("barcelona (spain)", "0", "30", false, "0", "15", false, "9999", "5.5", false);
    driver.Press(editor(), "ButtonOK");
    lines[2] = Record("barcelona (spain)", "0.500E", "0.250N", "9999", "+05.50");
    EXPECT_EQ(ReadFile(siteFile), Joined(lines));
    EXPECT_EQ(ListItems()[2], "barcelona (spain)");
    EXPECT_EQ(SelectedPositionOfList(), 3);
    EXPECT_TRUE(driver.Texts().empty()) << "not the default site: the view stays";
}

TEST_F(SiteDialogsTest, AStoredAngleOfRoundedSixtyMinutesIsShownAndRefused)
{
    ShowDialog();
    Edit(6);
    EXPECT_EQ(DialogDriver::Text(editor(), "LongDeg"), "139");
    EXPECT_EQ(DialogDriver::Text(editor(), "LongMin"), "60");
    EXPECT_EQ(DialogDriver::Text(editor(), "LatiDeg"), "35");
    EXPECT_EQ(DialogDriver::Text(editor(), "LatiMin"), "10");
    EXPECT_EQ(DialogDriver::Text(editor(), "AltiText"), "51");
    EXPECT_EQ(DialogDriver::Text(editor(), "TZHour"), "09.00");
    EXPECT_TRUE(DialogDriver::IsSet(editor(), "LongE"));
    EXPECT_TRUE(DialogDriver::IsSet(editor(), "TZPlus"));
    driver.Press(editor(), "ButtonOK");
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel),
              (std::vector<std::string>{"Invalid longitude (minute part)."}));
    driver.Type(editor(), "LongMin", "59");
    driver.Press(editor(), "ButtonOK");
    std::vector<std::string> lines = kLines;
    lines[5] = Record("Nagoya (Japan)", "139.983E", "35.167N", "51", "+09.00");
    EXPECT_EQ(ReadFile(siteFile), Joined(lines));
}

TEST_F(SiteDialogsTest, AnUnchangedEditWritesNothing)
{
    ShowDialog();
    struct stat before {};
    stat(siteFile.c_str(), &before);
    Edit(2);
    driver.Press(editor(), "ButtonOK");
    EXPECT_FALSE(XtIsManaged(editor()));
    struct stat after {};
    stat(siteFile.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the file was not replaced";
    EXPECT_EQ(ReadFile(siteFile), Joined(kLines));
}

TEST_F(SiteDialogsTest, RenamingTheDefaultSiteMovesTheViewAndTheDefault)
{
    ShowDialog();
    Edit(1);
    driver.Type(editor(), "NameText", "  Edo");
    driver.Press(editor(), "ButtonOK");
    EXPECT_EQ(driver.Texts(),
              (std::vector<std::string>{"LOCATE 139.76700E,35.68300N,9.00,40.00,\"Edo\";DRIVE"}));
    EXPECT_STREQ(scene.siteName, "Edo");
    EXPECT_STREQ(gAppEnv->siteName, "Edo");
    EXPECT_NE(ReadFile(TestHome() + "/.uvola/options").find("\nSiteName = Edo\n"), std::string::npos);
    std::vector<std::string> lines = kLines;
    lines[0] = Record("Edo", "139.767E", "35.683N", "40", "+09.00");
    EXPECT_EQ(ReadFile(siteFile), Joined(lines)) << "leading blanks dropped, only line 1 changed";
    EXPECT_EQ(ListItems()[0], "Edo");
}

TEST_F(SiteDialogsTest, ANewSiteGoesFirstAndWithNoDefaultBecomesTheDefault)
{
    gAppEnv->siteName[0] = '\0';
    ShowDialog();
    Edit(0);
    EXPECT_EQ(DialogDriver::Text(editor(), "NameText"), "");
    EXPECT_EQ(DialogDriver::Text(editor(), "TZHour"), "00.00");
    TypeSite("Kyoto (Japan)", "135", "46", false, "35", "1", false, "50", "9", false);
    driver.Press(editor(), "ButtonOK");
    const std::string kyoto = Record("Kyoto (Japan)", "135.767E", "35.017N", "50", "+09.00");
    std::vector<std::string> lines = kLines;
    lines.insert(lines.begin(), kyoto);
    EXPECT_EQ(ReadFile(siteFile), Joined(lines));
    EXPECT_EQ(ListItems().front(), "Kyoto (Japan)");
    EXPECT_EQ(ListItems().size(), 7u);
    EXPECT_EQ(SelectedPositionOfList(), 1);
    EXPECT_EQ(driver.Texts(),
              (std::vector<std::string>{
                  "LOCATE 135.76700E,35.01700N,9.00,50.00,\"Kyoto (Japan)\";DRIVE"}));
    EXPECT_STREQ(gAppEnv->siteName, "Kyoto (Japan)");
    EXPECT_TRUE(NoTemporaryFile());
}

// A private site list stays private when the dialog rewrites it, and one
// the group may read stays so.
TEST_F(SiteDialogsTest, ARewrittenSiteListKeepsItsMode)
{
    const std::pair<mode_t, const char*> rows[] = {{0600, "71"}, {0640, "72"}};
    for (const auto& [mode, altitude] : rows) {
        SCOPED_TRACE(altitude);
        chmod(siteFile.c_str(), mode);
        const std::string before = ReadFile(siteFile);
        ShowDialog();
        Edit(2);
        driver.Type(editor(), "AltiText", altitude);
        driver.Press(editor(), "ButtonOK");
        EXPECT_NE(ReadFile(siteFile), before) << "not rewritten";
        struct stat info {};
        ASSERT_EQ(stat(siteFile.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        EXPECT_TRUE(NoTemporaryFile());
    }
}

TEST_F(SiteDialogsTest, RemoveAsksAndTakesOneLine)
{
    ShowDialog();
    EXPECT_EQ(Delete(2, XmDIALOG_CANCEL_BUTTON), 2);
    EXPECT_EQ(lastQuestion, "Delete site London (United Kingdom)");
    EXPECT_EQ(ReadFile(siteFile), Joined(kLines));
    // The item now in the removed one's place is chosen; after the last,
    // the new last.
    EXPECT_EQ(Delete(2), 2);
    std::vector<std::string> lines = kLines;
    lines.erase(lines.begin() + 1);
    EXPECT_EQ(ReadFile(siteFile), Joined(lines));
    EXPECT_EQ(ListItems()[1], "Barcelona (Spain)");
    EXPECT_EQ(Delete(5), 4);
    lines.pop_back();
    EXPECT_EQ(ReadFile(siteFile), Joined(lines));
    EXPECT_EQ(ListItems().size(), 4u);
    EXPECT_TRUE(driver.Texts().empty());
}

TEST_F(SiteDialogsTest, EditAndRemoveWithoutAChoiceSaySo)
{
    ShowDialog();
    XmListDeselectAllItems(SiteListWidget());
    driver.Press(dialog(), "ButtonEditSite");
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel), (std::vector<std::string>{"Select site to edit."}));
    driver.Press(dialog(), "ButtonDelSite");
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel),
              (std::vector<std::string>{"Select site to delete."}));
    driver.Press(dialog(), "ButtonOK");
    EXPECT_TRUE(XtIsManaged(dialog())) << "OK without a choice does nothing";
    EXPECT_TRUE(driver.Texts().empty());
}

// Lines that are no records (a long comment, a short line) still take
// their places, so the edits hit the lines they were meant for.
TEST_F(SiteDialogsTest, TheRightLinesAreHitAfterALongCommentAndAShortLine)
{
    const std::string comment = "#" + std::string(300, 'c') + "\n";
    const std::vector<std::string> lines = {comment, kTokyo, "short\n", kLondon, kBarcelona};
    UseSiteFile(siteFile, lines);
    ShowDialog();
    EXPECT_EQ(ListItems().size(), 5u);
    Edit(3);
    EXPECT_EQ(DialogDriver::Text(editor(), "NameText"), "short");
    EXPECT_EQ(DialogDriver::Text(editor(), "LongDeg"), "0");
    driver.Press(editor(), "ButtonCancel");
    Edit(4);
    driver.Type(editor(), "AltiText", "11");
    driver.Press(editor(), "ButtonOK");
    std::vector<std::string> expected = lines;
    expected[3] = Record("London (United Kingdom)", "0.117W", "51.500N", "11", "+00.00");
    EXPECT_EQ(ReadFile(siteFile), Joined(expected));
    Delete(5);
    expected.pop_back();
    EXPECT_EQ(ReadFile(siteFile), Joined(expected));
}

TEST_F(SiteDialogsTest, ALineInsertedBehindTheDialogIsKeptAndTheListReloaded)
{
    ShowDialog();
    Edit(2);
    std::vector<std::string> behind = kLines;
    behind.insert(behind.begin(), Record("Paris (France)", "2.350E", "48.867N", "35", "+01.00"));
    WriteFile(siteFile, Joined(behind));
    driver.Type(editor(), "AltiText", "99");
    driver.Press(editor(), "ButtonOK");
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel),
              (std::vector<std::string>{"The site file has changed; the list is reloaded."}));
    EXPECT_EQ(ReadFile(siteFile), Joined(behind)) << "nothing lost, nothing written";
    EXPECT_EQ(ListItems().size(), 7u);
    EXPECT_EQ(ListItems().front(), "Paris (France)");
    EXPECT_FALSE(XtIsManaged(editor()));
    // Removing is checked the same way.
    WriteFile(siteFile, Joined(kLines));
    Delete(1);
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel),
              (std::vector<std::string>{"The site file has changed; the list is reloaded."}));
    EXPECT_EQ(ReadFile(siteFile), Joined(kLines));
    EXPECT_EQ(ListItems().size(), 6u);
    // An addition lands on the file as it is now, and the list shows it all.
    WriteFile(siteFile, Joined(behind));
    Edit(0);
    TypeSite("Kyoto (Japan)", "135", "46", false, "35", "1", false, "50", "9", false);
    driver.Press(editor(), "ButtonOK");
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel), std::vector<std::string>{});
    behind.insert(behind.begin(), Record("Kyoto (Japan)", "135.767E", "35.017N", "50", "+09.00"));
    EXPECT_EQ(ReadFile(siteFile), Joined(behind));
    EXPECT_EQ(ListItems().size(), 8u);
    EXPECT_EQ(ListItems()[0], "Kyoto (Japan)");
    EXPECT_EQ(ListItems()[1], "Paris (France)");
    EXPECT_EQ(SelectedPositionOfList(), 1);
}

// Last: the process is then in a mount namespace of its own.
TEST_F(SiteDialogsTest, FailedWritesLeaveTheFileAndKeepWhatWasTyped)
{
    const PrivateTmpfs disk(directory + "/tmpfs", 32);
    if (!disk.why.empty()) {
        GTEST_SKIP() << disk.why;
    }
    UseSiteFile(disk.path + "/uvola.obs", kLines);
    ShowDialog();
    Edit(2);
    disk.Fill();
    driver.Type(editor(), "AltiText", "77");
    driver.Press(editor(), "ButtonOK");
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel),
              (std::vector<std::string>{"Can't write file: " + siteFile}));
    EXPECT_TRUE(XtIsManaged(editor()));
    EXPECT_EQ(DialogDriver::Text(editor(), "AltiText"), "77");
    EXPECT_EQ(ReadFile(siteFile), Joined(kLines));
    EXPECT_TRUE(NoTemporaryFile());

    ASSERT_TRUE(disk.SetReadOnly(true));
    driver.Press(editor(), "ButtonOK");
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel),
              (std::vector<std::string>{"Can't create file: " + siteFile}));
    EXPECT_TRUE(XtIsManaged(editor()));
    EXPECT_EQ(ReadFile(siteFile), Joined(kLines));
    EXPECT_TRUE(NoTemporaryFile());
    Delete(3);
    EXPECT_EQ(TakeWarnings(gAppEnv->toplevel),
              (std::vector<std::string>{"Can't create file: " + siteFile}));
    EXPECT_EQ(ListItems().size(), 6u);
    driver.Press(editor(), "ButtonCancel");
    // A file that cannot be written cannot be edited from the dialog.
    ShowDialog();
    for (const char* button : {"ButtonEditSite", "ButtonAddSite", "ButtonDelSite"}) {
        EXPECT_FALSE(XtIsSensitive(DialogDriver::Child(dialog(), button))) << button;
    }
    EXPECT_TRUE(XtIsSensitive(DialogDriver::Child(dialog(), "ButtonOK")));
}

}  // namespace
