// Scene text at sizes the bitmap fonts do not come in: glyphs of the Liberation
// faces rendered by FreeType into textures and drawn as quads where the raster
// position stands, so that a scaled view's text stays crisp and in its place.
#pragma once

enum class TextFace { Serif, Sans };

// Draws `text` from the current raster position as the bitmap font `glutFont`
// of `designSize` pixels would be drawn `scale` times larger: the line is as long
// as the bitmap font's times `scale`, so it keeps its length relative to the
// scene. Like bitmap text it takes the raster colour and depth, draws nothing
// when the raster position is invalid and leaves the raster position after the
// text. Returns false when no face could be loaded.
bool drawScalableText(TextFace face, void* glutFont, int designSize, double scale,
                      const char* text);


// Draws `text` from the current raster position in the face's own spacing at
// `size` pixels, in the raster colour, and moves the raster position past it.
// Returns false when no face could be loaded.
bool drawFaceText(TextFace face, int size, const char* text);

// How far drawFaceText would move the pen: 0 when no face could be loaded.
// Needs a current GL context (the glyphs are measured in its atlas).
double faceTextWidth(TextFace face, int size, const char* text);
