// Where a line of large text lands on the screen, for the description hot spots.
#include "scene/hot_spot.h"

#include "scene/bitmap_text.h"
#include "scene/pixel_scale.h"

#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace {

// A pixel of slack on every side, so that the edges of the glyphs are covered
// however the raster position rounds.
constexpr int kSlack = 1;

// The view the pointer last left and its screen position then.
struct Departure {
    const Fl_Gl_Window* view = nullptr;
    int x = 0, y = 0;
};
Departure departure;

}  // namespace

PixelBox largeTextBox(const Fl_Gl_Window& view, const char* text) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble x = 0, y = 0, z = 0;
    gluProject(0, 0, 0, model, projection, viewport, &x, &y, &z);

    // GL counts rows from the bottom of the view, FLTK from the top.
    const int startX = static_cast<int>(std::floor(x));
    const int baseline = view.h() - 1 - static_cast<int>(std::floor(y));
    // In a scaled view the text is as much larger.
    const double s = pixelScale();
    auto scaled = [s](int pixels) { return static_cast<int>(std::ceil(pixels * s)); };
    PixelBox box;
    box.left = std::max(0, startX - kSlack);
    box.right = std::min(view.w(), startX + scaled(largeTextWidth(text)) + kSlack);
    box.top = std::max(0, baseline - scaled(largeTextAscent) - kSlack);
    box.bottom = std::min(view.h(), baseline + scaled(largeTextDescent) + 1 + kSlack);
    return box;
}

bool pointerIn(const Fl_Gl_Window& view, const PixelBox& box) {
    const int x = Fl::event_x_root(), y = Fl::event_y_root();
    if (departure.view == &view && departure.x == x && departure.y == y) {
        return false;
    }
    // x_root and y_root add up the positions of the windows the view sits in.
    return box.contains(x - view.x_root(), y - view.y_root());
}

void notePointerLeft(const Fl_Gl_Window& view) {
    departure = {&view, Fl::event_x_root(), Fl::event_y_root()};
}

void notePointerBack(const Fl_Gl_Window& view) {
    if (departure.view == &view) {
        departure = {};
    }
}
