// A pixmap on the test's private X server to draw the sky into and read
// back, with the colours the tests give the palette cells.
#pragma once

#include <gtest/gtest.h>

#include "core/app_env.h"
#include "sky/layers/map_masks.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace skytest {

constexpr unsigned long kSentinel = 0xFF0000;     // what the layers drew
constexpr unsigned long kOutsideSky = 0x0000FF;   // ColorPlanisphereBack
constexpr unsigned long kSkyColor = 0x00FF00;     // the scene's background
constexpr unsigned long kLineColor = 0xFFFFFF;

inline int xErrors = 0;

inline int CountXError(Display*, XErrorEvent*)
{
    ++xErrors;
    return 0;
}

// One connection for the whole test program: opening one per canvas in
// quick succession can be refused by the server.
inline Display* TestDisplay()
{
    static Display* display = [] {
        Display* d = XOpenDisplay(nullptr);
        if (d != nullptr) {
            XSetErrorHandler(CountXError);
        }
        return d;
    }();
    return display;
}

struct Canvas {
    Display* display = nullptr;
    Pixmap pixmap = 0;
    GC gc = nullptr;
    int width = 0;
    int height = 0;
    XImage* image = nullptr;

    Canvas(Scene& scene, int w, int h)
        : width(w > 0 ? w : 1), height(h > 0 ? h : 1)
    {
        display = TestDisplay();
        if (display == nullptr) {
            return;
        }
        gAppEnv->display = display;
        gAppEnv->pixels[kColorPlanisphereBack] = kOutsideSky;
        gAppEnv->pixels[65] = kSkyColor;
        scene.background = 65;
        const int screen = DefaultScreen(display);
        pixmap = XCreatePixmap(display, RootWindow(display, screen), width, height,
                               DefaultDepth(display, screen));
        gc = XCreateGC(display, pixmap, 0, nullptr);
        scene.gc = gc;
        scene.backPixmap = pixmap;
        Fill(scene, kSentinel);
    }

    ~Canvas()
    {
        if (image != nullptr) {
            XDestroyImage(image);
        }
        if (display != nullptr) {
            XFreePixmap(display, pixmap);
            XFreeGC(display, gc);
        }
    }

    void Fill(Scene& scene, unsigned long pixel)
    {
        XSetForeground(display, scene.gc, pixel);
        XFillRectangle(display, pixmap, scene.gc, 0, 0, width, height);
    }

    // Reads the pixmap back; call after drawing, before Pixel.
    void Read()
    {
        if (image != nullptr) {
            XDestroyImage(image);
        }
        XSync(display, False);
        image = XGetImage(display, pixmap, 0, 0, width, height, AllPlanes, ZPixmap);
    }

    unsigned long Pixel(int x, int y) const { return XGetPixel(image, x, y) & 0xFFFFFF; }
};

}  // namespace skytest
