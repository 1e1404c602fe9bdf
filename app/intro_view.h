// The scrolling introduction on the right of the title screen. It only draws;
// the title loop moves the text by advancing `scroll`.
#pragma once

#include "scene/scene_view.h"

class IntroView : public SceneView {
public:
    // Vertical offset of the text; the first line stands at scroll - 3.3.
    float scroll = 4.0f;

    IntroView(int x, int y, int w, int h) : SceneView(x, y, w, h) {}

    // One turn of the title loop: 0.004 further, and from above 10.5 (all text
    // gone past the top) back to -0.5 (below the bottom). A cycle is 2750 turns.
    void advanceScroll();

    void draw() override;
};
