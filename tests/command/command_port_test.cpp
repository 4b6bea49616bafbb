// The command port inside one process: the port is opened on a toolkit
// application context, a client socket of the test talks to it, and the
// test pumps the toolkit's events between its sends and receives. Requests
// run a small command table of the test's own, so that what ran, in which
// order and under which quiet flag can be seen.
#include <gtest/gtest.h>

#include "command/command_port.h"
#include "command/command_table.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "sky/scene.h"
#include "tests/harness/test_toplevel.h"

#include <X11/IntrinsicP.h>
#include <arpa/inet.h>
#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kReplyTimeout = std::chrono::seconds(5);

XtAppContext app = nullptr;

void PumpEvents()
{
    while (XtAppPending(app) != 0) {
        XtAppProcessEvent(app, XtIMAll);
    }
}

// A free port on the loopback address: the kernel picks it for a socket
// bound to port 0, and the socket is closed again.
int FreePort()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    close(probe);
    return ntohs(address.sin_port);
}

size_t CountPrompts(const std::string& text)
{
    size_t count = 0;
    for (size_t at = text.find(kCommandPortPrompt); at != std::string::npos;
         at = text.find(kCommandPortPrompt, at + 1)) {
        ++count;
    }
    return count;
}

// The test's end of a connection.
struct PortClient {
    int fd = -1;
    std::string received;   // what came in and was not yet taken
    bool closed = false;    // the port closed the connection

    explicit PortClient(int port)
    {
        fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~PortClient() { Close(); }
    PortClient(const PortClient&) = delete;
    PortClient& operator=(const PortClient&) = delete;

    void Close()
    {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }

    void Send(const std::string& text)
    {
        ASSERT_EQ(send(fd, text.data(), text.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(text.size()));
    }

    // Pumps the program's events and takes what arrives, until `done` holds,
    // the connection closes or the time is up.
    template <typename Done>
    void ReceiveUntil(Done done)
    {
        const auto deadline = Clock::now() + kReplyTimeout;
        while (!done() && !closed && Clock::now() < deadline) {
            PumpEvents();
            pollfd wait{fd, POLLIN, 0};
            if (poll(&wait, 1, 5) <= 0) {
                continue;
            }
            char buffer[8192];
            const ssize_t got = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (got > 0) {
                received.append(buffer, static_cast<size_t>(got));
            } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
                closed = true;
            }
        }
    }

    // The next `count` replies, each ending with the prompt, taken as one text.
    std::string Replies(size_t count = 1)
    {
        ReceiveUntil([&] { return CountPrompts(received) >= count; });
        std::string replies;
        size_t end = 0;
        for (size_t i = 0; i < count; ++i) {
            const size_t at = received.find(kCommandPortPrompt, end);
            if (at == std::string::npos) {
                break;
            }
            end = at + std::strlen(kCommandPortPrompt);
        }
        replies = received.substr(0, end);
        received.erase(0, end);
        return replies;
    }

    // Waits until the port closes the connection.
    bool WaitClosed()
    {
        ReceiveUntil([] { return false; });
        return closed;
    }

    bool connected = false;
};

// Pumps events until the port has taken everything the client sent, so
// that the next send comes in a receive of its own.
void LetThePortTakeIt()
{
    const auto deadline = Clock::now() + kReplyTimeout;
    int unread = 1;
    while (Clock::now() < deadline) {
        PumpEvents();
        if (ioctl(gAppEnv->clientSocket, FIONREAD, &unread) != 0 || unread == 0) {
            return;
        }
        usleep(1000);
    }
}

// The test's commands.
std::vector<std::string> notes;              // NOTE's arguments, in order
std::vector<int> quietSeen;                  // the quiet flag that PEEK saw
size_t notesWhenWaitEnded = 0;
PortClient* clientOfWait = nullptr;          // WAIT sends on it from inside

void CmdNote(Scene&, char* text)
{
    notes.push_back(text != nullptr ? text : "");
}

void CmdPeek(Scene&)
{
    quietSeen.push_back(gAppEnv->quiet);
}

// Runs a nested event loop, as a question box does, while the client sends
// another request: that request must wait for this one to finish.
void CmdWait(Scene&)
{
    clientOfWait->Send("NOTE inner\n");
    const auto until = Clock::now() + std::chrono::milliseconds(300);
    while (Clock::now() < until) {
        PumpEvents();
        usleep(5000);
    }
    notesWhenWaitEnded = notes.size();
}

// Drops the connection of the running request, as quit does, and lets a
// new client connect (likely on the same socket number) before returning.
std::unique_ptr<PortClient> clientAfterDrop;
int portOfDrop = 0;

void CmdDrop(Scene&)
{
    CloseCommandConnection();
    clientAfterDrop = std::make_unique<PortClient>(portOfDrop);
    clientAfterDrop->ReceiveUntil([] { return CountPrompts(clientAfterDrop->received) == 1; });
}

const CommandEntry kTestCommands[] = {
    MakeCommandEntry("NOTE", CmdNote, 1),
    MakeCommandEntry("PEEK", CmdPeek, 1),
    MakeCommandEntry("WAIT", CmdWait, 1),
    MakeCommandEntry("DROP", CmdDrop, 1),
    {},
};

class CommandPort : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ResetAppEnv();
        OpenTestToplevel(app);
        StkUseCommandTable(kTestCommands);
    }
    static void TearDownTestSuite() { StkUseCommandTable(nullptr); }

    void SetUp() override
    {
        ResetScene(*gScene);
        notes.clear();
        quietSeen.clear();
        gAppEnv->quiet = 0;
        port = FreePort();
        gAppEnv->socketPort = port;
        ASSERT_EQ(OpenCommandPort(), 1);
    }
    void TearDown() override
    {
        CloseCommandPort();
        PumpEvents();
    }

    // A connected client that has had its greeting.
    std::unique_ptr<PortClient> Connect()
    {
        auto client = std::make_unique<PortClient>(port);
        EXPECT_TRUE(client->connected);
        EXPECT_EQ(client->Replies(), kCommandPortPrompt);
        return client;
    }

    int port = 0;
};

