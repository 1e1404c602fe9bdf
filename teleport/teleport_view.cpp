// Drawing of the teleportation scene. Every item starts from the camera frame
// inside its own push and pop; colour, normal and line width carry over from one
// item to the next.
#include "teleport/teleport_view.h"

#include "scene/bitmap_text.h"
#include "scene/hot_spot.h"
#include "scene/pixel_scale.h"
#include "scene/scalable_text.h"
#include "scene/scene_setup.h"
#include "scene/view_events.h"

#include <FL/Fl.H>
#include <GL/freeglut.h>

#include <cstdio>

namespace {

void sphere(double radius) { glutSolidSphere(radius, 20, 20); }
void cone(double base, double height) { glutSolidCone(base, height, 20, 20); }
void torus(double inner, double outer) { glutSolidTorus(inner, outer, 20, 20); }

const char* const descriptionLines[11] = {
    "Simulation of the teleportation experiment",
    "with photons, first performed in 1997.",
    "The state of photon 1 is teleported to become",
    "the state of one member (3) of the entangled",
    "photon pair 2 and 3, generated in a nonlinear",
    "crystal.",
    "Bob reproduces the arbitrary state of photon",
    "1, by performing one operation out of the",
    "possible four, depending on the measurement",
    "result of Alice, which is communicated to him",
    "through a classical channel.",
};

// Added below the eleven lines while Message is unlit.
const char* const withheldLines[3] = {
    "Without the message Bob's photon is left in",
    "one of four states: averaged over Alice's",
    "results it is unpolarized; Bob learns nothing.",
};

// The tally's panel, in pixels of the view's design with y downward: over the
// empty corner right of the crystal and below where Bob's output arrow stops.
constexpr float tallyLeft = 545;
constexpr float tallyTop = 415;  // the heading's baseline
constexpr float tallyLine = 33;
constexpr float tallyBarLeft = 585;
constexpr float tallyBarFull = 200;  // a share of 1
constexpr float tallyCountRight = 860;
constexpr float tallyShareRight = 975;
// Text a little larger than the scene's, as the buttons' labels are.
constexpr int tallyTextSize = 28;

float tallyScale() { return tallyTextSize / 24.0f; }

// Times text with its left end (or, for `right`, its right end) at a point.
void tallyText(float x, float y, const char* text, bool right = false) {
    if (right) {
        x -= largeTextWidth(text) * tallyScale();
    }
    glRasterPos2f(x, y);
    if (!drawScalableText(TextFace::Serif, GLUT_BITMAP_TIMES_ROMAN_24, 24,
                          pixelScale() * tallyScale(), text)) {
        continueTimesText(text);
    }
}

// One row: a bar as long as the share, then count and share in per cent.
void tallyRow(float y, int count, double share) {
    glRectf(tallyBarLeft, y - 20, static_cast<float>(tallyBarLeft + tallyBarFull * share), y);
    char text[16];
    glColor3f(1, 1, 1);
    std::snprintf(text, sizeof text, "%d", count);
    tallyText(tallyCountRight, y, text, true);
    std::snprintf(text, sizeof text, "%.1f %%", 100 * share);
    tallyText(tallyShareRight, y, text, true);
}

}  // namespace

TeleportView::TeleportView(int x, int y, int w, int h, const TeleportExperiment& experiment)
    : SceneView(x, y, w, h), model(experiment) {}

Color TeleportView::lampColour(int k) const {
    const TeleportPhase phase = model.phase;
    Color lamp;
    lamp.setGrey();
    if (k < kResults) {
        // Alice's result stays lit until the next Start's first stage.
        if (phase >= TeleportPhase::MessageSent && k == model.facts.result) {
            lamp.setGold();
        }
    } else if (model.facts.messageSent) {
        // The channel while the bits travel, the receiver once they arrive.
        const bool lit = k == 4 ? phase == TeleportPhase::MessageSent ||
                                      phase == TeleportPhase::MessageArrives
                                : phase == TeleportPhase::MessageArrives;
        if (lit) {
            lamp.setWhite();
        }
    }
    return lamp;
}

int TeleportView::handle(int event) { return handleViewEvent(*this, event); }

void TeleportView::draw() {
    beginDraw();
    // Step 1: the pointer; the hot spot itself is decided where the word is drawn.
    pointerX = Fl::event_x_root();
    pointerY = Fl::event_y_root();

    // Step 2: lights, projection and camera; then the picture.
    apply(teleportSetup);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    drawMovingParts();
    drawFixedScene();
    drawDescription();
    // The explanation, when asked for, covers the same corner as the tally.
    if (model.showTally && !showDescription) {
        drawTally();
    }
    glPopMatrix();
    drawCaption();
}

