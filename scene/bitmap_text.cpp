// Bitmap text through GLUT's fonts: at scale 1 from textures of GLUT's own
// glyphs, in a scaled view the same lines drawn scalably (scene/scalable_text.h).
#include "scene/bitmap_text.h"

#include "scene/glyph_atlas.h"
#include "scene/pixel_scale.h"
#include "scene/scalable_text.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

bool atlasInUse = true;

struct BitmapFont {
    void* glut;
    TextFace face;
    int size;
};

const BitmapFont kTimes{GLUT_BITMAP_TIMES_ROMAN_24, TextFace::Serif, 24};
const BitmapFont kHelvetica{GLUT_BITMAP_HELVETICA_18, TextFace::Sans, 18};

// --- Taking GLUT's glyphs ---------------------------------------------------
// Each glyph is drawn by glutBitmapCharacter itself into a corner of the back
// buffer and read back, so the texture holds exactly its pixels, whatever font
// tables the library carries. The corner's pixels are put back afterwards.

// A glyph's pen stands `margin` pixels from its cell's left and bottom edges,
// with as much room on every side: the fonts' origins are a few pixels.
struct Cells {
    int margin, width, height, columns, rows;
};

// The glyph of code `c` in its cell of `ink` (one byte per pixel, `stride` a
// row, rows from the bottom), as an image beside the pen. False when its ink
// reaches the cell's edge, where it might have been cut off.
bool glyphFromCell(const std::vector<unsigned char>& ink, int stride, int cellX, int cellY,
                   const Cells& cells, GlyphImage& image) {
    int low = cells.height, high = -1, leftmost = cells.width, rightmost = -1;
    for (int y = 0; y < cells.height; ++y) {
        for (int x = 0; x < cells.width; ++x) {
            if (ink[static_cast<size_t>(cellY + y) * stride + cellX + x] > 127) {
                low = std::min(low, y);
                high = std::max(high, y);
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    if (high < 0) {
        return true;  // a space: advance only
    }
    if (low == 0 || leftmost == 0 || high == cells.height - 1 || rightmost == cells.width - 1) {
        return false;
    }
    image.left = leftmost - cells.margin;
    image.top = high + 1 - cells.margin;
    image.width = rightmost - leftmost + 1;
    image.height = high - low + 1;
    image.coverage.assign(static_cast<size_t>(image.width) * image.height, 0);
    for (int row = 0; row < image.height; ++row) {
        const int y = high - row;
        for (int x = 0; x < image.width; ++x) {
            if (ink[static_cast<size_t>(cellY + y) * stride + cellX + leftmost + x] > 127) {
                image.coverage[static_cast<size_t>(row) * image.width + x] = 255;
            }
        }
    }
    return true;
}

// Every glyph of `font` (codes 1 to 255) as glutBitmapCharacter draws it, drawn
// in batches into the bottom left of the viewport. False where that cannot be
// done faithfully: a single-buffered context, whose drawing would show, or a
// view too small for a cell.
bool takeGlyphs(void* font, std::vector<GlyphImage>& images) {
    GLboolean doubled = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubled);
    GLint viewport[4], drawBuffer = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    int widest = 0;
    for (int c = 1; c < 256; ++c) {
        widest = std::max(widest, glutBitmapWidth(font, c));
    }
    const int fontHeight = glutBitmapHeight(font);
    Cells cells{fontHeight, 0, 0, 0, 0};
    cells.width = widest + 2 * cells.margin;
    cells.height = fontHeight + 2 * cells.margin;
    cells.columns = viewport[2] / cells.width;
    cells.rows = viewport[3] / cells.height;
    if (!doubled || cells.columns < 1 || cells.rows < 1) {
        return false;
    }
    const int x0 = viewport[0], y0 = viewport[1];
    const int w = cells.columns * cells.width, h = cells.rows * cells.height;

    // GL state changed here and restored below: every attribute (the corner is
    // drawn white on black with nothing but the scissor test on, and read from
    // the buffer drawn to), the pixel store and both matrices.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(x0, x0 + viewport[2], y0, y0 + viewport[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    for (GLenum capability : {GL_DEPTH_TEST, GL_STENCIL_TEST, GL_ALPHA_TEST, GL_BLEND, GL_FOG,
                              GL_LIGHTING, GL_COLOR_MATERIAL, GL_TEXTURE_1D, GL_TEXTURE_2D, GL_COLOR_LOGIC_OP,
                              GL_DITHER}) {
        glDisable(capability);
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glReadBuffer(static_cast<GLenum>(drawBuffer));
    glPixelZoom(1, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::vector<unsigned char> saved(static_cast<size_t>(w) * h * 4);
    std::vector<unsigned char> ink(static_cast<size_t>(w) * h);
    glReadPixels(x0, y0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, saved.data());
    glScissor(x0, y0, w, h);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
    glColor3f(1, 1, 1);

    bool whole = true;
    const int perBatch = cells.columns * cells.rows;
    for (int first = 1; first < 256 && whole; first += perBatch) {
        glClear(GL_COLOR_BUFFER_BIT);
        const int last = std::min(255, first + perBatch - 1);
        for (int c = first; c <= last; ++c) {
            const int cell = c - first;
            // Half a pixel in, so that no rounding moves the pen to the next pixel.
            glRasterPos2f(x0 + (cell % cells.columns) * cells.width + cells.margin + 0.5f,
                          y0 + (cell / cells.columns) * cells.height + cells.margin + 0.5f);
            glutBitmapCharacter(font, c);
        }
        glReadPixels(x0, y0, w, h, GL_RED, GL_UNSIGNED_BYTE, ink.data());
        for (int c = first; c <= last && whole; ++c) {
            const int cell = c - first;
            images[c].advance = glutBitmapWidth(font, c);
            whole = glyphFromCell(ink, w, (cell % cells.columns) * cells.width,
                                  (cell / cells.columns) * cells.height, cells, images[c]);
        }
    }

    // The corner as it was, from its bottom left pixel on.
    glRasterPos2f(x0 + 0.25f, y0 + 0.25f);
    glDrawPixels(w, h, GL_RGBA, GL_UNSIGNED_BYTE, saved.data());
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopClientAttrib();
    glPopAttrib();
    // A glyph that left no ink where letters must have some means the reading
    // failed (pixels not owned by the context, say).
    return whole && images['A'].width > 0 && images['x'].width > 0;
}

// GLUT's glyphs of each font as read back, by TextFace. They are read once for
// the whole program, not in every context: reading them makes the software
// renderer build its pixel-copying code for the context, some megabytes of it
// a window.
std::vector<GlyphImage> takenGlyphs[2];

// The current context's atlas of `font`, made on first use; null where it
// cannot be made.
const GlyphAtlas* bitmapAtlas(const BitmapFont& font) {
    GlyphAtlas& atlas = contextAtlas(false, static_cast<int>(font.face), font.size);
    if (!atlas.tried) {
        atlas.tried = true;
        std::vector<GlyphImage>& images = takenGlyphs[static_cast<int>(font.face)];
        if (images.empty()) {
            std::vector<GlyphImage> fresh(256);
            if (takeGlyphs(font.glut, fresh)) {
                images.swap(fresh);
            }
        }
        if (!images.empty()) {
            fillAtlas(atlas, images);
        }
    }
    return atlas.texture ? &atlas : nullptr;
}

// Whether quads give what glBitmap gives in the current state. Feedback and
// selection report bitmaps as such; fog, texturing and the alpha test would
// treat bitmap fragments by the raster position's own distance, texture
// coordinates and alpha, which the quads do not carry.
bool quadsDrawAsBitmaps() {
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    return mode == GL_RENDER && !glIsEnabled(GL_FOG) && !glIsEnabled(GL_TEXTURE_1D) &&
           !glIsEnabled(GL_TEXTURE_2D) && !glIsEnabled(GL_ALPHA_TEST);
}

// The line from the atlas, with glBitmap's rules: nothing while the raster
// position is invalid, each glyph's lower left at the floor of the pen, the
// raster colour and depth, and the pen moved on by each advance in turn (its
// float sums are the ones glBitmap forms). False where the atlas is not used.
bool drawFromAtlas(const BitmapFont& font, const char* text) {
    if (!atlasInUse || !quadsDrawAsBitmaps()) {
        return false;
    }
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (!valid) {
        return true;
    }
    const GlyphAtlas* atlas = bitmapAtlas(font);
    if (!atlas) {
        return false;
    }
    GLfloat start[4], colour[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, start);
    glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);
    const unsigned char* const first = reinterpret_cast<const unsigned char*>(text);
    const float baseline = std::floor(start[1]);
    float pen = start[0];
    {
        // Bitmap fragments blend as the scene's state says: blending is left alone.
        const AtlasQuads quads(*atlas, colour, false);
        for (const unsigned char* p = first; *p; ++p) {
            const AtlasGlyph& g = atlas->glyphs[*p];
            quads.glyph(g, std::floor(pen) + static_cast<float>(g.left),
                        baseline + static_cast<float>(g.top), start[2]);
            pen += static_cast<float>(g.advance);
        }
    }
    for (const unsigned char* p = first; *p; ++p) {
        glBitmap(0, 0, 0, 0, static_cast<float>(atlas->glyphs[*p].advance), 0, nullptr);
    }
    return true;
}

void drawGlyphs(const BitmapFont& font, const char* text) {
    const double scale = pixelScale();
    if (scale != 1.0 && drawScalableText(font.face, font.glut, font.size, scale, text)) {
        return;
    }
    if (scale == 1.0 && drawFromAtlas(font, text)) {
        return;
    }
    const size_t length = std::strlen(text);
    for (size_t i = 0; i < length; ++i) {
        glutBitmapCharacter(font.glut, static_cast<unsigned char>(text[i]));
    }
}

void drawText(const BitmapFont& font, float x, float y, const char* text) {
    // A start point outside the view volume invalidates the raster position and
    // OpenGL then skips the whole line.
    glRasterPos2f(x, y);
    drawGlyphs(font, text);
}

}  // namespace

void useBitmapGlyphAtlas(bool use) {
    atlasInUse = use;
    if (use) {
        for (std::vector<GlyphImage>& images : takenGlyphs) {
            images.clear();
        }
    }
}

void drawTimesText(float x, float y, const char* text) { drawText(kTimes, x, y, text); }

void continueTimesText(const char* text) { drawGlyphs(kTimes, text); }

void drawHelveticaText(float x, float y, const char* text) { drawText(kHelvetica, x, y, text); }

int largeTextWidth(const char* text) {
    return glutBitmapLength(GLUT_BITMAP_TIMES_ROMAN_24, reinterpret_cast<const unsigned char*>(text));
}
