#include "dialogs/kit/choice_groups.h"

#include <Xm/RowColumn.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

void SetToggleValues(const ToggleGroup& group, const std::vector<int>& values)
{
    for (size_t i = 0; i < group.toggles.size() && i < values.size(); ++i) {
        XmToggleButtonSetState(group.toggles[i], values[i] != 0 ? True : False, False);
    }
}

std::vector<int> ToggleValues(const ToggleGroup& group)
{
    std::vector<int> values;
    for (Widget toggle : group.toggles) {
        values.push_back(XmToggleButtonGetState(toggle) ? 1 : 0);
    }
    return values;
}

void CreateRadioGroup(Widget parent, const char* boxName, const RadioRow* rows, int count,
                      RadioGroup& group)
{
    group.rows = rows;
    group.box = XmCreateRadioBox(parent, const_cast<char*>(boxName), nullptr, 0);
    group.buttons.clear();
    for (int i = 0; i < count; ++i) {
        group.buttons.push_back(
            XtVaCreateManagedWidget(rows[i].name, xmToggleButtonWidgetClass, group.box, nullptr));
    }
    XtManageChild(group.box);
}

// Set one by one: the radio box keeps one set only when the user clicks.
void SetRadioValue(const RadioGroup& group, int32_t value)
{
    for (size_t i = 0; i < group.buttons.size(); ++i) {
        const bool set = group.rows[i].value == value;
        XmToggleButtonSetState(group.buttons[i], set ? True : False, False);
    }
}

int RadioValue(const RadioGroup& group, int32_t& value)
{
    for (size_t i = 0; i < group.buttons.size(); ++i) {
        if (XmToggleButtonGetState(group.buttons[i])) {
            value = group.rows[i].value;
            return 1;
        }
    }
    return 0;
}
