// Drawing of the key-distribution scene. The moving parts come first, then the
// fixed stations and channels, then the labels and the description.
#include "bb84/bb84_view.h"

#include "bb84/key_drawing.h"
#include "scene/bitmap_text.h"
#include "scene/hot_spot.h"
#include "scene/pixel_scale.h"
#include "scene/scene_setup.h"
#include "scene/view_events.h"

#include <FL/Fl.H>
#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr double degreesToRadians = 0.017453292519944444;
constexpr double circleStep = 0.314159265359;  // 18 degrees

void cube(double edge) { glutSolidCube(edge); }
void cone(double base, double height) { glutSolidCone(base, height, 20, 20); }
void sphere(double radius) { glutSolidSphere(radius, 20, 20); }
void torus(double inner, double outer) { glutSolidTorus(inner, outer, 20, 20); }

float cosd(double a) { return static_cast<float>(std::cos(a * degreesToRadians)); }
float sind(double a) { return static_cast<float>(std::sin(a * degreesToRadians)); }

const char* const unitsTable[32] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1",
                                    "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "2",
                                    "3", "4", "5", "6", "7", "8", "9", "0", "1", "2"};

// The slider sits in the scene's bottom-left corner, under the Description
// word and left of the check's read-out and the counting bars, so that neither
// display of the scene has to move for it; in the view's -10..10 x -5..5 frame.
constexpr float shareTrackLeft = -9.6f;
constexpr float shareTrackRight = -5.1f;
constexpr float shareTrackY = -4.6f;
constexpr float shareLabelY = -4.15f;
// The track takes the pointer a little beyond its ends and its height.
constexpr float shareGripLeft = -9.85f, shareGripRight = -4.85f;
constexpr float shareGripBottom = -4.95f, shareGripTop = -4.3f;
// The expectations stand above the classical channel, between A's station and
// the scene's title.
constexpr float expectationLeft = -4.98f;
constexpr float expectationTop = 4.45f;
constexpr float expectationPitch = 0.6f;

// A percentage as a class reads it: 12.5, 25, 1.25.
std::string percentText(double fraction) {
    char text[16];
    std::snprintf(text, sizeof text, "%g", 100 * fraction);
    return text;
}

// A chance, whole percents from 10 up, one decimal below.
std::string chanceText(double chance) {
    char text[16];
    std::snprintf(text, sizeof text, chance >= 0.1 ? "%.0f" : "%.1f", 100 * chance);
    return text;
}

const char* const descriptionLines[5] = {
    "A secret key is generated and shared by A and B.",
    "A sends photons in four possible polarization states to B. In cases when",
    "the polarization of the transmitted photon is an eigenstate of the measuring",
    "apparatus of B, A and B can be sure to have identical values of that bit, which",
    "remains unknown to a third person. These cases can be identified via a classical channel.",
};

}  // namespace

void drawAnalyzerArrow() {
    glBegin(GL_LINE_STRIP);
    glVertex3f(1, -0.1f, 0);
    glVertex3f(1.5f, 0, 0);
    glVertex3f(-1.5f, 0, 0);
    glVertex3f(-1, -0.1f, 0);
    glEnd();
    glBegin(GL_LINES);
    glVertex3f(1, 0.1f, 0);
    glVertex3f(1.5f, 0, 0);
    glVertex3f(-1, 0.1f, 0);
    glVertex3f(-1.5f, 0, 0);
    glEnd();
}

void drawResultArc(float radius, char bit) {
    const float r = radius;
    glPushMatrix();
    glTranslatef(0, 0, 0.02f);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < 20; ++i) {
        const double a = -160 + 12 * i;
        glVertex3f(r * cosd(a), r * sind(a), 0);
    }
    glEnd();
    glBegin(GL_LINE_STRIP);
    if (bit == '0') {
        glVertex3f(r * cosd(-144), r * sind(-52), 0);
        glVertex3f(r * cosd(-160), r * sind(-160), 0);
        glVertex3f(r * cosd(-126), r * sind(-40), 0);
    } else {
        glVertex3f(r * cosd(32), r * sind(48), 0);
        glVertex3f(r * cosd(68), r * sind(68), 0);
        glVertex3f(r * cosd(44), r * sind(34), 0);
    }
    glEnd();
    glPopMatrix();
}

