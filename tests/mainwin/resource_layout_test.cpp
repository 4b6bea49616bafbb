// The program started with resource lines of a user's own (-xrm): in the
// main window and in three dialogs one line moves a widget and another
// resizes one, and both are read back from the widgets; lines that name a
// widget's whole path reach the star and nebula limits and the gauge's
// Cancel. The toolbar's lines give each button the gap its table row
// states. Text fields given a width by the program's lines show that width,
// and the environment dialog shows the Geometry option the program started
// with.
#include "tests/mainwin/program_driver.h"

#include "dialogs/progress_gauge.h"

#include <Xm/Form.h>

namespace {

using programtest::ProgramDriver;

// One user line and what it must show: the resource read back from the
// widget, and, for a move, the gap from the widget it is placed against.
struct UserLine {
    const char* menuItem;    // opens the dialog; null: the main window
    const char* widget;
    const char* resource;
    int value;
    const char* line;
};

const UserLine kUserLines[] = {
    {nullptr, "ToolbarModeHrz", XmNleftOffset, 30, "UVola*Toolbar.ToolbarModeHrz.leftOffset: 30"},
    {nullptr, "Toolbar", XmNheight, 40, "UVola*Toolbar.height: 40"},
    {"MenuSettingsDate", "EditDay", XmNtopOffset, 12, "UVola*DateDialog*EditDay.topOffset: 12"},
    {"MenuSettingsDate", "ArrowDayDown", XmNwidth, 31, "UVola*DateDialog*ArrowDayDown.width: 31"},
    {"MenuObjectStar", "ArrowMagLimitUp", XmNleftOffset, 9,
     "UVola*StarDialog*ArrowMagLimitUp.leftOffset: 9"},
    {"MenuObjectStar", "ArrowMagLimitUp", XmNheight, 22,
     "UVola*StarDialog*ArrowMagLimitUp.height: 22"},
    {"MenuObjectNebula", "EditMagMinLimit", XmNtopOffset, 11,
     "UVola*NebulaDialog*EditMagMinLimit.topOffset: 11"},
    {"MenuObjectNebula", "ArrowMagMaxLimitDown", XmNwidth, 27,
     "UVola*NebulaDialog*ArrowMagMaxLimitDown.width: 27"},
    // Lines that name every widget on the way: the limits stand in the
    // forms of their toggles, the nebula's in its one form.
    {"MenuObjectStar", "ArrowMagLimitDown", XmNwidth, 26,
     "UVola*StarDialog.StarRowColumn.RCCtrls.FormStar.ArrowMagLimitDown.width: 26"},
    {"MenuObjectStar", "EditNameMagLimit", XmNtopOffset, 7,
     "UVola*StarDialog.StarRowColumn.RCCtrls.FormStarName.EditNameMagLimit.topOffset: 7"},
    {"MenuObjectNebula", "LabelMagMaxLimit", XmNtopOffset, 6,
     "UVola*NebulaDialog.NebulaRowColumn.FormNebula.LabelMagMaxLimit.topOffset: 6"},
};

// How many characters a number field takes: from the program's line, from a
// user's line, or from the star dialog's code, which holds over both.
struct FieldLength {
    const char* menuItem;
    const char* dialog;
    const char* widget;
    int maxLength;
    const char* line;   // the user's line; null: none
};

const FieldLength kFieldLengths[] = {
    {"MenuSettingsDate", "DateDialog", "EditYear", 6, "UVola*DateDialog*EditYear.maxLength: 6"},
    {"MenuSettingsDate", "DateDialog", "EditDay", 2, nullptr},
    {"MenuSettingsTimeStep", "TimeStepDialog", "EditMonth", 3, nullptr},
    {"MenuObjectStar", "StarDialog", "EditMagLimit", 4, "UVola*StarDialog*EditMagLimit.maxLength: 7"},
};

// The gauge's Cancel, by its path: a button of the gauge's column.
constexpr const char* kGaugeCancelLine =
    "UVola*GaugeDialog.GaugeRowColumn.GaugeCancelButton.labelString: Stop";

// Read as the resource's own type: offsets are int, sizes Dimension.
int ResourceValue(Widget widget, const char* resource)
{
    if (std::strcmp(resource, XmNwidth) == 0 || std::strcmp(resource, XmNheight) == 0) {
        Dimension size = 0;
        XtVaGetValues(widget, resource, &size, nullptr);
        return size;
    }
    int offset = 0;
    XtVaGetValues(widget, resource, &offset, nullptr);
    return offset;
}

// The gap a move shows: from the widget the line's attachment names to the
// moved one, along the attachment's axis.
int ShownGap(Widget widget, const char* resource)
{
    const bool left = std::strcmp(resource, XmNleftOffset) == 0;
    Widget against = nullptr;
    XtVaGetValues(widget, left ? XmNleftWidget : XmNtopWidget, &against, nullptr);
    if (against == nullptr) {
        return -1;
    }
    return left ? widget->core.x - (against->core.x + against->core.width)
                : widget->core.y - (against->core.y + against->core.height);
}

class ResourceLayoutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        programtest::StartOptions()["Geometry"] = "800x600+10+20";
        for (const UserLine& row : kUserLines) {
            programtest::ExtraStartArguments().push_back("-xrm");
            programtest::ExtraStartArguments().push_back(row.line);
        }
        programtest::ExtraStartArguments().push_back("-xrm");
        programtest::ExtraStartArguments().push_back(kGaugeCancelLine);
        for (const FieldLength& row : kFieldLengths) {
            if (row.line != nullptr) {
                programtest::ExtraStartArguments().push_back("-xrm");
                programtest::ExtraStartArguments().push_back(row.line);
            }
        }
    }
};

