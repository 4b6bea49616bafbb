#include "tests/harness/x_request_log.h"

#include <X11/Xlibint.h>

#include <cstring>

namespace {

std::vector<uint8_t> gLog;
bool gRecording = false;
Display* gHookedDisplay = nullptr;

void RecordSentBytes(Display*, XExtCodes*, const char* data, long size)
{
    if (gRecording && size > 0) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(data);
        gLog.insert(gLog.end(), bytes, bytes + size);
    }
}

// The hook is an extension's: Xlib calls it with every stretch of bytes
// before it goes to the server.
void HookDisplay(Display* display)
{
    if (gHookedDisplay == display) {
        return;
    }
    XExtCodes* codes = XAddExtension(display);
    XESetBeforeFlush(display, codes->extension, RecordSentBytes);
    gHookedDisplay = display;
}

uint32_t Word(const uint8_t* bytes)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Length of the request at `bytes` in bytes; 0 when it cannot be read.
size_t RequestSize(const uint8_t* bytes, size_t available)
{
    if (available < 4) {
        return 0;
    }
    uint16_t units = 0;
    std::memcpy(&units, bytes + 2, sizeof units);
    if (units != 0) {
        return size_t{units} * 4;
    }
    // BIG-REQUESTS: the length follows the header.
    return available >= 8 ? size_t{Word(bytes + 4)} * 4 : 0;
}

}  // namespace

void StartXRequestLog(Display* display)
{
    HookDisplay(display);
    XFlush(display);
    gLog.clear();
    gRecording = true;
}

std::vector<uint8_t> StopXRequestLog(Display* display)
{
    XFlush(display);
    gRecording = false;
    return std::move(gLog);
}

std::vector<XRequestView> SplitXRequests(const std::vector<uint8_t>& log)
{
    std::vector<XRequestView> requests;
    size_t at = 0;
    while (at < log.size()) {
        const size_t size = RequestSize(log.data() + at, log.size() - at);
        if (size == 0 || size > log.size() - at) {
            break;
        }
        requests.push_back(XRequestView{log[at], log.data() + at, size});
        at += size;
    }
    return requests;
}

int CountXRequests(const std::vector<uint8_t>& log, uint8_t opcode)
{
    int count = 0;
    for (const XRequestView& request : SplitXRequests(log)) {
        count += request.opcode == opcode ? 1 : 0;
    }
    return count;
}

void SendRawXRequests(Display* display, const std::vector<uint8_t>& requests)
{
    for (const XRequestView& request : SplitXRequests(requests)) {
        LockDisplay(display);
        // The header through Xlib, so that it counts the request; the rest
        // after it, through the buffer or straight to the server.
        void* header = _XGetRequest(display, request.opcode, 4);
        std::memcpy(header, request.bytes, 4);
        Data(display, reinterpret_cast<const char*>(request.bytes + 4), static_cast<long>(request.size - 4));
        UnlockDisplay(display);
    }
}
