// The window-manager icons: a globe on a checkered background, XBM bits
// (rows padded to whole bytes, least significant bit leftmost).
#pragma once

extern const unsigned char kGlobeIcon48[48 * 6];
extern const unsigned char kGlobeIcon32[32 * 4];
