// The lesson's button, its requests, and the wait at each stop.
#include "ui/lesson.h"

#include "scene/frame_step.h"
#include "scene/scene_view.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Window.H>

namespace {

// Lesson switched off takes its caption away at once; a waiting run notices
// by itself and plays on.
void lessonToggled(Fl_Widget*, void* data) {
    auto* lesson = static_cast<Lesson*>(data);
    if (lesson && !lesson->lit()) {
        lesson->playing({});
    }
}

}  // namespace

Fl_Light_Button* Lesson::build(int x, int y, int w, int h, int labelSize) {
    button = new Fl_Light_Button(x, y, w, h, "Lesson");
    button->color(62);
    button->labelfont(9);
    button->labelsize(labelSize);
    button->selection_color(1);
    button->tooltip("one stage at a time, with a caption; Space goes on");
    button->callback(lessonToggled, this);
    return button;
}

void Lesson::attach(SceneView& sceneView, Fl_Button& startButton) {
    view = &sceneView;
    start = &startButton;
}

bool Lesson::lit() const { return button && button->value() != 0; }

void Lesson::goOn() {
    if (isWaiting) {
        request = Request::goOn;
    }
}

void Lesson::replay() {
    if (active()) {
        request = Request::replay;
    }
}

bool Lesson::takeStart() {
    // Pressed again before the wait ended, Start must not begin a new run.
    if (!isWaiting) {
        return false;
    }
    goOn();
    return true;
}

void Lesson::beginRun() {
    running = true;
    request = Request::none;
}

void Lesson::endRun() {
    running = false;
    isWaiting = false;
    request = Request::none;
    if (view) {
        view->clearCaption();
    }
}

Lesson::Request Lesson::await(Fl_Window& window, const LessonCaption& caption, bool canReplay) {
    if (view) {
        view->showCaption(caption, canReplay ? "Space: go on     Page Up: again" : "Space: go on");
    }
    // Start goes on: it is pressed as at the run's beginning, by click or key.
    const bool startWasActive = start && start->active();
    if (start) {
        start->activate();
    }
    isWaiting = true;
    request = Request::none;
    waitWhile([&] {
        if (request == Request::replay && !canReplay) {
            request = Request::none;  // nothing played yet to play again
        }
        return window.visible() && lit() && request == Request::none;
    });
    isWaiting = false;
    if (start && !startWasActive) {
        start->deactivate();
    }
    const Request asked = request;
    request = Request::none;
    playing(lit() ? caption : LessonCaption{});
    return asked == Request::replay ? Request::replay : Request::goOn;
}

void Lesson::playing(const LessonCaption& caption) {
    if (!view) {
        return;
    }
    if (caption.text) {
        view->showCaption(caption, nullptr);
    } else {
        view->clearCaption();
    }
}

bool Lesson::takeReplay() {
    const bool asked = request == Request::replay;
    request = Request::none;
    return asked;
}