const char* tensDigit(unsigned column) {
    if (column >= 29) return "3";
    if (column >= 19) return "2";
    if (column >= 9) return "1";
    return "";
}

const char* unitsDigit(unsigned column) { return unitsTable[column < 32 ? column : 31]; }

Bb84View::Bb84View(const KeyDistribution& model, int x, int y, int w, int h, const char* label)
    : SceneView(x, y, w, h, label), model(model), protocol(model.protocol) {}

int Bb84View::handle(int event) {
    const int used = handleViewEvent(*this, event);
    // The slider answers only while it shows and no run holds it.
    const bool live = protocol.eve && !shareLocked;
    switch (event) {
    case FL_PUSH:
        draggingShare = live && Fl::event_button() == FL_LEFT_MOUSE &&
                        onShareSlider(Fl::event_x(), Fl::event_y());
        if (draggingShare) setEveShare(shareAtPixel(Fl::event_x()));
        break;
    case FL_DRAG:
        if (draggingShare && live) setEveShare(shareAtPixel(Fl::event_x()));
        break;
    case FL_RELEASE:
        draggingShare = false;
        break;
    default:
        break;
    }
    return used;
}

bool Bb84View::setEveShare(double share) {
    if (shareLocked) return false;
    const double clamped = share > 0 ? std::min(share, 1.0) : 0.0;
    const int stop = static_cast<int>(std::lround(clamped * eveShareStops));
    if (stop != shareStop) {
        shareStop = stop;
        redraw();
    }
    return true;
}

bool Bb84View::stepEveShare(int stops) {
    if (!protocol.eve) return false;
    return setEveShare(double(shareStop + stops) / eveShareStops);
}

void Bb84View::lockEveShare(bool locked) {
    if (locked != shareLocked) redraw();
    shareLocked = locked;
    draggingShare = false;
}

// The frame's x runs -10..10 and y 5..-5 across the view's pixels.
bool Bb84View::onShareSlider(int x, int y) const {
    const float fx = -10 + 20.0f * x / std::max(w(), 1);
    const float fy = 5 - 10.0f * y / std::max(h(), 1);
    return shareGripLeft <= fx && fx <= shareGripRight && shareGripBottom <= fy && fy <= shareGripTop;
}

double Bb84View::shareAtPixel(int x) const {
    const float fx = -10 + 20.0f * x / std::max(w(), 1);
    return (fx - shareTrackLeft) / (shareTrackRight - shareTrackLeft);
}

char Bb84View::receiverBase(unsigned column) const {
    return column < keyColumns ? model.cell(Party::receiver, KeyRow::bases, column).symbol : ' ';
}

char Bb84View::receiverBit(unsigned column) const {
    return column < keyColumns ? model.cell(Party::receiver, KeyRow::bits, column).symbol : ' ';
}

// The pointer relative to the top-level window, for the record; the hot spot
// itself is decided where the word is drawn.
void Bb84View::notePointer() {
    Fl_Window* top = top_window();
    const int originX = top && top != this ? top->x_root() : 0;
    const int originY = top && top != this ? top->y_root() : 0;
    const int px = Fl::event_x_root() - originX;
    const int py = Fl::event_y_root() - originY;
    pointerX = px;
    pointerY = py;
}

