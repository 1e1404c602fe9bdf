// The graphics check's judgement of a picture, on pictures made here: blank,
// too plain, marks found at their scaled places with rows counted from the
// bottom as GL reads them, colours within what drivers differ by.
#include "app/graphics_check.h"

#include <gtest/gtest.h>

namespace {

// A picture as glReadPixels gives it: a grey ramp (many colours) with one
// square of colour painted at a place given from the top left corner.
struct Picture {
    int width, height;
    std::vector<unsigned char> rgb;
    Picture(int w, int h, bool ramp = true) : width(w), height(h), rgb(3 * w * h, 0) {
        for (int i = 0; ramp && i < w * h; ++i) {
            rgb[3 * i] = rgb[3 * i + 1] = rgb[3 * i + 2] = static_cast<unsigned char>(i % 200);
        }
    }
    void paint(int x, int y, int size, int r, int g, int b) {
        for (int row = y; row < y + size; ++row) {
            for (int column = x; column < x + size; ++column) {
                unsigned char* p = &rgb[3 * ((height - 1 - row) * width + column)];
                p[0] = r, p[1] = g, p[2] = b;
            }
        }
    }
};

}  // namespace

TEST(GraphicsCheck, BlankAndPlainPicturesFail) {
    const PictureVerdict black = judgePicture(Picture(64, 48, false).rgb, 64, 48, 1.0, 2, {});
    EXPECT_TRUE(black.blank);
    EXPECT_FALSE(black.passed());

    Picture plain(64, 48, false);
    plain.paint(10, 10, 4, 255, 255, 255);
    const PictureVerdict twoColours = judgePicture(plain.rgb, 64, 48, 1.0, 100, {});
    EXPECT_FALSE(twoColours.blank);
    EXPECT_EQ(twoColours.colours, 2u);
    EXPECT_FALSE(twoColours.passed());
    EXPECT_TRUE(judgePicture(plain.rgb, 64, 48, 1.0, 2, {}).passed());
}

TEST(GraphicsCheck, MarksAreFoundAtTheirPlaceCountedFromTheTop) {
    const std::vector<ColourMark> laser = {{"laser", 40, 8, 198, 156, 71}};
    Picture near(200, 100);
    near.paint(38, 6, 3, 198, 156, 71);
    EXPECT_TRUE(judgePicture(near.rgb, 200, 100, 1.0, 100, laser).passed());

    // The same square at the mirrored row, or far along the row, is not the mark.
    Picture mirrored(200, 100);
    mirrored.paint(38, 100 - 1 - 8, 3, 198, 156, 71);
    const PictureVerdict upsideDown = judgePicture(mirrored.rgb, 200, 100, 1.0, 100, laser);
    EXPECT_FALSE(upsideDown.passed());
    EXPECT_EQ(upsideDown.missing, "laser");
    Picture elsewhere(200, 100);
    elsewhere.paint(60, 6, 3, 198, 156, 71);
    EXPECT_FALSE(judgePicture(elsewhere.rgb, 200, 100, 1.0, 100, laser).passed());
}

TEST(GraphicsCheck, MarksFollowTheViewsScaleAndToleranceButNotOtherColours) {
    const std::vector<ColourMark> marks = {{"crystal", 30, 20, 92, 92, 255},
                                           {"cone", 70, 40, 0, 174, 0}};
    // Drawn twice as large, each a little off in colour as another driver lights it.
    Picture scaled(200, 120);
    scaled.paint(59, 39, 3, 110, 100, 230);
    scaled.paint(139, 79, 3, 20, 150, 30);
    EXPECT_TRUE(judgePicture(scaled.rgb, 200, 120, 2.0, 100, marks).passed());
    // At the unscaled places they are missed.
    EXPECT_EQ(judgePicture(scaled.rgb, 200, 120, 1.0, 100, marks).missing, "crystal, cone");

    // A red where the green cone should be is no cone.
    Picture wrong(200, 120);
    wrong.paint(59, 39, 3, 92, 92, 255);
    wrong.paint(139, 79, 3, 174, 0, 0);
    EXPECT_EQ(judgePicture(wrong.rgb, 200, 120, 2.0, 100, marks).missing, "cone");
}
