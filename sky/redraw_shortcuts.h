// The redraw's short cuts past the X server. Star points are gathered per
// colour and sent in one request each instead of one per star, lines of one
// style in one call instead of one per line; the sky's colours are kept from
// one redraw to the next and, on a TrueColor screen, worked out from the
// visual's masks instead of asked for. The chart is the same either way: the
// tests draw it with both turned off (each star's points and each line sent
// at once, every colour asked of the server) and compare.
#pragma once

struct RedrawShortcuts {
    int batchSize;        // star symbols gathered before their points are sent;
                          // 1: each symbol's points and each line sent at once
    int keepColors;       // 0: every colour asked of the server, every redraw
};

extern RedrawShortcuts gRedrawShortcuts;