TEST_F(CommandPort, ListensOnLoopbackOnlyAtTheOptionsPort)
{
    sockaddr_in address{};
    socklen_t size = sizeof address;
    ASSERT_EQ(getsockname(gAppEnv->listenSocket, reinterpret_cast<sockaddr*>(&address), &size), 0);
    EXPECT_EQ(ntohl(address.sin_addr.s_addr), INADDR_LOOPBACK);
    EXPECT_EQ(ntohs(address.sin_port), port);
}

TEST_F(CommandPort, UnknownCommandAnswersItsSyntaxErrorAndThePrompt)
{
    auto client = Connect();
    client->Send("FOO\n");
    EXPECT_EQ(client->Replies(), "FOO: Syntax Error: FOO\nuvola> ");
    client->Send("NOTE x\n");
    EXPECT_EQ(client->Replies(), "uvola> ");
    EXPECT_EQ(notes, std::vector<std::string>{"x"});
}

TEST_F(CommandPort, OnlyTheLastStatementsErrorComesBack)
{
    auto client = Connect();
    client->Send("FOO; NOTE a; BAR 1\n");
    EXPECT_EQ(client->Replies(), "BAR: Syntax Error: BAR\nuvola> ");
    client->Send("FOO; NOTE b\n");
    EXPECT_EQ(client->Replies(), "uvola> ");
    EXPECT_EQ(notes, (std::vector<std::string>{"a", "b"}));
}

// An empty request runs no statement; the error of the request before it
// must not come back again.
TEST_F(CommandPort, EmptyRequestDoesNotRepeatTheLastError)
{
    auto client = Connect();
    client->Send("FOO\n");
    EXPECT_EQ(client->Replies(), "FOO: Syntax Error: FOO\nuvola> ");
    client->Send("\n");
    EXPECT_EQ(client->Replies(), "uvola> ");
    client->Send("  ;;  \r\n");
    EXPECT_EQ(client->Replies(), "uvola> ");
}

TEST_F(CommandPort, EveryLineOfOneSendRunsInOrderWithItsOwnReply)
{
    auto client = Connect();
    client->Send("NOTE a\nFOO\rNOTE b\r\nNOTE c");
    EXPECT_EQ(client->Replies(4), "uvola> FOO: Syntax Error: FOO\nuvola> uvola> uvola> ");
    EXPECT_EQ(notes, (std::vector<std::string>{"a", "b", "c"}));
}

