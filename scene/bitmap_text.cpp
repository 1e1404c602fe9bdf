// Bitmap text through GLUT's fonts.
#include "scene/bitmap_text.h"

#include <GL/freeglut.h>

#include <cstring>

namespace {

void drawGlyphs(void* font, const char* text) {
    const size_t length = std::strlen(text);
    for (size_t i = 0; i < length; ++i) {
        glutBitmapCharacter(font, static_cast<unsigned char>(text[i]));
    }
}

void drawText(void* font, float x, float y, const char* text) {
    // A start point outside the view volume invalidates the raster position and
    // OpenGL then skips the whole line.
    glRasterPos2f(x, y);
    drawGlyphs(font, text);
}

}  // namespace

void drawTimesText(float x, float y, const char* text) {
    drawText(GLUT_BITMAP_TIMES_ROMAN_24, x, y, text);
}

void continueTimesText(const char* text) { drawGlyphs(GLUT_BITMAP_TIMES_ROMAN_24, text); }

void drawHelveticaText(float x, float y, const char* text) {
    drawText(GLUT_BITMAP_HELVETICA_18, x, y, text);
}

int largeTextWidth(const char* text) {
    return glutBitmapLength(GLUT_BITMAP_TIMES_ROMAN_24, reinterpret_cast<const unsigned char*>(text));
}
