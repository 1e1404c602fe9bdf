// The Bell run: each pair's draws and counting, then its animation in ten
// phases, one frame step per redraw of the view.
#include "bell/bell_run.h"

#include "app/registry.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"
#include "scene/frame_step.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Input.H>

namespace {

constexpr double kPhotonStep = 0.1;
// Frames that Pause holds the pair just before and just after detection.
constexpr int kPauseFrames = 99;
// A counting run shows its counts every this many pairs, and at its end.
constexpr int kCountedPairsPerShow = 500;

const char* const kLetters[3] = {"A", "B", "C"};

// Positions are single precision, advanced in double precision and stored back.
void advance(float& value, double step) { value = static_cast<float>(value + step); }

// One run on one window and view, whichever windows are current later.
class BellRun {
public:
    BellRun(BellWindow& window, BellView& view) : window(window), view(view) {}

    void run();

private:
    BellWindow& window;
    BellView& view;

    // Redraw and one event pass; false once the window is no longer shown.
    bool frame() {
        view.redraw();
        frameStep();
        return window.visible() != 0;
    }
    // Frames while photonX is below `limit`, moving the pair along the beam.
    bool glide(double limit, double spreadStep);
    bool hold();
    bool animatePair();
};

bool BellRun::glide(double limit, double spreadStep) {
    while (view.photonX < limit) {
        if (!frame()) {
            return false;
        }
        advance(view.photonX, kPhotonStep);
        if (spreadStep != 0) {
            advance(view.photonSpread, spreadStep);
        }
    }
    return true;
}

bool BellRun::hold() {
    if (window.pauseButton->value()) {
        for (int i = 0; i < kPauseFrames; ++i) {
            if (!frame()) {
                return false;
            }
        }
    }
    return true;
}

bool BellRun::animatePair() {
    const BellExperiment& pair = window.experiment;
    // A local pair's photons carry their hidden polarization from the crystal on.
    view.showHiddenPolarization = pair.local;
    view.hiddenPolarization = static_cast<float>(pair.hiddenAngle);
    // 1: the pump photon flies to the crystal.
    view.setPhase(1);
    if (!glide(-4.0, 0)) return false;
    // 2: the pair leaves the crystal.
    view.setPhase(2);
    if (!glide(1.3, 0.028)) return false;
    // 3: the detectors turn to this pair's directions.
    view.setPhase(3);
    view.leftShownSetting = pair.leftSetting;
    view.rightShownSetting = pair.rightSetting;
    view.leftLetter[0] = kLetters[pair.leftSetting][0];
    view.rightLetter[0] = kLetters[pair.rightSetting][0];
    if (!glide(4.0, 0.02)) return false;
    view.setPhase(4);
    if (!hold()) return false;
    view.setPhase(5);
    if (!glide(8.1, 0.02)) return false;
    // 6: detected; the result lamps light and the arrows show the results.
    view.setPhase(6);
    view.lightResultLamps(pair.pairCode);
    view.setLeftTurn((pair.outcome & 2) != 0);
    view.setRightTurn((pair.outcome & 1) != 0);
    if (!glide(10.3, 0)) return false;
    view.setPhase(7);
    if (!hold()) return false;
    view.setPhase(8);
    if (!glide(13.0, 0)) return false;
    view.setPhase(9);
    view.leftShownSetting = 0;
    view.rightShownSetting = 0;
    view.lampsOff();
    if (!frame()) return false;
    view.setPhase(10);
    return true;
}

void BellRun::run() {
    window.startButton->deactivate();
    window.stopButton->value(0);
    window.experiment.start();
    window.resetDisplays();
    view.lampsOff();
    view.leftShownSetting = 0;
    view.rightShownSetting = 0;

    // Experiment is read before every pair; it is clamped to 0..999999, so the
    // pair number cannot overflow.
    for (int pairNumber = 1; window.visible(); ++pairNumber) {
        if (pairNumber > clampExperiment(window.experimentInput->value())) {
            break;
        }
        view.photonX = -12.0f;
        view.photonSpread = 0.0f;
        choosePair(window);
        const bool counting = window.countButton->value() != 0;
        const bool shown = counting || animatePair();
        // A pair cut short by closing the window is still written as performed,
        // so that the counters always add up to Performed.
        window.showPerformed(pairNumber);
        window.updateCounterDisplay();
        if (!shown) {
            break;
        }
        if (!counting || pairNumber % kCountedPairsPerShow == 0) {
            window.flushDisplays();
        }
        // Counting is not animated: it goes as fast as the pairs can be counted.
        if (counting) {
            Fl::check();
        } else {
            endFrame();
        }
    }
    window.flushDisplays();
    window.startButton->activate();
}

}  // namespace

void choosePair(BellWindow& window) {
    // Local is read at every pair, like Count: switched during an animated pair,
    // it acts from the next pair on.
    window.experiment.local = window.localButton && window.localButton->value();
    window.experiment.performPair();
}

void startRun(Fl_Widget*, void*) {
    BellWindow* window = bellWindow;
    BellView* view = bellView;
    if (!window || !view) {
        return;
    }
    WindowUse use(*window);
    BellRun(*window, *view).run();
}