// The interpreter takes C text; a NUL must not swallow what follows it.
TEST_F(CommandPort, NulByteEndsALineAndLosesNothing)
{
    auto client = Connect();
    client->Send(std::string("NOTE a\0NOTE b\n", 14));
    EXPECT_EQ(client->Replies(2), "uvola> uvola> ");
    EXPECT_EQ(notes, (std::vector<std::string>{"a", "b"}));
}

// The interpreter's limit is on one statement, not on a request.
TEST_F(CommandPort, RequestOfManyStatementsRunsThemAll)
{
    auto client = Connect();
    std::string request;
    for (int i = 0; i < 400; ++i) {
        request += "NOTE " + std::to_string(i) + ";";
    }
    ASSERT_GT(request.size(), 3000u);
    ASSERT_LT(request.size(), static_cast<size_t>(kCommandPortReceiveSize));
    client->Send(request + "\n");
    EXPECT_EQ(client->Replies(), "uvola> ");
    ASSERT_EQ(notes.size(), 400u);
    EXPECT_EQ(notes.front(), "0");
    EXPECT_EQ(notes.back(), "399");
}

TEST_F(CommandPort, ByeInAnyCaseClosesWithoutAReply)
{
    for (const char* bye : {"bye\n", "BYE\r\n", "ByE"}) {
        auto client = Connect();
        client->Send(bye);
        EXPECT_TRUE(client->WaitClosed()) << bye;
        EXPECT_EQ(client->received, "") << bye;
    }
    // The port is free for the next client.
    auto client = Connect();
    client->Send("NOTE after\n");
    EXPECT_EQ(client->Replies(), "uvola> ");
}

TEST_F(CommandPort, LinesAfterByeAreNotRun)
{
    auto client = Connect();
    client->Send("NOTE a\nbye\nNOTE b\n");
    EXPECT_TRUE(client->WaitClosed());
    EXPECT_EQ(client->received, "uvola> ");
    EXPECT_EQ(notes, std::vector<std::string>{"a"});
}

TEST_F(CommandPort, SecondClientIsClosedAtOnceWhileTheFirstStaysServed)
{
    auto first = Connect();
    PortClient second(port);
    ASSERT_TRUE(second.connected);
    EXPECT_TRUE(second.WaitClosed());
    EXPECT_EQ(second.received, "");
    first->Send("NOTE still\n");
    EXPECT_EQ(first->Replies(), "uvola> ");
    EXPECT_EQ(notes, std::vector<std::string>{"still"});
}

TEST_F(CommandPort, ClientThatLeavesAtOnceHarmsNothing)
{
    {
        PortClient client(port);
        ASSERT_TRUE(client.connected);
        client.Send("NOTE 1\nNOTE 2\nNOTE 3\nNOTE 4\n");
    }
    // Replying to the closed socket must neither raise SIGPIPE (which would
    // end this test program) nor keep the dead client.
    const auto until = Clock::now() + std::chrono::milliseconds(500);
    while (Clock::now() < until && (notes.empty() || gAppEnv->clientSocket >= 0)) {
        PumpEvents();
        usleep(5000);
    }
    EXPECT_FALSE(notes.empty());
    EXPECT_LT(gAppEnv->clientSocket, 0);
    auto next = Connect();
    next->Send("FOO\n");
    EXPECT_EQ(next->Replies(), "FOO: Syntax Error: FOO\nuvola> ");
}

