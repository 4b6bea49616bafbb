// Fuzzes what dialogs make of typed text: the arrow step, the list search,
// the command composer, the magnitude fields and the star dialog's limit
// at OK, the window geometry, the file names of the file dialogs, and the
// date, lock and time-step rows. Any input must leave the promises of
// dialogs/ kept: an arrow never leaves its limits, a limit field sends its
// leading number in range, an accepted command holds one statement per
// piece, within the interpreter's limit, with the name whole inside its
// quotes, an accepted geometry is a size the window can take, and an
// accepted date exists.
#include "astro/calendar.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "dialogs/date_dialog_fields.h"
#include "dialogs/environment_dialog_fields.h"
#include "dialogs/file_dialogs_fields.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/file_box_directory.h"
#include "dialogs/kit/list_match.h"
#include "core/string_utils.h"
#include "dialogs/kit/number_text.h"
#include "dialogs/star_dialog_fields.h"
#include "dialogs/time_step_dialog_fields.h"
#include "tests/dialogs/typed_fields.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const FieldRow kMagnitude{"MagLimit", -2.0, 10.0, 0.1, 1};
const FieldRow kYear{"Year", -999, 9999, 1, 0};

void Require(bool promise)
{
    if (!promise) {
        __builtin_trap();
    }
}

void CheckNumbers(const char* text)
{
    for (const FieldRow* row : {&kMagnitude, &kYear}) {
        for (int direction : {1, -1}) {
            const double number = row->decimals <= 0 ? TextIntValue(text) : TextDoubleValue(text);
            const std::string stepped = StepNumberText(*row, number, direction);
            const double value = std::strtod(stepped.c_str(), nullptr);
            Require(std::isfinite(value) && value >= row->minimum && value <= row->maximum);
        }
    }
}

void CheckCommand(const char* text)
{
    CommandText command;
    AddText(command, "ECHO \"%s\"", CheckedName(command, "ECHO", text));
    if (IsCommandRefused(command) != 0) {
        return;
    }
    const std::string& statement = command.texts.at(0);
    Require(statement.size() <= static_cast<size_t>(kMaxStatementLength));
    Require(statement.find_first_of(";\r\n") == std::string::npos);
    Require(statement == std::string("ECHO \"") + text + "\"");
    Require(std::strchr(text, '"') == nullptr);
}

void CheckGeometry(const std::string& text)
{
    std::string width;
    std::string height;
    if (GeometryFields(text, width, height) == 0) {
        return;
    }
    std::string geometry;
    if (ComposeGeometry(width, height, geometry) != 0 && !geometry.empty()) {
        unsigned w = 0;
        unsigned h = 0;
        char after = '\0';
        Require(std::sscanf(geometry.c_str(), "%ux%u%c", &w, &h, &after) == 2);
        Require(geometry.size() < sizeof(AppEnv::geometryOption));
    }
}

void CheckFileName(const std::string& text)
{
    Require(std::isfinite(TextDoubleValue(text.c_str())));
    CommandText open;
    ComposeOpenScript(text.c_str(), open);
    if (IsCommandRefused(open) == 0) {
        Require(open.texts.at(0) == "STL \"" + text + "\"");
        Require(open.texts.at(0).size() <= static_cast<size_t>(kMaxStatementLength));
    }
    const std::string remembered = RememberedDirectory(text, "previous");
    Require(remembered == "previous" || remembered == "/" || text.compare(0, remembered.size(), remembered) == 0);
}

// A magnitude field at OK: whatever the text, its leading number (no
// number 0) is sent, kept within the catalogue's range, and nothing is
// refused.
void CheckMagnitudeField(const std::string& text)
{
    StarDialogValues values;
    values.toggles.assign(kStarToggleCount, 1);
    values.starLimit = TextDoubleValue(text.c_str());
    values.labelLimit = 5.0;
    values.catalog = kCatalogGsc;
    CommandText catalogue;
    CommandText display;
    ComposeStarCommands(values, catalogue, display);
    Require(IsCommandRefused(display) == 0 && IsCommandRefused(catalogue) == 0);
    double sent = 0.0;
    const size_t at = display.texts.at(0).find("MAG STAR ");
    Require(at != std::string::npos && std::sscanf(display.texts[0].c_str() + at, "MAG STAR %lf", &sent) == 1);
    Require(sent >= -2.0 && sent <= StarCatalogCap(kCatalogGsc));
}

void CheckSearch(const std::string& text)
{
    std::vector<std::string> names;
    size_t begin = 0;
    for (size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
        names.push_back(text.substr(begin, end - begin));
    }
    const int found = FindNextMatch(names, 1, static_cast<int>(text.size()), "a");
    Require(found >= -1 && found < static_cast<int>(names.size()));
}

// The date and time-step rows and the lock minutes read the text's leading
// number: an accepted DATE is a date that exists, accepted lock minutes
// lie in 0..90, and an accepted step is one PERIOD statement.
void CheckDateAndStepFields(const std::string& text)
{
    for (int field = 0; field < kDateFieldCount; ++field) {
        std::array<std::string, kDateFieldCount> date = {"2026", "12", "5", "18", "30"};
        date[static_cast<size_t>(field)] = text;
        std::string sent;
        if (ComposeDateText(typedfields::Numbers(date), 9.0, sent) == nullptr) {
            DateTime read{};
            Require(std::sscanf(sent.c_str(), "DATE %d,%d,%d,%d,%d,", &read.year, &read.month,
                                &read.day, &read.hour, &read.minute) == 5);
            Require(IsValidDate(read) != 0);
        }
    }
    std::string stime;
    if (ComposeStimeText(typedfields::Lock(true, false, text), stime) == nullptr) {
        int minutes = -1;
        Require(std::sscanf(stime.c_str(), "STIME SUNRISE +%dMIN", &minutes) == 1);
        Require(minutes >= 0 && minutes <= 90);
    }
    const std::array<std::string, kTimeStepFieldCount> rows = {text, "0", "0", "0", text};
    TimeStepValues step;
    step.step = typedfields::Numbers(rows);
    CommandText command;
    if (ComposeTimeStepCommand(step, command) == nullptr) {
        Require(command.texts.size() == 2 && command.texts[1].compare(0, 7, "PERIOD ") == 0);
        Require(command.texts[1].find_first_of(";\r\n") == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Field text is a C string: it ends at the first NUL.
    const std::string text(std::string(reinterpret_cast<const char*>(data), size).c_str());
    CheckNumbers(text.c_str());
    CheckCommand(text.c_str());
    CheckSearch(text);
    CheckGeometry(text);
    CheckFileName(text);
    CheckMagnitudeField(text);
    CheckDateAndStepFields(text);
    return 0;
}
