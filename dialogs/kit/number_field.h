// A labelled number field with its two arrow buttons: the label above the
// text, the up arrow right of the text and the down arrow below it, the
// way the date, time-step and magnitude rows of the dialogs stand.
#pragma once

#include "dialogs/kit/number_text.h"

#include <X11/Intrinsic.h>

// The widgets of one field. The record must stay where it is for the
// dialog's life (a dialog keeps it in a static): the arrows point at it.
struct NumberField {
    const FieldRow* row = nullptr;
    Widget label = nullptr;
    Widget text = nullptr;
    Widget up = nullptr;
    Widget down = nullptr;
};

// The activate callback of both arrows: the field's number (GetTextFieldInt
// or GetTextFieldDouble) stepped within the row's limits (StepNumberText).
// A dialog whose arrows have a callback of their own registers that one,
// and it steps through this.
// Given:    client  the NumberField
void NumberArrowCallback(Widget arrow, XtPointer client, XtPointer call);

// Builds the label, the text field and the arrows of a field's row in a
// form; each arrow press calls arrowCallback with the field as client data.
// Given:    form  the row's form (or the dialog's form shared by several rows;
//                 then the fallback resources place the widgets)
//           row   lives as long as the field
// Returned: field
void CreateNumberField(Widget form, const FieldRow& row, NumberField& field,
                       XtCallbackProc arrowCallback = NumberArrowCallback);

// One arrow press on the field: its number a step up (+1) or down (-1),
// kept within the row's limits (StepNumberText), written back.
void StepNumberField(const NumberField& field, int direction);

// Writes a value as the field shows it (FormatNumberText).
void SetNumberField(const NumberField& field, double value);

// Label, text and arrows sensitive or not, as one control.
void SetNumberFieldSensitive(const NumberField& field, bool sensitive);
