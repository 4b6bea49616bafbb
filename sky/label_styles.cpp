#include "sky/label_styles.h"

const std::array<LabelStyle, kLabelKindCount> LabelStyleTable = {{
    {kColorStarNameFont, kFontStarName},
    {kColorStarMagFont, kFontStarMag},
    {kColorStarFlamsteedFont, kFontStarFlamsteed},
    {kColorStarBayerNumFont, kFontStarBayerNum},
    {kColorConstNameFont, kFontConstName},
    {kColorSolarNameFont, kFontSolarName},
    {kColorSolarDateFont, kFontSolarDate},
    {kColorSolarMagFont, kFontSolarMag},
    {kColorSatelliteNameFont, kFontSatelliteName},
    {kColorUserObjectFont, kFontUserObjectName},
    {kColorDirection1Font, kFontDirName},
    {kColorStatusFont, kFontStatus},
    {kColorStatusFont, kFontMoonAge},
    {kColorNebulaNameFont, kFontNebulaName},
    {kColorNebulaMagFont, kFontNebulaMag},
    {kColorGridNumFont, kFontGridNum},
}};