void TeleportView::drawPhoton(int k, float x, float z) {
    const char digit[2] = {static_cast<char>('0' + k), 0};
    glPushMatrix();
    glColor3f(1, 0, 0);
    glTranslatef(x, -0.5f, z);
    sphere(0.15);
    glNormal3f(0, 0.1f, 0.9f);
    glColor3f(0, 1, 1);
    glTranslatef(-0.05f, 0.3f, 0);
    drawHelveticaText(0, 0, digit);
    glPopMatrix();
}

void TeleportView::drawMovingParts() {
    switch (model.phase) {
    case TeleportPhase::PumpToCrystal:
        // The pulse: two spheres, the second 0.8 further away.
        glColor3f(1, 1, 1);
        glPushMatrix();
        glTranslatef(model.pumpX, -0.5f, model.pumpZ);
        sphere(0.15);
        glPopMatrix();
        glPushMatrix();
        glTranslatef(model.pumpX, -0.5f, static_cast<float>(model.pumpZ - 0.8));
        sphere(0.15);
        glPopMatrix();
        break;
    case TeleportPhase::PairLeavesCrystal:
    case TeleportPhase::PumpReturns:
        glColor3f(1, 1, 1);
        glPushMatrix();
        glTranslatef(model.pumpX, -0.5f, model.pumpZ);
        sphere(0.15);
        glPopMatrix();
        drawPhoton(2, model.photon2X, model.photon2Z);
        drawPhoton(3, model.photon3X, model.photon3Z);
        break;
    case TeleportPhase::SecondPairBorn:
    case TeleportPhase::SecondPairLeaves:
        drawPhoton(2, model.photon2X, model.photon2Z);
        drawPhoton(3, model.photon3X, model.photon3Z);
        drawPhoton(1, model.photon1X, model.photon1Z);
        drawPhoton(4, model.photon4X, model.photon4Z);
        break;
    case TeleportPhase::PhotonTwoTurns:
    case TeleportPhase::InputRevealed:
        drawPhoton(2, model.photon2X, model.photon2Z);
        drawPhoton(3, model.photon3X, model.photon3Z);
        drawPhoton(1, model.photon1X, model.photon1Z);
        break;
    case TeleportPhase::MessageSent:
        drawPhoton(3, model.photon3X, model.photon3Z);
        if (!model.facts.messageSent) {
            break;  // Alice's bits stay with her
        }
        glPushMatrix();
        glColor3f(1, 1, 0);
        glNormal3f(0, 0, 1);
        glTranslatef(model.messageX, model.messageY, model.messageZ);
        drawTimesText(0, 0, model.messageText);
        glPopMatrix();
        break;
    case TeleportPhase::MessageArrives:
        // Photon 3 has given its state away: no digit any more.
        glPushMatrix();
        glColor3f(1, 0, 0);
        glTranslatef(model.photon3X, -0.5f, model.photon3Z);
        sphere(0.15);
        glPopMatrix();
        break;
    case TeleportPhase::OutputLeaves:
    case TeleportPhase::Finished:
        drawOutputArrow();
        break;
    default:
        break;
    }
    if (model.phase >= TeleportPhase::PairLeavesCrystal &&
        model.phase <= TeleportPhase::InputRevealed) {
        drawHelixPair();
    }
}

void TeleportView::drawHelixPair() {
    // Two coils half a turn apart, starting at photon 2 and running along +x.
    for (int copy = 0; copy < 2; ++copy) {
        glPushMatrix();
        if (copy == 0) {
            glNormal3f(-1, 0, 0);
            sceneLineWidth(3);
            glColor3f(0.8f, 0.8f, 0.8f);
        } else {
            glNormal3f(1, 0, 0);
        }
        glTranslatef(static_cast<float>(model.photon2X + 0.25), -0.5f,
                     static_cast<float>(model.photon2Z - 0.1));
        glRotatef(90, 0, 1, 0);
        glRotatef(-model.helixTwist, 1, 0, 0);
        if (copy == 1) {
            glRotatef(180, 0, 0, 1);
        }
        helix.drawHelix(20, 0.12f, model.helixExtent, 0.4f);
        glPopMatrix();
    }
}

