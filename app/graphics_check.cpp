// The graphics check: every view drawn once and its picture read back from its
// own context, so that it works where the screen cannot show a child GL window.
#include "app/graphics_check.h"

#include "app/demonstrations.h"
#include "app/fonts.h"
#include "app/intro_view.h"
#include "app/main_window.h"
#include "app/menu_previews.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "app/registry.h"
#include "bb84/bb84_view.h"
#include "bb84/bb84_window.h"
#include "bb84/key_tables.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"
#include "scene/gl_support.h"
#include "scene/scene_view.h"
#include "teleport/teleport_view.h"
#include "teleport/teleport_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <FL/fl_ask.H>
#include <windows.h>
#endif

namespace {

// What one view must show: at least this many distinct colours, and its marks.
struct Expected {
    const char* name;
    int minColours;
    std::vector<ColourMark> marks;
};

// Channels may differ this much between drivers (lighting, blending, dithering),
// and a mark may land this many design pixels off (rasterization rules).
constexpr int kTolerance = 48;
constexpr int kReach = 4;

std::string report;

void say(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    report += line;
    std::fputs(line, stdout);
    std::fflush(stdout);
}

#ifdef _WIN32
bool reportShown = true;

// Without a console window of its own the program writes nowhere unless its
// output was redirected or it can borrow the console it was started from; else
// the report goes into a message box at the end.
void attachOutput() {
    const DWORD type = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE));
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE || type == FILE_TYPE_CHAR) {
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
        return;
    }
    reportShown = false;
}
#else
void attachOutput() {}
#endif

// Serves events until the view has drawn once on its own (which sets up its
// context) or a few seconds passed.
bool drawnOnce(SceneView& view) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!(view.shown() && view.visible() && view.valid())) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        Fl::wait(0.05);
    }
    return true;
}

// Draws the view once more into its back buffer and reads it before any swap,
// rows from the bottom as GL gives them.
// (Each view's own draw is public; the toolkit's is not.)
template <typename View>
std::vector<unsigned char> pictureOf(View& view) {
    view.make_current();
    view.draw();
    glFinish();
    glReadBuffer(GL_BACK);
    std::vector<unsigned char> rgb(3 * static_cast<size_t>(view.w()) * view.h());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, view.w(), view.h(), GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Checks one view and reports it on one line; returns whether it passed.
template <typename View>
bool checkView(View* view, const Expected& expected) {
    if (!view || !drawnOnce(*view)) {
        say("  %-24s not drawn: its window did not open\n", expected.name);
        return false;
    }
    const PictureVerdict verdict = judgePicture(pictureOf(*view), view->w(), view->h(),
                                                view->scale(), expected.minColours, expected.marks);
    const bool passed = verdict.passed();
    const std::string missing = verdict.missing.empty() ? "" : " (missing: " + verdict.missing + ")";
    say("  %-24s %4dx%-4d %6zu colours  %s%s%s\n", expected.name, view->w(), view->h(),
        verdict.colours, passed ? "ok" : verdict.blank ? "BLANK" : "WRONG",
        verdict.enoughColours || verdict.blank ? "" : " (too few colours)",
        verdict.blank ? "" : missing.c_str());
    return passed;
}

const char* glString(GLenum name) {
    const GLubyte* s = glGetString(name);
    return s ? reinterpret_cast<const char*>(s) : "(none)";
}

bool matches(const unsigned char* p, const ColourMark& mark) {
    return std::abs(p[0] - mark.r) <= kTolerance && std::abs(p[1] - mark.g) <= kTolerance &&
           std::abs(p[2] - mark.b) <= kTolerance;
}

}  // namespace

PictureVerdict judgePicture(const std::vector<unsigned char>& rgb, int width, int height,
                            double scale, int minColours, const std::vector<ColourMark>& marks) {
    PictureVerdict verdict;
    std::set<unsigned> colours;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        colours.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
    }
    verdict.colours = colours.size();
    verdict.blank = colours.size() < 2;
    verdict.enoughColours = static_cast<int>(colours.size()) >= minColours;
    const int reach = static_cast<int>(kReach * scale + 1);
    for (const ColourMark& mark : marks) {
        const int cx = static_cast<int>(mark.x * scale), cy = static_cast<int>(mark.y * scale);
        bool found = false;
        for (int y = std::max(cy - reach, 0); y <= std::min(cy + reach, height - 1) && !found; ++y) {
            for (int x = std::max(cx - reach, 0); x <= std::min(cx + reach, width - 1) && !found; ++x) {
                found = matches(&rgb[3 * (static_cast<size_t>(height - 1 - y) * width + x)], mark);
            }
        }
        if (!found) {
            verdict.missing += verdict.missing.empty() ? "" : ", ";
            verdict.missing += mark.what;
        }
    }
    return verdict;
}

int checkGraphics() {
    attachOutput();
    initGlut();
    chooseFonts();

    // The title screen first: its view holds the context the driver is named from.
    buildMainWindow();
    bool passed = true;
    if (drawnOnce(*introView)) {
        introView->make_current();
        say("OpenGL vendor:   %s\n", glString(GL_VENDOR));
        say("OpenGL renderer: %s\n", glString(GL_RENDERER));
        say("OpenGL version:  %s\n", glString(GL_VERSION));
    } else {
        say("OpenGL: no context could be made\n");
    }
    say("Views:\n");
    // The introduction's text is white bitmap text at the design size and fades
    // with scaled glyphs at other sizes: any picture at all is its own.
    passed &= checkView(introView, {"title", 2, {}});

    goToMenu();
    passed &= checkView(bellPreview, {"menu: Bell", 100,
                                      {{"crystal", 189, 100, 133, 133, 255},
                                       {"green cone", 241, 118, 0, 203, 0},
                                       {"orange cone", 241, 84, 255, 190, 68}}});
    passed &= checkView(teleportPreview, {"menu: teleportation", 100,
                                          {{"stations", 57, 156, 255, 135, 135},
                                           {"slab", 145, 75, 42, 42, 240}}});
    passed &= checkView(bb84Preview, {"menu: BB84", 100,
                                      {{"sphere", 175, 122, 133, 133, 255},
                                       {"arrow", 238, 114, 255, 255, 133}}});

    showBellWindow();
    passed &= checkView(bellView, {"Bell", 100,
                                   {{"laser", 57, 116, 198, 156, 71},
                                    {"crystal", 347, 116, 92, 92, 255},
                                    {"green cone", 473, 130, 0, 174, 0},
                                    {"Description", 76, 364, 255, 49, 49}}});
    bellWindow->hide();

    showTeleportWindow();
    passed &= checkView(teleportView, {"teleportation", 100,
                                       {{"Alice", 128, 424, 31, 176, 31},
                                        {"Bob", 859, 107, 158, 158, 31},
                                        {"slab", 480, 457, 31, 31, 176}}});
    teleportWindow->hide();

    showBb84Window();
    passed &= checkView(bb84View, {"BB84", 100,
                                   {{"station A", 95, 102, 173, 2, 173},
                                    {"station B", 707, 177, 173, 88, 20}}});
    passed &= checkView(senderTable, {"BB84: sender's table", 4, {{"frame", 3, 50, 225, 40, 225}}});
    passed &= checkView(receiverTable, {"BB84: receiver's table", 4, {{"frame", 3, 50, 188, 114, 40}}});
    bb84Window->hide();
    menuWindow->hide();

    say(passed ? "Every view shows its picture.\n"
               : "Some views do not show their pictures: see above.\n");
#ifdef _WIN32
    if (!reportShown) {
        fl_message("%s", report.c_str());
    }
#endif
    return passed ? 0 : 1;
}
