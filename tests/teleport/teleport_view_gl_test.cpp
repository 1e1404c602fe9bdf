// What the teleportation view shows, read back from a real GL context: the
// starting picture, the legend's colour rule, lamps and dial after a run, and
// the description hot spot.
#include "teleport_probe.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <gtest/gtest.h>

namespace {

using namespace teleport_probe;

struct TeleportPicture : testing::Test {
    FixedSeeds seeds{1};
    TeleportWindow* window = nullptr;
    TeleportView* view = nullptr;

    void SetUp() override {
        // Keep the pointer off the hot spot unless a test moves it there.
        Fl::e_x_root = 5000;
        Fl::e_y_root = 5000;
        window = openWindow();
        view = window->view;
    }

    // The red "Description" label's first letters, in view pixels.
    Point labelPoint() {
        return project(*view, [] { glTranslatef(-5.6f, -5.4f, 0); }, 0.35f, 0.12f, 0);
    }
    static bool red(Pixel p) { return p.r > 120 && p.g < 60 && p.b < 60; }
    static bool green(Pixel p) { return p.g > 120 && p.r < 60 && p.b < 60; }
};

TEST_F(TeleportPicture, FreshWindowShowsThePhaseOnePicture) {
    ASSERT_EQ(phaseOf(*window), 1);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(classify(brightestAround(*view, legendArrow(*view, i))), i) << "legend arrow " << i;
    }
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(classify(brightestAround(*view, aliceLamp(*view, k), 4)), 8) << "lamp " << k;
        EXPECT_EQ(countAround(*view, aliceLamp(*view, k), 4, isGold), 0) << "lamp " << k;
    }
    EXPECT_GT(countAround(*view, needleAt(*view, 48), 1, isNeedleRed), 4);
    for (int target : {24, 6, -13, -30}) {
        EXPECT_EQ(countAround(*view, needleAt(*view, target), 1, isNeedleRed), 0);
    }
    EXPECT_GT(countAround(*view, labelPoint(), 8, red), 3);
}

TEST_F(TeleportPicture, LegendGreyDuringStageOneThenOnlyTheInputAfterTheRun) {
    const uint32_t p = 4;
    const uint32_t r = 1;
    FixedSeeds::reseed(seedGiving(6, p));
    window->experiment.outcomeSource.state = seedGiving(4, r);
    RunLog log(*window);
    // Arrow colours at the first frame of phases 1, 6 and 7.
    std::map<int, std::vector<int>> legendAt;
    log.onFrame = [&](const RunFrame& f) {
        if ((f.phase == 1 || f.phase == 6 || f.phase == 7) && f.ofPhase == 1) {
            for (int i = 0; i < 6; ++i) {
                legendAt[f.phase].push_back(classify(brightestAround(*view, legendArrow(*view, i))));
            }
        }
    };
    window->startButton->do_callback();
    const std::vector<int> allGrey(6, 8);
    EXPECT_EQ(legendAt[1], allGrey);
    EXPECT_EQ(legendAt[6], allGrey);
    EXPECT_EQ(legendAt[7], (std::vector<int>{8, 8, 8, 8, int(p), 8}));
    ASSERT_EQ(phaseOf(*window), 11);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(classify(brightestAround(*view, legendArrow(*view, i))), i == int(p) ? i : 8)
            << "legend arrow " << i;
    }
    for (int k = 0; k < 4; ++k) {
        const int gold = countAround(*view, aliceLamp(*view, k), 4, isGold);
        if (k == int(r)) {
            EXPECT_GT(gold, 10) << "lamp " << k;
        } else {
            EXPECT_EQ(gold, 0) << "lamp " << k;
        }
    }
    // The needle points at dial setting r.
    EXPECT_GT(countAround(*view, needleAt(*view, 6), 1, isNeedleRed), 4);
    EXPECT_EQ(countAround(*view, needleAt(*view, 48), 1, isNeedleRed), 0);
    // Bob's output arrow stands at its final depth in the input's colour.
    const Point output = project(*view, [&] { glTranslatef(3.26f, -0.45f, window->experiment.outputZ); }, 0, 0, 0);
    int outputColour = -2;
    for (const Pixel& px : pixelsAround(*view, output, 4)) {
        if (classify(px) == int(p)) outputColour = int(p);
    }
    EXPECT_EQ(outputColour, int(p));
}

