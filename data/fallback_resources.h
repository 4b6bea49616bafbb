// The fallback resource list: the complete set of default resources compiled
// into the program ("UVola" followed by the widget path and resource name, a colon, a
// blank and the value). Each area of the program keeps its lines in a
// null-terminated block of its own (data/resources_<area>.cpp); the blocks are
// joined in a fixed order into the one list handed to the toolkit.
#pragma once

// The blocks, in list order. A new area declares its block here and adds it
// to the ordered table in data/fallback_resources.cpp.
extern const char* const kInitResources[];      // application resources (class "Init"), first
extern const char* const kMainWindowResources[]; // main window, toolbar, popup, information box
extern const char* const kMenuResources[];      // menu bar texts, mnemonics, accelerators
extern const char* const kToolResources[];      // tip shell, step box, command dialog
extern const char* const kDialogResources[];    // what the dialogs share
extern const char* const kTimeSiteDialogResources[];  // date, time-step and site dialogs
extern const char* const kDisplayDialogResources[]; // projection, star, nebula, planet, toggle dialogs
extern const char* const kSettingsDialogResources[]; // file, environment, user-object dialogs
extern const char* const kCenterPickerResources[];    // the Center menu's pickers
extern const char* const kTodayResources[];           // the What's Today window
extern const char* const kSmallBodyDialogResources[]; // comet and minor-planet dialogs, gauge
extern const char* const kHelpResources[];            // About, Copyright, image viewer
extern const char* const kColorResources[];     // sky colours (class "Color")
extern const char* const kFontResources[];      // font sets and the symbol font (class "Name")
extern const char* const kMessageResources[];   // message texts, last in the list

// The whole list in its fixed order, ended by a null entry, in the form the
// toolkit takes as fallback resources. The lines themselves are never written.
// Returned: pointer to a list that lives for the whole run
char** FallbackResourceList();

// The value of the first line of the list that sets the resource `name` for
// the application, "UVola*name: value" or "UVola.name: value".
// Given:    name   resource name, e.g. "stkErrorSyntax"
// Returned: the value as written in the line (resource escapes such as \n
//           not yet decoded), or null when no line sets it
const char* FindFallbackResource(const char* name);
