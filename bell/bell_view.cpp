// Drawing of the Bell view: the experiment's run moves the photons and chooses
// colours and turns; the view draws them as they stand.
#include "bell/bell_view.h"

#include "scene/bitmap_text.h"
#include "scene/hot_spot.h"
#include "scene/pixel_scale.h"
#include "scene/scene_setup.h"
#include "scene/view_events.h"

#include <GL/freeglut.h>

namespace {

// Height of the beam: laser, crystal, photons and detectors stand on it.
constexpr float kPhotonHeight = 2.4f;

const char* const kLabel = "Description";
const char* const kDescription[] = {
    "Pairs of photons in the entangled state",
    "(|H>|V> - |V>|H>)  are generated in a nonlinear",
    "crystal, and are analyzed by polarization detectors,",
    "each of which can be set in three different directions.",
    "The results contradict either to the assumption of the",
    "existence of a polarization property independently of",
    "the measurement, or to locality.",
};

void line(float x1, float y1, float x2, float y2) {
    glBegin(GL_LINES);
    glVertex3f(x1, y1, 0);
    glVertex3f(x2, y2, 0);
    glEnd();
}

void redSphereAt(float x, float z) {
    glPushMatrix();
    glColor3f(1, 0, 0);
    glTranslatef(x, kPhotonHeight, z);
    glutSolidSphere(0.3, 20, 20);
    glPopMatrix();
}

}  // namespace

BellView::BellView(int x, int y, int w, int h, const BellExperiment& experiment)
    : SceneView(x, y, w, h), experiment(experiment) {}

void BellView::applyLightLevels() {
    if (sceneLit) {
        lightLevels[0] = 0.1f;
        lightLevels[1] = 0.6f;
        lightLevels[2] = 1.0f;
    } else {
        lightLevels[0] = 0.0f;
        lightLevels[1] = 0.1f;
        lightLevels[2] = 0.3f;
    }
}

int BellView::handle(int event) { return handleViewEvent(*this, event); }

void BellView::draw() {
    beginDraw();
    apply(bellSetup(lightLevels[0], lightLevels[1], lightLevels[2]));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // Everything is squeezed to 0.4 along the beam.
    glPushMatrix();
    glScalef(0.4f, 1, 1);
    drawPhotons();
    drawLampPanels();
    drawLaser();
    drawCrystal();
    drawCones();
    drawDetector(2.8f, experiment.leftShownSetting);
    drawDetector(-2.8f, experiment.rightShownSetting);
    drawDescription();
    glPopMatrix();
    drawCaption();
}

void BellView::drawLetters() {
    glPushMatrix();
    glColor3f(1, 1, 0);
    glTranslatef(5.65f, 4.45f, 0);
    glNormal3f(0, 0, 1);
    drawTimesText(0, 0, experiment.leftLetter);
    glTranslatef(4.05f, 1, 0);
    drawTimesText(0, 0, experiment.rightLetter);
    glPopMatrix();
}

void BellView::drawPhotons() {
    const BellExperiment& e = experiment;
    const float photonX = e.photonX;
    const float photonSpread = e.photonSpread;
    switch (e.phase) {
    case BellPhase::Pump:
        // The pump photon on its way to the crystal.
        glPushMatrix();
        glColor3f(0, 0, 1);
        glTranslatef(photonX, kPhotonHeight, 0);
        glutSolidSphere(0.3, 20, 20);
        glPopMatrix();
        break;
    case BellPhase::Turning:
    case BellPhase::HeldBefore:
    case BellPhase::Approach:
        drawLetters();
        [[fallthrough]];
    case BellPhase::Emission:
        redSphereAt(photonX, photonSpread);
        redSphereAt(photonX, -photonSpread);
        // A local pair's photons carry their hidden polarization from the crystal on.
        if (e.local) {
            drawHiddenPolarizations();
        }
        break;
    case BellPhase::Detection:
    case BellPhase::HeldAfter:
    case BellPhase::Departure:
        // Detected photons: arrows along their detector's + axis for result +,
        // across it for result -.
        drawLetters();
        glPushMatrix();
        glNormal3f(0, 0, 1);
        glTranslatef(photonX, kPhotonHeight, photonSpread);
        e.leftPhotonColour.apply();
        glRotatef(static_cast<float>(e.leftTurn), 1, 0, 0);
        glRotatef(-30.0f * e.leftShownSetting, 1, 0, 0);
        leftArrow.drawDoubleArrow(0.6f, 6, 1.4f);
        glPopMatrix();
        glPushMatrix();
        glNormal3f(0, 0, 1);
        glTranslatef(photonX, kPhotonHeight, -photonSpread);
        e.rightPhotonColour.apply();
        glRotatef(static_cast<float>(e.rightTurn), 1, 0, 0);
        glRotatef(-30.0f * e.rightShownSetting, 1, 0, 0);
        rightArrow.drawDoubleArrow(0.6f, 6, 1.4f);
        glPopMatrix();
        break;
    default:
        break;
    }
}

void BellView::drawHiddenPolarizations() {
    // Thin cyan rods through the photons, turned about the beam like the
    // detectors (30 degrees a direction): the left at the hidden angle, the
    // right, which answers the other way, a quarter turn from it.
    glColor3f(0, 1, 1);
    const float photonX = experiment.photonX;
    const float photonSpread = experiment.photonSpread;
    const float hiddenPolarization = static_cast<float>(experiment.hiddenAngle);
    const float sides[2][2] = {{photonSpread, hiddenPolarization},
                               {-photonSpread, hiddenPolarization + 90}};
    for (const auto& side : sides) {
        glPushMatrix();
        glTranslatef(photonX, kPhotonHeight, side[0]);
        glRotatef(-side[1], 1, 0, 0);
        glScalef(0.15f, 1.8f, 0.15f);
        glutSolidCube(1);
        glPopMatrix();
    }
}

