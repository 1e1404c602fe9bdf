// One row per counter, then the figures the window shows beneath them.
#include "bell/bell_results.h"

#include "bell/bell_experiment.h"
#include "bell/inequality_verdict.h"

namespace {

const char* const directions[3] = {"A", "B", "C"};
// By outcome: the bit of value 2 is the left result -, that of value 1 the right.
const char* const results[4] = {"++", "+-", "-+", "--"};

}  // namespace

ResultTable bellResults(const BellExperiment& e, const ResultStamp& stamp) {
    const char* const mode = e.local ? "local hidden-variable source" : "quantum mechanics";
    ResultTable table(std::string("Bell inequality, ") + mode, stamp);
    table.header = {"quantity", "left", "right", "result", "value"};
    const auto shown = [&](int l, int r, int o) { return static_cast<long>(e.performedCount(l, r, o)); };
    for (int l = 0; l < 3; ++l) {
        for (int r = 0; r < 3; ++r) {
            for (int o = 0; o < 4; ++o) {
                table.addRow({"counter", directions[l], directions[r], results[o],
                              csvNumber(shown(l, r, o))});
            }
        }
    }
    table.addRow({"Performed", "", "", "", csvNumber(static_cast<long>(e.performed))});
    // N(A+,C+) <= N(B+,C+) + N(A+,B+).
    const long ac = shown(0, 2, 0), bc = shown(1, 2, 0), ab = shown(0, 1, 0);
    table.addRow({"N(A+,C+)", "A", "C", "++", csvNumber(ac)});
    table.addRow({"N(B+,C+)", "B", "C", "++", csvNumber(bc)});
    table.addRow({"N(A+,B+)", "A", "B", "++", csvNumber(ab)});
    const double sigma = violationSigmas(static_cast<int>(ac), static_cast<int>(bc + ab));
    table.addRow({"sigma", "", "", "", csvNumber(sigma, 2)});
    table.addRow({"verdict", "", "", "", verdictFor(static_cast<int>(ac), static_cast<int>(bc + ab))});
    table.addRow({"mode", "", "", "", e.local ? "Local" : "quantum"});
    return table;
}
