// The Bell run's draws and counting, and the view's lamp bookkeeping, without a
// display: the window and view are built but never shown.
#include "bell/bell_run.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(BellOutcome, IntervalsFollowTheEntangledProbabilities) {
    struct Case {
        float u;
        int difference, outcome;
    };
    // Equal settings: p = 0, only opposite results. 60 apart: p = 0.75; 30: p = 0.25.
    for (Case c : {Case{0.0f, 0, 1}, {0.4999f, 0, 1}, {0.5f, 0, 2}, {0.9999f, 0, 2},
                   {0.0f, 60, 0}, {0.3749f, 60, 0}, {0.3751f, -60, 3}, {0.7499f, 60, 3},
                   {0.7501f, 60, 1}, {0.8749f, 60, 1}, {0.8751f, 60, 2},
                   {0.124f, 30, 0}, {0.126f, -30, 3}, {0.251f, 30, 1}, {0.626f, 30, 2}}) {
        EXPECT_EQ(outcomeFor(c.u, c.difference), c.outcome) << c.u << " at " << c.difference;
    }
    // The source's fractions reach a little above 1; they fall in the last interval.
    const float top = static_cast<float>(4294967295u) / 4294836224.0f;
    ASSERT_GT(top, 1.0f);
    for (int difference : {-60, -30, 0, 30, 60}) {
        EXPECT_EQ(outcomeFor(1.0f, difference), 2) << difference;
        EXPECT_EQ(outcomeFor(top, difference), 2) << difference;
    }
}

TEST(BellExperimentField, OnlyWholeNumbersUpTo999999) {
    EXPECT_EQ(clampExperiment(1000), 1000);
    EXPECT_EQ(clampExperiment(2.9), 2);
    EXPECT_EQ(clampExperiment(-3), 0);
    EXPECT_EQ(clampExperiment(1e12), 999999);
    EXPECT_EQ(clampExperiment(std::numeric_limits<double>::infinity()), 999999);
    EXPECT_EQ(clampExperiment(std::numeric_limits<double>::quiet_NaN()), 0);
}

// Each pair draws a fraction, takes the left setting left by the previous pair,
// draws the right setting and then the next pair's left setting.
TEST(BellPairs, SettingsAndResultsComeFromTheSourceInOrder) {
    BellWindow window(1024, 768);
    window.end();
    window.random.setModulus(3);
    window.random.state = 0;
    RandomSource replay = window.random;
    uint32_t nextLeft = 0;
    for (int pair = 0; pair < 2000; ++pair) {
        replay.nextFraction();
        const float u = replay.fraction();
        replay.next();
        const int right = static_cast<int>(replay.value());
        replay.next();
        choosePair(window);
        if (pair == 0) {
            // From state 0 the second step draws 2 (the source's worked values).
            EXPECT_EQ(right, 2);
        }
        ASSERT_EQ(window.leftSetting, static_cast<int>(nextLeft)) << pair;
        ASSERT_EQ(window.rightSetting, right) << pair;
        ASSERT_EQ(window.angleDifference, (window.leftSetting - right) * 30);
        ASSERT_EQ(window.outcome, outcomeFor(u, window.angleDifference));
        ASSERT_EQ(window.pairCode,
                  window.leftSetting * 100 + window.rightSetting * 10 + window.outcome);
        nextLeft = replay.value();
    }
    int total = 0;
    for (auto& plane : window.counts)
        for (auto& row : plane)
            for (int count : row) total += count;
    EXPECT_EQ(total, 2000);

    // The step from this state lands on 4294967295, the largest fraction: the pair
    // is counted all the same.
    window.random.state = 230538014u;
    window.random.lastValue = 0;
    window.random.setModulus(1);  // both detectors at A
    const int before = window.counts[0][0][2];
    choosePair(window);
    EXPECT_GT(window.random.fraction(), 1.0f);
    EXPECT_EQ(window.counts[0][0][2], before + 1);
}

TEST(BellView, LampsFollowPairCodes) {
    BellView view(0, 0, 10, 10);
    auto own = [](int lamp) {  // each lamp's own colour, shown before the first run
        Color c;
        BellView::resultColour(c, lamp % 3, lamp % 6 < 3);
        return c;
    };
    auto same = [](const Color& a, const Color& b) {
        return a.r == b.r && a.g == b.g && a.b == b.b;
    };
    // Blue A-, magenta B-, yellow C-, red A+, brown B+, green C+ on each side.
    const float colours[6][3] = {{0, 0, 1}, {1, 0, 1}, {1, 1, 0}, {1, 0, 0}, {0.6f, 0.3f, 0}, {0, 1, 0}};
    for (int i = 0; i < 12; ++i) {
        const Color& lamp = view.lamps[i];
        EXPECT_TRUE(lamp.r == colours[i % 6][0] && lamp.g == colours[i % 6][1] &&
                    lamp.b == colours[i % 6][2]) << i;
    }
    for (int code = 0; code < 223; ++code) {
        const int left = code / 100, right = code / 10 % 10, outcome = code % 10;
        if (right > 2 || outcome > 3) continue;
        view.lampsOff();
        view.lightResultLamps(code);
        const int leftLamp = BellView::lampIndex(0, left, outcome >= 2);
        const int rightLamp = BellView::lampIndex(1, right, outcome % 2 == 1);
        for (int i = 0; i < 12; ++i) {
            const bool lit = i == leftLamp || i == rightLamp;
            EXPECT_TRUE(same(view.lamps[i], lit ? own(i) : Color())) << "code " << code << " lamp " << i;
        }
        EXPECT_TRUE(same(view.leftPhotonColour, own(leftLamp))) << code;
        EXPECT_TRUE(same(view.rightPhotonColour, own(rightLamp))) << code;
    }
}

}  // namespace
