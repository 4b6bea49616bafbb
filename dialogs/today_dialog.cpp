#include "dialogs/today_dialog.h"

#include "core/app_env.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/today_dialog_fields.h"

#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/Xm.h>

#include <array>
#include <string>

namespace {

constexpr int kGridRows = 9;   // the header and eight rows
constexpr int kPlanetRowCount = 8;

// A block of captions and values: the caption labels' names; the value
// labels are named the same with an "X" after.
constexpr const char* kTimeObsNames[] = {"LabelDate", "LabelJD", "LabelMJD", "LabelObs"};
constexpr const char* kSunNames[] = {"LabelTwS", "LabelSR", "LabelSM", "LabelSS", "LabelTwE"};
constexpr const char* kMoonNames[] = {"LabelMAge", "LabelMR", "LabelMM", "LabelMS"};

// The rows of the grids, as their label names begin, the header first.
constexpr const char* kPlanetRowWords[kGridRows] = {
    "Planet", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
constexpr const char* kCometRowWords[kGridRows] = {
    "CometMp", "CometMp1", "CometMp2", "CometMp3", "CometMp4",
    "CometMp5", "CometMp6", "CometMp7", "CometMp8"};

// The four labels of a grid row: name, rise, meridian, set.
using GridRow = std::array<Widget, 4>;

struct TodayWidgets {
    FormDialog dialog;
    std::array<Widget, 4> timeObs{};
    std::array<Widget, 5> sun{};
    std::array<Widget, 4> moon{};
    std::array<GridRow, kGridRows> planets{};
    std::array<GridRow, kGridRows> smallBodies{};
};

TodayWidgets today;

// Margins, packing, spacing and orientation: the dialog's resource lines.
Widget Label(const std::string& name, Widget parent)
{
    return XtVaCreateManagedWidget(name.c_str(), xmLabelWidgetClass, parent, nullptr);
}

// Both arrays of a block are named "RCArray", so no resource line can tell
// them apart: what differs between them, the columns and the alignment, is
// set here.
Widget Array(Widget parent, short columns, unsigned char alignment)
{
    return XtVaCreateManagedWidget("RCArray", xmRowColumnWidgetClass, parent, XmNnumColumns, columns,
                                   XmNentryAlignment, alignment, nullptr);
}

Widget Block(const char* name, Widget parent)
{
    return XtVaCreateManagedWidget(name, xmRowColumnWidgetClass, parent, nullptr);
}

// Captions on the left, their values (named with an "X") on the right.
template <size_t N>
void CreateTodayTimeRows(Widget parent, const char* const (&names)[N], std::array<Widget, N>& values)
{
    Widget captions = Array(parent, 1, XmALIGNMENT_BEGINNING);
    Widget column = Array(parent, 1, XmALIGNMENT_END);
    for (size_t i = 0; i < N; ++i) {
        Label(names[i], captions);
        values[i] = Label(std::string(names[i]) + "X", column);
    }
}

// The names in one column, the three times in another of three columns,
// filled column by column: the rises, the meridians, the sets.
void CreateTodayObjectRows(Widget parent, const char* const (&words)[kGridRows],
                           std::array<GridRow, kGridRows>& rows)
{
    Widget names = Array(parent, 1, XmALIGNMENT_BEGINNING);
    Widget times = Array(parent, 3, XmALIGNMENT_END);
    const char* const headers[] = {"LabelCorner", "LabelRise", "LabelMeri", "LabelSet"};
    const char* const events[] = {"Name", "Rise", "Meri", "Set"};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < kGridRows; ++row) {
            const std::string name = row == 0 ? std::string(headers[column]) + words[0]
                                              : "Label" + std::string(words[row]) + events[column];
            rows[static_cast<size_t>(row)][static_cast<size_t>(column)] =
                Label(name, column == 0 ? names : times);
        }
    }
}

void CreateTodayDialog()
{
    CreateFormDialog(today.dialog, gAppEnv->toplevel, "TodayDialog", "RowColumn");
    gAppEnv->whatsTodayDialog = today.dialog.dialog;
    Widget table = Block("RCToday", today.dialog.rowColumn);
    Widget top = Block("RCToday1", table);
    Widget bottom = Block("RCToday2", table);
    CreateTodayTimeRows(Block("RCTimeObs", top), kTimeObsNames, today.timeObs);
    CreateTodayTimeRows(Block("RCSun", top), kSunNames, today.sun);
    CreateTodayTimeRows(Block("RCMoon", top), kMoonNames, today.moon);
    CreateTodayObjectRows(Block("RCPlanet", bottom), kPlanetRowWords, today.planets);
    CreateTodayObjectRows(Block("RCCometMp", bottom), kCometRowWords,
                          today.smallBodies);
    // One Close button, both the default and the cancel button, so Return,
    // Escape and the window manager's close all hide the window.
    const DialogButton close[] = {
        {"ButtonClose", kButtonDefault | kButtonCancel, TodayDialogCloseCallback, nullptr}};
    AddDialogButtons(today.dialog, today.dialog.rowColumn, "TodayButtons", close, 1);
}

void SetEvents(const GridRow& row, const TodayEvents& events)
{
    SetLabelText(row[1], events.rise.c_str());
    SetLabelText(row[2], events.transit.c_str());
    SetLabelText(row[3], events.set.c_str());
}

}  // namespace

void SetLabelText(Widget label, const char* text)
{
    XmString string = XmStringCreateLocalized(const_cast<char*>(text));
    XtVaSetValues(label, XmNlabelString, string, nullptr);
    XmStringFree(string);
}

void UpdateTodayDialog(Scene* scene)
{
    const TodayTexts texts = ComputeTodayTexts(*scene);
    const std::string* timeObs[] = {&texts.date, &texts.jd, &texts.mjd, &texts.site};
    for (size_t i = 0; i < today.timeObs.size(); ++i) {
        SetLabelText(today.timeObs[i], timeObs[i]->c_str());
    }
    const std::string* sun[] = {&texts.dawn, &texts.sun.rise, &texts.sun.transit, &texts.sun.set,
                                &texts.dusk};
    for (size_t i = 0; i < today.sun.size(); ++i) {
        SetLabelText(today.sun[i], sun[i]->c_str());
    }
    const std::string* moon[] = {&texts.moonAge, &texts.moon.rise, &texts.moon.transit,
                                 &texts.moon.set};
    for (size_t i = 0; i < today.moon.size(); ++i) {
        SetLabelText(today.moon[i], moon[i]->c_str());
    }
    for (size_t i = 0; i < kPlanetRowCount; ++i) {
        SetEvents(today.planets[i + 1], texts.planets[i]);
    }
    for (size_t i = 0; i < texts.smallBodies.size(); ++i) {
        SetLabelText(today.smallBodies[i + 1][0], texts.smallBodies[i].name.c_str());
        SetEvents(today.smallBodies[i + 1], texts.smallBodies[i].events);
    }
}

void ToggleTodayDialog(Scene* scene)
{
    if (today.dialog.dialog == nullptr) {
        CreateTodayDialog();
    }
    if (XtIsManaged(today.dialog.dialog)) {
        HideFormDialog(today.dialog);
        return;
    }
    UpdateTodayDialog(scene);
    ShowFormDialog(today.dialog);
}

void RefreshTodayDialog(Scene* scene)
{
    if (today.dialog.dialog != nullptr && XtIsManaged(today.dialog.dialog)) {
        UpdateTodayDialog(scene);
    }
}

void TodayDialogCloseCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(today.dialog);
}
