// The introduction's scroll: float steps of 0.004 and the wrap to -0.5.
#include "app/intro_view.h"

#include <gtest/gtest.h>

namespace {

// The view's window is never shown here; only its scroll arithmetic is used.
TEST(IntroScroll, StepsWrapAndCycle) {
    IntroView view(0, 0, 10, 10);
    EXPECT_EQ(view.scroll, 4.0f);
    view.advanceScroll();
    EXPECT_EQ(view.scroll, static_cast<float>(4.0f + 0.004));
    view.advanceScroll();
    EXPECT_EQ(view.scroll, static_cast<float>(static_cast<float>(4.0f + 0.004) + 0.004));

    // Walk to the first wrap: every value before it is at most 10.5.
    int turns = 0;
    float previous = view.scroll;
    while (view.scroll > 0) {
        previous = view.scroll;
        view.advanceScroll();
        ++turns;
        ASSERT_LT(turns, 5000);
    }
    EXPECT_EQ(view.scroll, -0.5f);
    EXPECT_LE(previous, 10.5f);
    EXPECT_GT(static_cast<float>(previous + 0.004), 10.5f);

    // A whole cycle from -0.5 back to -0.5.
    int cycle = 0;
    do {
        view.advanceScroll();
        ++cycle;
        ASSERT_LT(cycle, 5000);
    } while (view.scroll != -0.5f);
    EXPECT_NEAR(cycle, 2750, 2);
}

}  // namespace
