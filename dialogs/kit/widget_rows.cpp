#include "dialogs/kit/widget_rows.h"

void CreateWidgetRows(Widget parent, const WidgetRow* rows, int count, Widget* children)
{
    for (int i = 0; i < count; ++i) {
        children[i] = XtVaCreateManagedWidget(rows[i].name, *rows[i].widgetClass, parent, nullptr);
    }
}
