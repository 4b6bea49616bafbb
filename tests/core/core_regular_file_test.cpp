// Opening the files the program reads: only regular files, never blocking,
// and lines read by their length, whole or up to a bound.
#include <gtest/gtest.h>

#include "core/regular_file.h"
#include "tests/harness/test_files.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Path(const char* name)
{
    return TestHome() + "/" + name;
}

// Everything but a regular file opens as a missing one.
TEST(OpenRegularFile, OnlyRegularFilesOpen)
{
    WriteFile(Path("plain"), "text\n");
    symlink(Path("plain").c_str(), Path("link-to-plain").c_str());
    mkdir(Path("directory").c_str(), 0755);
    MakeSpecialFile(Path("fifo"), SpecialFile::kFifo);
    MakeSpecialFile(Path("zero"), SpecialFile::kZeroLink);
    symlink("/dev/null", Path("null").c_str());
    symlink(Path("nowhere").c_str(), Path("dangling").c_str());
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", Path("socket").c_str());
    bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address);

    const struct {
        const char* name;
        bool opens;
    } rows[] = {
        {"plain", true},      {"link-to-plain", true}, {"directory", false}, {"fifo", false},
        {"zero", false},      {"null", false},         {"dangling", false},  {"socket", false},
        {"missing", false},
    };
    for (const auto& row : rows) {
        const std::string path = Path(row.name);
        EXPECT_TRUE(FinishesWithin(2.0, [&] {
            return (OpenRegularFile(path.c_str()) != nullptr) == row.opens &&
                   IsReadableRegularFile(path.c_str()) == (row.opens ? 1 : 0);
        })) << row.name;
    }
    EXPECT_EQ(OpenRegularFile(""), nullptr);
    EXPECT_EQ(OpenRegularFile(nullptr), nullptr);
    close(listener);
}

TEST(OpenRegularFile, UnreadableFileDoesNotOpen)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    WriteFile(Path("secret"), "x\n");
    chmod(Path("secret").c_str(), 0);
    EXPECT_EQ(OpenRegularFile(Path("secret").c_str()), nullptr);
}

// Lines come whole however long, with NUL bytes as ordinary characters;
// the last line may lack its line feed.
TEST(ReadWholeLine, LinesByTheirLength)
{
    const std::string longLine(100000, 'l');
    const std::string text = std::string("a\0b\n\n", 5) + longLine + "\n" + std::string("\0\n", 2) + "end";
    WriteFile(Path("lines"), text);
    UniqueFile file = OpenRegularFile(Path("lines").c_str());
    ASSERT_NE(file, nullptr);
    std::vector<std::string> lines;
    std::string line;
    while (ReadWholeLine(file.get(), line)) {
        lines.push_back(line);
    }
    const std::vector<std::string> expected = {std::string("a\0b\n", 4), "\n", longLine + "\n",
                                               std::string("\0\n", 2), "end"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(line, "");
}

// At most the bound is kept of a line; the rest is passed over to the line
// feed and counted. A line of exactly the bound, with or without its line
// feed, is whole.
TEST(ReadBoundedLine, KeepsTheBoundAndCountsTheWholeLine)
{
    constexpr size_t kBound = 4;
    std::string text = std::string("a\0b\n", 4) + "\n" + "xxxxx\n" + std::string(200000, 'l') + "\n" + "tail";
    WriteFile(Path("bounded"), text);
    const struct {
        std::string kept;
        size_t length;
    } rows[] = {
        {std::string("a\0b\n", 4), 4}, {"\n", 1}, {"xxxx", 6}, {"llll", 200001}, {"tail", 4},
    };
    // A file, and the same bytes in memory as the click data hold them.
    UniqueFile streams[] = {OpenRegularFile(Path("bounded").c_str()), UniqueFile(fmemopen(text.data(), text.size(), "r"))};
    for (const UniqueFile& file : streams) {
        ASSERT_NE(file, nullptr);
        BoundedLine line;
        for (const auto& row : rows) {
            ASSERT_TRUE(ReadBoundedLine(file.get(), kBound, line)) << row.kept;
            EXPECT_EQ(line.text, row.kept);
            EXPECT_EQ(line.length, row.length) << row.kept;
        }
        EXPECT_FALSE(ReadBoundedLine(file.get(), kBound, line));
        EXPECT_EQ(line.length, 0u);
    }
}

// A sparse file: a line through a hole with data after it, and a last line
// that is a hole to the end of the file, are passed over whole.
TEST(ReadBoundedLine, PassesOverHoles)
{
    constexpr off_t kHole = off_t{1} << 20;
    const std::string path = Path("sparse");
    WriteFile(path, "ab");
    ASSERT_EQ(truncate(path.c_str(), 2 + kHole), 0);
    std::ofstream(path, std::ios::app) << "\nnext\n";
    ASSERT_EQ(truncate(path.c_str(), 2 + kHole + 6 + kHole), 0);
    UniqueFile file = OpenRegularFile(path.c_str());
    ASSERT_NE(file, nullptr);
    const struct {
        std::string kept;
        size_t length;
    } rows[] = {{"a", 2 + kHole + 1}, {"n", 5}, {std::string(1, '\0'), kHole}};
    BoundedLine line;
    for (const auto& row : rows) {
        ASSERT_TRUE(ReadBoundedLine(file.get(), 1, line)) << row.length;
        EXPECT_EQ(line.text, row.kept);
        EXPECT_EQ(line.length, row.length);
    }
    EXPECT_FALSE(ReadBoundedLine(file.get(), 1, line));
}

}  // namespace
