// Colour presets, named setters and the stored preset number.
#include "scene/color.h"

#include <gtest/gtest.h>

namespace {

void expectRgb(const Color& c, float r, float g, float b) {
    EXPECT_FLOAT_EQ(c.getR(), r);
    EXPECT_FLOAT_EQ(c.getG(), g);
    EXPECT_FLOAT_EQ(c.getB(), b);
}

TEST(Color, FreshColourIsWhite) { expectRgb(Color{}, 1, 1, 1); }

TEST(Color, PresetsByNumber) {
    const float expected[10][3] = {{1, 0, 0}, {0, 1, 1}, {1, 1, 0},    {0, 1, 0},          {1, 0, 1},
                                   {0.6f, 0.3f, 0}, {0, 0, 1}, {0, 0, 0}, {0.4f, 0.4f, 0.4f}, {1, 1, 1}};
    for (int i = 0; i < 10; ++i) {
        Color c;
        c.setGold();
        c.select(i);
        EXPECT_EQ(c.index, i);
        expectRgb(c, expected[i][0], expected[i][1], expected[i][2]);
    }
}

TEST(Color, NumbersOutsideThePresetsKeepTheColourButAreStored) {
    for (int outside : {10, 11, -1, -7, 1 << 30}) {
        Color c;
        c.setBrown();
        c.select(outside);
        EXPECT_EQ(c.index, outside);
        expectRgb(c, 0.6f, 0.3f, 0);
    }
}

TEST(Color, NamedSettersLeaveTheIndex) {
    Color c;
    c.select(7);
    c.setWhite();
    EXPECT_EQ(c.index, 7);
    expectRgb(c, 1, 1, 1);
    c.setGold();
    expectRgb(c, 1, 0.75f, 0);
    c.setGrey();
    expectRgb(c, 0.4f, 0.4f, 0.4f);
    EXPECT_EQ(c.index, 7);
}

}  // namespace
