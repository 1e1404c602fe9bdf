// Double-headed arrows (a polarization direction) and curved arrows (a sense of
// rotation). The painter keeps the parameters of its last draw.
#pragma once

#include "scene/color.h"

class ArrowPainter {
public:
    bool headAtTop = true;
    float length = 1.0f;
    float radius = 1.0f;
    float lineWidth = 5.0f;
    float headScale = 1.0f;
    // Kept for the owner; the painter draws in the current colour.
    Color colour;

    // A line along y from -length to +length with a cone at each end pointing away.
    void drawDoubleArrow(float length, float lineWidth, float headScale);
    // An arc of 228 degrees squeezed into a tall ellipse, with one head at its upper
    // (counter-clockwise) or lower (clockwise) end.
    void drawCurvedArrow(float radius, float lineWidth, float headScale, bool headAtTop);
};
