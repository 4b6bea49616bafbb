// The two scroll bars that pan the view, "VScroll" and "HScroll".
// Scrolling is an ordinary command: each scroll-bar step, and each arrow
// key on the chart, becomes a LOOK command text in the view's frame.
#pragma once

#include <X11/Intrinsic.h>

#include <cstddef>

struct Scene;

// Scroll kinds of the scroll routines.
enum ScrollKind {
    kScrollDecrement = 1,
    kScrollIncrement = 2,
    kScrollPageDecrement = 3,
    kScrollPageIncrement = 4,
    kScrollDrag = 5,
};

// Creates both bars as children of the main window, unmanaged, with their
// callbacks (client data: the Scene), and stores them in the Scene.
void CreateScrollBars(Widget main, Scene* scene);

// Sets both scroll bars' ranges and sliders from the Scene's view mode and
// centre, and clears the Scene's view-mode-changed flag. The vertical bar is
// removed in the whole-sky maps and the planisphere.
void UpdateScrollBars(Scene* scene);

// One step of a scroll bar: sets the bar's slider and runs the LOOK command.
// Given:    kind   a ScrollKind
//           value  the slider value for kScrollDrag (ignored for the others)
void ScrollHorizontal(Scene* scene, int kind, int value);
void ScrollVertical(Scene* scene, int kind, int value);

// The command text and new slider value of one scroll step, without
// touching any widget.
// Given:    scene       view mode, centre, field of view
//           vertical    0 the horizontal bar, 1 the vertical one
//           kind, value as for ScrollHorizontal
//           size        size of text in bytes
// Returned: text        the LOOK command, empty when the mode has no frame
//                       to scroll in
//           sliderValue the bar's new value
void ScrollCommand(const Scene& scene, int vertical, int kind, int value, char* text, size_t size,
                   int& sliderValue);
