// The Center menu's pickers: a small modal dialog for each kind of named
// object the view can be centred on, whose OK runs the LOOK (and BLINK)
// command of the choice (dialogs/center_pickers_fields.h). The list pickers are
// one family told apart by a table; the nebula picker, a catalogue and a
// number, stands apart.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Each builds its dialog on the first call, fills or selects its list and
// shows it. The star, planet, satellite and constellation lists are fixed
// and remember the position last chosen; the comet, minor-planet,
// user-object and sky-mark lists are made anew from the loaded objects at
// every call and find the item last chosen again by its text.
void ShowCenterStarDialog(Scene* scene);
void ShowCenterNebulaDialog(Scene* scene);
void ShowCenterPlanetDialog(Scene* scene);
void ShowCenterCometDialog(Scene* scene);
void ShowCenterMPlanetDialog(Scene* scene);
void ShowCenterJoviSatDialog(Scene* scene);
void ShowCenterConstDialog(Scene* scene);
void ShowCenterUserObjectDialog(Scene* scene);
void ShowCenterSkyMarkDialog(Scene* scene);

// ButtonOK's and the list's default action (double click, Return) of each
// picker: LOOK (and BLINK) of the choice, run with the picker hidden; with
// nothing selected nothing happens. A choice refused (the Earth outside
// the solar-system views, a nebula the catalogue lacks, a name that would
// end the statement) is said in a warning box and the picker stays up.
// Given:    client  the Scene
void CenterStarDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
void CenterNebulaDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
void CenterPlanetDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
void CenterCometDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
void CenterMPlanetDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
void CenterJoviSatDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
void CenterConstDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
void CenterUserObjectDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
void CenterSkyMarkDialogOkCallback(Widget widget, XtPointer client, XtPointer call);

// ButtonCancel of each picker (and the window manager's close): hides it;
// the choice remembered stays as it was.
// Given:    client  the Scene
void CenterStarDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);
void CenterNebulaDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);
void CenterPlanetDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);
void CenterCometDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);
void CenterMPlanetDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);
void CenterJoviSatDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);
void CenterConstDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);
void CenterUserObjectDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);
void CenterSkyMarkDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);

// A picker's dialog by its name ("CenterStarDialog"), or null before it
// was built; for the tests.
Widget CenterPickerWidget(const char* dialogName);
