#include "mainwin/command_line.h"

#include "core/app_env.h"
#include "core/regular_file.h"
#include "core/string_utils.h"

#include <cstdio>
#include <cstring>

namespace {

char startupFileName[kPathSize];

bool IsWord(const char* arg, const char* shortForm, const char* longForm)
{
    return std::strcmp(arg, shortForm) == 0 || std::strcmp(arg, longForm) == 0;
}

// A script file name becomes one quoted argument of STL: it must be a
// readable file (a FIFO would hold the start-up), fit, and hold no quote or
// line end that would end that argument early.
bool UsableScriptName(const char* name)
{
    return std::strlen(name) < sizeof startupFileName && std::strpbrk(name, "\"\r\n") == nullptr &&
           IsReadableRegularFile(name) != 0;
}

}  // namespace

void PrintUsage()
{
    std::fprintf(stderr,
                 "Usage: %s [toolkit options] [-i] [--install-colormap]\n"
                 "             [-q] [--clean-start] [--lang=<locale>] [-l=<locale>]\n"
                 "             [<filename>]\n",
                 "uvola");
    std::fprintf(stderr, "       %s --version\n", "uvola");
}

int ParseCommandLine(int argc, char** argv)
{
    startupFileName[0] = '\0';
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (IsWord(arg, "-V", "--version")) {
            std::printf("Uvola Version %s\n", kUvolaVersion);
            return 0;
        }
        if (IsWord(arg, "-i", "--install-colormap")) {
            gAppEnv->installColormap = 1;
        } else if (IsWord(arg, "-q", "--clean-start")) {
            gAppEnv->runStartupScript = 0;
        } else if (StartsWith(arg, "--lang=") || StartsWith(arg, "-l=")) {
            // The locale was chosen from it before the toolkit started.
        } else if (arg[0] == '-' || i != argc - 1) {
            PrintUsage();
            return 0;
        } else if (!UsableScriptName(arg)) {
            std::fprintf(stderr, "%s: can't open file %s\n", "uvola", arg);
            return 0;
        } else {
            std::snprintf(startupFileName, sizeof startupFileName, "%s", arg);
        }
    }
    return 1;
}

const char* StartupFileName()
{
    return startupFileName;
}
