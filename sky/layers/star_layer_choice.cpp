// Which star layer draws the chart's stars.
#include "sky/layers/star_layer_choice.h"

#include "sky/layers/gsc_star_layer.h"
#include "sky/layers/sao_star_layer.h"
#include "sky/layers/star_layer.h"

void DrawStarLayer(Scene& scene, RedrawRecord& redraw)
{
    // A star file that cannot be read leaves the chart without stars rather
    // than quietly showing the built-in ones in its place.
    if (scene.displayFlags[kFlagStars] & kSaoStarsFlag)
        DrawSaoStars(scene, redraw);
    else if (scene.displayFlags[kFlagStars] & kGscStarsFlag)
        DrawGscStars(scene, redraw);
    else
        DrawBuiltinStars(scene, redraw);
}
