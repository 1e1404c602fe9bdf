// Seconds from starting the built program to the first picture of its
// introduction view on the screen. It is watched from outside, through the X
// server, so the program runs exactly as a user starts it: no option, no hook.
// The display's root must be black (Xvfb -br): the watched strip then stays
// black until the view's first frame puts its text there.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Where the introduction view sits in the title window, and the strip of it
// that holds the first lines of text in the first frame.
constexpr int kViewX = 535;
constexpr int kViewY = 15;
constexpr int kStripTop = 200;
constexpr int kStripWidth = 200;
constexpr int kStripHeight = 280;
// Brighter than this in any channel is text, not the black behind it.
constexpr unsigned long kTextLevel = 0x30;
constexpr double kGiveUpSeconds = 20;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool isTitleWindow(Display* display, Window window) {
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name) {
        return false;
    }
    const bool title = std::strcmp(name, "Demonstrations") == 0;
    XFree(name);
    return title;
}

bool stripHasText(Display* display, int x, int y) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, kStripWidth,
                              kStripHeight, AllPlanes, ZPixmap);
    if (!image) {
        return false;
    }
    bool text = false;
    for (int row = 0; row < kStripHeight && !text; ++row) {
        for (int column = 0; column < kStripWidth; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            if ((pixel & 0xff) > kTextLevel || ((pixel >> 8) & 0xff) > kTextLevel ||
                ((pixel >> 16) & 0xff) > kTextLevel) {
                text = true;
                break;
            }
        }
    }
    XDestroyImage(image);
    return text;
}

pid_t startProgram(const char* program, const char* folder) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder) != 0) {
            _exit(127);
        }
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void endProgram(pid_t pid) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PROGRAM FOLDER (the folder it starts in)\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "%s: no display\n", argv[0]);
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t pid = startProgram(argv[1], argv[2]);
    if (pid < 0) {
        std::perror("fork");
        return 1;
    }

    // Until the title window is mapped, only events are awaited; then the strip
    // is read back as often as the server answers.
    bool mapped = false;
    int stripX = 0, stripY = 0;
    while (secondsSince(start) < kGiveUpSeconds) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (!mapped && event.type == MapNotify && isTitleWindow(display, event.xmap.window)) {
                Window child;
                XTranslateCoordinates(display, event.xmap.window, root, 0, 0, &stripX, &stripY,
                                      &child);
                stripX += kViewX;
                stripY += kViewY + kStripTop;
                mapped = true;
            }
        }
        if (mapped) {
            if (stripHasText(display, stripX, stripY)) {
                const double seconds = secondsSince(start);
                endProgram(pid);
                std::printf("%.4f\n", seconds);
                return 0;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        } else {
            pollfd wake{ConnectionNumber(display), POLLIN, 0};
            poll(&wake, 1, 5);
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "%s: the program ended before its first title frame\n", argv[0]);
            return 1;
        }
    }
    endProgram(pid);
    std::fprintf(stderr, "%s: no title frame within %.0f s\n", argv[0], kGiveUpSeconds);
    return 1;
}
