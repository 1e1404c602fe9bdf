// The rows of one run's facts, or of a tally.
#include "teleport/teleport_results.h"

#include "teleport/teleport_experiment.h"

namespace {

constexpr int degreesPerDirection = 30;

std::string yesNo(bool value) { return value ? "yes" : "no"; }
std::string degrees(int direction) {
    return csvNumber(static_cast<long>(direction * degreesPerDirection));
}

void addFacts(const TeleportExperiment& e, ResultTable& table) {
    table.header = {"quantity", "value"};
    if (e.beforeRun()) {
        table.notes.push_back("nothing has been run yet");
        return;
    }
    const TeleportFacts& f = e.facts;
    // Alice's result, and all that follows from it, is drawn as her
    // measurement's message leaves; until then only the input is known.
    const bool decided = e.phase >= TeleportPhase::MessageSent;
    const auto known = [&](const std::string& value) { return decided ? value : ""; };
    table.addRow({"input polarization (degrees)", degrees(f.input)});
    table.addRow({"Alice's result", known(csvNumber(static_cast<long>(f.result)))});
    table.addRow({"message sent", yesNo(f.messageSent)});
    table.addRow({"Bob's operation", known(f.operation == TeleportFacts::noOperation
                                                ? "none"
                                                : csvNumber(static_cast<long>(f.operation)))});
    table.addRow({"output polarization (degrees)", known(degrees(f.output))});
    table.addRow({"output = input", known(yesNo(f.output == f.input))});
}

void addTally(const TeleportTally& t, ResultTable& table) {
    table.header = {"quantity", "count", "share"};
    table.addRow({"message sent", yesNo(t.messageSent), ""});
    table.addRow({"teleportations", csvNumber(static_cast<long>(t.runs)), ""});
    for (int r = 0; r < kResults; ++r) {
        table.addRow({"Alice's result " + std::to_string(r) + " (message " +
                          kBellResults[r].message + ")",
                      csvNumber(static_cast<long>(t.results[r])), csvNumber(t.share(t.results[r]), 4)});
    }
    table.addRow({"output = input", csvNumber(static_cast<long>(t.matches)),
                  csvNumber(t.share(t.matches), 4)});
}

}  // namespace

ResultTable teleportResults(const TeleportExperiment& e, const ResultStamp& stamp) {
    if (e.showTally) {
        ResultTable table("teleportation, Repeat tally", stamp);
        addTally(e.tally, table);
        return table;
    }
    ResultTable table("teleportation, last run", stamp);
    addFacts(e, table);
    return table;
}
