#include "dialogs/kit/number_field.h"

#include "core/string_utils.h"

#include <Xm/ArrowB.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/TextF.h>
#include <Xm/Xm.h>

#include <string>

namespace {

std::string WidgetName(const char* prefix, const char* word, const char* suffix = "")
{
    return std::string(prefix) + word + suffix;
}

}  // namespace

void NumberArrowCallback(Widget arrow, XtPointer client, XtPointer)
{
    const NumberField& field = *static_cast<const NumberField*>(client);
    StepNumberField(field, arrow == field.up ? 1 : -1);
}

void StepNumberField(const NumberField& field, int direction)
{
    const double number = field.row->decimals <= 0 ? GetTextFieldInt(field.text)
                                                   : GetTextFieldDouble(field.text);
    const std::string stepped = StepNumberText(*field.row, number, direction);
    XmTextFieldSetString(field.text, const_cast<char*>(stepped.c_str()));
}

void CreateNumberField(Widget form, const FieldRow& row, NumberField& field,
                       XtCallbackProc arrowCallback)
{
    field.row = &row;
    // Where each part stands (the arrows right of the text, the down arrow
    // below the up one), the arrows' size and direction: the resource lines
    // of the part's name.
    field.label = XtVaCreateManagedWidget(WidgetName("Label", row.word).c_str(), xmLabelWidgetClass,
                                          form, nullptr);
    field.text = XtVaCreateManagedWidget(WidgetName("Edit", row.word).c_str(),
                                         xmTextFieldWidgetClass, form, nullptr);
    field.up = XtVaCreateManagedWidget(WidgetName("Arrow", row.word, "Up").c_str(),
                                       xmArrowButtonWidgetClass, form, nullptr);
    field.down = XtVaCreateManagedWidget(WidgetName("Arrow", row.word, "Down").c_str(),
                                         xmArrowButtonWidgetClass, form, nullptr);
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