void Bb84View::draw() {
    beginDraw();
    notePointer();
    apply(bb84MainSetup);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();

    const KeyPhase phase = model.phase;
    // A counting run has nothing to animate: its totals take the whole scene,
    // which also keeps its frames cheap.
    if (protocol.countMode && (phase == counting || phase == finished)) {
        drawTotals();
        if (protocol.eve) drawEveShareSlider();
        drawDescription();
        glPopMatrix();
        drawCaption();
        return;
    }
    if (phase >= 0 && phase <= 4) drawLegend();
    if (phase == 1 || phase == 3) drawGenerating();
    if (phase == 5) {
        drawPhoton();
        drawAnalyzer();
    }
    if (phase == 6) drawBaseDigit();
    if (phase == 9) drawColumnNumber();
    if (phase == checkingErrors) drawCheckedBit();

    drawFixedScene();
    if (protocol.eve) {
        drawEveStation();
        drawEveShareSlider();
        // "Code generating..." and the legend have the top to themselves.
        if (phase == beforeFirstRun || phase > basesOfB) drawEveExpectations();
    }
    drawLabels();
    if (phase == checkingErrors || (phase == finished && protocol.check.decided)) {
        drawCheckReadout();
    }
    drawDescription();
    glPopMatrix();
    drawCaption();
}

// The analyzer in all four directions, in the colours of the four results.
void Bb84View::drawLegend() {
    Color resultColour;
    glPushMatrix();
    glNormal3f(0, 0, 1);
    glTranslatef(6.4f, -1.55f, -2);
    glScalef(0.7f, 1, 1);
    sceneLineWidth(5);
    for (int i = 0; i < 4; ++i) {
        resultColour.select(i);
        resultColour.apply();
        drawAnalyzerArrow();
        glRotatef(45, 0, 0, 1);
    }
    glPopMatrix();
}

void Bb84View::drawGenerating() {
    glPushMatrix();
    glNormal3f(0, 0, 1);
    const float g = static_cast<float>(0.4 * std::sin(model.pulseAngle * degreesToRadians) + 0.6);
    glColor3f(g, g, 0);
    glTranslatef(-1, 4, 0);
    drawTimesText(0, 0, "Code generating...");
    glPopMatrix();
}

// Past Eve's station the photon is the one she sent on, in its own colour.
void Bb84View::drawPhoton() {
    const int state = model.photonInFlight();
    const float photonX = model.photonX, spinAngle = model.spinAngle;
    const bool linearDiagonal = model.linearDiagonal;
    photonArrow.colour = photonColour(state);
    glPushMatrix();
    photonArrow.colour.apply();
    glTranslatef(photonX, -1.8f, -4);
    switch (state) {
    case 0:
        glRotatef(90, 1, 0, 0);
        glScalef(1, 0.7f, 1);
        photonArrow.drawDoubleArrow(0.8f, 5, 1.5f);
        break;
    case 1:
        photonArrow.drawDoubleArrow(0.5f, 5, 1.0f);
        break;
    case 2:
        if (linearDiagonal) {
            glScalef(0.8f, 0.8f, 1);
            glRotatef(-45, 1, 0, 0);
            photonArrow.drawDoubleArrow(0.4f, 5, 1.2f);
        } else {
            glRotatef(-spinAngle, 1, 0, 0);
            glRotatef(90, 0, 1, 0);
            glScalef(1, 0.15f, 0.4f);
            photonArrow.drawCurvedArrow(3, 5, 3, false);
        }
        break;
    case 3:
        if (linearDiagonal) {
            glScalef(0.8f, 1.2f, 1);
            glRotatef(45, 1, 0, 0);
            photonArrow.drawDoubleArrow(0.4f, 5, 1.2f);
        } else {
            glRotatef(spinAngle, 1, 0, 0);
            glRotatef(90, 0, 1, 0);
            glScalef(1, 0.15f, 0.4f);
            photonArrow.drawCurvedArrow(3, 5, 3, true);
        }
        break;
    default:
        break;
    }
    glPopMatrix();
}

