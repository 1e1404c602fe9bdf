// Every demonstration's red "Description" word is its own hot spot: the pointer
// resting on any part of the word shows the text, read back from the screen, and
// leaving the view takes it away.
#include "app/demonstrations.h"
#include "app/registry.h"
#include "bb84/bb84_view.h"
#include "bb84/bb84_window.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"
#include "support/gl_probe.h"
#include "teleport/teleport_view.h"
#include "teleport/teleport_window.h"

#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool red(Pixel p) { return isDescriptionRed(p); }
bool green(Pixel p) { return p.g > 150 && p.r < 150 && p.b < 150; }

int countIn(const Picture& picture, const PictureBox& box, bool (*test)(Pixel)) {
    int n = 0;
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x) n += test(picture.at(x, y));
    return n;
}

template <class View>
void expectWordIsTheHotSpot(Fl_Window& window, View& view) {
    ASSERT_TRUE(waitUntilDrawn(window));
    auto restAt = [&view](int x, int y) {
        Fl::e_x_root = view.x_root() + x;
        Fl::e_y_root = view.y_root() + y;
        return readPicture(view);
    };
    const Picture plain = restAt(-5000, -5000);
    const PictureBox word = descriptionWord(plain);
    ASSERT_GT(word.right - word.left, 80) << "the red word is drawn";
    ASSERT_GT(word.bottom - word.top, 10);
    EXPECT_FALSE(view.showDescription);

    // On the word's centre: the text in its place, the word gone.
    const Picture shown = restAt((word.left + word.right) / 2, (word.top + word.bottom) / 2);
    EXPECT_TRUE(view.showDescription);
    EXPECT_EQ(countIn(shown, word, red), 0);
    EXPECT_GT(countIn(shown, {0, 0, view.w() - 1, view.h() - 1}, green), 300);

    // Every corner of the word is covered too.
    for (int x : {word.left, word.right}) {
        for (int y : {word.top, word.bottom}) {
            restAt(x, y);
            EXPECT_TRUE(view.showDescription) << "word corner " << x << "," << y;
        }
    }
    // The pointer leaving the view takes the text away without another event, even
    // where its last known place is on the word (a window in front of the view);
    // coming back brings it again.
    restAt(word.left, word.top);
    ASSERT_TRUE(view.showDescription);
    view.handle(FL_LEAVE);
    ASSERT_TRUE(waitUntilDrawn(window));
    EXPECT_FALSE(view.showDescription);
    EXPECT_TRUE(readShownPicture(view).rgb == plain.rgb) << "the scene as without the text";
    view.handle(FL_ENTER);
    restAt(word.left, word.top);
    EXPECT_TRUE(view.showDescription);
    // Nothing outside the view shows it: the pointer there leaves the view alone.
    restAt(-1, (word.top + word.bottom) / 2);
    EXPECT_FALSE(view.showDescription);
    restAt(word.left, view.h());
    EXPECT_FALSE(view.showDescription);
    // Far from the word, the word again.
    EXPECT_GT(countIn(restAt(view.w() - 5, 5), word, red), 50);
    EXPECT_FALSE(view.showDescription);
}

TEST(DescriptionWord, RestingOnTheWordShowsTheTextInEveryDemonstration) {
    showBellWindow();
    expectWordIsTheHotSpot(*bellWindow, *bellView);
    leaveBell(nullptr, bellWindow);

    showTeleportWindow();
    expectWordIsTheHotSpot(*teleportWindow, *teleportWindow->view);
    leaveTeleportation(nullptr, teleportWindow);

    showBb84Window();
    expectWordIsTheHotSpot(*bb84Window, *bb84View);
    bb84Window->do_callback();
}

}  // namespace
