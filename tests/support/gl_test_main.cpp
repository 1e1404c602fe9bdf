// Entry point of the window tests: GLUT and the fonts are set up as the program does,
// without the frame limit.
#include "app/fonts.h"
#include "scene/frame_step.h"
#include "scene/gl_support.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    initGlut();
    chooseFonts();
    // Runs go as fast as they draw; a test that measures the pace switches it on.
    setFrameLimit(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
