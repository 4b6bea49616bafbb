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

TEST(FormatCheck, SameConversionsInTheSameOrderAreAccepted)
{
    EXPECT_EQ(FormatMatchesDefault("%dh+%02d\260", kGridDefault), 1);
    EXPECT_EQ(FormatMatchesDefault("%d:%+3d deg", kGridDefault), 1);
    EXPECT_EQ(FormatMatchesDefault("%-3s %.3s %d, %+5i %d:%d", kDateDefault), 1);
    EXPECT_EQ(FormatMatchesDefault("%.1f%s %.1f%s %c%.0f %s", kSiteDefault), 1);
    EXPECT_EQ(FormatMatchesDefault("Field %#g deg (100%%)", kWidthDefault), 1);
    // Fewer conversions leave the rest of the values unused.
    EXPECT_EQ(FormatMatchesDefault("%dh", kGridDefault), 1);
    EXPECT_EQ(FormatMatchesDefault("no values", kWidthDefault), 1);
}

TEST(FormatCheck, ConversionsThatReadOtherValuesAreRefused)
{
    EXPECT_EQ(FormatMatchesDefault("%s", kGridDefault), 0);                  // a string from an int
    EXPECT_EQ(FormatMatchesDefault("%d", kWidthDefault), 0);                 // an int from a double
    EXPECT_EQ(FormatMatchesDefault("%f", kGridDefault), 0);                  // a double from an int
    EXPECT_EQ(FormatMatchesDefault("%d %d %d", kGridDefault), 0);            // one value too many
    EXPECT_EQ(FormatMatchesDefault("W:%.1f %s", kWidthDefault), 0);
    EXPECT_EQ(FormatMatchesDefault("%n%d", kGridDefault), 0);
    EXPECT_EQ(FormatMatchesDefault("%p", kWidthDefault), 0);
    EXPECT_EQ(FormatMatchesDefault("%ld", kGridDefault), 0);
    EXPECT_EQ(FormatMatchesDefault("%lf", kWidthDefault), 0);
    EXPECT_EQ(FormatMatchesDefault("%*d", kGridDefault), 0);
    EXPECT_EQ(FormatMatchesDefault("%.*f", kWidthDefault), 0);
    EXPECT_EQ(FormatMatchesDefault("%1$f", kWidthDefault), 0);
    EXPECT_EQ(FormatMatchesDefault("%999d", kGridDefault), 0);               // longer than any label
    EXPECT_EQ(FormatMatchesDefault("%.100f", kWidthDefault), 0);
    EXPECT_EQ(FormatMatchesDefault("%#d", kGridDefault), 0);                 // undefined for integers
    EXPECT_EQ(FormatMatchesDefault("abc %", kGridDefault), 0);               // a dangling percent
}

TEST(FormatCheck, AnUnusableDefaultAcceptsNothing)
{
    EXPECT_EQ(FormatMatchesDefault("%d", "%ld"), 0);
    EXPECT_EQ(FormatMatchesDefault("%d %d", "%dh"), 0);
}
