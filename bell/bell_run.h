// The Bell run as the run driver sees it: the experiment steps with the window's
// controls, the view and the counters show each step.
#pragma once

#include "ui/run_driver.h"

class BellWindow;

// One run on one window, whichever windows are current later.
class BellRun : public RunStepper {
public:
    explicit BellRun(BellWindow& window);

    FrameEnd step() override;
    void show() override;
    void holding() override;

private:
    BellWindow& window;
    FrameEnd lastEnd = FrameEnd::Finished;
    // The pairs the counters showed last.
    int shownPerformed = 0;
};
