// Windows of other sizes than the design show it scaled uniformly and centred:
// widget rectangles, label and text sizes, full screen; and the scene text of a
// scaled view stands where the scaled design puts it.
#include "app/demonstrations.h"
#include "app/intro_view.h"
#include "app/main_window.h"
#include "app/menu_previews.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "app/registry.h"
#include "bb84/bb84_view.h"
#include "bb84/bb84_window.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"
#include "support/gl_probe.h"
#include "teleport/teleport_view.h"
#include "teleport/teleport_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Value_Input.H>
#include <gtest/gtest.h>
// After the test framework, whose names Xlib's macros (None) would clash with.
#include <FL/x.H>

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Design {
    Fl_Widget* widget;
    Rect rect;
    int labelSize;
};

std::vector<Design> designOf(const Fl_Window& window) {
    std::vector<Design> design;
    for (int i = 0; i < window.children(); ++i) {
        Fl_Widget* w = window.child(i);
        design.push_back({w, {w->x(), w->y(), w->w(), w->h()}, w->labelsize()});
    }
    return design;
}

bool overlap(const Rect& a, const Rect& b) {
    return a.w > 0 && a.h > 0 && b.w > 0 && b.h > 0 && a.x < b.x + b.w && b.x < a.x + a.w &&
           a.y < b.y + b.h && b.y < a.y + a.h;
}

Rect rectOf(const Fl_Widget* w) { return {w->x(), w->y(), w->w(), w->h()}; }

int scaled(double v, double s) { return static_cast<int>(std::lround(v * s)); }

// Resizes the window to two other scales, then back to the design size,
// checking every widget each time.
void expectScalesUniformly(ScaledWindow& window, const std::string& name) {
    SCOPED_TRACE(name);
    const std::vector<Design> design = designOf(window);
    Fl_Value_Input* input = nullptr;
    int inputText = 0;
    for (const Design& d : design) {
        if ((input = dynamic_cast<Fl_Value_Input*>(d.widget))) {
            inputText = input->textsize();
            break;
        }
    }
    // About 0.9 with room below, and 1.5 with room to the right.
    for (const auto& [width, height] : {std::pair{922, 722}, std::pair{1576, 1152}}) {
        window.resize(window.x(), window.y(), width, height);
        const double s = std::min(width / 1024.0, height / 768.0);
        const int left = (width - scaled(1024, s)) / 2, top = (height - scaled(768, s)) / 2;
        for (const Design& d : design) {
            const Rect r = rectOf(d.widget);
            const int x0 = left + scaled(d.rect.x, s), y0 = top + scaled(d.rect.y, s);
            EXPECT_EQ(r.x, x0) << s;
            EXPECT_EQ(r.y, y0) << s;
            EXPECT_EQ(r.w, left + scaled(d.rect.x + d.rect.w, s) - x0) << s;
            EXPECT_EQ(r.h, top + scaled(d.rect.y + d.rect.h, s) - y0) << s;
            EXPECT_EQ(d.widget->labelsize(), scaled(d.labelSize, s)) << s;
        }
        for (size_t i = 0; i < design.size(); ++i) {
            for (size_t j = i + 1; j < design.size(); ++j) {
                if (!overlap(design[i].rect, design[j].rect)) {
                    EXPECT_FALSE(overlap(rectOf(design[i].widget), rectOf(design[j].widget)))
                        << "widgets " << i << " and " << j << " at " << s;
                }
            }
        }
        if (input) {
            EXPECT_EQ(input->textsize(), scaled(inputText, s));
        }
    }
    window.resize(window.x(), window.y(), 1024, 768);
    for (const Design& d : design) {
        const Rect r = rectOf(d.widget);
        EXPECT_TRUE(r.x == d.rect.x && r.y == d.rect.y && r.w == d.rect.w && r.h == d.rect.h);
        EXPECT_EQ(d.widget->labelsize(), d.labelSize);
    }
}

TEST(ScaledWindow, EveryWindowScalesItsWholeLayout) {
    buildMainWindow();
    ASSERT_TRUE(waitFor([] { return mainWindow->shown() && mainWindow->visible(); }));
    Fl_Image* picture = mainWindow->bitmapBox->image();
    expectScalesUniformly(*mainWindow, "title");
    EXPECT_EQ(mainWindow->bitmapBox->image(), picture) << "the design's own picture at scale 1";
    goToMenu();
    expectScalesUniformly(*menuWindow, "menu");
    showBellWindow();
    expectScalesUniformly(*bellWindow, "Bell");
    leaveBell(nullptr, bellWindow);
    showTeleportWindow();
    expectScalesUniformly(*teleportWindow, "teleportation");
    leaveTeleportation(nullptr, teleportWindow);
    showBb84Window();
    expectScalesUniformly(*bb84Window, "BB84");
    bb84Window->do_callback();
    exitFromMenu();
    Fl::check();
}

TEST(ScaledWindow, OpensAtScaleOneWhenTheDesignAndItsFrameFit) {
    EXPECT_EQ(openingScale(1280, 1024), 1.0);
    EXPECT_EQ(openingScale(1920, 1080), 1.0);
    // A 1280 x 720 projector and a 1366 x 768 laptop with a 32-pixel panel.
    EXPECT_DOUBLE_EQ(openingScale(1280, 720), (720.0 - kFrameHeight) / 768);
    EXPECT_DOUBLE_EQ(openingScale(1366, 736), (736.0 - kFrameHeight) / 768);
    EXPECT_DOUBLE_EQ(openingScale(800, 1024), (800.0 - kFrameWidth) / 1024);
}

