#include "dialogs/site_dialog_fields.h"

#include "dialogs/site_file.h"
#include "sky/catalog/site_list.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char kNewSiteLine[] = "                                           0.000E  0.000N    0 +00.00";

namespace {

constexpr int kZoneHoursColumn = kSiteZoneColumn + 1;   // after the sign
constexpr int kZoneHoursWidth = 5;

constexpr int kMostLongitude = 180;    // degrees
constexpr int kMostLatitude = 90;      // degrees
constexpr int kMostMinutes = 59;
constexpr int kLeastAltitude = -999;   // metres: what four columns hold
constexpr int kMostAltitude = 9999;
constexpr double kMostZone = 14.0;     // hours
// Angles no int holds ("1e300" in a hand-edited line) are shown as no
// angle at all.
constexpr double kMostShownAngle = 2147483647.0;

// The line without its line end, blank-padded to at least the record's
// width, so that every column can be read.
std::string PaddedColumns(const std::string& line)
{
    std::string text = line.substr(0, line.find('\n'));
    if (!text.empty() && text.back() == '\r') {
        text.pop_back();
    }
    if (text.size() < static_cast<size_t>(kSiteRecordLength)) {
        text.resize(kSiteRecordLength, ' ');
    }
    return text;
}

void ShowAngle(const char* field, std::string& degrees, std::string& minutes)
{
    const double value = std::strtod(field, nullptr);
    if (!std::isfinite(value) || std::fabs(value) >= kMostShownAngle) {
        return;
    }
    const double whole = std::trunc(value);
    degrees = std::to_string(static_cast<int>(whole));
    minutes = std::to_string(static_cast<int>(std::floor((value - whole) * 60.0 + 0.5)));
}

// What a text field can show of a text: it ends at a NUL byte.
std::string FieldText(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

// As the reader takes them: either case.
bool IsSide(char column, char side)
{
    return column == side || column == side + ('a' - 'A');
}

std::string NameOf(const std::string& typed)
{
    const size_t start = typed.find_first_not_of(" \t");
    return start == std::string::npos ? "" : typed.substr(start, kSiteNameWidth);
}

std::string Padded(const std::string& name)
{
    char padded[kSiteNameWidth + 1];
    std::snprintf(padded, sizeof padded, "%-*.*s", kSiteNameWidth, kSiteNameWidth, name.c_str());
    return padded;
}

bool IsDuplicate(const std::string& padded, const std::vector<std::string>& names,
                 int editedIndex)
{
    for (size_t i = 0; i < names.size(); ++i) {
        if (static_cast<int>(i) != editedIndex && Padded(names[i]) == padded) {
            return true;
        }
    }
    return false;
}

// Writes text into the line at a column, without its terminator.
void Put(std::string& line, int column, const char* text, size_t width)
{
    line.replace(static_cast<size_t>(column), width, text, width);
}

// Degrees and minutes into "%Nf" and the side letter at the columns.
// Returned: null, or the message key of the failed check
const char* PutAngle(std::string& line, int degrees, int minutes, int most,
                     const char* const keys[3], int column, const char* format, char side)
{
    if (degrees < 0 || degrees > most) {
        return keys[0];
    }
    if (minutes < 0 || minutes > kMostMinutes) {
        return keys[1];
    }
    const double value = degrees + minutes / 60.0;
    if (value > most) {
        return keys[2];
    }
    char text[16];
    const int width = std::snprintf(text, sizeof text, format, value, side);
    Put(line, column, text, static_cast<size_t>(width));
    return nullptr;
}

const char* const kLongitudeKeys[3] = {"messageInvalidSiteLongDeg", "messageInvalidSiteLongMin",
                                       "messageInvalidSiteLong"};
const char* const kLatitudeKeys[3] = {"messageInvalidSiteLatiDeg", "messageInvalidSiteLatiMin",
                                      "messageInvalidSiteLati"};

const char* PutNumbers(const SiteEditValues& values, std::string& line)
{
    const char* refusal = PutAngle(line, values.longDeg, values.longMin, kMostLongitude,
                                   kLongitudeKeys, kSiteLongitudeColumn, "%7.3f%c",
                                   values.west ? 'W' : 'E');
    if (refusal == nullptr) {
        refusal = PutAngle(line, values.latiDeg, values.latiMin, kMostLatitude, kLatitudeKeys,
                           kSiteLatitudeColumn, "%6.3f%c", values.south ? 'S' : 'N');
    }
    if (refusal != nullptr) {
        return refusal;
    }
    const int altitude = values.altitude;
    if (altitude < kLeastAltitude || altitude > kMostAltitude) {
        return "messageInvalidSiteAlti";
    }
    char text[16];
    std::snprintf(text, sizeof text, "%4d", altitude);
    Put(line, kSiteAltitudeColumn, text, 4);
    // The sign is the choice's: a negative number here would put two signs
    // in the column, which the reader cannot take.
    const double hours = values.zoneHours;
    if (!(hours >= 0.0 && hours <= kMostZone)) {
        return "messageInvalidSiteTz";
    }
    std::snprintf(text, sizeof text, "%c%05.2f", values.zoneMinus ? '-' : '+', std::fabs(hours));
    Put(line, kSiteZoneColumn, text, 6);
    return nullptr;
}

}  // namespace

SiteEditFields SiteFieldsOfLine(const std::string& line)
{
    const std::string columns = PaddedColumns(line);
    char split[kSiteRecordLength];
    SplitSiteRecord(columns.c_str(), split);
    SiteEditFields fields;
    fields.name = FieldText(SiteLineName(columns));
    ShowAngle(split + kSiteLongitudeColumn, fields.longDeg, fields.longMin);
    fields.west = IsSide(columns[kSiteLongitudeSideColumn], 'W');
    ShowAngle(split + kSiteLatitudeColumn, fields.latiDeg, fields.latiMin);
    fields.south = IsSide(columns[kSiteLatitudeSideColumn], 'S');
    fields.altitude = std::to_string(std::strtol(split + kSiteAltitudeColumn, nullptr, 10));
    fields.zoneHours = FieldText(columns.substr(kZoneHoursColumn, kZoneHoursWidth));
    fields.zoneMinus = columns[kSiteZoneColumn] == '-';
    return fields;
}

const char* MakeSiteLine(const SiteEditValues& values, const std::vector<std::string>& names,
                         int editedIndex, std::string& line, CommandText& command)
{
    // A quoted argument that starts with a blank counts as omitted, so a
    // name kept with its leading blanks could never be located.
    const std::string name = NameOf(values.name);
    if (name.empty()) {
        return "messageMustSpecSiteName";
    }
    CheckedName(command, "LOCATE", name.c_str());
    if (IsCommandRefused(command) != 0) {
        return "";
    }
    std::string made(kSiteRecordLength, ' ');
    made += '\n';
    Put(made, 0, name.c_str(), name.size());
    if (IsDuplicate(made.substr(0, kSiteNameWidth), names, editedIndex)) {
        return "messageSiteAlreadyExist";
    }
    const char* refusal = PutNumbers(values, made);
    if (refusal != nullptr) {
        return refusal;
    }
    line = made;
    return nullptr;
}

void ComposeLocateCommand(const char* name, const ObserverLocation& location, double zone,
                          CommandText& command)
{
    AddText(command, "LOCATE %.5f%c,%.5f%c,%.2f,%.2f,\"%s\"", std::fabs(location.longitude),
            location.longitude < 0.0 ? 'W' : 'E', std::fabs(location.latitude),
            location.latitude < 0.0 ? 'S' : 'N', zone, location.height,
            CheckedName(command, "LOCATE", name));
    AddStatement(command, "DRIVE");
}

bool IsDefaultSiteLine(const std::string& line, const char* siteName)
{
    return PaddedColumns(line).substr(0, kSiteNameWidth) ==
           Padded(siteName != nullptr ? siteName : "");
}
