#include "dialogs/kit/form_dialog.h"

#include "command/error_text.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "dialogs/kit/command_text.h"

#include <Xm/Form.h>
#include <Xm/Protocols.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/Xm.h>

namespace {

constexpr size_t kMessageSize = 512;

// The window manager's close, turned into a press of the cancel button, so
// that whatever the dialog's Cancel does (free its working lists, forget
// its edits) happens on this road too.
void PressCancelCallback(Widget, XtPointer client, XtPointer)
{
    XmPushButtonCallbackStruct press{};
    press.reason = XmCR_ACTIVATE;
    press.click_count = 1;
    XtCallCallbacks(static_cast<Widget>(client), XmNactivateCallback, &press);
}

Widget CreateButton(Widget column, Widget dialog, const DialogButton& button)
{
    const bool isDefault = (button.roles & kButtonDefault) != 0;
    Widget widget = XtVaCreateManagedWidget(button.name, xmPushButtonWidgetClass, column,
                                            XmNshowAsDefault, isDefault ? 1 : 0, nullptr);
    if (button.activate != nullptr) {
        XtAddCallback(widget, XmNactivateCallback, button.activate, button.client);
    } else {
        XtAddCallback(widget, XmNactivateCallback, HideDialogCallback, dialog);
    }
    return widget;
}

// The other buttons keep the room of the default button's shadow, so all
// of them line up with it.
void AlignWithDefault(Widget column, Widget defaultButton)
{
    Dimension shadow = 0;
    XtVaGetValues(defaultButton, XmNdefaultButtonShadowThickness, &shadow, nullptr);
    WidgetList children = nullptr;
    Cardinal count = 0;
    XtVaGetValues(column, XmNchildren, &children, XmNnumChildren, &count, nullptr);
    for (Cardinal i = 0; i < count; ++i) {
        if (children[i] != defaultButton) {
            XtVaSetValues(children[i], XmNdefaultButtonShadowThickness, shadow, nullptr);
        }
    }
}

}  // namespace

void CloseAsCancel(Widget dialog, Widget cancel)
{
    Widget shell = XtParent(dialog);
    Atom deleteWindow = XmInternAtom(XtDisplay(shell), const_cast<char*>("WM_DELETE_WINDOW"),
                                     False);
    XtVaSetValues(shell, XmNdeleteResponse, XmDO_NOTHING, nullptr);
    XmAddWMProtocolCallback(shell, deleteWindow, PressCancelCallback, cancel);
}

void CreateFormDialog(FormDialog& dialog, Widget parent, const char* name,
                      const char* rowColumnName)
{
    dialog.dialog = XmCreateFormDialog(parent, const_cast<char*>(name), nullptr, 0);
    // Packing and orientation come from the dialog's resource lines, so a
    // user's resource file can rearrange it.
    dialog.rowColumn = XtVaCreateManagedWidget(rowColumnName, xmRowColumnWidgetClass, dialog.dialog,
                                               nullptr);
}

Widget AddDialogButtons(FormDialog& dialog, Widget parent, const char* columnName,
                        const DialogButton* buttons, int count)
{
    Widget column = XtVaCreateManagedWidget(columnName, xmRowColumnWidgetClass, parent, nullptr);
    for (int i = 0; i < count; ++i) {
        Widget widget = CreateButton(column, dialog.dialog, buttons[i]);
        if ((buttons[i].roles & kButtonDefault) != 0) {
            dialog.defaultButton = widget;
        }
        if ((buttons[i].roles & kButtonCancel) != 0) {
            dialog.cancelButton = widget;
        }
    }
    if (dialog.defaultButton != nullptr) {
        AlignWithDefault(column, dialog.defaultButton);
        XtVaSetValues(dialog.dialog, XmNdefaultButton, dialog.defaultButton, nullptr);
    }
    if (dialog.cancelButton != nullptr) {
        XtVaSetValues(dialog.dialog, XmNcancelButton, dialog.cancelButton, nullptr);
        CloseAsCancel(dialog.dialog, dialog.cancelButton);
    }
    return column;
}

Widget AddOkCancelButtons(FormDialog& dialog, Widget parent, const char* columnName,
                          XtCallbackProc ok, XtPointer client, XtCallbackProc cancel,
                          XtPointer cancelClient)
{
    const DialogButton buttons[] = {
        {"ButtonOK", kButtonDefault, ok, client},
        {"ButtonCancel", kButtonCancel, cancel, cancelClient},
    };
    return AddDialogButtons(dialog, parent, columnName, buttons, 2);
}

void ShowFormDialog(const FormDialog& dialog)
{
    if (XtIsManaged(dialog.dialog)) {
        Widget shell = XtParent(dialog.dialog);
        XRaiseWindow(XtDisplay(shell), XtWindow(shell));
        return;
    }
    XtManageChild(dialog.dialog);
}

void HideFormDialog(const FormDialog& dialog)
{
    XtUnmanageChild(dialog.dialog);
}

int RunCommandTextAndHide(Scene* scene, const CommandText& command, const FormDialog& dialog)
{
    if (IsCommandRefused(command) != 0 || command.texts.empty()) {
        return RunCommandText(scene, command);
    }
    CommandText body = command;
    CommandText last;
    last.texts.push_back(body.texts.back());
    body.texts.pop_back();
    RunCommandText(scene, body);
    HideFormDialog(dialog);
    return RunCommandText(scene, last);
}

void HideDialogCallback(Widget, XtPointer client, XtPointer)
{
    XtUnmanageChild(static_cast<Widget>(client));
}

void ShowDialogWarning(Widget parent, const char* key, const char* argument)
{
    char format[kMessageSize];
    GetMessage(key, format, sizeof format);
    char text[kMessageSize];
    // Message texts are resources a user may translate: their "%s" is
    // filled without printf.
    FormatErrorText(format, argument, nullptr, text, sizeof text);
    ShowMessageBox(parent, text, kMessageBoxWarning);
}