void TeleportView::drawOutputArrow() {
    // The output's colour is the legend's for the direction it comes out along.
    outputArrow.colour.select(model.facts.output);
    glPushMatrix();
    outputArrow.colour.apply();
    glTranslatef(3.26f, -0.45f, model.outputZ);
    glScalef(0.5f, 0.8f, 1);
    glRotatef(90, 0, 0, 1);
    glRotatef(static_cast<float>(model.facts.output * 30), 0, 0, 1);
    outputArrow.drawDoubleArrow(0.2f, 3, 0.7f);
    glPopMatrix();
}

void TeleportView::drawFixedScene() {
    // Titles and names.
    glPushMatrix();
    glColor3f(1, 1, 1);
    glNormal3f(0, 0.1f, 0.9f);
    glTranslatef(1, 7, 0);
    drawTimesText(-6, -1, "Quantum teleportation");
    glColor3f(0, 1, 0);
    drawTimesText(-5.9f, -9.2f, "Alice");
    glColor3f(1, 1, 0);
    drawTimesText(3.5f, -3.7f, "Bob");
    glPopMatrix();

    // Alice's station: box, four result lamps, their numbers, antenna.
    glPushMatrix();
    glScalef(0.8f, 0.8f, 0.8f);
    glColor3f(0, 0.8f, 0);
    glTranslatef(-5.8f, 0, 1);
    glScalef(1.3f, 1, 0.8f);
    glutSolidCube(2);
    lampColour(0).apply();
    glTranslatef(-0.67f, 0.5f, 0.95f);
    glScalef(0.72f, 1, 1.25f);
    sphere(0.24);
    for (int k = 1; k < 4; ++k) {
        lampColour(k).apply();
        glTranslatef(0.62f, 0, 0);
        sphere(0.24);
    }
    glColor3f(0.2f, 0.2f, 0.2f);
    glTranslatef(-1.95f, -0.75f, 0.25f);
    drawTimesText(0, 0, "0");
    drawTimesText(0.63f, 0, "1");
    drawTimesText(1.26f, 0, "2");
    drawTimesText(1.88f, 0, "3");
    glColor3f(0, 0.8f, 0);
    glTranslatef(2.2f, 2.5f, -0.9f);
    glScalef(1, 18, 1);
    glutSolidCube(0.15);
    glRotatef(40, 0, 1, 0);
    glScalef(6, 0.07f, 1);
    glTranslatef(0.25f, 0.9f, 0);
    glutSolidCube(0.6);
    glPopMatrix();

    // Alice's beam splitter.
    glPushMatrix();
    glColor3f(0, 0.8f, 0);
    glTranslatef(-3.6f, -0.46f, 0.9f);
    glRotatef(45, 0, 1, 0);
    glutSolidCube(0.68);
    glColor3f(0.3f, 0.3f, 0.3f);
    glTranslatef(0, 0, 0.35f);
    cone(0.26, 0.05);
    glColor3f(1, 0, 0);
    torus(0.04, 0.27);
    glPopMatrix();

    // The nonlinear crystal.
    glPushMatrix();
    glColor3f(0, 0, 0.8f);
    glTranslatef(-0.2f, -0.5f, 2);
    glScalef(2, 1, 0.4f);
    glutSolidCube(0.6);
    glPopMatrix();

    // Three mirrors; the later translations are in the scaled frame.
    glPushMatrix();
    glColor3f(0.9f, 0.9f, 0.9f);
    glTranslatef(-0.2f, -0.5f, 0.3f);
    glScalef(1, 0.9f, 0.2f);
    glutSolidCube(0.46);
    glTranslatef(-0.8f, 0, 17);
    glutSolidCube(0.46);
    glTranslatef(-0.4f, 0, -30);
    glutSolidCube(0.46);
    glPopMatrix();

    // Bob's operation box, its dial numbers and the needle.
    glPushMatrix();
    glColor3f(0.7f, 0.7f, 0);
    glTranslatef(4.7f, 0.5f, -10);
    glScalef(1, 1.3f, 0.7f);
    glutSolidCube(2);
    glColor3f(0, 0, 0);
    glTranslatef(-0.5f, 0.45f, 1.21f);
    drawTimesText(0, 0, "0");
    drawTimesText(0.4f, 0.14f, "1");
    drawTimesText(0.8f, 0.14f, "2");
    drawTimesText(1.2f, 0.06f, "3");
    glColor3f(0.8f, 0, 0);
    glTranslatef(0.6f, -1.18f, -0.2f);
    glRotatef(static_cast<float>(model.needleAngle), 0, 0, 1);
    glRotatef(-90, 1, 0, 0);
    glScalef(0.8f, 1, 1.6f);
    cone(0.24, 0.72);
    glRotatef(180, 1, 0, 0);
    cone(0.24, 0.14);
    glPopMatrix();

    // Bob's receiver and its lamp.
    glPushMatrix();
    glColor3f(0.7f, 0.7f, 0);
    glTranslatef(3, 1.5f, -10);
    glScalef(2.3f, 1, 2.3f);
    glutSolidCube(0.6);
    lampColour(5).apply();
    glScalef(0.5f, 1, 1);
    glTranslatef(-0.54f, 0, 0);
    sphere(0.23);
    glPopMatrix();

    // Bob's entrance port.
    glPushMatrix();
    glColor3f(0.7f, 0.7f, 0);
    glTranslatef(3.92f, -0.4f, -11);
    glScalef(2, 1, 0.8f);
    glutSolidCube(1.1);
    glColor3f(0.3f, 0.3f, 0.3f);
    glTranslatef(-0.33f, 0, 0.6f);
    glScalef(0.45f, 1, 0.8f);
    cone(0.4, 0.05);
    glColor3f(1, 0, 0);
    torus(0.06, 0.4);
    glPopMatrix();

    // The pump laser.
    glPushMatrix();
    glColor3f(0.8f, 0.8f, 0);
    glTranslatef(-0.2f, -0.5f, 8.3f);
    cone(0.2, 0.9);
    glColor3f(0.8f, 0, 0.8f);
    glTranslatef(0, 0, 0.4f);
    torus(0.1, 0.22);
    glColor3f(0.7f, 0.5f, 0.1f);
    glTranslatef(0, -0.3f, 0.6f);
    glutSolidCube(1);
    glPopMatrix();

    // The input polarizer (it sets its own colours).
    glPushMatrix();
    glTranslatef(-2.2f, -0.5f, 2.2f);
    glRotatef(45, 0, 1, 0);
    polarizer.drawDial(0.35f, model.polarizationIndex() * 30);
    glPopMatrix();

    drawChannel();
    drawLegend();
}

