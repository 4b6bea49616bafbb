// The script and image file dialogs: "OpenFile" runs a script with STL
// (File > Open..., the toolbar's FileOpen, INPUT OPENFILE), "SaveFile"
// writes the state as a script (File > Save As..., Save without a current
// script, the toolbar's FileSave, INPUT SAVEFILE), "SaveImage" saves the
// chart with GSAVE (File > Save Image...). Each opens in the directory it
// remembered last, which the options file keeps between runs.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Each builds its dialog at the first call and shows it in its directory.
void ShowOpenFileDialog(Scene* scene);
void ShowSaveFileDialog(Scene* scene);
void ShowSaveImageDialog(Scene* scene);

// The dialog widgets; null until first shown.
Widget OpenFileDialogWidget();
Widget SaveFileDialogWidget();
Widget SaveImageDialogWidget();
