// FreeType glyphs in GL textures: one atlas per face and size in each context.
#include "scene/scalable_text.h"

#include "scene/glyph_atlas.h"

#ifdef _WIN32
#include "scene/data_files.h"

#include <FL/fl_utf8.h>
#else
#include <fontconfig/fontconfig.h>
#endif
#include <GL/freeglut.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

#ifdef _WIN32

// The faces are shipped beside the executable. FreeType opens files by narrow
// names only, which miss folders outside the system's code page (a user's own
// folder with an accented name), so they are read into memory here.
// Serif and Sans, metric-compatible with the bitmap fonts' Times and Helvetica.
const char* const kFaceFiles[] = {"LiberationSerif-Regular.ttf", "LiberationSans-Regular.ttf"};
std::vector<unsigned char> faceBytes[2];

FT_Error openFace(FT_Library library, int which, FT_Face* face) {
    std::vector<unsigned char>& bytes = faceBytes[which];
    if (FILE* file = fl_fopen(dataFilePath(kFaceFiles[which]).c_str(), "rb")) {
        unsigned char buffer[65536];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        std::fclose(file);
    }
    if (bytes.empty()) {
        return FT_Err_Cannot_Open_Resource;
    }
    return FT_New_Memory_Face(library, bytes.data(), static_cast<FT_Long>(bytes.size()), 0, face);
}

#else

// Metric-compatible with the bitmap fonts' Times and Helvetica.
const char* const kFamilies[] = {"Liberation Serif:style=Regular", "Liberation Sans:style=Regular"};

std::string fontFile(const char* name) {
    std::string file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
    if (!pattern) {
        return file;
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
            file = reinterpret_cast<const char*>(path);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

FT_Error openFace(FT_Library library, int which, FT_Face* face) {
    const std::string file = fontFile(kFamilies[which]);
    return file.empty() ? FT_Err_Cannot_Open_Resource : FT_New_Face(library, file.c_str(), 0, face);
}

#endif

FT_Face faceOf(TextFace which) {
    static FT_Library library = nullptr;
    static FT_Face faces[2] = {};
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        if (FT_Init_FreeType(&library) == 0) {
            for (int i = 0; i < 2; ++i) {
                if (openFace(library, i, &faces[i]) != 0) {
                    faces[i] = nullptr;
                }
            }
        }
    }
    return faces[static_cast<int>(which)];
}

constexpr int kFirst = 32, kLast = 255;

// Latin-1 codes are their Unicode code points; 127 to 159 are control codes.
bool printable(int c) { return c < 127 || c > 159; }

void makeAtlas(GlyphAtlas& atlas, FT_Face face, int size) {
    FT_Set_Pixel_Sizes(face, 0, size);
    std::vector<GlyphImage> images(kLast + 1);
    for (int c = kFirst; c <= kLast; ++c) {
        if (!printable(c) || FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) {
            continue;
        }
        GlyphImage& image = images[c];
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        image.advance = face->glyph->advance.x / 64.0;
        image.left = face->glyph->bitmap_left;
        image.top = face->glyph->bitmap_top;
        image.width = static_cast<int>(bitmap.width);
        image.height = static_cast<int>(bitmap.rows);
        image.coverage.resize(static_cast<size_t>(image.width) * image.height);
        for (int row = 0; row < image.height; ++row) {
            std::memcpy(&image.coverage[static_cast<size_t>(row) * image.width],
                        bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch, image.width);
        }
    }
    fillAtlas(atlas, images);
}

// The current context's atlas of `face` at `size` pixels; null without the face.
GlyphAtlas* atlasOf(TextFace which, int size) {
    FT_Face face = faceOf(which);
    if (!face) {
        return nullptr;
    }
    GlyphAtlas& atlas = contextAtlas(true, static_cast<int>(which), size);
    if (!atlas.tried) {
        atlas.tried = true;
        makeAtlas(atlas, face, size);
    }
    return &atlas;
}

// Draws the glyphs from the raster position, each advance widened by
// `stretch`, then moves the raster position on by `length`.
void drawGlyphs(const GlyphAtlas& atlas, const char* text, double stretch, double length) {
    GLfloat start[4], colour[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, start);
    glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);
    const float baseline = std::floor(start[1]);
    const float depth = start[2];
    double pen = start[0];
    {
        // Coverage is blended: the faces' glyphs are smoothed.
        const AtlasQuads quads(atlas, colour, true);
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
            const AtlasGlyph& g = atlas.glyphs[*p];
            quads.glyph(g, static_cast<float>(std::floor(pen) + g.left),
                        baseline + static_cast<float>(g.top), depth);
            pen += g.advance * stretch;
        }
    }
    glBitmap(0, 0, 0, 0, static_cast<float>(length), 0, nullptr);
}

bool rasterValid() {
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    return valid == GL_TRUE;
}

}  // namespace

bool drawScalableText(TextFace which, void* glutFont, int designSize, double scale,
                      const char* text) {
    if (!faceOf(which)) {
        return false;
    }
    if (!rasterValid()) {
        return true;  // as with bitmaps, the whole line is skipped
    }
    const int size = static_cast<int>(std::lround(designSize * scale));
    const GlyphAtlas& atlas = *atlasOf(which, size);

    // The line is as long as the bitmap font's times the scale; within it the
    // glyphs keep the face's own spacing.
    double length = 0, faceLength = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        length += glutBitmapWidth(glutFont, *p) * scale;
        faceLength += atlas.glyphs[*p].advance;
    }
    const double stretch = faceLength > 0 ? length / faceLength : 1.0;
    // On from the start by the text's length, as the bitmap glyphs would have moved it.
    drawGlyphs(atlas, text, stretch, length);
    return true;
}

double faceTextWidth(TextFace which, int size, const char* text) {
    const GlyphAtlas* atlas = atlasOf(which, size);
    double width = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); atlas && *p; ++p) {
        width += atlas->glyphs[*p].advance;
    }
    return width;
}

bool drawFaceText(TextFace which, int size, const char* text) {
    const GlyphAtlas* atlas = atlasOf(which, size);
    if (!atlas) {
        return false;
    }
    if (rasterValid()) {
        drawGlyphs(*atlas, text, 1.0, faceTextWidth(which, size, text));
    }
    return true;
}