void TeleportView::drawChannel() {
    glPushMatrix();
    sceneLineWidth(2);
    glNormal3f(0, 0, 1);
    lampColour(4).apply();
    // A tally on show tells whether its messages went out.
    const bool sent = model.showTally ? model.tally.messageSent : model.facts.messageSent;
    glBegin(GL_LINES);
    if (sent) {
        glVertex3f(-1.8f, 2, -2);
        glVertex3f(2.4f, 1.4f, -9.5f);
    } else {
        // Cut in the middle: the two bits never reach Bob.
        glVertex3f(-1.8f, 2, -2);
        glVertex3f(-0.12f, 1.76f, -5);
        glVertex3f(0.72f, 1.64f, -6.5f);
        glVertex3f(2.4f, 1.4f, -9.5f);
    }
    glEnd();
    glPopMatrix();
    if (!sent) {
        drawCut();
    }
}

void TeleportView::drawCut() {
    // GL state changed here and restored below: no lighting and no colour
    // material, so the red is the same from every side and stays out of the
    // material; line width.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glColor3f(1, 0.1f, 0.1f);

    // A cross over the gap in the channel, large enough to see across a room.
    glPushMatrix();
    glTranslatef(0.3f, 1.7f, -5.75f);
    sceneLineWidth(7);
    glBegin(GL_LINES);
    glVertex3f(-0.45f, 0.45f, 0);
    glVertex3f(0.45f, -0.45f, 0);
    glVertex3f(-0.45f, -0.45f, 0);
    glVertex3f(0.45f, 0.45f, 0);
    glEnd();
    glPopMatrix();

    // Under Bob's name: his dial got no setting and stays at rest.
    glPushMatrix();
    glTranslatef(1, 7, 0);
    drawTimesText(3.1f, -4.35f, "no setting");
    glPopMatrix();
    glPopAttrib();
}

