// The main window's layout: its title, size and the menu bar's margins.
// The width holds the toolbar's 27 buttons whole (645 pixels and the
// toolbar's border). Then the toolbar, the popup's lines and the
// information box: where each of their widgets stands.
#include "data/fallback_resources.h"

const char* const kMainWindowResources[] = {
    "UVola.title: Uvola",
    "UVola*Main.width: 660",
    "UVola*Main.height: 480",
    "UVola*Main.spacing: 1",
    "UVola*MenuBar.shadowThickness: 1",
    "UVola*MenuBar.marginHeight: 0",
    "UVola*MenuBar.marginWidth: 0",
    "UVola.Main.DrawingArea*translations: #override\\n"
    "!Ctrl<Key>space: OpenCommandDialog()\\n"
    "None<Key>osfPageUp: StkDoit(\"ZOOM UP;DRIVE\")\\n"
    "None<Key>osfPageDown: StkDoit(\"ZOOM DOWN;DRIVE\")\\n"
    "Shift<Btn4Down>,<Btn4Up>: StkDoit(\"INCMAG STAR 0.1;DRIVE\")\\n"
    "Shift<Btn5Down>,<Btn5Up>: StkDoit(\"DECMAG STAR 0.1;DRIVE\")\\n"
    "Ctrl<Btn4Down>,<Btn4Up>: StkDoit(\"ZOOM UP;DRIVE\")\\n"
    "Ctrl<Btn5Down>,<Btn5Up>: StkDoit(\"ZOOM DOWN;DRIVE\")\\n"
    "<Btn4Down>,<Btn4Up>: ScrollWindow(\"LEFT\")\\n"
    "<Btn5Down>,<Btn5Up>: ScrollWindow(\"RIGHT\")",
    "UVola*ClickDataDialog.autoUnmanage: False",
    "UVola*ClickDataDialog.width: 340",
    "UVola*ClickDataDialog.height: 114",
    "UVola*ClickDataDialog.dialogTitle: Object Information",
    // The toolbar: a bordered strip, its buttons in a row, each right of the one
    // before it (a wider gap starts a group)
    "UVola*Toolbar.borderWidth: 1",
    "UVola*Toolbar.height: 27",
    "UVola*Toolbar.XmPushButton.topAttachment: ATTACH_FORM",
    "UVola*Toolbar.XmPushButton.topOffset: 1",
    "UVola*Toolbar.XmPushButton.leftAttachment: ATTACH_WIDGET",
    "UVola*Toolbar.XmPushButton.highlightThickness: 1",
    "UVola*Toolbar.XmPushButton.labelType: PIXMAP",
    "UVola*Toolbar.XmDrawnButton.topAttachment: ATTACH_FORM",
    "UVola*Toolbar.XmDrawnButton.topOffset: 1",
    "UVola*Toolbar.XmDrawnButton.leftAttachment: ATTACH_WIDGET",
    "UVola*Toolbar.XmDrawnButton.highlightThickness: 1",
    "UVola*Toolbar.XmDrawnButton.labelType: PIXMAP",
    "UVola*Toolbar.XmDrawnButton.shadowType: SHADOW_OUT",
    "UVola*Toolbar.ToolbarFileOpen.leftAttachment: ATTACH_FORM",
    "UVola*Toolbar.ToolbarFileOpen.leftOffset: 1",
    "UVola*Toolbar.ToolbarFileSave.leftWidget: ToolbarFileOpen",
    "UVola*Toolbar.ToolbarModeHrz.leftWidget: ToolbarFileSave",
    "UVola*Toolbar.ToolbarModeHrz.leftOffset: 7",
    "UVola*Toolbar.ToolbarModeEqt.leftWidget: ToolbarModeHrz",
    "UVola*Toolbar.ToolbarModeAll1.leftWidget: ToolbarModeEqt",
    "UVola*Toolbar.ToolbarModeAll2.leftWidget: ToolbarModeAll1",
    "UVola*Toolbar.ToolbarModeSol.leftWidget: ToolbarModeAll2",
    "UVola*Toolbar.ToolbarModeVola.leftWidget: ToolbarModeSol",
    "UVola*Toolbar.ToolbarSetDate.leftWidget: ToolbarModeVola",
    "UVola*Toolbar.ToolbarSetDate.leftOffset: 7",
    "UVola*Toolbar.ToolbarSetPlace.leftWidget: ToolbarSetDate",
    "UVola*Toolbar.ToolbarLookHrz.leftWidget: ToolbarSetPlace",
    "UVola*Toolbar.ToolbarLookHrz.leftOffset: 7",
    "UVola*Toolbar.ToolbarDaylight.leftWidget: ToolbarLookHrz",
    "UVola*Toolbar.ToolbarZoomUp.leftWidget: ToolbarDaylight",
    "UVola*Toolbar.ToolbarZoomUp.leftOffset: 7",
    "UVola*Toolbar.ToolbarZoomDown.leftWidget: ToolbarZoomUp",
    "UVola*Toolbar.ToolbarConsline.leftWidget: ToolbarZoomDown",
    "UVola*Toolbar.ToolbarConsline.leftOffset: 7",
    "UVola*Toolbar.ToolbarConsname.leftWidget: ToolbarConsline",
    "UVola*Toolbar.ToolbarPlanetname.leftWidget: ToolbarConsname",
    "UVola*Toolbar.ToolbarNebula.leftWidget: ToolbarPlanetname",
    "UVola*Toolbar.ToolbarMilkyway.leftWidget: ToolbarNebula",
    "UVola*Toolbar.ToolbarPicMark.leftWidget: ToolbarMilkyway",
    "UVola*Toolbar.ToolbarGridHrz.leftWidget: ToolbarPicMark",
    "UVola*Toolbar.ToolbarGridEqt.leftWidget: ToolbarGridHrz",
    "UVola*Toolbar.ToolbarTrace.leftWidget: ToolbarGridEqt",
    "UVola*Toolbar.ToolbarTrace.leftOffset: 7",
    "UVola*Toolbar.ToolbarSetStep.leftWidget: ToolbarTrace",
    "UVola*Toolbar.ToolbarReverse.leftWidget: ToolbarSetStep",
    "UVola*Toolbar.ToolbarReverse.leftOffset: 7",
    "UVola*Toolbar.ToolbarStopPlay.leftWidget: ToolbarReverse",
    "UVola*Toolbar.ToolbarContinue.leftWidget: ToolbarStopPlay",
    // The popup's position lines, left-aligned
    "UVola*popup.XmLabelGadget.alignment: ALIGNMENT_BEGINNING",
    // The information box's buttons in a row as the toolbar's, each right of
    // the one before it; the drawing area under them
    "UVola*ClickDataDialog.XmPushButton.topAttachment: ATTACH_FORM",
    "UVola*ClickDataDialog.XmPushButton.topOffset: 1",
    "UVola*ClickDataDialog.XmPushButton.leftAttachment: ATTACH_WIDGET",
    "UVola*ClickDataDialog.XmPushButton.highlightThickness: 1",
    "UVola*ClickDataDialog.XmPushButton.labelType: PIXMAP",
    "UVola*ClickDataDialog.XmDrawnButton.topAttachment: ATTACH_FORM",
    "UVola*ClickDataDialog.XmDrawnButton.topOffset: 1",
    "UVola*ClickDataDialog.XmDrawnButton.leftAttachment: ATTACH_WIDGET",
    "UVola*ClickDataDialog.XmDrawnButton.highlightThickness: 1",
    "UVola*ClickDataDialog.XmDrawnButton.labelType: PIXMAP",
    "UVola*ClickDataDialog.XmDrawnButton.shadowType: SHADOW_OUT",
    "UVola*ClickDataDialog.ClickDataClose.leftAttachment: ATTACH_FORM",
    "UVola*ClickDataDialog.ClickDataClose.leftOffset: 1",
    "UVola*ClickDataDialog.ClickDataBlink.leftWidget: ClickDataClose",
    "UVola*ClickDataDialog.ClickDataBlink.leftOffset: 7",
    "UVola*ClickDataDialog.ClickDataCenter.leftWidget: ClickDataBlink",
    "UVola*ClickDataDialog.ClickDataTrack.leftWidget: ClickDataCenter",
    "UVola*ClickDataDialog.ClickDataImage.leftWidget: ClickDataTrack",
    "UVola*ClickDataDialog.DrawingArea.topAttachment: ATTACH_WIDGET",
    "UVola*ClickDataDialog.DrawingArea.topWidget: ClickDataClose",
    "UVola*ClickDataDialog.DrawingArea.leftAttachment: ATTACH_FORM",
    "UVola*ClickDataDialog.DrawingArea.bottomAttachment: ATTACH_FORM",
    "UVola*ClickDataDialog.DrawingArea.rightAttachment: ATTACH_FORM",
    "UVola*ClickDataDialog.DrawingArea.topOffset: 2",
    "UVola*ClickDataDialog.DrawingArea.leftOffset: 5",
    "UVola*ClickDataDialog.DrawingArea.bottomOffset: 2",
    "UVola*ClickDataDialog.DrawingArea.rightOffset: 2",
    "UVola*ClickDataDialog.DrawingArea.traversalOn: False",
    nullptr,
};
