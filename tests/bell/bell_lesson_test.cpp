// The Bell lesson on the experiment alone: which stops a run reaches, what they
// say, and a stage played again from its copy.
#include "bell/bell_experiment.h"
#include "bell/bell_lesson.h"
#include "bell/inequality_verdict.h"
#include "support/fixed_seeds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A caption fit for the band: one to three lines a class reads from afar.
void expectReadable(const LessonCaption& caption, const std::string& where) {
    ASSERT_NE(caption.text, nullptr) << where;
    int lines = 1;
    size_t line = 0;
    for (const char* p = caption.text; *p; ++p) {
        if (*p == '\n') {
            ++lines;
            line = 0;
        } else {
            EXPECT_LE(++line, 68u) << where << ": a line too long for the band";
        }
    }
    EXPECT_GT(std::strlen(caption.text), 20u) << where;
    EXPECT_LE(lines, 3) << where;
}

// One step as a replay must repeat it.
struct StepRecord {
    FrameEnd end;
    BellPhase phase;
    float photonX, photonSpread;
    int pairCode, pairNumber, performed;
    bool operator==(const StepRecord& o) const {
        return end == o.end && phase == o.phase && photonX == o.photonX &&
               photonSpread == o.photonSpread && pairCode == o.pairCode &&
               pairNumber == o.pairNumber && performed == o.performed;
    }
};

StepRecord stepOnce(BellExperiment& e, const BellControls& c) {
    const FrameEnd end = e.step(c);
    return {end, e.phase, e.photonX, e.photonSpread, e.pairCode, e.pairNumber, e.performed};
}

// A lesson's run as the driver plays it: the first pair animated, then
// counted; the stops first reached, in order.
std::vector<int> stopsOfRun(bool local, int pairs, uint32_t seed) {
    FixedSeeds seeds(seed);
    BellExperiment e;
    e.start();
    BellControls c;
    c.experiment = pairs;
    c.local = local;
    std::vector<int> stops;
    int reached = 0;
    while (e.step(c) != FrameEnd::Finished) {
        const int stop = bellLessonStop(e);
        if (stop > reached) {
            reached = stop;
            stops.push_back(stop);
            expectReadable(bellLessonCaption(stop, e), "stop " + std::to_string(stop));
        }
        if (e.pairNumber == 1 && e.performed == 1) c.count = true;
    }
    expectReadable(bellLessonEnd(e), "end");
    if (!local) {
        // The violation stop came with the verdict's 3 standard deviations.
        EXPECT_TRUE(significantViolation(violationSigmas(e.inequalityLeft(), e.inequalityRight())));
    }
    return stops;
}

}  // namespace

TEST(BellLesson, TheFirstPairStopsAtEachStageAndTheViolationOnce) {
    const std::vector<int> quantum = stopsOfRun(false, 20000, 4242);
    EXPECT_EQ(quantum, (std::vector<int>{bellLaser, bellPair, bellSettings, bellResults,
                                         bellCounted, bellViolation}));
    // A local source keeps the row at its bound: no violation stop.
    const std::vector<int> local = stopsOfRun(true, 20000, 4242);
    EXPECT_EQ(local, (std::vector<int>{bellLaser, bellPair, bellSettings, bellResults, bellCounted}));
    // The local words differ where the hidden polarization acts.
    BellExperiment e;
    e.local = true;
    const LessonCaption localPair = bellLessonCaption(bellPair, e);
    e.local = false;
    EXPECT_STRNE(localPair.text, bellLessonCaption(bellPair, e).text);
}

// Steps from a stop to the next one above it, or to the run's end.
std::vector<StepRecord> playStage(BellExperiment& e, const BellControls& c, int stop) {
    std::vector<StepRecord> steps;
    do {
        steps.push_back(stepOnce(e, c));
    } while (steps.back().end != FrameEnd::Finished && bellLessonStop(e) <= stop);
    return steps;
}

TEST(BellLesson, AStagePlayedAgainFromItsCopyRepeatsItsDrawsAndFrames) {
    FixedSeeds seeds(77);
    BellExperiment e;
    e.start();
    BellControls c;
    c.experiment = 3;
    c.pause = true;
    std::vector<int> played;
    e.step(c);
    for (int stop = bellLessonStop(e); stop > 0; stop = bellLessonStop(e)) {
        const BellExperiment kept = e;
        const std::vector<StepRecord> first = playStage(e, c, stop);
        e = kept;
        ASSERT_EQ(playStage(e, c, stop), first) << "stage of stop " << stop;
        played.push_back(stop);
        if (first.back().end == FrameEnd::Finished) break;
    }
    // The last stage runs on through the other pairs to the run's end.
    EXPECT_EQ(played, (std::vector<int>{bellLaser, bellPair, bellSettings, bellResults, bellCounted}));
    EXPECT_EQ(e.performed, 3);
}
