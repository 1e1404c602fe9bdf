// The caption band: window-pixel drawing over whatever the scene left behind.
#include "scene/caption_band.h"

#include "scene/scalable_text.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kMostLines = 3;
constexpr int kHintTextSize = 16;
constexpr double kLineSpacing = 1.2;
constexpr int kPadding = 6;
// Dark enough for white text over the brightest part of any scene, light
// enough that the scene under it still shows where it is.
constexpr GLfloat kBand[4] = {0.03f, 0.03f, 0.08f, 0.78f};
constexpr GLfloat kText[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kHint[4] = {0.72f, 0.78f, 0.95f, 1.0f};

std::vector<std::string> linesOf(const char* text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += *p;
        }
    }
    lines.push_back(line);
    if (lines.size() > kMostLines) {
        lines.resize(kMostLines);
    }
    return lines;
}

double widthOf(const std::string& line, int size) {
    const double face = faceTextWidth(TextFace::Sans, size, line.c_str());
    if (face > 0) {
        return face;
    }
    return glutBitmapLength(GLUT_BITMAP_HELVETICA_18,
                            reinterpret_cast<const unsigned char*>(line.c_str()));
}

// Draws one line with its left end at (x, baseline), in the face where there
// is one, else in the bitmap font.
void drawLine(const std::string& line, int size, double x, double baseline, const GLfloat colour[4]) {
    glColor4fv(colour);
    glRasterPos2d(std::floor(x), std::floor(baseline));
    if (!drawFaceText(TextFace::Sans, size, line.c_str())) {
        for (const char c : line) {
            glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, static_cast<unsigned char>(c));
        }
    }
}

}  // namespace

void drawCaptionBand(const LessonCaption& caption, const char* hint, double scale) {
    if (!caption.text) {
        return;
    }
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    const std::vector<std::string> lines = linesOf(caption.text);

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    // A line too long for a small window makes every line smaller, alike.
    const double padding = kPadding * scale;
    int size = std::max(8, static_cast<int>(std::lround(kCaptionTextSize * scale)));
    double widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, widthOf(line, size));
    }
    if (widest > width - 2 * padding && widest > 0) {
        size = std::max(8, static_cast<int>(size * (width - 2 * padding) / widest));
    }
    const int hintSize = std::max(8, static_cast<int>(std::lround(kHintTextSize * scale)));
    const double lineHeight = std::ceil(size * kLineSpacing);
    const double bandHeight =
        std::ceil(2 * padding + lines.size() * lineHeight + hintSize * kLineSpacing);
    const double bottom = caption.top ? height - bandHeight : 0;

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4fv(kBand);
    glRectd(0, bottom, width, bottom + bandHeight);

    // Baselines from the band's top down; a line's descent stays in its row.
    double baseline = bottom + bandHeight - padding - size;
    for (const std::string& line : lines) {
        drawLine(line, size, (width - widthOf(line, size)) / 2, baseline, kText);
        baseline -= lineHeight;
    }
    if (hint) {
        const std::string line = hint;
        drawLine(line, hintSize, width - padding - widthOf(line, hintSize), bottom + padding, kHint);
    }

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