TEST_F(ResourceLayoutTest, UserLinesMoveAndResizeWidgets)
{
    ProgramDriver driver;
    for (const UserLine& row : kUserLines) {
        SCOPED_TRACE(row.line);
        if (row.menuItem != nullptr) {
            driver.Choose(row.menuItem);
        }
        Widget widget = ProgramDriver::Find(row.widget);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(ResourceValue(widget, row.resource), row.value);
        if (std::strstr(row.resource, "Offset") != nullptr) {
            EXPECT_EQ(ShownGap(widget, row.resource), row.value);
        } else {
            const Dimension shown = std::strcmp(row.resource, XmNwidth) == 0
                                        ? widget->core.width
                                        : widget->core.height;
            EXPECT_EQ(shown, row.value);
        }
        programtest::CloseInputDialogs();
        driver.Pump();
    }
}

TEST_F(ResourceLayoutTest, NumberFieldsTakeTheLengthTheirLinesGive)
{
    ProgramDriver driver;
    for (const FieldLength& row : kFieldLengths) {
        SCOPED_TRACE(std::string(row.dialog) + " " + row.widget);
        driver.Choose(row.menuItem);
        Widget field = XtNameToWidget(ProgramDriver::Find(row.dialog), (std::string("*") + row.widget).c_str());
        ASSERT_NE(field, nullptr);
        int maxLength = 0;
        XtVaGetValues(field, XmNmaxLength, &maxLength, nullptr);
        EXPECT_EQ(maxLength, row.maxLength);
        programtest::CloseInputDialogs();
        driver.Pump();
    }
}

// The gauge of a long read: its Cancel, relabelled by the user's line, is
// the last of the column's children and stands in its middle.
TEST_F(ResourceLayoutTest, GaugeCancelStandsCentredInTheGaugesColumn)
{
    ProgramDriver driver;
    OpenGauge("messageReadingComets");
    driver.Pump();
    Widget cancel = ProgramDriver::Find("GaugeCancelButton");
    ASSERT_NE(cancel, nullptr);
    Widget column = XtParent(cancel);
    EXPECT_STREQ(XtName(column), "GaugeRowColumn");
    XmString label = nullptr;
    XtVaGetValues(cancel, XmNlabelString, &label, nullptr);
    char* text = nullptr;
    XmStringGetLtoR(label, XmFONTLIST_DEFAULT_TAG, &text);
    EXPECT_STREQ(text, "Stop");
    XtFree(text);
    XmStringFree(label);
    Widget scale = ProgramDriver::Find("GaugeScale");
    EXPECT_GT(cancel->core.y, scale->core.y);
    EXPECT_NEAR(cancel->core.x + cancel->core.width / 2.0, column->core.width / 2.0, 1.0);
    CloseGauge();
    driver.Pump();
}

