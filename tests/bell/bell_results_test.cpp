// A Bell count saved while its last pair is still in flight, read back: every
// counter as the window shows it, adding up to Performed, the inequality's
// values, the verdict's sigma and the mode.
#include "bell/bell_experiment.h"
#include "bell/bell_results.h"
#include "bell/inequality_verdict.h"
#include "scene/csv_read.h"
#include "scene/safe_file.h"
#include "support/fixed_seeds.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(BellResults, ASavedCountReadsBackAsTheCountersShowIt) {
    FixedSeeds seeds(314159);
    BellExperiment e;
    BellControls controls;
    controls.count = true;
    controls.experiment = 20001;
    e.start();
    while (e.performed < 20000) ASSERT_NE(e.step(controls), FrameEnd::Finished);
    // The last pair animated: counted in the model, not yet on show.
    controls.count = false;
    for (int i = 0; i < 20; ++i) e.step(controls);
    ASSERT_EQ(e.pairNumber - e.performed, 1);

    TemporaryFolder folder;
    const std::string path = folder.file("bell.csv");
    ASSERT_TRUE(saveTextFile(path, csvText(bellResults(e, ResultStamp{"1.2.3", 0}))).saved);
    const CsvFile file = parseCsv(readWholeFile(path));
    ASSERT_EQ(file.notes.size(), 3u);
    EXPECT_EQ(file.notes[0], "what: Bell inequality, quantum mechanics");
    ASSERT_EQ(file.rows.size(), 1 + 36 + 7u);
    EXPECT_EQ(file.rows[0], (std::vector<std::string>{"quantity", "left", "right", "result", "value"}));
    // By "quantity left right result".
    std::map<std::string, std::string> value;
    for (const std::vector<std::string>& row : file.rows) {
        ASSERT_EQ(row.size(), 5u);
        value[row[0] + " " + row[1] + " " + row[2] + " " + row[3]] = row[4];
    }
    const char* const letter[3] = {"A", "B", "C"};
    const char* const sign[4] = {"++", "+-", "-+", "--"};
    long sum = 0, shown[3][3][4];
    for (int l = 0; l < 3; ++l) {
        for (int r = 0; r < 3; ++r) {
            for (int o = 0; o < 4; ++o) {
                const bool flying = l == e.leftSetting && r == e.rightSetting && o == e.outcome;
                shown[l][r][o] = std::stol(
                    value["counter " + std::string(letter[l]) + " " + letter[r] + " " + sign[o]]);
                EXPECT_EQ(shown[l][r][o], e.counts[l][r][o] - flying) << l << r << o;
                sum += shown[l][r][o];
            }
        }
    }
    EXPECT_EQ(sum, 20000);
    EXPECT_EQ(value["Performed   "], "20000");
    const long ac = shown[0][2][0], bc = shown[1][2][0], ab = shown[0][1][0];
    EXPECT_EQ(value["N(A+,C+) A C ++"], std::to_string(ac));
    EXPECT_EQ(value["N(B+,C+) B C ++"], std::to_string(bc));
    EXPECT_EQ(value["N(A+,B+) A B ++"], std::to_string(ab));
    // Quantum pairs break the inequality by far more than 3 sigma at 20000.
    const double sigma = std::stod(value["sigma   "]);
    EXPECT_NEAR(sigma, violationSigmas(static_cast<int>(ac), static_cast<int>(bc + ab)), 0.005);
    EXPECT_GT(sigma, 3);
    EXPECT_EQ(value["mode   "], "quantum");
}

}  // namespace
