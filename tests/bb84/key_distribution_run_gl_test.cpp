// Whole runs of the key distribution driven frame by frame: pacing of every stage,
// the order of the random draws, the sifted key, and the controls that steer a run.
#include "bb84_fixture.h"

#include "app/presenter_keys.h"
#include "bb84/key_lesson.h"
#include "scene/scene_setup.h"
#include "support/lesson_presenter.h"

#include <algorithm>
#include <string>

namespace {

// The generator replayed independently of the window: values modulo 2 from the seed.
struct Replay {
    uint32_t state = fixedSeed;
    int next() {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % 2);
    }
};

// Lit pixels inside each column's "Pol." cell: an arrow drawn there.
std::vector<int> polarizationMarks(KeyTableView& table, const Picture& picture) {
    std::vector<int> marks;
    for (int c = 0; c < keyColumns; ++c) {
        const ViewPoint centre =
            projectPoint(table, bb84TableSetup, [] {}, -5.42f + 0.35f * (c + 1), -2.375f, 0);
        int n = 0;
        for (int y = centre.y - 12; y <= centre.y + 12; ++y)
            for (int x = centre.x - 9; x <= centre.x + 9; ++x) {
                const Pixel p = picture.at(x, y);
                n += p.r + p.g + p.b > 120;
            }
        marks.push_back(n);
    }
    return marks;
}

TEST_F(Bb84WindowTest, TablesShowOnlyTheArrowsOfPhotonsSentInThisRun) {
    // Each run ends early, through Return held in the photon stage.
    constexpr unsigned firstRunColumns = 8, secondRunColumns = 10;
    setSpeed(1.0);
    onFrame = [this](const Frame& f) {
        if (f.phase == 5 && f.column == firstRunColumns) window->returnButton->value(1);
    };
    run();
    window->returnButton->value(0);
    // The finished tables keep the arrows of the photons sent (the one in
    // flight when Return came may or may not have reached B), and no others.
    ASSERT_TRUE(waitUntilDrawn(*window));
    for (KeyTableView* table : {static_cast<KeyTableView*>(a), static_cast<KeyTableView*>(b)}) {
        const auto marks = polarizationMarks(*table, readShownPicture(*table));
        for (unsigned c = 0; c < keyColumns; ++c) {
            if (c < firstRunColumns) {
                EXPECT_GT(marks[c], 0) << "sent column " << c;
            } else if (c > firstRunColumns) {
                EXPECT_EQ(marks[c], 0) << "column " << c << " never sent";
            }
        }
    }

    // A second run, over the columns the first one sent: at the first frame of
    // each column its photon is not yet sent, so arrows stand exactly in the
    // columns before it.
    unsigned checked = 0;
    unsigned column = keyColumns;
    onFrame = [&](const Frame& f) {
        if (f.phase == 5 && f.column == secondRunColumns) window->returnButton->value(1);
        if (f.phase != 5 || f.column == column) return;
        column = f.column;
        ++checked;
        for (KeyTableView* table : {static_cast<KeyTableView*>(a), static_cast<KeyTableView*>(b)}) {
            const auto marks = polarizationMarks(*table, readPicture(*table));
            for (unsigned c = 0; c < keyColumns; ++c) {
                if (c < column) {
                    EXPECT_GT(marks[c], 0) << "sent column " << c << " at " << column;
                } else {
                    EXPECT_EQ(marks[c], 0) << "column " << c << " before its photon, at " << column;
                }
            }
        }
    };
    run();
    window->returnButton->value(0);
    EXPECT_EQ(checked, secondRunColumns + 1);
}

