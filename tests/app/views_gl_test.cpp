// The menu previews and the introduction view drawn in real GL contexts: colours
// at known places of each picture.
#include "app/intro_view.h"
#include "app/menu_previews.h"
#include "scene/bitmap_text.h"
#include "support/gl_probe.h"

#include <FL/Fl_Window.H>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// A preview shown at the origin of a window of its own.
template <typename View>
struct Shown {
    Shown(int w, int h) : window(w, h, "view") {
        view = new View(0, 0, w, h);
        window.end();
        window.show();
        waitFor([this] { return view->shown() && view->visible(); });
    }
    ~Shown() { window.hide(); }
    Fl_Window window;
    View* view;
};

bool dominant(const Pixel& p, char channel) {
    const int c = channel == 'r' ? p.r : channel == 'g' ? p.g : p.b;
    const int others = channel == 'r' ? std::max(p.g, p.b) : channel == 'g' ? std::max(p.r, p.b)
                                                                             : std::max(p.r, p.g);
    return c > 120 && c > others + 60;
}

::testing::AssertionResult is(char channel, const Pixel& p) {
    if (dominant(p, channel)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << channel << " not dominant in " << p.r << "," << p.g << "," << p.b;
}

TEST(Previews, BellPictureHasItsCrystalAndCones) {
    Shown<BellPreview> shown(290, 190);
    EXPECT_TRUE(is('g', readPixel(*shown.view, 241, 118)));  // lower, green cone
    const Pixel orange = readPixel(*shown.view, 241, 84);      // upper, orange cone
    EXPECT_GT(orange.r, 200);
    EXPECT_GT(orange.g, 80);
    EXPECT_LT(orange.b, 100);
    EXPECT_TRUE(is('b', readPixel(*shown.view, 189, 100)));    // crystal
    const Pixel housing = readPixel(*shown.view, 36, 100);
    EXPECT_GT(housing.r, housing.g);
    EXPECT_GT(housing.g, housing.b);
    const Pixel background = readPixel(*shown.view, 100, 20);
    EXPECT_EQ(background.r + background.g + background.b, 0);
}

TEST(Previews, TeleportPictureHasStationsAndSlab) {
    Shown<TeleportPreview> shown(290, 190);
    EXPECT_TRUE(is('r', readPixel(*shown.view, 57, 156)));
    EXPECT_TRUE(is('r', readPixel(*shown.view, 232, 156)));
    EXPECT_TRUE(is('b', readPixel(*shown.view, 145, 75)));
}

TEST(Previews, Bb84PictureHasSphereArrowAndBits) {
    Shown<Bb84Preview> shown(290, 190);
    EXPECT_TRUE(is('b', readPixel(*shown.view, 175, 122)));
    // The long vertical arrow, lit yellow.
    const Pixel arrow = readPixel(*shown.view, 238, 114);
    EXPECT_GT(arrow.r, 150);
    EXPECT_GT(arrow.g, 150);
    EXPECT_LT(arrow.b, arrow.r - 60);
}

TEST(Previews, RedrawGivesTheSamePictureAfterTheFirstFrame) {
    Shown<Bb84Preview> shown(290, 190);
    readPixel(*shown.view, 0, 0);
    const Pixel second = readPixel(*shown.view, 175, 122);
    const Pixel third = readPixel(*shown.view, 175, 122);
    EXPECT_EQ(second.r, third.r);
    EXPECT_EQ(second.g, third.g);
    EXPECT_EQ(second.b, third.b);
}

// Counts bright pixels in rows [top, bottom) and columns [left, right) of a picture.
int brightPixels(const Picture& picture, int top, int bottom, int left = 0, int right = -1) {
    if (right < 0) right = picture.width;
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const Pixel p = picture.at(x, y);
            count += p.r + p.g + p.b > 300;
        }
    }
    return count;
}

TEST(IntroViewPicture, FirstFrameShowsTheFirstLineAboveTheCentre) {
    Shown<IntroView> shown(473, 728);
    // The first line's baseline stands 0.7 units of the text plane (about 76
    // pixels) above the centre; nothing is drawn higher up.
    const Picture first = readPicture(*shown.view);
    EXPECT_GT(brightPixels(first, 266, 292), 100);
    EXPECT_EQ(brightPixels(first, 0, 250), 0);
    // Text starts about 18 pixels from the left edge.
    EXPECT_EQ(brightPixels(first, 0, 728, 0, 14), 0);
    EXPECT_GT(brightPixels(first, 266, 292, 14, 30), 0);

    // Wrapped to -0.5: all text below the view.
    shown.view->scroll = -0.5f;
    EXPECT_EQ(brightPixels(readPicture(*shown.view), 0, 728), 0);
}

// Where each glyph of a draw starts, in window pixels from the bottom left.
struct Glyph {
    float x, y;
    bool operator==(const Glyph& o) const { return x == o.x && y == o.y; }
};
std::vector<Glyph> glyphsOf(IntroView& view) {
    view.make_current();
    std::vector<Glyph> glyphs;
    for (const auto& item : captureFeedback([&view] { view.draw(); })) {
        if (item.token == GL_BITMAP_TOKEN) glyphs.push_back({item.vertices[0][0], item.vertices[0][1]});
    }
    return glyphs;
}

TEST(IntroViewPicture, CreditAccentsStandOverTheirLettersAndNeverAlone) {
    Shown<IntroView> shown(473, 728);
    IntroView& view = *shown.view;
    const float accentHalf = largeTextWidth("\xB4") / 2.0f;
    for (float scroll = -0.5f; scroll <= 10.5f; scroll += 0.05f) {
        view.scroll = scroll;
        const std::vector<Glyph> g = glyphsOf(view);
        // Lines are runs of glyphs on one baseline. An accent is a move back to
        // its line's start (a glyph where the line's first stands) and the acute;
        // any other glyph off a line would be a stray mark.
        int accents = 0;
        size_t line = 0, letters = 0;
        for (size_t i = 0; i < g.size(); ++i) {
            if (i > line && g[i] == g[line]) {
                ASSERT_LT(i + 1, g.size());
                const Glyph mark = g[++i];
                EXPECT_NEAR(mark.y - g[line].y, 0, 0.01) << scroll;
                // Centred over a letter of its line.
                const float centre = mark.x + accentHalf;
                bool over = false;
                for (size_t k = line; k + 1 < line + letters; ++k) {
                    if (g[k].x <= centre && centre < g[k + 1].x) {
                        over = std::abs(centre - (g[k].x + g[k + 1].x) / 2) <= 1;
                    }
                }
                EXPECT_TRUE(over) << "accent at " << mark.x << " between letters, scroll " << scroll;
                ++accents;
                continue;
            }
            if (i > 0 && g[i].y == g[line].y) {
                ++letters;
                continue;
            }
            EXPECT_TRUE(i == 0 || letters >= 5) << "a lone mark at scroll " << scroll;
            line = i;
            letters = 1;
        }
        if (std::abs(scroll - 4.0f) < 0.01f) {
            EXPECT_EQ(accents, 3);
        }
    }
}

}  // namespace
