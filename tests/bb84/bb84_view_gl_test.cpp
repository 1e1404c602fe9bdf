// What the 3-D scene and the tables draw of a model set up by hand, read back
// through colour feedback: legend, analyzer results, the circular style, flying
// column numbers, the photon's colour, the polarization rows, and the key rows.
#include "bb84_fixture.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

std::vector<ColouredItem> linesOf(const std::vector<ColouredItem>& items, Hue hue) {
    std::vector<ColouredItem> out;
    for (const auto& item : items) {
        if (isLine(item) && hueOf(item.vertices[0]) == hue) out.push_back(item);
    }
    return out;
}

int bitmaps(const std::vector<ColouredItem>& items) {
    int n = 0;
    for (const auto& item : items) n += item.token == GL_BITMAP_TOKEN;
    return n;
}

float lengthX(const ColouredItem& line) {
    return std::fabs(line.vertices[1][0] - line.vertices[0][0]);
}
float lengthY(const ColouredItem& line) {
    return std::fabs(line.vertices[1][1] - line.vertices[0][1]);
}

// The longest segment among lines: the shaft of an analyzer arrow.
const ColouredItem& longest(const std::vector<ColouredItem>& lines) {
    size_t best = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lengthX(lines[i]) + lengthY(lines[i]) > lengthX(lines[best]) + lengthY(lines[best]))
            best = i;
    }
    return lines[best];
}

TEST_F(Bb84WindowTest, LegendShowsTheFourResultColoursBeforeARun) {
    const auto items = captureColoured(*view);
    // Each analyzer arrow is five segments, one per preset colour.
    EXPECT_EQ(linesOf(items, Hue::red).size(), 5u);
    EXPECT_EQ(linesOf(items, Hue::cyan).size(), 5u);
    EXPECT_EQ(linesOf(items, Hue::yellow).size(), 5u);
    EXPECT_EQ(linesOf(items, Hue::green).size(), 5u);
    // Red along the axis, yellow across it.
    EXPECT_GT(lengthX(longest(linesOf(items, Hue::red))), 5 * lengthY(longest(linesOf(items, Hue::red))));
    EXPECT_GT(lengthY(longest(linesOf(items, Hue::yellow))), 5 * lengthX(longest(linesOf(items, Hue::yellow))));
    // No photon, no flying text: the bitmap texts are "A", "B", the title and
    // "Description".
    EXPECT_EQ(bitmaps(items), 1 + 1 + 17 + 11);
}

// A model in the photon stage at column 0 with B's base and bit as given; no
// photon is drawn, so that only the analyzer shows colours.
KeyDistribution& measuredAt(Bb84Window& window, int base, int bit) {
    KeyDistribution& state = window.model;
    state.phase = sendingPhotons;
    state.sentState = -1;
    state.photonX = 0;
    state.keyColumn = 0;
    state.protocol.columns[0].bBase = base;
    state.protocol.columns[0].bBit = bit;
    state.detection.analyzerAngle = base == 0 ? 0 : 45;
    state.detection.diagonalResult = base == 1;
    state.detection.resultColour.select(base + 2 * bit);
    return state;
}

TEST_F(Bb84WindowTest, AnalyzerLightsTheArrowOfBsBitAfterMeasurement) {
    KeyDistribution& state = measuredAt(*window, 0, 1);
    state.detection.detected = false;
    auto items = captureColoured(*view);
    EXPECT_EQ(linesOf(items, Hue::yellow).size(), 0u) << "grey before the measurement";
    EXPECT_GE(linesOf(items, Hue::grey).size(), 10u);

    state.detection.detected = true;
    items = captureColoured(*view);
    const auto lit = linesOf(items, Hue::yellow);
    ASSERT_EQ(lit.size(), 5u);
    EXPECT_GT(lengthY(longest(lit)), 5 * lengthX(longest(lit))) << "bit 1: across the axis";

    // Base "0", bit "0": red along the axis.
    measuredAt(*window, 0, 0);
    items = captureColoured(*view);
    ASSERT_EQ(linesOf(items, Hue::red).size(), 5u);
    EXPECT_GT(lengthX(longest(linesOf(items, Hue::red))), 5 * lengthY(longest(linesOf(items, Hue::red))));

    // Base "1" in the linear style, bit "0": the cyan arrow lies at 45 degrees.
    measuredAt(*window, 1, 0);
    items = captureColoured(*view);
    const auto diagonal = linesOf(items, Hue::cyan);
    ASSERT_EQ(diagonal.size(), 5u);
    const auto& shaft = longest(diagonal);
    EXPECT_GT(lengthY(shaft), 0.3f * lengthX(shaft));
    EXPECT_GT(lengthX(shaft), 0.3f * lengthY(shaft));
}

