// `orvantis --check-graphics`: what a teacher runs when a classroom PC shows
// black scenes. It names the OpenGL driver and says which views draw.
#pragma once

#include <string>
#include <vector>

// A colour a view's picture must show near a place of its design, in design
// pixels from its top left corner.
struct ColourMark {
    const char* what;
    int x, y;
    int r, g, b;
};

// What was found in one picture.
struct PictureVerdict {
    size_t colours = 0;          // distinct colours
    bool blank = true;           // one colour at most
    bool enoughColours = false;  // at least the view's minimum
    std::string missing;         // the marks not found, comma-separated
    bool passed() const { return !blank && enoughColours && missing.empty(); }
};

// Judges a picture as glReadPixels gives it (RGB, rows from the bottom) of a view
// drawn `scale` view pixels per design pixel. A mark counts when its colour is
// found, within what drivers differ by, a few design pixels around its place.
PictureVerdict judgePicture(const std::vector<unsigned char>& rgb, int width, int height,
                            double scale, int minColours, const std::vector<ColourMark>& marks);

// Prints the OpenGL vendor, renderer and version, opens every window as the
// program does and draws each view once in its own context, then reports per
// view whether its picture has the colours it should. Returns the exit status:
// 0 when every view passed, 1 when any was blank or lacked its colours.
int checkGraphics();
