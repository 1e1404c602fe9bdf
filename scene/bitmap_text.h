// GLUT bitmap text at a point of the scene: it always faces the viewer at its
// fixed pixel size, in the colour current when the raster position is set.
#pragma once

// At scale 1 the glyphs come from textures made of GLUT's own glyphs in each
// context: pixel for pixel what glutBitmapCharacter draws, at a fraction of its
// cost on a software renderer. false draws them through glutBitmapCharacter
// instead, as happens anyway where the textures cannot be made; for comparing
// the two. true also has GLUT's glyphs read anew for the next atlas made.
void useBitmapGlyphAtlas(bool use);

// Times Roman 24: the introduction and most labels.
void drawTimesText(float x, float y, const char* text);
// Times Roman 24 from wherever the raster position stands, for example after a
// move of it by whole pixels.
void continueTimesText(const char* text);
// Helvetica 18: bit strings and smaller labels.
void drawHelveticaText(float x, float y, const char* text);

// How far the large font's glyphs reach above and below the baseline row, in
// pixels, and how far a text advances the raster position.
constexpr int largeTextAscent = 16;
constexpr int largeTextDescent = 5;
int largeTextWidth(const char* text);
