#include "sky/true_color.h"

#include <cstdint>

namespace {

// Bits to shift a mask right by to bring its lowest set bit to bit 0.
int MaskShift(unsigned long mask)
{
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// The index into one channel's ramp that the server picks for a component.
// Given:    value    the requested component, 0..65535
//           limit    the channel's largest index (its mask shifted down)
//           rgbBits  the visual's bits per RGB value
unsigned long ChannelIndex(unsigned int value, unsigned long limit, int rgbBits)
{
    const int shift = 16 - rgbBits;
    const uint64_t full = (uint64_t{1} << rgbBits) - 1;
    // The request is first brought to what the hardware can show ...
    const uint64_t wanted = (uint64_t{value} >> shift) * 65535 / full;
    // ... then matched against the ramp entries, the first nearest winning.
    unsigned long best = 0;
    uint64_t bestDistance = UINT64_MAX;
    for (unsigned long i = 0; i <= limit; ++i) {
        const uint64_t entry = ((uint64_t{i} * 65535 / limit) >> shift) * 65535 / full;
        const uint64_t distance = entry > wanted ? entry - wanted : wanted - entry;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

unsigned long ChannelPixel(unsigned long mask, unsigned int value, int rgbBits)
{
    const int shift = MaskShift(mask);
    const unsigned long limit = mask >> shift;
    return limit == 0 ? 0 : ChannelIndex(value, limit, rgbBits) << shift;
}

}  // namespace

bool DefaultVisualIsTrueColor(Display* display)
{
    return display != nullptr && DefaultVisual(display, DefaultScreen(display))->c_class == TrueColor;
}

unsigned long TrueColorPixel(const Visual* visual, int depth, const XColor& color)
{
    const unsigned long masks = visual->red_mask | visual->green_mask | visual->blue_mask;
    const unsigned long alpha = depth >= 32 ? ~masks & 0xFFFFFFFFul : 0;
    return ChannelPixel(visual->red_mask, color.red, visual->bits_per_rgb) |
           ChannelPixel(visual->green_mask, color.green, visual->bits_per_rgb) |
           ChannelPixel(visual->blue_mask, color.blue, visual->bits_per_rgb) | alpha;
}