TEST_F(Bb84WindowTest, WholeRunPacingDrawsAndSiftedKey) {
    // Speed 0.5 for the first two columns of each flying stage, then full speed,
    // so one run shows both paces.
    setSpeed(0.5);
    onFrame = [this](const Frame& f) {
        const bool slow = f.column < 2 && (f.phase == 5 || f.phase == 6 || f.phase == 9);
        setSpeed(f.phase >= 5 && !slow ? 1.0 : 0.5);
    };
    run();

    EXPECT_EQ(model->phase, finished);
    EXPECT_TRUE(window->startButton->active());
    EXPECT_TRUE(window->polButton->active());

    // Generating stages: three sweeps of 121 frames.
    EXPECT_EQ(framesIn(1), 363);
    EXPECT_EQ(framesIn(3), 363);
    // Bases: one frame of the table per column.
    EXPECT_EQ(framesIn(2), 32);
    EXPECT_EQ(framesIn(4), 32);

    // Photon flights: 86 frames at 0.5, measured in the 73rd; 43 and 37 at 1.
    for (unsigned c = 0; c < 32; ++c) {
        const bool slow = c < 2;
        int flight = 0, unmeasured = 0;
        for (const Frame& f : frames) {
            if (f.phase == 5 && f.column == c && f.viewDamaged && !f.senderDamaged) {
                ++flight;
                unmeasured += !f.detected;
            }
        }
        EXPECT_EQ(flight, slow ? 86 : 43) << "column " << c;
        EXPECT_EQ(unmeasured, slow ? 73 : 37) << "column " << c;
    }
    // Announcement of B's bases: the first flight starts further right.
    EXPECT_EQ(flightFrames(6, 0), 59);
    EXPECT_EQ(flightFrames(6, 1), 58);
    for (unsigned c = 2; c < 32; ++c) EXPECT_EQ(flightFrames(6, c), 29) << "column " << c;

    // Key rows: two copies, then 47 frames of dropping.
    int drop = 0;
    for (const Frame& f : frames) drop += f.phase == 7 && f.senderDamaged && f.receiverDamaged;
    EXPECT_EQ(drop, 47);
    EXPECT_LT(model->keyDrop, 0.0f);
    EXPECT_GT(model->keyDrop, -0.1f);

    // The random draws in order: 33 for A's bases, 33 for B's, then per photon A's
    // bit and, only where the bases differ, B's result.
    const auto sym = [this](Party p, KeyRow r, int i) { return cell(p, r, i).symbol; };
    const auto tint = [this](Party p, KeyRow r, int i) { return cell(p, r, i).tint; };
    constexpr Party A = Party::sender, B = Party::receiver;
    Replay replay;
    for (int i = 0; i < 32; ++i) EXPECT_EQ(sym(A, KeyRow::bases, i), '0' + replay.next()) << i;
    replay.next();
    for (int i = 0; i < 32; ++i) EXPECT_EQ(sym(B, KeyRow::bases, i), '0' + replay.next()) << i;
    replay.next();
    int agreeing = 0, slowNumbers = 0;
    for (int i = 0; i < 32; ++i) {
        const KeyColumnRecord& c = model->protocol.columns[i];
        const bool agree = sym(A, KeyRow::bases, i) == sym(B, KeyRow::bases, i);
        EXPECT_EQ(sym(A, KeyRow::bits, i), '0' + replay.next()) << i;
        if (!agree) {
            EXPECT_EQ(sym(B, KeyRow::bits, i), '0' + replay.next()) << i;
        }

        const int aBase = sym(A, KeyRow::bases, i) - '0', bBase = sym(B, KeyRow::bases, i) - '0';
        EXPECT_EQ(c.sentState, 2 * aBase + (sym(A, KeyRow::bits, i) - '0')) << i;
        EXPECT_EQ(c.receivedState, 2 * bBase + (sym(B, KeyRow::bits, i) - '0')) << i;
        // The kept columns are exactly those with equal bases.
        EXPECT_EQ(c.kept, agree) << i;
        if (agree) {
            ++agreeing;
            EXPECT_EQ(sym(B, KeyRow::bits, i), sym(A, KeyRow::bits, i)) << i;
            EXPECT_EQ(c.receivedState, c.sentState) << i;
            for (Party p : {A, B}) {
                EXPECT_EQ(tint(p, KeyRow::numbers, i), CellTint::red) << i;
                EXPECT_EQ(tint(p, KeyRow::key, i), CellTint::gold) << "amber key bit " << i;
            }
            EXPECT_EQ(sym(A, KeyRow::key, i), sym(B, KeyRow::key, i)) << i;
            EXPECT_EQ(tint(A, KeyRow::bases, i), CellTint::red) << "A's base marked red " << i;
            // Phase 9 flights: 58 frames at 0.5 for the first two numbers sent.
            EXPECT_EQ(flightFrames(9, i), i < 2 ? 58 : 29) << i;
            slowNumbers += i < 2;
        } else {
            EXPECT_EQ(flightFrames(9, i), 0) << i;
            for (Party p : {A, B}) {
                EXPECT_EQ(tint(p, KeyRow::numbers, i), CellTint::grey) << i;
                EXPECT_EQ(tint(p, KeyRow::key, i), CellTint::black) << "erased key bit " << i;
            }
        }
        EXPECT_EQ(sym(A, KeyRow::key, i), sym(A, KeyRow::bits, i));
        EXPECT_EQ(tint(B, KeyRow::bases, i), CellTint::grey) << "B's base announced " << i;
    }
    // The seed gives a mixture, so both branches above were exercised.
    EXPECT_GT(agreeing, 4);
    EXPECT_GT(slowNumbers, 0) << "the seed must send a number at speed 0.5";
    EXPECT_LT(agreeing, 28);
    EXPECT_EQ(replay.state, model->random.state) << "no draw beyond those expected";
}

