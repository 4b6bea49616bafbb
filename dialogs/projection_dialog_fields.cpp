#include "dialogs/projection_dialog_fields.h"

#include "core/keywords.h"
#include "core/view_modes.h"
#include "dialogs/kit/command_text.h"

namespace {

// The view mode of each pair; 0 where a projection has no such frame.
constexpr int32_t kProjectionPairs[kMajorModeCount][kMinorModeCount] = {
    {kModeHrz, kModeEqt, kModeEcl, kModeGal},
    {0, kModeAll1Eqt, kModeAll1Ecl, kModeAll1Gal},
    {0, kModeAll2Eqt, kModeAll2Ecl, kModeAll2Gal},
    {0, kModeSol1, kModeSol2, kModeSol3},
    {kModeVola, 0, 0, 0},
};

}  // namespace

void ModeToProjectionRadio(int32_t mode, int& major, int& minor)
{
    for (int i = 0; i < kMajorModeCount; ++i) {
        for (int j = 0; j < kMinorModeCount; ++j) {
            if (mode != 0 && kProjectionPairs[i][j] == mode) {
                major = i;
                minor = j;
                return;
            }
        }
    }
    major = -1;
    minor = -1;
}

int32_t ProjectionMode(int major, int minor)
{
    if (major < 0 || major >= kMajorModeCount || minor < 0 || minor >= kMinorModeCount) {
        return 0;
    }
    return kProjectionPairs[major][minor];
}

bool IsMinorModeOffered(int major, int minor)
{
    return ProjectionMode(major, minor) != 0;
}

int MinorModeAfterMajorChange(int major, int minor)
{
    switch (major) {
    case kMajorVola: return kMinorHrz;
    case kMajorAll1:
    case kMajorAll2:
    case kMajorSol: return minor <= kMinorHrz ? kMinorEqt : minor;
    case kMajorGeneral: return minor < 0 ? kMinorHrz : minor;
    default: return minor;
    }
}

int ComposeProjectionCommand(int major, int minor, CommandText& command)
{
    const char* keyword = StkKeywordName(ModeKeywordTable, ProjectionMode(major, minor));
    if (keyword == nullptr) {
        return 0;
    }
    AddText(command, "MODE %s", keyword);
    // One text: the new mode is drawn by the same call that sets it.
    AddStatement(command, " DRIVE");
    return 1;
}
