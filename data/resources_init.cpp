// The application resources of class "Init": where the data files are, the
// date style, the command history length, the number of BLINK flashes and
// the initial site. They come first in the fallback list. UserObjectFilePath
// has no line here; its compiled-in default applies.
#include "data/fallback_resources.h"

const char* const kInitResources[] = {
    "UVola*CometFile: /usr/local/share/uvola/comet.elm",
    "UVola*MPlanetFile: /usr/local/share/uvola/mp.elm",
    "UVola*ConstDataFile: /usr/local/share/uvola/consname.dat",
    "UVola*StarNameDataFile: /usr/local/share/uvola/starname.dat",
    "UVola*SiteFile: /usr/local/share/uvola/uvola.obs",
    "UVola*DateStyle: English",
    "UVola*SaoFile: /usr/local/share/uvola/uvola.sao",
    "UVola*GscPath: /cdrom",
    "UVola*GscIndexFile: /usr/local/share/uvola/uvola.gsc",
    "UVola*SkyMarkFile: /usr/local/share/uvola/skymark.adf",
    "UVola*StlFileIoPath: ~",
    "UVola*SaveImagePath: ~",
    "UVola*ClickDataFile: /usr/local/share/uvola/uvola.cdf",
    "UVola*ClickImagePath: /usr/local/share/uvola/image/",
    "UVola*SaveHistory: 10",
    "UVola*BlinkTime: 5",
    "UVola*Site: Greenwich (United Kingdom)",
    nullptr,
};
