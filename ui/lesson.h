// Lesson mode: a run told stage by stage. With the window's Lesson button lit,
// the run driver waits at the start of each stage with its caption over the
// scene until the presenter goes on, and can play the stage just played again
// from a copy of the model taken at its start.
#pragma once

#include "scene/lesson_caption.h"

class Fl_Button;
class Fl_Light_Button;
class Fl_Window;
class SceneView;

class Lesson {
public:
    // What the presenter asked for while the lesson waited or a stage played.
    enum class Request { none, goOn, replay };

    // The "Lesson" light button, built in the open group; off at first.
    Fl_Light_Button* build(int x, int y, int w, int h, int labelSize);
    // The view the captions stand in, and Start, which goes on while a lesson waits.
    void attach(SceneView& view, Fl_Button& start);

    Fl_Light_Button* button = nullptr;

    bool lit() const;
    // A run plays with Lesson lit: the lesson's keys are taken.
    bool active() const { return running && lit(); }
    // Waiting at a stop for the presenter, who has not answered yet.
    bool waiting() const { return isWaiting && request == Request::none; }

    // Space, Page Down, the right arrow or Start: the waiting stage plays.
    void goOn();
    // Page Up or the left arrow: the stage just played (or playing) again.
    void replay();
    // Start's callback asks first: true when Start went on with a waiting lesson.
    bool takeStart();

    // The run driver's side. A run begins and ends (its caption goes with it).
    void beginRun();
    void endRun();
    // Waits at a stop with its caption until the presenter goes on (or asks
    // for a replay, when `canReplay`), Lesson goes out or `window` is hidden.
    Request await(Fl_Window& window, const LessonCaption& caption, bool canReplay);
    // The caption stays on while its stage plays.
    void playing(const LessonCaption& caption);
    // A replay asked for while the stage played, taken once.
    bool takeReplay();

private:
    SceneView* view = nullptr;
    Fl_Button* start = nullptr;
    bool running = false;
    bool isWaiting = false;
    Request request = Request::none;
};