TEST_F(ResourceLayoutTest, ToolbarButtonsStandAtTheirTableGaps)
{
    ProgramDriver driver;
    for (int i = 1; i < kToolbarButtonCount; ++i) {
        const ToolbarButtonRow& row = ToolbarButtonTable[i];
        if (std::strcmp(row.name, kUserLines[0].widget) == 0) {
            continue;   // moved by the user's line above
        }
        Widget button = ProgramDriver::Find(row.name);
        EXPECT_EQ(ResourceValue(button, XmNleftOffset), row.leftOffset) << row.name;
        EXPECT_EQ(ShownGap(button, XmNleftOffset), row.leftOffset) << row.name;
    }
}

// Text fields whose lines give them a width, by the menu item that opens
// their dialog and the button there that opens theirs.
struct FieldWidth {
    const char* menuItem;
    const char* dialog;
    const char* button;   // null: the field is in the dialog itself
    const char* inner;    // the dialog the button opens
    const char* field;
    Dimension width;
};

const FieldWidth kFieldWidths[] = {
    {"MenuSettingsSetEnv", "SetEnvDialog", nullptr, nullptr, "TextGeometryWidth", 52},
    {"MenuSettingsSetEnv", "SetEnvDialog", nullptr, nullptr, "TextGeometryHeight", 52},
    {"MenuSettingsSetEnv", "SetEnvDialog", nullptr, nullptr, "TextLocale", 180},
    {"MenuSettingsSetEnv", "SetEnvDialog", nullptr, nullptr, "TextTZ", 210},
    {"MenuSettingsObs", "SiteDialog", "ButtonAddSite", "SiteEditDialog", "NameText", 320},
};

TEST_F(ResourceLayoutTest, FieldsShowTheWidthTheirLinesGive)
{
    ProgramDriver driver;
    for (const FieldWidth& row : kFieldWidths) {
        SCOPED_TRACE(row.field);
        driver.Choose(row.menuItem);
        Widget dialog = ProgramDriver::Find(row.dialog);
        if (row.button != nullptr) {
            driver.Press(dialog, row.button);
            XtUnmanageChild(dialog);
            dialog = ProgramDriver::Find(row.inner);
        }
        Dimension width = 0;
        XtVaGetValues(ProgramDriver::Child(dialog, row.field), XmNwidth, &width, nullptr);
        EXPECT_EQ(width, row.width);
        XtUnmanageChild(dialog);
        driver.Pump();
    }
}

// The height field holds what follows the "x", position and all, which OK
// refuses as no size; 0 x 0 is a size.
TEST_F(ResourceLayoutTest, GeometryWithAPositionShowsItInTheHeight)
{
    ProgramDriver driver;
    driver.Choose("MenuSettingsSetEnv");
    Widget dialog = ProgramDriver::Find("SetEnvDialog");
    EXPECT_EQ(ProgramDriver::Text(dialog, "TextGeometryWidth"), "800");
    EXPECT_EQ(ProgramDriver::Text(dialog, "TextGeometryHeight"), "600+10+20");
    driver.Press(dialog, "ButtonOK");
    EXPECT_TRUE(ProgramDriver::PumpUntilBoxes({"Invalid geometry value"}));
    ProgramDriver::CloseMessageBoxes(gAppEnv->toplevel);
    EXPECT_STREQ(gAppEnv->geometryOption, "800x600+10+20");
    driver.Type(dialog, "TextGeometryWidth", "0");
    driver.Type(dialog, "TextGeometryHeight", "0");
    driver.Press(dialog, "ButtonOK");
    driver.Pump();
    EXPECT_FALSE(XtIsManaged(dialog));
    EXPECT_STREQ(gAppEnv->geometryOption, "0x0");
}

}  // namespace
