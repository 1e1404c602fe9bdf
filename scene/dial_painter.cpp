// Dials on a stand.
#include "scene/dial_painter.h"

#include <GL/freeglut.h>

#include <cmath>

void DialPainter::drawDial(float r, int degrees) {
    size = r;
    angle = degrees;

    // Pointer lying on the ring, pointing outward.
    glPushMatrix();
    glColor3f(0.8f, 0.8f, 0.8f);
    glRotatef(static_cast<float>(degrees), 0, 0, 1);
    glTranslatef(r, 0, 0);
    glRotatef(90, 0, 1, 0);
    glutSolidCone(0.2 * r, 0.9 * r, 20, 20);
    glPopMatrix();

    // Ring; it uses the current normal.
    glColor3f(1, 0.5f, 0);
    glBegin(GL_QUAD_STRIP);
    for (int k = 0; k <= 20; ++k) {
        const double a = k * 0.31415927;
        glVertex3f(r * std::cos(a), r * std::sin(a), 0.3f * r);
        glVertex3f(r * std::cos(a), r * std::sin(a), -0.3f * r);
    }
    glEnd();

    // Face: a low cone nearly flat, facing +z.
    glColor3f(0.5f, 0.5f, 0.5f);
    glTranslatef(0, 0, 0.1f * r);
    glutSolidCone(0.99 * r, 0.15 * r, 20, 20);

    // Post, then the foot inside the post's scaling.
    glColor3f(1, 0.5f, 0);
    glTranslatef(0, -2.3f * r, 0);
    glScalef(0.1f * r, r, 0.1f * r);
    glutSolidCube(7 * r);
    glTranslatef(0, -3 * r, 0);
    glScalef(8 * r, 0.6f * r, 8 * r);
    glutSolidCube(16 * r);
}
