// The summaries behind the benchmark table: percentiles, the slow side of rates,
// targets as the script writes them, and the rows the table is built from.
#include "bench/stats.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<double> oneToHundredOne() {
    std::vector<double> samples;
    for (int i = 101; i >= 1; --i) {  // unsorted on purpose
        samples.push_back(i);
    }
    return samples;
}

}  // namespace

TEST(BenchStats, PercentilesInterpolateBetweenRanks) {
    EXPECT_DOUBLE_EQ(percentile({3, 1, 2}, 0.5), 2);
    EXPECT_DOUBLE_EQ(percentile({4, 1, 3, 2}, 0.5), 2.5);
    EXPECT_DOUBLE_EQ(percentile({10, 20}, 0.95), 19.5);
    EXPECT_DOUBLE_EQ(percentile({7}, 0.95), 7);
    EXPECT_DOUBLE_EQ(percentile({5, 9, 1}, 0), 1);
    EXPECT_DOUBLE_EQ(percentile({5, 9, 1}, 1), 9);
    // Shares outside 0..1 are held to the ends instead of reading past them.
    EXPECT_DOUBLE_EQ(percentile({5, 9, 1}, 1.5), 9);
    EXPECT_DOUBLE_EQ(percentile({5, 9, 1}, -1), 1);
    EXPECT_TRUE(std::isnan(percentile({}, 0.5)));
}

TEST(BenchStats, SlowSideIsTheHighTimeAndTheLowRate) {
    EXPECT_DOUBLE_EQ(slowSide95(oneToHundredOne(), Better::Lower), 96);
    EXPECT_DOUBLE_EQ(slowSide95(oneToHundredOne(), Better::Higher), 6);
}

TEST(BenchStats, TargetsParseOnlyWhatTheScriptWrites) {
    Target target;
    ASSERT_TRUE(Target::parse("<=8", target));
    EXPECT_EQ(target.kind, Target::AtMost);
    EXPECT_DOUBLE_EQ(target.limit, 8);
    EXPECT_TRUE(target.metBy(8));
    EXPECT_FALSE(target.metBy(8.01));

    ASSERT_TRUE(Target::parse(">=50000", target));
    EXPECT_EQ(target.kind, Target::AtLeast);
    EXPECT_TRUE(target.metBy(50000));
    EXPECT_FALSE(target.metBy(49999));

    ASSERT_TRUE(Target::parse("<=0.5", target));
    EXPECT_DOUBLE_EQ(target.limit, 0.5);

    ASSERT_TRUE(Target::parse("", target));
    EXPECT_EQ(target.kind, Target::None);
    EXPECT_TRUE(target.metBy(1e9));

    for (const char* bad : {"8", "<8", "=<8", "<=", "<=x", "<=8ms", "<=nan", "~=3", ">=inf"}) {
        EXPECT_FALSE(Target::parse(bad, target)) << bad;
        EXPECT_EQ(target.kind, Target::None) << bad;
    }
}

TEST(BenchStats, ValuesKeepThreeFiguresOrWholeUnits) {
    EXPECT_EQ(formatValue(12345.0), "12345");
    EXPECT_EQ(formatValue(250.5), "250.5");
    EXPECT_EQ(formatValue(5), "5.00");
    EXPECT_EQ(formatValue(0.0125), "0.013");
    EXPECT_EQ(formatValue(0), "0.000");
    EXPECT_EQ(formatValue(std::nan("")), "n/a");
}

TEST(BenchStats, RowsCarryTheVerdictOfTheMedian) {
    Figure view{"Bell view", "ms/frame step", Better::Lower, {}};
    ASSERT_TRUE(Target::parse("<=8", view.target));
    // One slow frame in twenty moves the p95 but not the verdict.
    std::vector<double> frames(19, 4.0);
    frames.push_back(30.0);
    EXPECT_EQ(csvRow(view, frames), "Bell view,ms/frame step,4.00,5.30,<= 8.00,yes,20");
    EXPECT_EQ(csvRow(view, {9, 10, 11}), "Bell view,ms/frame step,10.00,10.90,<= 8.00,NO,3");
    EXPECT_EQ(csvRow(view, {}), "Bell view,ms/frame step,n/a,n/a,<= 8.00,no data,0");

    Figure rate{"Pairs, counted", "pairs/s", Better::Higher, {}};
    // A comma in a name would split the row into one field too many.
    EXPECT_EQ(csvRow(rate, {100, 200, 300}), "Pairs; counted,pairs/s,200.0,110.0,,,3");
    EXPECT_EQ(csvHeader(), "figure,unit,median,p95,target,met,samples");
}
