// The compiled-in fallback list as a whole, without a display: each kind of
// line in about the number the list is meant to have, every dialog titled,
// and the layout lines of the widgets whose places the dialogs' own texts
// fix (names, attachments, sizes) present with those values.
#include <gtest/gtest.h>

#include "data/fallback_resources.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace {

// The resource path ("UVola*StarDialog.dialogTitle") and the
// resource name ("dialogTitle") of a line.
std::string ResourcePathOf(const std::string& line)
{
    return line.substr(0, line.find(':'));
}

std::string NameOf(const std::string& line)
{
    const std::string path = ResourcePathOf(line);
    return path.substr(path.find_last_of("*.") + 1);
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

const std::set<std::string> kInitNames = {
    "CometFile", "MPlanetFile", "ConstDataFile", "StarNameDataFile", "SiteFile", "DateStyle",
    "SaoFile", "GscPath", "GscIndexFile", "SkyMarkFile", "StlFileIoPath", "SaveImagePath",
    "ClickDataFile", "ClickImagePath", "SaveHistory", "BlinkTime", "Site",
};

// Texts other than the kinds counted on their own: the file selection
// box's and the selection dialogs' button texts, and the one font list.
const std::set<std::string> kOtherTexts = {
    "cancelLabelString", "okLabelString", "applyLabelString", "helpLabelString",
    "filterLabelString", "dirListLabelString", "fileListLabelString", "selectionLabelString",
    "fontList",
};

// The kind a line is counted under.
std::string KindOf(const std::string& line)
{
    const std::string name = NameOf(line);
    if (kInitNames.count(name) != 0) {
        return "init";
    }
    if (StartsWith(name, "Color")) {
        return "colour";
    }
    if (EndsWith(name, "Fontset")) {
        return "fontset";
    }
    if (StartsWith(name, "message") || StartsWith(name, "stkError")) {
        return "message";
    }
    for (const char* text : {"labelString", "dialogTitle", "mnemonic", "accelerator",
                             "acceleratorText"}) {
        if (name == text) {
            return name;
        }
    }
    if (kOtherTexts.count(name) != 0) {
        return "other text";
    }
    return "layout";
}

std::map<std::string, int> CountsByKind()
{
    std::map<std::string, int> counts;
    for (char** line = FallbackResourceList(); *line != nullptr; ++line) {
        ++counts[KindOf(*line)];
    }
    return counts;
}

// The intended number of lines of each kind, counted once from the written
// description of the list: its count of each kind of text, of colours and
// font sets, and of the message texts (10 command-language errors and 175
// keys beginning with "message"); the layout and behaviour lines (positions,
// sizes, attachments, modality, auto-unmanage, list and scroll-bar settings,
// translations, title) as "about 420"; the 17 application resource lines.
// The colours are counted from the colour table itself (65 resources, index
// 0 to 64), which is what the drawing code reads; the list's summary says 51.
struct KindRow {
    const char* kind;
    int intended;
    int allowedPercent;   // 10 unless the row says why
    bool orMore;          // the count may exceed the intended one
};

const KindRow kKindRows[] = {
    {"init", 17, 0, false},
    // At least the summary's "about 420", and here about twice as many: the
    // summary counts a program whose widgets' code set many places, sizes
    // and attachments. Here none is set by code, so each is a line (what
    // many widgets share is said once by widget class).
    {"layout", 420, 10, true},
    {"dialogTitle", 41, 10, false},
    {"mnemonic", 69, 0, false},
    {"accelerator", 13, 0, false},
    {"acceleratorText", 13, 0, false},
    {"colour", 65, 0, false},
    {"message", 185, 10, false},
    // Our labels: the widgets that draw their text themselves have none,
    // and menu items and toggles in tables carry one line each; the
    // summary's figure is "about 420".
    {"labelString", 420, 15, false},
    // The font sets the drawing code reads are 17; the summary says 19.
    {"fontset", 19, 11, false},
};

TEST(FallbackLayout, EachKindIsAboutAsManyLinesAsIntended)
{
    const std::map<std::string, int> counts = CountsByKind();
    for (const KindRow& row : kKindRows) {
        const int count = counts.count(row.kind) != 0 ? counts.at(row.kind) : 0;
        const int excess = row.orMore ? std::min(count - row.intended, 0) : count - row.intended;
        EXPECT_LE(std::abs(excess) * 100, row.allowedPercent * row.intended)
            << row.kind << ": " << count << " lines, intended " << row.intended;
    }
}

TEST(FallbackLayout, EveryDialogHasItsTitle)
{
    const char* const dialogs[] = {
        "AboutDialog", "AddUserObjectDialog", "CenterCometDialog", "CenterConstDialog",
        "CenterJoviSatDialog", "CenterMPlanetDialog", "CenterNebulaDialog", "CenterPlanetDialog",
        "CenterSkyMarkDialog", "CenterStarDialog", "CenterUserObjectDialog", "ClickDataDialog",
        "CometDialog", "CometSearchDialog", "CommandDialog", "ConstDialog", "CopyrightDialog",
        "DateDialog", "GaugeDialog", "GridDialog", "ImageDialog", "JoviSatDialog",
        "MPlanetDialog", "MoonDialog", "NebulaDialog", "OpenFile", "PlanetDialog",
        "ProjectionDialog", "SaveFile", "SaveImage", "SetEnvDialog", "SiteDialog",
        "SiteEditDialog", "SiteSearchDialog", "StarDialog", "StepBox", "SunDialog",
        "TimeStepDialog", "TodayDialog", "UserObjectDialog",
    };
    std::set<std::string> titled;
    for (char** line = FallbackResourceList(); *line != nullptr; ++line) {
        const std::string path = ResourcePathOf(*line);
        if (NameOf(*line) == "dialogTitle") {
            titled.insert(path.substr(6, path.size() - 6 - sizeof ".dialogTitle" + 1));
        }
    }
    for (const char* dialog : dialogs) {
        EXPECT_EQ(titled.count(dialog), 1u) << dialog;
    }
    // The message and question boxes keep the toolkit's title.
    EXPECT_EQ(titled.count("MessageBox"), 0u);
    EXPECT_EQ(titled.count("QuestionDialog"), 0u);
    EXPECT_EQ(titled.size(), std::size(dialogs));
}

// Lines whose widget names and values the dialogs' descriptions fix.
const char* const kQuotedLines[] = {
    "UVola*Main.width: 640",
    "UVola*Main.height: 480",
    "UVola*Main.spacing: 1",
    "UVola*MenuBar.shadowThickness: 1",
    "UVola*MenuBar.marginHeight: 0",
    "UVola*MenuBar.marginWidth: 0",
    "UVola*ClickDataDialog.autoUnmanage: False",
    "UVola*ClickDataDialog.width: 340",
    "UVola*ClickDataDialog.height: 114",
    "UVola*CommandDialog.dialogStyle: DIALOG_MODELESS",
    "UVola*CommandDialog.width: 320",
    "UVola*StepBox.noResize: True",
    "UVola*OpenFile.width: 320",
    "UVola*SaveImage.resizePolicy: RESIZE_NONE",
    "UVola*DateDialog.dialogStyle: DIALOG_FULL_APPLICATION_MODAL",
    "UVola*DateDialog.autoUnmanage: False",
    "UVola*TimeStepDialog.resizePolicy: RESIZE_NONE",
    "UVola*StarDialog.resizePolicy: RESIZE_ANY",
    "UVola*CenterNebulaDialog*EditNumber.width: 50",
    "UVola*CenterNebulaDialog*EditNumber.maxLength: 5",
    "UVola*DateDialog*EditYear.columns: 5",
    "UVola*DateDialog*EditYear.maxLength: 4",
    "UVola*DateDialog*EditMin.columns: 3",
    "UVola*DateDialog*EditMin.maxLength: 2",
    "UVola*TimeStepDialog*EditYear.maxLength: 4",
    "UVola*TimeStepDialog*EditDay.maxLength: 3",
    "UVola*NebulaDialog*EditMagMinLimit.maxLength: 4",
    "UVola*StarDialog*EditMagLimit.maxLength: 3",
    "UVola*CenterStarDialog*StarList.visibleItemCount: 12",
    "UVola*CenterJoviSatDialog*JoviSatList.visibleItemCount: 4",
    "UVola*FormDateTime*EditYear.topWidget: LabelYear",
    "UVola*FormDateTime*ArrowYearDown.topWidget: ArrowYearUp",
    "UVola*FormDateTime*ArrowYearDown.arrowDirection: ARROW_DOWN",
    "UVola*XmArrowButton.width: 20",
    "UVola*XmArrowButton.height: 15",
    "UVola*XmArrowButton.traversalOn: False",
    "UVola*CenterStarDialog*StarList.listMarginHeight: 1",
    "UVola*CenterStarDialog*StarList.listMarginWidth: 2",
    "UVola*CenterStarDialog*StarList.scrollBarDisplayPolicy: STATIC",
    "UVola*CenterStarDialog*StarButtons.spacing: 0",
    "UVola*CenterStarDialog*StarButtons.entryAlignment: ALIGNMENT_CENTER",
    "UVola*StepBox.autoUnmanage: False",
    "UVola*StepBox.resizePolicy: RESIZE_NONE",
    "UVola*CommandDialog.autoUnmanage: False",
    "UVola*CommandDialog.resizePolicy: RESIZE_NONE",
    "UVola*SaveFile.dialogStyle: DIALOG_FULL_APPLICATION_MODAL",
    "UVola*SetEnvDialog.resizePolicy: RESIZE_ANY",
    "UVola*SetEnvDialog*Separator1.height: 10",
    "UVola*SetEnvDialog*TextGeometryWidth.width: 52",
    "UVola*SetEnvDialog*TextGeometryHeight.width: 52",
    "UVola*SetEnvDialog*TextGeometryWidth.maxLength: 5",
    "UVola*SetEnvDialog*TextLocale.width: 180",
    "UVola*SetEnvDialog*TextLocale.maxLength: 20",
    "UVola*SetEnvDialog*TextTZ.width: 210",
    "UVola*SetEnvDialog*TextTZ.maxLength: 60",
    "UVola*SiteDialog.autoUnmanage: False",
    "UVola*SiteEditDialog*NameText.width: 320",
    "UVola*SiteEditDialog*NameText.maxLength: 40",
    "UVola*SiteEditDialog*LongDeg.columns: 3",
    "UVola*SiteEditDialog*LongMin.maxLength: 2",
    "UVola*SiteEditDialog*TZHour.maxLength: 5",
    "UVola*FormStime.FormStimeEdit.topOffset: 10",
    "UVola*FormStimeEdit.EditStimeMin.maxLength: 2",
    "UVola*FormStimeEdit.LabelStimeMin.leftOffset: 3",
    "UVola*FormStimeEdit.LabelStimeMin.bottomOffset: 5",
    "UVola*FormDateTime.XmForm.leftOffset: 5",
    "UVola*ProjectionDialog.noResize: True",
    "UVola*NebulaDialog.autoUnmanage: False",
    "UVola*PlanetDialog.noResize: True",
    "UVola*TodayDialog.dialogStyle: DIALOG_MODELESS",
    "UVola*TodayDialog*RCToday1.spacing: 10",
    "UVola*TodayDialog*RCToday2.spacing: 6",
    "UVola*TodayDialog*RCArray.spacing: 4",
    "UVola*AboutDialog.autoUnmanage: True",
    "UVola*CopyrightDialog*CopyrightText.width: 480",
    "UVola*CopyrightDialog*CopyrightText.rows: 15",
    "UVola*CopyrightDialog*CopyrightText.marginWidth: 10",
    "UVola*CopyrightDialog*CopyrightText.wordWrap: True",
    "UVola*ImageDialog.autoUnmanage: False",
    "UVola*ImageDialog.ButtonPrev.leftOffset: 7",
    "UVola*ImageDialog.ImageArea.scrollingPolicy: AUTOMATIC",
    "UVola*GaugeDialog*GaugeScale.scaleWidth: 300",
    "UVola*CometSearchDialog.textColumns: 40",
    "UVola*CometSearchDialog.autoUnmanage: False",
    "UVola*AddUserObjectDialog.width: 320",
    "UVola*Toolbar.borderWidth: 1",
    "UVola*Toolbar.height: 27",
    "UVola*ClickDataDialog.DrawingArea.topWidget: ClickDataClose",
    "UVola*ClickDataDialog.DrawingArea.leftOffset: 5",
    "UVola*ClickDataDialog.DrawingArea.traversalOn: False",
    "UVola*StepBox.XmForm.navigationType: NONE",
    "UVola*StepBox*XmLabel.marginWidth: 2",
};

TEST(FallbackLayout, QuotedWidgetsHaveTheirLines)
{
    std::set<std::string> lines;
    for (char** line = FallbackResourceList(); *line != nullptr; ++line) {
        lines.insert(*line);
    }
    for (const char* line : kQuotedLines) {
        EXPECT_EQ(lines.count(line), 1u) << line;
    }
}

// A field given a width keeps it: no columns line stands beside the width
// to decide it in the row-column the field stands in.
TEST(FallbackLayout, NoColumnsLineForAFieldOfGivenWidth)
{
    std::set<std::string> widths;
    std::set<std::string> columns;
    for (char** line = FallbackResourceList(); *line != nullptr; ++line) {
        const std::string path = ResourcePathOf(*line);
        const std::string widget = path.substr(0, path.find_last_of("*."));
        if (NameOf(*line) == "width") {
            widths.insert(widget);
        } else if (NameOf(*line) == "columns") {
            columns.insert(widget);
        }
    }
    for (const char* widget : {"UVola*SetEnvDialog*TextGeometryWidth",
                               "UVola*SetEnvDialog*TextGeometryHeight", "UVola*SetEnvDialog*TextLocale",
                               "UVola*SetEnvDialog*TextTZ", "UVola*SiteEditDialog*NameText"}) {
        EXPECT_EQ(widths.count(widget), 1u) << widget;
    }
    for (const std::string& widget : widths) {
        EXPECT_EQ(columns.count(widget), 0u) << widget;
    }
}

// The toolbar's buttons keep Motif's own margins round their icons.
TEST(FallbackLayout, ToolbarHasNoMarginLines)
{
    for (char** line = FallbackResourceList(); *line != nullptr; ++line) {
        const std::string name = NameOf(*line);
        EXPECT_FALSE(StartsWith(*line, "UVola*Toolbar") &&
                     (name == "marginWidth" || name == "marginHeight"))
            << *line;
    }
}

}  // namespace
