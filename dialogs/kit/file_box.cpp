#include "dialogs/kit/file_box.h"

#include "dialogs/kit/file_box_directory.h"
#include "dialogs/kit/form_dialog.h"

#include <Xm/FileSB.h>

namespace {

// Separators of a compound string come back as the line breaks they were
// made from; unparsed without this they would vanish and "a<LF>b" would
// pass for "ab".
XmParseTable SeparatorTable()
{
    static XmParseMapping mapping = [] {
        XmString separator = XmStringSeparatorCreate();
        Arg args[4];
        Cardinal count = 0;
        XtSetArg(args[count], XmNpattern, const_cast<char*>("\n")), ++count;
        XtSetArg(args[count], XmNpatternType, XmCHARSET_TEXT), ++count;
        XtSetArg(args[count], XmNsubstitute, separator), ++count;
        XtSetArg(args[count], XmNincludeStatus, XmINSERT), ++count;
        XmParseMapping made = XmParseMappingCreate(args, count);
        XmStringFree(separator);
        return made;
    }();
    return &mapping;
}

void HideFileBoxCallback(Widget box, XtPointer, XtPointer)
{
    XtUnmanageChild(box);
}

}  // namespace

Widget CreateFileBox(Widget parent, const char* name, XtCallbackProc ok, XtPointer client)
{
    // The box's resource lines keep it up after OK (autoUnmanage False):
    // a refused name leaves it there to be mended.
    Widget box = XmCreateFileSelectionDialog(parent, const_cast<char*>(name), nullptr, 0);
    XtUnmanageChild(XmFileSelectionBoxGetChild(box, XmDIALOG_HELP_BUTTON));
    XtAddCallback(box, XmNokCallback, ok, client);
    XtAddCallback(box, XmNcancelCallback, HideFileBoxCallback, nullptr);
    CloseAsCancel(box, XmFileSelectionBoxGetChild(box, XmDIALOG_CANCEL_BUTTON));
    return box;
}

void SetFileBoxCancel(Widget box, XtCallbackProc cancel, XtPointer client)
{
    XtRemoveCallback(box, XmNcancelCallback, HideFileBoxCallback, nullptr);
    XtAddCallback(box, XmNcancelCallback, cancel, client);
}

void ShowFileBox(Widget box, const char* directory, const char* pattern)
{
    const std::string open = DirectoryToOpen(directory);
    XmString folder = XmStringCreateLocalized(const_cast<char*>(open.c_str()));
    XmString files = XmStringCreateLocalized(const_cast<char*>(pattern));
    XtVaSetValues(box, XmNdirectory, folder, nullptr);
    XtVaSetValues(box, XmNpattern, files, nullptr);
    XmStringFree(folder);
    XmStringFree(files);
    XtManageChild(box);
}

std::string ChosenFileName(XtPointer call)
{
    auto* chosen = static_cast<XmFileSelectionBoxCallbackStruct*>(call);
    char* text = static_cast<char*>(XmStringUnparse(chosen->value, nullptr, XmCHARSET_TEXT,
                                                    XmCHARSET_TEXT, SeparatorTable(), 1,
                                                    XmOUTPUT_ALL));
    std::string name = text != nullptr ? text : "";
    XtFree(text);
    return name;
}
