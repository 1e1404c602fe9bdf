// The teleportation run's stages without a display: frame counts from the float
// arithmetic, positions at the stage ends, and what p and r decide.
#include "teleport/teleport_run.h"
#include "teleport/teleport_view.h"
#include "teleport/teleport_window.h"

#include "app/registry.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

uint32_t seedForTest = 0;
uint32_t testTicks() { return seedForTest; }

// The first generator state, from a seed, whose draw modulo m is `wanted`.
uint32_t seedGiving(uint32_t modulus, uint32_t wanted) {
    for (uint32_t seed = 0;; ++seed) {
        RandomSource probe;
        probe.state = seed;
        probe.setModulus(modulus);
        probe.next();
        if (probe.value() == wanted) {
            return seed;
        }
    }
}

struct Fixture : testing::Test {
    TeleportWindow* window = nullptr;
    TeleportView* view = nullptr;

    void SetUp() override {
        RandomSource::setTickSource(testTicks);
        window = buildTeleportWindow();
        view = window->view;
    }
    void TearDown() override {
        RandomSource::setTickSource(nullptr);
        delete window;
        teleportWindow = nullptr;
        teleportView = nullptr;
    }

    // Plays stages first..last as the run does, but without drawing; returns the
    // frames of each stage.
    std::vector<int> playStages(TeleportRun& run, int first, int last) {
        std::vector<int> frames;
        for (int stage = first; stage <= last; ++stage) {
            run.setUp(stage);
            int n = 0;
            while (!run.endTestHolds(stage)) {
                run.advance(stage);
                ++n;
                if (n > 10000) {
                    ADD_FAILURE() << "stage " << stage << " never ends";
                    break;
                }
            }
            view->setPhase(stage + 1);
            frames.push_back(n);
        }
        return frames;
    }
};

using TeleportStages = Fixture;

TEST_F(TeleportStages, StageThreeNeedsItsFortiethFrameAndStageFourIsSkipped) {
    TeleportRun run(*window, *view);
    run.begin();
    playStages(run, 1, 2);
    run.setUp(3);
    for (int i = 0; i < 39; ++i) run.advance(3);
    // 1.8999965 in single precision: still short of the crystal.
    EXPECT_FLOAT_EQ(view->pumpZ, 1.8999965f);
    EXPECT_FALSE(run.endTestHolds(3));
    run.advance(3);
    EXPECT_TRUE(run.endTestHolds(3));
    view->setPhase(4);
    run.setUp(4);
    // Photon 2 is already past stage 4's limit when the stage begins.
    EXPECT_NEAR(view->photon2Z, -1.675, 0.001);
    EXPECT_TRUE(run.endTestHolds(4));
    // Photons 1 and 4 are born where the pump pulse came back to.
    EXPECT_EQ(view->photon1Z, view->photon4Z);
    EXPECT_GE(view->photon1Z, 1.9f);
    EXPECT_FLOAT_EQ(view->pumpZ, 9.3f);
}

TEST_F(TeleportStages, PositionsAtTheEndsOfStagesSevenAndNine) {
    TeleportRun run(*window, *view);
    run.begin();
    playStages(run, 1, 7);
    EXPECT_NEAR(view->photon1X, -2.48, 0.005);
    EXPECT_NEAR(view->photon1Z, -0.396, 0.005);
    EXPECT_NEAR(view->photon2X, -3.284, 0.005);
    EXPECT_NEAR(view->photon2Z, 0.838, 0.005);
    EXPECT_NEAR(view->photon3X, 1.839, 0.005);
    EXPECT_NEAR(view->photon3Z, -5.51, 0.005);
    EXPECT_NEAR(view->helixExtent, 2.451, 0.002);
    EXPECT_NEAR(view->helixTwist, 32.88, 0.01);
    // The helix painter will draw 245 points after its start point.
    EXPECT_EQ(static_cast<unsigned>(view->helixExtent * 100), 245u);
    playStages(run, 8, 9);
    EXPECT_NEAR(view->photon3X, 3.449, 0.005);
    EXPECT_NEAR(view->photon3Z, -11.26, 0.005);
    EXPECT_NEAR(view->messageX, 2.11, 0.005);
    EXPECT_NEAR(view->messageY, 6.44, 0.005);
    EXPECT_NEAR(view->messageZ, 0.528, 0.005);
}

