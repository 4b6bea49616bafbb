#include "dialogs/kit/field_width.h"

#include <Xm/TextF.h>
#include <Xm/Xm.h>

namespace {

int PreferredWidth(Widget field, short columns)
{
    XtVaSetValues(field, XmNcolumns, columns, nullptr);
    XtWidgetGeometry preferred{};
    XtQueryGeometry(field, nullptr, &preferred);
    return preferred.width;
}

}  // namespace

void KeepFieldWidth(Widget field)
{
    Dimension width = 0;
    Dimension margin = 0;
    XtVaGetValues(field, XmNwidth, &width, XmNmarginWidth, &margin, nullptr);
    // The preferred width is the columns' average character widths plus
    // the margins, shadows and highlight on both sides.
    const int one = PreferredWidth(field, 1);
    const int perColumn = PreferredWidth(field, 2) - one;
    const int frame = one - perColumn;
    // The most columns whose left-over room the two margins can share
    // equally.
    for (int columns = (width - frame) / (perColumn > 0 ? perColumn : 1); columns >= 1; --columns) {
        const int spare = width - frame - columns * perColumn;
        if (spare >= 0 && spare % 2 == 0) {
            XtVaSetValues(field, XmNcolumns, static_cast<short>(columns), XmNmarginWidth,
                          static_cast<Dimension>(margin + spare / 2), XmNwidth, width, nullptr);
            return;
        }
    }
    XtVaSetValues(field, XmNcolumns, static_cast<short>(1), XmNwidth, width, nullptr);
}

Widget CreateFieldKeepingWidth(Widget parent, const char* name)
{
    Widget field = XtVaCreateWidget(name, xmTextFieldWidgetClass, parent, nullptr);
    KeepFieldWidth(field);
    XtManageChild(field);
    return field;
}