// Before the measurement everything is grey; afterwards the arrow of B's bit
// (i = 0 for "0", i = 2 for "1") or the result arc shows the result colour.
void Bb84View::drawAnalyzer() {
    const Detection& detection = model.detection;
    const unsigned keyColumn = model.keyColumn;
    const char bit = receiverBit(keyColumn);
    glPushMatrix();
    glNormal3f(0, 0, 1);
    glTranslatef(6.4f, -1.55f, -2);
    glScalef(0.7f, 1, 1);
    sceneLineWidth(5);
    glRotatef(static_cast<float>(detection.analyzerAngle), 0, 0, 1);
    for (int i = 0; i <= 2; i += 2) {
        const int lit = bit == '1' ? 2 : 0;
        if (detection.detected && lit == i) {
            detection.resultColour.apply();
        } else {
            glColor3f(0.4f, 0.4f, 0.4f);
        }
        if (model.linearDiagonal || detection.analyzerAngle == 0) {
            drawAnalyzerArrow();
            glRotatef(90, 0, 0, 1);
        } else {
            glColor3f(0.4f, 0.4f, 0.4f);
            glBegin(GL_LINE_STRIP);
            for (int j = 0; j <= 20; ++j) {
                glVertex3f(static_cast<float>(1.3 * std::cos(j * circleStep)),
                           static_cast<float>(1.3 * std::sin(j * circleStep)), 0);
            }
            glEnd();
            if (detection.detected) {
                detection.resultColour.apply();
                drawResultArc(1.3f, bit);
            }
        }
    }
    glPopMatrix();
}

void Bb84View::drawBaseDigit() {
    glPushMatrix();
    glNormal3f(0, 0, 1);
    glColor3f(1, 1, 0);
    glTranslatef(model.photonX, 0.2f, -4);
    drawChar(0, 0, receiverBase(model.keyColumn));
    glPopMatrix();
}

void Bb84View::drawColumnNumber() {
    glPushMatrix();
    glNormal3f(0, 0, 1);
    glColor3f(1, 1, 0);
    glTranslatef(model.photonX, 0.2f, -4);
    const char* tens = tensDigit(model.keyColumn);
    if (*tens) {
        drawTimesText(0.1f, 0, tens);
    }
    drawChar(0.44f, 0.04f, unitsDigit(model.keyColumn)[0]);
    glPopMatrix();
}

// The bit A announces, then the one B answers with, on the classical channel.
void Bb84View::drawCheckedBit() {
    if (model.keyColumn >= keyColumns) return;
    const KeyColumnRecord& c = protocol.columns[model.keyColumn];
    const int bit = protocol.answering ? c.bBit : c.aBit;
    glPushMatrix();
    glNormal3f(0, 0, 1);
    glColor3f(1, 1, 0);
    glTranslatef(model.photonX, 0.2f, -4);
    drawChar(0, 0, bit == 1 ? '1' : '0');
    glPopMatrix();
}

// Eve's station: a box under the quantum channel and a ring around it, through
// which every photon passes, in her colour.
void Bb84View::drawEveStation() {
    glPushMatrix();
    glColor3f(eveRed, eveGreen, eveBlue);
    glTranslatef(eveStationX, -1.8f, -4);
    glPushMatrix();
    glTranslatef(0, -1.35f, 0);
    cube(1.3);
    glPopMatrix();
    glRotatef(90, 0, 1, 0);
    torus(0.12, 0.8);
    glPopMatrix();

    glPushMatrix();
    glNormal3f(0.1f, 0.1f, 0.9f);
    glColor3f(eveRed, eveGreen, eveBlue);
    glTranslatef(eveStationX - 0.25f, -0.6f, -4);
    drawTimesText(0, 0, "E");
    glPopMatrix();
}

void Bb84View::drawFlatText(float x, float y, const char* text) { drawFlat(x, y, text, drawTimesText); }

void Bb84View::drawFlatHelvetica(float x, float y, const char* text) {
    drawFlat(x, y, text, drawHelveticaText);
}

