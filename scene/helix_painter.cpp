// Coils.
#include "scene/helix_painter.h"

#include <GL/gl.h>

#include <cmath>

void HelixPainter::drawHelix(unsigned n, float r, float length, float risePerTurn) {
    // Both the step and the rise divide by n.
    if (n == 0) {
        n = 1;
    }
    segmentsPerTurn = n;
    radius = r;
    pointCount = static_cast<unsigned>(length * 100);
    pitch = risePerTurn;

    const float step = static_cast<float>((360 / n) * 0.01745329252);
    const float dz = risePerTurn / n;
    glBegin(GL_LINE_STRIP);
    glVertex3f(0, 0, 0);
    float z = dz;
    for (unsigned i = 1; i <= pointCount; ++i) {
        glVertex3f(r * std::cos(i * step), r * std::sin(i * step), z);
        z += dz;
    }
    glEnd();
}
