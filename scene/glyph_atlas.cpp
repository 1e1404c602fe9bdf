// Glyph textures per context: packing, the per-context record, and the quads
// that draw them in window pixels.
#include "scene/glyph_atlas.h"

#ifdef _WIN32
#include <windows.h>
#include <GL/gl.h>
#else
#include <GL/glx.h>
#endif

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

// Windows' GL header stops at OpenGL 1.1; every driver has 1.2's edge clamping.
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace {

#ifdef _WIN32
const void* currentContext() { return wglGetCurrentContext(); }
#else
const void* currentContext() { return glXGetCurrentContext(); }
#endif

// Scaled sizes a context keeps before they are dropped (a window resized by
// dragging passes through many).
constexpr size_t kSizesKept = 6;

using AtlasKey = std::tuple<const void*, bool, int, int>;  // context, scaled, font, pixel size
std::map<AtlasKey, GlyphAtlas> atlases;

constexpr int kAtlasWidth = 1024;

void deleteTexture(GlyphAtlas& atlas) {
    if (atlas.texture) {
        glDeleteTextures(1, &atlas.texture);
        atlas.texture = 0;
    }
}

}  // namespace

GlyphAtlas& contextAtlas(bool scaled, int font, int size) {
    const void* context = currentContext();
    const AtlasKey key{context, scaled, font, size};
    auto found = atlases.find(key);
    if (found != atlases.end()) {
        return found->second;
    }
    if (scaled) {
        auto scaledHere = [context](const AtlasKey& k) {
            return std::get<0>(k) == context && std::get<1>(k);
        };
        size_t kept = 0;
        for (const auto& entry : atlases) {
            kept += scaledHere(entry.first) ? 1 : 0;
        }
        if (kept >= kSizesKept) {
            for (auto it = atlases.begin(); it != atlases.end();) {
                if (scaledHere(it->first)) {
                    deleteTexture(it->second);
                    it = atlases.erase(it);
                } else {
                    ++it;
                }
            }
        }
    }
    return atlases[key];
}

void fillAtlas(GlyphAtlas& atlas, const std::vector<GlyphImage>& images) {
    // Rows of glyphs, top to bottom.
    std::vector<int> px(images.size()), py(images.size());
    int x = 1, y = 1, rowHeight = 0;
    for (size_t c = 0; c < images.size() && c < 256; ++c) {
        const GlyphImage& image = images[c];
        if (x + image.width + 1 > kAtlasWidth) {
            x = 1;
            y += rowHeight + 1;
            rowHeight = 0;
        }
        px[c] = x;
        py[c] = y;
        x += image.width + 1;
        rowHeight = std::max(rowHeight, image.height);
    }
    const int height = y + rowHeight + 1;
    std::vector<unsigned char> pixels(static_cast<size_t>(kAtlasWidth) * height, 0);
    for (size_t c = 0; c < images.size() && c < 256; ++c) {
        const GlyphImage& image = images[c];
        AtlasGlyph& glyph = atlas.glyphs[c];
        glyph.left = image.left;
        glyph.top = image.top;
        glyph.width = image.width;
        glyph.height = image.height;
        glyph.advance = image.advance;
        for (int row = 0; row < image.height; ++row) {
            std::memcpy(&pixels[static_cast<size_t>(py[c] + row) * kAtlasWidth + px[c]],
                        &image.coverage[static_cast<size_t>(row) * image.width], image.width);
        }
        // Texture rows follow the glyph rows: t grows downward in the glyph.
        glyph.u0 = static_cast<float>(px[c]) / kAtlasWidth;
        glyph.u1 = static_cast<float>(px[c] + image.width) / kAtlasWidth;
        glyph.v0 = static_cast<float>(py[c]) / height;
        glyph.v1 = static_cast<float>(py[c] + image.height) / height;
    }
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGenTextures(1, &atlas.texture);
    glBindTexture(GL_TEXTURE_2D, atlas.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, kAtlasWidth, height, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 pixels.data());
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

AtlasQuads::AtlasQuads(const GlyphAtlas& atlas, const GLfloat colour[4], bool blend) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    // The texture's binding and environment are put back by hand: pushing
    // GL_TEXTURE_BIT copies every texture unit's state, which costs more than
    // a short line's quads.
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_POLYGON_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], 0, -1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    // Colour tracking would set the material to the raster colour, and every
    // later lit colour would drift.
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_CULL_FACE);
    glDisable(GL_POLYGON_STIPPLE);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    if (blend) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(colour);
    glBindTexture(GL_TEXTURE_2D, atlas.texture);
    glBegin(GL_QUADS);
}

AtlasQuads::~AtlasQuads() {
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(binding));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, environment);
    glPopAttrib();
}

void AtlasQuads::glyph(const AtlasGlyph& g, float left, float top, float depth) const {
    if (g.width <= 0 || g.height <= 0) {
        return;
    }
    const float bottom = top - static_cast<float>(g.height);
    const float right = left + static_cast<float>(g.width);
    glTexCoord2f(g.u0, g.v1);
    glVertex3f(left, bottom, depth);
    glTexCoord2f(g.u1, g.v1);
    glVertex3f(right, bottom, depth);
    glTexCoord2f(g.u1, g.v0);
    glVertex3f(right, top, depth);
    glTexCoord2f(g.u0, g.v0);
    glVertex3f(left, top, depth);
}

void releaseGlyphsOfCurrentContext() {
    const void* context = currentContext();
    for (auto& entry : atlases) {
        if (std::get<0>(entry.first) == context) {
            deleteTexture(entry.second);
        }
    }
    forgetGlyphsOfCurrentContext();
}

void forgetGlyphsOfCurrentContext() {
    const void* context = currentContext();
    for (auto it = atlases.begin(); it != atlases.end();) {
        it = std::get<0>(it->first) == context ? atlases.erase(it) : std::next(it);
    }
}

size_t glyphTexturesKept() {
    size_t kept = 0;
    for (const auto& entry : atlases) {
        kept += entry.second.texture != 0 ? 1 : 0;
    }
    return kept;
}
