// Scene text from the glyph textures against glutBitmapCharacter: every view at
// its design size gives the same pixels both ways, and a window's textures go
// with it.
#include "app/demonstrations.h"
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
#include "scene/bitmap_text.h"
#include "scene/glyph_atlas.h"
#include "support/gl_probe.h"
#include "teleport/teleport_view.h"
#include "teleport/teleport_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Value_Slider.H>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Draws `view` from its glyph textures, made anew within that very draw from
// GLUT's glyphs read anew (so a corner of its back buffer is borrowed and put
// back in the middle of the frame), then through glutBitmapCharacter, then from
// the textures kept.
void expectSamePixelsBothWays(Fl_Gl_Window& view, const std::string& what) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(view.visible());
    view.make_current();
    releaseGlyphsOfCurrentContext();
    useBitmapGlyphAtlas(true);
    const size_t before = glyphTexturesKept();
    const Picture made = readPicture(view);
    ASSERT_GT(glyphTexturesKept(), before) << "the view's text was drawn from textures";
    useBitmapGlyphAtlas(false);
    const Picture bitmaps = readPicture(view);
    useBitmapGlyphAtlas(true);
    const Picture kept = readPicture(view);

    int text = 0;
    for (const Picture* drawn : {&made, &kept}) {
        int differ = 0, firstX = -1, firstY = -1;
        for (int y = 0; y < view.h(); ++y) {
            for (int x = 0; x < view.w(); ++x) {
                const Pixel a = drawn->at(x, y), b = bitmaps.at(x, y);
                if (a.r != b.r || a.g != b.g || a.b != b.b) {
                    if (differ++ == 0) {
                        firstX = x;
                        firstY = y;
                    }
                }
                text += drawn == &made && b.r + b.g + b.b > 0;
            }
        }
        EXPECT_EQ(differ, 0) << (drawn == &made ? "made in the frame" : "kept") << ", first at "
                             << firstX << "," << firstY;
        std::printf("%s, %dx%d, textures %s: %d pixels differ from glutBitmapCharacter's\n",
                    what.c_str(), view.w(), view.h(), drawn == &made ? "made" : "kept", differ);
    }
    EXPECT_GT(text, 0) << "a picture to compare";
}

// A demonstration's view as it stands, then with the pointer resting on its
// red "Description" word, which shows the text over the scene.
template <class View>
void expectViewAndDescription(View& view, const std::string& what) {
    Fl::e_x_root = view.x_root() - 5000;
    Fl::e_y_root = view.y_root() - 5000;
    expectSamePixelsBothWays(view, what);
    const PictureBox word = descriptionWord(readPicture(view));
    ASSERT_GT(word.right, word.left);
    Fl::e_x_root = view.x_root() + (word.left + word.right) / 2;
    Fl::e_y_root = view.y_root() + (word.top + word.bottom) / 2;
    readPicture(view);
    ASSERT_TRUE(view.showDescription);
    expectSamePixelsBothWays(view, what + ", description shown");
}

TEST(GlyphTextures, TitleAndMenuMatchGlutsBitmaps) {
    buildMainWindow();
    ASSERT_TRUE(waitUntilDrawn(*mainWindow));
    ASSERT_EQ(mainWindow->w(), 1024);
    // Lines entering at the bottom and leaving at the top (whose start has left
    // the view and which vanish whole), and the credits with their accents.
    for (float scroll : {1.3f, 2.62f, 4.0f, 7.5f}) {
        introView->scroll = scroll;
        expectSamePixelsBothWays(*introView, "introduction at scroll " + std::to_string(scroll));
    }
    goToMenu();
    ASSERT_TRUE(waitUntilDrawn(*menuWindow));
    // The Bell and teleportation previews have no text.
    expectSamePixelsBothWays(*bb84Preview, "BB84 preview");
    exitFromMenu();
    Fl::check();
}

TEST(GlyphTextures, DemonstrationsMatchGlutsBitmapsAndTheirTexturesGoWithThem) {
    const size_t kept = glyphTexturesKept();
    showBellWindow();
    ASSERT_TRUE(waitUntilDrawn(*bellWindow));
    // The lit labels of the detectors, and the description over the scene.
    expectViewAndDescription(*bellView, "Bell view");
    leaveBell(nullptr, bellWindow);
    EXPECT_EQ(glyphTexturesKept(), kept) << "the Bell view's textures went with it";

    showTeleportWindow();
    ASSERT_TRUE(waitUntilDrawn(*teleportWindow));
    expectViewAndDescription(*teleportView, "teleportation view");
    leaveTeleportation(nullptr, teleportWindow);

    // A finished run: both tables full of bits, bases and polarization symbols.
    showBb84Window();
    ASSERT_TRUE(waitUntilDrawn(*bb84Window));
    bb84Window->speedSlider->value(1.0);
    bb84Window->startButton->do_callback();
    expectSamePixelsBothWays(*senderTable, "BB84 table A, finished run");
    expectSamePixelsBothWays(*receiverTable, "BB84 table B, finished run");
    expectViewAndDescription(*bb84View, "BB84 view, finished run");
    bb84Window->do_callback();
    EXPECT_EQ(glyphTexturesKept(), kept) << "every demonstration's textures went with it";
}

}  // namespace
