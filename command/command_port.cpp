#include "command/command_port.h"

#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/string_utils.h"
#include "sky/scene.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kNoSocket = -1;
constexpr int kHighestPort = 65535;

// Counts accepted clients, so that a request whose connection was replaced
// while it ran (its socket number reused) never answers the new client.
unsigned connectionSerial = 0;

XtAppContext PortAppContext()
{
    return XtWidgetToApplicationContext(gAppEnv->toplevel);
}

void CloseSocket(int32_t& descriptor)
{
    if (descriptor != kNoSocket) {
        close(descriptor);
        descriptor = kNoSocket;
    }
}

void RemoveInput(XtInputId& id)
{
    if (id != 0) {
        XtRemoveInput(id);
        id = 0;
    }
}

void WatchClient(Scene& scene)
{
    gAppEnv->clientInputId = XtAppAddInput(PortAppContext(), gAppEnv->clientSocket,
                                           reinterpret_cast<XtPointer>(XtInputReadMask),
                                           CommandPortReadCallback, &scene);
}

// The socket is non-blocking, so a client that does not read makes the
// send come up short instead of freezing the program; that client is dropped.
// MSG_NOSIGNAL: a client that has gone away must not kill us with SIGPIPE.
bool SendToClient(const std::string& text)
{
    const ssize_t sent = send(gAppEnv->clientSocket, text.data(), text.size(), MSG_NOSIGNAL);
    if (sent == static_cast<ssize_t>(text.size())) {
        return true;
    }
    CloseCommandConnection();
    return false;
}

// A NUL ends a line too: the interpreter takes C text, and the rest of the
// line would otherwise be dropped without a word.
bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}

// One line as the client sent it: its first kCommandPortReceiveSize bytes,
// and whether more followed (then it is refused whole, never run cut).
struct PortLine {
    std::string text;
    bool overlong = false;
};

// What the client sent since its last line end. A line may come in several
// receives (TCP keeps no message bounds), so it runs only when its line end
// arrives, or when nothing more comes for a short while (a client that ends
// its request without a line end still gets its reply).
struct PendingInput {
    PortLine line;
    bool afterCarriageReturn = false;   // an LF next pairs with it
    XtIntervalId timer = 0;
};

PendingInput pending;

// How long a line without its line end waits for the rest.
constexpr unsigned long kUnendedLineWaitMs = 300;

// Appends received bytes and takes out every line they complete.
std::vector<PortLine> TakeCompleteLines(const char* data, size_t size)
{
    std::vector<PortLine> lines;
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (pending.afterCarriageReturn && c == '\n') {
            pending.afterCarriageReturn = false;
            continue;
        }
        pending.afterCarriageReturn = c == '\r';
        if (IsLineEnd(c)) {
            lines.push_back(std::move(pending.line));
            pending.line = PortLine{};
        } else if (pending.line.text.size() < static_cast<size_t>(kCommandPortReceiveSize)) {
            pending.line.text.push_back(c);
        } else {
            pending.line.overlong = true;
        }
    }
    return lines;
}

bool HasUnendedLine()
{
    return !pending.line.text.empty() || pending.line.overlong;
}

void StopUnendedLineWait()
{
    if (pending.timer != 0) {
        XtRemoveTimeOut(pending.timer);
        pending.timer = 0;
    }
}

void ForgetPendingInput()
{
    StopUnendedLineWait();
    pending.line = PortLine{};
    pending.afterCarriageReturn = false;
}

bool StillConnected(unsigned serial)
{
    return gAppEnv->clientSocket != kNoSocket && connectionSerial == serial;
}

// Runs one request and answers it. Returns false when the connection is
// gone afterwards (bye, or the reply could not be sent).
bool ServeRequest(Scene& scene, const PortLine& request, unsigned serial)
{
    AppEnv& env = *gAppEnv;
    if (!request.overlong && AsciiCaseEqual(request.text.c_str(), "bye") != 0) {
        CloseCommandConnection();
        return false;
    }
    // A request without statements must not answer with an earlier error.
    StkClearError();
    const int32_t savedQuiet = env.quiet;
    env.quiet = 1;
    if (request.overlong) {
        // Too long for one statement, so refused whole with its start.
        StkExecuteLine(scene, request.text.c_str());
    } else {
        StkExecuteText(scene, request.text.c_str());
    }
    env.quiet = savedQuiet;
    if (!StillConnected(serial)) {
        return false;
    }
    std::string reply;
    if (env.errorKey[0] != '\0') {
        reply = env.errorMessage;
        reply += '\n';
    }
    reply += kCommandPortPrompt;
    return SendToClient(reply);
}

