// Quantum Orvantis: animated quantum-optics experiments for the classroom.
// The command line: options for tests, and --help and --version as GNU programs
// answer them.
#include "app/graphics_check.h"
#include "app/program.h"
#include "scene/frame_step.h"

#include <cstdio>
#include <cstring>

namespace {

// The one description of the options; the manual page orvantis(6) follows it.
void printUsage(std::FILE* out, const char* program) {
    std::fprintf(out,
        "Usage: %s [OPTION]...\n"
        "Show three experiments of quantum optics as animated 3-D scenes for the\n"
        "classroom: a Bell inequality, quantum teleportation and BB84 key distribution.\n"
#ifdef _WIN32
        "The title picture zel.bmp is read from the program's own folder.\n"
#else
        "The title picture zel.bmp is read from the current folder.\n"
#endif
        "\n"
        "  --no-frame-limit  draw frames as fast as they come, not at 60 a second\n"
        "  --check-graphics  name the OpenGL driver, draw every view once, report\n"
        "                    whether each shows its picture and exit\n"
        "  --help            display this help and exit\n"
        "  --version         output version information and exit\n"
        "\n"
        "Exit status: 0 when the last window is closed, 2 for a wrong option;\n"
        "with --check-graphics 0 when every view passed, 1 otherwise.\n"
        "Keys, modes and teaching notes: see orvantis(6).\n",
        program);
}

void printVersion() {
    std::printf(
        "orvantis (Quantum Orvantis) " ORVANTIS_VERSION "\n"
        "Copyright (C) 2026 Quantum Orvantis maintainers.\n"
        "License: MIT (Expat) <https://spdx.org/licenses/MIT.html>.\n"
        "This is free software: you are free to change and redistribute it.\n"
        "There is NO WARRANTY, to the extent permitted by law.\n");
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        // Tests drive the program faster than a class would watch it.
        if (std::strcmp(argv[i], "--no-frame-limit") == 0) {
            setFrameLimit(false);
        } else if (std::strcmp(argv[i], "--check-graphics") == 0) {
            return checkGraphics();
        } else if (std::strcmp(argv[i], "--help") == 0) {
            printUsage(stdout, argv[0]);
            return std::fflush(stdout) == 0 ? 0 : 1;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            printVersion();
            return std::fflush(stdout) == 0 ? 0 : 1;
        } else {
            std::fprintf(stderr, "%s: unrecognized option '%s'\n", argv[0], argv[i]);
            printUsage(stderr, argv[0]);
            return 2;
        }
    }
    return runProgram();
}
