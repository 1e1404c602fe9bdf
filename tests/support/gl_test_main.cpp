// Entry point of the window tests: GLUT and the fonts are set up as the program does.
#include "app/fonts.h"
#include "scene/gl_support.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    initGlut();
    chooseFonts();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
