// Drawing of the three menu previews. Each item starts from the camera frame:
// between items the matrix is popped back to it and pushed again, while colour,
// line width and normal carry over from one item to the next.
#include "app/menu_previews.h"

#include "scene/bitmap_text.h"
#include "scene/pixel_scale.h"
#include "scene/scene_setup.h"

#include <GL/freeglut.h>

namespace {

void beginPreview(SceneView& view) {
    view.beginDraw();
    apply(previewSetup);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glPushMatrix();
}

void nextItem() {
    glPopMatrix();
    glPushMatrix();
}

void endPreview() {
    glPopMatrix();
    glPopMatrix();
}

void cone(double base, double height) { glutSolidCone(base, height, 20, 20); }
void sphere(double radius) { glutSolidSphere(radius, 20, 20); }
void ring() { glutSolidTorus(0.15, 0.48, 20, 20); }

}  // namespace

void BellPreview::draw() {
    beginPreview(*this);
    // Laser housing.
    glColor3f(0.3f, 0.1f, 0);
    glTranslatef(-4, 0, 0);
    glScalef(1, 0.9f, 0.9f);
    glutSolidCube(2);
    nextItem();
    // Beam with three rings around its axis.
    glColor3f(1, 1, 0);
    glTranslatef(-2, 0, 0);
    glRotatef(-90, 0, 1, 0);
    cone(0.4, 2.5);
    glColor3f(1, 0, 1);
    glRotatef(-90, 0, 0, 1);
    glTranslatef(0, 0, 0.88f);
    ring();
    glTranslatef(0, 0, -0.2f);
    ring();
    glTranslatef(0, 0, -0.2f);
    ring();
    nextItem();
    glColor3f(1, 0, 1);
    glTranslatef(-0.8f, 0, 0);
    sphere(0.4);
    nextItem();
    // Crystal.
    glColor3f(0, 0, 1);
    glTranslatef(1.6f, 0, 0);
    glScalef(0.3f, 0.8f, 1);
    glutSolidCube(2.5);
    nextItem();
    // Emission cones.
    glColor3f(1, 0.6f, 0.1f);
    glTranslatef(5, 0.65f, 0);
    glRotatef(13, 0, 0, 1);
    glRotatef(-90, 0, 1, 0);
    cone(1, 3.7);
    nextItem();
    glColor3f(0, 1, 0);
    glTranslatef(5, -0.7f, 0);
    glRotatef(-11, 0, 0, 1);
    glRotatef(-90, 0, 1, 0);
    cone(1, 3.7);
    endPreview();
}

void TeleportPreview::draw() {
    beginPreview(*this);
    // Source.
    glColor3f(1, 1, 1);
    glTranslatef(0, 1.6f, -6);
    sphere(0.45);
    nextItem();
    // Crystal slab.
    glColor3f(0, 0, 0.8f);
    glTranslatef(0, 0.7f, -2);
    glRotatef(15, 1, 0, 0);
    glScalef(2, 1, 0.4f);
    glutSolidCube(2);
    nextItem();
    // The two beams.
    sceneLineWidth(5);
    glColor3f(1, 1, 0);
    glNormal3f(0, 0, 1);
    glTranslatef(0, 0.7f, -1.5f);
    glBegin(GL_LINE_STRIP);
    glVertex3f(-2, -1, 8);
    glVertex3f(0, 0, 0);
    glVertex3f(2, -1, 8);
    glEnd();
    nextItem();
    glTranslatef(-2, -0.6f, 4.2f);
    glRotatef(-34, 0, 1, 0);
    glRotatef(20, 1, 0, 0);
    cone(0.2, 1);
    nextItem();
    glTranslatef(2, -0.6f, 4.2f);
    glRotatef(34, 0, 1, 0);
    glRotatef(20, 1, 0, 0);
    cone(0.2, 1);
    nextItem();
    // Stations.
    glColor3f(1, 0, 0);
    glTranslatef(-3.2f, -1.6f, 7);
    sphere(0.45);
    nextItem();
    glTranslatef(3.2f, -1.6f, 7);
    sphere(0.45);
    nextItem();
    // Double coil: the second is the first turned half a turn about its axis.
    glNormal3f(-1, 0, 0);
    sceneLineWidth(2);
    glColor3f(0.6f, 0.6f, 0.6f);
    glTranslatef(-2.4f, -1.6f, 6);
    glRotatef(90, 0, 1, 0);
    helix.drawHelix(20, 0.2f, 0.6f, 1.6f);
    nextItem();
    glNormal3f(1, 0, 0);
    glTranslatef(-2.4f, -1.6f, 6);
    glRotatef(90, 0, 1, 0);
    glRotatef(180, 0, 0, 1);
    helix.drawHelix(20, 0.2f, 0.6f, 1.6f);
    endPreview();
}

void Bb84Preview::draw() {
    beginPreview(*this);
    // Polarization arrows.
    glColor3f(1, 1, 0);
    glTranslatef(-2, 1.6f, -1);
    glRotatef(90, 0, 0, 1);
    arrows.drawDoubleArrow(0.2f, 3, 0.9f);
    nextItem();
    glTranslatef(0, 1.6f, 0);
    glRotatef(-45, 0, 0, 1);
    arrows.drawDoubleArrow(0.3f, 5, 1.3f);
    nextItem();
    glTranslatef(2.7f, 1.2f, 0);
    glScalef(2, 0.3f, 1);
    arrows.drawCurvedArrow(2, 5, 3, true);
    nextItem();
    glTranslatef(3.4f, -0.7f, 0.1f);
    arrows.drawDoubleArrow(1.2f, 5, 2.4f);
    nextItem();
    // Bit table.
    glNormal3f(0, 0.6f, 0.8f);
    glTranslatef(-3, 1, 0);
    glScalef(2, 0.5f, 1);
    table.drawTable(4, 8, 12, false);
    nextItem();
    glColor3f(0, 0, 1);
    glTranslatef(1.1f, -1, 0);
    sphere(0.5);
    // The bit string starts from the frame of the first push.
    glPopMatrix();
    glColor3f(1, 1, 1);
    glNormal3f(0, 0, 1);
    glTranslatef(0, 0, 0.1f);
    drawHelveticaText(-5, -2.5f, "10110010111100101101010110000");
    glPopMatrix();
}
