#include "dialogs/date_rows.h"

#include <Xm/Form.h>
#include <Xm/Xm.h>

#include <cstdio>

namespace {

constexpr int kRowLeftOffset = 5;
constexpr int kPlacesPerLine = 3;

// Next to the place before it in the first line; below the place above it
// in the second.
Widget CreateRowForm(Widget parent, int row, Widget left, Widget above)
{
    char name[16];
    std::snprintf(name, sizeof name, "DateForm%d", row);
    if (above != nullptr) {
        return XtVaCreateManagedWidget(name, xmFormWidgetClass, parent, XmNleftOffset,
                                       kRowLeftOffset, XmNtopAttachment, XmATTACH_WIDGET,
                                       XmNtopWidget, above, XmNleftAttachment,
                                       XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, above, nullptr);
    }
    if (left != nullptr) {
        return XtVaCreateManagedWidget(name, xmFormWidgetClass, parent, XmNleftOffset,
                                       kRowLeftOffset, XmNtopAttachment, XmATTACH_FORM,
                                       XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, left,
                                       nullptr);
    }
    return CreateLeadingForm(parent, name);
}

}  // namespace

Widget CreateDateTimeForm(Widget parent)
{
    return XtVaCreateManagedWidget("FormDateTime", xmFormWidgetClass, parent, nullptr);
}

Widget CreateLeadingForm(Widget dateTimeForm, const char* name)
{
    return XtVaCreateManagedWidget(name, xmFormWidgetClass, dateTimeForm, XmNleftOffset,
                                   kRowLeftOffset, XmNtopAttachment, XmATTACH_FORM,
                                   XmNleftAttachment, XmATTACH_FORM, nullptr);
}

void AddDateRows(Widget dateTimeForm, const NumberFieldSpec* specs, int count, Widget lead,
                 DateRows& rows)
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
        const int above = kPlacesPerLine - (count - row);
        Widget form = CreateRowForm(dateTimeForm, row, firstLine && place > 0 ? places[place - 1] : nullptr,
                                    firstLine ? nullptr : places[above]);
        places[place] = form;
        CreateNumberField(form, specs[row], rows.fields[row]);
    }
}

void SetDateRowsSensitive(const DateRows& rows, bool sensitive)
{
    for (int row = 0; row < rows.count; ++row) {
        SetNumberFieldSensitive(rows.fields[row], sensitive);
    }
}
