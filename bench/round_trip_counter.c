/* Counts the replies a program waits for from the X server, its round
 * trips, when preloaded (LD_PRELOAD) into it: every wait of Xlib for a reply
 * goes through libxcb's xcb_wait_for_reply64 or xcb_wait_for_reply. The
 * running count is written over the start of the file named by
 * UVOLA_ROUND_TRIP_FILE, so that whoever runs the program can read it at
 * any moment. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

typedef void* WaitForReply(void* connection, unsigned int request, void** error);
typedef void* WaitForReply64(void* connection, uint64_t request, void** error);

static long round_trips;
static int count_file = -2;

static void CountRoundTrip(void)
{
    char text[32];
    ++round_trips;
    if (count_file == -2) {
        const char* path = getenv("UVOLA_ROUND_TRIP_FILE");
        count_file = path != NULL ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }
    if (count_file >= 0) {
        const int length = snprintf(text, sizeof text, "%ld\n", round_trips);
        if (pwrite(count_file, text, (size_t)length, 0) != length) {
            count_file = -1;
        }
    }
}

void* xcb_wait_for_reply(void* connection, unsigned int request, void** error)
{
    static WaitForReply* next;
    if (next == NULL) {
        next = (WaitForReply*)dlsym(RTLD_NEXT, "xcb_wait_for_reply");
    }
    CountRoundTrip();
    return next(connection, request, error);
}

void* xcb_wait_for_reply64(void* connection, uint64_t request, void** error)
{
    static WaitForReply64* next;
    if (next == NULL) {
        next = (WaitForReply64*)dlsym(RTLD_NEXT, "xcb_wait_for_reply64");
    }
    CountRoundTrip();
    return next(connection, request, error);
}
