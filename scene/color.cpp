// Colour presets and their application to the GL state.
#include "scene/color.h"

#include <GL/gl.h>

void Color::select(int preset) {
    static const float presets[10][3] = {
        {1, 0, 0},       {0, 1, 1}, {1, 1, 0}, {0, 1, 0},          {1, 0, 1},
        {0.6f, 0.3f, 0}, {0, 0, 1}, {0, 0, 0}, {0.4f, 0.4f, 0.4f}, {1, 1, 1},
    };
    index = preset;
    // Unsigned test: negative numbers fall outside the table as well.
    if (static_cast<unsigned>(preset) < 10u) {
        set(presets[preset][0], presets[preset][1], presets[preset][2]);
    }
}

void Color::apply() const { glColor3f(getR(), getG(), getB()); }
