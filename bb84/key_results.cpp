// One row per photon of an animated run, or one per figure of a counting run.
#include "bb84/key_results.h"

#include "bb84/key_distribution.h"

namespace {

std::string cellOf(int value) { return value < 0 ? "" : csvNumber(static_cast<long>(value)); }
std::string flag(bool value) { return value ? "1" : "0"; }
std::string percentOf(double share) { return csvNumber(100 * share, 0) + " %"; }

std::string eavesdropper(const KeyProtocol& protocol) {
    return protocol.eve ? "Eve listening to " + percentOf(protocol.eveShare) + " of the photons"
                        : "no eavesdropper";
}

void addColumns(const KeyDistribution& model, ResultTable& table) {
    const KeyProtocol& protocol = model.protocol;
    table.header = {"column", "A basis", "A bit",   "B basis",  "B bit",
                    "Eve basis", "Eve bit", "kept", "compared", "error"};
    if (model.phase == beforeFirstRun) {
        table.notes.push_back("nothing has been run yet");
        return;
    }
    // 1 and 0 for yes and no, so that a spreadsheet sums them; a dash where
    // Eve let the photon pass.
    for (int i = 0; i < keyColumns; ++i) {
        const KeyColumnRecord& c = protocol.columns[i];
        const bool passed = c.evePassed;
        table.addRow({csvNumber(static_cast<long>(i + 1)), cellOf(c.aBase), cellOf(c.aBit),
                      cellOf(c.bBase), cellOf(c.bBit), passed ? "-" : cellOf(c.eveBase),
                      passed ? "-" : cellOf(c.eveBit), model.marks[i].sifted ? flag(c.kept) : "",
                      c.compared || protocol.check.decided ? flag(c.compared) : "",
                      c.compared ? flag(c.error) : ""});
    }
}

void addTotals(const KeyProtocol& protocol, ResultTable& table) {
    const CountTotals& t = protocol.totals;
    const double share = protocol.eve ? protocol.eveShare : 0.0;
    table.header = {"quantity", "measured", "expected"};
    table.addRow({"rounds", csvNumber(t.rounds), ""});
    table.addRow({"bits sent", csvNumber(t.photons), ""});
    table.addRow({"bits kept", csvNumber(t.kept), ""});
    table.addRow({"bits compared", csvNumber(t.compared), ""});
    table.addRow({"errors", csvNumber(t.differing), ""});
    table.addRow({"rounds Eve went unnoticed", csvNumber(t.rounds - t.caught), ""});
    table.addRow({"Eve's share", csvNumber(share, 2), ""});
    table.addRow({"error rate", csvNumber(t.errorRate(), 4), csvNumber(expectedErrorRate(share), 4)});
    table.addRow({"unnoticed rate", csvNumber(t.unnoticedRate(), 4),
                  csvNumber(expectedUnnoticedRate(share), 4)});
    table.addRow({"Eve knows exactly", csvNumber(t.eveKnowledge(), 4),
                  csvNumber(expectedEveKnowledge(share), 4)});
}

}  // namespace

ResultTable keyResults(const KeyDistribution& model, const ResultStamp& stamp) {
    const KeyProtocol& protocol = model.protocol;
    const std::string kind = protocol.countMode ? "counting run" : "last animated run";
    ResultTable table("BB84 key distribution, " + kind + ", " + eavesdropper(protocol), stamp);
    if (protocol.countMode) {
        addTotals(protocol, table);
    } else {
        addColumns(model, table);
    }
    return table;
}