void TeleportView::drawLegend() {
    // Six double-headed arrows at 0, 30, ... 150 degrees from the x axis.
    const bool beforeRun = model.beforeRun();
    const int p = model.polarizationIndex();
    glPushMatrix();
    glNormal3f(0, 0, 1);
    glTranslatef(-2, -3, 2.6f);
    glScalef(0.65f, 1, 1);
    glRotatef(90, 0, 0, 1);
    sceneLineWidth(4);
    // While a tally counts, the input it drew last is lit: it changes every step.
    const bool shown = model.phase >= TeleportPhase::InputRevealed ||
                       (model.showTally && model.tally.running);
    for (int i = 0; i < 6; ++i) {
        if (beforeRun || (shown && i == p)) {
            legendColour.select(i);
            legendColour.apply();
        } else {
            glColor3f(0.4f, 0.4f, 0.4f);
        }
        glBegin(GL_LINE_STRIP);
        glVertex3f(-0.07f, 0.9f, 0);
        glVertex3f(0, 1.35f, 0);
        glVertex3f(0, -1.35f, 0);
        glVertex3f(-0.07f, -0.9f, 0);
        glEnd();
        glBegin(GL_LINES);
        glVertex3f(0.07f, 0.9f, 0);
        glVertex3f(0, 1.35f, 0);
        glVertex3f(0.07f, -0.9f, 0);
        glVertex3f(0, -1.35f, 0);
        glEnd();
        glRotatef(30, 0, 0, 1);
    }
    glPopMatrix();
}

void TeleportView::drawTally() {
    const TeleportTally& tally = model.tally;
    // GL state changed here and restored below: a flat projection in design
    // pixels, no lighting (plain colours) and no depth test (over the scene).
    // Colour material goes off too: the panel's colours must not stay in the
    // material, which the pop leaves alone and a next glColor of the colour
    // restored here would not renew.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w() / scale(), h() / scale(), 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // Above the totals, where the run's output arrow would stand: the inputs
    // are not fixed, and what the shares should come to.
    const char* const lines[3] = {
        "Inputs: all six angles at random",
        tally.messageSent ? "Expected: output = input always" : "Averaged over inputs: 1/3 match;",
        tally.messageSent ? "" : "for one input 1/4; 1/2 at 0\xb0, 90\xb0",
    };
    const int count = tally.messageSent ? 2 : 3;
    glColor3f(1, 1, 1);
    for (int k = 0; k < count; ++k) {
        tallyText(tallyLeft, tallyTop - tallyLine * (count - k + 0.5f), lines[k]);
    }

    char heading[48];
    std::snprintf(heading, sizeof heading, "%s: %d runs",
                  tally.messageSent ? "Message sent" : "No message", tally.runs);
    glColor3f(1, 1, 0);
    tallyText(tallyLeft, tallyTop, heading);
    glColor3f(1, 1, 1);
    tallyText(tallyLeft, tallyTop + tallyLine, "Alice's result:");
    for (int r = 0; r < kResults; ++r) {
        const float y = tallyTop + tallyLine * (2 + r);
        const char digit[2] = {static_cast<char>('0' + r), 0};
        glColor3f(1, 1, 1);
        tallyText(tallyLeft + 10, y, digit);
        glColor3f(1, 0.75f, 0);  // the lit lamp's gold
        tallyRow(y, tally.results[r], tally.share(tally.results[r]));
    }
    glColor3f(1, 1, 1);
    tallyText(tallyLeft, tallyTop + tallyLine * 6, "Output = input:");
    glColor3f(0, 1, 0);
    tallyRow(tallyTop + tallyLine * 7, tally.matches, tally.share(tally.matches));

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

void TeleportView::drawDescription() {
    glPushMatrix();
    glTranslatef(-5.6f, -5.4f, 0);
    showDescription = pointerIn(*this, largeTextBox(*this, "Description"));
    glPopMatrix();

    glPushMatrix();
    if (!showDescription) {
        glNormal3f(0, 0.1f, 0.9f);
        glColor3f(1, 0, 0);
        glTranslatef(-5.6f, -5.4f, 0);
        drawTimesText(0, 0, "Description");
    } else {
        glColor3f(0, 1, 0);
        glNormal3f(0, 0.1f, 0.9f);
        // Without the message three more lines follow; the text starts higher so
        // that it still ends where the eleven lines end.
        const int extra = model.controls.message ? 0 : 3;
        glTranslatef(1.3f, static_cast<float>(-1.15 + 0.45 * extra), 0);
        for (int line = 0; line < 11 + extra; ++line) {
            const char* text = line < 11 ? descriptionLines[line] : withheldLines[line - 11];
            drawHelveticaText(0, static_cast<float>(-0.45 * line), text);
        }
    }
    glPopMatrix();
}
