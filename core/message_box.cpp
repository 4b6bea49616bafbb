#include "core/message_box.h"

#include <Xm/MessageB.h>
#include <Xm/Xm.h>

#include <cstdio>

namespace {

constexpr int kNoAnswer = -1;

Widget questionDialog = nullptr;
int questionAnswer = kNoAnswer;

Widget CreateMessageDialog(Widget parent, int type)
{
    char name[] = "MessageBox";
    switch (type) {
    case kMessageBoxPlain: return XmCreateMessageDialog(parent, name, nullptr, 0);
    case kMessageBoxInformation: return XmCreateInformationDialog(parent, name, nullptr, 0);
    case kMessageBoxWarning: return XmCreateWarningDialog(parent, name, nullptr, 0);
    default: return XmCreateErrorDialog(parent, name, nullptr, 0);
    }
}

void DestroyShell(XtPointer shell, XtIntervalId*)
{
    XtDestroyWidget(static_cast<Widget>(shell));
}

// Message boxes are never reused, so each goes away once it is closed. The
// unmap may come from inside the dialog's own unmanage, outside any event
// dispatch, where Xt would destroy the widget under the caller's feet; the
// destruction waits for the event loop.
void DestroyMessageBox(Widget dialog, XtPointer, XtPointer)
{
    XtAppAddTimeOut(XtWidgetToApplicationContext(dialog), 0, DestroyShell, XtParent(dialog));
}

void SetMessage(Widget dialog, const char* text)
{
    XmString message = XmStringCreateLocalized(const_cast<char*>(text != nullptr ? text : ""));
    XtVaSetValues(dialog, XmNmessageString, message, nullptr);
    XmStringFree(message);
}

// Closing the box through the window manager only unmaps it and calls
// neither button; without an answer the wait below would never end.
void AnswerCancelWhenUnmapped(Widget, XtPointer clientData, XtPointer)
{
    int* answer = static_cast<int*>(clientData);
    if (*answer == kNoAnswer) {
        *answer = 0;
    }
}

Widget CreateQuestionDialog(Widget parent)
{
    Arg args[2];
    XtSetArg(args[0], XmNdialogStyle, XmDIALOG_PRIMARY_APPLICATION_MODAL);
    XtSetArg(args[1], XmNdefaultButtonType, XmDIALOG_CANCEL_BUTTON);
    char name[] = "QuestionDialog";
    Widget dialog = XmCreateQuestionDialog(parent, name, args, 2);
    XtUnmanageChild(XmMessageBoxGetChild(dialog, XmDIALOG_HELP_BUTTON));
    XtAddCallback(dialog, XmNokCallback, QuestionAnswerCallback, &questionAnswer);
    XtAddCallback(dialog, XmNcancelCallback, QuestionAnswerCallback, &questionAnswer);
    XtAddCallback(dialog, XmNunmapCallback, AnswerCancelWhenUnmapped, &questionAnswer);
    return dialog;
}

}  // namespace

void ShowMessageBox(Widget parent, const char* text, int type)
{
    // Before the toolkit runs (or in a program without one) there is no
    // widget to hang a dialog on; the text still reaches the user.
    if (parent == nullptr) {
        std::fprintf(stderr, "uvola: %s\n", text != nullptr ? text : "");
        return;
    }
    Widget dialog = CreateMessageDialog(parent, type);
    XtUnmanageChild(XmMessageBoxGetChild(dialog, XmDIALOG_HELP_BUTTON));
    XtUnmanageChild(XmMessageBoxGetChild(dialog, XmDIALOG_CANCEL_BUTTON));
    SetMessage(dialog, text);
    XtAddCallback(dialog, XmNunmapCallback, DestroyMessageBox, nullptr);
    XtManageChild(dialog);
}

int AskQuestion(Widget parent, const char* text)
{
    // Nobody can answer without a display: take the cautious answer.
    if (parent == nullptr && questionDialog == nullptr) {
        return 0;
    }
    if (questionDialog == nullptr) {
        questionDialog = CreateQuestionDialog(parent);
    }
    questionAnswer = kNoAnswer;
    SetMessage(questionDialog, text);
    XtManageChild(questionDialog);
    XtPopup(XtParent(questionDialog), XtGrabNone);

    XtAppContext app = XtWidgetToApplicationContext(questionDialog);
    while (questionAnswer == kNoAnswer || XtAppPending(app) != 0) {
        XtAppProcessEvent(app, XtIMAll);
    }
    return questionAnswer != 0 ? 1 : 0;
}

void QuestionAnswerCallback(Widget, XtPointer clientData, XtPointer callData)
{
    const auto* reason = static_cast<XmAnyCallbackStruct*>(callData);
    *static_cast<int*>(clientData) = (reason != nullptr && reason->reason == XmCR_OK) ? 1 : 0;
}
