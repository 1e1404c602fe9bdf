// Eve's share as a class sets it: the scene's "Eve listens" slider moved by the
// presenter's - and + keys, read when a run starts and held for the run, and
// counting runs whose measured rates meet what the share predicts.
#include "bb84_fixture.h"

#include "app/presenter_keys.h"

#include <cmath>

namespace {

// A key as it reaches the window once no widget has used it.
bool pressShortcut(Bb84Window& window, int key, const char* text) {
    Fl::e_keysym = key;
    Fl::e_state = 0;
    Fl::e_text = const_cast<char*>(text);
    Fl::e_length = 1;
    return window.handle(FL_SHORTCUT) != 0;
}

// Within 3 sigma of a binomial share p over n trials.
void expectWithinThreeSigma(double measured, double p, long n, const char* what) {
    ASSERT_GT(n, 0) << what;
    const double sigma = std::sqrt(p * (1 - p) / n);
    EXPECT_NEAR(measured, p, 3 * sigma + 1e-12) << what << " over " << n;
}

void expectRatesOfShare(const CountTotals& t, double share) {
    expectWithinThreeSigma(t.errorRate(), expectedErrorRate(share), t.compared, "error rate");
    expectWithinThreeSigma(t.unnoticedRate(), expectedUnnoticedRate(share), t.rounds,
                           "unnoticed rate");
    expectWithinThreeSigma(t.eveKnowledge(), expectedEveKnowledge(share), t.kept,
                           "kept bits Eve knows");
}

TEST_F(Bb84WindowTest, EveSliderSetsTheShareACountingRunReadsAtItsStart) {
    // Hidden with Eve off: the keys are left to the rest of the window.
    EXPECT_FALSE(pressShortcut(*window, '-', "-"));
    EXPECT_DOUBLE_EQ(view->eveShare(), 1.0) << "every photon unless the class says less";

    ASSERT_TRUE(pressKeyButton(*window, 'e', 0));
    ASSERT_TRUE(pressKeyButton(*window, 'c', 0));
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(pressShortcut(*window, '-', "-"));
    EXPECT_DOUBLE_EQ(view->eveShare(), 0.5);
    EXPECT_TRUE(pressShortcut(*window, '=', "="));
    EXPECT_TRUE(pressShortcut(*window, FL_KP + '+', "+"));
    EXPECT_TRUE(pressShortcut(*window, FL_KP + '-', "-"));
    EXPECT_DOUBLE_EQ(view->eveShare(), 0.55);
    pressShortcut(*window, '-', "-");
    // The slider keeps to its stops and its ends.
    EXPECT_TRUE(view->setEveShare(0.52));
    EXPECT_DOUBLE_EQ(view->eveShare(), 0.5);
    view->setEveShare(1.7);
    EXPECT_DOUBLE_EQ(view->eveShare(), 1.0);
    for (int i = 0; i < 25; ++i) pressShortcut(*window, '-', "-");
    EXPECT_DOUBLE_EQ(view->eveShare(), 0.0);
    for (int i = 0; i < 10; ++i) pressShortcut(*window, '+', "+");
    ASSERT_DOUBLE_EQ(view->eveShare(), 0.5);

    // During the run the slider holds: neither a key nor a drag moves it.
    bool held = true;
    onFrame = [&](const Frame&) {
        held = held && !view->setEveShare(0.2) && !pressShortcut(*window, '-', "-") &&
               view->eveShare() == 0.5 && model->protocol.eveShare == 0.5;
    };
    run();
    EXPECT_TRUE(held) << "the share is read at Start only";
    const CountTotals& t = model->protocol.totals;
    EXPECT_EQ(t.rounds, 1000);
    expectRatesOfShare(t, 0.5);

    // Free again after the run; the next count plays at the new share.
    onFrame = nullptr;
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(pressShortcut(*window, '-', "-"));
    EXPECT_DOUBLE_EQ(view->eveShare(), 0.2);
    EXPECT_DOUBLE_EQ(model->protocol.eveShare, 0.5) << "moved between runs, read at the next";
    run();
    EXPECT_DOUBLE_EQ(model->protocol.eveShare, 0.2);
    expectRatesOfShare(model->protocol.totals, 0.2);
}

}  // namespace
