#include "dialogs/kit/icon_pixmap.h"

#include "core/app_env.h"
#include "sky/colors.h"

#include <X11/xpm.h>
#include <Xm/Xm.h>

namespace {

// How far (in 16-bit RGB units) a stand-in colour may be from the one the
// picture asks for: an 8-bit display whose cells the palette has taken
// still gets a picture in near colours rather than none.
constexpr unsigned int kColourCloseness = 40000;

// The pictures' colours as the palette's are allocated: the toolbar's
// pictures ask for some 300 colours, and on a TrueColor screen each would
// otherwise wait for the server's answer.
int AllocIconColour(Display* display, Colormap colormap, char* name, XColor* colour, void*)
{
    if (name != nullptr && XParseColor(display, colormap, name, colour) == 0) {
        return -1;
    }
    return AllocReadOnlyColor(colormap, *colour);
}

}  // namespace

Pixmap MakeIconPixmap(XpmIconData icon, Pixel background)
{
    if (icon == nullptr || gAppEnv->toplevel == nullptr || !XtIsRealized(gAppEnv->toplevel)) {
        return XmUNSPECIFIED_PIXMAP;
    }
    XpmColorSymbol transparent{nullptr, const_cast<char*>("None"), background};
    XpmAttributes attributes{};
    attributes.valuemask = XpmColorSymbols | XpmAllocColor;
    attributes.alloc_color = AllocIconColour;
    attributes.colorsymbols = &transparent;
    attributes.numsymbols = 1;
    // Near colours only where the cells can run out: asked for them, the
    // library reads the whole colormap from the server for every picture.
    if (VisualHasWritableColors() != 0) {
        attributes.valuemask |= XpmCloseness;
        attributes.closeness = kColourCloseness;
    }
    if (gAppEnv->installColormap != 0 && gAppEnv->colormap != None) {
        attributes.valuemask |= XpmColormap;
        attributes.colormap = gAppEnv->colormap;
    }
    Pixmap pixmap = None;
    Pixmap mask = None;
    const int status = XpmCreatePixmapFromData(gAppEnv->display, XtWindow(gAppEnv->toplevel),
                                               const_cast<char**>(icon), &pixmap, &mask,
                                               &attributes);
    if (mask != None) {
        XFreePixmap(gAppEnv->display, mask);
    }
    XpmFreeAttributes(&attributes);
    if (status < XpmSuccess || pixmap == None) {
        return XmUNSPECIFIED_PIXMAP;
    }
    return pixmap;
}

void FreeIconPixmap(Pixmap& pixmap)
{
    if (pixmap != None && pixmap != XmUNSPECIFIED_PIXMAP) {
        XFreePixmap(gAppEnv->display, pixmap);
    }
    pixmap = XmUNSPECIFIED_PIXMAP;
}
