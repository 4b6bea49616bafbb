/* Test helper: plays the window manager for uvola's toplevel window.
 *
 *   wm_delete_helper close    sends WM_DELETE_WINDOW to the window whose
 *                             WM_CLASS class is "UVola" and which takes
 *                             WM_DELETE_WINDOW in its WM_PROTOCOLS
 *   wm_delete_helper shown NAME   waits (up to 10 s) until the top-level
 *                             window whose WM_CLASS name is NAME (a dialog's
 *                             shell, "QuestionDialog_popup") is viewable and
 *                             prints its root position and size "X Y W H"
 *   wm_delete_helper gone NAME    waits (up to 10 s) until no such window
 *                             is viewable
 *
 * Exit status 0 on success, 1 when the wait timed out or there was no
 * window to close. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

static int IsUvolaShell(Display* display, Window window, Atom deleteWindow)
{
    XClassHint hint;
    int found = 0;
    if (XGetClassHint(display, window, &hint) == 0) {
        return 0;
    }
    if (hint.res_class != NULL && strcmp(hint.res_class, "UVola") == 0) {
        Atom* protocols = NULL;
        int count = 0;
        if (XGetWMProtocols(display, window, &protocols, &count) != 0) {
            for (int i = 0; i < count; ++i) {
                found |= protocols[i] == deleteWindow;
            }
            XFree(protocols);
        }
    }
    XFree(hint.res_name);
    XFree(hint.res_class);
    return found;
}

static int IsViewableNamed(Display* display, Window window, const char* name)
{
    XClassHint hint;
    XWindowAttributes attributes;
    int match = 0;
    if (XGetClassHint(display, window, &hint) == 0) {
        return 0;
    }
    match = hint.res_name != NULL && strcmp(hint.res_name, name) == 0;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return match && XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

/* A child of the root: uvola's shell (name null), or the viewable window of
 * the given WM_CLASS name. */
static Window FindTopLevel(Display* display, const char* name, Atom deleteWindow)
{
    Window root = DefaultRootWindow(display);
    Window parent = None;
    Window* children = NULL;
    unsigned int count = 0;
    Window found = None;
    if (XQueryTree(display, root, &root, &parent, &children, &count) == 0) {
        return None;
    }
    for (unsigned int i = 0; i < count && found == None; ++i) {
        int match = name != NULL ? IsViewableNamed(display, children[i], name)
                                 : IsUvolaShell(display, children[i], deleteWindow);
        if (match) {
            found = children[i];
        }
    }
    XFree(children);
    return found;
}

static int SendDeleteWindow(Display* display, Atom deleteWindow)
{
    Window shell = FindTopLevel(display, NULL, deleteWindow);
    XEvent event;
    if (shell == None) {
        fprintf(stderr, "wm_delete_helper: no uvola window\n");
        return 1;
    }
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = shell;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)deleteWindow;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, shell, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

static int WaitForWindow(Display* display, const char* name, int wantShown)
{
    for (int tries = 0; tries < 200; ++tries) {
        Window window = FindTopLevel(display, name, None);
        if (window != None && wantShown) {
            XWindowAttributes attributes;
            Window child = None;
            int x = 0;
            int y = 0;
            XGetWindowAttributes(display, window, &attributes);
            XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y,
                                  &child);
            printf("%d %d %d %d\n", x, y, attributes.width, attributes.height);
            return 0;
        }
        if (window == None && !wantShown) {
            return 0;
        }
        usleep(50000);
    }
    fprintf(stderr, "wm_delete_helper: %s did not %s\n", name, wantShown ? "appear" : "go");
    return 1;
}

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(NULL);
    int status = 1;
    if (display == NULL || argc < 2) {
        fprintf(stderr, "usage: wm_delete_helper close | shown NAME | gone NAME\n");
        return 2;
    }
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (strcmp(argv[1], "close") == 0) {
        status = SendDeleteWindow(display, deleteWindow);
    } else if (argc == 3 && strcmp(argv[1], "shown") == 0) {
        status = WaitForWindow(display, argv[2], 1);
    } else if (argc == 3 && strcmp(argv[1], "gone") == 0) {
        status = WaitForWindow(display, argv[2], 0);
    }
    XCloseDisplay(display);
    return status;
}
