// Building the Bell window and its controls, its read-outs of the experiment,
// and the callbacks of Stop, Count and Return.
#include "bell/bell_window.h"

#include "bell/bell_results.h"
#include "bell/bell_view.h"
#include "bell/counter_box.h"
#include "bell/inequality_verdict.h"
#include "ui/lesson.h"
#include "ui/result_saving.h"
#include "ui/window_use.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Input.H>

#include <cstdio>
#include <string>

namespace {

// The inequality row's "<=" and "+" between its values, with question marks
// until pairs are counted and a verdict answers them. Both ends lose the same
// width, so the centred signs stay where they were.
const char* const kRowBeforeCounting = "??             <=              +              ??";
const char* const kRowCounting = "             <=              +              ";
int liveWindows = 0;

Fl_Box* caption(int x, int y, int w, int h, const char* text, int font, int size) {
    Fl_Box* box = new Fl_Box(FL_NO_BOX, x, y, w, h, text);
    box->labelfont(font);
    box->labelsize(size);
    return box;
}

Fl_Light_Button* lightButton(int x, int y, int w, const char* text) {
    Fl_Light_Button* button = new Fl_Light_Button(x, y, w, 42, text);
    button->color(62);
    button->labelfont(9);
    button->labelsize(28);
    button->selection_color(1);
    return button;
}

// The toolkit does not keep typed values within the field's bounds.
void keepExperimentInRange(Fl_Widget*, void* data) {
    Fl_Value_Input* input = static_cast<BellWindow*>(data)->experimentInput;
    const double clamped = clampExperiment(input->value());
    if (clamped != input->value()) {
        input->value(clamped);
    }
}

}  // namespace

BellWindow::BellWindow(int w, int h) : ScaledWindow(w, h) { ++liveWindows; }

BellWindow::~BellWindow() { --liveWindows; }

int BellWindow::instances() { return liveWindows; }

