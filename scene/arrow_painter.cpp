// Straight and curved arrows.
#include "scene/arrow_painter.h"

#include "scene/pixel_scale.h"

#include <GL/freeglut.h>

#include <cmath>

namespace {
const double radiansPerDegree = 0.01745329252;
}

void ArrowPainter::drawDoubleArrow(float L, float w, float s) {
    length = L;
    lineWidth = w;
    headScale = s;
    glPushMatrix();
    sceneLineWidth(w);
    glBegin(GL_LINES);
    glVertex3f(0, L, 0);
    glVertex3f(0, -L, 0);
    glEnd();
    // Lower head: the cone's local +z points down the line.
    glRotatef(90, 1, 0, 0);
    glTranslatef(0, 0, L);
    glutSolidCone(0.15 * s, 0.7 * s, 20, 20);
    // Upper head, turned round.
    glTranslatef(0, 0, -2 * L);
    glRotatef(180, 1, 0, 0);
    glutSolidCone(0.15 * s, 0.7 * s, 20, 20);
    glPopMatrix();
}

void ArrowPainter::drawCurvedArrow(float R, float w, float s, bool top) {
    radius = R;
    lineWidth = w;
    headScale = s;
    headAtTop = top;
    glPushMatrix();
    sceneLineWidth(w);
    glScalef(0.35f, 2.2f, 1);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < 20; ++i) {
        const double a = (12 * i - 120) * radiansPerDegree;
        glVertex3f(R * std::cos(a), R * std::sin(a), 0);
    }
    glEnd();
    if (top) {
        glTranslatef(-0.08f * R, R, 0);
    } else {
        glTranslatef(-0.38f * R, -0.9f * R, 0);
    }
    glRotatef(-90, 0, 1, 0);
    glutSolidCone(0.15 * s, 0.4 * s, 20, 20);
    glPopMatrix();
}
