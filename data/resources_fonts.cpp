// The font sets (class "Name") that draw the chart's labels, and the
// symbol font of the Greek letters in star designations. Each set's
// proportional fonts are followed by the 16-pixel charcell ones: only these
// exist for the Greek, Japanese, Korean and Chinese charsets that a UTF-8
// locale's sets also hold, so without them those charsets would be missing.
#include "data/fallback_resources.h"

const char* const kFontResources[] = {
    "UVola*StarNameFontset: -*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*StarMagFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*StarFlamsteedFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*StarBayerNumFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*ConstNameFontset: -*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*SolarNameFontset: -*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*SolarDateFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*SolarMagFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*SatelliteNameFontset: -*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*UserObjectNameFontset: -*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*DirNameFontset: -*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*StatusFontset: -*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*MoonAgeFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*NebulaNameFontset: -*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*NebulaMagFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*GridNumFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*ClickDataFontset: -*-courier-medium-r-normal--12-*-*-*-m-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*",
    "UVola*StarBayerFont: -*-symbol-medium-r-normal--12-*-*-*-p-*-*-*",
    nullptr,
};
