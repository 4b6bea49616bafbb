// Start-up of uvola: from exec to the first prompt on its command port
// (every start-up step: the main window with its menu bar, the toolbar's
// and step box's icons, the tips, the first chart drawn and copied), and
// its resident memory at that moment. The program runs with "-q" in the
// home directory the test harness gives (UVOLA_TEST_HOME), with ConfirmQuit
// off and the command port on a free loopback port.
#include <benchmark/benchmark.h>

#include "tests/harness/free_port.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

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
        const pid_t pid = fork();
        if (pid == 0) {
            std::freopen("/dev/null", "w", stdout);
            execl(UVOLA_PROGRAM, "uvola", "-q", static_cast<char*>(nullptr));
            _exit(127);
        }
        int client = -1;
        while ((client = ConnectAndReadPrompt(port)) < 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        const auto ready = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(ready - start).count());
        resident = ResidentKilobytes(pid);

        send(client, "EXIT\n", 5, MSG_NOSIGNAL);
        close(client);
        int status = 0;
        waitpid(pid, &status, 0);
    }
    state.counters["RSS_kB"] = static_cast<double>(resident);
}

BENCHMARK(StartupToFirstPrompt)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