TEST_F(Bb84WindowTest, FlightsAtFullSpeedAndSpeedReadEveryFrame) {
    // Full speed from the start; during the third photon the slider is moved to 0
    // for 150 frames: the photon must stand still until it moves again.
    setSpeed(1.0);
    int frozenFrames = 0;
    float frozenAt = 0;
    bool frozeAll = true;
    onFrame = [&](const Frame& f) {
        if (f.phase == 5 && f.column == 4) window->returnButton->value(1);
        if (f.phase != 5 || f.column != 2 || !f.viewDamaged || f.senderDamaged) return;
        if (frozenFrames == 0 && f.photonX > 0) {
            setSpeed(0.0);
            frozenAt = f.photonX;
            frozenFrames = 1;
        } else if (frozenFrames > 0 && frozenFrames < 150) {
            frozeAll = frozeAll && f.photonX == frozenAt;
            if (++frozenFrames == 150) setSpeed(1.0);
        } else if (frozenFrames == 150) {
            // Back at speed: the very next frame has moved on by one step.
            ++frozenFrames;
            EXPECT_FLOAT_EQ(f.photonX, frozenAt + 0.4f);
        }
        if (f.phase == 5 && f.column == 4) window->returnButton->value(1);
    };
    run();
    EXPECT_TRUE(frozeAll);
    EXPECT_EQ(frozenFrames, 151);
    EXPECT_EQ(flightFrames(5, 0), 43);
    EXPECT_EQ(flightFrames(5, 1), 43);
    EXPECT_EQ(flightFrames(5, 2), 43 + 149);
    EXPECT_EQ(model->phase, finished);
}

