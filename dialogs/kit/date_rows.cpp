#include "dialogs/kit/date_rows.h"

#include <Xm/Form.h>
#include <Xm/Xm.h>

#include <cstdio>

namespace {

constexpr int kPlacesPerLine = 3;

// A row form right of the place before it in its line (at the left edge
// when there is none), and below the place above it in the second line, so
// that it stands exactly under that place. Which place that is depends on
// the date style, so it is set here; the gap is a resource line.
Widget CreateRowForm(Widget parent, int row, Widget left, Widget above)
{
    char name[16];
    std::snprintf(name, sizeof name, "DateForm%d", row);
    Arg args[4];
    Cardinal count = 0;
    if (left != nullptr) {
        XtSetArg(args[count], XmNleftAttachment, XmATTACH_WIDGET), ++count;
        XtSetArg(args[count], XmNleftWidget, left), ++count;
    } else {
        XtSetArg(args[count], XmNleftAttachment, XmATTACH_FORM), ++count;
    }
    if (above != nullptr) {
        XtSetArg(args[count], XmNtopAttachment, XmATTACH_WIDGET), ++count;
        XtSetArg(args[count], XmNtopWidget, above), ++count;
    } else {
        XtSetArg(args[count], XmNtopAttachment, XmATTACH_FORM), ++count;
    }
    return XtCreateManagedWidget(name, xmFormWidgetClass, parent, args, count);
}

}  // namespace

Widget CreateDateTimeForm(Widget parent)
{
    return XtVaCreateManagedWidget("FormDateTime", xmFormWidgetClass, parent, nullptr);
}

Widget CreateLeadingForm(Widget dateTimeForm, const char* name)
{
    return XtVaCreateManagedWidget(name, xmFormWidgetClass, dateTimeForm, nullptr);
}

void AddDateRows(Widget dateTimeForm, const FieldRow* fieldRows, int count, Widget lead,
                 DateRows& rows, XtCallbackProc arrowCallback)
{
    rows.form = dateTimeForm;
    rows.count = count;
    Widget places[kPlacesPerLine * 2] = {};
    int place = 0;
    if (lead != nullptr) {
        places[place++] = lead;
    }
    for (int row = 0; row < count; ++row, ++place) {
        const bool firstLine = place < kPlacesPerLine;
        // The second line fills its places from the right.
        const int above = firstLine ? place : kPlacesPerLine - (count - row);
        Widget form = CreateRowForm(dateTimeForm, row, above > 0 ? places[above - 1] : nullptr,
                                    firstLine ? nullptr : places[above]);
        places[place] = form;
        CreateNumberField(form, fieldRows[row], rows.fields[row], arrowCallback);
    }
}

void SetDateRowsSensitive(const DateRows& rows, bool sensitive)
{
    for (int row = 0; row < rows.count; ++row) {
        SetNumberFieldSensitive(rows.fields[row], sensitive);
    }
}
