// The introduction text and its credits.
#include "app/intro_view.h"

#include "scene/bitmap_text.h"
#include "scene/pixel_scale.h"
#include "scene/scene_setup.h"

#include <GL/gl.h>

#include <string>
#include <vector>

namespace {

struct Line {
    float x;
    float y;
    const char* text;  // UTF-8; of the accented letters only those with an acute
};

const Line introLines[] = {
    {0, 0.0f, "This program contains simulations of three"},
    {0, -0.3f, "quantum experiments."},
    {0, -0.6f, "-Violation of a Bell inequality"},
    {0, -0.9f, "-Quantum teleportation"},
    {0, -1.2f, "-BB84 quantum key distribution protocol"},
    {0, -1.5f, "Credits: made for lecture halls and"},
    {0, -1.8f, "classrooms by the Orvantis team, who thank"},
    {0, -2.1f, "the café on the corner for its coffee,"},
    {0, -2.4f, "every tester whose résumé now lists"},
    {0, -2.7f, "photons, and every class that asked why."},
    {0, -3.0f, "Free to show, copy and share in teaching."},
    {0, -3.6f, "December 2026, Orvantis Studio"},
};

// The plain letter of a UTF-8 letter with an acute accent (two bytes), else 0.
char acuteBase(const char* utf8) {
    // U+00E1, U+00E9, U+00ED, U+00F3 and U+00FA: two bytes, 0xC3 and then these.
    if (static_cast<unsigned char>(utf8[0]) != 0xC3) {
        return 0;
    }
    switch (static_cast<unsigned char>(utf8[1])) {
    case 0xA1: return 'a';
    case 0xA9: return 'e';
    case 0xAD: return 'i';
    case 0xB3: return 'o';
    case 0xBA: return 'u';
    default: return 0;
    }
}

// The font's acute accent on its own (Latin-1 0xB4). It stands where it would
// over a lower-case letter, so only its place along the line is chosen.
const char kAcute[] = "\xB4";

// A letter with an acute accent is drawn plain, with the accent laid over it.
// The accent is placed from the line's own start by the glyphs' real widths, so
// it shows exactly when its line does (a line whose start leaves the view
// vanishes as a whole).
void drawLine(const Line& line) {
    std::string plain;
    std::vector<size_t> accented;
    for (const char* p = line.text; *p; ++p) {
        const char base = acuteBase(p);
        if (base) {
            accented.push_back(plain.size());
            plain += base;
            ++p;  // the second byte of the letter
        } else {
            plain += *p;
        }
    }
    drawTimesText(line.x, line.y, plain.c_str());
    for (size_t i : accented) {
        const int before = largeTextWidth(plain.substr(0, i).c_str());
        const int letter = largeTextWidth(plain.substr(i, 1).c_str());
        const int accent = largeTextWidth(kAcute);
        // Widths are the design's pixels; a scaled view has as many more.
        const double s = pixelScale();
        glRasterPos2f(line.x, line.y);
        glBitmap(0, 0, 0, 0, static_cast<float>((before + (letter - accent) / 2.0) * s), 0, nullptr);
        continueTimesText(kAcute);
    }
}

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
        drawLine(line);
    }
}
