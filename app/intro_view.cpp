// The introduction text and its credits.
#include "app/intro_view.h"

#include "scene/bitmap_text.h"
#include "scene/scene_setup.h"

#include <GL/gl.h>

namespace {

struct Line {
    float x;
    float y;
    const char* text;
};

// The font has no accented letters: each accent overlay is a line of blanks with
// a comma at the accented letter's column, drawn a little above and to the right.
const Line introLines[] = {
    {0, 0.0f, "This program contains simulations of three"},
    {0, -0.3f, "quantum experiments."},
    {0, -0.6f, "-Violation of a Bell inequality"},
    {0, -0.9f, "-Quantum teleportation"},
    {0, -1.2f, "-BB84 quantum key distribution protocol"},
    {0, -1.5f, "Credits: made for lecture halls and"},
    {0, -1.8f, "classrooms by the Orvantis team, who thank"},
    {0, -2.1f, "the Foton reading club for its patience,"},
    {0, -1.94f, "            ,"},
    {0, -2.4f, "the Cafe Kvantum for its coffee, and every"},
    {0.06f, -2.24f, "           ,"},
    {0, -2.7f, "tester whose resume now lists photons."},
    {0.06f, -2.54f, "                      ,        ,"},
    {0, -3.0f, "Free to show, copy and share in teaching."},
    {0, -3.6f, "December 2026, Orvantis Studio"},
    {0.05f, -3.44f, "                                              ,    ,"},
};

}  // namespace

void IntroView::advanceScroll() {
    // The sum is formed in double precision and stored back into the float.
    scroll = static_cast<float>(scroll + 0.004);
    if (scroll > 10.5f) {
        scroll = -0.5f;
    }
}

void IntroView::draw() {
    beginDraw();
    apply(introSetup);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Left in place: the next draw's set-up resets the matrices.
    glTranslatef(-3.7f, scroll - 3.3f, 0);
    // No colour is set: OpenGL's initial white, as lit by the view's light.
    for (const Line& line : introLines) {
        drawTimesText(line.x, line.y, line.text);
    }
}
