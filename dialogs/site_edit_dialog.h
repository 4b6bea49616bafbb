// The site editing dialog "SiteEditDialog": one site of the site list, or
// a new one, field by field. OK checks the fields, writes the line into the
// file (a new site as its first line) and, when the edited site was the
// default site (or no default was set and a site is added), moves the view
// to it and makes it the default under its new name.
#pragma once

#include "dialogs/site_file.h"

#include <X11/Intrinsic.h>

#include <string>

struct Scene;

// Built at the first call on parent (the button that asked for it), filled
// from the line and shown.
// Given:    line   the line to edit, or kNewSiteLine
//           index  its 0-based line in the file, -1 for a new site
//           scene  the Scene OK moves when the default site changes
//           list   the list the line comes from
void ShowSiteEditDialog(Widget parent, const std::string& line, int index, Scene* scene,
                        const SiteListAccess& list);

// The dialog widget; null until first shown.
Widget SiteEditDialogWidget();
