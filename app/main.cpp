// Quantum Orvantis: animated quantum-optics experiments for the classroom.
#include "app/graphics_check.h"
#include "app/program.h"
#include "scene/frame_step.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        // Tests drive the program faster than a class would watch it.
        if (std::strcmp(argv[i], "--no-frame-limit") == 0) {
            setFrameLimit(false);
        } else if (std::strcmp(argv[i], "--check-graphics") == 0) {
            return checkGraphics();
        } else {
            std::fprintf(stderr, "usage: %s [--no-frame-limit]\n", argv[0]);
            return 2;
        }
    }
    return runProgram();
}