void BellView::drawLampPanels() {
    // GL state changed here and left: line width 4, normal (0, 0, 1).
    glPushMatrix();
    glNormal3f(0, 0, 1);
    sceneLineWidth(4);
    glTranslatef(3, -2.9f, 0);
    glScalef(1.5f, 1.5f, 1);
    for (int side = 0; side < 2; ++side) {
        const Color* panel = &experiment.lamps[side * 6];
        // The - axes, dashed, at right angles to the + axes.
        glPushMatrix();
        panel[0].apply();
        drawTimesText(-2.37f, -0.14f, "A-");
        glLineStipple(stippleFactor, stipplePattern);
        glEnable(GL_LINE_STIPPLE);
        line(-1.7f, 0, 2, 0);
        panel[1].apply();
        drawTimesText(-2.1f, 0.88f, "B-");
        glRotatef(-30, 0, 0, 1);
        line(-1.7f, 0, 2, 0);
        panel[2].apply();
        drawTimesText(-1.9f, 0.68f, "C-");
        glRotatef(-30, 0, 0, 1);
        line(-1.7f, 0, 1.9f, 0);
        glDisable(GL_LINE_STIPPLE);
        glPopMatrix();
        // The + axes, solid, at 0, -30 and -60 degrees from the vertical.
        glPushMatrix();
        panel[3].apply();
        drawTimesText(-0.15f, 1.8f, "A+");
        line(0, 1.7f, 0, -1.7f);
        panel[4].apply();
        drawTimesText(0.96f, 1.5f, "B+");
        glRotatef(-30, 0, 0, 1);
        line(0, 1.7f, 0, -1.7f);
        panel[5].apply();
        drawTimesText(0.9f, 1.5f, "C+");
        glRotatef(-30, 0, 0, 1);
        line(0, 1.7f, 0, -1.7f);
        glPopMatrix();
        glTranslatef(6.1f, 0, 0);
    }
    glPopMatrix();
}

void BellView::drawLaser() {
    glPushMatrix();
    glColor3f(0.7f, 0.5f, 0.1f);
    glTranslatef(-13, kPhotonHeight, 0);
    glScalef(1.2f, 1, 1);
    glutSolidCube(2.1);
    // The beam: a cone pointing back into the box, with three rings.
    glColor3f(1, 1, 0);
    glTranslatef(2.1f, 0, 0);
    glRotatef(-90, 0, 1, 0);
    glutSolidCone(0.4, 2.5, 20, 20);
    glColor3f(1, 0, 1);
    glRotatef(-90, 0, 0, 1);
    glTranslatef(0, 0, 0.88f);
    glutSolidTorus(0.15, 0.48, 20, 20);
    for (int ring = 0; ring < 2; ++ring) {
        glTranslatef(0, 0, -0.2f);
        glutSolidTorus(0.15, 0.48, 20, 20);
    }
    glPopMatrix();
}

void BellView::drawCrystal() {
    glPushMatrix();
    glColor3f(0.2f, 0.2f, 1);
    glTranslatef(-3.8f, kPhotonHeight, 0);
    glScalef(0.25f, 0.8f, 1);
    glutSolidCube(3);
    glPopMatrix();
}

void BellView::drawCones() {
    glPushMatrix();
    glColor3f(1, 1, 0);
    glRotatef(-90, 0, 1, 0);
    glRotatef(11, 1, 0, 0);
    glTranslatef(0, 3, -1.62f);
    glutSolidCone(1.6, 5, 30, 30);
    glPopMatrix();
    glPushMatrix();
    glColor3f(0, 1, 0);
    glRotatef(-90, 0, 1, 0);
    glRotatef(-11, 1, 0, 0);
    glTranslatef(0, 1.7f, -0.7f);
    glutSolidCone(1.6, 5, 30, 30);
    glPopMatrix();
}

void BellView::drawDetector(float z, int shownSetting) {
    glPushMatrix();
    glColor3f(1, 1, 1);
    glTranslatef(8, kPhotonHeight, z);
    glRotatef(-30.0f * shownSetting, 1, 0, 0);
    // A short double cone along the - axis ...
    glRotatef(-90, 0, 0, 1);
    glutSolidCone(0.3, 1.4, 20, 20);
    glRotatef(180, 0, 1, 0);
    glutSolidCone(0.3, 1.4, 20, 20);
    // ... and a long one along the + axis.
    glRotatef(-90, 0, 1, 0);
    glutSolidCone(0.4, 2, 20, 20);
    glRotatef(180, 0, 1, 0);
    glutSolidCone(0.4, 2, 20, 20);
    glPopMatrix();
}

void BellView::drawDescription() {
    // The hot spot is the red word, wherever it is drawn.
    glPushMatrix();
    glTranslatef(-15, -5.8f, 0);
    showDescription = pointerIn(*this, largeTextBox(*this, kLabel));
    glPopMatrix();

    glPushMatrix();
    glNormal3f(0, 0, 1);
    if (!showDescription) {
        glColor3f(1, 0, 0);
        glTranslatef(-15, -5.8f, 0);
        drawTimesText(0, 0, kLabel);
    } else {
        glColor3f(0.3f, 1, 0.3f);
        glTranslatef(-15, -0.7f, 0);
        int line = 0;
        for (const char* text : kDescription) {
            drawHelveticaText(0, -0.7f * line++, text);
        }
    }
    glPopMatrix();
}
