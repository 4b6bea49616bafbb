#include "core/dialog_width.h"

#include <Xm/Xm.h>

void KeepLeastDialogWidth(Widget dialog)
{
    Dimension width = 0;
    XtVaGetValues(dialog, XmNwidth, &width, nullptr);
    if (width < kLeastDialogWidth) {
        XtVaSetValues(dialog, XmNwidth, kLeastDialogWidth, nullptr);
    }
}