TEST_F(TeleportPicture, HotSpotFollowsTheWindowAndSwapsLabelForText) {
    // The description's first line starts here.
    const Point text = project(*view, [] { glTranslatef(1.3f, -1.15f, 0); }, 0, 0, 0);
    const Point textPoint{text.x + 20, text.y - 6};
    EXPECT_GT(countAround(*view, labelPoint(), 8, red), 3);
    EXPECT_EQ(countAround(*view, textPoint, 10, green), 0);

    // On the red word, measured from the window's corner.
    Fl::e_x_root = window->x_root() + 100;
    Fl::e_y_root = window->y_root() + 655;
    EXPECT_GT(countAround(*view, textPoint, 10, green), 3);
    EXPECT_EQ(countAround(*view, labelPoint(), 8, red), 0);
    EXPECT_TRUE(view->showDescription);
    EXPECT_EQ(view->pointerX, Fl::e_x_root);
    EXPECT_EQ(view->pointerY, Fl::e_y_root);

    // The edges: the word covers 49..159 and 645..666; a pixel to spare around it
    // is in, the next one out.
    const int inside[][2] = {{47, 644}, {161, 667}};
    const int outside[][2] = {{46, 655}, {162, 655}, {100, 643}, {100, 668}};
    for (const auto& at : inside) {
        Fl::e_x_root = window->x_root() + at[0];
        Fl::e_y_root = window->y_root() + at[1];
        pixelsAround(*view, textPoint, 0);
        EXPECT_TRUE(view->showDescription) << at[0] << "," << at[1];
    }
    for (const auto& at : outside) {
        Fl::e_x_root = window->x_root() + at[0];
        Fl::e_y_root = window->y_root() + at[1];
        pixelsAround(*view, textPoint, 0);
        EXPECT_FALSE(view->showDescription) << at[0] << "," << at[1];
    }

    // Moved elsewhere on the screen, the hot spot moves with it.
    window->position(150, 120);
    ASSERT_TRUE(waitFor([&] { return window->x_root() == 150 && window->y_root() == 120; }));
    Fl::e_x_root = 100;
    Fl::e_y_root = 655;
    pixelsAround(*view, textPoint, 0);
    EXPECT_FALSE(view->showDescription);
    Fl::e_x_root = 150 + 100;
    Fl::e_y_root = 120 + 655;
    EXPECT_GT(countAround(*view, textPoint, 10, green), 3);
}

TEST_F(TeleportPicture, ScaledDescriptionShowsEveryLineAsBrightAsTheFirst) {
    // Message off adds three lines at the bottom; half as large again, the text
    // is drawn from glyph textures rather than bitmaps.
    window->messageButton->value(0);
    window->messageButton->do_callback();
    window->resize(window->x(), window->y(), 1536, 1152);
    ASSERT_EQ(view->w(), 1491);
    Fl::e_x_root = window->x_root() + 150;
    Fl::e_y_root = window->y_root() + 982;
    // A point inside the first letters of each line.
    auto brightestOfLine = [&](int line) {
        const float y = static_cast<float>(-1.15 + 0.45 * 3 - 0.45 * line);
        Point at = project(*view, [y] { glTranslatef(1.3f, y, 0); }, 0, 0, 0);
        at.x += 30;
        at.y -= 9;
        return brightestAround(*view, at, 12);
    };
    const Pixel first = brightestOfLine(0);
    EXPECT_TRUE(view->showDescription);
    EXPECT_TRUE(green(first)) << first.r << " " << first.g << " " << first.b;
    for (int line = 1; line < 14; ++line) {
        const Pixel p = brightestOfLine(line);
        EXPECT_TRUE(green(p) && p.g >= first.g - 8)
            << "line " << line << ": " << p.r << " " << p.g << " " << p.b;
    }
    window->returnButton->do_callback();  // the next test opens a fresh window
}

TEST_F(TeleportPicture, PointerMotionRedrawsAndKeysAreLeftToTheWindow) {
    EXPECT_EQ(view->handle(FL_MOVE), 1);
    EXPECT_EQ(view->handle(FL_PUSH), 1);
    // Escape must reach the window's callback (Return) wherever the pointer is.
    EXPECT_EQ(view->handle(FL_SHORTCUT), 0);
    EXPECT_EQ(view->handle(FL_KEYBOARD), 0);
}

}  // namespace
