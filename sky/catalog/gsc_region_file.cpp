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

// The field copied into a terminated buffer, so that strtod stops at its
// end and never runs on into the next column.
double ReadDegrees(const char* row, int start, bool& ok)
{
    char text[kFieldWidth + 1];
    std::memcpy(text, row + start, kFieldWidth);
    text[kFieldWidth] = '\0';
    char* end = nullptr;
    double value = std::strtod(text, &end);
    ok = ok && end != text;
    return value;
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
    const char* m = row + kMagnitudeStart;
    if (!(IsDigit(m[0]) || m[0] == ' ') || !IsDigit(m[1]) || m[2] != '.' || !IsDigit(m[3]))
        return 0;
    star.mag10 = (m[0] == ' ' ? 0 : (m[0] - '0') * 100) + (m[1] - '0') * 10 + (m[3] - '0');
    bool ok = true;
    star.ra = ReadDegrees(row, kRaStart, ok);
    star.dec = ReadDegrees(row, kDecStart, ok);
    return ok;
}
