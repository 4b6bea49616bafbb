// Where a tip goes: below its widget, or above it when there is no room
// below; shifted left so that it ends inside the screen.
#pragma once

struct TipPlace {
    int x, y;
};

// Given:    rootX, rootY    root position of the widget's corner (0, 0), pixels
//           widgetHeight    the widget's height
//           tipWidth,
//           tipHeight       the tip's size
//           screenWidth,
//           screenHeight    the display's default screen
// Returned: the tip's root position: 4 pixels below the widget and 4 to the
//           right of its left edge; 4 pixels above it when it would reach
//           past the bottom; its right side one pixel inside the screen
//           when it would reach past the right edge; never left of 0
TipPlace PlaceTip(int rootX, int rootY, int widgetHeight, int tipWidth, int tipHeight,
                  int screenWidth, int screenHeight);