// The title the X server holds for a shown window.
std::string windowTitle(const Fl_Window& window) {
    char* name = nullptr;
    if (!XFetchName(fl_display, fl_xid(&window), &name) || !name) {
        return "";
    }
    std::string title = name;
    XFree(name);
    return title;
}

TEST(ScaledWindow, FullScreenFillsTheScreenAndOpensTheNextWindowFullScreen) {
    buildMainWindow();
    ASSERT_TRUE(waitFor([] { return mainWindow->shown() && mainWindow->visible(); }));
    mainWindow->toggleFullScreen();
    ASSERT_TRUE(waitFor([] { return mainWindow->w() == Fl::w() && mainWindow->h() == Fl::h(); }));
    const double s = std::min(Fl::w() / 1024.0, Fl::h() / 768.0);
    EXPECT_EQ(mainWindow->goButton->labelsize(), scaled(32, s));
    EXPECT_EQ(windowTitle(*mainWindow), "Demonstrations");
    goToMenu();
    ASSERT_TRUE(waitFor([] { return menuWindow->shown() && menuWindow->visible(); }));
    EXPECT_TRUE(menuWindow->fullscreen_active());
    EXPECT_TRUE(waitFor([] { return menuWindow->w() == Fl::w(); }));
    // The test's display has no window manager: a full-screen window is one the
    // server places itself, and it must still carry its title.
    EXPECT_EQ(windowTitle(*menuWindow), "Main menu");
    menuWindow->toggleFullScreen();
    EXPECT_TRUE(waitFor([] { return menuWindow->w() == 1024 && menuWindow->h() == 768; }));
    EXPECT_EQ(menuWindow->exitButton->x(), 799);
    exitFromMenu();
    Fl::check();
}

TEST(ScaledWindow, DescriptionHotSpotsScaleWithTheWindow) {
    struct Demonstration {
        std::function<ScaledWindow*()> open;
        std::function<bool()> described;
        Rect near;  // where the red word stands in the design, roughly
    };
    const Demonstration demonstrations[] = {
        {[] { showBellWindow(); return bellWindow; }, [] { return bellView->showDescription; },
         {10, 690, 170, 60}},
        {[] { showTeleportWindow(); return teleportWindow; },
         [] { return teleportView->showDescription; }, {30, 640, 170, 60}},
        {[] { showBb84Window(); return bb84Window; }, [] { return bb84View->showDescription; },
         {10, 615, 150, 60}},
    };
    for (const Demonstration& d : demonstrations) {
        ScaledWindow* window = d.open();
        ASSERT_TRUE(waitFor([window] { return window->shown() && window->visible(); }));
        Fl_Gl_Window* view = nullptr;
        for (int i = 0; i < window->children() && !view; ++i) {
            view = window->child(i)->as_gl_window();
        }
        ASSERT_NE(view, nullptr);
        auto pointAt = [&](int x, int y) {
            Fl::e_x_root = window->x_root() + x;
            Fl::e_y_root = window->y_root() + y;
            readPicture(*view);
            return d.described();
        };
        // The middle of the word's hot spot at the design size.
        int hits = 0, sumX = 0, sumY = 0;
        for (int y = d.near.y; y < d.near.y + d.near.h; y += 4) {
            for (int x = d.near.x; x < d.near.x + d.near.w; x += 8) {
                if (pointAt(x, y)) {
                    ++hits;
                    sumX += x;
                    sumY += y;
                }
            }
        }
        ASSERT_GT(hits, 10) << window->label();
        const int x = sumX / hits, y = sumY / hits;
        window->resize(window->x(), window->y(), 1536, 1152);
        EXPECT_TRUE(pointAt(scaled(x, 1.5), scaled(y, 1.5))) << window->label();
        EXPECT_FALSE(pointAt(x, y)) << window->label();
        window->hide();
        Fl::check();
    }
}

// The box of the whitish pixels of the bit string, in the lower left of the
// picture, away from the highlights of the sphere and the arrows.
Rect whiteBox(const Picture& p) {
    int left = p.width, top = p.height, right = -1, bottom = -1;
    for (int y = p.height * 7 / 10; y < p.height; ++y) {
        for (int x = 0; x < p.width * 3 / 4; ++x) {
            const Pixel c = p.at(x, y);
            if (c.r > 120 && c.g > 120 && c.b > 120) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return {left, top, right - left + 1, bottom - top + 1};
}

TEST(ScaledWindow, SceneTextStandsWhereTheScaledDesignPutsIt) {
    Fl_Window window(290, 190, "scaled text");
    auto* view = new Bb84Preview(0, 0, 290, 190);
    window.end();
    window.show();
    ASSERT_TRUE(waitFor([&] { return view->shown() && view->visible(); }));
    const Rect design = whiteBox(readPicture(*view));
    ASSERT_GT(design.w, 100);

    window.size(435, 285);
    view->resize(0, 0, 435, 285);
    ASSERT_TRUE(waitFor([&] { return view->w() == 435; }));
    EXPECT_DOUBLE_EQ(view->scale(), 1.5);
    // The software renderer's first picture after a resize is read back empty.
    readPicture(*view);
    const Rect text = whiteBox(readPicture(*view));
    // The string is cut at the region's right edge at both sizes: its left end,
    // top and bottom are compared; the glyphs grow with the picture.
    EXPECT_NEAR(text.x, 1.5 * design.x, 2);
    EXPECT_NEAR(text.y, 1.5 * design.y, 3);
    EXPECT_NEAR(text.y + text.h, 1.5 * (design.y + design.h), 3);
    EXPECT_NEAR(text.h, 1.5 * design.h, 3);
    window.hide();
}

}  // namespace
