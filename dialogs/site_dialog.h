// The site dialog "SiteDialog": every line of the site list file in use,
// one list item each. OK moves the view to the chosen site with LOCATE and
// can make it the default site; the other buttons search the list, edit a
// site, add one and remove one, keeping the list and the file in step.
// Opened by Settings > Site..., the toolbar's SetPlace and INPUT LOCATE.
#pragma once

#include "dialogs/site_file.h"

#include <X11/Intrinsic.h>

#include <string>
#include <vector>

struct Scene;

// At the first call that finds at least one line in the file, builds the
// dialog with them (a missing file: a warning box; an empty one: nothing
// at all, and the next call tries again); then selects the Scene's site
// and shows the dialog.
void ShowSiteDialog(Scene* scene);

// The dialog and its list; null until built.
Widget SiteDialogWidget();
Widget SiteListWidget();

// The names of the list, in file order.
const std::vector<std::string>& SiteListNames();

// Writes a line into the file in place of line index (0-based), or as the
// first line for a negative index, and updates the list: the line's item is
// selected, a new first one also scrolled to the top.
SiteWriteResult WriteSiteFileLine(int index, const std::string& line);
