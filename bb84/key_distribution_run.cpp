// The run behind Start: the window's model steps through the protocol, the
// run driver ends each frame, and the window shows what each step changed.
#include "bb84/bb84_view.h"
#include "bb84/bb84_window.h"
#include "bb84/eve_strip.h"
#include "bb84/key_lesson.h"
#include "bb84/key_tables.h"
#include "ui/run_driver.h"
#include "ui/window_use.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>

#include <optional>

namespace {

class KeyRunStepper : public RunStepper {
public:
    explicit KeyRunStepper(Bb84Window& window) : window(window) {}

    FrameEnd step() override {
        window.model.controls = window.controls();
        return window.model.step();
    }

    void show() override {
        const unsigned changed = window.model.takeRedraws();
        if (changed & redrawNotebook) window.eveStrip->redraw();
        if (changed & redrawSender) window.sender->redraw();
        if (changed & redrawReceiver) window.receiver->redraw();
        if (changed & redrawScene) window.view->redraw();
    }

    int lessonStop() const override { return keyLessonStop(window.model); }
    LessonCaption lessonCaption(int stop) const override {
        return keyLessonCaption(window.model, stop);
    }
    LessonCaption lessonEnd() const override { return keyLessonEnd(window.model); }

    void keep() override { kept = window.model; }

    // Every display the model feeds is drawn anew from the copy: the books,
    // Eve's notebook and the scene.
    void restore() override {
        if (!kept) return;
        window.model = *kept;
        window.model.takeRedraws();
        window.eveStrip->redraw();
        window.sender->redraw();
        window.receiver->redraw();
        window.view->redraw();
    }

private:
    Bb84Window& window;
    // The model as a lesson's stage began, to play it again. Made only by a
    // copy: a fresh model would draw seeds of its own.
    std::optional<KeyDistribution> kept;
};

}  // namespace

void startKeyDistribution(Fl_Widget*, void* data) {
    if (!data) {
        return;
    }
    Bb84Window& window = *static_cast<Bb84Window*>(data);
    if (window.lesson.takeStart() || window.running) {
        return;
    }
    WindowUse use(window);
    window.running = true;
    Fl_Widget* const lockedDuringRun[] = {window.startButton, window.polButton, window.eveButton,
                                          window.countButton};
    for (Fl_Widget* w : lockedDuringRun) w->deactivate();
    window.view->lockEveShare(true);
    window.stopButton->value(0);

    window.model.startRun();
    KeyRunStepper stepper(window);
    driveRun(window, window.stopButton, stepper, &window.lesson);
    window.model.endRun();

    // The finished tables have no polarization rows; nothing else would draw
    // them again until the pointer or an exposure does.
    window.sender->redraw();
    window.receiver->redraw();
    window.view->redraw();
    for (Fl_Widget* w : lockedDuringRun) w->activate();
    window.view->lockEveShare(false);
    window.running = false;
}