TEST_F(Bb84WindowTest, ReturnHeldInPhotonsEndsRunAndLeavesLaterColumnsBlank) {
    setSpeed(1.0);
    size_t returnAt = 0;
    onFrame = [&](const Frame& f) {
        // The run must keep to its own window and tables: the registry may
        // change under it (here it is emptied) without effect on the run.
        if (f.phase == 5 && f.column == 0) {
            bb84Window = nullptr;
            bb84View = nullptr;
            senderTable = nullptr;
            receiverTable = nullptr;
        }
        if (returnAt == 0 && f.phase == 5 && f.column == 5 && f.photonX > -5) {
            window->returnButton->value(1);
            returnAt = frames.size();
        }
    };
    run();
    bb84Window = window;
    window->returnButton->value(0);

    EXPECT_EQ(model->phase, finished);
    EXPECT_TRUE(window->startButton->active());
    ASSERT_GT(returnAt, 0u);
    EXPECT_LE(frames.size() - returnAt, 4u) << "frames after Return was pressed";
    for (int i = 6; i < 32; ++i) {
        EXPECT_EQ(cell(Party::sender, KeyRow::bits, i).symbol, ' ') << i;
        EXPECT_EQ(cell(Party::receiver, KeyRow::bits, i).symbol, ' ') << i;
        EXPECT_EQ(model->protocol.columns[i].receivedState, -1) << i;
        EXPECT_EQ(cell(Party::sender, KeyRow::key, i).tint, CellTint::white) << i;
    }
    // Later stages were entered but did nothing beyond their first steps: the key
    // rows got their copy and stay raised, no number was marked.
    EXPECT_FLOAT_EQ(model->keyDrop, 4.625f);
    EXPECT_EQ(cell(Party::sender, KeyRow::key, 0).symbol, cell(Party::sender, KeyRow::bits, 0).symbol);
    EXPECT_EQ(cell(Party::sender, KeyRow::numbers, 0).tint, CellTint::white);
    EXPECT_EQ(framesIn(8) + framesIn(9) + framesIn(10) + framesIn(11), 0);
}

TEST_F(Bb84WindowTest, StopHoldsRunBetweenFramesUntilReleased) {
    setSpeed(1.0);
    static size_t framesAtHold;
    static float photonAtHold;
    static Bb84WindowTest* self;
    self = this;
    bool held = false;
    onFrame = [&](const Frame& f) {
        if (!held && f.phase == 5 && f.column == 1 && f.photonX > 0) {
            held = true;
            framesAtHold = frames.size();
            photonAtHold = model->photonX;
            // While the hold lasts no frame may pass; the check runs inside it.
            Fl::add_timeout(0.4, [](void*) {
                EXPECT_EQ(self->frames.size(), framesAtHold);
                EXPECT_EQ(self->model->photonX, photonAtHold);
                self->window->stopButton->value(0);
            });
            window->stopButton->value(1);
            window->stopButton->do_callback();
            EXPECT_EQ(frames.size(), framesAtHold);
        }
        if (f.phase == 5 && f.column == 2) window->returnButton->value(1);
    };
    run();
    EXPECT_TRUE(held);
    EXPECT_EQ(flightFrames(5, 1), 43) << "the held flight resumes where it was";
    EXPECT_EQ(model->phase, finished);
}

TEST_F(Bb84WindowTest, ClosingWindowEndsRunAtNextFrame) {
    setSpeed(1.0);
    size_t closedAt = 0;
    onFrame = [&](const Frame& f) {
        if (closedAt == 0 && f.phase == 3) {
            // The window manager's close (and Escape) call the window's callback.
            window->do_callback();
            closedAt = frames.size();
        }
    };
    run();
    EXPECT_FALSE(window->visible());
    EXPECT_FALSE(view->visible());
    EXPECT_EQ(model->phase, finished);
    EXPECT_LE(frames.size() - closedAt, 1u);
    EXPECT_EQ(framesIn(5), 0);
}

TEST_F(Bb84WindowTest, ClosingWindowEndsAFlightStoppedBySpeedZero) {
    size_t closedAt = 0;
    int stillFrames = 0;
    onFrame = [&](const Frame& f) {
        if (f.phase != 5) return;
        if (f.photonX > 0 && window->speedSlider->value() > 0) setSpeed(0.0);
        if (closedAt == 0 && window->speedSlider->value() == 0 && ++stillFrames == 50) {
            window->do_callback();
            closedAt = frames.size();
        }
    };
    run();
    ASSERT_GT(closedAt, 0u);
    EXPECT_EQ(frames.size(), closedAt) << "no frame after the window was closed";
    EXPECT_EQ(model->phase, finished);
    EXPECT_EQ(cell(Party::sender, KeyRow::bits, 1).symbol, ' ') << "the next photon was never sent";
}