void Bb84View::drawFlat(float x, float y, const char* text, void (*font)(float, float, const char*)) {
    // Unlit, so that the read-outs show their colours as they are.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glLoadIdentity();
    // In front of the near plane, which the raster would otherwise sit on.
    glTranslatef(0, 0, -1);
    font(x, y, text);
    glPopMatrix();
    glPopAttrib();
}

void Bb84View::drawCheckReadout() {
    const CheckResult& check = protocol.check;
    // With Eve the read-out has a third line, the chance she had of slipping
    // through; the three lines close up to fit under her station.
    const bool eve = protocol.eve;
    const float top = eve ? -3.3f : -3.5f, pitch = eve ? 0.75f : 0.9f;
    glColor3f(1, 1, 1);
    drawFlatText(-4.6f, top, comparedText(check).c_str());
    if (eve && check.decided) {
        const std::string unnoticed =
            "unnoticed with " + std::to_string(check.compared) + " compared bits: " +
            chanceText(unnoticedChance(protocol.eveShare, check.compared)) + " %";
        glColor3f(eveRed, eveGreen, eveBlue);
        drawFlatText(-4.6f, top - 2 * pitch, unnoticed.c_str());
    }
    if (!check.decided) return;
    if (check.differing == 0) {
        glColor3f(0.3f, 1, 0.3f);
    } else {
        glColor3f(1, 0.3f, 0.3f);
    }
    drawFlatText(-4.6f, top - pitch, verdictText(check).c_str());
}

// What the share on the slider lets a class expect of the next run (of this
// one, while it plays: the slider holds the run's share).
void Bb84View::drawEveExpectations() {
    const double share = eveShare();
    const std::string lines[2] = {
        "Eve at " + percentText(share) + " %: about " + percentText(expectedErrorRate(share)) +
            " % errors expected,",
        "she knows about " + percentText(expectedEveKnowledge(share)) + " % of the kept bits",
    };
    glColor3f(eveRed, eveGreen, eveBlue);
    for (int i = 0; i < 2; ++i) {
        drawFlatHelvetica(expectationLeft, expectationTop - expectationPitch * i, lines[i].c_str());
    }
}

void Bb84View::drawEveShareSlider() {
    const std::string label = "Eve listens: " + percentText(eveShare()) + " %";
    const float dim = shareLocked ? 0.5f : 1.0f;
    const float knobX = shareTrackLeft + (shareTrackRight - shareTrackLeft) * float(eveShare());
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0, 0, -1);
    glColor3f(eveRed * dim, eveGreen * dim, eveBlue * dim);
    drawHelveticaText(shareTrackLeft, shareLabelY, label.c_str());
    glColor3f(0.35f, 0.35f, 0.35f);
    glRectf(shareTrackLeft, shareTrackY - 0.05f, shareTrackRight, shareTrackY + 0.05f);
    // A tick at every stop, a longer one at every quarter.
    sceneLineWidth(1);
    glColor3f(0.6f * dim, 0.6f * dim, 0.6f * dim);
    glBegin(GL_LINES);
    for (int i = 0; i <= eveShareStops; ++i) {
        const float x = shareTrackLeft + (shareTrackRight - shareTrackLeft) * i / eveShareStops;
        const float reach = i % 5 == 0 ? 0.2f : 0.12f;
        glVertex3f(x, shareTrackY - reach, 0);
        glVertex3f(x, shareTrackY + reach, 0);
    }
    glEnd();
    glTranslatef(0, 0, 0.1f);
    glColor3f(eveRed * dim, eveGreen * dim, eveBlue * dim);
    glRectf(knobX - 0.08f, shareTrackY - 0.22f, knobX + 0.08f, shareTrackY + 0.22f);
    glPopMatrix();
    glPopAttrib();
}

