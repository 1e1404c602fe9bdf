// What the Bell window's own widgets show on screen: counters that keep their
// numbers inside their cells.
#include "app/demonstrations.h"
#include "app/registry.h"
#include "bell/bell_window.h"
#include "bell/counter_box.h"
#include "support/gl_probe.h"

#include <gtest/gtest.h>
// After the test framework: the X headers define names it uses.
#include <FL/fl_draw.H>

#include <cstdio>
#include <memory>

namespace {

// First and last column of black text in a cell of the counter row at y, read
// from the screen, looking 3 pixels past each side of the cell.
struct Ink {
    int first = -1, last = -1;
};
Ink inkOfCell(BellWindow& window, int x, int y) {
    constexpr int w = 69 + 6, h = 37;
    window.make_current();
    std::unique_ptr<unsigned char[]> rgb(fl_read_image(nullptr, x - 3, y, w, h));
    Ink ink;
    for (int col = 0; col < w; ++col)
        for (int row = 0; row < h; ++row) {
            const unsigned char* p = &rgb[3 * (row * w + col)];
            if (std::max({p[0], p[1], p[2]}) < 60) {
                if (ink.first < 0) ink.first = x - 3 + col;
                ink.last = x - 3 + col;
            }
        }
    return ink;
}

void showCount(BellWindow& window, int l, int r, int o, const char* text) {
    std::snprintf(window.counterText[l][r][o], sizeof window.counterText[l][r][o], "%s", text);
    window.counterStale[l][r][o] = true;
}

TEST(BellCounters, FiveDigitCountsKeepAGapToTheirNeighbours) {
    showBellWindow();
    BellWindow& window = *bellWindow;
    // A whole row of the widest five-digit counts; four digits and one below.
    for (int l = 0; l < 3; ++l)
        for (int r = 0; r < 3; ++r) showCount(window, l, r, 0, "99999");
    showCount(window, 0, 0, 1, "8888");
    showCount(window, 0, 1, 1, "7");
    window.flushDisplays();
    ASSERT_TRUE(waitUntilDrawn(window));
    // A busy X server may show the new window black for a moment after it was
    // drawn; the cells are read once the first one shows its green background.
    ASSERT_TRUE(waitFor([&window] {
        window.make_current();
        std::unique_ptr<unsigned char[]> rgb(fl_read_image(nullptr, 59, 72, 1, 1));
        return rgb[1] > 150;
    }));

    int previousLast = -1;
    for (int cell = 0; cell < 9; ++cell) {
        const int x = 56 + 74 * cell;
        const Ink ink = inkOfCell(window, x, 54);
        ASSERT_GE(ink.first, 0) << "cell " << cell << " shows its count";
        EXPECT_GE(ink.first, x + 3) << "cell " << cell;
        EXPECT_LE(ink.last, x + 69 - 4) << "cell " << cell;
        if (previousLast >= 0) {
            EXPECT_GE(ink.first - previousLast, 12) << "gap before cell " << cell;
        }
        previousLast = ink.last;
    }
    // Only a count that would not fit is drawn smaller.
    auto size = [&window](int l, int r, int o) {
        return static_cast<CounterBox*>(window.counterDisplays[l][r][o])->fittedSize();
    };
    EXPECT_LT(size(0, 0, 0), 26);
    EXPECT_EQ(size(0, 0, 1), 26);
    EXPECT_EQ(size(0, 1, 1), 26);
    EXPECT_EQ(window.counterDisplays[0][0][0]->labelsize(), 26);
    leaveBell(nullptr, bellWindow);
}

}  // namespace
