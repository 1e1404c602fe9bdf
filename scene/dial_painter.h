// An adjustable optical element: a ring with a pointer on a post and a foot.
#pragma once

class DialPainter {
public:
    float size = 1.0f;
    int angle = 0;

    // Leaves the dial's translations and scalings applied and the colour orange:
    // callers push and pop around it.
    void drawDial(float size, int angle);
};
