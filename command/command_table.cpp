#include "command/command_table.h"

#include "command/command_handlers.h"

#include "core/string_utils.h"

namespace {
constexpr int32_t kClearsCentring = 0;
constexpr int32_t kKeepsCentring = 1;
}  // namespace

// Lookup is linear, so the order only matters for speed: the frequent
// commands come first.
const CommandEntry CommandTable[] = {
    MakeCommandEntry("INIT", CmdInit, kClearsCentring),
    MakeCommandEntry("DRIVE", CmdDrive, kKeepsCentring),
    MakeCommandEntry("MODE", CmdMode, kClearsCentring),
    MakeCommandEntry("LOCATE", CmdLocate, kClearsCentring),
    MakeCommandEntry("DATE", CmdDate, kKeepsCentring),
    MakeCommandEntry("STIME", CmdStime, kKeepsCentring),
    MakeCommandEntry("INCTIME", CmdInctime, kKeepsCentring),
    MakeCommandEntry("DECTIME", CmdDectime, kKeepsCentring),
    MakeCommandEntry("PERIOD", CmdPeriod, kKeepsCentring),
    MakeCommandEntry("TIMESYS", CmdTimesys, kKeepsCentring),
    MakeCommandEntry("CONTINUE", CmdContinue, kKeepsCentring),
    MakeCommandEntry("REVERSE", CmdReverse, kKeepsCentring),
    MakeCommandEntry("REALTIME", CmdRealtime, kKeepsCentring),
    MakeCommandEntry("MAG", CmdMag, kKeepsCentring),
    MakeCommandEntry("INCMAG", CmdIncmag, kKeepsCentring),
    MakeCommandEntry("DECMAG", CmdDecmag, kKeepsCentring),
    MakeCommandEntry("STARSIZE", CmdStarsize, kKeepsCentring),
    MakeCommandEntry("STARDATA", CmdStardata, kKeepsCentring),
    MakeCommandEntry("MIRROR", CmdMirror, kKeepsCentring),
    MakeCommandEntry("VIEW", CmdView, kClearsCentring),
    MakeCommandEntry("ZOOM", CmdZoom, kClearsCentring),
    MakeCommandEntry("LOOK", CmdLook, kClearsCentring),
    MakeCommandEntry("TRACK", CmdTrack, kClearsCentring),
    MakeCommandEntry("BLINK", CmdBlink, kKeepsCentring),
    MakeCommandEntry("SOL_OFFSET", CmdSolOffset, kClearsCentring),
    MakeCommandEntry("SHOW", CmdShow, kKeepsCentring),
    MakeCommandEntry("HIDE", CmdHide, kKeepsCentring),
    MakeCommandEntry("TOGGLE", CmdToggle, kKeepsCentring),
    MakeCommandEntry("GRID", CmdGrid, kKeepsCentring),
    MakeCommandEntry("LOAD", CmdLoad, kKeepsCentring),
    MakeCommandEntry("UNLOAD", CmdUnload, kKeepsCentring),
    MakeCommandEntry("INPUT", CmdInput, kKeepsCentring),
    MakeCommandEntry("STL", CmdStl, kClearsCentring),
    MakeCommandEntry("REAL", CmdReal, kKeepsCentring),
    MakeCommandEntry("OUTLINE", CmdOutline, kKeepsCentring),
    MakeCommandEntry("DISK", CmdDisk, kKeepsCentring),
    MakeCommandEntry("DISK_MAG", CmdDiskMag, kKeepsCentring),
    MakeCommandEntry("GSAVE", CmdGsave, kKeepsCentring),
    MakeCommandEntry("EXIT", CmdExit, kClearsCentring),
    {nullptr, {}, 0, 0},
};

const CommandEntry* StkFindCommand(const CommandEntry* table, const char* word)
{
    if (word == nullptr) {
        return nullptr;
    }
    for (const CommandEntry* entry = table; entry->word != nullptr; ++entry) {
        if (AsciiCaseEqual(entry->word, word)) {
            return entry;
        }
    }
    return nullptr;
}

void StkCallHandler(const CommandEntry& entry, Scene& scene, char* const* a)
{
    const CommandHandler& h = entry.handler;
    switch (entry.argumentCount) {
    case 0: h.take0(scene); break;
    case 1: h.take1(scene, a[0]); break;
    case 2: h.take2(scene, a[0], a[1]); break;
    case 3: h.take3(scene, a[0], a[1], a[2]); break;
    case 4: h.take4(scene, a[0], a[1], a[2], a[3]); break;
    case 5: h.take5(scene, a[0], a[1], a[2], a[3], a[4]); break;
    case 6: h.take6(scene, a[0], a[1], a[2], a[3], a[4], a[5]); break;
    case 7: h.take7(scene, a[0], a[1], a[2], a[3], a[4], a[5], a[6]); break;
    case kTakesArgumentArray: h.takeArray(scene, a); break;
    default: break;
    }
}