TEST_F(Bb84WindowTest, ClosingWindowReleasesHeldStop) {
    static Bb84Window* target;
    target = window;
    onFrame = [&](const Frame& f) {
        if (f.phase == 1 && window->stopButton->value() == 0 && window->visible()) {
            Fl::add_timeout(0.2, [](void*) { target->do_callback(); });
            window->stopButton->value(1);
            window->stopButton->do_callback();
        }
    };
    run();
    EXPECT_EQ(model->phase, finished);
    EXPECT_FALSE(window->visible());
}

// Lesson mode from the keyboard: "n" lights it, Space starts and goes on at
// every stop, Page Up plays B's bases again. The run is the model's plain run
// of the same draws with that stage played twice, frame for frame.
TEST_F(Bb84WindowTest, LessonStopsAtEveryStageAndPageUpPlaysOneAgain) {
    setSpeed(1.0);
    ASSERT_TRUE(pressKeyButton(*window, 'n', 0));
    ASSERT_TRUE(window->lesson.lit());
    LessonPresenter presenter(*window, window->lesson, *window->view, 3);
    StandardRandom::useSeedSequence(fixedSeed);
    ASSERT_TRUE(pressKeyButton(*window, ' ', 0));

    std::vector<std::string> expected;
    for (int stop : {basesOfAStop, basesOfBStop, sendingStop, sendingStop, basesComparedStop,
                     keyRowsStop, siftingStop, errorCheckStop, verdictStop}) {
        expected.push_back(keyLessonCaption(*model, stop).text);
    }
    EXPECT_EQ(presenter.captions, expected);
    EXPECT_EQ(model->phase, finished);
    EXPECT_TRUE(model->protocol.check.decided);
    EXPECT_EQ(view->caption().text, nullptr);
    EXPECT_TRUE(window->startButton->active());

    KeyDistribution plain;
    plain.controls.speed = 1.0;
    StandardRandom::useSeedSequence(fixedSeed);
    plain.startRun();
    std::vector<Frame> once;
    for (FrameEnd end; (end = plain.step()) != FrameEnd::Finished;) {
        if (end == FrameEnd::Step) {
            once.push_back({plain.phase, plain.keyColumn, plain.photonX, plain.keyDrop,
                            plain.detection.detected, false, false, false});
        }
    }
    const auto firstIn = [&](int phase) {
        return std::find_if(once.begin(), once.end(),
                            [&](const Frame& f) { return f.phase == phase; }) -
               once.begin();
    };
    // B's stop is waited at after his stage's first frame, the sending's after its.
    const auto b = firstIn(generatingB) + 1, sending = firstIn(sendingPhotons) + 1;
    std::vector<Frame> twice(once.begin(), once.begin() + sending);
    twice.insert(twice.end(), once.begin() + b, once.end());
    ASSERT_EQ(frames.size(), twice.size());
    for (size_t i = 0; i < twice.size(); ++i) {
        const Frame& x = frames[i];
        const Frame& y = twice[i];
        ASSERT_TRUE(x.phase == y.phase && x.column == y.column && x.photonX == y.photonX &&
                    x.keyDrop == y.keyDrop && x.detected == y.detected)
            << "frame " << i;
    }
    // The books end as the plain run's: the same bits kept, compared and judged.
    for (int i = 0; i < keyColumns; ++i) {
        const KeyColumnRecord& x = model->protocol.columns[i];
        const KeyColumnRecord& y = plain.protocol.columns[i];
        EXPECT_TRUE(x.aBit == y.aBit && x.bBit == y.bBit && x.kept == y.kept &&
                    x.compared == y.compared)
            << i;
    }
    EXPECT_EQ(model->protocol.check.keyBits, plain.protocol.check.keyBits);
}

}  // namespace
