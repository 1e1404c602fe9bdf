// Save in the Bell window as a user saves, the dialogs answered by the test:
// counted pairs read back from the file, a failed save that keeps the earlier
// file, and a save during a run that the run survives.
#include "app/demonstrations.h"
#include "app/presenter_keys.h"
#include "app/registry.h"
#include "bell/bell_window.h"
#include "scene/csv_read.h"
#include "support/demo_harness.h"
#include "ui/result_saving.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Input.H>

#include <map>
#include <string>
#include <tuple>

namespace {

std::string answer, offered, failure;
void (*whileOpen)() = [] {};  // the dialog's nested event loop
const auto production = std::make_tuple(chooseSavePath, reportSaveFailure, confirmReplace);

// The data rows by their first four fields ("counter,A,C,++" or "Performed,,,");
// the 36 counters' sum under "sum".
std::map<std::string, long> valuesOf(const std::string& path) {
    const CsvFile file = parseCsv(readWholeFile(path));
    std::map<std::string, long> values;
    for (const auto& row : file.rows)
        if (row.size() == 5 && !row[4].empty() && row[4].find_first_not_of("0123456789") == std::string::npos) {
            values[row[0] + "," + row[1] + "," + row[2] + "," + row[3]] = std::stol(row[4]);
            if (row[0] == "counter") values["sum"] += std::stol(row[4]);
        }
    return values;
}

struct BellSave : ::testing::Test {
    FixedSeeds seeds{4242u};
    TemporaryFolder folder;
    void SetUp() override {
        answer = offered = failure = "";
        chooseSavePath = [](const std::string& path) {
            offered = path;
            whileOpen();
            return answer;
        };
        reportSaveFailure = [](const std::string& message) { failure = message; };
        confirmReplace = [](const std::string&) { return false; };
    }
    void TearDown() override { std::tie(chooseSavePath, reportSaveFailure, confirmReplace) = production; }
};

TEST_F(BellSave, CountedPairsReadBackAndAFailedSaveKeepsTheFile) {
    BellWindow& window = openDemonstration(showBellWindow, bellWindow);
    window.countButton->value(1);
    window.experimentInput->value(2000);
    window.startButton->do_callback();

    // Ctrl+S, the name typed without its extension.
    answer = folder.file("counts");
    ASSERT_TRUE(pressKeyButton(window, 's', FL_CTRL));
    EXPECT_EQ(failure, "");
    const std::string name = std::filesystem::path(offered).filename().string();
    EXPECT_TRUE(name.rfind("bell-", 0) == 0 && name.find(".csv") == name.size() - 4) << name;
    auto values = valuesOf(folder.file("counts.csv"));
    for (int l = 0; l < 3; ++l)
        for (int r = 0; r < 3; ++r)
            for (int o = 0; o < 4; ++o)
                EXPECT_EQ(std::to_string(values[std::string("counter,") + "ABC"[l] + "," + "ABC"[r] + "," +
                                                 (o < 2 ? "+" : "-") + (o % 2 ? "-" : "+")]),
                          window.counterText[l][r][o]) << l << r << o;
    EXPECT_EQ(values["Performed,,,"], 2000);
    EXPECT_EQ(values["sum"], 2000);

    // Into a folder that is not there; then onto the first file by a typed name
    // that only ".csv" makes existing, not confirmed: the first file stays.
    const std::string saved = readWholeFile(folder.file("counts.csv"));
    answer = folder.file("gone/counts.csv");
    window.saveButton->do_callback();
    EXPECT_NE(failure, "");
    window.experimentInput->value(1);
    window.startButton->do_callback();
    answer = folder.file("counts");
    window.saveButton->do_callback();
    EXPECT_EQ(readWholeFile(folder.file("counts.csv")), saved);
    EXPECT_EQ(folder.entries(), 1);
}

TEST_F(BellSave, ASaveDuringARunHoldsItAndTheRunGoesOn) {
    static BellWindow* window;
    window = &openDemonstration(showBellWindow, bellWindow);
    window->experimentInput->value(2);
    answer = folder.file("midway.csv");
    // Pressed by the run's own event pass within the first pair, as a click is;
    // the dialog stays open a while with the event loop running inside it.
    FrameLog<int> frames([] { return 0; });
    static FrameLog<int>* log;
    static size_t atOpen, atClose;
    log = &frames;
    frames.onFrame = [](const int&) {
        if (log->frames.size() == 120) Fl::add_timeout(0, [](void*) { pressKeyButton(*window, 's', FL_CTRL); });
    };
    whileOpen = [] {
        atOpen = log->frames.size();
        for (int i = 0; i < 20; ++i) Fl::wait(0.01);
        atClose = log->frames.size();
    };
    window->startButton->do_callback();
    whileOpen = [] {};

    EXPECT_GE(atOpen, 120u);
    EXPECT_EQ(atClose, atOpen) << "no frame step while the dialog is open";
    EXPECT_EQ(frames.frames.size(), 2u * 251) << "every frame step of both pairs";
    EXPECT_STREQ(window->performedText, "2");
    // The pair under way is left out, as the counters left it out then.
    auto values = valuesOf(folder.file("midway.csv"));
    EXPECT_EQ(values["Performed,,,"], 0);
    EXPECT_EQ(values["sum"], 0);
}

}  // namespace
