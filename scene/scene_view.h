// The base of every 3-D view: a GL window that knows the size it was designed
// at, so that when its window scales the layout the picture scales with it.
#pragma once

#include "scene/lesson_caption.h"

#include <FL/Fl_Gl_Window.H>

class SceneView : public Fl_Gl_Window {
public:
    // Views are built at their design size; a window's layout resizes them later.
    SceneView(int x, int y, int w, int h, const char* label = nullptr);
    ~SceneView() override;

    // The context goes with the window: its glyph textures go first.
    void hide() override;

    // How many pixels the view now has for one pixel of its design; 1 at the
    // design size.
    double scale() const;

    // The first step of every draw. A new or resized context gets the viewport
    // of the whole view (and vsync, where offered); scene text and line widths
    // then follow the view's scale.
    void beginDraw();

    // Lesson mode's caption over the scene, until cleared, with a smaller
    // `hint` (or none) in its corner: how to go on. Each asks for a redraw.
    void showCaption(const LessonCaption& caption, const char* hint);
    void clearCaption();
    const LessonCaption& caption() const { return shownCaption; }

protected:
    // The last step of every view's draw: the caption's band over the scene.
    // Without a caption it draws nothing and leaves the GL state alone.
    void drawCaption();

private:
    int designWidth;
    LessonCaption shownCaption;
    const char* captionHint = nullptr;
};