// A client that sends and never reads fills the socket buffers; the program
// must drop it rather than wait for it.
TEST_F(CommandPort, ClientThatNeverReadsIsDropped)
{
    PortClient client(port);
    ASSERT_TRUE(client.connected);
    const int small = 4096;
    setsockopt(client.fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    for (int i = 0; i < 50 && gAppEnv->clientSocket < 0; ++i) {
        PumpEvents();
        usleep(2000);
    }
    ASSERT_GE(gAppEnv->clientSocket, 0);
    setsockopt(gAppEnv->clientSocket, SOL_SOCKET, SO_SNDBUF, &small, sizeof small);

    // Each line comes back as a reply of about 270 bytes.
    const std::string line = std::string(200, 'F') + "\n";
    std::string burst;
    while (burst.size() + line.size() < 4000) {
        burst += line;
    }
    for (int i = 0; i < 5000 && gAppEnv->clientSocket >= 0; ++i) {
        send(client.fd, burst.data(), burst.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        PumpEvents();
    }
    EXPECT_LT(gAppEnv->clientSocket, 0);
    auto next = Connect();
    next->Send("NOTE served\n");
    EXPECT_EQ(next->Replies(), "uvola> ");
}

// A line longer than the port takes is refused whole, once, however many
// receives bring it; none of it runs, and the next line is served.
TEST_F(CommandPort, OverlongLineIsRefusedWholeOnceAndTheClientStaysServed)
{
    auto client = Connect();
    client->Send("NOTE " + std::string(5000, 'x'));
    PumpEvents();
    client->Send(std::string(5000, 'y') + "\nNOTE ok\n");
    EXPECT_EQ(client->Replies(2), "NOTE: Illegal Parameter: NOTE " + std::string(34, 'x') + "\nuvola> uvola> ");
    EXPECT_EQ(notes, std::vector<std::string>{"ok"});
    // The longest line that runs fills one receive exactly.
    std::string longest = "NOTE a";
    while (longest.size() < static_cast<size_t>(kCommandPortReceiveSize)) {
        longest += ";";
    }
    client->Send(longest + "\n");
    EXPECT_EQ(client->Replies(), "uvola> ");
    EXPECT_EQ(notes, (std::vector<std::string>{"ok", "a"}));
    EXPECT_GE(gAppEnv->clientSocket, 0);
}

// TCP keeps no bounds between sends: a line that arrives in pieces runs
// once, whole, when its line end comes; CR LF split between two receives
// is still one line end.
TEST_F(CommandPort, LineSplitAcrossReceivesRunsAsOneStatement)
{
    auto client = Connect();
    const std::vector<std::string> pieces = {"NOTE 20", "01", "x\r", "\nNO", "TE y\n"};
    for (const std::string& piece : pieces) {
        client->Send(piece);
        LetThePortTakeIt();
    }
    EXPECT_EQ(client->Replies(2), "uvola> uvola> ");
    EXPECT_EQ(client->received, "");
    EXPECT_EQ(notes, (std::vector<std::string>{"2001x", "y"}));
}

// A client that sends its request without a line end still gets it run,
// after a short wait, or at once when it closes its side.
TEST_F(CommandPort, RequestWithoutLineEndRunsAfterAShortWaitOrAtTheEnd)
{
    auto client = Connect();
    const auto sent = Clock::now();
    client->Send("NOTE alone");
    EXPECT_EQ(client->Replies(), "uvola> ");
    EXPECT_LT(Clock::now() - sent, std::chrono::seconds(2));
    EXPECT_EQ(notes, std::vector<std::string>{"alone"});

    client->Send("NOTE last");
    shutdown(client->fd, SHUT_WR);
    EXPECT_TRUE(client->WaitClosed());
    EXPECT_EQ(client->received, "uvola> ");
    EXPECT_EQ(notes, (std::vector<std::string>{"alone", "last"}));
}

// Many lines sent in pieces of every size, read as they come: every line
// runs once, in order, and no piece of a line is taken for a statement.
TEST_F(CommandPort, FloodInPiecesOfAnySizeRunsEveryLineWhole)
{
    auto client = Connect();
    std::string text;
    const int lines = 3000;
    for (int i = 0; i < lines; ++i) {
        text += "NOTE " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : "\n");
    }
    size_t at = 0;
    for (size_t piece = 1; at < text.size(); piece = piece * 7 % 613 + 1) {
        const size_t size = std::min(piece, text.size() - at);
        client->Send(text.substr(at, size));
        at += size;
        client->ReceiveUntil([] { return true; });
    }
    client->ReceiveUntil([&] { return CountPrompts(client->received) == static_cast<size_t>(lines); });
    EXPECT_EQ(client->received.find("Error"), std::string::npos);
    ASSERT_EQ(notes.size(), static_cast<size_t>(lines));
    for (int i = 0; i < lines; ++i) {
        ASSERT_EQ(notes[i], std::to_string(i));
    }
}

TEST_F(CommandPort, QuietFlagIsSetWhileARequestRunsAndRestoredAfter)
{
    auto client = Connect();
    client->Send("PEEK\n");
    EXPECT_EQ(client->Replies(), "uvola> ");
    gAppEnv->quiet = 1;   // as if another quiet caller had it set
    client->Send("PEEK\n");
    EXPECT_EQ(client->Replies(), "uvola> ");
    EXPECT_EQ(gAppEnv->quiet, 1);
    gAppEnv->quiet = 0;
    EXPECT_EQ(quietSeen, (std::vector<int>{1, 1}));
}

// After a port request, a command from elsewhere (a dialog) still shows its
// error in a box.
TEST_F(CommandPort, LaterCommandsOutsideThePortStillShowBoxes)
{
    auto client = Connect();
    client->Send("FOO\n");
    EXPECT_EQ(client->Replies(), "FOO: Syntax Error: FOO\nuvola> ");
    Widget top = gAppEnv->toplevel;
    const Cardinal popupsBefore = top->core.num_popups;
    StkExecuteText(*gScene, "BAR");
    PumpEvents();
    ASSERT_EQ(top->core.num_popups, popupsBefore + 1);
    Widget shell = top->core.popup_list[top->core.num_popups - 1];
    EXPECT_NE(XtNameToWidget(shell, "MessageBox"), nullptr);
    XtDestroyWidget(shell);
    PumpEvents();
}

TEST_F(CommandPort, RequestWaitsUntilTheOneRunningInANestedLoopEnds)
{
    auto client = Connect();
    clientOfWait = client.get();
    client->Send("WAIT\n");
    EXPECT_EQ(client->Replies(2), "uvola> uvola> ");
    EXPECT_EQ(notesWhenWaitEnded, 0u);
    EXPECT_EQ(notes, std::vector<std::string>{"inner"});
    clientOfWait = nullptr;
}

// The request whose connection went away while it ran must neither answer
// nor run its further lines, nor disturb the client that came next.
TEST_F(CommandPort, RequestWhoseConnectionWasDroppedStaysSilent)
{
    auto client = Connect();
    portOfDrop = port;
    client->Send("DROP\nNOTE lost\n");
    EXPECT_TRUE(client->WaitClosed());
    EXPECT_EQ(client->received, "");
    ASSERT_NE(clientAfterDrop, nullptr);
    EXPECT_EQ(clientAfterDrop->Replies(), kCommandPortPrompt);
    clientAfterDrop->Send("NOTE next\n");
    EXPECT_EQ(clientAfterDrop->Replies(), "uvola> ");
    clientAfterDrop->Send("FOO\n");
    EXPECT_EQ(clientAfterDrop->Replies(), "FOO: Syntax Error: FOO\nuvola> ");
    EXPECT_EQ(notes, std::vector<std::string>{"next"});
    clientAfterDrop.reset();
}

TEST_F(CommandPort, ClosingThePortDropsTheClientAndStopsListening)
{
    auto client = Connect();
    CloseCommandPort();
    EXPECT_TRUE(client->WaitClosed());
    EXPECT_LT(gAppEnv->listenSocket, 0);
    EXPECT_LT(gAppEnv->clientSocket, 0);
    PortClient refused(port);
    EXPECT_FALSE(refused.connected);
    CloseCommandPort();   // a second close does nothing
}

// Ports the kernel cannot give: the program says so and runs on without one.
class CommandPortRefusal : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (app == nullptr) {
            ResetAppEnv();
            OpenTestToplevel(app);
        }
    }
    static std::string OpenFailure(int socketPort)
    {
        gAppEnv->socketPort = socketPort;
        ::testing::internal::CaptureStderr();
        const int opened = OpenCommandPort();
        std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(opened, 0) << socketPort;
        EXPECT_LT(gAppEnv->listenSocket, 0);
        return said;
    }
};

TEST_F(CommandPortRefusal, PortOutsideTheTcpRangeIsRefused)
{
    for (int socketPort : {-1, 65536, 70000 + 7000}) {
        EXPECT_EQ(OpenFailure(socketPort), "socket bind failed.") << socketPort;
    }
}

TEST_F(CommandPortRefusal, PortInUseIsRefused)
{
    const int port = FreePort();
    const int holder = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(holder, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(holder, 1), 0);
    EXPECT_EQ(OpenFailure(port), "socket bind failed.");
    close(holder);
    CloseCommandPort();   // nothing was opened: nothing to do
}

}  // namespace
