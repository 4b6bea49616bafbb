// The test environment itself: a private X server and a private home.
// gtest comes before Xlib, whose None and Bool macros break its templates.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <pwd.h>
#include <unistd.h>
#include <cstdlib>
#include <string>

TEST(Harness, OpensItsOwnDisplay)
{
    const char* name = std::getenv("DISPLAY");
    ASSERT_NE(name, nullptr);
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    EXPECT_GT(DisplayWidth(display, DefaultScreen(display)), 0);
    XCloseDisplay(display);
}

TEST(Harness, UserDatabaseGivesPrivateHome)
{
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    const char* expected = std::getenv("UVOLA_TEST_HOME");
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(std::string(entry->pw_dir), expected);
    EXPECT_NE(std::string(entry->pw_dir), std::getenv("HOME"));
}
