// The Bell run as the run driver sees it: the experiment steps with the window's
// controls, the view and the counters show each step.
#pragma once

#include "bell/bell_experiment.h"
#include "ui/run_driver.h"

#include <optional>

class BellWindow;

// One run on one window, whichever windows are current later.
class BellRun : public RunStepper {
public:
    explicit BellRun(BellWindow& window);

    FrameEnd step() override;
    void show() override;
    void holding() override;

    int lessonStop() const override;
    LessonCaption lessonCaption(int stop) const override;
    LessonCaption lessonEnd() const override;
    void keep() override;
    void restore() override;

private:
    BellWindow& window;
    FrameEnd lastEnd = FrameEnd::Finished;
    // The pairs the counters showed last.
    int shownPerformed = 0;
    // The experiment as a lesson's stage began, to play it again. Made only
    // by a lesson: a fresh experiment would read the clock for a seed.
    std::optional<BellExperiment> kept;
};
