// The font sets (class "Name") that draw the chart's labels, and the
// symbol font of the Greek letters in star designations.
#include "data/fallback_resources.h"

const char* const kFontResources[] = {
    "UVola*StarNameFontset: -*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1",
    "UVola*StarMagFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1",
    "UVola*StarFlamsteedFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1",
    "UVola*StarBayerNumFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1",
    "UVola*ConstNameFontset: -*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1",
    "UVola*SolarNameFontset: -*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1",
    "UVola*SolarDateFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1",
    "UVola*SolarMagFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1",
    "UVola*SatelliteNameFontset: -*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1",
    "UVola*UserObjectNameFontset: -*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1",
    "UVola*DirNameFontset: -*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1",
    "UVola*StatusFontset: -*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1",
    "UVola*MoonAgeFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1",
    "UVola*NebulaNameFontset: -*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1",
    "UVola*NebulaMagFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1",
    "UVola*GridNumFontset: -*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1",
    "UVola*ClickDataFontset: -*-courier-medium-r-normal--12-*-*-*-m-*-iso8859-1",
    "UVola*StarBayerFont: -*-symbol-medium-r-normal--12-*-*-*-p-*-*-*",
    nullptr,
};
