// The window as the menu builds it: widgets, fresh state on every visit, one
// window at a time, Return and the window's own close, and the Stop hold.
#include "app/demonstrations.h"
#include "bb84_fixture.h"

#include <FL/Fl_Box.H>

namespace {

TEST_F(Bb84WindowTest, LauncherBuildsWindowWithItsControlsAndFreshState) {
    EXPECT_STREQ(window->label(), "The BB84 Protocol");
    EXPECT_EQ(window->w(), 1024);
    EXPECT_EQ(window->h(), 768);
    EXPECT_EQ(window->color(), 239u);
    // Children in creation order: five controls after the background, then the views.
    ASSERT_EQ(window->children(), 9);
    EXPECT_EQ(window->child(0), window->background);
    EXPECT_EQ(window->child(1), window->polButton);
    EXPECT_EQ(window->child(2), window->speedSlider);
    EXPECT_EQ(window->child(3), window->stopButton);
    EXPECT_EQ(window->child(4), window->startButton);
    EXPECT_EQ(window->child(5), window->returnButton);
    EXPECT_EQ(window->child(6), view);
    EXPECT_EQ(window->child(7), a);
    EXPECT_EQ(window->child(8), b);
    // The slider's range is the class's own, 0 to 1, which the flights rely on.
    EXPECT_EQ(window->speedSlider->value(), 0.5);
    EXPECT_EQ(window->speedSlider->minimum(), 0.0);
    EXPECT_EQ(window->speedSlider->maximum(), 1.0);
    EXPECT_EQ(window->polButton->value(), 0);

    // Before the first run: phase 0, blank white cells, key rows in place,
    // nothing measured.
    EXPECT_EQ(view->phase, 0);
    EXPECT_TRUE(view->linearDiagonal);
    EXPECT_EQ(a->keyDrop, 0.0f);
    for (int i = 0; i < keyColumns; ++i) {
        for (KeyTableView* t : {static_cast<KeyTableView*>(a), static_cast<KeyTableView*>(b)}) {
            EXPECT_EQ(t->bits[i].symbol, ' ');
            EXPECT_EQ(t->bases[i].symbol, ' ');
            EXPECT_EQ(t->key[i].symbol, ' ');
            EXPECT_EQ(t->key[i].colour.getB(), 1.0f);
        }
        EXPECT_EQ(b->receivedStates[i], -1);
        EXPECT_EQ(a->sentStates[i], -1);
    }
}

TEST_F(Bb84WindowTest, LaunchWhileShownRaisesAndReturnThenLaunchGivesFreshWindow) {
    view->setPhase(12);
    a->bits[0].symbol = '1';
    window->polButton->value(1);
    togglePolarizationStyle(window->polButton);

    showBb84Window(nullptr);
    EXPECT_EQ(bb84Window, window) << "a shown window is raised, not replaced";
    EXPECT_EQ(bb84View, view);

    // Return hides the view and the window and refreshes the menu's previews.
    leaveKeyDistribution(window->returnButton);
    EXPECT_FALSE(window->visible());
    EXPECT_FALSE(view->visible());

    Fl_Widget_Tracker old(window);
    showBb84Window(nullptr);
    ASSERT_NE(bb84Window, nullptr);
    EXPECT_TRUE(waitFor([&] { return old.deleted(); })) << "the hidden window is reclaimed";
    EXPECT_NE(bb84View, nullptr);
    EXPECT_TRUE(waitFor([] { return bb84Window->visible(); }));
    EXPECT_EQ(bb84View->phase, 0);
    EXPECT_TRUE(bb84View->linearDiagonal);
    EXPECT_EQ(bb84Window->polButton->value(), 0);
    EXPECT_EQ(bb84Window->speedSlider->value(), 0.5);
    EXPECT_EQ(senderTable->bits[0].symbol, ' ');
    EXPECT_EQ(bb84Window->view, bb84View);
    EXPECT_EQ(receiverTable->scene, bb84View);
    leaveKeyDistribution(bb84Window->returnButton);
}

TEST_F(Bb84WindowTest, RunKeepsToItsWindowWhenANewOneIsOpenedMeanwhile) {
    // The window is closed and the menu's button clicked within one event pass:
    // the new window must stay untouched by the old run, and the old window is
    // reclaimed only once its run has ended.
    setSpeed(1.0);
    Bb84Window* newer = nullptr;
    Fl_Widget_Tracker old(window);
    onFrame = [&](const Frame& f) {
        if (!newer && f.phase == 2) {
            window->do_callback();
            showBb84Window(nullptr);
            newer = bb84Window;
            EXPECT_FALSE(old.deleted());
        }
    };
    run();
    ASSERT_NE(newer, nullptr);
    ASSERT_NE(newer, window);
    EXPECT_EQ(bb84Window, newer);
    EXPECT_EQ(bb84View->phase, 0);
    for (int i = 0; i < keyColumns; ++i) EXPECT_EQ(senderTable->bases[i].symbol, ' ') << i;
    EXPECT_TRUE(waitFor([&] { return old.deleted(); }));
    EXPECT_TRUE(newer->visible());
    leaveKeyDistribution(newer->returnButton);
}

TEST_F(Bb84WindowTest, WindowCloseActsAsReturn) {
    window->do_callback();
    EXPECT_FALSE(window->visible());
    EXPECT_FALSE(view->visible());
}

TEST_F(Bb84WindowTest, StopWithoutRunKeepsWindowResponsiveUntilReleased) {
    static int served;
    served = 0;
    static Bb84Window* target;
    target = window;
    // Events keep being served while the light is on; the click that switches it
    // off (here: a timer standing in for it) ends the hold.
    Fl::add_timeout(0.05, [](void*) { ++served; });
    Fl::add_timeout(0.3, [](void*) {
        ++served;
        target->stopButton->value(0);
    });
    window->stopButton->value(1);
    holdKeyDistribution(window->stopButton);
    EXPECT_EQ(served, 2);
    EXPECT_EQ(window->stopButton->value(), 0);
}

TEST_F(Bb84WindowTest, RunClearsStopAndDisablesStartAndPolWhileRunning) {
    window->stopButton->value(1);
    bool checked = false;
    onFrame = [&](const Frame&) {
        if (!checked) {
            checked = true;
            EXPECT_EQ(window->stopButton->value(), 0);
            EXPECT_FALSE(window->startButton->active());
            EXPECT_FALSE(window->polButton->active());
            EXPECT_TRUE(window->returnButton->active());
            EXPECT_TRUE(window->speedSlider->active());
        }
        window->returnButton->value(1);
    };
    run();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(window->startButton->active());
    EXPECT_TRUE(window->polButton->active());
    // A second Start after an aborted one begins from blank tables again.
    window->returnButton->value(0);
    a->bits[3].symbol = 'x';
    a->numbers[3].colour.setGrey();
    onFrame = [&](const Frame& f) {
        if (f.phase >= 2) window->returnButton->value(1);
    };
    run();
    EXPECT_EQ(a->bits[3].symbol, ' ');
    EXPECT_EQ(a->numbers[3].colour.getG(), 1.0f);
}

}  // namespace
