#include "dialogs/about_dialogs.h"

#include "core/app_env.h"
#include "core/version.h"
#include "data/copyright_notice.h"
#include "dialogs/kit/form_dialog.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/Text.h>
#include <Xm/Xm.h>

#include <string>

namespace {

constexpr int kAboutLabelCount = 5;
constexpr const char* kAboutLabels[kAboutLabelCount] = {"LabelName", "LabelVersion",
                                                        "LabelCopyright", "LabelURL", "LabelAuthor"};
constexpr int kAboutTopOffsets[kAboutLabelCount] = {3, 0, 5, 0, 0};
constexpr int kMaxLayoutArgs = 9;

Widget aboutDialog = nullptr;
Widget copyrightDialog = nullptr;

Widget OkButton(Widget dialog)
{
    Widget ok = XtVaCreateManagedWidget("ButtonOK", xmPushButtonWidgetClass, dialog,
                                        XmNshowAsDefault, 1, nullptr);
    XtVaSetValues(dialog, XmNdefaultButton, ok, XmNcancelButton, ok, nullptr);
    XtAddCallback(ok, XmNactivateCallback, HideDialogCallback, dialog);
    CloseAsCancel(dialog, ok);
    return ok;
}

void CreateAboutDialog()
{
    aboutDialog = XmCreateFormDialog(gAppEnv->toplevel, const_cast<char*>("AboutDialog"), nullptr, 0);
    Widget previous = nullptr;
    for (int i = 0; i < kAboutLabelCount; ++i) {
        Arg args[kMaxLayoutArgs];
        const int count = LayoutAboutLabels(i, previous, args);
        previous = XtCreateManagedWidget(kAboutLabels[i], xmLabelWidgetClass, aboutDialog, args,
                                         static_cast<Cardinal>(count));
    }
    // Under the last label, in the middle fifth: the button's resource lines.
    OkButton(aboutDialog);
}

void CreateCopyrightDialog()
{
    copyrightDialog =
        XmCreateFormDialog(gAppEnv->toplevel, const_cast<char*>("CopyrightDialog"), nullptr, 0);
    const std::string notice = std::string(CopyrightHeading()) + "\n" + CopyrightNotice();
    // The text's size, margins and read-only, wrapped form, and where it and
    // the button stand: the dialog's resource lines. Only the notice is set
    // here.
    Arg args[1];
    XtSetArg(args[0], XmNvalue, notice.c_str());
    Widget text = XmCreateScrolledText(copyrightDialog, const_cast<char*>("CopyrightText"), args, 1);
    XtManageChild(text);
    OkButton(copyrightDialog);
}

}  // namespace

int LayoutAboutLabels(int index, Widget previous, Arg* args)
{
    int count = 0;
    XtSetArg(args[count], XmNalignment, XmALIGNMENT_CENTER), ++count;
    XtSetArg(args[count], XmNleftAttachment, XmATTACH_FORM), ++count;
    XtSetArg(args[count], XmNleftOffset, 5), ++count;
    XtSetArg(args[count], XmNrightAttachment, XmATTACH_FORM), ++count;
    XtSetArg(args[count], XmNrightOffset, 5), ++count;
    if (index == 0 || previous == nullptr) {
        XtSetArg(args[count], XmNtopAttachment, XmATTACH_FORM), ++count;
    } else {
        XtSetArg(args[count], XmNtopAttachment, XmATTACH_WIDGET), ++count;
        XtSetArg(args[count], XmNtopWidget, previous), ++count;
    }
    XtSetArg(args[count], XmNtopOffset, kAboutTopOffsets[index]), ++count;
    return count;
}

const char* CopyrightHeading()
{
    static const std::string heading = std::string("Uvola Version ") + kUvolaVersion;
    return heading.c_str();
}

void ShowAboutDialog(Scene*)
{
    if (aboutDialog == nullptr) {
        CreateAboutDialog();
    }
    XtManageChild(aboutDialog);
}

void ShowCopyrightDialog(Scene*)
{
    if (copyrightDialog == nullptr) {
        CreateCopyrightDialog();
    }
    XtManageChild(copyrightDialog);
}
