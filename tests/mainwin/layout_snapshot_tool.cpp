// Not a test: a tool that opens the main window and every dialog the menus
// open, at a fixed date, and writes each shown shell as a PPM image and as a
// list of its widgets' geometries into $LAYOUT_SNAPSHOT_DIR, so that two
// builds can be compared pixel for pixel when layout moves between code and
// resource lines. Run under tests/harness/uvola-test-env --xvfb.
#include "tests/mainwin/program_driver.h"

#include "dialogs/progress_gauge.h"
#include "mainwin/click_data_dialog.h"

#include <X11/Xutil.h>
#include <Xm/MenuShell.h>

#include <cstdio>
#include <set>

namespace {

using programtest::ProgramDriver;

// The menu items that open a window and change nothing else.
const char* const kOpeningItems[] = {
    "MenuFileOpen",         "MenuFileSaveAs",       "MenuFileSaveImage",
    "MenuSettingsDate",     "MenuSettingsObs",      "MenuSettingsTimeStep",
    "MenuSettingsSetEnv",   "MenuViewProjection",   "MenuViewGrid",
    "MenuObjectSun",        "MenuObjectMoon",       "MenuObjectPlanet",
    "MenuObjectComet",      "MenuObjectMPlanet",    "MenuObjectJoviSat",
    "MenuObjectStar",       "MenuObjectConst",      "MenuObjectNebula",
    "MenuObjectUserObject", "MenuCenterPlanet",     "MenuCenterComet",
    "MenuCenterMPlanet",    "MenuCenterJoviSat",    "MenuCenterStar",
    "MenuCenterConst",      "MenuCenterNebula",     "MenuCenterSkyMark",
    "MenuCenterUserObject", "MenuOptionWhatsToday", "MenuOptionStepBox",
    "MenuOptionCommandBox", "MenuHelpAbout",        "MenuHelpCopyright",
};

std::string Directory()
{
    const char* dir = std::getenv("LAYOUT_SNAPSHOT_DIR");
    return dir != nullptr ? dir : "/tmp/layout-snapshot";
}

void WriteImage(Widget shell, const std::string& path)
{
    Display* display = XtDisplay(shell);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, XtWindow(shell), &attributes);
    if (attributes.map_state != IsViewable) {
        return;   // nothing to read; its geometries still are
    }
    XImage* image = XGetImage(display, XtWindow(shell), 0, 0, attributes.width,
                              attributes.height, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fprintf(file, "P6\n%d %d\n255\n", image->width, image->height);
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                          static_cast<unsigned char>(pixel >> 8),
                                          static_cast<unsigned char>(pixel)};
            std::fwrite(rgb, 1, 3, file);
        }
    }
    std::fclose(file);
    XDestroyImage(image);
}

void WriteGeometry(Widget widget, const std::string& path, FILE* file)
{
    const std::string here = path + "." + XtName(widget);
    if (XtIsRectObj(widget)) {
        std::fprintf(file, "%s %d %d %u %u\n", here.c_str(), widget->core.x, widget->core.y,
                     widget->core.width, widget->core.height);
    }
    if (XtIsComposite(widget)) {
        const CompositeWidget composite = reinterpret_cast<CompositeWidget>(widget);
        for (Cardinal i = 0; i < composite->composite.num_children; ++i) {
            WriteGeometry(composite->composite.children[i], here, file);
        }
    }
}

void CollectShownShells(Widget root, std::vector<Widget>& shells)
{
    if (root == nullptr || !XtIsWidget(root)) {
        return;
    }
    for (Cardinal i = 0; i < root->core.num_popups; ++i) {
        Widget shell = root->core.popup_list[i];
        if (reinterpret_cast<ShellWidget>(shell)->shell.popped_up && XtIsRealized(shell) &&
            XtClass(shell) != xmMenuShellWidgetClass) {
            shells.push_back(shell);
        }
        CollectShownShells(shell, shells);
    }
    if (XtIsComposite(root)) {
        const CompositeWidget composite = reinterpret_cast<CompositeWidget>(root);
        for (Cardinal i = 0; i < composite->composite.num_children; ++i) {
            CollectShownShells(composite->composite.children[i], shells);
        }
    }
}

void Snapshot(const std::string& label, Widget shell)
{
    const std::string stem = Directory() + "/" + label + "-" + XtName(shell);
    WriteImage(shell, stem + ".ppm");
    FILE* file = std::fopen((stem + ".geometry").c_str(), "w");
    WriteGeometry(shell, "", file);
    std::fclose(file);
}

void PopDownAll(const std::vector<Widget>& shells)
{
    for (Widget shell : shells) {
        if (std::strcmp(XtName(shell), "MessageBox_popup") == 0) {
            continue;   // CloseMessageBoxes destroys those
        }
        const CompositeWidget composite = reinterpret_cast<CompositeWidget>(shell);
        for (Cardinal i = 0; i < composite->composite.num_children; ++i) {
            XtUnmanageChild(composite->composite.children[i]);
        }
        XtPopdown(shell);
    }
}

TEST(LayoutSnapshot, EveryWindow)
{
    // One resource line of the caller's, "UVola*DateStyle: Japanese" say.
    if (const char* line = std::getenv("LAYOUT_SNAPSHOT_XRM")) {
        programtest::ExtraStartArguments() = {"-xrm", line};
    }
    ProgramDriver driver;
    mkdir(Directory().c_str(), 0755);
    StkExecuteText(*gScene, "DATE 2001,2,3,4,5,0,9.000;MODE HRZ;DRIVE");
    driver.PumpUntil([] { return false; }, std::chrono::milliseconds(500));
    Snapshot("main", gAppEnv->toplevel);
    for (const char* item : kOpeningItems) {
        driver.Choose(item);
        driver.PumpUntil([] { return false; }, std::chrono::milliseconds(400));
        std::vector<Widget> shells;
        CollectShownShells(gAppEnv->toplevel, shells);
        for (Widget shell : shells) {
            Snapshot(item, shell);
        }
        PopDownAll(shells);
        ProgramDriver::CloseMessageBoxes(gAppEnv->toplevel);
        driver.Pump();
    }
    // The information box, for whatever the scene has picked.
    ShowClickDataDialog(gScene, 1);
    Widget infoShell = XtParent(ProgramDriver::Find("ClickDataDialog"));
    driver.PumpUntil([] { return false; }, std::chrono::milliseconds(400));
    Snapshot("InfoBox", infoShell);
    ShowClickDataDialog(gScene, 0);
    driver.Pump();
    // The progress gauge, as a long read shows it.
    OpenGauge("messageReadingComets");
    driver.PumpUntil([] { return false; }, std::chrono::milliseconds(400));
    Snapshot("Gauge", XtParent(ProgramDriver::Find("GaugeDialog")));
    CloseGauge();
    driver.Pump();
    // The site dialog's own dialogs: the search prompt and the edit dialog
    // of the first site.
    for (const char* button : {"ButtonSearch", "ButtonEditSite"}) {
        driver.Choose("MenuSettingsObs");
        Widget site = ProgramDriver::Find("SiteDialog");
        driver.Select(site, "SiteList", 1);
        driver.Press(site, button);
        driver.PumpUntil([] { return false; }, std::chrono::milliseconds(400));
        std::vector<Widget> shells;
        CollectShownShells(gAppEnv->toplevel, shells);
        for (Widget shell : shells) {
            Snapshot(button, shell);
        }
        PopDownAll(shells);
        driver.Pump();
    }
}

}  // namespace