TEST_F(Bb84WindowTest, CircularStyleShowsCircleAndResultArc) {
    KeyDistribution& state = measuredAt(*window, 1, 1);
    state.linearDiagonal = false;
    state.detection.detected = false;
    auto items = captureColoured(*view);
    EXPECT_EQ(linesOf(items, Hue::green).size(), 0u);
    // Two grey circles of 20 segments (one per analyzer arrow position), plus
    // the grey classical channel.
    EXPECT_EQ(linesOf(items, Hue::grey).size(), 41u);

    state.detection.detected = true;
    items = captureColoured(*view);
    // An arc of 19 segments and a head of 2, once per arrow position.
    const auto arc = linesOf(items, Hue::green);
    EXPECT_EQ(arc.size(), 42u);

    // The head sits at the 68-degree end for "1" and at the -160-degree end for
    // "0": its tip is then left of and below the circle's centre.
    auto tipOf = [](const std::vector<ColouredItem>& lines) {
        // The head's two segments meet at the tip, after the arc's 19.
        return lines[19].vertices[1];
    };
    const auto tipOne = tipOf(arc);
    measuredAt(*window, 1, 0);
    items = captureColoured(*view);
    const auto arcZero = linesOf(items, Hue::cyan);
    ASSERT_EQ(arcZero.size(), 42u);
    const auto tipZero = tipOf(arcZero);
    EXPECT_GT(tipOne[1], tipZero[1] + 20) << "the '1' head is higher on screen";
}

TEST_F(Bb84WindowTest, FlyingColumnNumbersAndBaseDigit) {
    KeyDistribution& state = window->model;
    state.phase = sendingNumbers;
    state.photonX = 0;
    std::map<unsigned, int> counts;
    for (unsigned c : {0u, 8u, 9u, 10u, 18u, 19u, 28u, 29u, 31u}) {
        state.keyColumn = c;
        counts[c] = bitmaps(captureColoured(*view));
    }
    const int single = counts[0];
    EXPECT_EQ(counts[8], single) << "9 flies alone";
    for (unsigned c : {9u, 10u, 18u, 19u, 28u, 29u, 31u}) EXPECT_EQ(counts[c], single + 1) << c;
    EXPECT_STREQ(tensDigit(9), "1");
    EXPECT_STREQ(unitsDigit(9), "0");
    EXPECT_STREQ(tensDigit(19), "2");
    EXPECT_STREQ(unitsDigit(19), "0");
    EXPECT_STREQ(tensDigit(29), "3");
    EXPECT_STREQ(unitsDigit(29), "0");

    // Phase 6 carries one character (B's base) and nothing of phase 9.
    state.phase = announcingBases;
    state.keyColumn = 20;
    EXPECT_EQ(bitmaps(captureColoured(*view)), single);
}

TEST_F(Bb84WindowTest, TablesDrawPolarizationRowAndPhotonFliesInItsStatesColour) {
    // Before a run: nothing in the polarization row, only the labels, numbers
    // and the space cells.
    const int rest = static_cast<int>(captureColoured(*a).size());
    KeyDistribution& state = window->model;
    state.phase = sendingPhotons;
    const int states[4] = {0, 1, 2, 3};
    for (int i = 0; i < 4; ++i) {
        state.protocol.columns[i].sentState = states[i];
        state.protocol.columns[i].receivedState = states[3 - i];
    }
    state.shownIndex = 3;
    EXPECT_GT(static_cast<int>(captureColoured(*a).size()), rest);

    // The photon's every coloured line is in the colour of its state: red,
    // yellow, cyan, green.
    const Hue hues[4] = {Hue::red, Hue::yellow, Hue::cyan, Hue::green};
    state.photonX = 0;
    for (int s : states) {
        state.sentState = s;
        int coloured = 0;
        for (const auto& item : captureColoured(*view)) {
            if (!isLine(item) || hueOf(item.vertices[0]) == Hue::grey) continue;
            ++coloured;
            EXPECT_EQ(hueOf(item.vertices[0]), hues[s]) << "state " << s;
        }
        EXPECT_GT(coloured, 0) << "state " << s;
    }

    // Unmeasured columns of B draw nothing.
    for (int i = 0; i < 4; ++i) state.protocol.columns[i].receivedState = 3;
    const size_t measured = captureColoured(*b).size();
    state.protocol.columns[2].receivedState = -1;
    state.protocol.columns[3].receivedState = -1;
    const size_t unmeasured = captureColoured(*b).size();
    EXPECT_LT(unmeasured, measured);
    state.protocol.columns[0].receivedState = -1;
    state.protocol.columns[1].receivedState = -1;
    state.shownIndex = -1;
    EXPECT_EQ(captureColoured(*b).size() + (measured - unmeasured) * 2, measured);
    state.phase = finished;
    EXPECT_EQ(static_cast<int>(captureColoured(*a).size()), rest);
}

