// Save in the Bell window as a user saves: counted pairs written through Ctrl+S
// and the button, read back as a plotting script reads them; a failed save that
// keeps the earlier file; a save during a run that the run survives.
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

namespace {

const char* const kDirections[3] = {"A", "B", "C"};
const char* const kResults[4] = {"++", "+-", "-+", "--"};

// The dialogs as a test answers them: the path to give, what was asked.
struct Dialogs {
    static std::string answer;
    static std::string suggested;
    static std::string failure;
    static int failures;
    // Runs while the "dialog" is open, as its nested event loop would.
    static void (*whileOpen)();

    Dialogs() : choose(chooseSavePath), report(reportSaveFailure), confirm(confirmReplace) {
        chooseSavePath = [](const std::string& offered) {
            suggested = offered;
            if (whileOpen) whileOpen();
            return answer;
        };
        reportSaveFailure = [](const std::string& message) {
            failure = message;
            ++failures;
        };
        confirmReplace = [](const std::string&) { return false; };
        answer = suggested = failure = "";
        failures = 0;
        whileOpen = nullptr;
    }
    ~Dialogs() {
        chooseSavePath = choose;
        reportSaveFailure = report;
        confirmReplace = confirm;
    }
    std::string (*choose)(const std::string&);
    void (*report)(const std::string&);
    bool (*confirm)(const std::string&);
};
std::string Dialogs::answer, Dialogs::suggested, Dialogs::failure;
int Dialogs::failures = 0;
void (*Dialogs::whileOpen)() = nullptr;

// The data rows by their first four columns ("counter,A,C,++" or "Performed,,,").
std::map<std::string, std::string> valuesOf(const CsvFile& file) {
    std::map<std::string, std::string> values;
    for (size_t i = 1; i < file.rows.size(); ++i) {
        const auto& row = file.rows[i];
        if (row.size() == 5) values[row[0] + "," + row[1] + "," + row[2] + "," + row[3]] = row[4];
    }
    return values;
}

std::string counterKey(int l, int r, int o) {
    return std::string("counter,") + kDirections[l] + "," + kDirections[r] + "," + kResults[o];
}

// Every counter as the window shows it, and all of them adding up to Performed.
void expectFileMatchesWindow(const CsvFile& file, const BellWindow& window) {
    ASSERT_FALSE(file.notes.empty());
    const auto values = valuesOf(file);
    long sum = 0;
    for (int l = 0; l < 3; ++l)
        for (int r = 0; r < 3; ++r)
            for (int o = 0; o < 4; ++o) {
                ASSERT_EQ(values.count(counterKey(l, r, o)), 1u) << counterKey(l, r, o);
                const std::string& value = values.at(counterKey(l, r, o));
                EXPECT_EQ(value, window.counterText[l][r][o]) << counterKey(l, r, o);
                sum += std::stol(value);
            }
    ASSERT_EQ(values.count("Performed,,,"), 1u);
    EXPECT_EQ(values.at("Performed,,,"), window.performedText);
    EXPECT_EQ(std::to_string(sum), window.performedText);
}

TEST(BellSave, CountedPairsSaveThroughCtrlSAndAFailedSaveKeepsTheFile) {
    FixedSeeds seeds(4242u);
    Dialogs dialogs;
    BellWindow& window = openDemonstration(showBellWindow, bellWindow);
    window.countButton->value(1);
    window.experimentInput->value(2000);
    window.startButton->do_callback();
    ASSERT_STREQ(window.performedText, "2000");

    // Ctrl+S, the name typed without its extension.
    TemporaryFolder folder;
    Dialogs::answer = folder.file("counts");
    ASSERT_TRUE(pressKeyButton(window, 's', FL_CTRL));
    EXPECT_EQ(Dialogs::failures, 0) << Dialogs::failure;
    const std::string offered = std::filesystem::path(Dialogs::suggested).filename().string();
    EXPECT_EQ(offered.rfind("bell-", 0), 0u) << offered;
    EXPECT_EQ(offered.substr(offered.size() - 4), ".csv") << offered;
    const std::string saved = readWholeFile(folder.file("counts.csv"));
    expectFileMatchesWindow(parseCsv(saved), window);

    // The button, into a folder that is not there: the message says so, and
    // the first file stays as it was with nothing left beside it.
    Dialogs::answer = folder.file("gone/counts.csv");
    window.saveButton->do_callback();
    EXPECT_EQ(Dialogs::failures, 1);
    EXPECT_FALSE(Dialogs::failure.empty());
    EXPECT_EQ(readWholeFile(folder.file("counts.csv")), saved);
    EXPECT_EQ(folder.entries(), 1);

    // A typed name whose ".csv" names an existing file, not replaced: kept.
    Dialogs::answer = folder.file("counts");
    window.experimentInput->value(1);
    window.startButton->do_callback();
    window.saveButton->do_callback();
    EXPECT_EQ(readWholeFile(folder.file("counts.csv")), saved);
    // Cancel writes nothing.
    Dialogs::answer = "";
    window.saveButton->do_callback();
    EXPECT_EQ(folder.entries(), 1);
    EXPECT_EQ(Dialogs::failures, 1);
}

TEST(BellSave, ASaveDuringARunHoldsItAndTheRunGoesOn) {
    FixedSeeds seeds(4242u);
    Dialogs dialogs;
    static BellWindow* window;
    window = &openDemonstration(showBellWindow, bellWindow);
    window->experimentInput->value(2);
    TemporaryFolder folder;
    Dialogs::answer = folder.file("midway.csv");

    // Pressed by the run's own event pass in the first pair, as a click is; the
    // dialog stays open for a while with the event loop running inside it.
    static int framesAtOpen, framesAtClose;
    static FrameLog<int>* log;
    FrameLog<int> frames([] { return 0; });
    log = &frames;
    framesAtOpen = framesAtClose = -1;
    frames.onFrame = [](const int&) {
        if (log->frames.size() == 120)
            Fl::add_timeout(0, [](void*) { pressKeyButton(*window, 's', FL_CTRL); });
    };
    Dialogs::whileOpen = [] {
        framesAtOpen = static_cast<int>(log->frames.size());
        for (int i = 0; i < 20; ++i) Fl::wait(0.01);
        framesAtClose = static_cast<int>(log->frames.size());
    };
    window->startButton->do_callback();

    ASSERT_GE(framesAtOpen, 120);
    EXPECT_EQ(framesAtClose, framesAtOpen) << "no frame step while the dialog is open";
    EXPECT_EQ(static_cast<int>(frames.frames.size()), 2 * 251) << "every frame step of both pairs";
    EXPECT_STREQ(window->performedText, "2");
    EXPECT_EQ(Dialogs::failures, 0) << Dialogs::failure;

    // The file holds the first pair's counts as the window showed them then:
    // the pair under way is left out, and the counters add up to Performed.
    const auto values = valuesOf(parseCsv(readWholeFile(folder.file("midway.csv"))));
    long sum = 0;
    for (int l = 0; l < 3; ++l)
        for (int r = 0; r < 3; ++r)
            for (int o = 0; o < 4; ++o) sum += std::stol(values.at(counterKey(l, r, o)));
    EXPECT_EQ(std::to_string(sum), values.at("Performed,,,"));
    EXPECT_EQ(sum, 0) << "the first pair was still under way";
}

}  // namespace
