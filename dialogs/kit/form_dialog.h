// The shell every dialog of the program stands in: a form dialog holding a
// row-column with the dialog's controls and a column of buttons, built once
// and shown again on later calls. Its layout, labels and modality come from
// fallback resources addressed by the widget names given here.
//
// A dialog file follows one pattern:
//   Create…Dialog  CreateFormDialog, the controls, AddDialogButtons (once);
//   Show…Dialog    builds on first call, fills the fields from the Scene,
//                  ShowFormDialog;
//   OK callback    reads the fields, composes a CommandText, hides the
//                  dialog and runs the text.
#pragma once

#include <X11/Intrinsic.h>

struct CommandText;
struct Scene;

// What a button is to the dialog besides its own callback.
enum DialogButtonRole {
    kButtonPlain = 0,
    kButtonDefault = 1,   // Return presses it; shown as the default
    kButtonCancel = 2,    // Escape and the window manager's close press it
};

// A button of a dialog's button column.
struct DialogButton {
    const char* name;          // "ButtonOK", "ButtonCancel", "ButtonNow", ...
    int roles;                 // DialogButtonRole bits
    XtCallbackProc activate;   // null: the button hides the dialog
    XtPointer client;          // client data of activate (the Scene)
};

// The widgets of a dialog shell; null until built.
struct FormDialog {
    Widget dialog = nullptr;       // the form dialog
    Widget rowColumn = nullptr;    // parent of the controls and the buttons
    Widget defaultButton = nullptr;
    Widget cancelButton = nullptr;
};

// Builds the form dialog `name` on parent and in it the row-column
// `rowColumnName`; its packing, orientation and adjustLast are the
// dialog's resource lines (packing tight, horizontal, adjustLast False).
// Given:    parent  the toplevel shell, or the widget the dialog belongs to
// Returned: dialog  dialog and rowColumn
void CreateFormDialog(FormDialog& dialog, Widget parent, const char* name,
                      const char* rowColumnName);

// Adds the button column `columnName` under parent (its layout from the
// dialog's resource lines: packing tight, vertical, spacing 0, adjustLast
// False, aligned, centred), with the buttons in
// order. The default button shows as default and the others take its
// default-button shadow, so the column lines up. The cancel button becomes
// the dialog's cancelButton, and the window manager's close presses it,
// through its own activate callbacks, so closing the window is a Cancel.
// Given:    parent   usually dialog.rowColumn, after the controls
//           buttons  count buttons; one with kButtonDefault, one with
//                    kButtonCancel (the same one for a single Close button)
// Returned: dialog   defaultButton and cancelButton
//           the button column
Widget AddDialogButtons(FormDialog& dialog, Widget parent, const char* columnName,
                        const DialogButton* buttons, int count);

// The column most dialogs have: "ButtonOK" (the default) running ok with
// client, and "ButtonCancel" running cancel with cancelClient (null: it
// hides the dialog).
Widget AddOkCancelButtons(FormDialog& dialog, Widget parent, const char* columnName,
                          XtCallbackProc ok, XtPointer client, XtCallbackProc cancel = nullptr,
                          XtPointer cancelClient = nullptr);

// Makes the window manager's close of a dialog press its cancel button, so
// that closing is a Cancel (AddDialogButtons does this for the kit's
// dialogs; a selection box made otherwise asks for it).
void CloseAsCancel(Widget dialog, Widget cancel);

// Manages the dialog; one already shown is raised instead.
void ShowFormDialog(const FormDialog& dialog);

// Unmanages the dialog.
void HideFormDialog(const FormDialog& dialog);

// OK of a dialog whose commands run while it is still up: every text of
// the command but the last, then the dialog goes, then the last text (its
// closing DRIVE). A refused command runs nothing and leaves the dialog up.
// Returned: 1 when the texts ran, 0 when refused
int RunCommandTextAndHide(Scene* scene, const CommandText& command, const FormDialog& dialog);

// Activate callback that hides the dialog given as client data (the Cancel
// of a button without a callback of its own).
void HideDialogCallback(Widget widget, XtPointer client, XtPointer call);

// Shows the text of a message key in a warning box, as every message of the
// program is shown.
// Given:    parent    the dialog, or the toplevel shell, as the dialog's
//                     documentation says
//           key       message key, e.g. "messageInputValidDate"
//           argument  fills the text's "%s" (null: the text as it stands)
void ShowDialogWarning(Widget parent, const char* key, const char* argument = nullptr);