TEST_F(Bb84WindowTest, PolToggledChangesViewAndTablesAtNextRedraw) {
    KeyDistribution& state = window->model;
    state.phase = sendingPhotons;
    state.sentState = 2;
    state.photonX = 0;
    for (int i = 0; i < 32; ++i) state.protocol.columns[i].sentState = 2 + i % 2;
    state.shownIndex = 31;
    state.detection.analyzerAngle = 0;
    auto lines = [](const std::vector<ColouredItem>& items) {
        return std::count_if(items.begin(), items.end(), isLine);
    };
    const auto tableLinear = lines(captureColoured(*a));
    const auto viewLinear = lines(captureColoured(*view));

    window->polButton->value(1);
    window->polButton->do_callback();
    EXPECT_FALSE(model->linearDiagonal);
    // Curved arrows are 19-segment arcs where the linear ones had one line.
    EXPECT_EQ(lines(captureColoured(*a)), tableLinear + 32 * 18);
    EXPECT_EQ(lines(captureColoured(*view)), viewLinear + 18);

    window->polButton->value(0);
    window->polButton->do_callback();
    EXPECT_TRUE(model->linearDiagonal);
    EXPECT_EQ(lines(captureColoured(*a)), tableLinear);
}

TEST_F(Bb84WindowTest, RowLabelsInFrameColourAndErasedKeyBitsDark) {
    // The first bitmaps of a table are its title (yellow) and then the four row
    // labels in the frame's colour: magenta for A, orange-brown for B.
    auto labelHues = [](const std::vector<ColouredItem>& items) {
        std::vector<Hue> hues;
        for (const auto& item : items) {
            if (item.token == GL_BITMAP_TOKEN) hues.push_back(hueOf(item.vertices[0]));
        }
        return hues;
    };
    const auto hueA = labelHues(captureColoured(*a));
    ASSERT_GT(hueA.size(), 10u);
    EXPECT_EQ(hueA[0], Hue::yellow);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(hueA[i], Hue::magenta) << i;  // k ' k P o l . K e y
    const auto itemsB = captureColoured(*b);
    std::vector<std::vector<float>> bitmapsB;
    for (const auto& item : itemsB) {
        if (item.token == GL_BITMAP_TOKEN) bitmapsB.push_back(item.vertices[0]);
    }
    for (int i = 1; i <= 10; ++i) {
        EXPECT_GT(bitmapsB[i][2], bitmapsB[i][3] + 0.1f) << "orange: red over green " << i;
        EXPECT_GT(bitmapsB[i][3], bitmapsB[i][4] + 0.1f) << "green over blue " << i;
    }

    // Key row: the last 32 bitmaps. Kept bits amber, erased ones much darker.
    KeyDistribution& state = window->model;
    for (int i = 0; i < 32; ++i) state.protocol.columns[i].aBit = 1;
    state.keyCopied[0] = true;
    state.protocol.columns[0].kept = true;
    state.marks[0].senderMarked = true;
    state.marks[1].erased = true;
    std::vector<std::vector<float>> key;
    for (const auto& item : captureColoured(*a)) {
        if (item.token == GL_BITMAP_TOKEN) key.push_back(item.vertices[0]);
    }
    ASSERT_GE(key.size(), 32u);
    const auto& kept = key[key.size() - 32];
    const auto& erased = key[key.size() - 31];
    EXPECT_EQ(hueOf(kept), Hue::yellow);
    EXPECT_GT(kept[2] + kept[3], 3 * (erased[2] + erased[3]));
    // The key row sits keyDrop lower (in scene units) than with no drop.
    state.keyDrop = 4.625f;
    std::vector<std::vector<float>> raised;
    for (const auto& item : captureColoured(*a)) {
        if (item.token == GL_BITMAP_TOKEN) raised.push_back(item.vertices[0]);
    }
    // Raised to the "k" row: the same height as the bits, which come just before.
    EXPECT_NEAR(raised[raised.size() - 32][1], raised[raised.size() - 64][1], 1.0f);
}

TEST_F(Bb84WindowTest, DescriptionHotSpotIsRelativeToTheWindow) {
    // The red word covers window x 24..134, y 615..636; a pixel to spare around
    // it is in, the next one out.
    Fl::e_x_root = window->x_root() + 50;
    Fl::e_y_root = window->y_root() + 625;
    captureColoured(*view);
    EXPECT_TRUE(view->showDescription);
    EXPECT_EQ(view->pointerX, 50);
    EXPECT_EQ(view->pointerY, 625);
    // Five green lines (and the empty one) instead of the red label.
    const auto items = captureColoured(*view);
    int green = 0;
    for (const auto& item : items) {
        green += item.token == GL_BITMAP_TOKEN && hueOf(item.vertices[0]) == Hue::green;
    }
    EXPECT_GT(green, 300);
    for (auto [x, y] : {std::pair{21, 625}, {137, 625}, {50, 613}, {50, 638}}) {
        Fl::e_x_root = window->x_root() + x;
        Fl::e_y_root = window->y_root() + y;
        captureColoured(*view);
        EXPECT_FALSE(view->showDescription) << x << "," << y;
    }
    Fl::e_x_root = window->x_root() + 22;
    Fl::e_y_root = window->y_root() + 637;
    captureColoured(*view);
    EXPECT_TRUE(view->showDescription);
}

}  // namespace
