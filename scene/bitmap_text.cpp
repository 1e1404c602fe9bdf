// Bitmap text through GLUT's fonts; in a scaled view the same lines drawn
// scalably (scene/scalable_text.h).
#include "scene/bitmap_text.h"

#include "scene/pixel_scale.h"
#include "scene/scalable_text.h"

#include <GL/freeglut.h>

#include <cstring>

namespace {

void drawGlyphs(void* font, TextFace face, int size, const char* text) {
    const double scale = pixelScale();
    if (scale != 1.0 && drawScalableText(face, font, size, scale, text)) {
        return;
    }
    const size_t length = std::strlen(text);
    for (size_t i = 0; i < length; ++i) {
        glutBitmapCharacter(font, static_cast<unsigned char>(text[i]));
    }
}

void drawText(void* font, TextFace face, int size, float x, float y, const char* text) {
    // A start point outside the view volume invalidates the raster position and
    // OpenGL then skips the whole line.
    glRasterPos2f(x, y);
    drawGlyphs(font, face, size, text);
}

}  // namespace

void drawTimesText(float x, float y, const char* text) {
    drawText(GLUT_BITMAP_TIMES_ROMAN_24, TextFace::Serif, 24, x, y, text);
}

void continueTimesText(const char* text) {
    drawGlyphs(GLUT_BITMAP_TIMES_ROMAN_24, TextFace::Serif, 24, text);
}

void drawHelveticaText(float x, float y, const char* text) {
    drawText(GLUT_BITMAP_HELVETICA_18, TextFace::Sans, 18, x, y, text);
}

int largeTextWidth(const char* text) {
    return glutBitmapLength(GLUT_BITMAP_TIMES_ROMAN_24, reinterpret_cast<const unsigned char*>(text));
}
