// Start-up of uvola: from exec to the first prompt on its command port
// (every start-up step: the main window with its menu bar, the toolbar's
// and step box's icons, the tips, the first chart drawn and copied), its
// resident memory at that moment, and the round trips to the X server until
// then. The program runs with "-q" in the home directory the test harness
// gives (UVOLA_TEST_HOME), with ConfirmQuit off and the command port on a
// free loopback port.
//
// StartupAgainstMinimalMotif/C and /C.UTF-8 time uvola in that locale
// against minimal_motif, a Motif program with only a menu bar and a
// drawing area, from exec to its first Expose, the two started turn about
// in the same run: "minimal_ms" is the yardstick's median, "ratio" uvola's
// median over it.
#include <benchmark/benchmark.h>

#include "tests/harness/free_port.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr char kPrompt[] = "uvola> ";


bool WriteOptions(int port)
{
    const char* home = std::getenv("UVOLA_TEST_HOME");
    if (home == nullptr) {
        return false;
    }
    const std::string directory = std::string(home) + "/.uvola";
    mkdir(directory.c_str(), 0755);
    std::ofstream options(directory + "/options", std::ios::trunc);
    options << "SocketPort = " << port << "\nConfirmQuit = NO\n";
    return static_cast<bool>(options);
}

// Connects and reads up to the prompt; -1 while the port is not open yet.
int ConnectAndReadPrompt(int port)
{
    const int client = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(client);
        return -1;
    }
    std::string received;
    char buffer[64];
    while (received.find(kPrompt) == std::string::npos) {
        const ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) {
            close(client);
            return -1;
        }
        received.append(buffer, static_cast<size_t>(n));
    }
    return client;
}

long ResidentKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return 0;
}

// The locale a started program runs in: the harness's C unless named.
void UseLocale(const char* locale)
{
    if (locale != nullptr) {
        for (const char* variable : {"LC_ALL", "LANG", "UVOLA_LOCALE"}) {
            setenv(variable, locale, 1);
        }
    }
}

// Starts uvola, its round trips counted when `countFile` is given.
pid_t StartProgram(const std::string& countFile, const char* locale = nullptr)
{
    const pid_t pid = fork();
    if (pid == 0) {
        UseLocale(locale);
        std::freopen("/dev/null", "w", stdout);
        if (!countFile.empty()) {
            const char* preload = std::getenv("LD_PRELOAD");
            const std::string both = std::string(UVOLA_ROUND_TRIP_COUNTER) + (preload ? std::string(":") + preload : "");
            setenv("LD_PRELOAD", both.c_str(), 1);
            setenv("UVOLA_ROUND_TRIP_FILE", countFile.c_str(), 1);
        }
        execl(UVOLA_PROGRAM, "uvola", "-q", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

int WaitForPrompt(int port)
{
    int client = -1;
    while ((client = ConnectAndReadPrompt(port)) < 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return client;
}

void Quit(pid_t pid, int client)
{
    send(client, "EXIT\n", 5, MSG_NOSIGNAL);
    close(client);
    int status = 0;
    waitpid(pid, &status, 0);
}

void StartupToFirstPrompt(benchmark::State& state)
{
    const int port = FreePort();
    if (!WriteOptions(port)) {
        state.SkipWithError("run under tests/harness/uvola-test-env --xvfb");
        return;
    }
    long resident = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = StartProgram("");
        const int client = WaitForPrompt(port);
        const auto ready = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(ready - start).count());
        resident = ResidentKilobytes(pid);
        Quit(pid, client);
    }
    state.counters["RSS_kB"] = static_cast<double>(resident);
}

BENCHMARK(StartupToFirstPrompt)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// Milliseconds from exec of minimal_motif to its first Expose.
double MinimalMotifMilliseconds(const char* locale)
{
    int output[2];
    if (pipe(output) != 0) {
        return 0.0;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        UseLocale(locale);
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        execl(MINIMAL_MOTIF_PROGRAM, "minimal_motif", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    char byte = 0;
    const bool exposed = read(output[0], &byte, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    close(output[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return exposed ? std::chrono::duration<double, std::milli>(end - start).count() : 0.0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void StartupAgainstMinimalMotif(benchmark::State& state, const char* locale)
{
    const int port = FreePort();
    if (!WriteOptions(port)) {
        state.SkipWithError("run under tests/harness/uvola-test-env --xvfb");
        return;
    }
    std::vector<double> uvola;
    std::vector<double> minimal;
    for (auto _ : state) {
        minimal.push_back(MinimalMotifMilliseconds(locale));
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = StartProgram("", locale);
        const int client = WaitForPrompt(port);
        const auto ready = std::chrono::steady_clock::now();
        uvola.push_back(std::chrono::duration<double, std::milli>(ready - start).count());
        state.SetIterationTime(uvola.back() / 1000.0);
        Quit(pid, client);
    }
    state.counters["uvola_ms"] = Median(uvola);
    state.counters["minimal_ms"] = Median(minimal);
    state.counters["ratio"] = Median(minimal) > 0.0 ? Median(uvola) / Median(minimal) : 0.0;
}

BENCHMARK_CAPTURE(StartupAgainstMinimalMotif, C, "C")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(StartupAgainstMinimalMotif, C.UTF-8, "C.UTF-8")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// The replies uvola waits for from the X server from exec to its first
// prompt: every round trip of the start, the first chart included.
void StartupRoundTrips(benchmark::State& state)
{
    const int port = FreePort();
    if (!WriteOptions(port)) {
        state.SkipWithError("run under tests/harness/uvola-test-env --xvfb");
        return;
    }
    const std::string countFile = std::string(std::getenv("UVOLA_TEST_HOME")) + "/round-trips";
    long roundTrips = 0;
    for (auto _ : state) {
        const pid_t pid = StartProgram(countFile);
        const int client = WaitForPrompt(port);
        std::ifstream(countFile) >> roundTrips;
        Quit(pid, client);
    }
    state.counters["round_trips"] = static_cast<double>(roundTrips);
}

BENCHMARK(StartupRoundTrips)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
