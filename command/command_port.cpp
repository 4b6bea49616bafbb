#include "command/command_port.h"

#include "command/interpreter.h"
#include "core/app_env.h"
#include "sky/scene.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <netinet/in.h>
#include <string>
#include <strings.h>
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

void WatchClient(Scene* scene)
{
    gAppEnv->clientInputId = XtAppAddInput(PortAppContext(), gAppEnv->clientSocket,
                                           reinterpret_cast<XtPointer>(XtInputReadMask),
                                           CommandPortReadCallback, scene);
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

// The lines of one receive: ended by CR, LF, CR LF or NUL; a last piece
// without a line end is a line too.
std::vector<std::string> SplitRequests(const char* data, size_t size)
{
    std::vector<std::string> requests;
    size_t begin = 0;
    while (begin < size) {
        size_t end = begin;
        while (end < size && !IsLineEnd(data[end])) {
            ++end;
        }
        requests.emplace_back(data + begin, end - begin);
        if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n') {
            ++end;
        }
        begin = end + 1;
    }
    return requests;
}

bool StillConnected(unsigned serial)
{
    return gAppEnv->clientSocket != kNoSocket && connectionSerial == serial;
}

// Runs one request and answers it. Returns false when the connection is
// gone afterwards (bye, or the reply could not be sent).
bool ServeRequest(Scene* scene, const std::string& request, unsigned serial)
{
    AppEnv& env = *gAppEnv;
    if (strcasecmp(request.c_str(), "bye") == 0) {
        CloseCommandConnection();
        return false;
    }
    // A request without statements must not answer with an earlier error.
    StkClearError();
    const int32_t savedQuiet = env.quiet;
    env.quiet = 1;
    StkExecuteText(scene, request.c_str());
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
    WatchClient(gScene);
    SendToClient(kCommandPortPrompt);
}

void CommandPortReadCallback(XtPointer clientData, int*, XtInputId*)
{
    AppEnv& env = *gAppEnv;
    Scene* scene = static_cast<Scene*>(clientData);
    char buffer[kCommandPortReceiveSize];
    const ssize_t received = recv(env.clientSocket, buffer, sizeof buffer, 0);
    if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
        return;
    }
    if (received <= 0) {
        CloseCommandConnection();
        return;
    }

    const unsigned serial = connectionSerial;
    RemoveInput(env.clientInputId);
    for (const std::string& request : SplitRequests(buffer, static_cast<size_t>(received))) {
        if (!ServeRequest(scene, request, serial)) {
            return;
        }
    }
    if (StillConnected(serial) && env.clientInputId == 0) {
        WatchClient(scene);
    }
}

void CloseCommandConnection()
{
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
