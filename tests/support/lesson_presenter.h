// A presenter at a lesson, pressing keys from a timer while a run plays: at
// every wait notes the caption (and whatever `atWait` looks at), then presses
// Space, or Page Up once at the wait numbered `replayAt` (1 for the first).
#pragma once

#include "app/presenter_keys.h"
#include "scene/scene_view.h"
#include "ui/lesson.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <functional>
#include <string>
#include <vector>

class LessonPresenter {
public:
    LessonPresenter(Fl_Window& window, const Lesson& lesson, const SceneView& view, size_t replayAt = 0)
        : window(window), lesson(lesson), view(view), replayAt(replayAt) {
        Fl::add_timeout(kLook, look, this);
    }
    ~LessonPresenter() { Fl::remove_timeout(look, this); }
    LessonPresenter(const LessonPresenter&) = delete;
    LessonPresenter& operator=(const LessonPresenter&) = delete;

    std::vector<std::string> captions;
    std::function<void()> atWait;

private:
    static constexpr double kLook = 0.005;

    // A wait is answered once: the lesson stops waiting when a key is taken.
    static void look(void* data) {
        auto& p = *static_cast<LessonPresenter*>(data);
        if (p.lesson.waiting()) {
            const char* text = p.view.caption().text;
            p.captions.push_back(text ? text : "");
            if (p.atWait) p.atWait();
            pressKeyButton(p.window, p.captions.size() == p.replayAt ? FL_Page_Up : ' ', 0);
        }
        Fl::repeat_timeout(kLook, look, data);
    }

    Fl_Window& window;
    const Lesson& lesson;
    const SceneView& view;
    size_t replayAt;
};
