// The information box "ClickDataDialog": the object a click on the sky
// picked, with five icon buttons (Close, Blink, Center, Track, Image) and
// a drawing area its lines are drawn into through a pixmap of its own. It
// is redrawn after every sky refresh, so its numbers follow the animation.
// The lines come from ComposeClickDataInfo; the buttons act by command
// text.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the box once, hidden, with its callbacks (client data: the
// Scene), then brings its buttons up to date. Called by start-up.
void CreateClickDataDialog(Scene* scene);

// Shows (on non-zero) or hides the box. Its first showing puts it over
// the sky's top left corner, below the status line while that is shown;
// later showings keep where the user moved it.
void ShowClickDataDialog(Scene* scene, int on);

// Draws the picked object's lines while the box is shown. A picked object
// that is gone (UNLOAD, a shorter comet list) is dropped and the box
// hidden. An area without room gets no pixmap.
void DrawClickDataDialog(Scene* scene);

// The Track button pressed in while the picked object is the one tracked;
// the Image button sensitive only while the object has a picture.
void UpdateClickDataDialogButtons(Scene* scene);

// Brings the backing pixmap to the drawing area's size.
// Returned: 1 when a pixmap of that size exists afterwards
int ResizeClickDataPixmap();

// The five buttons' tips, attached or removed while the tip shell exists.
void AddClickDataTips();
void RemoveClickDataTips();

// The tips, the pixmaps and the GC released (at quit).
void FreeClickDataDialog();

// Whether the picked object is the one the view tracks.
bool PickedObjectIsTracked(const Scene& scene);
