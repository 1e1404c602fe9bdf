// The key distribution's lesson without a window: the stops a run reaches, in
// order and at the starts of their stages, captions a class can read, a stage
// replayed from its copy exactly as it first played, and the figure the
// counting run's end caption tells.
#include "bb84/key_distribution.h"
#include "bb84/key_lesson.h"
#include "scene/standard_random.h"
#include "support/fixed_seeds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t seed = 20261208u;

// A caption as a class sees it: one to three lines a 28 px face fits on the
// scene's band, in characters the glyph atlas has.
void expectReadable(const LessonCaption& caption, const std::string& where) {
    ASSERT_NE(caption.text, nullptr) << where;
    const std::string text = caption.text;
    size_t lines = 0;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        ++lines;
        EXPECT_FALSE(line.empty()) << where;
        EXPECT_LE(line.size(), 56u) << where << ": " << line;
        for (const char ch : line) {
            const auto c = static_cast<unsigned char>(ch);
            EXPECT_TRUE((c >= 0x20 && c < 0x7f) || c >= 0xa0) << where << ": " << line;
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    EXPECT_LE(lines, 3u) << where;
}

struct Reached {
    int stop;
    std::string text;
    bool enteredItsPhase;  // the step that reached it began a new phase
};

// Plays a run as the driver does with a lesson: after each step, a stop above
// the last one waited at is waited at (recorded). Every stop value seen rises.
std::vector<Reached> walk(KeyDistribution& model) {
    std::vector<Reached> reached;
    int last = playsOn;
    int previous = playsOn;
    model.startRun();
    for (int steps = 0; steps < 100000; ++steps) {
        const KeyPhase before = model.phase;
        const FrameEnd end = model.step();
        if (end == FrameEnd::Finished) return reached;
        const int stop = keyLessonStop(model);
        EXPECT_TRUE(stop >= previous || stop == playsOn) << "stops rise through a run";
        if (stop != playsOn) previous = stop;
        if (stop > last) {
            const LessonCaption caption = keyLessonCaption(model, stop);
            expectReadable(caption, "stop " + std::to_string(stop));
            reached.push_back({stop, caption.text ? caption.text : "", before != model.phase});
            last = stop;
        }
    }
    ADD_FAILURE() << "a run ends";
    return reached;
}

std::vector<int> stopsOf(const std::vector<Reached>& reached) {
    std::vector<int> stops;
    for (const Reached& r : reached) stops.push_back(r.stop);
    return stops;
}

TEST(KeyLesson, EveryStageStopsOnceAtItsStartWithAReadableCaption) {
    FixedSeeds seeded(seed);
    KeyDistribution model;
    model.controls.speed = 1.0;
    const std::vector<Reached> plain = walk(model);
    EXPECT_EQ(stopsOf(plain), (std::vector<int>{basesOfAStop, basesOfBStop, sendingStop,
                                                basesComparedStop, keyRowsStop, siftingStop,
                                                errorCheckStop, verdictStop}));
    int questions = 0;
    for (const Reached& r : plain) {
        // A stage's stop is the step that enters it, not one of its columns;
        // the verdict is the check's last step.
        if (r.stop != verdictStop) {
            EXPECT_TRUE(r.enteredItsPhase) << r.stop;
        }
        questions += r.text.find('?') != std::string::npos;
    }
    EXPECT_EQ(questions, 1) << "one caption asks what to look for next";
    EXPECT_NE(plain.back().text.find("nobody listened"), std::string::npos);
    EXPECT_EQ(keyLessonEnd(model).text, nullptr) << "a played run ends on its verdict";

    // Eve adds her station, reached as the first photon has left her, and her
    // captions; the verdict tells what her check found.
    model.controls.eve = true;
    bool slipped = false;
    bool caught = false;
    for (uint32_t s = seed; s < seed + 60 && !(slipped && caught); ++s) {
        FixedSeeds::reseed(s);
        // Pol. changes only the words for the second basis; at a share Eve
        // may let the first photon pass, and her station is still a stop.
        model.linearDiagonal = s % 2 == 0;
        model.controls.eveShare = s % 3 == 0 ? 0.5 : 1.0;
        const std::vector<Reached> eve = walk(model);
        ASSERT_EQ(stopsOf(eve), (std::vector<int>{basesOfAStop, basesOfBStop, sendingStop,
                                                  eveStationStop, basesComparedStop, keyRowsStop,
                                                  siftingStop, errorCheckStop, verdictStop}));
        EXPECT_NE(eve[2].text, plain[2].text) << "the sending caption points at E";
        EXPECT_NE(eve[7].text, plain[6].text) << "the check says how she is caught";
        const bool found = model.protocol.check.differing > 0;
        EXPECT_NE(eve.back().text.find(found ? "gives the listener away" : "Eve slipped through"),
                  std::string::npos)
            << eve.back().text;
        (found ? caught : slipped) = true;
    }
    EXPECT_TRUE(caught && slipped) << "both verdicts seen within 60 runs";
}

TEST(KeyLesson, EveStationStopComesAsTheFirstPhotonLeavesHer) {
    FixedSeeds seeded(seed);
    KeyDistribution model;
    model.controls.eve = true;
    model.startRun();
    while (keyLessonStop(model) != eveStationStop) {
        ASSERT_NE(model.step(), FrameEnd::Finished);
    }
    EXPECT_EQ(model.keyColumn, 0u);
    EXPECT_GE(model.photonX, eveStationX);
    EXPECT_LT(model.photonX, eveStationX + 0.4f) << "within one flight step of her station";
    EXPECT_EQ(model.photonInFlight(), model.protocol.columns[0].eveState);
}

TEST(KeyLesson, CountingHasNoStopsOnlyAnEndCaption) {
    FixedSeeds seeded(seed);
    // No Eve, Eve on every photon, Eve on half of them.
    for (const double share : {0.0, 1.0, 0.5}) {
        const bool eve = share > 0;
        KeyDistribution model;
        model.controls.count = true;
        model.controls.eve = eve;
        model.controls.eveShare = eve ? share : 1.0;
        EXPECT_TRUE(walk(model).empty());
        const LessonCaption end = keyLessonEnd(model);
        expectReadable(end, eve ? "end with Eve" : "end");
        EXPECT_EQ(std::string(end.text).find("25 %") != std::string::npos, eve);
    }
}

// A step as the views see it: its end, stage, column, redraws, flight, the
// photon drawn, the draws so far and the stop.
using Record = std::tuple<FrameEnd, int, unsigned, unsigned, float, int, uint32_t, int>;

// Every step up to the next stop (or the end), and the books as they then show.
std::pair<std::vector<Record>, std::string> playStage(KeyDistribution& model, int stop) {
    std::vector<Record> records;
    for (FrameEnd end = FrameEnd::Step; end != FrameEnd::Finished && stop >= keyLessonStop(model);) {
        end = model.step();
        records.emplace_back(end, model.phase, model.keyColumn, model.takeRedraws(), model.photonX,
                             model.photonInFlight(), model.random.state, keyLessonStop(model));
    }
    std::string books;
    for (Party p : {Party::sender, Party::receiver})
        for (KeyRow row : {KeyRow::numbers, KeyRow::bases, KeyRow::bits, KeyRow::key})
            for (int i = 0; i < keyColumns; ++i) {
                const CellShown c = model.cell(p, row, i);
                books += {c.symbol, static_cast<char>('a' + static_cast<int>(c.tint))};
            }
    return {records, books};
}

TEST(KeyLesson, AStageReplayedFromItsCopyPlaysItsFramesAndDrawsAgain) {
    FixedSeeds seeded(seed);
    KeyDistribution model;
    model.controls.eve = true;
    model.controls.speed = 0.8;
    model.startRun();
    int stop = playsOn;
    // The run's opening steps, up to the first stop.
    while ((stop = keyLessonStop(model)) == playsOn) model.step();
    int stages = 0;
    for (;;) {
        const KeyDistribution kept = model;
        const auto first = playStage(model, stop);
        model = kept;
        const auto again = playStage(model, stop);
        EXPECT_TRUE(first == again) << "stage at stop " << stop;
        ++stages;
        if (std::get<0>(again.first.back()) == FrameEnd::Finished) break;
        stop = keyLessonStop(model);
    }
    EXPECT_EQ(stages, verdictStop);
}

// The end caption of a counting run with Eve says she is caught in about nine
// rounds of ten: exactly, 1 - (3/4)^m averaged over m = ceil(K/2) compared
// bits for K ~ Binomial(32, 1/2) kept columns.
TEST(KeyLesson, EveIsCaughtInTheRoundsTheEndCaptionTells) {
    double exact = 0;
    for (int k = 0; k <= keyColumns; ++k) {
        double ways = 1;
        for (int j = 0; j < k; ++j) ways = ways * (keyColumns - j) / (j + 1);
        exact += ways / std::pow(2.0, keyColumns) * (1 - std::pow(0.75, (k + 1) / 2));
    }
    EXPECT_NEAR(exact, 0.9, 0.005);

    StandardRandom::useSeedSequence(seed);
    StandardRandom random;
    const int rounds = 40000;
    int caught = 0;
    for (int r = 0; r < rounds; ++r) caught += playRound(random, true).check.differing > 0;
    StandardRandom::useSystemEntropy();
    const double sigmas = 4;
    EXPECT_NEAR(static_cast<double>(caught) / rounds, exact,
                sigmas * std::sqrt(exact * (1 - exact) / rounds));
}

}  // namespace
