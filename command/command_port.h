// The TCP command port: other programs on this machine drive the planetarium
// by sending command text to a port on the loopback address. The listening
// socket and the one connected client are input sources of the toolkit's
// event loop, so requests run between redraws and user events.
//
// Protocol: on connection the client gets the prompt "uvola> ". Each line it
// sends (ended by CR, LF, CR LF or a NUL byte) is one request, however the
// network splits it into receives; a text without a line end is a request
// when nothing more arrives for a short while (300 ms). A request may hold
// many statements. "bye" in any case closes the connection without a reply;
// anything else runs through StkExecuteText, then the error of its last
// statement, if any, comes back followed by "\n", and then the prompt. A
// line longer than kCommandPortReceiveSize bytes is refused whole
// ("stkErrorIllegalParam" with its start) and none of it runs.
#pragma once

#include <X11/Intrinsic.h>

// The prompt that ends every reply, seven bytes, no line end.
constexpr char kCommandPortPrompt[] = "uvola> ";

// Most bytes taken by one receive from the client, and the longest line
// that runs.
constexpr int kCommandPortReceiveSize = 4096;

// Starts listening on 127.0.0.1 at the port gAppEnv->socketPort (the
// SocketPort option) and registers the socket with the application context
// of gAppEnv->toplevel. Only this machine can connect.
// Returned: 1 listening (also when already listening); 0 when the port is
//           out of 1..65535 or a step failed, after writing "socket open
//           failed.", "socket bind failed." or "socket listen failed." to
//           the standard error stream. The program runs on without a port.
int OpenCommandPort();

// Toolkit input callback of the listening socket: accepts a client. While a
// client is connected a new connection is closed at once; otherwise it
// becomes the client (its requests run on gScene) and gets the prompt.
void CommandPortAcceptCallback(XtPointer clientData, int* source, XtInputId* id);

// Toolkit input callback of the client socket: receives up to
// kCommandPortReceiveSize bytes and serves every request they complete, in
// order; the rest waits for its line end. End of stream runs a request left
// without its line end, then closes the connection; so does a receive error
// (without running it), and a reply that cannot be sent whole at once (a
// client that went away or never reads), so the program never blocks on a
// client.
// Given:    clientData  the Scene the requests change
// Notes:    The quiet flag is set while a request runs and then restored to
//           what it was. The client's input is suspended meanwhile, so a
//           nested event loop (a question box) cannot start another request.
void CommandPortReadCallback(XtPointer clientData, int* source, XtInputId* id);

// Drops the client: removes its input, closes its socket. Nothing happens
// without a client.
void CloseCommandConnection();

// Closes the client, if any, and the listening socket (at quit). Nothing
// happens when the port was not opened.
void CloseCommandPort();