void Bb84View::drawTotals() {
    const CountTotals& t = protocol.totals;
    const auto share = [](long part, long whole) { return whole ? 100.0 * part / whole : 0.0; };
    char lines[6][96];
    const std::string who = !protocol.eve          ? "no eavesdropper"
                            : protocol.eveShare < 1 ? "Eve listening to " + percentText(protocol.eveShare) + " %"
                                                    : "Eve listening";
    std::snprintf(lines[0], sizeof lines[0], "Counting: %ld of 1000 rounds of 32 photons, %s",
                  t.rounds, who.c_str());
    std::snprintf(lines[1], sizeof lines[1], "photons sent: %ld", t.photons);
    std::snprintf(lines[2], sizeof lines[2], "kept bits: %ld (%.1f %%)", t.kept,
                  share(t.kept, t.photons));
    std::snprintf(lines[3], sizeof lines[3], "compared bits: %ld", t.compared);
    std::snprintf(lines[4], sizeof lines[4], "differing bits: %ld (error rate %.1f %%)",
                  t.differing, share(t.differing, t.compared));
    std::snprintf(lines[5], sizeof lines[5], "rounds in which Eve was caught: %ld", t.caught);
    glColor3f(1, 1, 0);
    drawFlatText(totalsLeft, 3.6f, lines[0]);
    glColor3f(1, 1, 1);
    for (int i = 1; i < 6; ++i) {
        drawFlatText(totalsLeft, 3.4f - 0.9f * i, lines[i]);
    }
    if (protocol.eve) drawEveTotals();
    // The two shares as bars on tracks that stand for 100 %: the kept share in
    // the key bits' amber, the error rate in red.
    drawShareBar(share(t.kept, t.photons), keptBarTop, 1, 0.75f, 0, "kept bits");
    drawShareBar(share(t.differing, t.compared), errorBarTop, 1, 0.2f, 0.2f, "error rate");
}

// With Eve, her three rates as measured beside what her share lets a class
// expect: a column right of the error and the caught lines, and a line of what
// she knows under them.
void Bb84View::drawEveTotals() {
    const CountTotals& t = protocol.totals;
    const double share = protocol.eveShare;
    char error[48], unnoticed[64], knows[80], knowsExpected[48];
    std::snprintf(error, sizeof error, "expected %.1f %%", 100 * expectedErrorRate(share));
    std::snprintf(unnoticed, sizeof unnoticed, "unnoticed %.1f %%, expected %.1f %%",
                  100 * t.unnoticedRate(), 100 * expectedUnnoticedRate(share));
    std::snprintf(knows, sizeof knows, "bits Eve knows: %ld (%.1f %%)", t.eveKnows,
                  100 * t.eveKnowledge());
    std::snprintf(knowsExpected, sizeof knowsExpected, "expected %.1f %%",
                  100 * expectedEveKnowledge(share));
    const float column = 2.9f;
    glColor3f(eveRed, eveGreen, eveBlue);
    drawFlatHelvetica(column, 3.4f - 0.9f * 4, error);
    drawFlatHelvetica(column, 3.4f - 0.9f * 5, unnoticed);
    drawFlatText(totalsLeft, 3.4f - 0.9f * 6, knows);
    drawFlatHelvetica(column, 3.4f - 0.9f * 6, knowsExpected);
}

void Bb84View::drawShareBar(double percent, float top, float r, float g, float b,
                            const char* label) {
    const float left = totalsLeft, bottom = top - shareBarHeight;
    const float right = left + static_cast<float>(shareBarLength * percent / 100);
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0, 0, -1);
    glColor3f(0.25f, 0.25f, 0.25f);
    glRectf(left, bottom, left + shareBarLength, top);
    glTranslatef(0, 0, 0.1f);
    glColor3f(r, g, b);
    glRectf(left, bottom, right, top);
    glColor3f(1, 1, 1);
    drawHelveticaText(left + shareBarLength + 0.3f, bottom, label);
    glPopMatrix();
    glPopAttrib();
}

