// What the Bell view shows in a real GL context: lamp colours, the
// description hot spot and the dimmed scene.
#include "app/demonstrations.h"
#include "app/registry.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"
#include "support/gl_probe.h"

#include <FL/Fl.H>
#include <FL/Fl_Light_Button.H>
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// The view's front buffer after one draw, y from the top like FLTK's.
struct Picture {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    Pixel at(int x, int y) const {
        if (x < 0 || y < 0 || x >= w || y >= h) return {-1, -1, -1};
        const unsigned char* p = &rgb[3 * ((h - 1 - y) * w + x)];
        return {p[0], p[1], p[2]};
    }
    // Counts pixels in a rectangle that satisfy `test`.
    int count(int x0, int y0, int x1, int y1, const std::function<bool(Pixel)>& test) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += test(at(x, y));
        return n;
    }
};

Picture grab(BellView& view) {
    // Drawn straight into the back buffer and read there, before any swap.
    view.make_current();
    view.draw();
    glReadBuffer(GL_BACK);
    glFinish();
    Picture picture;
    picture.w = view.w();
    picture.h = view.h();
    picture.rgb.resize(3 * picture.w * picture.h);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, picture.w, picture.h, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    return picture;
}

BellView* openView() {
    showBellWindow();
    BellWindow* window = bellWindow;
    BellView* view = bellView;
    EXPECT_TRUE(waitUntilDrawn(*window));
    EXPECT_TRUE(view->visible());
    return view;
}

// Window pixel (x from the left, y from the top) of a point of the view's scene,
// given the transformation of its frame after the camera and the 0.4 squeeze.
struct Spot {
    int x, y;
};
Spot project(BellView& view, const std::function<void()>& frame, float x, float y, float z) {
    // A draw leaves the camera on the model-view stack and the box on the projection.
    view.make_current();
    view.draw();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glScalef(0.4f, 1, 1);
    frame();
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPopMatrix();
    GLdouble wx, wy, wz;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return {static_cast<int>(wx), view.h() - 1 - static_cast<int>(wy)};
}

// Points along lamp `lamp`'s line, away from the labels and the other lines.
std::vector<Spot> lampLine(BellView& view, int lamp) {
    const int side = lamp / 6;
    const bool plus = lamp % 6 >= 3;
    const int direction = lamp % 3;
    auto frame = [&] {
        glTranslatef(3, -2.9f, 0);
        glScalef(1.5f, 1.5f, 1);
        glTranslatef(6.1f * side, 0, 0);
        glRotatef(-30.0f * direction, 0, 0, 1);
    };
    std::vector<Spot> spots;
    for (float t = 0.9f; t <= 1.6f; t += 0.05f) {
        spots.push_back(plus ? project(view, frame, 0, -t, 0) : project(view, frame, t, 0, 0));
    }
    return spots;
}

TEST(BellViewDrawing, LampsShowTheResultColours) {
    BellView& view = *openView();
    // The lamps as the run would set them, black for a reference picture.
    BellExperiment& lamps = bellWindow->experiment;
    // Whatever the lighting makes of a colour c at a pixel is c * k + s there, so
    // the colour is recovered from the same pixel drawn white and black.
    lamps.lampsOff();
    const Picture white = grab(view);
    for (Color& lamp : lamps.lamps) lamp.setBlack();
    const Picture black = grab(view);

    std::vector<Spot> brightest(12);
    for (int lamp = 0; lamp < 12; ++lamp) {
        int best = -1;
        for (Spot s : lampLine(view, lamp)) {
            const Pixel p = white.at(s.x, s.y);
            if (p.r + p.g + p.b > best) {
                best = p.r + p.g + p.b;
                brightest[lamp] = s;
            }
        }
        ASSERT_GT(best, 3 * 150) << "lamp " << lamp << " line not found";
    }
    auto recovered = [&](const Picture& lit, int lamp, int channel) {
        const Spot s = brightest[lamp];
        const int w[3] = {white.at(s.x, s.y).r, white.at(s.x, s.y).g, white.at(s.x, s.y).b};
        const int b[3] = {black.at(s.x, s.y).r, black.at(s.x, s.y).g, black.at(s.x, s.y).b};
        const int p[3] = {lit.at(s.x, s.y).r, lit.at(s.x, s.y).g, lit.at(s.x, s.y).b};
        return (p[channel] - b[channel]) / static_cast<double>(w[channel] - b[channel]);
    };

    // Red A+, blue A-, brown B+, magenta B-, green C+, yellow C-.
    const float plus[3][3] = {{1, 0, 0}, {0.6f, 0.3f, 0}, {0, 1, 0}};
    const float minus[3][3] = {{0, 0, 1}, {1, 0, 1}, {1, 1, 0}};
    for (int direction = 0; direction < 3; ++direction) {
        for (bool isMinus : {false, true}) {
            lamps.lampsOff();
            // Both detectors at the same direction with equal results.
            lamps.lightResultLamps(direction * 110 + (isMinus ? 3 : 0));
            const Picture lit = grab(view);
            const float* want = isMinus ? minus[direction] : plus[direction];
            for (int side = 0; side < 2; ++side) {
                const int lamp = BellExperiment::lampIndex(side, direction, isMinus);
                const int other = BellExperiment::lampIndex(side, direction, !isMinus);
                for (int c = 0; c < 3; ++c) {
                    EXPECT_NEAR(recovered(lit, lamp, c), want[c], 0.15)
                        << "lamp " << lamp << " channel " << c;
                    EXPECT_NEAR(recovered(lit, other, c), 1.0, 0.15)
                        << "unlit lamp " << other << " channel " << c;
                }
            }
        }
    }
}

