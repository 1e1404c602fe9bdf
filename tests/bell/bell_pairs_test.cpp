// The Bell run's draws and counting, and the view's lamp bookkeeping, without a
// display: the window and view are built but never shown.
#include "bell/bell_run.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Largest fraction the source can return (state 4294967295).
const float kTopFraction = static_cast<float>(4294967295u) / 4294836224.0f;

TEST(BellOutcome, IntervalsFollowTheEntangledProbabilities) {
    // Equal settings: p = 0, so only the two opposite results occur, half each.
    EXPECT_EQ(outcomeFor(0.0f, 0), 1);
    EXPECT_EQ(outcomeFor(0.4999f, 0), 1);
    EXPECT_EQ(outcomeFor(0.5f, 0), 2);
    EXPECT_EQ(outcomeFor(0.9999f, 0), 2);
    // 60 degrees apart: p = 0.75, q = 0.25.
    EXPECT_EQ(outcomeFor(0.0f, 60), 0);
    EXPECT_EQ(outcomeFor(0.3749f, 60), 0);
    EXPECT_EQ(outcomeFor(0.3751f, -60), 3);
    EXPECT_EQ(outcomeFor(0.7499f, 60), 3);
    EXPECT_EQ(outcomeFor(0.7501f, 60), 1);
    EXPECT_EQ(outcomeFor(0.8749f, 60), 1);
    EXPECT_EQ(outcomeFor(0.8751f, 60), 2);
    // 30 degrees apart: p = 0.25.
    EXPECT_EQ(outcomeFor(0.124f, 30), 0);
    EXPECT_EQ(outcomeFor(0.126f, -30), 3);
    EXPECT_EQ(outcomeFor(0.251f, 30), 1);
    EXPECT_EQ(outcomeFor(0.626f, 30), 2);
}

TEST(BellOutcome, FractionsOfOneOrMoreStillGiveAResult) {
    EXPECT_GT(kTopFraction, 1.0f);
    for (int difference : {-60, -30, 0, 30, 60}) {
        EXPECT_EQ(outcomeFor(1.0f, difference), 2) << difference;
        EXPECT_EQ(outcomeFor(kTopFraction, difference), 2) << difference;
        EXPECT_EQ(outcomeFor(std::nextafter(1.0f, 0.0f), difference), 2) << difference;
    }
}

TEST(BellExperimentField, OnlyWholeNumbersUpTo999999) {
    EXPECT_EQ(clampExperiment(1000), 1000);
    EXPECT_EQ(clampExperiment(2.9), 2);
    EXPECT_EQ(clampExperiment(0.5), 0);
    EXPECT_EQ(clampExperiment(-3), 0);
    EXPECT_EQ(clampExperiment(999999), 999999);
    EXPECT_EQ(clampExperiment(1e12), 999999);
    EXPECT_EQ(clampExperiment(std::numeric_limits<double>::infinity()), 999999);
    EXPECT_EQ(clampExperiment(std::numeric_limits<double>::quiet_NaN()), 0);
}

// The run's draws, replayed on a separate source: fraction, then the left setting
// left by the previous pair, the right setting, and the next pair's left setting.
TEST(BellPairs, SettingsComeFromTheSourceInOrder) {
    BellWindow window(1024, 768);
    window.random.setModulus(3);
    window.random.state = 0;
    RandomSource replay;
    replay.setModulus(3);
    replay.state = 0;
    uint32_t nextLeft = 0;
    // From state 0 the first pair's right setting is 2 (the second step's draw).
    choosePair(window);
    EXPECT_EQ(window.leftSetting, 0);
    EXPECT_EQ(window.rightSetting, 2);
    EXPECT_EQ(window.angleDifference, -60);
    window.random.state = 0;
    window.random.lastValue = 0;
    window.counts[0][2][window.outcome] = 0;
    for (int pair = 0; pair < 2000; ++pair) {
        replay.nextFraction();
        const float u = replay.fraction();
        replay.next();
        const int right = static_cast<int>(replay.value());
        replay.next();
        choosePair(window);
        ASSERT_EQ(window.leftSetting, static_cast<int>(nextLeft)) << pair;
        ASSERT_EQ(window.rightSetting, right) << pair;
        ASSERT_EQ(window.angleDifference, (window.leftSetting - right) * 30);
        ASSERT_EQ(window.outcome, outcomeFor(u, window.angleDifference));
        ASSERT_EQ(window.pairCode,
                  window.leftSetting * 100 + window.rightSetting * 10 + window.outcome);
        nextLeft = replay.value();
    }
    int total = 0;
    for (auto& plane : window.counts) {
        for (auto& row : plane) {
            for (int count : row) total += count;
        }
    }
    EXPECT_EQ(total, 2000);
}

