#include "tooltip/tip_placement.h"

namespace {

constexpr int kTipGap = 4;

}  // namespace

TipPlace PlaceTip(int rootX, int rootY, int widgetHeight, int tipWidth, int tipHeight,
                  int screenWidth, int screenHeight)
{
    TipPlace place{rootX + kTipGap, rootY + widgetHeight + kTipGap};
    if (place.y + tipHeight > screenHeight) {
        place.y = rootY - tipHeight - kTipGap;
    }
    if (place.x < 0) {
        place.x = 0;
    }
    if (place.x + tipWidth > screenWidth) {
        place.x = screenWidth - tipWidth - 1;
    }
    return place;
}
