// FreeType glyphs in GL textures: one atlas per face and size in each context.
#include "scene/scalable_text.h"

#ifdef _WIN32
#include "scene/data_files.h"

#include <FL/fl_utf8.h>
#include <windows.h>
#else
#include <GL/glx.h>
#include <fontconfig/fontconfig.h>
#endif
#include <GL/freeglut.h>
#include <ft2build.h>
#include FT_FREETYPE_H

// Windows' GL header stops at OpenGL 1.1; every driver has 1.2's edge clamping.
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Sizes a context keeps before the others are dropped (a window resized by
// dragging passes through many).
constexpr size_t kSizesKept = 6;

struct Glyph {
    int left = 0, top = 0, width = 0, height = 0;
    double advance = 0;
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;  // its place in the atlas
};

// The printable Latin-1 glyphs of one face and size (the bitmap fonts' own
// range), in one texture, so that a line is drawn with one binding and one
// batch of quads.
struct GlyphSet {
    bool made = false;
    GLuint atlas = 0;
    Glyph glyphs[256];
};

using SetKey = std::tuple<const void*, int, int>;  // context, face, pixel size
std::map<SetKey, GlyphSet> glyphSets;

#ifdef _WIN32

const void* currentContext() { return wglGetCurrentContext(); }

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

const void* currentContext() { return glXGetCurrentContext(); }

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

constexpr int kAtlasWidth = 1024;
constexpr int kFirst = 32, kLast = 255;

// Latin-1 codes are their Unicode code points; 127 to 159 are control codes.
bool printable(int c) { return c < 127 || c > 159; }

void makeAtlas(GlyphSet& set, FT_Face face, int size) {
    set.made = true;
    FT_Set_Pixel_Sizes(face, 0, size);
    // Rows of glyphs, top to bottom, a pixel apart so that none bleeds into another.
    struct Placed {
        std::vector<unsigned char> coverage;
        int x, y;
    };
    std::vector<Placed> placed(kLast + 1);
    int x = 1, y = 1, rowHeight = 0;
    for (int c = kFirst; c <= kLast; ++c) {
        if (!printable(c) || FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) {
            continue;
        }
        Glyph& glyph = set.glyphs[c];
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        glyph.advance = face->glyph->advance.x / 64.0;
        glyph.left = face->glyph->bitmap_left;
        glyph.top = face->glyph->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.height = static_cast<int>(bitmap.rows);
        if (x + glyph.width + 1 > kAtlasWidth) {
            x = 1;
            y += rowHeight + 1;
            rowHeight = 0;
        }
        placed[c] = {std::vector<unsigned char>(static_cast<size_t>(glyph.width) * glyph.height), x, y};
        for (int row = 0; row < glyph.height; ++row) {
            std::memcpy(&placed[c].coverage[static_cast<size_t>(row) * glyph.width],
                        bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch, glyph.width);
        }
        x += glyph.width + 1;
        rowHeight = std::max(rowHeight, glyph.height);
    }
    const int height = y + rowHeight + 1;
    std::vector<unsigned char> atlas(static_cast<size_t>(kAtlasWidth) * height, 0);
    for (int c = kFirst; c <= kLast; ++c) {
        Glyph& glyph = set.glyphs[c];
        const Placed& p = placed[c];
        for (int row = 0; row < glyph.height; ++row) {
            std::memcpy(&atlas[static_cast<size_t>(p.y + row) * kAtlasWidth + p.x],
                        &p.coverage[static_cast<size_t>(row) * glyph.width], glyph.width);
        }
        // Texture rows follow the glyph rows: t grows downward in the glyph.
        glyph.u0 = static_cast<float>(p.x) / kAtlasWidth;
        glyph.u1 = static_cast<float>(p.x + glyph.width) / kAtlasWidth;
        glyph.v0 = static_cast<float>(p.y) / height;
        glyph.v1 = static_cast<float>(p.y + glyph.height) / height;
    }
    glGenTextures(1, &set.atlas);
    glBindTexture(GL_TEXTURE_2D, set.atlas);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, kAtlasWidth, height, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 atlas.data());
    glPopClientAttrib();
}

