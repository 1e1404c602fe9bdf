// A coil around the z axis that starts on the axis.
#pragma once

class HelixPainter {
public:
    unsigned pointCount = 1;
    unsigned segmentsPerTurn = 20;
    float pitch = 1.0f;
    float radius = 1.0f;

    // length * 100 points on the coil after the axis point; the angular step is
    // 360 / segmentsPerTurn in whole degrees, the rise per point pitch / segmentsPerTurn.
    void drawHelix(unsigned segmentsPerTurn, float radius, float length, float pitch);
};
