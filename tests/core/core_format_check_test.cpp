// Formats from resources: only those that read what the program passes are
// used, so a translated text can never make printf read a wrong argument.
#include <gtest/gtest.h>

#include "core/format_check.h"

namespace {
constexpr const char* kGridDefault = "%dh+%02d\260";
constexpr const char* kDateDefault = "%s %s %2d, %4d %02d:%02d";
constexpr const char* kSiteDefault = "%.2f\260%s %.2f\260%s (%c%.1fh)  %s";
constexpr const char* kWidthDefault = "W:%.1f\260";
}  // namespace

struct FormatCase {
    const char* format;
    const char* byDefault;
};

TEST(FormatCheck, SameConversionsInTheSameOrderAreAccepted)
{
    for (const FormatCase& row : {
             FormatCase{"%dh+%02d\260", kGridDefault},
             FormatCase{"%d:%+3d deg", kGridDefault},
             FormatCase{"%-3s %.3s %d, %+5i %d:%d", kDateDefault},
             FormatCase{"%.1f%s %.1f%s %c%.0f %s", kSiteDefault},
             FormatCase{"Field %#g deg (100%%)", kWidthDefault},
             // Fewer conversions leave the rest of the values unused.
             FormatCase{"%dh", kGridDefault},
             FormatCase{"no values", kWidthDefault},
         }) {
        EXPECT_EQ(FormatMatchesDefault(row.format, row.byDefault), 1) << row.format;
    }
}

TEST(FormatCheck, ConversionsThatReadOtherValuesAreRefused)
{
    for (const FormatCase& row : {
             FormatCase{"%s", kGridDefault},         // a string from an int
             FormatCase{"%d", kWidthDefault},        // an int from a double
             FormatCase{"%f", kGridDefault},         // a double from an int
             FormatCase{"%d %d %d", kGridDefault},   // one value too many
             FormatCase{"W:%.1f %s", kWidthDefault},
             FormatCase{"%n%d", kGridDefault},
             FormatCase{"%p", kWidthDefault},
             FormatCase{"%ld", kGridDefault},
             FormatCase{"%lf", kWidthDefault},
             FormatCase{"%*d", kGridDefault},
             FormatCase{"%.*f", kWidthDefault},
             FormatCase{"%1$f", kWidthDefault},
             FormatCase{"%999d", kGridDefault},      // longer than any label
             FormatCase{"%.100f", kWidthDefault},
             FormatCase{"%#d", kGridDefault},        // undefined for integers
             FormatCase{"abc %", kGridDefault},      // a dangling percent
             // An unusable default accepts nothing.
             FormatCase{"%d", "%ld"},
             FormatCase{"%d %d", "%dh"},
         }) {
        EXPECT_EQ(FormatMatchesDefault(row.format, row.byDefault), 0) << row.format << " for " << row.byDefault;
    }
}
