// The window as the menu builds it: widgets, fresh state on every visit, one
// window at a time, Return and the window's own close, and the Stop hold.
#include "app/demonstrations.h"
#include "bb84_fixture.h"

#include "bb84/eve_strip.h"

#include <FL/Fl_Box.H>

namespace {

TEST_F(Bb84WindowTest, LauncherBuildsWindowWithItsControlsAndFreshState) {
    EXPECT_STREQ(window->label(), "The BB84 Protocol");
    EXPECT_EQ(window->w(), 1024);
    EXPECT_EQ(window->h(), 768);
    EXPECT_EQ(window->color(), 239u);
    // The first controls and the views are the window's own; Eve, Count and
    // Eve's notebook stand in the group of additions along the bottom.
    const std::vector<Fl_Widget*> own = {window->polButton, window->speedSlider, window->stopButton,
                                         window->startButton, window->returnButton, view, a, b};
    for (Fl_Widget* w : own) EXPECT_EQ(w->parent(), window);
    const std::vector<Fl_Widget*> additions = {window->eveButton, window->countButton,
                                               window->eveStrip};
    for (Fl_Widget* w : additions) EXPECT_EQ(w->parent(), window->background);
    EXPECT_EQ(window->background->parent(), window);
    // The slider's range is the class's own, 0 to 1, which the flights rely on.
    EXPECT_EQ(window->speedSlider->value(), 0.5);
    EXPECT_EQ(window->speedSlider->minimum(), 0.0);
    EXPECT_EQ(window->speedSlider->maximum(), 1.0);
    EXPECT_EQ(window->polButton->value(), 0);

    // Before the first run: phase 0, blank white cells, key rows in place,
    // nothing measured.
    EXPECT_EQ(model->phase, beforeFirstRun);
    EXPECT_TRUE(model->linearDiagonal);
    EXPECT_EQ(model->keyDrop, 0.0f);
    for (int i = 0; i < keyColumns; ++i) {
        for (Party p : {Party::sender, Party::receiver}) {
            for (KeyRow row : {KeyRow::bases, KeyRow::bits, KeyRow::key}) {
                EXPECT_EQ(cell(p, row, i).symbol, ' ');
            }
            EXPECT_EQ(cell(p, KeyRow::key, i).tint, CellTint::white);
        }
        EXPECT_EQ(model->protocol.columns[i].receivedState, -1);
        EXPECT_EQ(model->protocol.columns[i].sentState, -1);
    }
}

TEST_F(Bb84WindowTest, LaunchWhileShownRaisesAndReturnThenLaunchGivesFreshWindow) {
    window->model.phase = finished;
    window->model.protocol.columns[0].aBit = 1;
    window->polButton->value(1);
    window->polButton->do_callback();
    EXPECT_FALSE(model->linearDiagonal);

    showBb84Window(nullptr);
    EXPECT_EQ(bb84Window, window) << "a shown window is raised, not replaced";
    EXPECT_EQ(bb84View, view);

    // Return hides the view and the window and refreshes the menu's previews.
    window->returnButton->do_callback();
    EXPECT_FALSE(window->visible());
    EXPECT_FALSE(view->visible());

    Fl_Widget_Tracker old(window);
    showBb84Window(nullptr);
    ASSERT_NE(bb84Window, nullptr);
    EXPECT_TRUE(waitFor([&] { return old.deleted(); })) << "the hidden window is reclaimed";
    EXPECT_NE(bb84View, nullptr);
    EXPECT_TRUE(waitFor([] { return bb84Window->visible(); }));
    const KeyDistribution& fresh = bb84Window->model;
    EXPECT_EQ(fresh.phase, beforeFirstRun);
    EXPECT_TRUE(fresh.linearDiagonal);
    EXPECT_EQ(bb84Window->polButton->value(), 0);
    EXPECT_EQ(bb84Window->speedSlider->value(), 0.5);
    EXPECT_EQ(fresh.cell(Party::sender, KeyRow::bits, 0).symbol, ' ');
    EXPECT_EQ(bb84Window->view, bb84View);
    EXPECT_EQ(bb84Window->sender, senderTable);
    EXPECT_EQ(bb84Window->receiver, receiverTable);
    bb84Window->returnButton->do_callback();
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
    EXPECT_EQ(newer->model.phase, beforeFirstRun);
    for (int i = 0; i < keyColumns; ++i) {
        EXPECT_EQ(newer->model.cell(Party::sender, KeyRow::bases, i).symbol, ' ') << i;
    }
    EXPECT_TRUE(waitFor([&] { return old.deleted(); }));
    EXPECT_TRUE(newer->visible());
    newer->returnButton->do_callback();
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
    // Stop holds runs only: its click returns at once, and the window goes on
    // serving events while the light is on, until a click switches it off
    // (here: a timer standing in for it).
    Fl::add_timeout(0.05, [](void*) { ++served; });
    Fl::add_timeout(0.3, [](void*) {
        ++served;
        target->stopButton->value(0);
    });
    window->stopButton->value(1);
    window->stopButton->do_callback();
    EXPECT_EQ(served, 0);
    EXPECT_TRUE(waitFor([] { return served == 2; }));
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
    window->model.protocol.columns[3].aBit = 1;
    window->model.marks[3].numberSent = true;
    onFrame = [&](const Frame& f) {
        if (f.phase >= 2) window->returnButton->value(1);
    };
    run();
    EXPECT_EQ(cell(Party::sender, KeyRow::bits, 3).symbol, ' ');
    EXPECT_EQ(cell(Party::sender, KeyRow::numbers, 3).tint, CellTint::white);
}

}  // namespace
