// What the Center pickers send: the LOOK (and for most kinds BLINK)
// command of the chosen object, or the warning that refuses the choice,
// made from the list position or the item's text without a widget. The
// pickers themselves are in dialogs/center_pickers.cpp.
#pragma once

#include "dialogs/kit/command_text.h"

#include <string>
#include <vector>

struct Scene;
struct UserObjectFile;

// A choice turned into what OK does.
struct CenterChoice {
    CommandText command;                 // no texts: OK does nothing
    const char* warningKey = nullptr;    // set: this warning instead, the picker stays up
};

// Byte-wise ascending order of two names (upper-case letters before
// lower-case ones, bytes of other scripts last): the order of the star and
// constellation lists.
bool CompareStarNames(const char* a, const char* b);
bool CompareConstNames(const char* a, const char* b);

// The display names of the 249 named stars and of the 88 constellations,
// sorted byte-wise.
std::vector<std::string> SortedStarNames();
std::vector<std::string> SortedConstellationNames();

// The planets of the planet picker's nine rows, Mercury to Pluto with the
// Earth third.
constexpr int kCenterPlanetCount = 9;
extern const int32_t kCenterPlanetIds[kCenterPlanetCount];

// A star by its display name: LOOK STAR "name" and BLINK "name".
CenterChoice CenterStarChoice(const std::string& name);

// A constellation by its display name: LOOK CONS "name".
CenterChoice CenterConstChoice(const std::string& name);

// A nebula by catalogue and number: LOOK NEBULA and BLINK NEBULA of the
// designation ("M31", "N224", "I434"), or "messageNoSuchANebula" when the
// catalogue has no such object (number 0 and negative ones included).
// Given:    catalogue  0 Messier, 1 NGC, 2 IC
//           number     the number field's number (GetTextFieldInt)
CenterChoice CenterNebulaChoice(int catalogue, int32_t number);

// A planet by its 1-based row: LOOK and BLINK of its keyword. The Earth is
// refused with "messageCenterEarthOnNonSol" outside the solar-system views.
CenterChoice CenterPlanetChoice(const Scene& scene, int position);

// A Jovian satellite by its 1-based row: LOOK and BLINK of its keyword;
// nothing in the solar-system views, where the satellites are not drawn.
CenterChoice CenterJoviSatChoice(const Scene& scene, int position);

// The names of the named records of user-object or sky-mark files, file by
// file in load order, each file's records in file order: the items of the
// user-object and sky-mark pickers.
std::vector<std::string> NamedUserObjects(const UserObjectFile* files, int32_t count);

// The user-object picker's items: the Scene's named user objects while
// they are shown (SHOW AD), else none.
std::vector<std::string> FillCenterUserObjectList(const Scene& scene);

// The sky-mark picker's items: the named sky marks of the file loaded at
// start-up.
std::vector<std::string> FillCenterSkyMarkList();

// A user object by its name: LOOK AD "name".
CenterChoice CenterUserObjectChoice(const std::string& name);

// A sky mark by its name: LOOK SKYMARK "name".
CenterChoice CenterSkyMarkChoice(const std::string& name);

// The 1-based position-th loaded comet or minor planet: LOOK and BLINK of
// "COMETk" or "MINORPLANETk".
// Given:    word  "COMET" or "MINORPLANET"
CenterChoice CenterSmallBodyChoice(const char* word, int position);
