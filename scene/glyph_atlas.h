// Glyph images packed into one GL texture per font and size in each context, and
// drawn as window-pixel textured quads where the raster position stands.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <vector>

// One glyph as an image beside the pen: its left column `left` pixels right of
// the pen, its top row `top` rows above the baseline row's bottom edge.
struct GlyphImage {
    int left = 0, top = 0, width = 0, height = 0;
    double advance = 0;
    std::vector<unsigned char> coverage;  // width * height, rows top to bottom
};

struct AtlasGlyph {
    int left = 0, top = 0, width = 0, height = 0;
    double advance = 0;
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;  // its place in the texture
};

// The Latin-1 glyphs of one font and size in one texture, so that a line is
// drawn with one binding and one batch of quads.
struct GlyphAtlas {
    bool tried = false;  // made once per context, even when that failed
    GLuint texture = 0;  // 0 while there is none
    AtlasGlyph glyphs[256];
};

// The current context's atlas of `font` at `size`, empty until filled. Scaled
// sizes come and go as a window is resized, so a context keeps only a few of
// them; the bitmap fonts' atlases stay as long as the context.
GlyphAtlas& contextAtlas(bool scaled, int font, int size);

// Packs `images` (indexed by character code) into the atlas's texture, a pixel
// apart so that none bleeds into another. Leaves the texture binding as it was.
void fillAtlas(GlyphAtlas& atlas, const std::vector<GlyphImage>& images);

// The state of drawing an atlas's glyphs as quads in window pixels, for the life
// of the object. GL state changed here and restored when it goes: lighting and
// colour tracking off (the raster colour is already lit), face culling, polygon stipple and offset
// off, polygons filled, the raster colour current, texturing on with the atlas
// bound and modulated, an alpha test that drops the texels no glyph covers,
// blending as `blend` says, and window-pixel matrices whose depth is the
// raster position's (so the scene hides text as it hides bitmaps). The quads
// are one batch: no other GL call may come while the object lives.
class AtlasQuads {
public:
    AtlasQuads(const GlyphAtlas& atlas, const GLfloat colour[4], bool blend);
    ~AtlasQuads();
    AtlasQuads(const AtlasQuads&) = delete;
    AtlasQuads& operator=(const AtlasQuads&) = delete;
    // One glyph with its left column at `left` and its top edge at `top`.
    void glyph(const AtlasGlyph& g, float left, float top, float depth) const;

private:
    GLint binding = 0, environment = GL_MODULATE;
};

// Drops the glyph textures recorded for the current context: it was made anew,
// and what was recorded under its address belonged to another.
void forgetGlyphsOfCurrentContext();
// Deletes the current context's glyph textures before the context goes. The
// toolkit's contexts share their textures, which would outlive it otherwise.
void releaseGlyphsOfCurrentContext();
// How many glyph textures all contexts hold together.
size_t glyphTexturesKept();
