#include "command/argument_keywords.h"

#include "sky/layers/star_layer.h"
#include "sky/ui_hooks.h"

const KeywordEntry ViewKeywordTable[] = {
    {"ANGLE", kViewAngle},
    {"SOL", kViewSol},
    {"CENTER", kViewCenter},
    {nullptr, 0},
};

const KeywordEntry ZoomKeywordTable[] = {
    {"UP", 'U'},
    {"DOWN", 'D'},
    {nullptr, 0},
};

const KeywordEntry OffKeywordTable[] = {
    {"OFF", 0},
    {nullptr, 0},
};

const KeywordEntry StarDataKeywordTable[] = {
    {"SAO", kSaoStarsFlag},
    {"GSC", kGscStarsFlag},
    {nullptr, 0},
};

const KeywordEntry MagnitudeKeywordTable[] = {
    {"STAR", kMagStar},
    {"STARNAME", kMagStarname},
    {"NEBULAMIN", kMagNebulaMin},
    {"NEBULAMAX", kMagNebulaMax},
    {"NEBULALIMIT", kMagNebulaLimit},
    {nullptr, 0},
};

const KeywordEntry MagnitudeStepKeywordTable[] = {
    {"STAR", kMagStar},
    {"STARNAME", kMagStarname},
    {"NEBULAMIN", kMagNebulaMin},
    {"NEBULAMAX", kMagNebulaMax},
    {nullptr, 0},
};

const KeywordEntry DateKeywordTable[] = {
    {"NOW", 0},
    {nullptr, 0},
};

const KeywordEntry SunEventKeywordTable[] = {
    {"SUNRISE", 1},
    {"SUNSET", 2},
    {"NONE", 0},
    {nullptr, 0},
};

const KeywordEntry SunLockUnitKeywordTable[] = {
    {"DEG", kLockInDegrees},
    {"MIN", kLockInMinutes},
    {nullptr, 0},
};

const KeywordEntry InputKeywordTable[] = {
    {"DATE", kInputDate},
    {"PERIOD", kInputPeriod},
    {"LOCATE", kInputLocate},
    {"OPENFILE", kInputOpenFile},
    {"SAVEFILE", kInputSaveFile},
    {nullptr, 0},
};

const KeywordEntry RunClockKeywordTable[] = {
    {"REALTIME1", 1},
    {"REALTIME2", 2},
    {nullptr, 0},
};
