// Region-file rows of the Guide Star Catalog.
#include "sky/catalog/gsc_region_file.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr int kRaStart = 5, kDecStart = 14, kFieldWidth = 9;
constexpr int kMagnitudeStart = 28;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The field as the catalogue writes it, blanks, sign, digits, point,
// digits, read without strtod, which costs more than the rest of a row.
// Returned: false when the field has another form
bool ReadPlainDecimal(const char* p, const char* end, double& value)
{
    while (p < end && *p == ' ')
        ++p;
    bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+'))
        ++p;
    int64_t mantissa = 0;
    int digits = 0, decimals = -1;
    for (; p < end && (IsDigit(*p) || (*p == '.' && decimals < 0)); ++p) {
        if (*p == '.') {
            decimals = 0;
            continue;
        }
        mantissa = mantissa * 10 + (*p - '0');
        ++digits;
        decimals += decimals >= 0;
    }
    if (digits == 0 || p != end)
        return false;
    static const double kPowers[] = {1.0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    value = static_cast<double>(negative ? -mantissa : mantissa) / kPowers[decimals < 0 ? 0 : decimals];
    return true;
}

// Any other form goes to strtod, from a terminated copy of the field so
// that it stops at the field's end and never runs on into the next column;
// a field without a number reads as 0.
double ReadDegrees(const char* row, int start)
{
    double value = 0.0;
    if (ReadPlainDecimal(row + start, row + start + kFieldWidth, value))
        return value;
    char text[kFieldWidth + 1];
    std::memcpy(text, row + start, kFieldWidth);
    text[kFieldWidth] = '\0';
    return std::strtod(text, nullptr);
}

}  // namespace

int SeekGscTable(FILE* file)
{
    struct stat status;
    if (fstat(fileno(file), &status) != 0 || status.st_size < kGscTableStart)
        return 0;
    return std::fseek(file, kGscTableStart, SEEK_SET) == 0;
}

int ReadGscRows(FILE* file, char (&rows)[kGscRowsPerRead * kGscRowSize])
{
    return static_cast<int>(std::fread(rows, kGscRowSize, kGscRowsPerRead, file));
}

int ParseGscRow(const char* row, GscStar& star)
{
    if (row[0] == ' ')
        return 0;
    // The magnitude's two digits and its tenth, without the point between.
    const char* m = row + kMagnitudeStart;
    const char digits[] = {m[0], m[1], m[3], '\0'};
    star.mag10 = static_cast<int32_t>(std::strtol(digits, nullptr, 10));
    star.ra = ReadDegrees(row, kRaStart);
    star.dec = ReadDegrees(row, kDecStart);
    return 1;
}
