// Entry point of the window tests: GLUT is initialised once, as the program does.
#include "scene/gl_support.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    initGlut();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