void deleteSet(GlyphSet& set) {
    if (set.atlas) {
        glDeleteTextures(1, &set.atlas);
    }
}

GlyphSet& glyphSet(TextFace face, int size) {
    const void* context = currentContext();
    const SetKey key{context, static_cast<int>(face), size};
    auto found = glyphSets.find(key);
    if (found != glyphSets.end()) {
        return found->second;
    }
    size_t kept = 0;
    for (const auto& entry : glyphSets) {
        kept += std::get<0>(entry.first) == context ? 1 : 0;
    }
    if (kept >= kSizesKept) {
        for (auto it = glyphSets.begin(); it != glyphSets.end();) {
            if (std::get<0>(it->first) == context) {
                deleteSet(it->second);
                it = glyphSets.erase(it);
            } else {
                ++it;
            }
        }
    }
    return glyphSets[key];
}

}  // namespace

bool drawScalableText(TextFace which, void* glutFont, int designSize, double scale,
                      const char* text) {
    FT_Face face = faceOf(which);
    if (!face) {
        return false;
    }
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (!valid) {
        return true;  // as with bitmaps, the whole line is skipped
    }
    GLfloat start[4], colour[4];
    GLint viewport[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, start);
    glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int size = static_cast<int>(std::lround(designSize * scale));
    GlyphSet& set = glyphSet(which, size);

    // GL state changed here and restored below: lighting and colour tracking off
    // (the raster colour is already lit, and a tracked material would keep it:
    // the next text of the same colour would then be lit twice, paler at each
    // step), texturing, blending and alpha test on, window-pixel matrices whose
    // depth is the raster position's, so the scene may hide text as it hides
    // bitmaps.
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], 0, -1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(colour);

    if (!set.made) {
        makeAtlas(set, face, size);
    }
    glBindTexture(GL_TEXTURE_2D, set.atlas);

    // The line is as long as the bitmap font's times the scale; within it the
    // glyphs keep the face's own spacing.
    const unsigned char* const first = reinterpret_cast<const unsigned char*>(text);
    double length = 0, faceLength = 0;
    for (const unsigned char* p = first; *p; ++p) {
        length += glutBitmapWidth(glutFont, *p) * scale;
        faceLength += set.glyphs[*p].advance;
    }
    const double stretch = faceLength > 0 ? length / faceLength : 1.0;

    const float baseline = std::floor(start[1]);
    const float depth = start[2];
    double pen = start[0];
    glBegin(GL_QUADS);
    for (const unsigned char* p = first; *p; ++p) {
        const Glyph& g = set.glyphs[*p];
        if (g.width > 0) {
            const float left = static_cast<float>(std::floor(pen) + g.left);
            const float top = baseline + static_cast<float>(g.top);
            glTexCoord2f(g.u0, g.v1);
            glVertex3f(left, top - g.height, depth);
            glTexCoord2f(g.u1, g.v1);
            glVertex3f(left + g.width, top - g.height, depth);
            glTexCoord2f(g.u1, g.v0);
            glVertex3f(left + g.width, top, depth);
            glTexCoord2f(g.u0, g.v0);
            glVertex3f(left, top, depth);
        }
        pen += g.advance * stretch;
    }
    glEnd();

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    // On from the start by the text's length, as the bitmap glyphs would have moved it.
    glBitmap(0, 0, 0, 0, static_cast<float>(length), 0, nullptr);
    return true;
}

void releaseGlyphsOfCurrentContext() {
    const void* context = currentContext();
    for (auto& entry : glyphSets) {
        if (std::get<0>(entry.first) == context) {
            deleteSet(entry.second);
        }
    }
    forgetGlyphsOfCurrentContext();
}

void forgetGlyphsOfCurrentContext() {
    const void* context = currentContext();
    for (auto it = glyphSets.begin(); it != glyphSets.end();) {
        it = std::get<0>(it->first) == context ? glyphSets.erase(it) : std::next(it);
    }
}
