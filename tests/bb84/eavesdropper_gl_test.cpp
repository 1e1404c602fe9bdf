// Runs with the additions to the protocol: the error check that ends every run
// and its read-out, Eve turning the photon into hers at her station, and the
// counting run with its totals, Stop and Return.
#include "bb84_fixture.h"

#include "app/presenter_keys.h"
#include "bb84/eve_strip.h"

#include <string>

namespace {

int bitmapsOf(const std::vector<ColouredItem>& items) {
    int n = 0;
    for (const auto& item : items) n += item.token == GL_BITMAP_TOKEN;
    return n;
}

// The hue a photon of each state flies in.
Hue hueOfState(int state) {
    static const Hue hues[4] = {Hue::red, Hue::yellow, Hue::cyan, Hue::green};
    return hues[state];
}

// Before B's measurement every coloured line of the scene is the photon's.
std::vector<Hue> photonHues(Bb84View& view) {
    std::vector<Hue> hues;
    for (const auto& item : captureColoured(view)) {
        if (isLine(item) && hueOf(item.vertices[0]) != Hue::grey) {
            hues.push_back(hueOf(item.vertices[0]));
        }
    }
    return hues;
}

TEST_F(Bb84WindowTest, RunWithoutEveEndsWithTheErrorCheckAndItsReadout) {
    setSpeed(1.0);
    run();
    EXPECT_EQ(model->phase, finished);

    // The protocol's stages in their order with their frames, then the check.
    std::vector<int> order;
    for (const Frame& f : frames) {
        if (order.empty() || order.back() != f.phase) order.push_back(f.phase);
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13}));
    EXPECT_EQ(framesIn(1), 363);
    EXPECT_EQ(framesIn(2), 32);
    EXPECT_EQ(framesIn(3), 363);
    EXPECT_EQ(framesIn(4), 32);
    for (unsigned c = 0; c < 32; ++c) EXPECT_EQ(flightFrames(5, c), 43) << c;

    // Half the kept columns (rounded up) are compared: a flight each way of 29
    // frames at full speed and one frame for the mark; one more for the verdict.
    int kept = 0, compared = 0;
    for (int i = 0; i < keyColumns; ++i) {
        const bool agree = cell(Party::sender, KeyRow::bases, i).symbol ==
                           cell(Party::receiver, KeyRow::bases, i).symbol;
        const KeyColumnRecord& c = model->protocol.columns[i];
        kept += agree;
        EXPECT_EQ(c.kept, agree) << i;
        EXPECT_FALSE(c.error) << "a perfect channel " << i;
        EXPECT_EQ(flightFrames(13, i), c.compared ? 58 : 0) << i;
        if (c.compared) {
            ++compared;
            EXPECT_TRUE(agree) << i;
            for (Party p : {Party::sender, Party::receiver}) {
                EXPECT_EQ(cell(p, KeyRow::bits, i).tint, CellTint::green) << "equal bits marked " << i;
            }
        }
    }
    EXPECT_EQ(compared, (kept + 1) / 2);
    EXPECT_EQ(framesIn(13), compared * (29 + 29 + 1) + 1);

    // The read-out for this seed, and the view shows exactly its two lines
    // besides its labels.
    const std::string first = comparedText(model->protocol.check);
    const std::string verdict = verdictText(model->protocol.check);
    EXPECT_EQ(first, "compared " + std::to_string(compared) + " bits, 0 differ (0 %)");
    EXPECT_EQ(verdict, "no errors: the key of " + std::to_string(kept - compared) + " bits is kept");
    EXPECT_EQ(first, "compared 9 bits, 0 differ (0 %)");
    EXPECT_EQ(verdict, "no errors: the key of 8 bits is kept");
    EXPECT_EQ(bitmapsOf(captureColoured(*view)),
              1 + 1 + 17 + 11 + static_cast<int>(first.size() + verdict.size()));
}