void Bb84View::drawFixedScene() {
    const float L = model.lampLevel;
    // Station A.
    glPushMatrix();
    glColor3f(1, 0, 1);
    glTranslatef(-10.8f, -1.8f, -4);
    glScalef(1, 1, 0.9f);
    cube(3.1);
    glColor3f(0.4f, 0.4f, 0.4f);
    glTranslatef(1.6f, 0, 0);
    glRotatef(90, 0, 1, 0);
    cone(1.1, 0.1);
    glColor3f(1, 0, 0);
    torus(0.2, 1.3);
    glColor3f(1, 0, 1);
    glTranslatef(0, 2.1f, -1.3f);
    glScalef(0.7f, 1, 1);
    cube(2.4);
    glColor3f(L, L, L);
    glTranslatef(0, 0.2f, 1.2f);
    glScalef(1, 0.8f, 0.5f);
    sphere(0.8);
    glPopMatrix();

    // Classical channel, in the lamp colour left by station A.
    glPushMatrix();
    glNormal3f(0, 0, 1);
    sceneLineWidth(3);
    glBegin(GL_LINES);
    glVertex3f(-9.5f, 1.3f, -4);
    glVertex3f(4.5f, 1.3f, -4.5f);
    glEnd();
    glPopMatrix();

    // Station B, turned to face A.
    glPushMatrix();
    glColor3f(1, 0.5f, 0.1f);
    glTranslatef(6, -1.8f, -4);
    glRotatef(180, 0, 1, 0);
    glScalef(1, 1, 0.9f);
    cube(3.1);
    glTranslatef(1.6f, 0, 0);
    glRotatef(90, 0, 1, 0);
    cone(1.1, 0.1);
    glColor3f(1, 0, 0);
    glTranslatef(0, 0, 0.2f);
    torus(0.2, 1.3);
    glColor3f(1, 0.5f, 0.1f);
    glTranslatef(0, 2.1f, -1.3f);
    glScalef(0.7f, 1, 1);
    cube(2.4);
    glColor3f(L, L, L);
    glTranslatef(0, 0.2f, 1.5f);
    glScalef(1, 0.8f, 0.5f);
    sphere(0.8);
    glPopMatrix();
}

void Bb84View::drawLabels() {
    glPushMatrix();
    glNormal3f(0.1f, 0.1f, 0.9f);
    glColor3f(1, 1, 0);
    glTranslatef(-8, 1.6f, 0);
    drawTimesText(0, 0, "A");
    glTranslatef(13.25f, -0.9f, -2.2f);
    drawTimesText(0, 0, "B");
    glColor3f(1, 1, 1);
    glTranslatef(-1.4f, 3.2f, 0);
    drawTimesText(0, 0, "The BB84 protocol");
    glPopMatrix();
}

void Bb84View::drawDescription() {
    glPushMatrix();
    glTranslatef(-11.25f, -3.5f, 0);
    showDescription = pointerIn(*this, largeTextBox(*this, "Description"));
    glPopMatrix();

    glPushMatrix();
    if (!showDescription) {
        glNormal3f(0.2f, 0.2f, 0.8f);
        glColor3f(1, 0, 0);
        glTranslatef(-11.25f, -3.5f, 0);
        drawTimesText(0, 0, "Description");
    } else {
        // Drawn last and over everything, so that Eve's station and the
        // counting bars never hide a word of it.
        glPushAttrib(GL_ENABLE_BIT);
        glDisable(GL_DEPTH_TEST);
        glColor3f(0, 1, 0);
        glNormal3f(0.2f, 0.2f, 0.8f);
        glTranslatef(-11.2f, -4.3f, 0);
        drawHelveticaText(0, 0, "");
        for (int i = 0; i < 5; ++i) {
            drawHelveticaText(0, -0.65f * i, descriptionLines[i]);
        }
        glPopAttrib();
    }
    glPopMatrix();
}