// Serves lines in order while the client's input is suspended, so that a
// nested event loop (a question box) cannot start another request meanwhile.
// Returns false when the connection is gone.
bool ServeLines(Scene& scene, const std::vector<PortLine>& lines)
{
    AppEnv& env = *gAppEnv;
    if (lines.empty()) {
        return true;
    }
    const unsigned serial = connectionSerial;
    RemoveInput(env.clientInputId);
    for (const PortLine& line : lines) {
        if (!ServeRequest(scene, line, serial)) {
            return false;
        }
    }
    if (StillConnected(serial) && env.clientInputId == 0) {
        WatchClient(scene);
    }
    return StillConnected(serial);
}

void RunUnendedLine(XtPointer client, XtIntervalId*)
{
    pending.timer = 0;
    std::vector<PortLine> lines;
    lines.push_back(std::move(pending.line));
    pending.line = PortLine{};
    ServeLines(*static_cast<Scene*>(client), lines);
}

void WaitForLineEnd(Scene& scene)
{
    if (HasUnendedLine()) {
        pending.timer = XtAppAddTimeOut(PortAppContext(), kUnendedLineWaitMs, RunUnendedLine, &scene);
    }
}

}  // namespace

int OpenCommandPort()
{
    AppEnv& env = *gAppEnv;
    if (env.listenSocket != kNoSocket) {
        return 1;
    }
    if (env.socketPort < 1 || env.socketPort > kHighestPort) {
        std::fputs("socket bind failed.", stderr);
        return 0;
    }
    int32_t listener = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener < 0) {
        std::fputs("socket open failed.", stderr);
        return 0;
    }
    const int reuse = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);

    // Loopback only: the port runs any command, so no other host may reach it.
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(env.socketPort));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        CloseSocket(listener);
        std::fputs("socket bind failed.", stderr);
        return 0;
    }
    if (listen(listener, 0) != 0) {
        CloseSocket(listener);
        std::fputs("socket listen failed.", stderr);
        return 0;
    }
    env.listenSocket = listener;
    env.listenInputId = XtAppAddInput(PortAppContext(), listener,
                                      reinterpret_cast<XtPointer>(XtInputReadMask),
                                      CommandPortAcceptCallback, nullptr);
    return 1;
}

void CommandPortAcceptCallback(XtPointer, int*, XtInputId*)
{
    AppEnv& env = *gAppEnv;
    int32_t client = accept4(env.listenSocket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (client < 0) {
        // The connection may have been withdrawn between the wake-up and
        // the accept; only a real failure is worth a line.
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            std::fputs("socket accept failed.\n", stderr);
        }
        return;
    }
    if (env.clientSocket != kNoSocket) {
        CloseSocket(client);
        return;
    }
    env.clientSocket = client;
    ++connectionSerial;
    WatchClient(*gScene);
    SendToClient(kCommandPortPrompt);
}

void CommandPortReadCallback(XtPointer clientData, int*, XtInputId*)
{
    AppEnv& env = *gAppEnv;
    Scene& scene = *static_cast<Scene*>(clientData);
    char buffer[kCommandPortReceiveSize];
    const ssize_t received = recv(env.clientSocket, buffer, sizeof buffer, 0);
    if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
        return;
    }
    StopUnendedLineWait();
    if (received <= 0) {
        // A client that ends its last request by closing its side still
        // has it run.
        if (received == 0 && HasUnendedLine()) {
            RunUnendedLine(&scene, nullptr);
        }
        CloseCommandConnection();
        return;
    }
    if (ServeLines(scene, TakeCompleteLines(buffer, static_cast<size_t>(received)))) {
        WaitForLineEnd(scene);
    }
}

void CloseCommandConnection()
{
    ForgetPendingInput();
    RemoveInput(gAppEnv->clientInputId);
    CloseSocket(gAppEnv->clientSocket);
}

void CloseCommandPort()
{
    AppEnv& env = *gAppEnv;
    if (env.listenSocket == kNoSocket) {
        return;
    }
    CloseCommandConnection();
    RemoveInput(env.listenInputId);
    CloseSocket(env.listenSocket);
}
