// The replacement writer: a file replaced whole even while another process
// replaces it too, names up to the file system's limit, and the temporaries
// of killed writers cleared while those of live ones stay.
#include <gtest/gtest.h>

#include "core/replacement_file.h"
#include "tests/harness/test_files.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A file whose every cut shows: its writer's letter at both ends.
std::string Whole(char writer, size_t size)
{
    return std::string("BEGIN ") + writer + "\n" + std::string(size, writer) + "\nEND " + writer + "\n";
}

int Replace(const std::string& target, const std::string& text)
{
    ReplacementFile file;
    if (OpenReplacement(file, target.c_str()) == 0) {
        return 0;
    }
    WriteReplacement(file, text.data(), text.size());
    return CommitReplacement(file);
}

class Replacement : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory = TestHome() + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        mkdir(directory.c_str(), 0700);
        target = directory + "/sky.xpm";
    }
    std::string directory;
    std::string target;
};

// Two processes replace one file as fast as they can while a third reads
// it: every read is one writer's whole file, and no write fails.
// UVOLA_TWO_WRITER_SECONDS makes the run longer than the 2 s of CI.
TEST_F(Replacement, TwoWritersLeaveOnlyWholeFiles)
{
    constexpr size_t kSize = 256 * 1024;
    const char* asked = std::getenv("UVOLA_TWO_WRITER_SECONDS");
    const auto runTime = std::chrono::duration<double>(asked != nullptr ? std::atof(asked) : 2.0);
    ASSERT_EQ(Replace(target, Whole('a', kSize)), 1);
    const auto end = Clock::now() + runTime;
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = fork();
        if (writers[w] == 0) {
            const std::string text = Whole("ab"[w], kSize);
            int failed = 0;
            while (Clock::now() < end) {
                failed += Replace(target, text) == 0 ? 1 : 0;
            }
            _exit(failed == 0 ? 0 : 1);
        }
    }
    long reads = 0;
    long cut = 0;
    while (Clock::now() < end) {
        const std::string text = ReadFile(target);
        ++reads;
        cut += text == Whole('a', kSize) || text == Whole('b', kSize) ? 0 : 1;
    }
    for (pid_t writer : writers) {
        int status = 0;
        waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
    }
    EXPECT_EQ(cut, 0) << "cut or empty reads of " << reads;
    EXPECT_GT(reads, 10);
    EXPECT_EQ(Temporaries(target), std::vector<std::string>{});
    std::printf("two writers: %ld reads, %ld cut or empty\n", reads, cut);
}

// The temporary's name never pushes a legal name over the limit.
TEST_F(Replacement, NamesUpToTheFileSystemsLimit)
{
    const long limit = pathconf(directory.c_str(), _PC_NAME_MAX);
    ASSERT_GT(limit, 200);
    for (const long length : {1L, 200L, limit - 6, limit - 1, limit}) {
        const std::string name = directory + "/" + std::string(static_cast<size_t>(length), 'n');
        EXPECT_EQ(Replace(name, "text\n"), 1) << length;
        EXPECT_EQ(ReadFile(name), "text\n") << length;
        EXPECT_EQ(Temporaries(name), std::vector<std::string>{}) << length;
        unlink(name.c_str());
    }
}

// A writer killed part way leaves one temporary, which the next write
// clears; a writer still at work keeps its own and finishes.
TEST_F(Replacement, KilledWritersTemporariesGoLiveWritersStay)
{
    ASSERT_EQ(Replace(target, "old\n"), 1);
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(KilledByFileSizeLimit([&] { return Replace(target, Whole('k', 65536)); }))
            << "the writer finished before it was killed";
        EXPECT_EQ(ReadFile(target), "old\n");
        EXPECT_EQ(Temporaries(target).size(), 1u) << "run " << run;
    }
    ReplacementFile live;
    ASSERT_EQ(OpenReplacement(live, target.c_str()), 1);
    WriteReplacementText(live, "live\n");
    EXPECT_EQ(Replace(target, "other\n"), 1);
    EXPECT_EQ(ReadFile(target), "other\n");
    EXPECT_EQ(Temporaries(target).size(), 1u) << "the live writer's own";
    EXPECT_EQ(CommitReplacement(live), 1);
    EXPECT_EQ(ReadFile(target), "live\n");
    EXPECT_EQ(Temporaries(target), std::vector<std::string>{});
}

}  // namespace
