#include "dialogs/kit/number_field.h"

#include "core/string_utils.h"

#include <Xm/ArrowB.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/TextF.h>
#include <Xm/Xm.h>

#include <string>

namespace {

constexpr Dimension kArrowWidth = 20;
constexpr Dimension kArrowHeight = 15;

std::string WidgetName(const char* prefix, const char* word, const char* suffix = "")
{
    return std::string(prefix) + word + suffix;
}

// Arrows are pressed with the mouse only: keyboard traversal skips them.
Widget CreateArrow(Widget form, const std::string& name, unsigned char direction, Widget text,
                   Widget above)
{
    return XtVaCreateManagedWidget(
        name.c_str(), xmArrowButtonWidgetClass, form, XmNarrowDirection, direction, XmNwidth,
        kArrowWidth, XmNheight, kArrowHeight, XmNborderWidth, 0, XmNhighlightThickness, 0,
        XmNtraversalOn, False, XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, text,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, above, nullptr);
}

}  // namespace

void NumberArrowCallback(Widget arrow, XtPointer client, XtPointer)
{
    const NumberField& field = *static_cast<const NumberField*>(client);
    const int direction = arrow == field.up ? 1 : -1;
    const double number = field.row->decimals <= 0 ? GetTextFieldInt(field.text)
                                                   : GetTextFieldDouble(field.text);
    const std::string stepped = StepNumberText(*field.row, number, direction);
    XmTextFieldSetString(field.text, const_cast<char*>(stepped.c_str()));
}

void CreateNumberField(Widget form, const FieldRow& row, NumberField& field,
                       XtCallbackProc arrowCallback)
{
    field.row = &row;
    field.label = XtVaCreateManagedWidget(
        WidgetName("Label", row.word).c_str(), xmLabelWidgetClass, form, XmNalignment,
        XmALIGNMENT_CENTER, XmNtopAttachment, XmATTACH_FORM, XmNleftAttachment, XmATTACH_FORM,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    field.text = XtVaCreateManagedWidget(
        WidgetName("Edit", row.word).c_str(), xmTextFieldWidgetClass, form, XmNcolumns,
        row.columns, XmNmaxLength, row.maxLength, XmNtopAttachment, XmATTACH_WIDGET,
        XmNtopWidget, field.label, XmNleftAttachment, XmATTACH_FORM, nullptr);
    field.up = CreateArrow(form, WidgetName("Arrow", row.word, "Up"), XmARROW_UP, field.text,
                           field.label);
    field.down = CreateArrow(form, WidgetName("Arrow", row.word, "Down"), XmARROW_DOWN,
                             field.text, field.up);
    XtAddCallback(field.up, XmNactivateCallback, arrowCallback, &field);
    XtAddCallback(field.down, XmNactivateCallback, arrowCallback, &field);
}

void SetNumberField(const NumberField& field, double value)
{
    const std::string text = FormatNumberText(*field.row, value);
    XmTextFieldSetString(field.text, const_cast<char*>(text.c_str()));
}

void SetNumberFieldSensitive(const NumberField& field, bool sensitive)
{
    for (Widget widget : {field.label, field.text, field.up, field.down}) {
        XtSetSensitive(widget, sensitive ? True : False);
    }
}
