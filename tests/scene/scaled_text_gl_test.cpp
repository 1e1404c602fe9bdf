// Text in a scaled, lit view: every line keeps its own lit colour, however many
// lines of the same colour come before it.
#include "scene/bitmap_text.h"
#include "scene/color.h"
#include "scene/pixel_scale.h"
#include "scene/scene_setup.h"
#include "support/gl_probe.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// The brightest pixel between columns x0 and x1 of a picture read back from
// the buffer just drawn.
Pixel brightest(const std::vector<unsigned char>& rgb, int width, int height, int x0, int x1) {
    Pixel best{0, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p = &rgb[3 * (static_cast<size_t>(y) * width + x)];
            if (p[0] + p[1] + p[2] > best.r + best.g + best.b) best = {p[0], p[1], p[2]};
        }
    }
    return best;
}

}  // namespace

// A table's row of red column numbers at a projector's scale: each number is
// the same red, as at the design size, not paler than the one before it.
TEST(ScaledText, RepeatedColourStaysTheSameLitColour) {
    const int width = 480, height = 120, lines = 4;
    ProbeWindow probe(width, height);
    probe.begin();
    glDrawBuffer(GL_BACK);
    apply(bb84TableSetup);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Color red;
    red.setRed();
    setPixelScale(1.5);
    for (int i = 0; i < lines; ++i) {
        red.apply();
        glNormal3f(0, 0, 1);
        drawTimesText(-4.5f + 3.0f * i, 0, "8");
    }
    setPixelScale(1.0);
    glFinish();
    std::vector<unsigned char> rgb(3 * width * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());

    const Pixel first = brightest(rgb, width, height, 0, width / lines);
    ASSERT_GT(first.r, 150) << "the first number is not drawn in red";
    for (int i = 1; i < lines; ++i) {
        const Pixel p = brightest(rgb, width, height, i * width / lines, (i + 1) * width / lines);
        EXPECT_EQ(p.r, first.r) << "number " << i + 1;
        EXPECT_EQ(p.g, first.g) << "number " << i + 1;
        EXPECT_EQ(p.b, first.b) << "number " << i + 1;
    }
}