void BellWindow::buildControls() {
    caption(720, 33, 160, 32, "Experiment", 9, 26);
    experimentInput = new Fl_Value_Input(875, 32, 108, 36);
    experimentInput->color(62);
    experimentInput->bounds(0, kMostPairs);
    // No step: with one the field turns into a drag valuator, and selecting its
    // text with the mouse to retype it would change the number.
    experimentInput->step(0);
    experimentInput->textfont(9);
    experimentInput->textsize(34);
    experimentInput->value(1000);
    experimentInput->when(FL_WHEN_CHANGED);
    experimentInput->callback(keepExperimentInRange, this);

    caption(726, 88, 160, 34, "Performed", 9, 26);
    performedDisplay = new CounterBox(FL_PLASTIC_UP_BOX, 873, 86, 114, 36, performedText);
    performedDisplay->labelsize(32);
    performedDisplay->labelfont(9);
    performedDisplay->color(250);

    startButton = new Fl_Button(732, 158, 148, 70, "Start");
    startButton->color(61);
    startButton->labelfont(9);
    startButton->labelsize(44);
    startButton->labeltype(FL_ENGRAVED_LABEL);
    startButton->callback(startRun, this);

    pauseButton = lightButton(898, 158, 110, "Pause");
    countButton = lightButton(761, 242, 120, "Count");
    countButton->callback(toggleSceneLight, this);
    stopButton = lightButton(898, 214, 110, "Stop");
    stopButton->callback(holdWhileStopped, this);

    returnButton = new Fl_Button(898, 282, 110, 42, "Return");
    returnButton->color(1);
    returnButton->labelfont(9);
    returnButton->labelsize(28);
    returnButton->callback(leaveBell, this);

    // Lesson stands in the button column, between Performed and Pause; Save
    // in the gap between Stop and Return.
    lesson.build(898, 125, 110, 29, 22);
    saveButton = buildSaveButton(898, 258, 110, 22, 18, saveBellResults, this);

    // The inequality, and a row where its three counts stand between "<=" and "+".
    caption(104, 248, 130, 40, "Bell-inequality:", 9, 44)->labelcolor(60);
    caption(336, 254, 410, 34, "N(A+,C+) <= N(B+,C+) + N(A+,B+)", 1, 26);
    inequalityRow = caption(346, 294, 400, 34, kRowBeforeCounting, 1, 32);
    inequalityRow->labelcolor(1);
    for (int i = 0; i < 3; ++i) {
        inequalityValues[i] = caption(347 + 150 * i, 295, 96, 34, inequalityText[i], 1, 32);
        inequalityValues[i]->labelcolor(1);
    }
    // The verdict, left of the row, from the first Start on.
    verdictDisplay = new CounterBox(FL_FLAT_BOX, 15, 295, 325, 34, verdictText);
    verdictDisplay->color(92);
    verdictDisplay->labelfont(1);
    verdictDisplay->labelsize(24);
    verdictDisplay->align(FL_ALIGN_INSIDE | FL_ALIGN_RIGHT);
    verdictDisplay->hide();
    // Local stands under Count, right of the row's right "??".
    localButton = lightButton(803, 288, 92, "Local");
    localButton->tooltip("photons carry their answers: a local hidden-variable source");

    // Counter table: a row per outcome, a column per pair of directions.
    const char* const rowCaptions[4] = {"+ +", "+ -", "- +", "-  -"};
    const int rowCaptionY[4] = {60, 106, 149, 191};
    for (int o = 0; o < 4; ++o) {
        caption(11, rowCaptionY[o], 32, 24, rowCaptions[o], 1, 28);
    }
    caption(60, 16, 650, 27, "A-A   A-B   A-C   B-A   B-B   B-C   C-A   C-B   C-C", 1, 29)
        ->align(FL_ALIGN_INSIDE);
    for (int l = 0; l < 3; ++l) {
        for (int r = 0; r < 3; ++r) {
            for (int o = 0; o < 4; ++o) {
                Fl_Box* box = new CounterBox(FL_PLASTIC_UP_BOX, 56 + 222 * l + 74 * r,
                                             54 + 45 * o, 69, 37, counterText[l][r][o]);
                box->labelsize(26);
                box->labelfont(1);
                box->color(2);
                counterDisplays[l][r][o] = box;
            }
        }
    }
}

BellControls BellWindow::controls() const {
    BellControls controls;
    controls.experiment = experimentInput->value();
    controls.pause = pauseButton->value() != 0;
    controls.count = countButton->value() != 0;
    controls.local = localButton->value() != 0;
    return controls;
}

void BellWindow::resetDisplays() {
    showAll();
    if (inequalityRow->label() != kRowCounting) {
        inequalityRow->label(kRowCounting);
        // The question marks stood outside the row's box, beyond what its
        // label's redraw covers.
        redraw();
    }
    verdictDisplay->show();
    flushDisplays();
}

void BellWindow::showAll() {
    const BellExperiment& e = experiment;
    const auto shown = [&](int l, int r, int o) { return e.performedCount(l, r, o); };
    for (int l = 0; l < 3; ++l) {
        for (int r = 0; r < 3; ++r) {
            for (int o = 0; o < 4; ++o) {
                std::snprintf(counterText[l][r][o], sizeof counterText[l][r][o], "%d", shown(l, r, o));
                counterStale[l][r][o] = true;
            }
        }
    }
    // N(A+,C+), N(B+,C+) and N(A+,B+).
    const int rowCells[3][2] = {{0, 2}, {1, 2}, {0, 1}};
    for (int i = 0; i < 3; ++i) {
        inequalityShown[i] = shown(rowCells[i][0], rowCells[i][1], 0);
        std::snprintf(inequalityText[i], sizeof inequalityText[i], "%d", inequalityShown[i]);
        inequalityStale[i] = true;
    }
    showPerformed(e.performed);
    flushDisplays();
}