TEST(BellPairs, EveryResultIsCountedOnceEvenAtTheTopOfTheRange) {
    BellWindow window(1024, 768);
    window.random.setModulus(3);
    // The step from this state lands on 4294967295: the largest fraction.
    window.random.state = 230538014u;
    ASSERT_EQ(window.random.state * 1103515245u + 12345u, 4294967295u);
    choosePair(window);
    EXPECT_EQ(window.random.fraction(), kTopFraction);
    EXPECT_EQ(window.counts[window.leftSetting][window.rightSetting][2], 1);
    EXPECT_EQ(window.outcome, 2);
}

TEST(BellView, LampsFollowPairCodes) {
    BellView view(0, 0, 10, 10);
    // Fresh: each lamp in its own colour.
    const float fresh[6][3] = {{0, 0, 1}, {1, 0, 1}, {1, 1, 0}, {1, 0, 0}, {0.6f, 0.3f, 0}, {0, 1, 0}};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(view.lamps[i].r, fresh[i % 6][0]) << i;
        EXPECT_EQ(view.lamps[i].g, fresh[i % 6][1]) << i;
        EXPECT_EQ(view.lamps[i].b, fresh[i % 6][2]) << i;
    }
    for (int left = 0; left < 3; ++left) {
        for (int right = 0; right < 3; ++right) {
            for (int outcome = 0; outcome < 4; ++outcome) {
                view.lampsOff();
                view.lightResultLamps(left * 100 + right * 10 + outcome);
                const bool leftMinus = outcome >= 2;
                const bool rightMinus = outcome == 1 || outcome == 3;
                const int leftLamp = (leftMinus ? 0 : 3) + left;
                const int rightLamp = 6 + (rightMinus ? 0 : 3) + right;
                for (int i = 0; i < 12; ++i) {
                    const Color& lamp = view.lamps[i];
                    const float* want = fresh[i % 6];
                    if (i == leftLamp || i == rightLamp) {
                        EXPECT_TRUE(lamp.r == want[0] && lamp.g == want[1] && lamp.b == want[2])
                            << "code " << left << right << outcome << " lamp " << i;
                    } else {
                        EXPECT_TRUE(lamp.r == 1 && lamp.g == 1 && lamp.b == 1)
                            << "code " << left << right << outcome << " lamp " << i;
                    }
                }
                EXPECT_EQ(view.leftPhotonColour.r, fresh[leftLamp % 6][0]);
                EXPECT_EQ(view.leftPhotonColour.g, fresh[leftLamp % 6][1]);
                EXPECT_EQ(view.rightPhotonColour.b, fresh[rightLamp % 6][2]);
                EXPECT_EQ(view.rightPhotonColour.g, fresh[rightLamp % 6][1]);
            }
        }
    }
    // Named setters keep the preset number.
    view.lamps[0].select(7);
    view.lampsOff();
    EXPECT_EQ(view.lamps[0].index, 7);
}

TEST(BellView, TurnsAndLightLevels) {
    BellView view(0, 0, 10, 10);
    view.setLeftTurn(true);
    view.setRightTurn(false);
    EXPECT_EQ(view.leftTurn, 90);
    EXPECT_EQ(view.rightTurn, 0);
    view.sceneLit = false;
    view.applyLightLevels();
    EXPECT_EQ(view.lightLevels[0], 0.0f);
    EXPECT_EQ(view.lightLevels[1], 0.1f);
    EXPECT_EQ(view.lightLevels[2], 0.3f);
    view.sceneLit = true;
    view.applyLightLevels();
    EXPECT_EQ(view.lightLevels[0], 0.1f);
    EXPECT_EQ(view.lightLevels[1], 0.6f);
    EXPECT_EQ(view.lightLevels[2], 1.0f);
}

}  // namespace