TEST_F(Bb84WindowTest, EveTurnsThePhotonIntoHersAndBMeasuresHers) {
    window->eveButton->value(1);
    window->eveButton->do_callback();
    EXPECT_TRUE(model->protocol.eve);
    setSpeed(1.0);
    int changed = 0;
    unsigned before = keyColumns, after = keyColumns;
    onFrame = [&](const Frame& f) {
        // Flight frames only, before B's measurement lights the analyzer; the
        // first twelve photons are enough.
        if (f.phase != 5 || f.column >= 12 || !f.viewDamaged || f.senderDamaged || f.detected) {
            return;
        }
        const KeyColumnRecord& c = model->protocol.columns[f.column];
        if (f.photonX < eveStationX - 1 && before != f.column) {
            before = f.column;
            EXPECT_EQ(c.eveState, -1) << "Eve has not measured before her station";
            const auto hues = photonHues(*view);
            ASSERT_FALSE(hues.empty());
            for (Hue h : hues) EXPECT_EQ(h, hueOfState(c.sentState)) << "A's photon " << f.column;
        }
        if (f.photonX >= eveStationX && after != f.column) {
            after = f.column;
            ASSERT_GE(c.eveState, 0) << f.column;
            changed += c.eveState != c.sentState;
            const auto hues = photonHues(*view);
            ASSERT_FALSE(hues.empty());
            for (Hue h : hues) EXPECT_EQ(h, hueOfState(c.eveState)) << "Eve's photon " << f.column;
        }
    };
    run();
    EXPECT_GT(changed, 2) << "the seed must let Eve change some photons";

    int errors = 0;
    for (int i = 0; i < keyColumns; ++i) {
        const KeyColumnRecord& c = model->protocol.columns[i];
        EXPECT_EQ(c.bBit, cell(Party::receiver, KeyRow::bits, i).symbol - '0') << i;
        if (c.bBase == c.eveBase) {
            EXPECT_EQ(c.bBit, c.eveBit) << "B reads Eve's bit " << i;
        }
        errors += c.compared && c.error;
    }
    // The verdict follows the differences, and a discarded key is greyed out.
    EXPECT_EQ(model->protocol.check.differing, errors);
    for (int i = 0; i < keyColumns; ++i) {
        const KeyColumnRecord& c = model->protocol.columns[i];
        if (c.kept && !c.compared && errors > 0) {
            EXPECT_EQ(cell(Party::sender, KeyRow::key, i).tint, CellTint::grey) << "discarded " << i;
        }
    }
}

TEST_F(Bb84WindowTest, CountingShowsTotalsEveryFiftyRoundsAndStopsOnReturn) {
    // The additions along the bottom scale with the window like its own controls.
    const Rect eve{12, 737, 61, 28}, strip{75, 737, 931, 28};
    window->resize(window->x(), window->y(), 1576, 1152);
    for (auto [widget, design] : {std::pair<Fl_Widget*, Rect>{window->eveButton, eve},
                                  {window->eveStrip, strip}}) {
        const Rect r = scaledRect(design, 1576, 1152);
        EXPECT_EQ(widget->x(), r.x);
        EXPECT_EQ(widget->y(), r.y);
        EXPECT_EQ(widget->w(), r.w);
        EXPECT_EQ(widget->h(), r.h);
    }
    EXPECT_EQ(window->countButton->labelsize(), 24);
    window->resize(window->x(), window->y(), 1024, 768);
    EXPECT_EQ(window->countButton->labelsize(), 16);
    EXPECT_EQ(window->eveButton->x(), eve.x);

    // The presenter's keys light Count and Eve in this window.
    ASSERT_TRUE(pressKeyButton(*window, 'c', 0));
    ASSERT_TRUE(pressKeyButton(*window, 'e', 0));
    EXPECT_EQ(window->countButton->value(), 1);
    EXPECT_TRUE(model->protocol.eve);
    bool locked = true;
    onFrame = [&](const Frame&) {
        locked = locked && !window->eveButton->active() && !window->countButton->active();
    };
    run();
    EXPECT_TRUE(locked) << "Eve and Count are read at Start and greyed out";
    EXPECT_EQ(framesIn(14), 20);
    EXPECT_EQ(frames.size(), 20u) << "no animation";
    const CountTotals& t = model->protocol.totals;
    EXPECT_EQ(t.rounds, 1000);
    EXPECT_EQ(t.photons, 32000);
    EXPECT_GT(t.differing, t.compared / 5);
    EXPECT_EQ(model->phase, finished);
    EXPECT_TRUE(window->countButton->active());

    // Return held at the fifth showing ends the count there; Stop holds it.
    frames.clear();
    static Bb84Window* target;
    target = window;
    onFrame = [&](const Frame&) {
        if (frames.size() == 2) {
            Fl::add_timeout(0.2, [](void*) {
                EXPECT_EQ(target->model.protocol.totals.rounds, 100) << "held between two showings";
                target->stopButton->value(0);
            });
            window->stopButton->value(1);
            window->stopButton->do_callback();
            EXPECT_EQ(model->protocol.totals.rounds, 100) << "held between two showings";
        }
        if (frames.size() == 5) window->returnButton->value(1);
    };
    run();
    window->returnButton->value(0);
    EXPECT_EQ(model->protocol.totals.rounds, 250);
    EXPECT_EQ(model->phase, finished);
}

}  // namespace