TEST_F(TeleportStages, EveryInputAndResultGiveTheirReadOutLampMessageAndDial) {
    const char* const texts[6] = {"0", "30", "60", "90", "120", "150"};
    const char* const messages[4] = {"00", "01", "10", "11"};
    const int targets[4] = {24, 6, -13, -30};
    for (uint32_t p = 0; p < 6; ++p) {
        for (uint32_t r = 0; r < 4; ++r) {
            SCOPED_TRACE("p=" + std::to_string(p) + " r=" + std::to_string(r));
            seedForTest = seedGiving(6, p);
            window->outcomeSource.state = seedGiving(4, r);
            TeleportRun run(*window, *view);
            run.begin();
            playStages(run, 1, 6);
            // Hidden until stage 7.
            EXPECT_STREQ(window->polarizationBox->label(), "");
            EXPECT_STREQ(window->polarizationText, texts[p]);
            playStages(run, 7, 7);
            EXPECT_STREQ(window->polarizationBox->label(), texts[p]);
            playStages(run, 8, 8);
            EXPECT_STREQ(view->messageText, messages[r]);
            for (int k = 0; k < 4; ++k) {
                const Color& lamp = view->lampColours[k];
                if (k == static_cast<int>(r)) {
                    EXPECT_EQ(lamp.r, 1.0f); EXPECT_EQ(lamp.g, 0.75f); EXPECT_EQ(lamp.b, 0.0f);
                } else {
                    EXPECT_EQ(lamp.r, 0.4f); EXPECT_EQ(lamp.g, 0.4f); EXPECT_EQ(lamp.b, 0.4f);
                }
            }
            EXPECT_EQ(view->needleAngle, 48);
            playStages(run, 9, 10);
            EXPECT_EQ(view->needleAngle, targets[r]);
            // The output shows the input, whatever Alice found.
            Color expected;
            expected.select(static_cast<int>(p));
            EXPECT_EQ(view->outputArrow.colour.r, expected.r);
            EXPECT_EQ(view->outputArrow.colour.g, expected.g);
            EXPECT_EQ(view->outputArrow.colour.b, expected.b);
            EXPECT_EQ(view->polarizationIndex(), static_cast<int>(p));
            // Channel and receiver lamps are off again.
            EXPECT_EQ(view->lampColours[4].r, 0.4f);
            EXPECT_EQ(view->lampColours[5].r, 0.4f);
        }
    }
}

TEST_F(TeleportStages, OutcomesContinueOneSequenceWhileInputsAreReseeded) {
    window->outcomeSource.state = 777;
    RandomSource expected;
    expected.state = 777;
    expected.setModulus(4);
    for (int runIndex = 0; runIndex < 3; ++runIndex) {
        seedForTest = 5;  // every Start reseeds the input source alike
        TeleportRun run(*window, *view);
        run.begin();
        playStages(run, 1, 10);
        expected.next();
        EXPECT_EQ(window->outcomeSource.value(), expected.value());
        EXPECT_EQ(window->outcomeSource.state, expected.state);
        RandomSource input;
        input.state = 5;
        input.setModulus(6);
        input.next();
        EXPECT_EQ(window->polarizationSource.value(), input.value());
    }
}

TEST_F(TeleportStages, NewStartResetsLampsDialAndReadOut) {
    seedForTest = seedGiving(6, 5);
    window->outcomeSource.state = seedGiving(4, 2);
    TeleportRun run(*window, *view);
    run.begin();
    playStages(run, 1, 10);
    EXPECT_STREQ(window->polarizationText, "150");
    EXPECT_EQ(view->needleAngle, -13);
    run.begin();
    EXPECT_EQ(view->phase, 1);
    EXPECT_EQ(view->helixExtent, 0.0f);
    run.setUp(1);
    EXPECT_EQ(view->needleAngle, 48);
    EXPECT_STREQ(window->polarizationBox->label(), "");
    for (int k = 0; k < 4; ++k) EXPECT_EQ(view->lampColours[k].g, 0.4f);
    EXPECT_FLOAT_EQ(view->pumpZ, 9.3f);
}

TEST_F(TeleportStages, FreshWindowStartsInPhaseOne) {
    EXPECT_EQ(view->phase, 1);
    EXPECT_EQ(view->needleAngle, 48);
    EXPECT_FLOAT_EQ(view->pumpX, -0.2f);
    EXPECT_FLOAT_EQ(view->pumpZ, 9.3f);
    EXPECT_EQ(window->polarizationSource.value(), 0u);
    EXPECT_EQ(view->polarizationIndex(), 0);
    EXPECT_TRUE(window->startButton->active());
    EXPECT_STREQ(window->label(), "Quantum-teleportation");
    EXPECT_EQ(window->color(), 113u);
    for (const Color& lamp : view->lampColours) EXPECT_EQ(lamp.r, 0.4f);
    EXPECT_EQ(view->x(), 15);
    EXPECT_EQ(view->w(), 994);
    EXPECT_EQ(view->h(), 670);
}

}  // namespace
