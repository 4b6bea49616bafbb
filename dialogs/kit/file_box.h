// The file-selection box of the file dialogs and of the user-object
// dialog's Add: made once, shown in a remembered directory with a pattern,
// and the chosen name read back whole.
#pragma once

#include <Xm/Xm.h>

#include <string>

// Makes the file-selection dialog `name` on parent, without its Help
// button. OK calls ok with client and leaves the box up (so a refused name
// stays to be corrected); Cancel and the window manager's close hide it.
Widget CreateFileBox(Widget parent, const char* name, XtCallbackProc ok, XtPointer client);

// Makes the box's Cancel, and the window manager's close with it, call
// cancel with client in place of hiding the box: for a dialog whose Cancel
// has a callback of its own, which hides the box itself.
void SetFileBoxCancel(Widget box, XtCallbackProc cancel, XtPointer client);

// Shows the box in a directory ("~" expanded) listing the files of a
// pattern ("*.stl").
void ShowFileBox(Widget box, const char* directory, const char* pattern);

// The chosen name of an okCallback (XmFileSelectionBoxCallbackStruct).
// Line breaks come back as they were typed, not dropped.
std::string ChosenFileName(XtPointer call);
