// The teleportation lesson without a display: which stops a whole run reaches
// and what they say, with the bits sent and withheld; tallies stop only at
// their end; a stage played again from its copy repeats every frame exactly.
#include "support/fixed_seeds.h"
#include "teleport/teleport_experiment.h"
#include "teleport/teleport_lesson.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

int number(TeleportStop stop) { return static_cast<int>(stop); }

// A caption the class can read from the back: one to three lines of at most
// 60 characters, in the bitmap fonts' Latin-1.
void expectReadable(const LessonCaption& caption, const std::string& where) {
    SCOPED_TRACE(where);
    ASSERT_NE(caption.text, nullptr);
    std::istringstream lines(caption.text);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        EXPECT_FALSE(line.empty());
        EXPECT_LE(line.size(), 60u) << line;
        for (unsigned char c : line) EXPECT_TRUE((c >= 0x20 && c < 0x7f) || c >= 0xa0) << line;
    }
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 3);
}

struct Walk {
    std::vector<int> stops;  // each stop as first reached
    std::vector<std::string> texts;
    bool fell = false;       // a stop number went down during the run
    LessonCaption end;
};

// Steps a whole run as the run driver would, noting each new stop.
Walk walk(TeleportExperiment& e) {
    Walk w;
    e.startRun();
    int last = 0;
    for (int guard = 0; e.step() == FrameEnd::Step && guard < 10000; ++guard) {
        const int stop = number(teleportLessonStop(e));
        w.fell = w.fell || stop < last;
        if (stop > last) {
            w.stops.push_back(stop);
            const LessonCaption caption = teleportLessonCaption(e, teleportLessonStop(e));
            expectReadable(caption, "stop " + std::to_string(stop));
            w.texts.push_back(caption.text ? caption.text : "");
        }
        last = stop;
    }
    EXPECT_FALSE(e.running());
    w.end = teleportLessonEnd(e);
    return w;
}

// `check` on a fresh experiment with Alice's bits sent, then withheld.
void withAndWithoutTheBits(const std::function<void(TeleportExperiment&, bool)>& check) {
    for (bool message : {true, false}) {
        SCOPED_TRACE(message ? "message sent" : "message withheld");
        TeleportExperiment e;
        e.controls.message = message;
        check(e, message);
    }
}

TEST(TeleportLesson, AWholeRunStopsAtEveryStageWithAndWithoutTheBits) {
    FixedSeeds seeds(11);
    const std::vector<int> all{1, 2, 3, 4, 5, 6, 7};
    Walk sent, withheld;
    withAndWithoutTheBits([&](TeleportExperiment& e, bool message) {
        Walk w = walk(e);
        EXPECT_EQ(w.stops, all);
        EXPECT_FALSE(w.fell);
        expectReadable(w.end, "end of the run");
        // One caption asks the class what to look for.
        int questions = 0;
        for (const std::string& text : w.texts) questions += text.find('?') != std::string::npos;
        EXPECT_EQ(questions, 1);
        EXPECT_EQ(number(teleportLessonStop(e)), 0);  // nothing to wait for after the run
        (message ? sent : withheld) = w;
    });
    // The stages before Alice's result read alike; from her result on, the
    // words tell whether the bits went, and Bob's stage why he matches by chance.
    for (size_t k = 0; k < sent.texts.size(); ++k) {
        const bool beforeResult = static_cast<int>(k) + 1 < number(TeleportStop::Result);
        EXPECT_EQ(sent.texts[k] == withheld.texts[k], beforeResult) << k;
    }
    EXPECT_NE(withheld.texts.back().find("chance"), std::string::npos);
    EXPECT_STRNE(sent.end.text, withheld.end.text);

    // Ended by Return there is no output to read.
    TeleportExperiment e;
    e.startRun();
    for (int i = 0; i < 300; ++i) e.step();
    e.controls.returnHeld = true;
    EXPECT_EQ(e.step(), FrameEnd::Finished);
    EXPECT_EQ(teleportLessonEnd(e).text, nullptr);
}

TEST(TeleportLesson, ATallyHasNoStagesAndOnlyAFinishedOneIsExplained) {
    FixedSeeds seeds(12);
    withAndWithoutTheBits([](TeleportExperiment& e, bool) {
        e.controls.repeat = true;
        Walk w = walk(e);
        EXPECT_TRUE(w.stops.empty());
        EXPECT_EQ(e.tally.runs, TeleportExperiment::tallyLength);
        expectReadable(w.end, "end of the tally");

        // Return stops the count short: its totals are no answer yet.
        e.startRun();
        e.step();
        e.controls.returnHeld = true;
        EXPECT_EQ(e.step(), FrameEnd::Finished);
        EXPECT_EQ(teleportLessonEnd(e).text, nullptr);
    });
}

// What a frame shows and decides: every moving part and every draw.
using Frame = std::tuple<FrameEnd, int, float, float, float, float, float, float, float, float,
                         float, float, float, float, int, int, int, int, std::string>;

Frame frameOf(FrameEnd end, const TeleportExperiment& e) {
    return Frame{end, static_cast<int>(e.phase), e.pumpZ, e.photon1X, e.photon1Z, e.photon2X,
                 e.photon2Z, e.photon3X, e.photon3Z, e.photon4Z, e.messageX, e.outputZ,
                 e.helixExtent, e.helixTwist, e.needleAngle, e.facts.input, e.facts.result,
                 e.facts.output, e.messageText};
}

// From a stop to the next one (or the run's end), as the driver plays it.
std::vector<Frame> playStage(TeleportExperiment& e) {
    const int from = number(teleportLessonStop(e));
    std::vector<Frame> frames;
    for (int guard = 0; guard < 10000; ++guard) {
        const FrameEnd end = e.step();
        frames.push_back(frameOf(end, e));
        if (end == FrameEnd::Finished || number(teleportLessonStop(e)) > from) break;
    }
    return frames;
}

TEST(TeleportLesson, EveryStagePlayedAgainFromItsCopyRepeatsItsFrames) {
    FixedSeeds seeds(13);
    withAndWithoutTheBits([](TeleportExperiment& e, bool) {
        e.startRun();
        e.step();
        int stages = 0;
        while (e.running()) {
            const TeleportExperiment kept = e;
            const std::vector<Frame> first = playStage(e);
            // Another clock would give another input: a replay must not draw anew.
            FixedSeeds::reseed(1000 + stages);
            e = kept;
            EXPECT_EQ(playStage(e), first) << "stage " << stages + 1;
            ++stages;
        }
        EXPECT_EQ(stages, number(TeleportStop::Last));
        EXPECT_EQ(e.phase, TeleportPhase::Finished);
    });
}

}  // namespace