void BellWindow::showPerformed(int pairNumber) {
    std::snprintf(performedText, sizeof performedText, "%d", pairNumber);
    performedStale = true;
}

void BellWindow::updateCounterDisplay() {
    const int l = experiment.leftSetting;
    const int r = experiment.rightSetting;
    const int o = experiment.outcome;
    const int count = experiment.counts[l][r][o];
    std::snprintf(counterText[l][r][o], sizeof counterText[0][0][0], "%d", count);
    counterStale[l][r][o] = true;
    if (o != 0) {
        return;
    }
    // N(A+,C+), N(B+,C+), N(A+,B+) in the inequality row.
    int cell = -1;
    if (l == 0 && r == 2) cell = 0;
    if (l == 1 && r == 2) cell = 1;
    if (l == 0 && r == 1) cell = 2;
    if (cell >= 0) {
        inequalityShown[cell] = count;
        std::snprintf(inequalityText[cell], sizeof inequalityText[cell], "%d", count);
        inequalityStale[cell] = true;
    }
}

void BellWindow::flushDisplays() {
    // A violation beyond chance is red like the numbers that show it.
    const int left = inequalityShown[0], right = inequalityShown[1] + inequalityShown[2];
    const double z = violationSigmas(left, right);
    const std::string verdict = verdictFor(left, right);
    if (verdict != verdictText) {
        std::snprintf(verdictText, sizeof verdictText, "%s", verdict.c_str());
        verdictDisplay->labelcolor(significantViolation(z) ? FL_RED : FL_BLACK);
        verdictDisplay->redraw();
    }
    if (performedStale) {
        performedDisplay->redraw();
        performedStale = false;
    }
    for (int i = 0; i < 3; ++i) {
        if (inequalityStale[i]) {
            // No box of its own: the row behind it must be drawn again too.
            inequalityValues[i]->redraw_label();
            inequalityStale[i] = false;
        }
    }
    for (int l = 0; l < 3; ++l) {
        for (int r = 0; r < 3; ++r) {
            for (int o = 0; o < 4; ++o) {
                if (counterStale[l][r][o]) {
                    counterDisplays[l][r][o]->redraw();
                    counterStale[l][r][o] = false;
                }
            }
        }
    }
}

BellWindow* buildBellWindow() {
    auto* window = new BellWindow(1024, 768);
    window->color(92, 49);
    window->label("Bell-inequality");
    // Escape and the window manager's close go back to the menu like Return.
    window->callback(leaveBell, window);
    window->buildControls();
    window->view = new BellView(15, 340, 994, 390, window->experiment);
    window->view->redraw();
    window->lesson.attach(*window->view, *window->startButton);
    window->end();
    return window;
}

void holdWhileStopped(Fl_Widget*, void* data) {
    auto* window = static_cast<BellWindow*>(data);
    // A counting run may not have shown its latest counts yet; a held run shows
    // them. The run itself holds at its next frame.
    if (window && window->stopButton->value()) {
        window->flushDisplays();
    }
}

void toggleSceneLight(Fl_Widget*, void* data) {
    auto* window = static_cast<BellWindow*>(data);
    if (!window) {
        return;
    }
    BellView& view = *window->view;
    view.sceneLit = !view.sceneLit;
    view.applyLightLevels();
    view.redraw();
    Fl::check();
}

void leaveBell(Fl_Widget*, void* data) {
    auto* window = static_cast<BellWindow*>(data);
    if (window) {
        window->view->hide();
        window->hide();
    }
    afterLeaving();
}

void saveBellResults(Fl_Widget*, void* data) {
    auto* window = static_cast<BellWindow*>(data);
    if (window) {
        // A counting run repaints every few hundred pairs: while the dialog
        // holds it, the counters show what the file gets.
        window->flushDisplays();
        saveResults("bell", [window](const ResultStamp& stamp) { return bellResults(window->experiment, stamp); });
    }
}