TEST(BellViewDrawing, DescriptionAppearsOnTheHotSpotWhereverTheWindowIs) {
    BellView& view = *openView();
    Fl_Window* top = view.top_window();
    auto red = [](Pixel p) { return p.r > 150 && p.g < 80 && p.b < 80; };
    auto green = [](Pixel p) { return p.g > 150 && p.r < 150 && p.b < 150; };
    // Label at the bottom left of the view (window x 33..143, y 694..715, with a
    // pixel to spare around it); text lines above it.
    auto show = [&](int windowX, int windowY) {
        Fl::e_x_root = top->x_root() + windowX;
        Fl::e_y_root = top->y_root() + windowY;
        return grab(view);
    };
    for (auto [x, y, inside] : std::vector<std::tuple<int, int, bool>>{
             {88, 705, true}, {31, 693, true}, {145, 716, true},
             {30, 705, false}, {146, 705, false}, {88, 692, false}, {88, 717, false}, {600, 20, false}}) {
        const Picture picture = show(x, y);
        const int label = picture.count(0, 355, 200, 390, red);
        const int lines = picture.count(0, 200, 440, 340, green);
        EXPECT_EQ(view.showDescription, inside) << x << "," << y;
        if (inside) {
            EXPECT_EQ(label, 0) << x << "," << y;
            EXPECT_GT(lines, 200) << x << "," << y;
        } else {
            EXPECT_GT(label, 30) << x << "," << y;
            EXPECT_EQ(lines, 0) << x << "," << y;
        }
    }
    // The rectangle moves with the window.
    top->position(200, 100);
    EXPECT_TRUE(waitFor([top] { return top->x_root() == 200; }));
    show(88, 705);
    EXPECT_TRUE(view.showDescription);
    Fl::e_x_root = 88;
    Fl::e_y_root = 705;
    grab(view);
    EXPECT_FALSE(view.showDescription);
}

TEST(BellViewDrawing, CountDimsTheSceneAndBack) {
    BellView& view = *openView();
    BellWindow& window = *bellWindow;
    auto none = [] {};
    const Spot laser = project(view, none, -13, 2.4f, 1.06f);  // front face of the housing
    const Pixel bright = grab(view).at(laser.x, laser.y);
    ASSERT_GT(bright.r, 100);

    window.countButton->value(1);
    window.countButton->do_callback();
    EXPECT_FALSE(view.sceneLit);
    EXPECT_EQ(view.lightLevels[0], 0.0f);
    EXPECT_EQ(view.lightLevels[1], 0.1f);
    EXPECT_EQ(view.lightLevels[2], 0.3f);
    const Pixel dim = grab(view).at(laser.x, laser.y);
    EXPECT_LT(dim.r, bright.r / 2);

    window.countButton->value(0);
    window.countButton->do_callback();
    EXPECT_TRUE(view.sceneLit);
    EXPECT_EQ(view.lightLevels[0], 0.1f);
    EXPECT_EQ(view.lightLevels[1], 0.6f);
    EXPECT_EQ(view.lightLevels[2], 1.0f);
    const Pixel again = grab(view).at(laser.x, laser.y);
    EXPECT_EQ(again.r, bright.r);
    EXPECT_EQ(again.g, bright.g);
}

TEST(BellViewDrawing, LocalPhotonsCarryTheirHiddenPolarization) {
    BellView& view = *openView();
    // A pair of the local source on its way to the detectors.
    BellExperiment& pair = bellWindow->experiment;
    pair.setPhase(BellPhase::Approach);
    pair.photonX = 3.3f;
    pair.photonSpread = 1.5f;
    pair.hiddenAngle = 45;
    // Cyan however lit: nothing else in the scene has green and blue without red.
    auto cyan = [](Pixel p) { return p.r < 40 && p.g > 60 && p.b > 60; };
    // A point 0.75 along a rod through a photon, turned about the beam like a
    // detector set to `degrees`.
    auto rodTip = [&view, &pair](float z, float degrees) {
        const Spot s = project(view, [&] {
            glTranslatef(pair.photonX, 2.4f, z);
            glRotatef(-degrees, 1, 0, 0);
        }, 0, 0.75f, 0);
        return [s](const Picture& picture) { return picture.at(s.x, s.y); };
    };
    const auto leftAtHidden = rodTip(1.5f, 45), rightAcross = rodTip(-1.5f, 135);
    const auto rightAtHidden = rodTip(-1.5f, 45), leftAcross = rodTip(1.5f, 135);
    for (bool shown : {false, true}) {
        pair.local = shown;
        const Picture picture = grab(view);
        EXPECT_EQ(cyan(leftAtHidden(picture)), shown);
        EXPECT_EQ(cyan(rightAcross(picture)), shown);
        EXPECT_FALSE(cyan(rightAtHidden(picture)));
        EXPECT_FALSE(cyan(leftAcross(picture)));
    }
}

}  // namespace
